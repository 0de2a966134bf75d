// The logical 800 x 600 screen shown in a window of any size: one rule for
// where it is drawn and where a click lands.
#include "engine/ScreenMapping.h"

#include <gtest/gtest.h>

namespace
{
struct SPoint
{
    int x;
    int y;
};

SPoint Logical(const CScreenMapping& mapping, int x, int y)
{
    SPoint p{};
    mapping.ToLogical(x, y, p.x, p.y);
    return p;
}

void ExpectViewport(const CScreenMapping& mapping, int x, int y, int width, int height)
{
    const SViewport& v = mapping.GetViewport();
    EXPECT_EQ(v.x, x);
    EXPECT_EQ(v.y, y);
    EXPECT_EQ(v.width, width);
    EXPECT_EQ(v.height, height);
}
} // namespace

TEST(ScreenMapping, AWindowOfTheLogicalSizeIsTheLogicalScreenPixelForPixel)
{
    CScreenMapping mapping;
    mapping.SetWindowSize(800, 600, 800, 600);
    ExpectViewport(mapping, 0, 0, 800, 600);
    EXPECT_TRUE(mapping.IsNativeSize());
    EXPECT_FALSE(mapping.HasMargins());
    for (SPoint p : {SPoint{0, 0}, SPoint{799, 599}, SPoint{400, 300}, SPoint{-3, 601}})
    {
        const SPoint l = Logical(mapping, p.x, p.y);
        EXPECT_EQ(l.x, p.x);
        EXPECT_EQ(l.y, p.y);
    }
}

TEST(ScreenMapping, AWideWindowGetsMarginsLeftAndRight)
{
    CScreenMapping mapping;
    mapping.SetWindowSize(1280, 720, 0, 0);
    ExpectViewport(mapping, 160, 0, 960, 720);
    EXPECT_FLOAT_EQ(mapping.GetScale(), 1.2f);
    EXPECT_TRUE(mapping.HasMargins());
    EXPECT_FALSE(mapping.IsNativeSize());

    EXPECT_EQ(Logical(mapping, 160, 0).x, 0);
    EXPECT_EQ(Logical(mapping, 1119, 719).x, 799);
    EXPECT_EQ(Logical(mapping, 1119, 719).y, 599);
    EXPECT_EQ(Logical(mapping, 640, 360).x, 400);
    EXPECT_EQ(Logical(mapping, 640, 360).y, 300);
    // In the margins nothing of the screen is hit.
    EXPECT_LT(Logical(mapping, 159, 360).x, 0);
    EXPECT_GE(Logical(mapping, 1120, 360).x, 800);
}

TEST(ScreenMapping, ATallWindowGetsMarginsAboveAndBelow)
{
    CScreenMapping mapping;
    mapping.SetWindowSize(1280, 1200, 0, 0);
    ExpectViewport(mapping, 0, 120, 1280, 960);
    EXPECT_EQ(Logical(mapping, 640, 120).y, 0);
    EXPECT_EQ(Logical(mapping, 640, 119).y, -1);
    EXPECT_EQ(Logical(mapping, 0, 1079).y, 599);
    EXPECT_EQ(Logical(mapping, 0, 1080).y, 600);

    // An odd margin: GL counts the viewport's y from the bottom, so the extra
    // pixel row is below the picture, as the centring puts it.
    mapping.SetWindowSize(800, 601, 0, 0);
    ExpectViewport(mapping, 0, 1, 800, 600);
    EXPECT_EQ(Logical(mapping, 0, 0).y, 0);
    EXPECT_EQ(Logical(mapping, 0, 599).y, 599);
}

TEST(ScreenMapping, AHiDpiDrawableDrawsFinerButClicksLandAsInTheWindow)
{
    CScreenMapping mapping;
    mapping.SetWindowSize(800, 600, 1600, 1200);
    ExpectViewport(mapping, 0, 0, 1600, 1200);
    EXPECT_FLOAT_EQ(mapping.GetScale(), 2.0f);
    EXPECT_FALSE(mapping.IsNativeSize());
    EXPECT_FALSE(mapping.HasMargins());
    EXPECT_EQ(Logical(mapping, 400, 300).x, 400);
    EXPECT_EQ(Logical(mapping, 799, 599).y, 599);

    // Twice as many drawable pixels in a wide window: the margins are in
    // drawable pixels, the clicks still in window pixels.
    mapping.SetWindowSize(1280, 720, 2560, 1440);
    ExpectViewport(mapping, 320, 0, 1920, 1440);
    EXPECT_EQ(Logical(mapping, 160, 0).x, 0);
    EXPECT_EQ(Logical(mapping, 640, 360).x, 400);
}

TEST(ScreenMapping, ALogicalPointGoesToTheWindowAndComesBack)
{
    CScreenMapping mapping;
    const SPoint sizes[] = {{1280, 960}, {1280, 720}, {1600, 1200}, {1024, 768}, {803, 611}, {1920, 1080}};
    for (SPoint size : sizes)
    {
        mapping.SetWindowSize(size.x, size.y, 0, 0);
        for (SPoint l : {SPoint{0, 0}, SPoint{799, 599}, SPoint{400, 300}, SPoint{123, 457}})
        {
            int wx = 0, wy = 0;
            mapping.ToWindow(l.x, l.y, wx, wy);
            const SPoint back = Logical(mapping, wx, wy);
            EXPECT_EQ(back.x, l.x) << size.x << "x" << size.y;
            EXPECT_EQ(back.y, l.y) << size.x << "x" << size.y;
        }
    }
    // 1600 x 1200 is exactly twice: a click at its centre is the screen's centre.
    mapping.SetWindowSize(1600, 1200, 0, 0);
    EXPECT_EQ(Logical(mapping, 800, 600).x, 400);
    EXPECT_EQ(Logical(mapping, 800, 600).y, 300);
}

TEST(ScreenMapping, AWindowWithNoSizeYetLeavesPointsAsTheyAre)
{
    CScreenMapping mapping;
    mapping.SetWindowSize(0, 0, 0, 0);
    ExpectViewport(mapping, 0, 0, 800, 600);
    EXPECT_EQ(Logical(mapping, 12, 34).x, 12);
    EXPECT_EQ(Logical(mapping, 12, 34).y, 34);
}
