// The continue dialog and the custom level window on their own, with the data
// set's layouts and pictures: choices and results, the radio pair, the slider
// with its live preview, and the best-level lock.
#include "MenuTestSupport.h"

#include "game/Field.h"
#include "interface/ContinueDlg.h"
#include "interface/CustomLevelWnd.h"
#include "platform/Events.h"
#include "ui/TrackBar.h"

namespace
{
using NInterface::CContinueDlg;
using NInterface::CCustomLevelWnd;
using NMenuTest::MenuTest;

class ContinueDlgTest : public MenuTest
{
protected:
    void SetUp() override
    {
        MenuTest::SetUp();
        LoadInterface();
        m_host = Show(std::make_unique<NMenuTest::CHostScreen>());
    }
    void TearDown() override
    {
        CApplication::Instance()->CloseAll();
        MenuTest::TearDown();
    }
    CContinueDlg* Open(int level, int score)
    {
        auto dialog = std::make_unique<CContinueDlg>(level, score);
        dialog->SetVirtualSize(800, 600);
        dialog->SetPanelPosition(144, 44);
        dialog->SetPanelSize(512, 512);
        return Show(std::move(dialog), true);
    }
    // A click on a button of the panel, in window coordinates.
    void Press(CContinueDlg& dialog, const CSimpleButton& button)
    {
        Click(dialog, static_cast<int>(button.GetPosition().x + dialog.GetPanelX()) + 4,
              static_cast<int>(button.GetPosition().y + dialog.GetPanelY()) + 4);
    }
    NMenuTest::CHostScreen* m_host = nullptr;
};

TEST_F(ContinueDlgTest, ButtonsGiveTheirChoiceAndResultAndCloseTheDialog)
{
    struct SCase
    {
        CSimpleButton* (CContinueDlg::*button)() const;
        int choice;
        int result;
    };
    for (const SCase& c : {SCase{&CContinueDlg::GetContinueButton, CContinueDlg::kContinue, 0},
                           SCase{&CContinueDlg::GetNewGameButton, CContinueDlg::kNewGame, 0},
                           SCase{&CContinueDlg::GetCancelButton, CContinueDlg::kCancel, 1}})
    {
        auto dialog = Open(5, 1234);
        ASSERT_GT((dialog->*c.button)()->GetWidth(), 0.0f) << "button picture missing";
        Press(*dialog, *(dialog->*c.button)());
        NextFrame();
        EXPECT_EQ(CApplication::Instance()->GetDialogCount(), 0u);
        EXPECT_EQ(dialog->GetChoice(), c.choice);
        EXPECT_EQ(dialog->GetResult(), c.result);
    }
}

TEST_F(ContinueDlgTest, EnterAndEscapeCloseAsCancelAndTheFadeStopsAtFull)
{
    for (int key : {int(NPlatform::kVkReturn), int(NPlatform::kVkEscape)})
    {
        auto dialog = Open(1, 0);
        dialog->OnKeyDown(key);
        NextFrame();
        EXPECT_EQ(CApplication::Instance()->GetDialogCount(), 0u);
        EXPECT_EQ(dialog->GetChoice(), CContinueDlg::kCancel);
    }
    CContinueDlg dialog(5, 1234);
    for (int frame = 0; frame < 39; ++frame)
        dialog.Render();
    EXPECT_LT(dialog.GetFade(), 1.0f);
    for (int frame = 0; frame < 10; ++frame)
        dialog.Render();
    EXPECT_GE(dialog.GetFade(), 1.0f);
    EXPECT_LT(dialog.GetFade(), 1.03f);
}

class CustomLevelWndTest : public MenuTest
{
protected:
    void SetUp() override
    {
        MenuTest::SetUp();
        LoadInterface();
        m_menu = Show(std::make_unique<NMenuTest::CHostScreen>());
        m_window = Show(std::make_unique<CCustomLevelWnd>(800.0f, 600.0f));
    }
    void TearDown() override
    {
        CApplication::Instance()->CloseAll();
        MenuTest::TearDown();
    }
    // Drags the thumb from where it is to the level and lets go.
    void DragTo(int level, bool release = true)
    {
        CTrackBar& bar = *m_window->GetLevelTrackBar();
        const int y = static_cast<int>(bar.GetPosition().y + bar.GetThumbHeight() / 2);
        const int from = static_cast<int>(bar.GetPosition().x + bar.GetThumbOffset() + bar.GetThumbWidth() / 2);
        const int to = static_cast<int>(bar.GetPosition().x + level * 5 + bar.GetThumbWidth() / 2) + 1;
        m_window->OnLButtonDown(from, y, 0);
        m_window->OnMouseMove(to, y, 0);
        if (release)
            m_window->OnLButtonUp(to, y, 0);
    }
    NMenuTest::CHostScreen* m_menu = nullptr;
    CCustomLevelWnd* m_window = nullptr; // kept by m_menu when closed
};

TEST_F(CustomLevelWndTest, FreshInstallLocksFromTheFourthLevelInBothKinds)
{
    EXPECT_EQ(m_window->GetGameType(), 1);
    for (int pass = 0; pass < 2; ++pass)
    {
        for (int level : {0, 1, 2})
        {
            DragTo(level);
            EXPECT_EQ(m_window->GetLevel(), level);
            m_window->Render();
            EXPECT_FALSE(m_window->GetOkButton()->IsDisabled()) << "level " << level;
        }
        DragTo(3);
        m_window->Render();
        EXPECT_TRUE(m_window->GetOkButton()->IsDisabled());
        // A locked level starts nothing even when OK is pressed.
        Click(*m_window, *m_window->GetOkButton());
        EXPECT_FALSE(m_window->IsStartRequested());
        Click(*m_window, *m_window->GetClassicBox());
        EXPECT_EQ(m_window->GetGameType(), 0);
    }
    // A better record opens the level, in its own kind only.
    GetAppSettings().m_classic_level = 5;
    m_window->Render();
    EXPECT_FALSE(m_window->GetOkButton()->IsDisabled());
    Click(*m_window, *m_window->GetAdvancedBox());
    m_window->Render();
    EXPECT_TRUE(m_window->GetOkButton()->IsDisabled());
}

TEST_F(CustomLevelWndTest, PreviewFollowsTheThumbWhileDraggedAndTheBoxesReloadItsSet)
{
    const NGame::CField& preview = m_window->GetPreview();
    EXPECT_EQ(preview.GetLevelDir(), "dat/levels_duel");
    EXPECT_EQ(preview.GetAdvanced(), 1);
    DragTo(40, false);
    m_window->Update(16.0f);
    EXPECT_EQ(preview.GetLevelNumber(), 40) << "the preview follows the thumb before the release";
    m_window->OnLButtonUp(0, 0, 0);
    const int columns = preview.GetColumns();

    Click(*m_window, *m_window->GetClassicBox());
    EXPECT_TRUE(m_window->GetClassicBox()->IsChecked());
    EXPECT_FALSE(m_window->GetAdvancedBox()->IsChecked());
    EXPECT_EQ(preview.GetLevelDir(), "dat/levels_classic");
    EXPECT_EQ(preview.GetAdvanced(), 0);
    EXPECT_EQ(preview.GetLevelNumber(), 40);
    EXPECT_EQ(preview.GetColumns(), columns);
    EXPECT_EQ(m_window->GetLevel(), 40);

    // The ticked box stays ticked when pressed again.
    Click(*m_window, *m_window->GetClassicBox());
    EXPECT_TRUE(m_window->GetClassicBox()->IsChecked());
    EXPECT_FALSE(m_window->GetAdvancedBox()->IsChecked());
    Click(*m_window, *m_window->GetAdvancedBox());
    EXPECT_TRUE(m_window->GetAdvancedBox()->IsChecked());
    EXPECT_FALSE(m_window->GetClassicBox()->IsChecked());
    EXPECT_EQ(preview.GetLevelDir(), "dat/levels_duel");
}

TEST_F(CustomLevelWndTest, OnlyOkStartsAndEscapeOrCloseReturnWithout)
{
    Click(*m_window, *m_window->GetOkButton());
    EXPECT_TRUE(m_window->IsStartRequested());
    NextFrame();
    EXPECT_EQ(CApplication::Instance()->GetCurrentScreen(), m_menu);

    Show(m_menu->Take(m_window));
    m_window->OnKeyDown(NPlatform::kVkEscape);
    EXPECT_FALSE(m_window->IsStartRequested());
    NextFrame();
    EXPECT_EQ(CApplication::Instance()->GetCurrentScreen(), m_menu);

    Show(m_menu->Take(m_window));
    Click(*m_window, *m_window->GetCloseButton());
    EXPECT_FALSE(m_window->IsStartRequested());
    NextFrame();
    EXPECT_EQ(CApplication::Instance()->GetCurrentScreen(), m_menu);
}

TEST_F(ContinueDlgTest, TheFocusStartsOnContinueAndEnterThenPressesIt)
{
    CScreen::SetKeyboardInUse(false);
    auto dialog = Open(2, 10);
    dialog->OnKeyDown(NPlatform::kVkDown);
    EXPECT_EQ(dialog->GetFocus(), dialog->GetContinueButton());
    EXPECT_EQ(CApplication::Instance()->GetDialogCount(), 1u) << "the first key only shows the focus";
    dialog->OnKeyDown(NPlatform::kVkReturn);
    NextFrame();
    EXPECT_EQ(dialog->GetChoice(), CContinueDlg::kContinue);
    EXPECT_EQ(dialog->GetResult(), 0);
    CScreen::SetKeyboardInUse(false);
}

TEST_F(CustomLevelWndTest, TheFocusStartsOnStartAndTheSliderTakesLeftAndRight)
{
    CScreen::SetKeyboardInUse(false);
    m_window->OnKeyDown(NPlatform::kVkTab);
    ASSERT_EQ(m_window->GetFocus(), m_window->GetOkButton());
    m_window->HandleFocusKey(NPlatform::kVkTab, true);
    m_window->OnKeyDown(NPlatform::kVkRight);
    m_window->OnKeyDown(NPlatform::kVkRight);
    m_window->OnKeyDown(NPlatform::kVkLeft);
    EXPECT_EQ(m_window->GetLevel(), 1);
    m_window->OnKeyDown(NPlatform::kVkTab);
    m_window->OnKeyDown(NPlatform::kVkReturn);
    EXPECT_TRUE(m_window->IsStartRequested());
    NextFrame();
    EXPECT_EQ(CApplication::Instance()->GetCurrentScreen(), m_menu);
    CScreen::SetKeyboardInUse(false);
}
} // namespace
