// The program's start-up when it cannot get going: SDL's dummy video driver
// gives no OpenGL window.
#include "app/Program.h"
#include "app/Application.h"
#include "app/CommandLine.h"
#include "engine/AppSettings.h"
#include "engine/UserFiles.h"
#include "platform/DataFolder.h"
#include "platform/InstanceLock.h"
#include "platform/Window.h"

#include "FakeFrame.h"
#include "FoundationTestUtil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>

using NTestUtil::CEnvironment;
using NTestUtil::ReadText;

namespace
{
// True when the window will fail: the dummy driver, or none started yet so
// that the caller's SDL_VIDEODRIVER picks it.
bool NoWindowPossible()
{
    const std::string driver = NPlatform::GetVideoDriver();
    return driver.empty() || driver == "dummy";
}
} // namespace

TEST(Program, FailedStartKeepsTheSettingsFileAndSaysWhatFailed)
{
    CEnvironment video("SDL_VIDEODRIVER", "dummy");
    if (!NoWindowPossible())
        GTEST_SKIP() << "a real video driver is already running in this process";
    NTestUtil::CTempDir home;
    CEnvironment xdg("XDG_DATA_HOME", home.Path().c_str());
    const std::string folder = NPlatform::GetDataFolder();
    ASSERT_FALSE(folder.empty());
    CAppSettings saved;
    saved.m_data_folder = folder;
    saved.m_full_screen = false;
    saved.m_window_x = 40;
    saved.m_window_y = 30;
    ASSERT_TRUE(saved.Save());
    const std::vector<uint8_t> before = NTestUtil::ReadBytes(folder + "dx.cfg");

    testing::internal::CaptureStderr();
    int status = 0;
    {
        CProgram program;
        status = program.Main();
    }
    const std::string errors = testing::internal::GetCapturedStderr();
    GetAppSettings().m_data_folder.clear();

    EXPECT_NE(status, 0);
    EXPECT_EQ(NTestUtil::ReadBytes(folder + "dx.cfg"), before) << "a window that never existed is not saved";
    EXPECT_EQ(errors.rfind("Zonvel: Cannot create the window (", 0), 0u) << errors;
    EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
    const std::string log = ReadText(folder + "game.log");
    EXPECT_EQ(log.rfind(std::string(GetVersionLine()) + "\nCannot create the window (", 0), 0u) << log;
}

TEST(Program, WithoutADesktopTheStartSaysSoInsteadOfRunningUnseen)
{
    // No driver asked for and no desktop: SDL would fall back to drawing off screen.
    CEnvironment video("SDL_VIDEODRIVER", nullptr);
    CEnvironment display("DISPLAY", nullptr);
    CEnvironment wayland("WAYLAND_DISPLAY", nullptr);
    if (!NPlatform::GetVideoDriver().empty())
        GTEST_SKIP() << "a video driver is already running in this process";
    if (!std::filesystem::exists(std::string(ZONVEL_BUILD_DIR) + "/data.pk"))
        GTEST_SKIP() << "the data set has not been generated";
    NTestUtil::CTempDir home;
    CEnvironment xdg("XDG_DATA_HOME", home.Path().c_str());

    testing::internal::CaptureStderr();
    int status = 0;
    {
        CProgram program;
        program.SetDataFolders({ZONVEL_BUILD_DIR});
        status = program.Main();
    }
    const std::string errors = testing::internal::GetCapturedStderr();
    GetAppSettings().m_data_folder.clear();

    EXPECT_EQ(status, CProgram::kExitStartFailed);
    EXPECT_NE(errors.find("Zonvel: Cannot create the window (no desktop to show it on"), std::string::npos)
        << errors;
}

TEST(Program, WithoutGameDataTheStartFailsBeforeAnyWindowAndSaysWhere)
{
    NTestUtil::CTempDir home;
    CEnvironment xdg("XDG_DATA_HOME", home.Path().c_str());
    const std::string folder = NPlatform::GetDataFolder();
    NTestUtil::CTempDir empty;
    // A working folder full of data does not count: only the folders given do.
    ASSERT_TRUE(std::filesystem::create_directories(empty.File("work/dat")));
    ASSERT_TRUE(NTestUtil::WriteText(empty.File("work/dat/game.txt"), "m_levels_classic 100"));
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(empty.File("work"));

    testing::internal::CaptureStderr();
    int status = 0;
    {
        CProgram program;
        program.SetDataFolders({empty.File("beside"), empty.File("installed")});
        status = program.Main();
        EXPECT_EQ(CApplication::Instance(), nullptr);
        EXPECT_FALSE(NPlatform::HasWindow());
    }
    const std::string errors = testing::internal::GetCapturedStderr();
    std::filesystem::current_path(previous);
    GetAppSettings().m_data_folder.clear();

    EXPECT_EQ(status, CProgram::kExitStartFailed);
    EXPECT_EQ(errors.rfind("Zonvel: No game data (data.pk) found in " + empty.File("beside"), 0), 0u)
        << errors;
    EXPECT_NE(errors.find(empty.File("installed")), std::string::npos) << errors;
    EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
    EXPECT_FALSE(std::filesystem::exists(folder + "dx.cfg")) << "nothing ran, so nothing is saved";
    EXPECT_EQ(ReadText(folder + "game.log"), std::string(GetVersionLine()) + "\n" + errors.substr(8));
}

TEST(Program, WithoutAPerUserFolderNoLogIsWritten)
{
    CEnvironment video("SDL_VIDEODRIVER", "dummy");
    if (!NoWindowPossible())
        GTEST_SKIP() << "a real video driver is already running in this process";
    NTestUtil::CTempDir work;
    CEnvironment home("HOME", nullptr);
    CEnvironment xdg("XDG_DATA_HOME", nullptr);
    ASSERT_TRUE(NPlatform::GetDataFolder().empty());
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(work.Path());
    testing::internal::CaptureStderr();
    {
        CProgram program;
        program.Main();
    }
    testing::internal::GetCapturedStderr();
    std::filesystem::current_path(previous);
    EXPECT_FALSE(std::filesystem::exists(work.File("game.log")));
    EXPECT_TRUE(std::filesystem::is_empty(work.Path()));
}

TEST(Program, WithoutAnyUsablePerUserFolderTheStartSaysSoOnceAndWritesNothing)
{
    CEnvironment video("SDL_VIDEODRIVER", "dummy");
    if (!NoWindowPossible())
        GTEST_SKIP() << "a real video driver is already running in this process";
    NTestUtil::CTempDir work;
    // Empty and relative values name no folder (the root or the working folder).
    CEnvironment home("HOME", "relative/home");
    CEnvironment xdg("XDG_DATA_HOME", "");
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(work.Path());
    testing::internal::CaptureStderr();
    {
        CProgram program;
        program.Main();
    }
    const std::string errors = testing::internal::GetCapturedStderr();
    std::filesystem::current_path(previous);
    EXPECT_TRUE(std::filesystem::is_empty(work.Path()));
    const std::string said = std::string("Zonvel: ") + NUserFiles::kNoFolderNotice;
    EXPECT_EQ(errors.rfind(said, 0), 0u) << errors;
    EXPECT_EQ(errors.find(said, 1), std::string::npos) << errors;
}

namespace
{
// Every file below a folder with its bytes and time.
std::map<std::string, std::pair<std::vector<uint8_t>, std::filesystem::file_time_type>>
Snapshot(const std::string& folder)
{
    std::map<std::string, std::pair<std::vector<uint8_t>, std::filesystem::file_time_type>> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        files[entry.path().string()] = {NTestUtil::ReadBytes(entry.path().string()), entry.last_write_time()};
    return files;
}
} // namespace

TEST(Program, SecondCopySaysTheGameIsRunningAndTouchesNoFile)
{
    NTestUtil::CTempDir home;
    CEnvironment xdg("XDG_DATA_HOME", home.Path().c_str());
    // No message box can be shown: the message goes to stderr alone.
    CEnvironment display("DISPLAY", nullptr);
    CEnvironment wayland("WAYLAND_DISPLAY", nullptr);
    const std::string folder = NPlatform::GetDataFolder();
    ASSERT_FALSE(folder.empty());
    NPlatform::CInstanceLock first;
    ASSERT_EQ(first.Acquire(folder + "zonvel.lock"), NPlatform::CInstanceLock::EResult::Held);
    ASSERT_TRUE(NTestUtil::WriteText(folder + "game.log", "the first copy's log\n"));
    CAppSettings saved;
    saved.m_data_folder = folder;
    ASSERT_TRUE(saved.Save());
    const auto before = Snapshot(home.Path());

    testing::internal::CaptureStderr();
    int status = -1;
    {
        CProgram program;
        program.SetDataFolders({home.Path()}); // no data: it must not get that far
        status = program.Main();
        EXPECT_TRUE(program.IsAlreadyRunning());
        EXPECT_EQ(CApplication::Instance(), nullptr);
    }
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_EQ(status, 0);
    EXPECT_EQ(errors, "Zonvel: Zonvel is already running.\n");
    EXPECT_TRUE(Snapshot(home.Path()) == before) << "the first copy's files are untouched";
    EXPECT_TRUE(GetAppSettings().m_data_folder.empty());
}

namespace
{
// A frame that goes in and out of full screen as asked.
class CFullScreenFrame : public CFakeFrame
{
  public:
    bool SetFullScreen(int, int) override { return m_full = true; }
    bool LeaveFullScreen() override
    {
        m_full = false;
        return true;
    }
    bool IsFullScreen() const override { return m_full; }

  private:
    bool m_full = false;
};
} // namespace

TEST(Program, TheNextStartIsInTheDisplayStateThePlayerLeftIn)
{
    NTestUtil::CTempDir dir;
    CFullScreenFrame frame;
    CAppSettings settings;
    settings.m_data_folder = dir.Path() + "/";
    CAppSettings next;
    next.m_data_folder = settings.m_data_folder;

    // Started in full screen, left it, quit: windowed next time.
    settings.m_full_screen = true;
    frame.SetFullScreen(800, 600);
    frame.LeaveFullScreen();
    CProgram::TakeLiveState(settings);
    ASSERT_TRUE(settings.Save());
    ASSERT_TRUE(next.Load());
    EXPECT_FALSE(next.m_full_screen);

    // And the reverse.
    frame.SetFullScreen(800, 600);
    CProgram::TakeLiveState(settings);
    ASSERT_TRUE(settings.Save());
    ASSERT_TRUE(next.Load());
    EXPECT_TRUE(next.m_full_screen);
}
