// Helpers of the data set's tests: the generated pack in the build folder,
// opened with the program's key, and decoded pictures.
#pragma once

#include "engine/ImageDecoder.h"
#include "engine/PackKey.h"
#include "engine/ResourceManager.h"

#include <string>

namespace NDataTest
{
inline std::string BuildDir()
{
    return ZONVEL_BUILD_DIR;
}

// The resource manager over build/data.pk; null-free: a missing pack leaves it empty.
inline CResourceManager& Pack()
{
    static CResourceManager* pack = [] {
        auto* p = new CResourceManager;
        p->SetPackKey(kPackKey);
        p->OpenPack(BuildDir() + "/data.pk");
        return p;
    }();
    return *pack;
}

inline bool DecodePicture(const std::string& name, NImageDecoder::SImage& image)
{
    CFileBuffer buffer = Pack().Load(name);
    if (buffer.IsEmpty())
        return false;
    if (name.back() == 'g')
        return NImageDecoder::DecodeJpeg(buffer.GetData(), buffer.GetSize(), image);
    return NImageDecoder::DecodeTarga(buffer.GetData(), buffer.GetSize(), image);
}

// Pixel (x, y) of a decoded picture with y counted from the picture's top.
inline const uint8_t* PixelFromTop(const NImageDecoder::SImage& image, int x, int y)
{
    int row = image.height - 1 - y;
    return &image.pixels[(static_cast<size_t>(row) * image.width + x) * image.components];
}
} // namespace NDataTest
