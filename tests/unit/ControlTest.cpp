#include "ControlTestSupport.h"

#include "engine/KeyValueFile.h"
#include "ui/SimpleButton.h"

#include <gtest/gtest.h>

using namespace NControlTest;

TEST(ControlHitRule, BoundsAreTruncatedAndAllFourIncluded)
{
    // x 10.7 .. 40.7 and y 20.2 .. 30.2 truncate to 10 .. 40 and 20 .. 30.
    EXPECT_TRUE(CControl::IsInside(10.7f, 20.2f, 30.0f, 10.0f, 10, 20));
    EXPECT_TRUE(CControl::IsInside(10.7f, 20.2f, 30.0f, 10.0f, 40, 30));
    EXPECT_TRUE(CControl::IsInside(10.7f, 20.2f, 30.0f, 10.0f, 10, 30));
    EXPECT_FALSE(CControl::IsInside(10.7f, 20.2f, 30.0f, 10.0f, 9, 25));
    EXPECT_FALSE(CControl::IsInside(10.7f, 20.2f, 30.0f, 10.0f, 41, 25));
    EXPECT_FALSE(CControl::IsInside(10.7f, 20.2f, 30.0f, 10.0f, 20, 19));
    EXPECT_FALSE(CControl::IsInside(10.7f, 20.2f, 30.0f, 10.0f, 20, 31));
    // Truncation goes toward zero, not down: -0.5 becomes 0.
    EXPECT_FALSE(CControl::IsInside(-0.5f, -0.5f, 5.0f, 5.0f, -1, 0));
    EXPECT_TRUE(CControl::IsInside(-0.5f, -0.5f, 5.0f, 5.0f, 0, 0));
}

TEST(ControlBase, DisabledFlagIsStoredAndReturned)
{
    CControl control;
    EXPECT_FALSE(control.IsDisabled());
    EXPECT_TRUE(control.SetDisabled(true));
    EXPECT_TRUE(control.IsDisabled());
    EXPECT_FALSE(control.OnLButtonDown(0, 0, 0));
}

TEST(ControlLayout, PositionComesFromNameDotXYZWithZeroForMissingKeys)
{
    CKeyValueFile layout;
    ASSERT_TRUE(layout.Parse("m_ok_btn.x 120.5\nm_ok_btn.y 300\nm_other.z 7\n"));
    auto texture = MakeTexture(80, 160);
    CSimpleButton button(nullptr, texture.get());
    button.LoadLayout(layout, "m_ok_btn");
    EXPECT_FLOAT_EQ(button.GetPosition().x, 120.5f);
    EXPECT_FLOAT_EQ(button.GetPosition().y, 300.0f);
    EXPECT_FLOAT_EQ(button.GetPosition().z, 0.0f);
    EXPECT_FLOAT_EQ(button.GetPosition().w, 1.0f);
    button.LoadLayout(layout, "m_missing");
    EXPECT_FLOAT_EQ(button.GetPosition().x, 0.0f);
}

class ButtonTest : public ::testing::Test
{
protected:
    // 100 x 40 at (50, 50): inside is 50..150 by 50..90.
    void SetUp() override { button.SetPosition(50.0f, 50.0f, 0.0f); }

    CRecordingScreen screen;
    std::unique_ptr<CTexture> texture = MakeTexture(100, 160);
    CSimpleButton button{&screen, texture.get()};
};

TEST_F(ButtonTest, SizeComesFromTheFourFramePicture)
{
    EXPECT_FLOAT_EQ(button.GetWidth(), 100.0f);
    EXPECT_FLOAT_EQ(button.GetHeight(), 40.0f);
    EXPECT_EQ(button.GetState(), CSimpleButton::kNormal);
}

TEST_F(ButtonTest, FiresOnceAtThePressNotWhileHeldOrMovedOffAndOn)
{
    EXPECT_TRUE(button.OnMouseMove(60, 60, 0));
    EXPECT_EQ(button.GetState(), CSimpleButton::kHover);
    EXPECT_TRUE(button.OnLButtonDown(60, 60, 0));
    EXPECT_EQ(button.GetState(), CSimpleButton::kPressed);
    ASSERT_EQ(screen.reports.size(), 1u);
    EXPECT_EQ(screen.reports[0], &button);

    EXPECT_FALSE(button.OnMouseMove(200, 60, 0));
    EXPECT_EQ(button.GetState(), CSimpleButton::kNormal);
    EXPECT_TRUE(button.OnMouseMove(70, 60, 0));
    EXPECT_EQ(button.GetState(), CSimpleButton::kHover);
    EXPECT_FALSE(button.OnLButtonUp(70, 60, 0));
    EXPECT_EQ(screen.reports.size(), 1u);
}

TEST_F(ButtonTest, ReleaseOutsideReturnsToNormalAtTheNextMove)
{
    button.OnLButtonDown(150, 90, 0); // the far corner is still inside
    ASSERT_EQ(screen.reports.size(), 1u);
    EXPECT_TRUE(button.OnLButtonUp(300, 300, 0));
    EXPECT_EQ(button.GetState(), CSimpleButton::kHover);
    button.OnMouseMove(300, 300, 0);
    EXPECT_EQ(button.GetState(), CSimpleButton::kNormal);
}

TEST_F(ButtonTest, PressOutsideDoesNothing)
{
    EXPECT_FALSE(button.OnLButtonDown(151, 60, 0));
    EXPECT_FALSE(button.OnLButtonDown(60, 49, 0));
    EXPECT_TRUE(screen.reports.empty());
    EXPECT_EQ(button.GetState(), CSimpleButton::kNormal);
}

TEST_F(ButtonTest, DisabledButtonIgnoresPressesAndKeepsItsFrame)
{
    EXPECT_TRUE(button.SetDisabled(true));
    EXPECT_EQ(button.GetState(), CSimpleButton::kDisabled);
    EXPECT_FALSE(button.OnLButtonDown(60, 60, 0));
    EXPECT_FALSE(button.OnLButtonUp(60, 60, 0));
    EXPECT_TRUE(screen.reports.empty());
    // The cursor is on it (no window drag starts there) but it does not light up.
    EXPECT_TRUE(button.OnMouseMove(60, 60, 0));
    EXPECT_FALSE(button.OnMouseMove(10, 10, 0));
    EXPECT_EQ(button.GetState(), CSimpleButton::kDisabled);

    EXPECT_FALSE(button.SetDisabled(false));
    EXPECT_EQ(button.GetState(), CSimpleButton::kNormal);
    EXPECT_TRUE(button.OnLButtonDown(60, 60, 0));
    EXPECT_EQ(screen.reports.size(), 1u);
}

TEST_F(ButtonTest, EnablingLeavesOtherStatesAlone)
{
    button.OnMouseMove(60, 60, 0);
    button.SetDisabled(false);
    EXPECT_EQ(button.GetState(), CSimpleButton::kHover);
}

TEST_F(ButtonTest, InvisibleButtonNeitherReactsNorReports)
{
    button.SetVisible(false);
    EXPECT_FALSE(button.OnMouseMove(60, 60, 0));
    EXPECT_FALSE(button.OnLButtonDown(60, 60, 0));
    EXPECT_TRUE(screen.reports.empty());
    EXPECT_EQ(button.GetState(), CSimpleButton::kNormal);
}

TEST_F(ButtonTest, ResetReturnsToNormalButKeepsADisabledButtonDisabled)
{
    button.OnLButtonDown(60, 60, 0);
    button.Reset();
    EXPECT_EQ(button.GetState(), CSimpleButton::kNormal);
    button.SetDisabled(true);
    button.Reset();
    EXPECT_EQ(button.GetState(), CSimpleButton::kDisabled);
    EXPECT_FALSE(button.OnLButtonDown(60, 60, 0));
}

TEST_F(ButtonTest, CursorOverUsesTheInputsCursorAndChangesNothing)
{
    {
        CFixedCursor cursor(150, 90);
        EXPECT_TRUE(button.IsCursorOver());
    }
    {
        CFixedCursor cursor(151, 90);
        EXPECT_FALSE(button.IsCursorOver());
    }
    EXPECT_EQ(button.GetState(), CSimpleButton::kNormal);
    // Without an application there is no cursor to speak of: (0, 0).
    EXPECT_FALSE(button.IsCursorOver());
}
