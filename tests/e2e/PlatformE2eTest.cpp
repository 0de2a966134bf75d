// The program as a whole: start-up picture, quitting, window dragging.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "engine/AppSettings.h"
#include "app/Application.h"
#include "app/CommandLine.h"
#include "engine/GLHeaders.h"
#include "engine/ResourceManager.h"
#include "platform/DataFolder.h"
#include "platform/Mouse.h"
#include "platform/Window.h"
#include "interface/Intro.h"
#include "tests/e2e/Harness.h"
#include "ui/Screen.h"

namespace
{
using NE2e::CHarness;
using NE2e::SRgb;

constexpr SRgb kRed{230, 20, 20};
constexpr SRgb kBlue{20, 20, 230};
constexpr SRgb kGreen{20, 200, 20};
constexpr SRgb kWhite{255, 255, 255};

#define REQUIRE_DISPLAY()                                                                                              \
    if (!CHarness::HasDisplay())                                                                                       \
    GTEST_SKIP() << "needs an X display (run through test.sh)"

// A windowed start at a known place, as a saved dx.cfg would give it.
void SaveWindowedSettings(int x, int y)
{
    CAppSettings& settings = GetAppSettings();
    settings.m_data_folder = NPlatform::GetDataFolder();
    settings.m_full_screen = false;
    settings.m_window_width = 800;
    settings.m_window_height = 600;
    settings.m_window_x = x;
    settings.m_window_y = y;
    settings.m_minimised = false;
    ASSERT_TRUE(settings.Save());
}

std::string ReadText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// A screen of one colour that can be dragged by its background.
class CPlainScreen : public CScreen
{
public:
    CPlainScreen() { SetMovable(true); }
    void Render() override
    {
        glClearColor(0.2f, 0.4f, 0.6f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        CScreen::Render();
    }
};

TEST(PlatformE2e, IntroPictureFillsTheWindowUpright)
{
    REQUIRE_DISPLAY();
    CHarness harness;
    SaveWindowedSettings(0, 0);
    // Quadrants around the picture's centre, which lands on the layout's centre.
    harness.WriteFile("mui/bgs/intro.jpg", NE2e::MakeJpeg(1024, 1024, [](int x, int y) {
                          if (y < 512)
                              return x < 512 ? kRed : kBlue;
                          return x < 512 ? kGreen : kWhite;
                      }));
    ASSERT_TRUE(harness.Start());
    // Start-up shows the intro for one frame before the menu replaces it; here it stays.
    harness.Show(std::make_unique<NInterface::CIntro>());
    harness.Capture(2, "intro");
    harness.Quit(3);
    harness.Run();

    const NE2e::SImage* shot = harness.GetCapture("intro");
    ASSERT_NE(shot, nullptr);
    ASSERT_EQ(shot->width, 800);
    EXPECT_TRUE(NE2e::Near(shot->At(200, 150), kRed));
    EXPECT_TRUE(NE2e::Near(shot->At(600, 150), kBlue));
    EXPECT_TRUE(NE2e::Near(shot->At(200, 450), kGreen));
    EXPECT_TRUE(NE2e::Near(shot->At(600, 450), kWhite));
    // Corners show the picture too (it overhangs the window on every side).
    EXPECT_TRUE(NE2e::Near(shot->At(1, 1), kRed));
    EXPECT_TRUE(NE2e::Near(shot->At(798, 598), kWhite));
}

TEST(PlatformE2e, DataComesFromTheFirstFolderHoldingItNotTheWorkingFolder)
{
    REQUIRE_DISPLAY();
    CHarness harness;
    SaveWindowedSettings(0, 0);
    auto plain = [](SRgb colour) { return NE2e::MakeJpeg(64, 64, [colour](int, int) { return colour; }); };
    // The working folder and an installed folder both hold an intro; the
    // folder beside the program holds nothing, so the installed one is used.
    harness.WriteFile("mui/bgs/intro.jpg", plain(kRed));
    harness.WriteFile("installed/dat/game.txt", {'m', '\n'});
    harness.WriteFile("installed/mui/bgs/intro.jpg", plain(kBlue));
    std::filesystem::create_directories(harness.GetWorkDir() + "/beside");
    harness.GetProgram().SetDataFolders({harness.GetWorkDir() + "/beside", harness.GetWorkDir() + "/installed"});
    ASSERT_TRUE(harness.Start());
    EXPECT_EQ(GetResourceManager()->GetBaseFolder(), harness.GetWorkDir() + "/installed/");
    // The menu replaced the intro at start-up; a new one reads its picture the same way.
    harness.Show(std::make_unique<NInterface::CIntro>());
    harness.Capture(2, "installed-intro");
    harness.Quit(3);
    harness.Run();
    const NE2e::SImage* shot = harness.GetCapture("installed-intro");
    ASSERT_NE(shot, nullptr);
    EXPECT_TRUE(NE2e::Near(shot->At(400, 300), kBlue));
}

TEST(PlatformE2e, CloseRequestQuitsCleanlyLeavingSettingsAndLog)
{
    REQUIRE_DISPLAY();
    CHarness harness;
    SaveWindowedSettings(40, 30);
    std::filesystem::remove(harness.GetDataFolder() + "dx.cfg");
    ASSERT_TRUE(harness.Start());
    // A screen that ignores close requests (the menu's would end the program).
    harness.Show(std::make_unique<CPlainScreen>());
    bool stillRunningAfterAltF4 = false;
    harness.Close(2, true); // Alt+F4 asks the screen, which does not quit
    harness.At(4, [&] { stillRunningAfterAltF4 = true; });
    harness.Close(6, false);
    harness.Run(300);
    EXPECT_TRUE(stillRunningAfterAltF4);
    EXPECT_EQ(harness.GetFramesRun(), 6) << "the close request ends the loop before another frame";
    harness.Shutdown();

    EXPECT_TRUE(std::filesystem::exists(harness.GetDataFolder() + "dx.cfg"));
    EXPECT_EQ(ReadText(harness.GetDataFolder() + "game.log"), std::string(GetVersionLine()) + "\nClosing Log\n");
    // The settings written are those of this run: a window at its place.
    CAppSettings reloaded;
    reloaded.m_data_folder = harness.GetDataFolder();
    ASSERT_TRUE(reloaded.Load());
    EXPECT_FALSE(reloaded.m_full_screen);
    EXPECT_EQ(reloaded.m_window_x, 40);
    EXPECT_EQ(reloaded.m_window_y, 30);
}

TEST(PlatformE2e, CursorPositionIsInClientPixelsOfAWindowAwayFromTheCorner)
{
    REQUIRE_DISPLAY();
    CHarness harness;
    SaveWindowedSettings(100, 80);
    ASSERT_TRUE(harness.Start());
    harness.Show(std::make_unique<CPlainScreen>());
    int x = -1, y = -1;
    NPlatform::SRect rect;
    harness.MouseMove(2, 250, 130);
    harness.At(3, [&] {
        rect = NPlatform::GetWindowRect();
        NPlatform::GetCursorClient(x, y);
    });
    harness.Quit(4);
    harness.Run();
    ASSERT_EQ(rect.left, 100);
    ASSERT_EQ(rect.top, 80);
    EXPECT_EQ(x, 250);
    EXPECT_EQ(y, 130);
    harness.GetApp()->CloseAll();
}

TEST(PlatformE2e, DraggingTheBackgroundMovesTheWindowByTheCursorDisplacement)
{
    REQUIRE_DISPLAY();
    CHarness harness;
    SaveWindowedSettings(100, 80);
    ASSERT_TRUE(harness.Start());
    harness.Show(std::make_unique<CPlainScreen>());

    NPlatform::SRect before, dragged, after;
    harness.At(1, [&] { before = NPlatform::GetWindowRect(); });
    harness.LButtonDown(3, 200, 200);
    harness.MouseMove(4, 230, 220);
    // The window followed: the cursor is at client (200, 200) again; it moves up by 25.
    harness.MouseMove(6, 200, 175);
    harness.LButtonUp(7, 200, 175);
    harness.At(12, [&] { dragged = NPlatform::GetWindowRect(); });
    harness.MouseMove(13, 400, 400); // released: no more dragging
    harness.At(18, [&] { after = NPlatform::GetWindowRect(); });
    harness.Capture(18, "dragged");
    harness.Quit(20);
    harness.Run();

    EXPECT_EQ(before.left, 100);
    EXPECT_EQ(before.top, 80);
    EXPECT_EQ(dragged.left, 130);
    EXPECT_EQ(dragged.top, 75);
    EXPECT_EQ(dragged.right - dragged.left, 800);
    EXPECT_EQ(after.left, dragged.left);
    EXPECT_EQ(after.top, dragged.top);
    harness.GetApp()->CloseAll();
}
} // namespace
