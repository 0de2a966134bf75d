// A picture as a GL texture. Decoding always happens; the upload only when a GL
// context exists, so a texture without one still knows its size and draws nothing.
#pragma once

#include "engine/ImageDecoder.h"

#include <cstdint>
#include <string>

class CResourceManager;

class CTexture
{
  public:
    CTexture() = default;
    CTexture(const CTexture&) = delete;
    CTexture& operator=(const CTexture&) = delete;
    virtual ~CTexture();

    // Decoder by the last character of the name: a = targa, g = JPEG, s = DDS;
    // any other loads nothing and returns true. A null manager reads from disk.
    bool LoadFromResource(CResourceManager* resourceManager, const std::string& fileName, bool wrap,
                          bool mipmaps);
    // Two JPEGs of one size: RGB colour and grey alpha.
    bool LoadWithAlpha(CResourceManager* resourceManager, const std::string& colourFileName,
                       const std::string& alphaFileName, bool wrap, bool mipmaps);

    bool LoadTarga(const uint8_t* data, size_t size, bool wrap, bool mipmaps);
    bool LoadJpeg(const uint8_t* data, size_t size, bool wrap, bool mipmaps);
    bool LoadDds(const uint8_t* data, size_t size, bool wrap);
    // Records the image's size and components and uploads it when a context exists.
    void LoadImage(const NImageDecoder::SImage& image, bool wrap, bool mipmaps);

    void Release();
    // Quad of the texture's own size, top-left at (x, y); the caller binds.
    void Draw(float x, float y, float z) const;
    void Bind() const;

    uint32_t GetGLName() const { return m_gl_name; }
    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }
    int GetComponents() const { return m_components; }

  private:
    uint32_t m_gl_name = 0;
    int m_width = 0;
    int m_height = 0;
    int m_components = 0;
};
