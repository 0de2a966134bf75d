// The whole program from start to exit with the generated data set, as a player
// meets it: the menu after the intro, a new game through the custom level window,
// a few moves, leaving and continuing, quitting and continuing after a restart,
// and a game played to its end into the top-7 table.
#include "engine/AppSettings.h"
#include "app/Application.h"
#include "app/Program.h"
#include "engine/KeyValueFile.h"
#include "game/Field.h"
#include "game/Game.h"
#include "game/Player.h"
#include "interface/ContinueDlg.h"
#include "interface/CustomLevelWnd.h"
#include "interface/EnterNameDlg.h"
#include "interface/MainMenu.h"
#include "interface/InterfaceResources.h"
#include "game/GameResources.h"
#include "game/TopTable.h"
#include "interface/TopWnd.h"
#include "platform/DataFolder.h"
#include "platform/Events.h"
#include "tests/e2e/Harness.h"
#include "tests/e2e/MenuArt.h"
#include "tests/e2e/Playing.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>

namespace
{
using NE2e::CHarness;
using NE2e::PrepareInstall;
using NInterface::CMainMenu;

#define REQUIRE_DISPLAY_AND_DATA()                                                                             \
    if (!CHarness::HasDisplay())                                                                               \
        GTEST_SKIP() << "needs an X display (run through test.sh)";                                          \
    if (!NE2e::CMenuArt::IsDataSetBuilt())                                                                   \
    GTEST_SKIP() << "the data set has not been generated"

CMainMenu* Menu(CHarness& harness)
{
    return harness.GetProgram().GetMainMenu();
}

// Centre of a button of the menu (layout = client pixels in an 800 x 600 window).
void ClickAt(CHarness& harness, int frame, int x, int y)
{
    harness.MouseMove(frame, x, y);
    harness.LButtonDown(frame + 1, x, y);
    harness.LButtonUp(frame + 2, x, y);
}
void ClickButton(CHarness& harness, int frame, const CSimpleButton& button, float offsetX = 0, float offsetY = 0)
{
    ClickAt(harness, frame, static_cast<int>(button.GetPosition().x + offsetX + button.GetWidth() / 2),
            static_cast<int>(button.GetPosition().y + offsetY + button.GetHeight() / 2));
}

// Schedules, at the frame, a click on a cell whose colour the player may take:
// the one that grows the zone most, as a player looking at the board would.
void PlayAMove(CHarness& harness, int frame)
{
    harness.At(frame, [&harness, frame] {
        NGame::CGame* game = Menu(harness)->GetHeldGame();
        ASSERT_NE(game, nullptr);
        ASSERT_EQ(harness.GetApp()->GetCurrentScreen(), game);
        const NGame::CField& field = *game->GetField();
        ASSERT_TRUE(field.IsIdle()) << "the board is still moving at frame " << frame;
        int bestRow = -1, bestCol = -1;
        for (int r = 0; r < field.GetRows() && bestRow < 0; ++r)
            for (int c = 0; c < field.RowLength(r); ++c)
                if (field.IsColourAllowed(field.ColourAt(r, c)))
                {
                    bestRow = r;
                    bestCol = c;
                    break;
                }
        ASSERT_GE(bestRow, 0);
        const CVector4 centre = field.CellCentre(bestRow, bestCol);
        ClickAt(harness, frame + 1, static_cast<int>(centre.x), static_cast<int>(centre.y));
    });
}

// Writes saved.dat holding a game of the type at the level: the player's
// start 02, the computer's 01, every other cell as `cell` (by its index) gives.
bool SaveHeldGame(CHarness& harness, int type, int level, int totalScore, int money, int lives,
                  const std::function<const char*(int cell)>& cell)
{
    const NGame::SLevelLayout layout = NGame::SLevelLayout::ForLevel(level);
    char number[8];
    std::snprintf(number, sizeof number, "%03d ", level);
    std::string text = number;
    const int mid = layout.rows / 2;
    int index = 0;
    for (int r = 0; r < layout.rows; ++r)
        for (int c = 0; c < layout.columns - std::abs(mid - r); ++c, ++index)
            text += (r == mid && c == 0) ? "02 " : (r == mid && c == layout.columns - 1) ? "01 " : cell(index);
    const char* const sets[] = {"dat/levels_classic", "dat/levels_duel"};
    CKeyValueFile saved;
    saved.SetString("menudata.gamename", "zonvel game");
    saved.SetInt("gamedata.gametype", type);
    saved.SetInt("gamedata.totalscore", totalScore);
    saved.SetInt("gamedata.playermoney", money);
    saved.SetInt("gamedata.playerlifes", lives);
    saved.SetString("gamedata.fieldstate", text);
    saved.SetString("gamedata.dir_pattern", std::string(sets[type]) + "/lev%03d.raw");
    saved.SetInt("gamedata.level_num", level);
    saved.SetInt("gamedata.levels_count", 100);
    saved.SetInt("gamedata.m_game_type", type);
    return saved.SaveFile(harness.GetDataFolder() + CMainMenu::kSavedGameFile, CMainMenu::kSavedGameKey,
                          CMainMenu::kSavedGameKeyLength);
}

TEST(MenuE2e, NewPlayerStartsPlaysLeavesContinuesQuitsAndContinuesAfterARestart)
{
    REQUIRE_DISPLAY_AND_DATA();
    CHarness harness;
    PrepareInstall(harness, false);
    ASSERT_TRUE(harness.Start());
    CMainMenu* menu = Menu(harness);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(harness.GetApp()->GetScreenCount(), 1u) << "the menu replaced the intro";
    EXPECT_EQ(menu->GetHeldGame(), nullptr);
    // A new player's menu holds only its own pictures: the game's come with the first game.
    EXPECT_EQ(NGame::GetGameResources(), nullptr);
    EXPECT_FALSE(menu->GetResources()->IsLoaded("m_cust_lev_wnd"));

    harness.Capture(30, "menu");

    ClickButton(harness, 40, *menu->GetGameButton());
    harness.Capture(70, "custom-level");
    // The thumb to the fourth level: locked on a fresh install.
    harness.At(70, [&] {
        NInterface::CCustomLevelWnd* window = menu->GetCustomLevelWindow();
        ASSERT_NE(window, nullptr);
        ASSERT_EQ(harness.GetApp()->GetCurrentScreen(), window);
        EXPECT_NE(NGame::GetGameResources(), nullptr);
        EXPECT_TRUE(menu->GetResources()->IsLoaded("m_cust_lev_wnd"));
        const CTrackBar& bar = *window->GetLevelTrackBar();
        const int y = static_cast<int>(bar.GetPosition().y + bar.GetThumbHeight() / 2);
        const int x = static_cast<int>(bar.GetPosition().x + bar.GetThumbWidth() / 2);
        harness.MouseMove(71, x, y);
        harness.LButtonDown(72, x, y);
        harness.MouseMove(74, x + 8, y);
        harness.MouseMove(76, x + 16, y);
        harness.LButtonUp(78, x + 16, y);
    });
    harness.Capture(90, "custom-level-locked");
    harness.At(90, [&] {
        NInterface::CCustomLevelWnd* window = menu->GetCustomLevelWindow();
        EXPECT_EQ(window->GetLevel(), 3);
        EXPECT_EQ(window->GetPreview().GetLevelNumber(), 3);
        EXPECT_TRUE(window->GetOkButton()->IsDisabled());
        // Back to the first level, classic, and start.
        const CTrackBar& bar = *window->GetLevelTrackBar();
        const int y = static_cast<int>(bar.GetPosition().y + bar.GetThumbHeight() / 2);
        const int x = static_cast<int>(bar.GetPosition().x + bar.GetThumbOffset() + bar.GetThumbWidth() / 2);
        harness.MouseMove(91, x, y);
        harness.LButtonDown(92, x, y);
        harness.MouseMove(94, x - 30, y);
        harness.LButtonUp(95, x - 30, y);
        const CSimpleCheckBox& classic = *window->GetClassicBox();
        ClickAt(harness, 97, static_cast<int>(classic.GetPosition().x + 10), static_cast<int>(classic.GetPosition().y + 10));
        ClickButton(harness, 102, *window->GetOkButton());
    });
    harness.At(110, [&] {
        ASSERT_NE(menu->GetHeldGame(), nullptr);
        EXPECT_EQ(harness.GetApp()->GetCurrentScreen(), menu->GetHeldGame());
        EXPECT_EQ(menu->GetHeldGame()->GetGameType(), 0);
        EXPECT_EQ(menu->GetHeldGame()->GetLevelNumber(), 0);
    });
    harness.Capture(130, "game-appearing");
    // The level lays itself out, then three moves, each once the player is to
    // move again; then the player leaves, continues, leaves and quits.
    int moves = 0, lastRecord = -1, scoreAtLeaving = -1;
    std::string board;
    auto leave = [&](int at) {
        harness.Capture(at + 1, "game-after-moves");
        harness.At(at + 2, [&] { scoreAtLeaving = menu->GetHeldGame()->GetCurrentScore(); });
        harness.KeyDown(at + 3, NPlatform::kVkEscape);
        harness.At(at + 7, [&, at] {
            EXPECT_EQ(harness.GetApp()->GetCurrentScreen(), menu);
            ASSERT_NE(menu->GetHeldGame(), nullptr);
            ClickButton(harness, at + 8, *menu->GetGameButton());
        });
        harness.Capture(at + 55, "continue-dialog");
        harness.At(at + 55, [&, at] {
            NInterface::CContinueDlg* dialog = menu->GetContinueDialog();
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->GetLevel(), 1);
            EXPECT_EQ(dialog->GetScore(), scoreAtLeaving);
            ClickButton(harness, at + 56, *dialog->GetContinueButton(), dialog->GetPanelX(), dialog->GetPanelY());
        });
        harness.Capture(at + 75, "continued");
        harness.At(at + 75, [&] { EXPECT_EQ(harness.GetApp()->GetCurrentScreen(), menu->GetHeldGame()); });
        harness.KeyDown(at + 80, NPlatform::kVkEscape);
        harness.At(at + 85, [&, at] {
            board = menu->GetHeldGame()->GetField()->FormatFieldState();
            ClickButton(harness, at + 86, *menu->GetQuitButton());
        });
    };
    for (int frame = 150; frame < 1500; frame += 5)
        harness.At(frame, [&, frame] {
            NGame::CGame* game = menu->GetHeldGame();
            if (moves > 3 || !game || harness.GetApp()->GetCurrentScreen() != game)
                return;
            const NGame::CField& field = *game->GetField();
            if (!field.IsIdle() || game->GetCurrentSide() != 0 || field.GetRecordCount() == lastRecord)
                return;
            lastRecord = field.GetRecordCount();
            if (moves++ == 3)
                leave(frame);
            else
                PlayAMove(harness, frame + 1);
        });
    harness.Run(1800);
    EXPECT_EQ(moves, 4) << "three moves played";
    EXPECT_LT(harness.GetFramesRun(), 1800) << "the quit button ended the program";
    harness.Shutdown();
    harness.ClearScript();
    ASSERT_FALSE(board.empty());

    // The next start offers the same game on the same board.
    ASSERT_TRUE(harness.Start());
    menu = Menu(harness);
    ASSERT_NE(menu->GetHeldGame(), nullptr);
    EXPECT_EQ(menu->GetHeldGame()->GetLevelNumber(), 0);
    EXPECT_EQ(menu->GetHeldGame()->GetField()->FormatFieldState(), board);
    ClickButton(harness, 20, *menu->GetGameButton());
    harness.Capture(60, "restart-continue-dialog");
    harness.At(60, [&] {
        ASSERT_NE(menu->GetContinueDialog(), nullptr);
        EXPECT_EQ(menu->GetContinueDialog()->GetLevel(), 1);
        NInterface::CContinueDlg* dialog = menu->GetContinueDialog();
        ClickButton(harness, 61, *dialog->GetContinueButton(), dialog->GetPanelX(), dialog->GetPanelY());
    });
    harness.Capture(90, "restart-continued");
    harness.At(90, [&] { EXPECT_EQ(harness.GetApp()->GetCurrentScreen(), menu->GetHeldGame()); });
    harness.Quit(95);
    harness.Run(200);
}

TEST(MenuE2e, LastLevelWonEndsInTheNameEntryAndTheTopWindowOnItsTable)
{
    REQUIRE_DISPLAY_AND_DATA();
    CHarness harness;
    PrepareInstall(harness, true);
    // A held advanced game on its last level, one move from the end.
    ASSERT_TRUE(SaveHeldGame(harness, 1, 99, 4321, 250, 2, [](int) { return "00 "; }));

    ASSERT_TRUE(harness.Start());
    CMainMenu* menu = Menu(harness);
    ASSERT_NE(menu->GetHeldGame(), nullptr);
    ClickButton(harness, 20, *menu->GetGameButton());
    harness.At(40, [&] {
        NInterface::CContinueDlg* dialog = menu->GetContinueDialog();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->GetLevel(), 100);
        ClickButton(harness, 41, *dialog->GetContinueButton(), dialog->GetPanelX(), dialog->GetPanelY());
    });
    // Once the board is full: a click ends the game, the next asks for the name,
    // and once it is typed the field vanishes and the top window opens.
    int stage = -1;
    for (int frame = 50; frame < 2400; frame += 10)
        harness.At(frame, [&, frame] {
            NGame::CGame* game = menu->GetHeldGame();
            if (stage == -1 && game && harness.GetApp()->GetCurrentScreen() == game && game->GetField()->IsIdle())
            {
                // The board has laid itself out: the winning move.
                harness.Capture(frame, "last-level");
                const NGame::CField& field = *game->GetField();
                const CVector4 cell = field.CellCentre(field.GetMid(), 1);
                ClickAt(harness, frame + 1, static_cast<int>(cell.x), static_cast<int>(cell.y));
                stage = 0;
            }
            else if (stage == 0 && game && game->GetField()->IsIdle() && game->GetField()->IsFull())
            {
                harness.Capture(frame + 1, "level-won");
                ClickAt(harness, frame + 2, 400, 20);
                stage = 1;
            }
            else if (stage == 1 && game && game->IsGameOver())
            {
                ClickAt(harness, frame + 1, 400, 20);
                stage = 2;
            }
            else if (stage == 2 && game && game->GetNameDialog())
            {
                // Typed once the dialog has faded in.
                harness.Capture(frame + 45, "name-entry");
                int typed = frame + 46;
                for (char c : std::string("Ann"))
                    harness.Char(typed++, static_cast<uint16_t>(c));
                harness.Capture(typed, "name-typed");
                harness.KeyDown(typed + 1, NPlatform::kVkReturn);
                stage = 3;
            }
            else if (stage == 3 && menu->GetTopWindow())
            {
                harness.Capture(frame + 30, "top-window");
                harness.Quit(frame + 31);
                stage = 4;
            }
        });
    harness.Run(2500);
    EXPECT_EQ(stage, 4);
    EXPECT_EQ(menu->GetHeldGame(), nullptr);
    ASSERT_NE(menu->GetTopWindow(), nullptr);
    EXPECT_EQ(harness.GetApp()->GetCurrentScreen(), menu->GetTopWindow());
    EXPECT_EQ(menu->GetTopWindow()->GetPage(), 1);
    EXPECT_EQ(menu->GetTopTable()->GetName(1, 0), "Ann");
    EXPECT_GT(menu->GetTopTable()->GetPoints(1, 0), 4321);
    harness.Shutdown();
    // Nothing is left to continue.
    CKeyValueFile after;
    ASSERT_TRUE(after.LoadFile(harness.GetDataFolder() + CMainMenu::kSavedGameFile, true, CMainMenu::kSavedGameKey,
                               CMainMenu::kSavedGameKeyLength));
    EXPECT_FALSE(after.HasKey("gamedata.gametype"));
}

struct SJudged
{
    int money = -1;
    int totalScore = -1;
    int restoredMoney = -1;
};

// From the menu: Play, Continue, the move that ends the level; on "LEVEL
// COMPLETED" the totals are taken, then Escape and the Quit button.
SJudged PlayTheLastMoveAndLeave(CHarness& harness, const std::string& shot)
{
    SJudged judged;
    CMainMenu* menu = Menu(harness);
    EXPECT_NE(menu->GetHeldGame(), nullptr);
    if (!menu->GetHeldGame())
        return judged;
    judged.restoredMoney = menu->GetHeldGame()->GetPlayer()->GetMoney();
    ClickButton(harness, 20, *menu->GetGameButton());
    harness.At(50, [&harness, menu] {
        NInterface::CContinueDlg* dialog = menu->GetContinueDialog();
        ASSERT_NE(dialog, nullptr);
        ClickButton(harness, 51, *dialog->GetContinueButton(), dialog->GetPanelX(), dialog->GetPanelY());
    });
    int stage = 0;
    for (int frame = 60; frame < 1400; frame += 5)
        harness.At(frame, [&, frame, menu] {
            NGame::CGame* game = menu->GetHeldGame();
            if (!game)
                return;
            const NGame::CField& field = *game->GetField();
            if (stage == 0 && harness.GetApp()->GetCurrentScreen() == game && field.IsIdle())
            {
                const CVector4 cell = field.CellCentre(field.GetMid(), 1);
                ClickAt(harness, frame + 1, static_cast<int>(cell.x), static_cast<int>(cell.y));
                stage = 1;
            }
            else if (stage == 1 && field.IsIdle() && field.IsFull() && game->IsResultSoundPlayed())
            {
                // The result has faded in: what the player sees before leaving.
                harness.Capture(frame + 60, shot);
                harness.At(frame + 60, [&judged, game] {
                    judged.money = game->GetPlayer()->GetMoney();
                    judged.totalScore = game->GetTotalScore();
                });
                harness.KeyDown(frame + 61, NPlatform::kVkEscape);
                harness.At(frame + 66, [&harness, menu, frame] {
                    EXPECT_EQ(harness.GetApp()->GetCurrentScreen(), menu);
                    ClickButton(harness, frame + 67, *menu->GetQuitButton());
                });
                stage = 2;
            }
        });
    harness.Run(1500);
    EXPECT_EQ(stage, 2);
    EXPECT_LT(harness.GetFramesRun(), 1500) << "the quit button ended the program";
    return judged;
}

// Leave on "LEVEL COMPLETED" with Escape, quit, start again, continue and make
// the same move: the totals come out as in one game played without a break.
TEST(MenuE2e, LeavingAJudgedLevelAndContinuingAfterARestartPaysTheMoveOnce)
{
    REQUIRE_DISPLAY_AND_DATA();
    CHarness harness;
    PrepareInstall(harness, false);
    // A held classic game on its sixth level, one move from its end, with
    // ten-cent coins on the cells that move takes: they must be paid once.
    ASSERT_TRUE(SaveHeldGame(harness, 0, 5, 500, 40, 3, [](int cell) { return cell % 7 == 3 ? "60 00 02 " : "00 "; }));

    ASSERT_TRUE(harness.Start());
    const SJudged first = PlayTheLastMoveAndLeave(harness, "level-completed");
    harness.Shutdown();
    harness.ClearScript();
    EXPECT_EQ(first.restoredMoney, 40);
    EXPECT_GT(first.money, 40) << "the move collected coins";
    EXPECT_GT(first.totalScore, 500);

    ASSERT_TRUE(harness.Start());
    const SJudged second = PlayTheLastMoveAndLeave(harness, "level-completed-again");
    harness.Shutdown();
    EXPECT_EQ(second.restoredMoney, 40) << "the restored position is the one before the move";
    EXPECT_EQ(second.money, first.money);
    EXPECT_EQ(second.totalScore, first.totalScore);
}
} // namespace
