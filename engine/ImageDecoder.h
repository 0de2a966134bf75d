// Decoding of targa, JPEG and DDS pictures into pixel buffers, apart from any
// GL upload so it runs without a window. Every reader bounds-checks its input and fails cleanly.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace NImageDecoder
{
// Rows bottom to top (the GL texture order), components bytes per pixel.
struct SImage
{
    int width = 0;
    int height = 0;
    int components = 0;
    std::vector<uint8_t> pixels;
};

enum class EDdsFormat
{
    Dxt1,
    Dxt3,
    Dxt5,
    Bgra,      // 32-bit uncompressed, stored blue, green, red, alpha
    Bgr,       // 24-bit uncompressed, stored blue, green, red
    Luminance, // 8-bit uncompressed
};

struct SDdsLevel
{
    int width = 0;
    int height = 0;
    std::vector<uint8_t> data;
};

struct SDdsImage
{
    EDdsFormat format = EDdsFormat::Bgra;
    int components = 0;
    std::vector<SDdsLevel> levels; // level 0 first; at least one on success
};

// Uncompressed true-colour targa, 24 or 32 bits; blue and red are exchanged.
bool DecodeTarga(const uint8_t* data, size_t size, SImage& out);
// JPEG through libjpeg; a corrupt file fails, a truncated one still decodes.
bool DecodeJpeg(const uint8_t* data, size_t size, SImage& out);
// DXT1/3/5 and uncompressed 32/24/8-bit DDS with their stored mipmap levels,
// turned bottom row first like the other readers. Uncompressed colour comes
// out in Bgra/Bgr byte order whatever the file's masks; a 32-bit file without
// alpha comes out opaque.
bool DecodeDds(const uint8_t* data, size_t size, SDdsImage& out);
// RGB colour plus a grey alpha picture of the same size into RGBA.
bool CombineAlpha(const SImage& colour, const SImage& alpha, SImage& out);
} // namespace NImageDecoder
