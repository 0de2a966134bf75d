// The settings file survives a failing disk: a full disk or a folder that
// refuses writes leaves the previous dx.cfg whole, Save reports false and the
// log says what failed.
#include "engine/AppSettings.h"
#include "engine/Log.h"

#include "FoundationTestUtil.h"

#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <string>

using NTestUtil::CTempDir;

namespace
{
// A small tmpfs over a temporary folder. Mounting needs root; elsewhere
// IsMounted() is false and the tests that need one are skipped.
class CSmallDisk
{
  public:
    explicit CSmallDisk(const std::string& path) : m_path(path)
    {
        m_mounted = ::mount("tmpfs", m_path.c_str(), "tmpfs", 0, "size=64k,mode=0755") == 0;
    }
    ~CSmallDisk()
    {
        if (m_mounted)
            ::umount2(m_path.c_str(), MNT_DETACH);
    }
    CSmallDisk(const CSmallDisk&) = delete;
    CSmallDisk& operator=(const CSmallDisk&) = delete;

    bool IsMounted() const { return m_mounted; }
    bool MakeReadOnly() const
    {
        return ::mount(nullptr, m_path.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, "size=64k") == 0;
    }
    // Takes every free block, so the next write runs out of space.
    void Fill() const
    {
        FILE* f = std::fopen((m_path + "/filler").c_str(), "wb");
        if (!f)
            return;
        const std::string block(4096, 'x');
        while (std::fwrite(block.data(), 1, block.size(), f) == block.size() && std::fflush(f) == 0)
        {
        }
        std::fclose(f);
    }

  private:
    std::string m_path;
    bool m_mounted = false;
};

class SettingsFault : public ::testing::Test
{
  protected:
    void SetUp() override { ASSERT_TRUE(CLog::Open(m_log_dir.File("game.log"))); }
    void TearDown() override { CLog::Open(""); }

    std::string Log() const
    {
        std::vector<uint8_t> bytes = NTestUtil::ReadBytes(m_log_dir.File("game.log"));
        return std::string(bytes.begin(), bytes.end());
    }

    // Saves volume 12 into the folder, then tries to save volume 99 after
    // 'breakDisk' ran, expecting the second save to fail.
    template <typename BreakDisk>
    void ExpectPreviousFileSurvives(const std::string& folder, BreakDisk breakDisk)
    {
        CAppSettings settings;
        settings.m_data_folder = folder + "/";
        settings.m_music_volume = 12;
        ASSERT_TRUE(settings.Save());
        const std::vector<uint8_t> before = NTestUtil::ReadBytes(folder + "/dx.cfg");
        ASSERT_FALSE(before.empty());

        breakDisk();
        settings.m_music_volume = 99;
        EXPECT_FALSE(settings.Save());

        EXPECT_EQ(NTestUtil::ReadBytes(folder + "/dx.cfg"), before);
        CAppSettings read;
        read.m_data_folder = folder + "/";
        ASSERT_TRUE(read.Load());
        EXPECT_EQ(read.m_music_volume, 12);
    }

    CTempDir m_log_dir;
};
} // namespace

TEST_F(SettingsFault, WriteErrorKeepsThePreviousFileAndIsLogged)
{
    // A file size limit fails the write half-way ("File too large"), as a
    // full disk does, without root.
    CTempDir dir;
    struct rlimit before{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &before), 0);
    void (*previous)(int) = std::signal(SIGXFSZ, SIG_IGN);
    ExpectPreviousFileSurvives(dir.Path(),
                               [&]
                               {
                                   // Short of the new file, long enough for the log's line.
                                   struct rlimit tiny = before;
                                   tiny.rlim_cur = std::filesystem::file_size(dir.File("dx.cfg")) - 1;
                                   ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &tiny), 0);
                               });
    ::setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, previous);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(dir.File("dx.cfg.tmp"))));
    EXPECT_NE(Log().find("Settings not saved: cannot write " + dir.File("dx.cfg.tmp") + ": File too large"),
              std::string::npos)
        << Log();
}

TEST_F(SettingsFault, FullDiskKeepsThePreviousFileAndIsLogged)
{
    CTempDir dir;
    CSmallDisk disk(dir.Path());
    if (!disk.IsMounted())
        GTEST_SKIP() << "mounting a small tmpfs needs root";
    ExpectPreviousFileSurvives(dir.Path(), [&] { disk.Fill(); });
    EXPECT_FALSE(std::filesystem::exists(dir.File("dx.cfg.tmp")));
    EXPECT_NE(Log().find("Settings not saved: "), std::string::npos) << Log();
    EXPECT_NE(Log().find("No space left on device"), std::string::npos) << Log();
}

TEST_F(SettingsFault, ReadOnlyFolderKeepsThePreviousFileAndIsLogged)
{
    CTempDir dir;
    // File modes do not stop root, so root gets a read-only remount instead.
    std::unique_ptr<CSmallDisk> disk;
    if (::geteuid() == 0)
    {
        disk = std::make_unique<CSmallDisk>(dir.Path());
        if (!disk->IsMounted())
            GTEST_SKIP() << "root without the right to mount";
    }
    ExpectPreviousFileSurvives(dir.Path(),
                               [&]
                               {
                                   if (disk)
                                       ASSERT_TRUE(disk->MakeReadOnly());
                                   else
                                       ASSERT_EQ(::chmod(dir.Path().c_str(), 0555), 0);
                               });
    if (!disk)
        ::chmod(dir.Path().c_str(), 0755);
    EXPECT_NE(Log().find("Settings not saved: cannot create " + dir.File("dx.cfg.tmp")), std::string::npos)
        << Log();
    EXPECT_TRUE(Log().find("Read-only file system") != std::string::npos ||
                Log().find("Permission denied") != std::string::npos)
        << Log();
}
