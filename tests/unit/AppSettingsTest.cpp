#include "engine/AppSettings.h"

#include "engine/Cipher.h"
#include "engine/KeyValueFile.h"
#include "platform/DataFolder.h"

#include "FoundationTestUtil.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

using NTestUtil::CTempDir;

namespace
{
std::string Folder(const CTempDir& dir)
{
    return dir.Path() + "/";
}

void WriteConfig(const CTempDir& dir, const std::string& text, const char* key = "zup", int keyLength = 3)
{
    CKeyValueFile file;
    ASSERT_TRUE(file.Parse(text));
    ASSERT_TRUE(file.SaveFile(dir.File("dx.cfg"), key, keyLength));
}

std::string PlainConfig(const CTempDir& dir)
{
    std::vector<uint8_t> raw = NTestUtil::ReadBytes(dir.File("dx.cfg"));
    std::vector<uint8_t> plain;
    CCipher cipher;
    cipher.Decode(raw.data(), static_cast<int>(raw.size()), plain, "zup", 3);
    return std::string(plain.begin(), plain.end());
}
} // namespace

TEST(AppSettings, MissingFileGivesTheDefaults)
{
    CTempDir dir;
    CAppSettings settings;
    settings.m_data_folder = Folder(dir);
    EXPECT_FALSE(settings.Load());
    EXPECT_EQ(settings.m_window_width, 800);
    EXPECT_EQ(settings.m_window_height, 600);
    EXPECT_EQ(settings.m_window_x, 0);
    EXPECT_TRUE(settings.m_full_screen);
    EXPECT_TRUE(settings.m_sound);
    EXPECT_TRUE(settings.m_hints);
    EXPECT_TRUE(settings.m_show_dragons);
    EXPECT_FALSE(settings.m_sound_invert);
    EXPECT_FALSE(settings.m_flower_symbols);
    EXPECT_FALSE(settings.m_outline_zones);
    EXPECT_EQ(settings.m_music_volume, 40);
    EXPECT_EQ(settings.m_classic_level, 3);
    EXPECT_EQ(settings.m_adv_level, 3);
    EXPECT_EQ(settings.m_back_key, 27);
    EXPECT_EQ(settings.m_confirm_key, 13);
}

TEST(AppSettings, OnlyOneSwitchesSoundOnWhileAnyNonZeroMeansFullScreen)
{
    CTempDir dir;
    WriteConfig(dir, "m_sound 2 m_hints 1 m_is_full_screen_loaded 2 m_show_dragons 5 m_window_width 50 "
                     "m_window_height 50 x 30 y 40 m_music_volume 50 m_classic_level 12 m_adv_level 9");
    CAppSettings settings;
    settings.m_data_folder = Folder(dir);
    ASSERT_TRUE(settings.Load());
    EXPECT_FALSE(settings.m_sound);
    EXPECT_TRUE(settings.m_hints);
    EXPECT_TRUE(settings.m_full_screen);
    EXPECT_TRUE(settings.m_show_dragons);
    EXPECT_EQ(settings.m_window_width, 800);
    EXPECT_EQ(settings.m_window_height, 600);
    EXPECT_EQ(settings.m_window_x, 30);
    EXPECT_EQ(settings.m_window_y, 40);
    EXPECT_EQ(settings.m_music_volume, 50);
    EXPECT_EQ(settings.m_classic_level, 12);
    EXPECT_EQ(settings.m_adv_level, 9);
}

TEST(AppSettings, OutOfRangeValuesAreKeptInRange)
{
    CTempDir dir;
    WriteConfig(dir, "m_music_volume 500 m_classic_level -4 m_adv_level 100000");
    CAppSettings settings;
    settings.m_data_folder = Folder(dir);
    ASSERT_TRUE(settings.Load());
    EXPECT_EQ(settings.m_music_volume, 64);
    EXPECT_EQ(settings.m_classic_level, 0);
    EXPECT_EQ(settings.m_adv_level, 100);
}

// Files of earlier versions: the options window wrote its slider's 0..64,
// while the reader took up to 100. Every value keeps the slider's place;
// what lay above the slider's top is its top, full volume.
TEST(AppSettings, MusicVolumeOfEarlierFilesKeepsTheSlidersPlaceAndNeverPassesItsTop)
{
    const struct
    {
        const char* text;
        int volume;
    } cases[] = {{"m_music_volume 40", 40}, {"m_music_volume 0", 0}, {"m_music_volume 64", 64},
                 {"m_music_volume 65", 64}, {"m_music_volume 100", 64}, {"m_music_volume -3", 0}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.text);
        CTempDir dir;
        WriteConfig(dir, c.text);
        CAppSettings settings;
        settings.m_data_folder = Folder(dir);
        ASSERT_TRUE(settings.Load());
        EXPECT_EQ(settings.m_music_volume, c.volume);
        // and the value written back is read as the same place
        ASSERT_TRUE(settings.Save());
        CAppSettings again;
        again.m_data_folder = Folder(dir);
        ASSERT_TRUE(again.Load());
        EXPECT_EQ(again.m_music_volume, c.volume);
    }
}

TEST(AppSettings, RecordAfterTheLastLevelAndTheSmallestWindowSurviveTheRoundTrip)
{
    CTempDir dir;
    CAppSettings settings;
    settings.m_data_folder = Folder(dir);
    // Finishing level 99 raises the record to 100; reading it back must not
    // lock the last level again.
    settings.m_classic_level = 100;
    settings.m_adv_level = 100;
    settings.m_window_width = 100;
    settings.m_window_height = 100;
    ASSERT_TRUE(settings.Save());
    CAppSettings read;
    read.m_data_folder = Folder(dir);
    ASSERT_TRUE(read.Load());
    EXPECT_EQ(read.m_classic_level, 100);
    EXPECT_EQ(read.m_adv_level, 100);
    EXPECT_EQ(read.m_window_width, 100);
    EXPECT_EQ(read.m_window_height, 100);

    WriteConfig(dir, "m_window_width 99 m_window_height 99");
    ASSERT_TRUE(read.Load());
    EXPECT_EQ(read.m_window_width, 800);
    EXPECT_EQ(read.m_window_height, 600);
}

TEST(AppSettings, FileWithAnotherKeyFallsBackKeyByKey)
{
    CTempDir dir;
    WriteConfig(dir, "m_sound 0 m_music_volume 10", "stashfile!#&", 12);
    CAppSettings settings;
    settings.m_data_folder = Folder(dir);
    settings.Load();
    EXPECT_TRUE(settings.m_sound);
    EXPECT_EQ(settings.m_music_volume, 40);
}

TEST(AppSettings, SaveWritesTheKeysInOrderAndReadsBack)
{
    CTempDir dir;
    CAppSettings settings;
    settings.m_data_folder = Folder(dir);
    settings.m_window_width = 1024;
    settings.m_window_height = 768;
    settings.m_window_x = 5;
    settings.m_window_y = 6;
    settings.m_sound = false;
    settings.m_full_screen = false;
    settings.m_sound_invert = true;
    settings.m_music_volume = 55;
    settings.m_classic_level = 20;
    settings.m_outline_zones = true;
    ASSERT_TRUE(settings.Save());
    EXPECT_EQ(PlainConfig(dir), "m_adv_level 3\nm_classic_level 20\nm_flower_symbols 0\nm_hints 1\n"
                                "m_is_full_screen_loaded 0\nm_music_volume 55\nm_outline_zones 1\n"
                                "m_show_dragons 1\nm_sound 0\nm_sound_invert 1\n"
                                "m_window_height 768\nm_window_width 1024\nx 5\ny 6\n");

    CAppSettings read;
    read.m_data_folder = Folder(dir);
    ASSERT_TRUE(read.Load());
    EXPECT_EQ(read.m_window_width, 1024);
    EXPECT_EQ(read.m_window_y, 6);
    EXPECT_FALSE(read.m_sound);
    EXPECT_FALSE(read.m_full_screen);
    EXPECT_TRUE(read.m_sound_invert);
    EXPECT_FALSE(read.m_flower_symbols);
    EXPECT_TRUE(read.m_outline_zones);
    EXPECT_EQ(read.m_classic_level, 20);
}

TEST(AppSettings, MinimisedWindowLeavesSizeAndPositionOut)
{
    CTempDir dir;
    CAppSettings settings;
    settings.m_data_folder = Folder(dir);
    settings.m_window_width = 1024;
    settings.m_window_x = 300;
    settings.m_minimised = true;
    ASSERT_TRUE(settings.Save());
    std::string text = PlainConfig(dir);
    EXPECT_EQ(text.find("m_window_width"), std::string::npos);
    EXPECT_EQ(text.find("\nx "), std::string::npos);

    CAppSettings read;
    read.m_data_folder = Folder(dir);
    read.Load();
    EXPECT_EQ(read.m_window_width, 800);
    EXPECT_EQ(read.m_window_x, 0);
}

TEST(AppSettings, FailedSaveKeepsThePreviousFile)
{
    CTempDir dir;
    CAppSettings settings;
    settings.m_data_folder = Folder(dir);
    settings.m_music_volume = 12;
    ASSERT_TRUE(settings.Save());
    std::filesystem::create_directory(dir.File("dx.cfg.tmp"));
    settings.m_music_volume = 99;
    EXPECT_FALSE(settings.Save());
    CAppSettings read;
    read.m_data_folder = Folder(dir);
    ASSERT_TRUE(read.Load());
    EXPECT_EQ(read.m_music_volume, 12);

    CAppSettings nowhere;
    EXPECT_FALSE(nowhere.Save());
}

TEST(AppSettings, DataFolderFollowsXdgDataHome)
{
    CTempDir dir;
    ASSERT_EQ(setenv("XDG_DATA_HOME", dir.Path().c_str(), 1), 0);
    std::string folder = NPlatform::GetDataFolder();
    EXPECT_EQ(folder, dir.Path() + "/Quarnwick/Zonvel/");
    EXPECT_TRUE(std::filesystem::is_directory(folder));

    // The first start: no settings yet, then dx.cfg appears at exit.
    GetAppSettings().m_data_folder = folder;
    EXPECT_FALSE(GetAppSettings().Load());
    EXPECT_TRUE(GetAppSettings().Save());
    EXPECT_TRUE(std::filesystem::exists(folder + "dx.cfg"));
    GetAppSettings().m_data_folder.clear();
}
