#include "ControlTestSupport.h"

#include "ui/TrackBar.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace NControlTest;

class TrackBarTest : public ::testing::Test
{
protected:
    // Range 0..64 over 204 pixels from (100, 200); a 20 x 30 thumb.
    void SetUp() override
    {
        bar.SetPosition(100.0f, 200.0f, 0.0f);
        bar.SetRange(0.0f, 64.0f);
        bar.SetLength(204.0f);
        bar.SetValue(0.0f);
    }

    CRecordingScreen screen;
    std::unique_ptr<CTexture> texture = MakeTexture(20, 60);
    CTrackBar bar{&screen, texture.get()};
};

TEST_F(TrackBarTest, DefaultsBeforeAnyScreenSetsItUp)
{
    CTrackBar fresh(&screen, texture.get());
    EXPECT_FLOAT_EQ(fresh.GetValue(), 5.0f);
    EXPECT_FLOAT_EQ(fresh.GetThumbOffset(), 50.0f); // 5 of 0..10 over 100 pixels
    EXPECT_FLOAT_EQ(fresh.GetThumbHeight(), 30.0f);
}

TEST_F(TrackBarTest, DragSetsValueFromTheThumbsMiddleAndReportsOnceAtRelease)
{
    EXPECT_TRUE(bar.OnLButtonDown(110, 215, 0));
    EXPECT_TRUE(bar.IsDragging());
    EXPECT_TRUE(bar.OnMouseMove(100 + 112, 500, 0)); // height of the cursor does not matter
    EXPECT_FLOAT_EQ(bar.GetValue(), 32.0f);          // (112 - 10) * 64 / 204
    EXPECT_FLOAT_EQ(bar.GetThumbOffset(), 102.0f);
    EXPECT_TRUE(screen.reports.empty());

    EXPECT_FALSE(bar.OnLButtonUp(212, 215, 0));
    ASSERT_EQ(screen.reports.size(), 1u);
    EXPECT_EQ(screen.reports[0], &bar);
    EXPECT_FALSE(bar.IsDragging());
    EXPECT_FALSE(bar.OnMouseMove(400, 215, 0));
    EXPECT_FLOAT_EQ(bar.GetValue(), 32.0f);
    bar.OnLButtonUp(400, 215, 0);
    EXPECT_EQ(screen.reports.size(), 1u);
}

TEST_F(TrackBarTest, DragClampsToTheRange)
{
    bar.OnLButtonDown(100, 200, 0);
    bar.OnMouseMove(2000, 0, 0);
    EXPECT_FLOAT_EQ(bar.GetValue(), 64.0f);
    bar.OnMouseMove(-500, 0, 0);
    EXPECT_FLOAT_EQ(bar.GetValue(), 0.0f);
    bar.OnMouseMove(105, 0, 0); // left of the thumb's middle at the start
    EXPECT_FLOAT_EQ(bar.GetValue(), 0.0f);
}

TEST_F(TrackBarTest, OnlyAPressOnTheThumbStartsADrag)
{
    // The thumb sits at 100..120; the groove beside it does nothing.
    EXPECT_FALSE(bar.OnLButtonDown(121, 210, 0));
    EXPECT_FALSE(bar.OnLButtonDown(110, 231, 0));
    EXPECT_FALSE(bar.OnMouseMove(250, 210, 0));
    EXPECT_FLOAT_EQ(bar.GetValue(), 0.0f);
    bar.OnLButtonUp(250, 210, 0);
    EXPECT_TRUE(screen.reports.empty());

    // After a value change the thumb is where the value puts it.
    bar.SetValue(64.0f);
    EXPECT_FALSE(bar.OnLButtonDown(110, 210, 0));
    EXPECT_TRUE(bar.OnLButtonDown(304, 210, 0));
    EXPECT_TRUE(bar.OnLButtonDown(324, 230, 0));
}

TEST_F(TrackBarTest, InvisibleBarIgnoresTheMouse)
{
    bar.SetVisible(false);
    EXPECT_FALSE(bar.OnLButtonDown(110, 210, 0));
    EXPECT_FALSE(bar.IsDragging());
    bar.OnLButtonUp(110, 210, 0);
    EXPECT_TRUE(screen.reports.empty());
}

TEST_F(TrackBarTest, EmptyRangeKeepsTheThumbAtTheStart)
{
    bar.SetRange(3.0f, 3.0f);
    bar.SetValue(3.0f);
    EXPECT_EQ(bar.GetThumbOffset(), 0.0f);
    EXPECT_TRUE(bar.OnLButtonDown(110, 210, 0));
    bar.OnMouseMove(250, 210, 0);
    EXPECT_FLOAT_EQ(bar.GetValue(), 3.0f);
    EXPECT_FALSE(std::isnan(bar.GetThumbOffset()));
}
