#include "engine/ImageDecoder.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <jerror.h>
#include <jpeglib.h>

namespace NImageDecoder
{
namespace
{
constexpr size_t kTargaHeaderSize = 18;
constexpr uint8_t kTargaHeader[12] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};

// Larger pictures are refused before allocating: a few bytes of JPEG header
// can claim gigabytes of pixels.
constexpr int kMaxSide = 16384;
constexpr uint64_t kMaxPixels = 4096ull * 4096ull;

bool IsAcceptedSize(uint64_t width, uint64_t height)
{
    return width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide && width * height <= kMaxPixels;
}

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
    // Checked before jpeg_start_decompress: for a progressive file that call
    // already allocates coefficient memory for the whole claimed picture.
    if (!IsAcceptedSize(cinfo.image_width, cinfo.image_height))
    {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    if (cinfo.jpeg_color_space != JCS_GRAYSCALE)
        cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);

    int width = static_cast<int>(cinfo.output_width);
    int height = static_cast<int>(cinfo.output_height);
    int components = cinfo.output_components;
    if (!IsAcceptedSize(cinfo.output_width, cinfo.output_height) || (components != 1 && components != 3))
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
constexpr uint32_t kDdpfAlphaPixels = 0x1;
constexpr uint32_t kDdpfFourCC = 0x4;
constexpr uint32_t kDdpfRgb = 0x40;
constexpr uint32_t kDdpfLuminance = 0x20000;
constexpr int kBlockSide = 4;

uint32_t FourCC(const char* s)
{
    return ReadU32(reinterpret_cast<const uint8_t*>(s));
}

// The byte a channel mask selects within a pixel, or -1 unless the mask is
// one whole byte of it.
int MaskByte(uint32_t mask, size_t pixelBytes)
{
    for (size_t i = 0; i < pixelBytes; ++i)
        if (mask == 0xFFu << (8 * i))
            return static_cast<int>(i);
    return -1;
}

// Where blue, green, red (and alpha) sit in a stored pixel; uncompressed
// levels are rewritten into that canonical order, which is what gets uploaded.
struct SChannelLayout
{
    int source[4] = {-1, -1, -1, -1}; // B, G, R, A; alpha -1 = opaque
};

bool ReadChannelLayout(const uint8_t* pixelFormat, uint32_t pfFlags, size_t pixelBytes, SChannelLayout& layout)
{
    const int red = MaskByte(ReadU32(pixelFormat + 16), pixelBytes);
    const int green = MaskByte(ReadU32(pixelFormat + 20), pixelBytes);
    const int blue = MaskByte(ReadU32(pixelFormat + 24), pixelBytes);
    if (red < 0 || green < 0 || blue < 0 || red == green || red == blue || green == blue)
        return false;
    layout.source[0] = blue;
    layout.source[1] = green;
    layout.source[2] = red;
    layout.source[3] = -1;
    if (pixelBytes == 4 && (pfFlags & kDdpfAlphaPixels))
    {
        const int alpha = MaskByte(ReadU32(pixelFormat + 28), pixelBytes);
        if (alpha < 0 || alpha == red || alpha == green || alpha == blue)
            return false;
        layout.source[3] = alpha;
    }
    return true;
}

void ToCanonicalOrder(std::vector<uint8_t>& data, size_t pixelBytes, const SChannelLayout& layout)
{
    uint8_t pixel[4];
    for (size_t at = 0; at + pixelBytes <= data.size(); at += pixelBytes)
    {
        for (size_t k = 0; k < pixelBytes; ++k)
            pixel[k] = layout.source[k] < 0 ? 0xFF : data[at + static_cast<size_t>(layout.source[k])];
        std::memcpy(&data[at], pixel, pixelBytes);
    }
}

// Turns a level upside down, so that its first row is the picture's bottom
// row as with targa and JPEG.
void FlipRows(std::vector<uint8_t>& data, size_t rowBytes, size_t rows)
{
    std::vector<uint8_t> row(rowBytes);
    for (size_t top = 0, bottom = rows - 1; top < bottom; ++top, --bottom)
    {
        std::memcpy(row.data(), &data[top * rowBytes], rowBytes);
        std::memcpy(&data[top * rowBytes], &data[bottom * rowBytes], rowBytes);
        std::memcpy(&data[bottom * rowBytes], row.data(), rowBytes);
    }
}

// Reverses the first `rows` texel rows of one DXT colour block: one byte of
// 2-bit indices per row after the two end colours.
void FlipColourBlock(uint8_t* block, int rows)
{
    std::reverse(block + 4, block + 4 + rows);
}

// DXT3 alpha: 16 bits of 4-bit alpha per row.
void FlipExplicitAlphaBlock(uint8_t* block, int rows)
{
    for (int top = 0, bottom = rows - 1; top < bottom; ++top, --bottom)
    {
        std::swap(block[2 * top], block[2 * bottom]);
        std::swap(block[2 * top + 1], block[2 * bottom + 1]);
    }
}

// DXT5 alpha: two end values, then 48 bits of 3-bit indices, 12 bits per row.
void FlipInterpolatedAlphaBlock(uint8_t* block, int rows)
{
    uint64_t bits = 0;
    for (int i = 0; i < 6; ++i)
        bits |= static_cast<uint64_t>(block[2 + i]) << (8 * i);
    uint64_t flipped = bits;
    for (int row = 0; row < rows; ++row)
    {
        const uint64_t value = (bits >> (12 * row)) & 0xFFF;
        const int to = rows - 1 - row;
        flipped &= ~(uint64_t{0xFFF} << (12 * to));
        flipped |= value << (12 * to);
    }
    for (int i = 0; i < 6; ++i)
        block[2 + i] = static_cast<uint8_t>(flipped >> (8 * i));
}

// False when the level cannot be flipped block by block: a height above one
// block that is not a whole number of blocks would mix rows of two blocks.
bool FlipCompressedLevel(std::vector<uint8_t>& data, EDdsFormat format, uint32_t width, uint32_t height)
{
    if (height > kBlockSide && height % kBlockSide != 0)
        return false;
    const size_t blockBytes = format == EDdsFormat::Dxt1 ? 8 : 16;
    const size_t blocksAcross = (width + kBlockSide - 1) / kBlockSide;
    const size_t blockRows = (height + kBlockSide - 1) / kBlockSide;
    FlipRows(data, blocksAcross * blockBytes, blockRows);
    const int rows = height < kBlockSide ? static_cast<int>(height) : kBlockSide;
    for (size_t at = 0; at + blockBytes <= data.size(); at += blockBytes)
    {
        uint8_t* block = &data[at];
        if (format == EDdsFormat::Dxt3)
            FlipExplicitAlphaBlock(block, rows);
        else if (format == EDdsFormat::Dxt5)
            FlipInterpolatedAlphaBlock(block, rows);
        FlipColourBlock(format == EDdsFormat::Dxt1 ? block : block + 8, rows);
    }
    return true;
}
} // namespace

bool DecodeTarga(const uint8_t* data, size_t size, SImage& out)
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
    if (bytes > size - kTargaHeaderSize)
        return false;

    out.width = width;
    out.height = height;
    out.components = components;
    out.pixels.assign(data + kTargaHeaderSize, data + kTargaHeaderSize + bytes);
    for (size_t i = 0; i < bytes; i += static_cast<size_t>(components))
        std::swap(out.pixels[i], out.pixels[i + 2]);
    return true;
}

bool DecodeJpeg(const uint8_t* data, size_t size, SImage& out)
{
    out = SImage();
    if (data == nullptr || size == 0)
        return false;
    SImage decoded;
    if (!DecodeJpegInto(data, size, &decoded))
        return false;
    out = std::move(decoded);
    return true;
}

bool DecodeDds(const uint8_t* data, size_t size, SDdsImage& out)
{
    out = SDdsImage();
    if (data == nullptr || size < kDdsHeaderSize || std::memcmp(data, "DDS ", 4) != 0)
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
    SChannelLayout layout;
    if (pfFlags & kDdpfFourCC)
    {
        if (fourCC == FourCC("DXT1"))
        {
            image.format = EDdsFormat::Dxt1;
            blockBytes = 8;
        }
        else if (fourCC == FourCC("DXT3"))
        {
            image.format = EDdsFormat::Dxt3;
            blockBytes = 16;
        }
        else if (fourCC == FourCC("DXT5"))
        {
            image.format = EDdsFormat::Dxt5;
            blockBytes = 16;
        }
        else
        {
            return false;
        }
        // DXT1 as well: its blocks may hold one-bit transparent texels.
        image.components = 4;
    }
    else if ((pfFlags & kDdpfRgb) && (bitCount == 32 || bitCount == 24))
    {
        // Any byte order the masks describe is taken; other layouts are refused
        // rather than shown with the wrong colours.
        pixelBytes = bitCount / 8;
        if (!ReadChannelLayout(pixelFormat, pfFlags, pixelBytes, layout))
            return false;
        image.format = bitCount == 32 ? EDdsFormat::Bgra : EDdsFormat::Bgr;
    }
    else if ((pfFlags & kDdpfLuminance) && !(pfFlags & (kDdpfRgb | kDdpfAlphaPixels)) && bitCount == 8)
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
    size_t available = size;
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
        if (blockBytes != 0)
        {
            // The chain ends before a level that cannot be turned the right way up.
            if (!FlipCompressedLevel(entry.data, image.format, w, h))
            {
                if (level == 0)
                    return false;
                break;
            }
        }
        else
        {
            if (image.format != EDdsFormat::Luminance)
                ToCanonicalOrder(entry.data, pixelBytes, layout);
            FlipRows(entry.data, static_cast<size_t>(w) * pixelBytes, h);
        }
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
