#include "engine/ImageDecoder.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <jerror.h>
#include <jpeglib.h>

namespace NImageDecoder
{
namespace
{
constexpr int kTargaHeaderSize = 18;
constexpr uint8_t kTargaHeader[12] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};

// Larger pictures are refused before allocating: a few bytes of JPEG header
// can claim gigabytes of pixels.
constexpr int kMaxSide = 16384;
constexpr uint64_t kMaxPixels = 4096ull * 4096ull;

uint32_t ReadU32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

// --- JPEG -------------------------------------------------------------------

constexpr size_t kJpegChunk = 4096;

struct SJpegError
{
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

struct SJpegSource
{
    jpeg_source_mgr base;
    const uint8_t* data;
    size_t size;
    size_t position;
    bool startOfFile;
};

void JpegErrorExit(j_common_ptr cinfo)
{
    // Back to the decoder instead of ending the program.
    std::longjmp(reinterpret_cast<SJpegError*>(cinfo->err)->jump, 1);
}

void JpegOutputMessage(j_common_ptr) {}

void JpegInitSource(j_decompress_ptr cinfo)
{
    reinterpret_cast<SJpegSource*>(cinfo->src)->startOfFile = true;
}

boolean JpegFillInputBuffer(j_decompress_ptr cinfo)
{
    static const JOCTET kFakeEoi[2] = {0xFF, JPEG_EOI};
    auto* src = reinterpret_cast<SJpegSource*>(cinfo->src);
    size_t remaining = src->size - src->position;
    if (remaining == 0)
    {
        if (src->startOfFile)
            ERREXIT(cinfo, JERR_INPUT_EMPTY);
        // A truncated picture still decodes: end it with a fake end-of-image marker.
        WARNMS(cinfo, JWRN_JPEG_EOF);
        src->base.next_input_byte = kFakeEoi;
        src->base.bytes_in_buffer = 2;
        return TRUE;
    }
    size_t chunk = remaining < kJpegChunk ? remaining : kJpegChunk;
    src->base.next_input_byte = src->data + src->position;
    src->base.bytes_in_buffer = chunk;
    src->position += chunk;
    src->startOfFile = false;
    return TRUE;
}

void JpegSkipInputData(j_decompress_ptr cinfo, long count)
{
    auto* src = reinterpret_cast<SJpegSource*>(cinfo->src);
    if (count <= 0)
        return;
    while (count > static_cast<long>(src->base.bytes_in_buffer))
    {
        count -= static_cast<long>(src->base.bytes_in_buffer);
        JpegFillInputBuffer(cinfo);
    }
    src->base.next_input_byte += count;
    src->base.bytes_in_buffer -= static_cast<size_t>(count);
}

void JpegTermSource(j_decompress_ptr) {}

// Only trivially destructible locals live here, because errors leave by longjmp.
bool DecodeJpegInto(const uint8_t* data, size_t size, SImage* out)
{
    jpeg_decompress_struct cinfo;
    SJpegError error;
    SJpegSource source;
    cinfo.err = jpeg_std_error(&error.base);
    error.base.error_exit = JpegErrorExit;
    error.base.output_message = JpegOutputMessage;
    if (setjmp(error.jump))
    {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);

    std::memset(&source, 0, sizeof(source));
    source.data = data;
    source.size = size;
    source.base.init_source = JpegInitSource;
    source.base.fill_input_buffer = JpegFillInputBuffer;
    source.base.skip_input_data = JpegSkipInputData;
    source.base.resync_to_restart = jpeg_resync_to_restart;
    source.base.term_source = JpegTermSource;
    cinfo.src = &source.base;

    jpeg_read_header(&cinfo, TRUE);
    if (cinfo.jpeg_color_space != JCS_GRAYSCALE)
        cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);

    int width = static_cast<int>(cinfo.output_width);
    int height = static_cast<int>(cinfo.output_height);
    int components = cinfo.output_components;
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide ||
        static_cast<uint64_t>(width) * static_cast<uint64_t>(height) > kMaxPixels ||
        (components != 1 && components != 3))
    {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    size_t rowBytes = static_cast<size_t>(width) * static_cast<size_t>(components);
    out->pixels.resize(rowBytes * static_cast<size_t>(height));
    // Rows from the last row of the buffer upwards: row 0 is the picture's bottom, as in targa.
    while (cinfo.output_scanline < cinfo.output_height)
    {
        JSAMPROW row =
            out->pixels.data() + rowBytes * (static_cast<size_t>(height) - 1 - cinfo.output_scanline);
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    out->width = width;
    out->height = height;
    out->components = components;
    return true;
}

// --- DDS --------------------------------------------------------------------

constexpr size_t kDdsHeaderSize = 128; // magic + 124-byte header
constexpr uint32_t kDdsdMipmapCount = 0x20000;
constexpr uint32_t kDdpfFourCC = 0x4;
constexpr uint32_t kDdpfRgb = 0x40;
constexpr uint32_t kDdpfLuminance = 0x20000;

uint32_t FourCC(const char* s)
{
    return ReadU32(reinterpret_cast<const uint8_t*>(s));
}
} // namespace

bool DecodeTarga(const uint8_t* data, int size, SImage& out)
{
    if (data == nullptr || size < kTargaHeaderSize ||
        std::memcmp(data, kTargaHeader, sizeof(kTargaHeader)) != 0)
        return false;
    int width = data[12] + 256 * data[13];
    int height = data[14] + 256 * data[15];
    int bits = data[16];
    if (width <= 0 || height <= 0 || (bits != 24 && bits != 32))
        return false;
    int components = bits / 8;
    size_t bytes = static_cast<size_t>(width) * static_cast<size_t>(height) * static_cast<size_t>(components);
    if (bytes > static_cast<size_t>(size - kTargaHeaderSize))
        return false;

    out.width = width;
    out.height = height;
    out.components = components;
    out.pixels.assign(data + kTargaHeaderSize, data + kTargaHeaderSize + bytes);
    for (size_t i = 0; i < bytes; i += static_cast<size_t>(components))
        std::swap(out.pixels[i], out.pixels[i + 2]);
    return true;
}

bool DecodeJpeg(const uint8_t* data, int size, SImage& out)
{
    out = SImage();
    if (data == nullptr || size <= 0)
        return false;
    SImage decoded;
    if (!DecodeJpegInto(data, static_cast<size_t>(size), &decoded))
        return false;
    out = std::move(decoded);
    return true;
}

bool DecodeDds(const uint8_t* data, int size, SDdsImage& out)
{
    out = SDdsImage();
    if (data == nullptr || size < static_cast<int>(kDdsHeaderSize) || std::memcmp(data, "DDS ", 4) != 0)
        return false;
    const uint8_t* header = data + 4;
    uint32_t flags = ReadU32(header + 4);
    uint32_t height = ReadU32(header + 8);
    uint32_t width = ReadU32(header + 12);
    uint32_t mipCount = ReadU32(header + 24);
    const uint8_t* pixelFormat = header + 72;
    uint32_t pfFlags = ReadU32(pixelFormat + 4);
    uint32_t fourCC = ReadU32(pixelFormat + 8);
    uint32_t bitCount = ReadU32(pixelFormat + 12);
    if (width == 0 || height == 0 || width > static_cast<uint32_t>(kMaxSide) ||
        height > static_cast<uint32_t>(kMaxSide))
        return false;

    SDdsImage image;
    size_t blockBytes = 0; // compressed: bytes per 4 x 4 block
    size_t pixelBytes = 0; // uncompressed: bytes per pixel
    if (pfFlags & kDdpfFourCC)
    {
        if (fourCC == FourCC("DXT1"))
        {
            image.format = EDdsFormat::Dxt1;
            blockBytes = 8;
            image.components = 3;
        }
        else if (fourCC == FourCC("DXT3"))
        {
            image.format = EDdsFormat::Dxt3;
            blockBytes = 16;
            image.components = 4;
        }
        else if (fourCC == FourCC("DXT5"))
        {
            image.format = EDdsFormat::Dxt5;
            blockBytes = 16;
            image.components = 4;
        }
        else
        {
            return false;
        }
    }
    else if ((pfFlags & (kDdpfRgb | kDdpfLuminance)) && bitCount == 32)
    {
        image.format = EDdsFormat::Bgra;
        pixelBytes = 4;
    }
    else if ((pfFlags & (kDdpfRgb | kDdpfLuminance)) && bitCount == 24)
    {
        image.format = EDdsFormat::Bgr;
        pixelBytes = 3;
    }
    else if ((pfFlags & (kDdpfRgb | kDdpfLuminance)) && bitCount == 8)
    {
        image.format = EDdsFormat::Luminance;
        pixelBytes = 1;
    }
    else
    {
        return false;
    }
    if (pixelBytes != 0)
        image.components = static_cast<int>(pixelBytes);

    // The chain never goes below 1 x 1, whatever count the header claims.
    uint32_t maxLevels = 1;
    for (uint32_t side = width > height ? width : height; side > 1; side /= 2)
        ++maxLevels;
    uint32_t levels = (flags & kDdsdMipmapCount) && mipCount > 0 ? mipCount : 1;
    if (levels > maxLevels)
        levels = maxLevels;

    size_t position = kDdsHeaderSize;
    size_t available = static_cast<size_t>(size);
    uint32_t w = width, h = height;
    for (uint32_t level = 0; level < levels; ++level)
    {
        size_t bytes = blockBytes != 0 ? static_cast<size_t>((w + 3) / 4) * ((h + 3) / 4) * blockBytes
                                       : static_cast<size_t>(w) * h * pixelBytes;
        if (bytes > available - position)
            return false; // truncated: a partial mipmap chain would draw wrongly
        SDdsLevel entry;
        entry.width = static_cast<int>(w);
        entry.height = static_cast<int>(h);
        entry.data.assign(data + position, data + position + bytes);
        image.levels.push_back(std::move(entry));
        position += bytes;
        w = w > 1 ? w / 2 : 1;
        h = h > 1 ? h / 2 : 1;
    }
    out = std::move(image);
    return true;
}

bool CombineAlpha(const SImage& colour, const SImage& alpha, SImage& out)
{
    if (colour.components != 3 || alpha.components != 1 || colour.width != alpha.width ||
        colour.height != alpha.height || colour.width <= 0 || colour.height <= 0)
        return false;
    size_t count = static_cast<size_t>(colour.width) * static_cast<size_t>(colour.height);
    if (colour.pixels.size() < count * 3 || alpha.pixels.size() < count)
        return false;
    SImage result;
    result.width = colour.width;
    result.height = colour.height;
    result.components = 4;
    result.pixels.resize(count * 4);
    for (size_t i = 0; i < count; ++i)
    {
        result.pixels[i * 4 + 0] = colour.pixels[i * 3 + 0];
        result.pixels[i * 4 + 1] = colour.pixels[i * 3 + 1];
        result.pixels[i * 4 + 2] = colour.pixels[i * 3 + 2];
        result.pixels[i * 4 + 3] = alpha.pixels[i];
    }
    out = std::move(result);
    return true;
}
} // namespace NImageDecoder
