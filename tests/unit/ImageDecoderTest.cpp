#include "engine/ImageDecoder.h"

#include "FoundationTestUtil.h"

#include <gtest/gtest.h>

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
    else
    {
        PutU32(file, 80, bits == 8 ? 0x20000u : 0x40u);
        PutU32(file, 88, bits);
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
} // namespace

TEST(ImageDecoder, TargaSwapsBlueAndRedAndKeepsBottomRowFirst)
{
    // File order: bottom row first. Bottom-left is blue, top-right is red with alpha 7.
    std::vector<uint8_t> pixels = {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 255, 7};
    std::vector<uint8_t> file = NTestUtil::MakeTarga(2, 2, 32, pixels);
    SImage image;
    ASSERT_TRUE(DecodeTarga(file.data(), static_cast<int>(file.size()), image));
    EXPECT_EQ(image.width, 2);
    EXPECT_EQ(image.height, 2);
    EXPECT_EQ(image.components, 4);
    EXPECT_EQ(image.pixels,
              (std::vector<uint8_t>{0, 0, 255, 255, 0, 255, 0, 255, 0, 0, 0, 255, 255, 0, 0, 7}));

    std::vector<uint8_t> rgb = NTestUtil::MakeTarga(1, 1, 24, {1, 2, 3});
    rgb.push_back(99); // trailing bytes (a footer) are allowed
    ASSERT_TRUE(DecodeTarga(rgb.data(), static_cast<int>(rgb.size()), image));
    EXPECT_EQ(image.components, 3);
    EXPECT_EQ(image.pixels, (std::vector<uint8_t>{3, 2, 1}));
}

TEST(ImageDecoder, TargaRejectsOtherKindsAndShortFiles)
{
    SImage image;
    std::vector<uint8_t> good = NTestUtil::MakeTarga(2, 1, 24, {1, 2, 3, 4, 5, 6});
    auto decodes = [&](std::vector<uint8_t> file)
    { return DecodeTarga(file.data(), static_cast<int>(file.size()), image); };
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
    ASSERT_TRUE(DecodeJpeg(jpeg.data(), static_cast<int>(jpeg.size()), image));
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
    ASSERT_TRUE(DecodeJpeg(grey.data(), static_cast<int>(grey.size()), image));
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
    ASSERT_TRUE(DecodeJpeg(cut.data(), static_cast<int>(cut.size()), image));
    EXPECT_EQ(image.width, 64);
    EXPECT_EQ(image.pixels.size(), pixels.size());

    EXPECT_FALSE(DecodeJpeg(jpeg.data(), 0, image));
    EXPECT_FALSE(DecodeJpeg(nullptr, 10, image));
    EXPECT_FALSE(DecodeJpeg(jpeg.data(), 2, image)); // only the start marker
    std::vector<uint8_t> garbage(1000, 0x5A);
    EXPECT_FALSE(DecodeJpeg(garbage.data(), static_cast<int>(garbage.size()), image));
    std::vector<uint8_t> headerOnly(jpeg.begin(),
                                    jpeg.begin() + static_cast<long>(FindMarker(jpeg, 0xC0) + 3));
    EXPECT_FALSE(DecodeJpeg(headerOnly.data(), static_cast<int>(headerOnly.size()), image));
    EXPECT_EQ(image.width, 0);
    EXPECT_TRUE(image.pixels.empty());
}

TEST(ImageDecoder, JpegClaimingHugeSizeIsRefused)
{
    std::vector<uint8_t> jpeg = NTestUtil::MakeSolidJpeg(8, 8, 3);
    size_t sof = FindMarker(jpeg, 0xC0);
    ASSERT_LT(sof + 9, jpeg.size());
    // Height and width (big-endian) follow the length and precision bytes.
    jpeg[sof + 5] = 0xFD, jpeg[sof + 6] = 0xE8;
    jpeg[sof + 7] = 0xFD, jpeg[sof + 8] = 0xE8;
    SImage image;
    EXPECT_FALSE(DecodeJpeg(jpeg.data(), static_cast<int>(jpeg.size()), image));
}

TEST(ImageDecoder, DdsReadsCompressedLevelsDownToOnePixel)
{
    SDdsImage image;
    // 8 x 8 DXT1: blocks 2 x 2, 1, 1, 1 -> 32 + 8 + 8 + 8 bytes.
    std::vector<uint8_t> dxt1 = WithData(DdsHeader(8, 8, 4, "DXT1"), 56);
    ASSERT_TRUE(DecodeDds(dxt1.data(), static_cast<int>(dxt1.size()), image));
    EXPECT_EQ(image.format, EDdsFormat::Dxt1);
    ASSERT_EQ(image.levels.size(), 4u);
    EXPECT_EQ(image.levels[0].data.size(), 32u);
    EXPECT_EQ(image.levels[0].data[0], 0);
    EXPECT_EQ(image.levels[1].data[0], 32);
    EXPECT_EQ(image.levels[3].width, 1);

    // A claimed count past 1 x 1 is cut to the real chain.
    std::vector<uint8_t> dxt5 = WithData(DdsHeader(4, 4, 20, "DXT5"), 48);
    ASSERT_TRUE(DecodeDds(dxt5.data(), static_cast<int>(dxt5.size()), image));
    EXPECT_EQ(image.format, EDdsFormat::Dxt5);
    EXPECT_EQ(image.levels.size(), 3u);

    // No mipmap flag: one level.
    std::vector<uint8_t> dxt3 = WithData(DdsHeader(4, 4, 0, "DXT3"), 16);
    ASSERT_TRUE(DecodeDds(dxt3.data(), static_cast<int>(dxt3.size()), image));
    EXPECT_EQ(image.levels.size(), 1u);
}

TEST(ImageDecoder, DdsReadsUncompressedFormats)
{
    SDdsImage image;
    std::vector<uint8_t> bgra = WithData(DdsHeader(3, 3, 0, nullptr, 32), 36);
    ASSERT_TRUE(DecodeDds(bgra.data(), static_cast<int>(bgra.size()), image));
    EXPECT_EQ(image.format, EDdsFormat::Bgra);
    EXPECT_EQ(image.components, 4);
    std::vector<uint8_t> bgr = WithData(DdsHeader(3, 3, 2, nullptr, 24), 27 + 3);
    ASSERT_TRUE(DecodeDds(bgr.data(), static_cast<int>(bgr.size()), image));
    EXPECT_EQ(image.format, EDdsFormat::Bgr);
    EXPECT_EQ(image.levels.size(), 2u);
    std::vector<uint8_t> grey = WithData(DdsHeader(2, 2, 0, nullptr, 8), 4);
    ASSERT_TRUE(DecodeDds(grey.data(), static_cast<int>(grey.size()), image));
    EXPECT_EQ(image.format, EDdsFormat::Luminance);
}

TEST(ImageDecoder, DdsRejectsDamagedFiles)
{
    SDdsImage image;
    auto decodes = [&](const std::vector<uint8_t>& file)
    { return DecodeDds(file.data(), static_cast<int>(file.size()), image); };
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
