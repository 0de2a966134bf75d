// Keyboard focus on a screen: the ring appears on the default control at the
// first focus key, walks the order with Tab and the layout with the arrows,
// presses with Enter or Space, and gives way to the mouse.
#include "ControlTestSupport.h"

#include "platform/Events.h"
#include "platform/Gamepad.h"
#include "ui/SimpleButton.h"
#include "ui/SimpleCheckBox.h"
#include "ui/SimpleEdit.h"
#include "ui/TrackBar.h"

#include <gtest/gtest.h>

using namespace NControlTest;
using namespace NPlatform;

namespace
{
// A menu column of three buttons with a fourth to the right of the middle one.
class FocusTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        CScreen::SetKeyboardInUse(false);
        m_texture = MakeTexture(100, 160); // buttons of 100 x 40
        const float places[4][2] = {{100, 100}, {100, 200}, {100, 300}, {300, 200}};
        for (int i = 0; i < 4; ++i)
        {
            m_buttons[i] = std::make_unique<CSimpleButton>(&m_screen, m_texture.get());
            m_buttons[i]->SetPosition(places[i][0], places[i][1], 0);
            m_screen.AddControl(m_buttons[i].get());
        }
        m_screen.SetFocusOrder({Button(0), Button(1), Button(2), Button(3)}, Button(1));
    }
    void TearDown() override { CScreen::SetKeyboardInUse(false); }
    CSimpleButton* Button(int i) { return m_buttons[i].get(); }
    bool Key(int key, bool shift = false) { return m_screen.HandleFocusKey(key, shift); }

    CRecordingScreen m_screen;
    std::unique_ptr<CTexture> m_texture;
    std::unique_ptr<CSimpleButton> m_buttons[4];
};
} // namespace

TEST_F(FocusTest, EnterKeepsItsMeaningUntilTheFirstFocusKeyShowsTheDefault)
{
    EXPECT_FALSE(Key(kVkReturn)) << "no ring yet: Enter is the screen's own";
    EXPECT_EQ(m_screen.GetFocus(), nullptr);
    EXPECT_TRUE(Key(kVkDown));
    EXPECT_EQ(m_screen.GetFocus(), Button(1)) << "the first key only shows the default";
    EXPECT_TRUE(m_screen.reports.empty());
    EXPECT_TRUE(CScreen::IsKeyboardInUse());
    EXPECT_TRUE(Key(kVkReturn));
    ASSERT_EQ(m_screen.reports.size(), 1u);
    EXPECT_EQ(m_screen.reports[0], Button(1));
    EXPECT_TRUE(Key(kVkSpace));
    EXPECT_EQ(m_screen.reports.size(), 2u);
}

TEST_F(FocusTest, TabWalksTheOrderBothWaysAndSkipsWhatCannotTakeTheFocus)
{
    Key(kVkTab);
    Key(kVkTab);
    EXPECT_EQ(m_screen.GetFocus(), Button(2));
    Button(3)->SetVisible(false);
    Key(kVkTab);
    EXPECT_EQ(m_screen.GetFocus(), Button(0)) << "wraps past the hidden button";
    Key(kVkTab, true);
    EXPECT_EQ(m_screen.GetFocus(), Button(2));
    Button(1)->SetDisabled(true);
    Key(kVkTab, true);
    EXPECT_EQ(m_screen.GetFocus(), Button(0));
    EXPECT_FALSE(Key(kVkEscape));
}

TEST_F(FocusTest, ArrowsGoToTheNearestControlThatWayAndStopAtTheEdge)
{
    Key(kVkUp);
    Key(kVkUp);
    EXPECT_EQ(m_screen.GetFocus(), Button(0));
    Key(kVkUp);
    EXPECT_EQ(m_screen.GetFocus(), Button(0));
    Key(kVkRight);
    EXPECT_EQ(m_screen.GetFocus(), Button(3));
    Key(kVkLeft);
    EXPECT_EQ(m_screen.GetFocus(), Button(1)) << "straight back rather than up the column";
    Key(kVkDown);
    EXPECT_EQ(m_screen.GetFocus(), Button(2));
}

TEST_F(FocusTest, AMousePressHidesTheRingAndANewScreenShowsItWhileKeysAreInUse)
{
    Key(kVkDown);
    Key(kVkDown);
    m_screen.OnLButtonDown(5, 5, 0);
    EXPECT_EQ(m_screen.GetFocus(), nullptr);
    EXPECT_FALSE(CScreen::IsKeyboardInUse());
    EXPECT_FALSE(Key(kVkReturn));
    // The next focus key brings the ring back where it was.
    Key(kVkTab);
    EXPECT_EQ(m_screen.GetFocus(), Button(2));
    m_screen.Activate();
    EXPECT_EQ(m_screen.GetFocus(), Button(1)) << "shown again: on its default, at once";
    CScreen::SetKeyboardInUse(false);
    m_screen.Activate();
    EXPECT_EQ(m_screen.GetFocus(), nullptr);
}

TEST_F(FocusTest, ADisabledDefaultHandsTheFocusOn)
{
    Button(1)->SetDisabled(true);
    Key(kVkDown);
    EXPECT_EQ(m_screen.GetFocus(), Button(2));
}

namespace
{
// A window as the program's windows are: focus keys first, then the rest.
class CWindowScreen : public CRecordingScreen
{
public:
    void OnKeyDown(int virtualKey) override
    {
        if (!HandleFocusKey(virtualKey, false))
            CScreen::OnKeyDown(virtualKey);
    }
};
} // namespace

TEST(FocusPad, TheDPadMovesTheFocusAPressesAndTheShouldersWalkTheOrder)
{
    CScreen::SetKeyboardInUse(false);
    CWindowScreen screen;
    auto texture = MakeTexture(100, 160);
    CSimpleButton top(&screen, texture.get()), bottom(&screen, texture.get()), side(&screen, texture.get());
    top.SetPosition(100, 100, 0);
    bottom.SetPosition(100, 200, 0);
    side.SetPosition(400, 100, 0);
    screen.SetFocusOrder({&top, &bottom, &side}, &top);
    using NPlatform::EPadButton;
    screen.OnPadButton(static_cast<int>(EPadButton::A));
    EXPECT_EQ(screen.GetFocus(), &top) << "the first press only shows the focus";
    EXPECT_TRUE(screen.reports.empty());
    screen.OnPadButton(static_cast<int>(EPadButton::Down));
    EXPECT_EQ(screen.GetFocus(), &bottom);
    screen.OnPadButton(static_cast<int>(EPadButton::A));
    ASSERT_EQ(screen.reports.size(), 1u);
    EXPECT_EQ(screen.reports[0], &bottom);
    screen.OnPadButton(static_cast<int>(EPadButton::RightShoulder));
    EXPECT_EQ(screen.GetFocus(), &side);
    screen.OnPadButton(static_cast<int>(EPadButton::LeftShoulder));
    screen.OnPadButton(static_cast<int>(EPadButton::LeftShoulder));
    EXPECT_EQ(screen.GetFocus(), &top);
    CScreen::SetKeyboardInUse(false);
}

TEST(FocusControls, SliderMovesByItsStepAndBoxesToggleWhileTheNameBoxKeepsTyping)
{
    CScreen::SetKeyboardInUse(false);
    CRecordingScreen screen;
    auto thumb = MakeTexture(20, 40);
    CTrackBar bar(&screen, thumb.get());
    bar.SetRange(0, 64);
    bar.SetValue(62);
    bar.SetKeyStep(4);
    CSimpleCheckBox box(&screen, thumb.get(), 80);
    box.SetPosition(0, 100, 0);
    CSimpleEdit edit(&screen, nullptr, 20, thumb.get());
    edit.SetPosition(0, 200, 0);
    edit.SetFocus(true);
    screen.AddControl(&bar);
    screen.AddControl(&box);
    screen.AddControl(&edit);
    screen.SetFocusOrder({&bar, &box, &edit}, &bar);

    screen.HandleFocusKey(kVkTab, false);
    EXPECT_TRUE(screen.HandleFocusKey(kVkRight, false));
    EXPECT_EQ(bar.GetValue(), 64.0f) << "kept to the range";
    EXPECT_TRUE(screen.HandleFocusKey(kVkLeft, false));
    EXPECT_EQ(bar.GetValue(), 60.0f);
    EXPECT_EQ(screen.reports.size(), 2u) << "reported at once, as at the end of a drag";

    screen.HandleFocusKey(kVkDown, false);
    ASSERT_EQ(screen.GetFocus(), &box);
    screen.HandleFocusKey(kVkSpace, false);
    EXPECT_TRUE(box.IsChecked());
    screen.HandleFocusKey(kVkReturn, false);
    EXPECT_FALSE(box.IsChecked());

    screen.HandleFocusKey(kVkDown, false);
    ASSERT_EQ(screen.GetFocus(), &edit);
    screen.OnChar('a', 1);
    screen.OnChar('b', 1);
    EXPECT_TRUE(screen.HandleFocusKey(kVkLeft, false));
    EXPECT_EQ(edit.GetCaret(), 1) << "Left moves the caret, not the focus";
    EXPECT_EQ(screen.GetFocus(), &edit);
    EXPECT_FALSE(screen.HandleFocusKey(kVkReturn, false)) << "Enter in the name box keeps its meaning";
    CScreen::SetKeyboardInUse(false);
}
