#include "ControlTestSupport.h"

#include "ui/SimpleCheckBox.h"

#include <gtest/gtest.h>

using namespace NControlTest;

class CheckBoxTest : public ::testing::Test
{
protected:
    // A 20 x 20 box at (100, 100) with a 100-wide caption: clickable 100..220 by 100..120.
    void SetUp() override { box.SetPosition(100.0f, 100.0f, 0.0f); }

    CRecordingScreen screen;
    std::unique_ptr<CTexture> texture = MakeTexture(20, 80);
    CSimpleCheckBox box{&screen, texture.get(), 100.0f};
};

TEST_F(CheckBoxTest, StartsUntickedAtItsDefaultPlace)
{
    CSimpleCheckBox fresh(&screen, texture.get(), 0.0f);
    EXPECT_FLOAT_EQ(fresh.GetPosition().x, 200.0f);
    EXPECT_FLOAT_EQ(fresh.GetPosition().y, 40.0f);
    EXPECT_EQ(fresh.GetState(), CSimpleCheckBox::kUnticked);
    EXPECT_FALSE(fresh.IsChecked());
    EXPECT_FLOAT_EQ(fresh.GetHeight(), 20.0f);
}

TEST_F(CheckBoxTest, TogglesAndReportsOnReleaseOverIt)
{
    EXPECT_TRUE(box.OnMouseMove(110, 110, 0));
    EXPECT_EQ(box.GetState(), CSimpleCheckBox::kUntickedHover);
    EXPECT_TRUE(box.OnLButtonDown(110, 110, 0));
    EXPECT_TRUE(screen.reports.empty()); // nothing at the press
    EXPECT_FALSE(box.IsChecked());
    EXPECT_TRUE(box.OnLButtonUp(110, 110, 0));
    EXPECT_TRUE(box.IsChecked());
    EXPECT_EQ(box.GetState(), CSimpleCheckBox::kTickedHover);
    ASSERT_EQ(screen.reports.size(), 1u);
    EXPECT_EQ(screen.reports[0], &box);

    box.OnLButtonDown(110, 110, 0);
    EXPECT_TRUE(box.OnLButtonUp(110, 110, 0));
    EXPECT_FALSE(box.IsChecked());
    EXPECT_EQ(box.GetState(), CSimpleCheckBox::kUntickedHover);
    EXPECT_EQ(screen.reports.size(), 2u);
}

TEST_F(CheckBoxTest, LeavingBetweenPressAndReleaseCancelsTheToggle)
{
    box.OnMouseMove(110, 110, 0);
    box.OnLButtonDown(110, 110, 0);
    EXPECT_FALSE(box.OnMouseMove(300, 110, 0));
    EXPECT_EQ(box.GetState(), CSimpleCheckBox::kUnticked);
    EXPECT_FALSE(box.OnLButtonUp(300, 110, 0));
    EXPECT_FALSE(box.IsChecked());
    EXPECT_TRUE(screen.reports.empty());
}

TEST_F(CheckBoxTest, CaptionAreaCountsAsTheBox)
{
    EXPECT_TRUE(box.OnMouseMove(220, 120, 0));
    EXPECT_FALSE(box.OnMouseMove(221, 120, 0));
    EXPECT_TRUE(box.OnLButtonDown(200, 105, 0));
    EXPECT_FALSE(box.OnLButtonDown(99, 105, 0));
}

TEST_F(CheckBoxTest, HoverKeepsTheTickAndResetKeepsHover)
{
    box.SetChecked(true);
    EXPECT_EQ(box.GetState(), CSimpleCheckBox::kTicked);
    box.OnMouseMove(110, 110, 0);
    EXPECT_EQ(box.GetState(), CSimpleCheckBox::kTickedHover);
    EXPECT_TRUE(box.IsChecked());
    box.Reset();
    EXPECT_EQ(box.GetState(), CSimpleCheckBox::kTickedHover);
    box.OnMouseMove(0, 0, 0);
    EXPECT_EQ(box.GetState(), CSimpleCheckBox::kTicked);
    box.SetChecked(false);
    EXPECT_EQ(box.GetState(), CSimpleCheckBox::kUnticked);
}
