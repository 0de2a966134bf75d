#include "ui/BitmapText.h"
#include "ui/ScrollingText.h"
#include "TestFontPicture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace
{
using namespace NTestFont;

void ExpectSameGlyphs(const CBitmapText& a, const CBitmapText& b)
{
    for (int i = 0; i < CBitmapText::kGlyphCount; ++i)
    {
        EXPECT_EQ(a.GetGlyph(i).u_left, b.GetGlyph(i).u_left) << i;
        EXPECT_EQ(a.GetGlyph(i).u_right, b.GetGlyph(i).u_right) << i;
        EXPECT_EQ(a.GetGlyph(i).v_top, b.GetGlyph(i).v_top) << i;
        EXPECT_EQ(a.GetGlyph(i).v_bottom, b.GetGlyph(i).v_bottom) << i;
    }
    EXPECT_EQ(a.GetLineHeight(), b.GetLineHeight());
}

std::vector<CBitmapText::SQuad> Layout(const CBitmapText& font, const char* text, float size, float x, float y,
                                       bool flipV = false, bool centred = false)
{
    std::vector<CBitmapText::SQuad> quads;
    font.LayoutText(text, size, x, y, flipV, centred, [&](const CBitmapText::SQuad& q) { quads.push_back(q); });
    return quads;
}
} // namespace

TEST(BitmapTextLoad, GeneratedFontPictureHolds94Glyphs)
{
    const std::string path = std::string(ZONVEL_BUILD_DIR) + "/mui/font.tga";
    std::ifstream file(path, std::ios::binary);
    if (!file)
        GTEST_SKIP() << path << " has not been generated";
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    CBitmapText font;
    ASSERT_TRUE(font.LoadFromImage(bytes.data(), static_cast<int>(bytes.size()), nullptr));
    // Glyphs read left to right, lines top to bottom.
    EXPECT_LT(font.GetGlyph(0).u_left, font.GetGlyph(1).u_left);
    EXPECT_GT(font.GetLineHeight(), 0.0f);
    for (int i = 0; i < CBitmapText::kGlyphCount; ++i)
    {
        EXPECT_LT(font.GetGlyph(i).u_left, font.GetGlyph(i).u_right) << i;
        EXPECT_GT(font.GetGlyph(i).v_top, font.GetGlyph(i).v_bottom) << i;
    }
}

TEST(BitmapTextLoad, FindsGlyphsInReadingOrderWithOneColumnMargins)
{
    std::vector<int> starts;
    CFontPicture picture = MakeStandardFont(&starts);
    CBitmapText font;
    ASSERT_TRUE(font.LoadFromImage(picture.Bytes().data(), static_cast<int>(picture.Bytes().size()), nullptr));
    EXPECT_FLOAT_EQ(font.GetLineHeight(), 19.0f / kH);
    EXPECT_EQ(font.GetImageWidth(), kW);
    EXPECT_EQ(font.GetImageHeight(), kH);

    // The first glyph ('!') is the first run after the marker on the top line.
    const CBitmapText::SGlyph& first = font.GetGlyph(0);
    EXPECT_FLOAT_EQ(first.u_left, (starts[0] - 1) / float(kW));
    EXPECT_FLOAT_EQ(first.u_right, (starts[0] + RunWidth(0)) / float(kW));
    EXPECT_FLOAT_EQ(first.v_top, 59.0f / kH);
    EXPECT_FLOAT_EQ(first.v_bottom, 40.0f / kH);
    // Glyph 48 is the second run of the lower line.
    const CBitmapText::SGlyph& lower = font.GetGlyph(48);
    EXPECT_FLOAT_EQ(lower.u_left, (starts[48] - 1) / float(kW));
    EXPECT_FLOAT_EQ(lower.v_top, 29.0f / kH);
    EXPECT_FLOAT_EQ(lower.v_bottom, 10.0f / kH);
    // Red and blue were exchanged in the caller's bytes.
    const uint8_t* markerPixel = &picture.Bytes()[18 + (static_cast<size_t>(40) * kW) * 4];
    EXPECT_EQ(markerPixel[0], 200);
    EXPECT_EQ(markerPixel[2], 10);
}

TEST(BitmapTextLoad, RejectedPicturesLeaveTheGlyphTableAsItWas)
{
    CBitmapText loaded;
    ASSERT_TRUE(LoadStandard(loaded));
    CBitmapText font;
    ASSERT_TRUE(LoadStandard(font));

    auto expectRejected = [&](std::vector<uint8_t> bytes, const char* what) {
        SCOPED_TRACE(what);
        EXPECT_FALSE(font.LoadFromImage(bytes.data(), static_cast<int>(bytes.size()), nullptr));
        ExpectSameGlyphs(font, loaded);
        EXPECT_EQ(font.GetImageWidth(), kW);
    };

    CFontPicture wrongSize(8, 8);
    wrongSize.Fill(0, 1, 1, 6);
    std::vector<uint8_t> base = wrongSize.Bytes();

    std::vector<uint8_t> bytes = base;
    bytes[2] = 10; // run-length compressed
    expectRejected(bytes, "image type 10");
    bytes = base;
    bytes[16] = 24;
    expectRejected(bytes, "24 bits per pixel");
    bytes = base;
    bytes[12] = bytes[13] = 0;
    expectRejected(bytes, "width 0");
    bytes = base;
    bytes[14] = bytes[15] = 0;
    expectRejected(bytes, "height 0");
    bytes = base;
    bytes.resize(bytes.size() - 1);
    expectRejected(bytes, "one pixel byte short");
    bytes = base;
    bytes.resize(18);
    expectRejected(bytes, "header only");
    bytes = base;
    bytes.resize(10);
    expectRejected(bytes, "shorter than the header");
    EXPECT_FALSE(font.LoadFromImage(nullptr, 0, nullptr));
}

TEST(BitmapTextLoad, WrongGlyphCountIsReportedAndSurplusNeverStored)
{
    CFontPicture tooMany(kW, kH);
    tooMany.AddLine(40, 59, 100, [](int) { return 2; });
    CBitmapText font;
    EXPECT_FALSE(font.LoadFromImage(tooMany.Bytes().data(), static_cast<int>(tooMany.Bytes().size()), nullptr));

    CFontPicture tooFew(kW, kH);
    tooFew.AddLine(40, 59, 93, [](int) { return 2; });
    EXPECT_FALSE(font.LoadFromImage(tooFew.Bytes().data(), static_cast<int>(tooFew.Bytes().size()), nullptr));

    CFontPicture empty(16, 16);
    EXPECT_FALSE(font.LoadFromImage(empty.Bytes().data(), static_cast<int>(empty.Bytes().size()), nullptr));
}

TEST(BitmapTextMeasure, SpaceIsAsWideAsCapitalAAndEveryGlyphCarriesAGap)
{
    CBitmapText font;
    ASSERT_TRUE(LoadStandard(font));
    // At size 19 a run of n columns is n + 1 pixels wide.
    const float wA = 7.0f, wB = 5.0f, gap = 0.7f;
    EXPECT_NEAR(font.GetSpaceWidth(19.0f), wA, 1e-3);
    EXPECT_NEAR(font.GetLetterGap(19.0f), gap, 1e-4);
    EXPECT_EQ(font.MeasureText("", 19.0f), 0.0f);
    EXPECT_NEAR(font.MeasureText(" ", 19.0f), wA, 1e-3);
    EXPECT_NEAR(font.MeasureText("A", 19.0f), wA + gap, 1e-3);
    EXPECT_NEAR(font.MeasureText("A B", 19.0f), wA + gap + wA + wB + gap, 1e-3);
    // Width scales with the size.
    EXPECT_NEAR(font.MeasureText("AB", 38.0f), 2.0f * font.MeasureText("AB", 19.0f), 1e-3);
}

TEST(BitmapTextMeasure, BytesWithoutAGlyphAreSkipped)
{
    CBitmapText font;
    ASSERT_TRUE(LoadStandard(font));
    const float ab = font.MeasureText("AB", 19.0f);
    EXPECT_NEAR(font.MeasureText("A\tB\x7f", 19.0f), ab, 1e-4);
    EXPECT_NEAR(font.MeasureText("A\xc3\xa9\xff\x80""B\x01", 19.0f), ab, 1e-4);
    EXPECT_NEAR(font.MeasureText("A\nB", 19.0f), ab, 1e-4);
    EXPECT_EQ(Layout(font, "\x7f\x80\xff\x1b\t", 19.0f, 0, 0).size(), 0u);
    EXPECT_EQ(Layout(font, "A\xff""B", 19.0f, 0, 0).size(), 2u);
}

TEST(BitmapTextMeasure, NoFontMeasuresZero)
{
    CBitmapText font;
    EXPECT_EQ(font.MeasureText("Hello", 20.0f), 0.0f);
    EXPECT_EQ(font.GetSpaceWidth(20.0f), 0.0f);
}

TEST(BitmapTextLayout, PenAdvancesByGlyphGapAndSpace)
{
    CBitmapText font;
    ASSERT_TRUE(LoadStandard(font));
    std::vector<CBitmapText::SQuad> quads = Layout(font, "A B", 19.0f, 100.0f, 50.0f);
    ASSERT_EQ(quads.size(), 2u);
    EXPECT_NEAR(quads[0].x0, 100.0f, 1e-3);
    EXPECT_NEAR(quads[0].x1, 107.0f, 1e-3);
    EXPECT_NEAR(quads[1].x0, 100.0f + 7.7f + 7.0f, 1e-3);
    // Upright: the base line takes the glyph's lower v, the top edge (y - size) the upper.
    EXPECT_EQ(quads[0].y0, 50.0f);
    EXPECT_EQ(quads[0].y1, 31.0f);
    EXPECT_GT(quads[0].v_at_y1, quads[0].v_at_y0);
    // Flipped for a y-upward projection.
    std::vector<CBitmapText::SQuad> flipped = Layout(font, "A", 19.0f, 0.0f, 0.0f, true);
    EXPECT_EQ(flipped[0].v_at_y0, quads[0].v_at_y1);
    EXPECT_EQ(flipped[0].v_at_y1, quads[0].v_at_y0);
}

TEST(BitmapTextLayout, LineFeedMovesDownOneSizeAndBackToStartPlusGap)
{
    CBitmapText font;
    ASSERT_TRUE(LoadStandard(font));
    std::vector<CBitmapText::SQuad> quads = Layout(font, "AB\nB", 19.0f, 10.0f, 40.0f);
    ASSERT_EQ(quads.size(), 3u);
    EXPECT_NEAR(quads[2].x0, 10.0f + 0.7f, 1e-3);
    EXPECT_EQ(quads[2].y0, 59.0f);
}

TEST(BitmapTextLayout, CentredTextStartsHalfItsWidthLeft)
{
    CBitmapText font;
    ASSERT_TRUE(LoadStandard(font));
    const float width = font.MeasureText("BAB", 19.0f);
    std::vector<CBitmapText::SQuad> quads = Layout(font, "BAB", 19.0f, 400.0f, 0.0f, false, true);
    ASSERT_EQ(quads.size(), 3u);
    EXPECT_NEAR(quads[0].x0, 400.0f - width / 2.0f, 1e-3);
}

// Width of "BBB " is 3 * (5 + 0.7) + 7 = 24.1 at size 19.
TEST(ScrollingTextWrap, OneWordPerLineWhenOnlyOneFits)
{
    CBitmapText font;
    ASSERT_TRUE(LoadStandard(font));
    CScrollingText text(&font, 30.0f, 19.0f, 10);
    text.SetText("BBB BBB", 7);
    ASSERT_EQ(text.GetLines().size(), 2u);
    EXPECT_EQ(text.GetLines()[0], "BBB ");
    EXPECT_EQ(text.GetLines()[1], "BBB ");
}

TEST(ScrollingTextWrap, ALineReachingTheBoxWidthExactlyWraps)
{
    CBitmapText font;
    ASSERT_TRUE(LoadStandard(font));
    const float exact = font.MeasureText("BBB ", 19.0f) + font.MeasureText("BBB", 19.0f);
    CScrollingText full(&font, exact, 19.0f, 10);
    full.SetText("BBB BBB", 7);
    EXPECT_EQ(full.GetLines().size(), 2u);
    CScrollingText roomy(&font, exact + 0.5f, 19.0f, 10);
    roomy.SetText("BBB BBB", 7);
    ASSERT_EQ(roomy.GetLines().size(), 1u);
    EXPECT_EQ(roomy.GetLines()[0], "BBB BBB ");
}

TEST(ScrollingTextWrap, CarriageReturnBreaksLineFeedDoesNot)
{
    CBitmapText font;
    ASSERT_TRUE(LoadStandard(font));
    CScrollingText text(&font, 500.0f, 19.0f, 10);
    const char source[] = "AB\r\nCD EF\nGH";
    text.SetText(source, static_cast<int>(std::strlen(source)));
    ASSERT_EQ(text.GetLines().size(), 2u);
    EXPECT_EQ(text.GetLines()[0], "AB ");
    EXPECT_EQ(text.GetLines()[1], "CD EFGH ");
}

TEST(ScrollingTextWrap, WideWordIsNotSplitAndFirstWideWordLeavesEmptyLine)
{
    CBitmapText font;
    ASSERT_TRUE(LoadStandard(font));
    CScrollingText text(&font, 20.0f, 19.0f, 10);
    text.SetText("BBBBBBBB A", 10);
    ASSERT_EQ(text.GetLines().size(), 3u);
    EXPECT_EQ(text.GetLines()[0], "");
    EXPECT_EQ(text.GetLines()[1], "BBBBBBBB ");
    EXPECT_EQ(text.GetLines()[2], "A ");
}

TEST(ScrollingTextWrap, LengthLimitsTheSourceAndVisibleLinesLimitTheDrawing)
{
    CBitmapText font;
    ASSERT_TRUE(LoadStandard(font));
    CScrollingText text(&font, 30.0f, 19.0f, 2);
    text.SetText("BBB BBB BBB BBB", 11);
    EXPECT_EQ(text.GetLines().size(), 3u);
    EXPECT_EQ(text.GetShownLineCount(), 2);
    // A length past the end of the string stops at its NUL.
    text.SetText("BBB", 1000);
    ASSERT_EQ(text.GetLines().size(), 1u);
    EXPECT_EQ(text.GetLines()[0], "BBB ");
    EXPECT_EQ(text.GetShownLineCount(), 1);
    text.Draw(0, 0, 1, 1, 1, 1); // harmless without a window
}
