// Helpers shared by the engine foundation's tests: temporary folders, files
// and small pictures made in memory.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace NTestUtil
{
// A fresh folder under the system's temporary folder, removed with the object.
class CTempDir
{
  public:
    CTempDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "zonvel_test_XXXXXX").string();
        std::vector<char> buffer(pattern.begin(), pattern.end());
        buffer.push_back('\0');
        if (mkdtemp(buffer.data()))
            m_path = buffer.data();
    }
    ~CTempDir()
    {
        std::error_code ec;
        if (!m_path.empty())
            std::filesystem::remove_all(m_path, ec);
    }
    CTempDir(const CTempDir&) = delete;
    CTempDir& operator=(const CTempDir&) = delete;

    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + "/" + name; }

  private:
    std::string m_path;
};

inline bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

inline bool WriteText(const std::string& path, const std::string& text)
{
    return WriteBytes(path, std::vector<uint8_t>(text.begin(), text.end()));
}

inline std::vector<uint8_t> ReadBytes(const std::string& path)
{
    std::vector<uint8_t> bytes;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return bytes;
    int c;
    while ((c = std::fgetc(f)) != EOF)
        bytes.push_back(static_cast<uint8_t>(c));
    std::fclose(f);
    return bytes;
}

inline std::vector<uint8_t> Bytes(const std::string& text)
{
    return std::vector<uint8_t>(text.begin(), text.end());
}

// Uncompressed true-colour targa; pixels in file order (BGR or BGRA).
inline std::vector<uint8_t> MakeTarga(int width, int height, int bits, const std::vector<uint8_t>& pixels)
{
    std::vector<uint8_t> file = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    file.push_back(static_cast<uint8_t>(width & 0xFF));
    file.push_back(static_cast<uint8_t>(width >> 8));
    file.push_back(static_cast<uint8_t>(height & 0xFF));
    file.push_back(static_cast<uint8_t>(height >> 8));
    file.push_back(static_cast<uint8_t>(bits));
    file.push_back(0);
    file.insert(file.end(), pixels.begin(), pixels.end());
    return file;
}

// A targa of the given size filled with one BGRA colour.
inline std::vector<uint8_t> MakeSolidTarga(int width, int height)
{
    std::vector<uint8_t> pixels;
    for (int i = 0; i < width * height; ++i)
        pixels.insert(pixels.end(), {10, 20, 30, 255});
    return MakeTarga(width, height, 32, pixels);
}

// JPEG made with libjpeg's compressor: components 3 (RGB rows top first) or 1.
inline std::vector<uint8_t> MakeJpeg(int width, int height, int components,
                                     const std::vector<uint8_t>& pixels, int quality = 95,
                                     bool progressive = false)
{
    jpeg_compress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    jpeg_mem_dest(&cinfo, &out, &outSize);
    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    cinfo.input_components = components;
    cinfo.in_color_space = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    if (progressive)
        jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height)
    {
        JSAMPROW row = const_cast<JSAMPROW>(pixels.data() +
                                            static_cast<size_t>(cinfo.next_scanline) * width * components);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::vector<uint8_t> result(out, out + outSize);
    std::free(out);
    return result;
}

inline std::vector<uint8_t> MakeSolidJpeg(int width, int height, int components, uint8_t value = 128)
{
    return MakeJpeg(width, height, components,
                    std::vector<uint8_t>(static_cast<size_t>(width) * height * components, value));
}

inline std::string ReadText(const std::string& path)
{
    std::vector<uint8_t> bytes = ReadBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

// Sets (or, with null, removes) an environment variable for the lifetime of the object.
class CEnvironment
{
  public:
    CEnvironment(const char* name, const char* value) : m_name(name)
    {
        if (const char* old = std::getenv(name))
            m_old = old;
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~CEnvironment()
    {
        if (m_old)
            setenv(m_name.c_str(), m_old->c_str(), 1);
        else
            unsetenv(m_name.c_str());
    }
    CEnvironment(const CEnvironment&) = delete;
    CEnvironment& operator=(const CEnvironment&) = delete;

  private:
    std::string m_name;
    std::optional<std::string> m_old;
};
} // namespace NTestUtil
