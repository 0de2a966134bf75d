// The whole way with keys alone, not one mouse event: the menu's focus to the
// options (both colour-blind helps ticked) and back, Play, Start at level 1,
// the tutorial's panels closed, the level played with the cell cursor to its
// end, continued, left with Escape and the program quit with Escape. The
// driver looks at the game each frame, as a player watching the screen would,
// and answers with key presses only.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <vector>

#include "app/Application.h"
#include "app/Program.h"
#include "engine/AppSettings.h"
#include "game/CellCursor.h"
#include "game/Field.h"
#include "game/Game.h"
#include "game/GameResources.h"
#include "game/HintPanel.h"
#include "game/Player.h"
#include "interface/CustomLevelWnd.h"
#include "interface/MainMenu.h"
#include "platform/DataFolder.h"
#include "platform/Events.h"
#include "tests/e2e/Harness.h"
#include "tests/e2e/MenuArt.h"
#include "tests/e2e/Playing.h"
#include "ui/SimpleButton.h"

namespace
{
using NE2e::BestNeighbour;
using NE2e::CHarness;
using NE2e::SImage;
using NE2e::SRgb;
using namespace NPlatform;

class CKeyDriver
{
  public:
    explicit CKeyDriver(CHarness& harness) : m_harness(harness) {}

    void OnFrame(int frame)
    {
        NInterface::CMainMenu* menu = m_harness.GetProgram().GetMainMenu();
        NGame::CGame* game = menu ? menu->GetHeldGame() : nullptr;
        if (m_done || frame < m_busy_until || !game || m_harness.GetApp()->GetCurrentScreen() != game)
            return;
        m_in_game = true;
        const NGame::CField& field = *game->GetField();
        if (!field.IsIdle() && !field.IsFull())
            for (int i = 0; i < 8 && !field.IsIdle(); ++i)
                game->Update(16.0f);

        if (!game->GetHintPanels().empty())
        {
            for (const auto& panel : game->GetHintPanels())
                if (panel->GetAlpha() < 1.0f || panel->IsClosing())
                    return;
            ++m_panels_closed;
            Key(frame, kVkReturn);
            return;
        }
        if (field.IsFull())
        {
            if (!field.IsIdle() || game->GetMessageAlpha() < 1.0f || m_ended_level >= 0)
                return;
            m_ended_level = game->GetLevelNumber();
            m_life_lost = game->IsLifeLost();
            m_harness.Capture(frame + 1, "level-end");
            Key(frame + 2, kVkSpace);
            return;
        }
        if (m_ended_level >= 0)
        {
            if (game->GetCurrentSide() == 0 && field.IsIdle())
            {
                m_next_level = game->GetLevelNumber();
                m_harness.Capture(frame + 1, "next-level");
                Key(frame + 2, kVkEscape);
                m_harness.At(frame + 6, [this, menu] { m_left = m_harness.GetApp()->GetCurrentScreen() == menu; });
                Key(frame + 8, kVkEscape); // the menu's Escape ends the program
                m_done = true;
            }
            return;
        }
        const NGame::CGameResources* resources = NGame::GetGameResources();
        if (game->GetCurrentSide() != 0 || !field.IsIdle() || !game->GetActiveBonuses().empty() ||
            game->GetPlayer()->GetState() != NGame::CPlayer::kMayMove ||
            (resources && game->GetNextTutorialHint() < resources->GetLastHintIndex()))
            return;

        const NGame::CCellCursor& cursor = game->GetCellCursor();
        if (!cursor.IsShown())
        {
            Key(frame, kVkRight);
            return;
        }
        const auto [row, col] = BestNeighbour(field);
        if (row < 0)
            return;
        if (cursor.GetRow() != row)
            Key(frame, cursor.GetRow() < row ? kVkDown : kVkUp);
        else if (cursor.GetColumn() != col)
            Key(frame, cursor.GetColumn() < col ? kVkRight : kVkLeft);
        else
        {
            if (m_moves == 1)
            {
                m_harness.Capture(frame + 1, "cursor-preview");
                m_preview = {row, col};
            }
            Key(frame + 2, m_moves % 2 ? kVkSpace : kVkReturn);
            ++m_moves;
            m_busy_until = frame + 6;
        }
    }

    void Key(int frame, int key)
    {
        m_harness.KeyDown(frame + 1, key);
        m_busy_until = std::max(m_busy_until, frame + 3);
    }

    CHarness& m_harness;
    int m_busy_until = 0;
    bool m_done = false;
    bool m_in_game = false;
    int m_moves = 0;
    int m_panels_closed = 0;
    int m_ended_level = -1;
    bool m_life_lost = false;
    int m_next_level = -1;
    bool m_left = false;
    std::pair<int, int> m_preview{-1, -1};
};

TEST(KeysE2e, AWholeLevelFromTheMenuToTheEndWithKeysAlone)
{
    if (!CHarness::HasDisplay())
        GTEST_SKIP() << "needs an X display (run through test.sh)";
    if (!NE2e::CMenuArt::IsDataSetBuilt())
        GTEST_SKIP() << "the data set has not been generated";
    CHarness harness;
    NE2e::PrepareInstall(harness, true);
    ASSERT_TRUE(harness.Start());
    NInterface::CMainMenu* menu = harness.GetProgram().GetMainMenu();
    ASSERT_NE(menu, nullptr);

    // The menu: the first key only shows the ring on Play; down to Options.
    harness.KeyDown(30, kVkDown);
    harness.Capture(34, "menu-focus");
    harness.At(34, [&] { EXPECT_EQ(menu->GetFocus(), menu->GetGameButton()); });
    for (int i = 0; i < 3; ++i)
        harness.KeyDown(36 + 2 * i, kVkDown);
    harness.KeyDown(44, kVkReturn);
    // The options open on Back; up to the two colour-blind boxes, each ticked with Space.
    harness.KeyDown(50, kVkUp);
    harness.KeyDown(52, kVkSpace);
    harness.KeyDown(54, kVkUp);
    harness.KeyDown(56, kVkSpace);
    harness.Capture(60, "options-focus");
    harness.At(60, [&] {
        EXPECT_TRUE(GetAppSettings().m_outline_zones);
        EXPECT_TRUE(GetAppSettings().m_flower_symbols);
    });
    harness.KeyDown(62, kVkEscape);
    // Back on the menu the ring is on Play again: Enter opens the custom level
    // window, whose ring is on Start; Enter starts level 1.
    harness.KeyDown(70, kVkReturn);
    harness.Capture(80, "custom-focus");
    harness.At(80, [&] {
        ASSERT_NE(menu->GetCustomLevelWindow(), nullptr);
        EXPECT_EQ(menu->GetCustomLevelWindow()->GetFocus(), menu->GetCustomLevelWindow()->GetOkButton());
    });
    harness.KeyDown(82, kVkReturn);

    CKeyDriver driver(harness);
    const int kFrames = 6000;
    for (int frame = 90; frame < kFrames; ++frame)
        harness.At(frame, [&driver, frame] { driver.OnFrame(frame); });
    harness.Run(kFrames);
    std::printf("frames drawn: %d, moves: %d, panels closed: %d\n", harness.GetFramesRun(), driver.m_moves,
                driver.m_panels_closed);

    EXPECT_TRUE(driver.m_in_game);
    EXPECT_GE(driver.m_panels_closed, 1);
    EXPECT_GT(driver.m_moves, 2);
    EXPECT_EQ(driver.m_ended_level, 0);
    EXPECT_EQ(driver.m_next_level, driver.m_life_lost ? 0 : 1);
    EXPECT_TRUE(driver.m_left) << "Escape leaves the game for the menu";
    EXPECT_TRUE(driver.m_done);
    EXPECT_LT(harness.GetFramesRun(), kFrames) << "the menu's Escape ended the program";
    EXPECT_NE(harness.GetCapture("cursor-preview"), nullptr);
    harness.Shutdown();
}
} // namespace
