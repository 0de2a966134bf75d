#include "engine/ImageDecoder.h"

#include "FoundationTestUtil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>

#include <sys/resource.h>

using namespace NImageDecoder;

namespace
{
void PutU32(std::vector<uint8_t>& out, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

// A DDS header; data follows at offset 128.
std::vector<uint8_t> DdsHeader(uint32_t width, uint32_t height, uint32_t mips, const char* fourCC,
                               uint32_t bits = 0)
{
    std::vector<uint8_t> file(128, 0);
    file[0] = 'D', file[1] = 'D', file[2] = 'S', file[3] = ' ';
    PutU32(file, 4, 124);
    PutU32(file, 8, 0x1007 | (mips ? 0x20000u : 0u));
    PutU32(file, 12, height);
    PutU32(file, 16, width);
    PutU32(file, 28, mips);
    PutU32(file, 76, 32);
    if (fourCC)
    {
        PutU32(file, 80, 0x4);
        for (int i = 0; i < 4; ++i)
            file[84 + i] = static_cast<uint8_t>(fourCC[i]);
    }
    else if (bits == 8)
    {
        PutU32(file, 80, 0x20000u);
        PutU32(file, 88, bits);
        PutU32(file, 92, 0xFF);
    }
    else
    {
        // The common layouts: A8R8G8B8 and R8G8B8.
        PutU32(file, 80, bits == 32 ? 0x41u : 0x40u);
        PutU32(file, 88, bits);
        PutU32(file, 92, 0x00FF0000);
        PutU32(file, 96, 0x0000FF00);
        PutU32(file, 100, 0x000000FF);
        PutU32(file, 104, bits == 32 ? 0xFF000000u : 0u);
    }
    return file;
}

std::vector<uint8_t> WithData(std::vector<uint8_t> file, size_t bytes)
{
    for (size_t i = 0; i < bytes; ++i)
        file.push_back(static_cast<uint8_t>(i));
    return file;
}

size_t FindMarker(const std::vector<uint8_t>& jpeg, uint8_t marker)
{
    for (size_t i = 0; i + 1 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && jpeg[i + 1] == marker)
            return i;
    return jpeg.size();
}

// Channel masks (red, green, blue, alpha) and flags of an uncompressed header.
std::vector<uint8_t> WithMasks(std::vector<uint8_t> file, uint32_t flags, uint32_t red, uint32_t green,
                               uint32_t blue, uint32_t alpha)
{
    PutU32(file, 80, flags);
    PutU32(file, 92, red);
    PutU32(file, 96, green);
    PutU32(file, 100, blue);
    PutU32(file, 104, alpha);
    return file;
}

std::vector<uint8_t> Append(std::vector<uint8_t> file, const std::vector<uint8_t>& data)
{
    file.insert(file.end(), data.begin(), data.end());
    return file;
}

std::vector<uint8_t> Level(const SDdsImage& image, size_t level)
{
    return level < image.levels.size() ? image.levels[level].data : std::vector<uint8_t>{};
}

// Overwrites the frame size (height, width) of the first start-of-frame marker.
void ClaimSize(std::vector<uint8_t>& jpeg, uint8_t marker, int width, int height)
{
    const size_t sof = FindMarker(jpeg, marker);
    ASSERT_LT(sof + 9, jpeg.size());
    jpeg[sof + 5] = static_cast<uint8_t>(height >> 8), jpeg[sof + 6] = static_cast<uint8_t>(height);
    jpeg[sof + 7] = static_cast<uint8_t>(width >> 8), jpeg[sof + 8] = static_cast<uint8_t>(width);
}

// --- Picture files made by other programs -----------------------------------

// Pixels as another program decoded them: netpbm P5, P6 or P7, rows top first.
struct SReference
{
    int width = 0, height = 0, depth = 0;
    std::vector<uint8_t> pixels;
    const uint8_t* At(int x, int y) const
    {
        return &pixels[(static_cast<size_t>(y) * width + x) * depth];
    }
};

std::string PictureFile(const std::string& name)
{
    return std::string(ZONVEL_SOURCE_DIR) + "/tests/data/pictures/" + name;
}

SReference ReadReference(const std::string& name)
{
    const std::vector<uint8_t> bytes = NTestUtil::ReadBytes(PictureFile(name));
    SReference ref;
    std::string text(bytes.begin(), bytes.end());
    size_t data = 0;
    if (text.rfind("P7", 0) == 0)
    {
        const size_t end = text.find("ENDHDR\n");
        std::istringstream header(text.substr(3, end - 3));
        std::string key;
        int value = 0;
        while (header >> key)
        {
            if (key == "TUPLTYPE")
            {
                header >> key;
                continue;
            }
            header >> value;
            if (key == "WIDTH")
                ref.width = value;
            else if (key == "HEIGHT")
                ref.height = value;
            else if (key == "DEPTH")
                ref.depth = value;
        }
        data = end + 7;
    }
    else
    {
        std::istringstream header(text.substr(2, 40));
        int maxValue = 0;
        header >> ref.width >> ref.height >> maxValue;
        ref.depth = text[1] == '5' ? 1 : 3;
        data = 2 + static_cast<size_t>(header.tellg()) + 1;
    }
    ref.pixels.assign(bytes.begin() + static_cast<long>(data), bytes.end());
    return ref;
}

// Decompresses DXT1 (with its one-bit alpha) and DXT5 levels to RGBA, rows
// in the order the blocks hold them.
std::vector<uint8_t> Decompress(const SDdsLevel& level, EDdsFormat format)
{
    std::vector<uint8_t> rgba(static_cast<size_t>(level.width) * level.height * 4);
    const size_t blockBytes = format == EDdsFormat::Dxt1 ? 8 : 16;
    const int across = (level.width + 3) / 4;
    for (size_t b = 0; b * blockBytes < level.data.size(); ++b)
    {
        const uint8_t* block = &level.data[b * blockBytes];
        const uint8_t* colour = format == EDdsFormat::Dxt1 ? block : block + 8;
        uint8_t palette[4][4];
        const int c0 = colour[0] | colour[1] << 8, c1 = colour[2] | colour[3] << 8;
        for (int i = 0; i < 2; ++i)
        {
            const int c = i == 0 ? c0 : c1;
            palette[i][0] = static_cast<uint8_t>((c >> 11) * 255 / 31);
            palette[i][1] = static_cast<uint8_t>(((c >> 5) & 63) * 255 / 63);
            palette[i][2] = static_cast<uint8_t>((c & 31) * 255 / 31);
            palette[i][3] = 255;
        }
        for (int k = 0; k < 3; ++k)
        {
            const bool four = c0 > c1 || format != EDdsFormat::Dxt1;
            palette[2][k] = static_cast<uint8_t>(four ? (2 * palette[0][k] + palette[1][k]) / 3
                                                      : (palette[0][k] + palette[1][k]) / 2);
            palette[3][k] = static_cast<uint8_t>(four ? (palette[0][k] + 2 * palette[1][k]) / 3 : 0);
            palette[2][3] = 255;
            palette[3][3] = four ? 255 : 0;
        }
        uint8_t alphas[8] = {};
        uint64_t alphaBits = 0;
        if (format == EDdsFormat::Dxt5)
        {
            alphas[0] = block[0];
            alphas[1] = block[1];
            for (int i = 2; i < 8; ++i)
                alphas[i] = static_cast<uint8_t>(
                    block[0] > block[1] ? ((8 - i) * block[0] + (i - 1) * block[1]) / 7
                    : i < 6             ? ((6 - i) * block[0] + (i - 1) * block[1]) / 5
                                        : (i == 6 ? 0 : 255));
            for (int i = 0; i < 6; ++i)
                alphaBits |= static_cast<uint64_t>(block[2 + i]) << (8 * i);
        }
        const int bx = static_cast<int>(b % static_cast<size_t>(across)) * 4;
        const int by = static_cast<int>(b / static_cast<size_t>(across)) * 4;
        for (int row = 0; row < 4; ++row)
            for (int col = 0; col < 4; ++col)
            {
                const int x = bx + col, y = by + row;
                if (x >= level.width || y >= level.height)
                    continue;
                uint8_t* out = &rgba[(static_cast<size_t>(y) * level.width + x) * 4];
                std::memcpy(out, palette[(colour[4 + row] >> (2 * col)) & 3], 4);
                if (format == EDdsFormat::Dxt5)
                    out[3] = alphas[(alphaBits >> (3 * (4 * row + col))) & 7];
            }
    }
    return rgba;
}

// Compares a decoded picture (bottom row first, `components` bytes) with a
// reference (top row first) within `tolerance` per channel.
void ExpectPixels(const std::vector<uint8_t>& pixels, int width, int height, int components,
                  const SReference& ref, int tolerance, const std::string& what)
{
    ASSERT_EQ(width, ref.width) << what;
    ASSERT_EQ(height, ref.height) << what;
    ASSERT_EQ(pixels.size(), static_cast<size_t>(width) * height * components) << what;
    int wrong = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int k = 0; k < std::min(components, ref.depth); ++k)
            {
                const int got = pixels[(static_cast<size_t>(height - 1 - y) * width + x) * components + k];
                if (std::abs(got - ref.At(x, y)[k]) > tolerance && wrong++ < 5)
                    ADD_FAILURE() << what << " at (" << x << ", " << y << ") channel " << k << ": " << got
                                  << " instead of " << int(ref.At(x, y)[k]);
            }
}

SDdsImage ReadDds(const std::string& name)
{
    const std::vector<uint8_t> file = NTestUtil::ReadBytes(PictureFile(name));
    SDdsImage image;
    EXPECT_TRUE(DecodeDds(file.data(), file.size(), image)) << name;
    return image;
}

// BGRA or BGR level data as RGB(A), for comparing with other decoders.
std::vector<uint8_t> SwapBlueAndRed(std::vector<uint8_t> data, size_t components)
{
    for (size_t i = 0; i + 2 < data.size(); i += components)
        std::swap(data[i], data[i + 2]);
    return data;
}

long PeakResidentKb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}
} // namespace

TEST(ImageDecoder, TargaSwapsBlueAndRedAndKeepsBottomRowFirst)
{
    // File order: bottom row first. Bottom-left is blue, top-right is red with alpha 7.
    std::vector<uint8_t> pixels = {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 255, 7};
    std::vector<uint8_t> file = NTestUtil::MakeTarga(2, 2, 32, pixels);
    SImage image;
    ASSERT_TRUE(DecodeTarga(file.data(), file.size(), image));
    EXPECT_EQ(image.width, 2);
    EXPECT_EQ(image.height, 2);
    EXPECT_EQ(image.components, 4);
    EXPECT_EQ(image.pixels,
              (std::vector<uint8_t>{0, 0, 255, 255, 0, 255, 0, 255, 0, 0, 0, 255, 255, 0, 0, 7}));

    std::vector<uint8_t> rgb = NTestUtil::MakeTarga(1, 1, 24, {1, 2, 3});
    rgb.push_back(99); // trailing bytes (a footer) are allowed
    ASSERT_TRUE(DecodeTarga(rgb.data(), rgb.size(), image));
    EXPECT_EQ(image.components, 3);
    EXPECT_EQ(image.pixels, (std::vector<uint8_t>{3, 2, 1}));
}

TEST(ImageDecoder, TargaRejectsOtherKindsAndShortFiles)
{
    SImage image;
    std::vector<uint8_t> good = NTestUtil::MakeTarga(2, 1, 24, {1, 2, 3, 4, 5, 6});
    auto decodes = [&](std::vector<uint8_t> file)
    { return DecodeTarga(file.data(), file.size(), image); };
    EXPECT_TRUE(decodes(good));
    std::vector<uint8_t> compressed = good;
    compressed[2] = 10;
    EXPECT_FALSE(decodes(compressed));
    std::vector<uint8_t> withId = good;
    withId[0] = 4;
    EXPECT_FALSE(decodes(withId));
    EXPECT_FALSE(decodes(NTestUtil::MakeTarga(0, 1, 24, {})));
    EXPECT_FALSE(decodes(NTestUtil::MakeTarga(1, 0, 24, {})));
    EXPECT_FALSE(decodes(NTestUtil::MakeTarga(1, 1, 16, {1, 2})));
    std::vector<uint8_t> truncated(good.begin(), good.end() - 1);
    EXPECT_FALSE(decodes(truncated));
    EXPECT_FALSE(decodes(NTestUtil::MakeTarga(65535, 65535, 32, {1, 2, 3, 4})));
    EXPECT_FALSE(decodes(std::vector<uint8_t>(good.begin(), good.begin() + 17)));
    EXPECT_FALSE(DecodeTarga(nullptr, 0, image));
}

TEST(ImageDecoder, JpegDecodesBottomRowFirst)
{
    // Top half red, bottom half blue, rows given top first.
    const int w = 16, h = 16;
    std::vector<uint8_t> rgb;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            rgb.insert(rgb.end(), y < h / 2 ? std::initializer_list<uint8_t>{255, 0, 0}
                                            : std::initializer_list<uint8_t>{0, 0, 255});
    std::vector<uint8_t> jpeg = NTestUtil::MakeJpeg(w, h, 3, rgb);
    SImage image;
    ASSERT_TRUE(DecodeJpeg(jpeg.data(), jpeg.size(), image));
    EXPECT_EQ(image.width, w);
    EXPECT_EQ(image.height, h);
    EXPECT_EQ(image.components, 3);
    ASSERT_EQ(image.pixels.size(), static_cast<size_t>(w * h * 3));
    EXPECT_GT(image.pixels[2], 200); // first row in memory is the blue bottom
    EXPECT_LT(image.pixels[0], 50);
    size_t top = static_cast<size_t>((h - 1) * w * 3);
    EXPECT_GT(image.pixels[top], 200);
    EXPECT_LT(image.pixels[top + 2], 50);

    std::vector<uint8_t> grey = NTestUtil::MakeSolidJpeg(8, 4, 1, 200);
    ASSERT_TRUE(DecodeJpeg(grey.data(), grey.size(), image));
    EXPECT_EQ(image.components, 1);
    EXPECT_EQ(image.pixels.size(), 32u);
}

TEST(ImageDecoder, TruncatedJpegStillDecodesAndCorruptOneFails)
{
    std::vector<uint8_t> pixels(64 * 64 * 3);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = static_cast<uint8_t>(i * 13);
    std::vector<uint8_t> jpeg = NTestUtil::MakeJpeg(64, 64, 3, pixels);
    ASSERT_GT(jpeg.size(), 4096u); // more than one chunk of input
    SImage image;
    std::vector<uint8_t> cut(jpeg.begin(), jpeg.begin() + static_cast<long>(jpeg.size() * 2 / 3));
    ASSERT_TRUE(DecodeJpeg(cut.data(), cut.size(), image));
    EXPECT_EQ(image.width, 64);
    EXPECT_EQ(image.pixels.size(), pixels.size());

    EXPECT_FALSE(DecodeJpeg(jpeg.data(), 0, image));
    EXPECT_FALSE(DecodeJpeg(nullptr, 10, image));
    EXPECT_FALSE(DecodeJpeg(jpeg.data(), 2, image)); // only the start marker
    std::vector<uint8_t> garbage(1000, 0x5A);
    EXPECT_FALSE(DecodeJpeg(garbage.data(), garbage.size(), image));
    std::vector<uint8_t> headerOnly(jpeg.begin(),
                                    jpeg.begin() + static_cast<long>(FindMarker(jpeg, 0xC0) + 3));
    EXPECT_FALSE(DecodeJpeg(headerOnly.data(), headerOnly.size(), image));
    EXPECT_EQ(image.width, 0);
    EXPECT_TRUE(image.pixels.empty());
}

TEST(ImageDecoder, JpegClaimingHugeSizeIsRefused)
{
    SImage image;
    std::vector<uint8_t> jpeg = NTestUtil::MakeSolidJpeg(8, 8, 3);
    ClaimSize(jpeg, 0xC0, 65000, 65000);
    EXPECT_FALSE(DecodeJpeg(jpeg.data(), jpeg.size(), image));

    // Each side is allowed, the number of pixels is not.
    jpeg = NTestUtil::MakeSolidJpeg(8, 8, 3);
    ClaimSize(jpeg, 0xC0, 8192, 8192);
    EXPECT_FALSE(DecodeJpeg(jpeg.data(), jpeg.size(), image));
    EXPECT_TRUE(image.pixels.empty());
}

TEST(ImageDecoder, ProgressiveJpegClaimingHugeSizeIsRefusedBeforeAllocating)
{
    std::vector<uint8_t> pixels(16 * 16 * 3, 90);
    std::vector<uint8_t> jpeg = NTestUtil::MakeJpeg(16, 16, 3, pixels, 90, true);
    SImage image;
    ASSERT_TRUE(DecodeJpeg(jpeg.data(), jpeg.size(), image)) << "a progressive file decodes";
    EXPECT_EQ(image.width, 16);

    // A progressive decoder keeps every coefficient of the picture, and fills
    // them in while it reads the header's scans: 12000 x 12000 would take
    // hundreds of megabytes, 65000 x 65000 gigabytes, before a row comes out.
    std::vector<uint8_t> large = jpeg;
    ClaimSize(large, 0xC2, 12000, 12000);
    const long before = PeakResidentKb();
    EXPECT_FALSE(DecodeJpeg(large.data(), large.size(), image));
    EXPECT_LT(PeakResidentKb() - before, 64 * 1024) << "kilobytes more at the peak";
    ClaimSize(jpeg, 0xC2, 65000, 65000);
    EXPECT_FALSE(DecodeJpeg(jpeg.data(), jpeg.size(), image));
}

TEST(ImageDecoder, DdsReadsCompressedLevelsDownToOnePixel)
{
    SDdsImage image;
    // 8 x 8 DXT1: blocks 2 x 2, 1, 1, 1 -> 32 + 8 + 8 + 8 bytes.
    std::vector<uint8_t> dxt1 = WithData(DdsHeader(8, 8, 4, "DXT1"), 56);
    ASSERT_TRUE(DecodeDds(dxt1.data(), dxt1.size(), image));
    EXPECT_EQ(image.format, EDdsFormat::Dxt1);
    EXPECT_EQ(image.components, 4) << "DXT1 blocks may hold transparent texels";
    ASSERT_EQ(image.levels.size(), 4u);
    EXPECT_EQ(image.levels[0].data.size(), 32u);
    EXPECT_EQ(image.levels[0].data[0], 16) << "the file's second block row comes first";
    EXPECT_EQ(image.levels[1].data[0], 32);
    EXPECT_EQ(image.levels[3].width, 1);

    // A claimed count past 1 x 1 is cut to the real chain.
    std::vector<uint8_t> dxt5 = WithData(DdsHeader(4, 4, 20, "DXT5"), 48);
    ASSERT_TRUE(DecodeDds(dxt5.data(), dxt5.size(), image));
    EXPECT_EQ(image.format, EDdsFormat::Dxt5);
    EXPECT_EQ(image.levels.size(), 3u);

    // No mipmap flag: one level.
    std::vector<uint8_t> dxt3 = WithData(DdsHeader(4, 4, 0, "DXT3"), 16);
    ASSERT_TRUE(DecodeDds(dxt3.data(), dxt3.size(), image));
    EXPECT_EQ(image.levels.size(), 1u);
}

TEST(ImageDecoder, DdsColourFollowsTheMasksAndAlphaOnlyWithItsFlag)
{
    SDdsImage image;
    // One pixel wide, two high; file rows top first, red in the low byte.
    std::vector<uint8_t> abgr = Append(WithMasks(DdsHeader(1, 2, 0, nullptr, 32), 0x41, 0xFF, 0xFF00,
                                                 0xFF0000, 0xFF000000),
                                       {200, 10, 20, 30, 1, 2, 3, 4});
    ASSERT_TRUE(DecodeDds(abgr.data(), abgr.size(), image));
    EXPECT_EQ(image.format, EDdsFormat::Bgra);
    // Blue, green, red, alpha; the bottom row first.
    EXPECT_EQ(Level(image, 0), (std::vector<uint8_t>{3, 2, 1, 4, 20, 10, 200, 30}));

    // X8R8G8B8: the fourth byte is padding, the picture is opaque.
    std::vector<uint8_t> xrgb = Append(WithMasks(DdsHeader(2, 1, 0, nullptr, 32), 0x40, 0xFF0000, 0xFF00,
                                                 0xFF, 0xFF000000),
                                       {1, 2, 3, 0, 4, 5, 6, 0});
    ASSERT_TRUE(DecodeDds(xrgb.data(), xrgb.size(), image));
    EXPECT_EQ(image.components, 4);
    EXPECT_EQ(Level(image, 0), (std::vector<uint8_t>{1, 2, 3, 255, 4, 5, 6, 255}));

    // 24 bits with red first.
    std::vector<uint8_t> rgb =
        Append(WithMasks(DdsHeader(2, 1, 0, nullptr, 24), 0x40, 0xFF, 0xFF00, 0xFF0000, 0), {1, 2, 3, 4, 5, 6});
    ASSERT_TRUE(DecodeDds(rgb.data(), rgb.size(), image));
    EXPECT_EQ(image.format, EDdsFormat::Bgr);
    EXPECT_EQ(Level(image, 0), (std::vector<uint8_t>{3, 2, 1, 6, 5, 4}));

    // Layouts that are not whole bytes, or unnamed, are refused, never shown wrong.
    const std::vector<uint8_t> four(16, 7);
    auto refused = [&](std::vector<uint8_t> file)
    {
        file = Append(file, four);
        return !DecodeDds(file.data(), file.size(), image);
    };
    EXPECT_TRUE(refused(WithMasks(DdsHeader(2, 2, 0, nullptr, 32), 0x40, 0xF800, 0x07E0, 0x1F, 0)));
    EXPECT_TRUE(refused(WithMasks(DdsHeader(2, 2, 0, nullptr, 32), 0x40, 0, 0, 0, 0)));
    EXPECT_TRUE(refused(WithMasks(DdsHeader(2, 2, 0, nullptr, 32), 0x40, 0xFF, 0xFF, 0xFF00, 0)));
    EXPECT_TRUE(refused(WithMasks(DdsHeader(2, 2, 0, nullptr, 32), 0x41, 0xFF, 0xFF00, 0xFF0000, 0xF0)));
    EXPECT_TRUE(refused(WithMasks(DdsHeader(4, 4, 0, nullptr, 8), 0x40, 0xE0, 0x1C, 0x03, 0)));
    EXPECT_TRUE(refused(WithMasks(DdsHeader(2, 2, 0, nullptr, 32), 0x20000, 0xFF, 0, 0, 0)));
}

TEST(ImageDecoder, DdsLevelsComeBottomRowFirstLikeTheOtherPictures)
{
    SDdsImage image;
    // Uncompressed grey, 2 x 3: rows top first in the file.
    std::vector<uint8_t> grey = Append(DdsHeader(2, 3, 0, nullptr, 8), {1, 2, 3, 4, 5, 6});
    ASSERT_TRUE(DecodeDds(grey.data(), grey.size(), image));
    EXPECT_EQ(Level(image, 0), (std::vector<uint8_t>{5, 6, 3, 4, 1, 2}));

    // DXT1, 4 x 8 with every level: the two block rows swap and each block's
    // four index rows (one byte each) reverse; a 2-high level swaps its two rows.
    std::vector<uint8_t> dxt1 = Append(DdsHeader(4, 8, 4, "DXT1"),
                                       {1, 2, 3, 4, 0x10, 0x11, 0x12, 0x13, 5, 6, 7, 8, 0x20, 0x21, 0x22, 0x23,
                                        9, 9, 9, 9, 0x30, 0x31, 0x32, 0x33, 8, 8, 8, 8, 0x40, 0x41, 0x42, 0x43,
                                        7, 7, 7, 7, 0x50, 0x51, 0x52, 0x53});
    ASSERT_TRUE(DecodeDds(dxt1.data(), dxt1.size(), image));
    ASSERT_EQ(image.levels.size(), 4u);
    EXPECT_EQ(Level(image, 0), (std::vector<uint8_t>{5, 6, 7, 8, 0x23, 0x22, 0x21, 0x20, 1, 2, 3, 4, 0x13, 0x12,
                                                     0x11, 0x10}));
    EXPECT_EQ(Level(image, 1), (std::vector<uint8_t>{9, 9, 9, 9, 0x33, 0x32, 0x31, 0x30}));
    EXPECT_EQ(Level(image, 2), (std::vector<uint8_t>{8, 8, 8, 8, 0x41, 0x40, 0x42, 0x43}));
    EXPECT_EQ(Level(image, 3), (std::vector<uint8_t>{7, 7, 7, 7, 0x50, 0x51, 0x52, 0x53}));

    // DXT3: the explicit alpha rows (two bytes each) reverse as well.
    std::vector<uint8_t> dxt3 = Append(DdsHeader(4, 4, 0, "DXT3"),
                                       {1, 2, 3, 4, 5, 6, 7, 8, 9, 9, 9, 9, 0x10, 0x11, 0x12, 0x13});
    ASSERT_TRUE(DecodeDds(dxt3.data(), dxt3.size(), image));
    EXPECT_EQ(Level(image, 0), (std::vector<uint8_t>{7, 8, 5, 6, 3, 4, 1, 2, 9, 9, 9, 9, 0x13, 0x12, 0x11, 0x10}));

    // DXT5: 12 bits of alpha indices per row, after the two end values.
    const uint64_t rows = 0x123 | 0x456ull << 12 | 0x789ull << 24 | 0xABCull << 36;
    const uint64_t flipped = 0xABC | 0x789ull << 12 | 0x456ull << 24 | 0x123ull << 36;
    std::vector<uint8_t> block = {200, 100};
    for (int i = 0; i < 6; ++i)
        block.push_back(static_cast<uint8_t>(rows >> (8 * i)));
    block.insert(block.end(), {9, 9, 9, 9, 0x10, 0x11, 0x12, 0x13});
    std::vector<uint8_t> dxt5 = Append(DdsHeader(4, 4, 0, "DXT5"), block);
    ASSERT_TRUE(DecodeDds(dxt5.data(), dxt5.size(), image));
    std::vector<uint8_t> expected = {200, 100};
    for (int i = 0; i < 6; ++i)
        expected.push_back(static_cast<uint8_t>(flipped >> (8 * i)));
    expected.insert(expected.end(), {9, 9, 9, 9, 0x13, 0x12, 0x11, 0x10});
    EXPECT_EQ(Level(image, 0), expected);

    // A level 6 high cannot be turned block by block: the chain ends above it,
    // and a picture that starts with such a level is refused.
    std::vector<uint8_t> tall = WithData(DdsHeader(4, 12, 4, "DXT1"), 24 + 16 + 8 + 8);
    ASSERT_TRUE(DecodeDds(tall.data(), tall.size(), image));
    EXPECT_EQ(image.levels.size(), 1u);
    std::vector<uint8_t> six = WithData(DdsHeader(4, 6, 0, "DXT1"), 16);
    EXPECT_FALSE(DecodeDds(six.data(), six.size(), image));
}

TEST(ImageDecoder, DdsReadsUncompressedFormats)
{
    SDdsImage image;
    std::vector<uint8_t> bgra = WithData(DdsHeader(3, 3, 0, nullptr, 32), 36);
    ASSERT_TRUE(DecodeDds(bgra.data(), bgra.size(), image));
    EXPECT_EQ(image.format, EDdsFormat::Bgra);
    EXPECT_EQ(image.components, 4);
    std::vector<uint8_t> bgr = WithData(DdsHeader(3, 3, 2, nullptr, 24), 27 + 3);
    ASSERT_TRUE(DecodeDds(bgr.data(), bgr.size(), image));
    EXPECT_EQ(image.format, EDdsFormat::Bgr);
    EXPECT_EQ(image.levels.size(), 2u);
    std::vector<uint8_t> grey = WithData(DdsHeader(2, 2, 0, nullptr, 8), 4);
    ASSERT_TRUE(DecodeDds(grey.data(), grey.size(), image));
    EXPECT_EQ(image.format, EDdsFormat::Luminance);
}

TEST(ImageDecoder, DdsRejectsDamagedFiles)
{
    SDdsImage image;
    auto decodes = [&](const std::vector<uint8_t>& file)
    { return DecodeDds(file.data(), file.size(), image); };
    EXPECT_FALSE(decodes(WithData(DdsHeader(8, 8, 4, "DXT1"), 55))); // last level one byte short
    EXPECT_FALSE(decodes(DdsHeader(4, 4, 0, "DXT1")));               // no data at all
    EXPECT_FALSE(decodes(WithData(DdsHeader(0, 4, 0, "DXT1"), 8)));
    EXPECT_FALSE(decodes(WithData(DdsHeader(4, 4, 0, "ATI2"), 16)));
    EXPECT_FALSE(decodes(WithData(DdsHeader(4, 4, 0, nullptr, 16), 32)));
    EXPECT_FALSE(decodes(WithData(DdsHeader(0xFFFFFFFF, 0xFFFFFFFF, 0, nullptr, 32), 64)));
    std::vector<uint8_t> magic = WithData(DdsHeader(4, 4, 0, "DXT1"), 8);
    magic[0] = 'X';
    EXPECT_FALSE(decodes(magic));
    EXPECT_FALSE(decodes(std::vector<uint8_t>(magic.begin() + 0, magic.begin() + 100)));
    EXPECT_TRUE(image.levels.empty());
}

TEST(ImageDecoder, CombineAlphaNeedsMatchingRgbAndGrey)
{
    SImage colour{2, 1, 3, {1, 2, 3, 4, 5, 6}};
    SImage alpha{2, 1, 1, {7, 8}};
    SImage out;
    ASSERT_TRUE(CombineAlpha(colour, alpha, out));
    EXPECT_EQ(out.components, 4);
    EXPECT_EQ(out.pixels, (std::vector<uint8_t>{1, 2, 3, 7, 4, 5, 6, 8}));
    SImage wide{3, 1, 1, {7, 8, 9}};
    EXPECT_FALSE(CombineAlpha(colour, wide, out));
    EXPECT_FALSE(CombineAlpha(alpha, alpha, out));
    EXPECT_FALSE(CombineAlpha(colour, colour, out));
}

TEST(ImageDecoder, PictureFilesFromOtherProgramsGiveTheirPixels)
{
    const SReference blocks = ReadReference("blocks.pam");
    for (const char* name : {"blocks24.tga", "blocks32.tga"})
    {
        const std::vector<uint8_t> file = NTestUtil::ReadBytes(PictureFile(name));
        SImage image;
        ASSERT_TRUE(DecodeTarga(file.data(), file.size(), image)) << name;
        ExpectPixels(image.pixels, image.width, image.height, image.components, blocks, 0, name);
    }
    // The same library as djpeg with the same settings: the very same pixels.
    for (const char* name : {"blocks.jpg", "blocks-progressive.jpg", "blocks-grey.jpg"})
    {
        const std::vector<uint8_t> file = NTestUtil::ReadBytes(PictureFile(name));
        SImage image;
        ASSERT_TRUE(DecodeJpeg(file.data(), file.size(), image)) << name;
        const SReference ref = ReadReference(std::string(name) + (image.components == 1 ? ".pgm" : ".ppm"));
        ExpectPixels(image.pixels, image.width, image.height, image.components, ref, 0, name);
    }

    // Uncompressed DDS: exact, with its whole mipmap chain.
    for (const char* name : {"blocks-none.dds", "blocks-none-mips.dds"})
    {
        const SDdsImage image = ReadDds(name);
        ASSERT_FALSE(image.levels.empty());
        EXPECT_EQ(image.format, EDdsFormat::Bgra);
        ExpectPixels(SwapBlueAndRed(image.levels[0].data, 4), image.levels[0].width, image.levels[0].height, 4,
                     blocks, 0, name);
    }
    const SDdsImage rgb = ReadDds("blocks-rgb.dds");
    ASSERT_FALSE(rgb.levels.empty());
    EXPECT_EQ(rgb.format, EDdsFormat::Bgr);
    ExpectPixels(SwapBlueAndRed(rgb.levels[0].data, 3), rgb.levels[0].width, rgb.levels[0].height, 3, blocks, 0,
                 "blocks-rgb.dds");
    const SDdsImage none = ReadDds("blocks-none-mips.dds");
    ASSERT_EQ(none.levels.size(), 6u);
    EXPECT_EQ(none.levels[1].width, 16);
    EXPECT_EQ(none.levels[1].height, 8);
    EXPECT_EQ(none.levels[5].width, 1);

    // Compressed DDS: within the rounding of two DXT decoders.
    for (const char* name : {"blocks-dxt1.dds", "blocks-dxt1-mips.dds", "blocks-dxt5.dds"})
    {
        const SDdsImage image = ReadDds(name);
        ASSERT_FALSE(image.levels.empty());
        const bool dxt1 = image.format == EDdsFormat::Dxt1;
        const SReference ref = ReadReference(dxt1 ? "blocks-dxt1.dds.pam" : "blocks-dxt5.dds.pam");
        ExpectPixels(Decompress(image.levels[0], image.format), image.levels[0].width, image.levels[0].height, 4,
                     ref, 3, name);
    }
    EXPECT_EQ(ReadDds("blocks-dxt1-mips.dds").levels.size(), 6u);
}
