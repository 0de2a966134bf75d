// The per-user files on a real desktop: which folder they live in, that no
// write goes through a link planted beside them, that an unreadable file is
// kept aside instead of overwritten, that failed writes are reported (once
// to the player), and that two copies of the game never share the folder.
#include "engine/AppSettings.h"
#include "engine/KeyValueFile.h"
#include "engine/Log.h"
#include "engine/UserFiles.h"
#include "interface/Notice.h"
#include "game/TopTable.h"
#include "platform/DataFolder.h"
#include "platform/InstanceLock.h"

#include "FoundationTestUtil.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>

using NTestUtil::CEnvironment;
using NTestUtil::CTempDir;
using NTestUtil::ReadText;
namespace fs = std::filesystem;

namespace
{
// A log in a folder of its own and a fresh notice for every test.
class UserFiles : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        NUserFiles::ResetNotice();
        ASSERT_TRUE(CLog::Open(m_log_dir.File("game.log")));
    }
    void TearDown() override
    {
        CLog::Open("");
        NUserFiles::ResetNotice();
    }
    std::string Log() const { return ReadText(m_log_dir.File("game.log")); }

    CTempDir m_log_dir;
    CTempDir m_dir;
};
} // namespace

TEST(DataHome, FollowsTheXdgRulesAndIgnoresEmptyOrRelativeValues)
{
    using NPlatform::ChooseDataHome;
    EXPECT_EQ(ChooseDataHome("/data", "/home/ann"), "/data/");
    EXPECT_EQ(ChooseDataHome("/data/", nullptr), "/data/");
    EXPECT_EQ(ChooseDataHome(nullptr, "/home/ann"), "/home/ann/.local/share/");
    EXPECT_EQ(ChooseDataHome("", "/home/ann/"), "/home/ann/.local/share/");
    EXPECT_EQ(ChooseDataHome("share", "/home/ann"), "/home/ann/.local/share/");
    EXPECT_EQ(ChooseDataHome(nullptr, nullptr), "");
    EXPECT_EQ(ChooseDataHome("", ""), "");
    EXPECT_EQ(ChooseDataHome("share", "home"), "");
}

TEST(DataHome, EmptyXdgDataHomeFallsBackOnHomeAndNeverOnTheRoot)
{
    CTempDir home;
    CEnvironment xdg("XDG_DATA_HOME", "");
    CEnvironment homeVariable("HOME", home.Path().c_str());
    const bool rootHadIt = fs::exists("/Quarnwick");
    EXPECT_EQ(NPlatform::GetDataFolder(), home.Path() + "/.local/share/Quarnwick/Zonvel/");
    EXPECT_TRUE(fs::is_directory(home.File(".local/share/Quarnwick/Zonvel")));
    struct stat info{};
    ASSERT_EQ(::stat(home.File(".local/share/Quarnwick").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u) << "the user's data only";
    if (!rootHadIt)
    {
        EXPECT_FALSE(fs::exists("/Quarnwick"));
    }

    // A relative value is not taken from the working folder either.
    CEnvironment relative("XDG_DATA_HOME", "data");
    EXPECT_EQ(NPlatform::GetDataFolder(), home.Path() + "/.local/share/Quarnwick/Zonvel/");
    CEnvironment noHome("HOME", nullptr);
    EXPECT_EQ(NPlatform::GetDataFolder(), "");
}

TEST_F(UserFiles, NoWriteFollowsALinkPlantedAtTheTemporaryName)
{
    const std::string victim = m_dir.File("victim");
    ASSERT_TRUE(NTestUtil::WriteText(victim, "precious"));
    for (const char* name : {"dx.cfg", "saved.dat", "top7.tbl"})
    {
        const std::string path = m_dir.File(name);
        fs::create_symlink(victim, path + ".tmp");
        CKeyValueFile file;
        file.SetString("key", name);
        ASSERT_TRUE(file.SaveFile(path, "zup", 3)) << name;
        EXPECT_EQ(ReadText(victim), "precious") << name;
        EXPECT_FALSE(fs::exists(fs::symlink_status(path + ".tmp"))) << name;
        CKeyValueFile read;
        ASSERT_TRUE(read.LoadFile(path, true, "zup", 3)) << name;
        EXPECT_EQ(read.GetString("key", ""), name);
    }
    // A leftover of a run killed mid-write is no obstacle either.
    ASSERT_TRUE(NTestUtil::WriteText(m_dir.File("dx.cfg.tmp"), "half"));
    CAppSettings settings;
    settings.m_data_folder = m_dir.Path() + "/";
    EXPECT_TRUE(settings.Save());
    struct stat info{};
    ASSERT_EQ(::stat(m_dir.File("dx.cfg").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0077, 0u) << "nobody else reads the player's files";
}

TEST_F(UserFiles, LogIsNeverWrittenThroughALink)
{
    const std::string victim = m_dir.File("victim");
    ASSERT_TRUE(NTestUtil::WriteText(victim, "precious"));
    const std::string log = m_dir.File("game.log");
    fs::create_symlink(victim, log);
    ASSERT_TRUE(CLog::Open(log));
    CLog::Write("first");
    EXPECT_EQ(ReadText(victim), "precious");
    EXPECT_FALSE(fs::is_symlink(log));
    EXPECT_EQ(ReadText(log), "first\n");

    // A link put in its place while the game runs gets no line either.
    fs::remove(log);
    fs::create_symlink(victim, log);
    CLog::Write("second");
    EXPECT_EQ(ReadText(victim), "precious");

    // A second name of another file (a hard link) is not emptied.
    fs::remove(log);
    fs::create_hard_link(victim, log);
    ASSERT_TRUE(CLog::Open(log));
    EXPECT_EQ(ReadText(victim), "precious");
}

TEST_F(UserFiles, UnreadableFileIsKeptAsideBeforeAFreshOneReplacesIt)
{
    const std::string table = m_dir.File("top7.tbl");
    const std::string garbage = "\x01\x02 not a table at all";
    ASSERT_TRUE(NTestUtil::WriteText(table, garbage));
    NGame::CTopTable top(2);
    top.Open(table);
    EXPECT_EQ(top.GetName(0, 0), "Nemo");
    top.Add(0, 500, "Ann");
    EXPECT_EQ(ReadText(table + ".bad"), garbage);
    NGame::CTopTable reread(2);
    reread.Open(table);
    EXPECT_EQ(reread.GetName(0, 0), "Ann");
    EXPECT_NE(Log().find(table + " could not be read; it is kept as " + table + ".bad"), std::string::npos) << Log();

    // The settings alike; a file that is simply missing is no event.
    ASSERT_TRUE(NTestUtil::WriteText(m_dir.File("dx.cfg"), garbage));
    CAppSettings settings;
    settings.m_data_folder = m_dir.Path() + "/";
    EXPECT_FALSE(settings.Load());
    EXPECT_EQ(ReadText(m_dir.File("dx.cfg.bad")), garbage);
    EXPECT_FALSE(settings.Load());
    EXPECT_FALSE(fs::exists(m_dir.File("dx.cfg.bad.bad")));
    EXPECT_EQ(ReadText(m_dir.File("dx.cfg.bad")), garbage);
}

TEST_F(UserFiles, EveryFailedWriteIsLoggedWithItsReasonAndThePlayerToldOnce)
{
    // A folder that is gone fails every write.
    const std::string gone = m_dir.File("gone") + "/";
    NGame::CTopTable top(2);
    top.Open(gone + NGame::CTopTable::kFileName);
    top.Add(1, 300, "Bob");
    EXPECT_FALSE(top.Write());
    EXPECT_NE(Log().find("The top table not saved: cannot create " + gone + "top7.tbl.tmp: No such file or directory"),
              std::string::npos)
        << Log();

    CAppSettings settings;
    settings.m_data_folder = gone;
    EXPECT_FALSE(settings.Save());
    EXPECT_NE(Log().find("Settings not saved: cannot create " + gone + "dx.cfg.tmp"), std::string::npos) << Log();

    // One notice for the whole run, however many writes failed.
    EXPECT_EQ(NUserFiles::TakeNotice(), NUserFiles::kNotSavedNotice);
    EXPECT_EQ(NUserFiles::TakeNotice(), "");
    EXPECT_FALSE(settings.Save());
    EXPECT_EQ(NUserFiles::TakeNotice(), "");
}

TEST_F(UserFiles, WithoutAFolderNothingIsWrittenAnywhere)
{
    const fs::path previous = fs::current_path();
    fs::current_path(m_dir.Path());
    CAppSettings settings; // no data folder
    EXPECT_FALSE(settings.Save());
    EXPECT_TRUE(settings.RaiseBestLevel(0, 90)); // raised for this run, written nowhere
    NGame::CTopTable top(2);
    top.Open(settings.UserFilePath(NGame::CTopTable::kFileName));
    top.Add(0, 900, "Cy");
    EXPECT_FALSE(top.Write());
    fs::current_path(previous);
    EXPECT_TRUE(fs::is_empty(m_dir.Path()));
    // Said once at the start, not at every write.
    EXPECT_EQ(NUserFiles::TakeNotice(), "");
}

TEST_F(UserFiles, NoticeShowsTheFirstFailureForAFewSecondsOverTheScreen)
{
    NInterface::CNotice notice;
    notice.Update(16.0f);
    EXPECT_FALSE(notice.IsShown());
    NUserFiles::RaiseNotice(NUserFiles::kNoFolderNotice);
    NUserFiles::RaiseNotice(NUserFiles::kNotSavedNotice);
    notice.Update(16.0f);
    EXPECT_TRUE(notice.IsShown());
    EXPECT_EQ(notice.GetText(), NUserFiles::kNoFolderNotice);
    const int frames = static_cast<int>(NInterface::CNotice::kShowMs / 16.0f);
    for (int frame = 1; frame < frames; ++frame)
        notice.Update(16.0f);
    EXPECT_TRUE(notice.IsShown());
    notice.Update(16.0f);
    EXPECT_FALSE(notice.IsShown());
}

TEST_F(UserFiles, NewBestLevelIsOnDiskAtOnce)
{
    CAppSettings settings;
    settings.m_data_folder = m_dir.Path() + "/";
    EXPECT_FALSE(settings.RaiseBestLevel(0, 3));
    EXPECT_FALSE(fs::exists(m_dir.File("dx.cfg"))) << "nothing new, nothing written";
    EXPECT_TRUE(settings.RaiseBestLevel(0, 7));
    EXPECT_TRUE(settings.RaiseBestLevel(1, 12));
    EXPECT_FALSE(settings.RaiseBestLevel(1, 11));
    CAppSettings read;
    read.m_data_folder = settings.m_data_folder;
    ASSERT_TRUE(read.Load());
    EXPECT_EQ(read.m_classic_level, 7);
    EXPECT_EQ(read.m_adv_level, 12);
}

TEST(InstanceLock, SecondHolderIsToldAndTheLockFileIsLeftAsItWas)
{
    CTempDir dir;
    const std::string path = dir.File("zonvel.lock");
    NPlatform::CInstanceLock first;
    ASSERT_EQ(first.Acquire(path), NPlatform::CInstanceLock::EResult::Held);
    ASSERT_TRUE(NTestUtil::WriteText(path, ""));
    const auto stamp = fs::last_write_time(path);
    NPlatform::CInstanceLock second;
    EXPECT_EQ(second.Acquire(path), NPlatform::CInstanceLock::EResult::HeldElsewhere);
    EXPECT_FALSE(second.IsHeld());
    EXPECT_EQ(fs::last_write_time(path), stamp);
    first.Release();
    EXPECT_EQ(second.Acquire(path), NPlatform::CInstanceLock::EResult::Held);

    // A link planted at the name is not followed.
    NPlatform::CInstanceLock third;
    fs::create_symlink(dir.File("elsewhere"), dir.File("planted.lock"));
    EXPECT_EQ(third.Acquire(dir.File("planted.lock")), NPlatform::CInstanceLock::EResult::Unavailable);
    EXPECT_FALSE(fs::exists(dir.File("elsewhere")));
}
