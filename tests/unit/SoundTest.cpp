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

#include "engine/Music.h"
#include "engine/ResourceManager.h"
#include "engine/SoundManager.h"
#include "platform/Audio.h"

namespace
{
void Put(std::vector<uint8_t>& out, const void* data, size_t size)
{
    const auto* bytes = static_cast<const uint8_t*>(data);
    out.insert(out.end(), bytes, bytes + size);
}
void Put16(std::vector<uint8_t>& out, uint16_t v)
{
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v)
{
    Put16(out, static_cast<uint16_t>(v));
    Put16(out, static_cast<uint16_t>(v >> 16));
}
void PutText(std::vector<uint8_t>& out, const std::string& text, size_t width)
{
    std::string padded = text;
    padded.resize(width, ' ');
    Put(out, padded.data(), width);
}

// A one-pattern FastTracker 2 module: 8 rows, one note of a square-wave
// sample at row 0; it lasts about a second.
std::vector<uint8_t> MakeModule()
{
    std::vector<uint8_t> xm;
    PutText(xm, "Extended Module: ", 17);
    PutText(xm, "test", 20);
    xm.push_back(0x1A);
    PutText(xm, "zonvel test", 20);
    Put16(xm, 0x0104);
    Put32(xm, 276);  // header size from this field
    Put16(xm, 1);    // song length
    Put16(xm, 0);    // restart position
    Put16(xm, 2);    // channels
    Put16(xm, 1);    // patterns
    Put16(xm, 1);    // instruments
    Put16(xm, 1);    // linear frequencies
    Put16(xm, 6);    // tempo
    Put16(xm, 125);  // BPM
    xm.resize(xm.size() + 256, 0); // order table: pattern 0

    const int rows = 8;
    std::vector<uint8_t> pattern = {0x83, 49, 1, 0x80}; // C-4 of instrument 1; empty channel
    for (int r = 1; r < rows; ++r)
    {
        pattern.push_back(0x80);
        pattern.push_back(0x80);
    }
    Put32(xm, 9);
    xm.push_back(0);
    Put16(xm, rows);
    Put16(xm, static_cast<uint16_t>(pattern.size()));
    Put(xm, pattern.data(), pattern.size());

    const uint32_t sampleLength = 8000;
    size_t instrumentStart = xm.size();
    Put32(xm, 263);
    PutText(xm, "square", 22);
    xm.push_back(0);
    Put16(xm, 1);  // samples
    Put32(xm, 40); // sample header size
    xm.resize(instrumentStart + 263, 0); // note map, envelopes (off), vibrato, fade-out
    Put32(xm, sampleLength);
    Put32(xm, 0);
    Put32(xm, 0);
    xm.push_back(64);  // volume
    xm.push_back(0);   // finetune
    xm.push_back(0);   // 8-bit, no loop
    xm.push_back(128); // panning
    xm.push_back(0);   // relative note
    xm.push_back(0);
    PutText(xm, "square", 22);
    int8_t previous = 0;
    for (uint32_t i = 0; i < sampleLength; ++i)
    {
        int8_t value = (i / 16) % 2 ? 90 : -90;
        xm.push_back(static_cast<uint8_t>(static_cast<int8_t>(value - previous))); // delta coded
        previous = value;
    }
    return xm;
}

// One second of 8-bit mono square wave.
std::vector<uint8_t> MakeWave()
{
    const uint32_t rate = 22050, count = rate;
    std::vector<uint8_t> wav;
    Put(wav, "RIFF", 4);
    Put32(wav, 36 + count);
    Put(wav, "WAVEfmt ", 8);
    Put32(wav, 16);
    Put16(wav, 1);
    Put16(wav, 1);
    Put32(wav, rate);
    Put32(wav, rate);
    Put16(wav, 1);
    Put16(wav, 8);
    Put(wav, "data", 4);
    Put32(wav, count);
    for (uint32_t i = 0; i < count; ++i)
        wav.push_back((i / 25) % 2 ? 200 : 56);
    return wav;
}

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

TEST_F(SoundTest, MusicVolumeIsClampedAndScaled)
{
    CSoundManager manager;
    manager.SetMusicVolume(150);
    EXPECT_EQ(manager.GetMusicVolume(), 100);
    EXPECT_EQ(CSoundManager::MusicChannelVolume(manager.GetMusicVolume()), 64);
    manager.SetMusicVolume(-5);
    EXPECT_EQ(manager.GetMusicVolume(), 0);
    EXPECT_EQ(CSoundManager::MusicChannelVolume(40), 25);
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

TEST_F(SoundTest, TrackerModulePlaysAudiblyOnceAndOneTrackPlaylistStartsAgain)
{
    std::string raw = (std::filesystem::temp_directory_path() / ("zonvel-music-" + std::to_string(getpid()) + ".raw")).string();
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", raw.c_str(), 1);
    {
        CSoundManager manager;
        SetSoundManager(&manager);
        ASSERT_TRUE(manager.IsDeviceOpen());
        manager.SetMusicVolume(100);
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
