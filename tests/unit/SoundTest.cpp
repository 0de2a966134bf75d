// Sound effects and the music playlist through the real mixer: the dummy
// device for effects, the disk device (a raw file of what was played) for music.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>
#include <unistd.h>

#include "engine/AppSettings.h"
#include "engine/Music.h"
#include "engine/ResourceManager.h"
#include "engine/SoundManager.h"
#include "platform/Audio.h"
#include "tests/unit/TestAudio.h"

namespace
{
using NTestAudio::MakeModule;
using NTestAudio::MakeWave;

class SoundTest : public ::testing::Test
{
protected:
    void SetUp() override { SetResourceManager(&m_resources); }
    void TearDown() override
    {
        SetSoundManager(nullptr);
        SetResourceManager(nullptr);
    }
    CResourceManager m_resources;
};

TEST_F(SoundTest, OnePlaybackSampleRestartsOnItsOneChannel)
{
    CSoundManager manager;
    SetSoundManager(&manager);
    ASSERT_TRUE(manager.IsDeviceOpen());
    m_resources.AddMemoryEntry("wav/click.wav", MakeWave(), false);
    CSound* sound = manager.LoadSound("wav/click.wav", 1);
    ASSERT_NE(sound, nullptr);
    uint32_t channel = sound->GetChannel();
    EXPECT_NE(channel, 0u) << "a one-playback sample holds its channel from the start";

    sound->Play(true, false);
    EXPECT_TRUE(NPlatform::IsChannelPlaying(channel));
    sound->Play(true, false);
    sound->Play(false, false);
    EXPECT_EQ(sound->GetChannel(), channel);
    EXPECT_TRUE(NPlatform::IsChannelPlaying(channel));
    manager.FreeSound(sound);
}

TEST_F(SoundTest, NewPlaybackTakesOverTheOldestWhenAllAreBusy)
{
    CSoundManager manager;
    SetSoundManager(&manager);
    m_resources.AddMemoryEntry("wav/coin.wav", MakeWave(), false);
    CSound* sound = manager.LoadSound("wav/coin.wav", 2);
    ASSERT_NE(sound, nullptr);
    sound->Play(true, false);
    uint32_t first = sound->GetChannel();
    sound->Play(true, false);
    uint32_t second = sound->GetChannel();
    sound->Play(true, false);
    uint32_t third = sound->GetChannel();
    EXPECT_NE(first, second);
    EXPECT_EQ(third, first);
    EXPECT_TRUE(NPlatform::IsChannelPlaying(second));
    EXPECT_TRUE(NPlatform::IsChannelPlaying(third));
    sound->Play(true, false);
    EXPECT_EQ(sound->GetChannel(), second) << "now the second playback is the oldest";
    manager.FreeSound(sound);
}

TEST_F(SoundTest, FirstPlayOfSeveralPlaybackSampleSoundsWithoutRestart)
{
    CSoundManager manager;
    SetSoundManager(&manager);
    m_resources.AddMemoryEntry("wav/coin.wav", MakeWave(), false);
    CSound* sound = manager.LoadSound("wav/coin.wav", 3);
    ASSERT_NE(sound, nullptr);
    EXPECT_EQ(sound->GetChannel(), 0u);
    sound->Play(false, false);
    EXPECT_TRUE(NPlatform::IsChannelPlaying(sound->GetChannel()));
    manager.FreeSound(sound);
}

TEST_F(SoundTest, DisabledEffectsTakeChannelsButStayQuiet)
{
    CSoundManager manager;
    SetSoundManager(&manager);
    manager.SetSoundEnabled(false);
    m_resources.AddMemoryEntry("wav/click.wav", MakeWave(), false);
    CSound* sound = manager.LoadSound("wav/click.wav", 1);
    ASSERT_NE(sound, nullptr);
    sound->Play(true, false);
    EXPECT_NE(sound->GetChannel(), 0u);
    EXPECT_FALSE(NPlatform::IsChannelPlaying(sound->GetChannel()));
    EXPECT_EQ(manager.LoadSound("wav/missing.wav", 1), nullptr);
    manager.FreeSound(sound);
}

// One scale from the options slider to the mixer: the slider's bottom is
// silence, its top full volume, and a new player's 40 lies between in proportion.
TEST_F(SoundTest, MusicVolumeRunsFromSilenceAtTheSlidersBottomToFullVolumeAtItsTop)
{
    EXPECT_EQ(CSoundManager::MusicChannelVolume(0), 0);
    EXPECT_EQ(CSoundManager::MusicChannelVolume(64), 100);
    EXPECT_EQ(CAppSettings().m_music_volume, 40);
    EXPECT_EQ(CSoundManager::MusicChannelVolume(40), 63); // 62.5 % of full
    int previous = -1;
    for (int volume = 0; volume <= 64; ++volume)
    {
        EXPECT_GT(CSoundManager::MusicChannelVolume(volume), previous) << "every step of the slider is heard";
        previous = CSoundManager::MusicChannelVolume(volume);
    }

    CSoundManager manager;
    EXPECT_EQ(manager.GetMusicVolume(), 64) << "full until the settings say otherwise";
    manager.SetMusicVolume(100);
    EXPECT_EQ(manager.GetMusicVolume(), 64);
    manager.SetMusicVolume(-5);
    EXPECT_EQ(manager.GetMusicVolume(), 0);
}

TEST_F(SoundTest, PlaylistOrderWrapsAndRestarts)
{
    CSoundManager manager;
    SetSoundManager(&manager);
    NAudio::Music music;
    music.SetPlaylist({"music/a.xm", "music/b.xm", "music/c.xm"});
    music.Play(5);
    EXPECT_EQ(music.GetCurrentIndex(), 0);
    music.Play(-1);
    music.Play(-1);
    EXPECT_EQ(music.GetCurrentIndex(), 2);
    music.Play(-1);
    EXPECT_EQ(music.GetCurrentIndex(), 0);
    // Unreadable tracks leave the list wanting to play, so Update tries the next.
    EXPECT_TRUE(music.IsPlaylistActive());
    EXPECT_FALSE(music.IsPlaying());
    music.Update();
    EXPECT_EQ(music.GetCurrentIndex(), 1);
    music.Stop();
    EXPECT_FALSE(music.IsPlaylistActive());
}

TEST_F(SoundTest, WithoutSoundManagerEverythingIsSilent)
{
    NAudio::Music music;
    music.SetPlaylist({"music/a.xm"});
    music.Play(0);
    EXPECT_EQ(music.GetCurrentIndex(), -1);
    EXPECT_FALSE(music.IsPlaying());
    CSound sound(0);
    sound.Play(true, false); // no manager: nothing happens
}

// Plays through the disk device into a raw file and returns its 16-bit stereo frames.
template <class Play>
std::vector<int16_t> Record(Play play)
{
    std::string raw = (std::filesystem::temp_directory_path() / ("zonvel-sound-" + std::to_string(getpid()) + ".raw")).string();
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", raw.c_str(), 1);
    {
        CSoundManager manager;
        SetSoundManager(&manager);
        if (manager.IsDeviceOpen())
            play(manager);
        SetSoundManager(nullptr);
    }
    unsetenv("SDL_DISKAUDIOFILE");
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    std::ifstream in(raw, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::filesystem::remove(raw);
    std::vector<int16_t> samples(bytes.size() / 2);
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<int16_t>(static_cast<uint8_t>(bytes[2 * i]) | (static_cast<uint8_t>(bytes[2 * i + 1]) << 8));
    return samples;
}

int Loudest(const std::vector<int16_t>& samples, size_t first, size_t step)
{
    int loudest = 0;
    for (size_t i = first; i < samples.size(); i += step)
        loudest = std::max(loudest, std::abs(static_cast<int>(samples[i])));
    return loudest;
}

TEST_F(SoundTest, CentredEffectPlaysAtFullVolumeAndPanMovesItToOneSide)
{
    m_resources.AddMemoryEntry("wav/click.wav", MakeWave(), false);
    auto playFor = [](int pan) {
        return [pan](CSoundManager& manager) {
            CSound* sound = manager.LoadSound("wav/click.wav", 1);
            ASSERT_NE(sound, nullptr);
            sound->SetPan(pan); // on the one channel the sample holds, before it sounds
            sound->Play(false, false, 100);
            std::this_thread::sleep_for(std::chrono::milliseconds(400));
            manager.FreeSound(sound);
        };
    };
    // The wave swings to 56 % of full scale; nothing may take it below that.
    std::vector<int16_t> centred = Record(playFor(0));
    EXPECT_GT(Loudest(centred, 0, 2), 16000);
    EXPECT_GT(Loudest(centred, 1, 2), 16000);

    std::vector<int16_t> right = Record(playFor(100));
    EXPECT_LT(Loudest(right, 0, 2), 200) << "left side silent";
    EXPECT_GT(Loudest(right, 1, 2), 16000);
}

// Through the real mixer: music at the slider's bottom is not heard at all.
TEST_F(SoundTest, MusicAtTheSlidersBottomIsSilentAndAtItsTopIsHeard)
{
    m_resources.AddMemoryEntry("music/menu.xm", MakeModule(), false);
    auto playAt = [](int volume) {
        return [volume](CSoundManager& manager) {
            manager.SetMusicVolume(volume);
            NAudio::Music music;
            music.SetPlaylist({"music/menu.xm"});
            music.Play(0);
            std::this_thread::sleep_for(std::chrono::milliseconds(400));
            music.Stop();
        };
    };
    EXPECT_EQ(Loudest(Record(playAt(0)), 0, 1), 0);
    EXPECT_GT(Loudest(Record(playAt(64)), 0, 1), 1000);
}

TEST_F(SoundTest, TrackerModulePlaysAudiblyOnceAndOneTrackPlaylistStartsAgain)
{
    std::string raw = (std::filesystem::temp_directory_path() / ("zonvel-music-" + std::to_string(getpid()) + ".raw")).string();
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", raw.c_str(), 1);
    {
        CSoundManager manager;
        SetSoundManager(&manager);
        ASSERT_TRUE(manager.IsDeviceOpen());
        manager.SetMusicVolume(CSoundManager::kMaxMusicVolume);
        m_resources.AddMemoryEntry("music/menu.xm", MakeModule(), false);

        NAudio::Music music;
        music.SetPlaylist({"music/menu.xm"});
        music.Play(0);
        ASSERT_TRUE(music.IsPlaying()) << "the module must load and start";

        // The track must end by itself (no looping); generous bound against a hang.
        for (int i = 0; i < 1000 && music.IsPlaying(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        EXPECT_FALSE(music.IsPlaying());
        EXPECT_TRUE(music.IsPlaylistActive());

        music.Update();
        EXPECT_TRUE(music.IsPlaying()) << "a one-track playlist starts its track again";
        EXPECT_EQ(music.GetCurrentIndex(), 0);
        music.Stop();
        SetSoundManager(nullptr);
    }
    unsetenv("SDL_DISKAUDIOFILE");
    setenv("SDL_AUDIODRIVER", "dummy", 1);

    std::ifstream in(raw, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::filesystem::remove(raw);
    ASSERT_GT(bytes.size(), 44100u) << "about a second of 16-bit stereo at least";
    int loudest = 0;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2)
    {
        int16_t sample = static_cast<int16_t>(static_cast<uint8_t>(bytes[i]) | (static_cast<uint8_t>(bytes[i + 1]) << 8));
        loudest = std::max(loudest, std::abs(static_cast<int>(sample)));
    }
    EXPECT_GT(loudest, 1000) << "the module was heard";
}
} // namespace
