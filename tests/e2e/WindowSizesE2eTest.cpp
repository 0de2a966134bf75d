// The program in a window of any size and in full screen, on a desktop with a
// window manager: the logical 800 x 600 screen scaled to fit, centred, its
// margins clean, and every click landing where its button or cell is drawn.
// The window is resized from outside with xdotool, as a player's drag on its
// edge would be.
#include "app/Application.h"
#include "engine/AppSettings.h"
#include "engine/ScreenMapping.h"
#include "game/Field.h"
#include "game/Game.h"
#include "interface/ContinueDlg.h"
#include "interface/CustomLevelWnd.h"
#include "interface/MainMenu.h"
#include "platform/DataFolder.h"
#include "platform/Events.h"
#include "platform/Window.h"
#include "tests/e2e/Harness.h"
#include "tests/e2e/MenuArt.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace
{
using NE2e::CHarness;
using NE2e::SImage;
using NE2e::SRgb;
using NInterface::CMainMenu;

#define REQUIRE_DESKTOP()                                                                                    \
    if (!CHarness::HasDisplay())                                                                             \
        GTEST_SKIP() << "needs an X display (run through test.sh)";                                          \
    if (!NE2e::CMenuArt::IsDataSetBuilt())                                                                   \
        GTEST_SKIP() << "the data set has not been generated";                                               \
    if (std::system("command -v xdotool >/dev/null") != 0)                                                   \
    GTEST_SKIP() << "needs xdotool"

// The margins' colour, as the frame clears them.
const SRgb kMargin{18, 23, 15};

const CScreenMapping& Mapping(CHarness& harness)
{
    return harness.GetApp()->GetScreenMapping();
}

// A click on a logical point, made in window pixels where the point is shown now.
void ClickLogical(CHarness& harness, int frame, float lx, float ly)
{
    int x = 0, y = 0;
    Mapping(harness).ToWindow(static_cast<int>(lx), static_cast<int>(ly), x, y);
    harness.MouseMove(frame, x, y);
    harness.LButtonDown(frame + 1, x, y);
    harness.LButtonUp(frame + 2, x, y);
}

void ClickButton(CHarness& harness, int frame, const CSimpleButton& button, float offsetX = 0,
                 float offsetY = 0)
{
    ClickLogical(harness, frame, button.GetPosition().x + offsetX + button.GetWidth() / 2,
                 button.GetPosition().y + offsetY + button.GetHeight() / 2);
}

// The drawable pixel showing a logical point.
SRgb Shown(const SImage& shot, const CScreenMapping& mapping, int lx, int ly)
{
    const SViewport& v = mapping.GetViewport();
    const int top = mapping.GetDrawableHeight() - v.y - v.height;
    const int x = v.x + static_cast<int>((lx + 0.5) * v.width / mapping.GetLogicalWidth());
    const int y = top + static_cast<int>((ly + 0.5) * v.height / mapping.GetLogicalHeight());
    return shot.At(x, y);
}

// Of a grid over the whole logical screen, corners and edges included, the
// share of points that show what the 800 x 600 window showed there (insects
// fly, so not all of them).
double ShareLikeTheNativePicture(const SImage& native, const SImage& shot, const CScreenMapping& mapping)
{
    int same = 0, all = 0;
    for (int ly : {2, 75, 150, 225, 300, 375, 450, 525, 597})
        for (int lx : {2, 100, 200, 300, 400, 500, 600, 700, 797})
        {
            ++all;
            if (NE2e::Near(native.At(lx, ly), Shown(shot, mapping, lx, ly), 60))
                ++same;
        }
    return static_cast<double>(same) / all;
}

// Every margin, near its edges and in its middle, is the margin colour.
void ExpectCleanMargins(const SImage& shot, const CScreenMapping& mapping, const std::string& what)
{
    ASSERT_EQ(shot.width, mapping.GetDrawableWidth()) << what;
    ASSERT_EQ(shot.height, mapping.GetDrawableHeight()) << what;
    const SViewport& v = mapping.GetViewport();
    const int w = shot.width, h = shot.height;
    const int top = h - v.y - v.height;
    std::vector<std::pair<int, int>> points;
    if (v.x > 0)
        points.insert(points.end(),
                      {{0, 0}, {v.x / 2, h / 2}, {v.x - 1, h - 1}, {w - 1, 0}, {w - 1 - v.x / 2, h / 2}});
    if (top > 0)
        points.insert(points.end(),
                      {{0, 0}, {w / 2, top / 2}, {w - 1, top - 1}, {w / 2, h - 1}, {0, h - 1 - top / 2}});
    for (auto [x, y] : points)
        EXPECT_TRUE(NE2e::Near(shot.At(x, y), kMargin, 4))
            << what << ": margin pixel (" << x << "," << y << ") is " << int(shot.At(x, y).r) << ","
            << int(shot.At(x, y).g) << "," << int(shot.At(x, y).b);
}

void ResizeWithXdotool(int width, int height)
{
    const std::string command = "xdotool search --name '^Zonvel$' windowsize %@ " + std::to_string(width) +
                                " " + std::to_string(height) + " >/dev/null 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
}
} // namespace

TEST(WindowE2e, AtEverySizeTheWholeScreenShowsAndClicksLandOnTheScaledPlaces)
{
    REQUIRE_DESKTOP();
    CHarness harness;
    ASSERT_TRUE(NE2e::InstallDataSet(harness, false));
    ASSERT_TRUE(harness.Start());
    CMainMenu* menu = harness.GetProgram().GetMainMenu();
    ASSERT_NE(menu, nullptr);
    CApplication* app = harness.GetApp();

    struct SSize
    {
        int width, height;
    };
    const std::vector<SSize> sizes = {{1280, 960}, {1280, 720}, {1600, 1200}, {640, 480}};
    harness.Capture(30, "native-menu");

    // One size after the other: resize, the menu, Play, into the game, a move, back.
    size_t index = 0;
    int stage = 0, waitUntil = 0, moves = 0;
    std::string boardBefore, name;
    std::vector<std::string> done;
    for (int frame = 40; frame < 4000; frame += 4)
        harness.At(
            frame,
            [&, frame]
            {
                if (index >= sizes.size() || frame < waitUntil)
                    return;
                const SSize size = sizes[index];
                name = std::to_string(size.width) + "x" + std::to_string(size.height);
                NGame::CGame* game = menu->GetHeldGame();
                switch (stage)
                {
                case 0:
                    ResizeWithXdotool(size.width, size.height);
                    stage = 1;
                    return;
                case 1:
                    if (app->GetWindowWidth() != size.width || app->GetWindowHeight() != size.height)
                        return;
                    harness.Capture(frame + 2, "menu-" + name);
                    waitUntil = frame + 3;
                    stage = 2;
                    return;
                case 2:
                {
                    const SImage* shot = harness.GetCapture("menu-" + name);
                    ASSERT_NE(shot, nullptr);
                    ExpectCleanMargins(*shot, Mapping(harness), "menu " + name);
                    EXPECT_GE(ShareLikeTheNativePicture(*harness.GetCapture("native-menu"), *shot,
                                                        Mapping(harness)),
                              0.85)
                        << "menu " << name << ": the picture is not the menu, scaled";
                    ClickButton(harness, frame + 1, *menu->GetGameButton());
                    waitUntil = frame + 20;
                    stage = 3;
                    return;
                }
                case 3:
                    // A new game through the custom level window, or the held one continued.
                    if (app->GetCurrentScreen() == menu->GetCustomLevelWindow() && !app->GetTopDialog())
                    {
                        ClickButton(harness, frame + 1, *menu->GetCustomLevelWindow()->GetOkButton());
                        waitUntil = frame + 20;
                    }
                    else if (app->GetTopDialog() && app->GetTopDialog() == menu->GetContinueDialog())
                    {
                        const NInterface::CContinueDlg& dialog = *menu->GetContinueDialog();
                        ClickButton(harness, frame + 1, *dialog.GetContinueButton(), dialog.GetPanelX(),
                                    dialog.GetPanelY());
                        waitUntil = frame + 20;
                    }
                    else if (game && app->GetCurrentScreen() == game && game->GetField()->IsIdle() &&
                             game->GetCurrentSide() == 0)
                    {
                        harness.Capture(frame + 1, "game-" + name);
                        waitUntil = frame + 2;
                        stage = 4;
                    }
                    else if (app->GetCurrentScreen() == menu && frame > waitUntil + 200)
                    {
                        FAIL() << name << ": Play, clicked at its scaled place, opened nothing";
                    }
                    return;
                case 4:
                {
                    ExpectCleanMargins(*harness.GetCapture("game-" + name), Mapping(harness), "game " + name);
                    const NGame::CField& field = *game->GetField();
                    int row = -1, col = -1;
                    for (int r = 0; r < field.GetRows() && row < 0; ++r)
                        for (int c = 0; c < field.RowLength(r); ++c)
                            if (field.IsColourAllowed(field.ColourAt(r, c)))
                            {
                                row = r;
                                col = c;
                                break;
                            }
                    ASSERT_GE(row, 0);
                    boardBefore = field.FormatFieldState();
                    const CVector4 centre = field.CellCentre(row, col);
                    ClickLogical(harness, frame + 1, centre.x, centre.y);
                    waitUntil = frame + 30;
                    stage = 5;
                    return;
                }
                case 5:
                    if (!game->GetField()->IsIdle() || game->GetCurrentSide() != 0)
                        return;
                    EXPECT_NE(game->GetField()->FormatFieldState(), boardBefore)
                        << name << ": the cell clicked at its scaled place made no move";
                    ++moves;
                    harness.KeyDown(frame + 1, NPlatform::kVkEscape);
                    waitUntil = frame + 10;
                    stage = 6;
                    return;
                case 6:
                    if (app->GetCurrentScreen() != menu)
                        return;
                    done.push_back(name);
                    ++index;
                    stage = 0;
                    if (index == sizes.size())
                        harness.Quit(frame + 2);
                    return;
                }
            });
    harness.Run(4100);
    EXPECT_EQ(done.size(), sizes.size())
        << "sizes done: " << done.size() << ", stuck in stage " << stage << " at " << name;
    EXPECT_EQ(moves, static_cast<int>(sizes.size()));
    harness.Shutdown();
    // The size the player left the window at is the size it opens at next time.
    CAppSettings saved;
    saved.m_data_folder = NPlatform::GetDataFolder();
    ASSERT_TRUE(saved.Load());
    EXPECT_EQ(saved.m_window_width, sizes.back().width);
    EXPECT_EQ(saved.m_window_height, sizes.back().height);
}

TEST(WindowE2e, FullScreenCoversTheDesktopWithTheAspectKeptAndGivesTheWindowBack)
{
    REQUIRE_DESKTOP();
    CHarness harness;
    ASSERT_TRUE(NE2e::InstallDataSet(harness, false));
    ASSERT_TRUE(harness.Start());
    CApplication* app = harness.GetApp();
    int screenWidth = 0, screenHeight = 0;
    NPlatform::GetScreenSize(screenWidth, screenHeight);
    NPlatform::SRect before;

    harness.Capture(30, "native-menu");
    harness.At(35, [&] { before = NPlatform::GetWindowRect(); });
    harness.ToggleFullScreen(40);
    harness.Capture(70, "full-screen-menu");
    harness.At(70,
               [&]
               {
                   EXPECT_TRUE(app->IsFullScreen());
                   const NPlatform::SRect rect = NPlatform::GetWindowRect();
                   EXPECT_EQ(rect.right - rect.left, screenWidth);
                   EXPECT_EQ(rect.bottom - rect.top, screenHeight);
                   // The logical screen as large as fits, 4:3 kept, centred.
                   const SViewport& v = Mapping(harness).GetViewport();
                   EXPECT_EQ(v.width * 3, v.height * 4);
                   EXPECT_TRUE(v.width == screenWidth || v.height == screenHeight);
                   EXPECT_EQ(v.x, (screenWidth - v.width) / 2);
                   const SImage* shot = harness.GetCapture("full-screen-menu");
                   ASSERT_NE(shot, nullptr);
                   ExpectCleanMargins(*shot, Mapping(harness), "full screen");
                   EXPECT_GE(
                       ShareLikeTheNativePicture(*harness.GetCapture("native-menu"), *shot, Mapping(harness)),
                       0.85);
               });
    harness.ToggleFullScreen(80);
    harness.At(110,
               [&]
               {
                   EXPECT_FALSE(app->IsFullScreen());
                   const NPlatform::SRect rect = NPlatform::GetWindowRect();
                   EXPECT_EQ(rect.right - rect.left, before.right - before.left);
                   EXPECT_EQ(rect.bottom - rect.top, before.bottom - before.top);
                   EXPECT_EQ(rect.left, before.left);
                   EXPECT_EQ(rect.top, before.top);
                   EXPECT_TRUE(Mapping(harness).IsNativeSize());
               });
    harness.Quit(115);
    harness.Run(200);
}
