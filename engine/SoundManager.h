// The sound device and the global sound state: effects on or off, the music
// volume and the one music channel. Without a device everything is silent.
#pragma once

#include <cstdint>
#include <string>

#include "engine/Sound.h"

class CSoundManager
{
  public:
    // Opens the default device; IsDeviceOpen() tells whether that worked.
    CSoundManager();
    ~CSoundManager();
    CSoundManager(const CSoundManager&) = delete;
    CSoundManager& operator=(const CSoundManager&) = delete;

    bool IsDeviceOpen() const { return m_device_open; }
    bool IsMusicEnabled() const { return m_music_enabled; }
    void SetSoundEnabled(bool enabled) { m_effects_enabled = enabled; }
    bool IsSoundEnabled() const { return m_effects_enabled; }
    void SetSoundInvert(bool invert) { m_invert = invert; }
    bool IsSoundInvert() const { return m_invert; }

    // The music volume runs 0..kMaxMusicVolume, as the options window's
    // slider and the settings file hold it: 0 is silence, the top full volume.
    static constexpr int kMaxMusicVolume = 64;
    static constexpr int kDefaultMusicVolume = 40;

    // Clamped to 0..kMaxMusicVolume; applied at once to the current music channel.
    void SetMusicVolume(int volume);
    int GetMusicVolume() const { return m_music_volume; }
    int GetEffectsVolume() const { return m_effects_volume; }

    // Null without a device or when the file cannot be read or decoded.
    CSound* LoadSound(const std::string& fileName, int maxPlaybacks);
    void FreeSound(CSound* sound);

    void PlayMusicChannel(uint32_t channel, bool restart);
    void StopMusicChannel(uint32_t channel);
    bool IsChannelPlaying(uint32_t channel) const;
    uint32_t GetMusicChannel() const { return m_music_channel; }

    // Once per frame from the main loop.
    void Update();

    // The music volume as a share of full volume, 0..100, as the audio channel takes it.
    static int MusicChannelVolume(int musicVolume)
    {
        return (musicVolume * 100 + kMaxMusicVolume / 2) / kMaxMusicVolume;
    }

  private:
    bool m_invert = false;
    bool m_device_open = false;
    bool m_effects_enabled = true;
    bool m_music_enabled = true;
    int m_effects_volume = 100;
    int m_music_volume = kMaxMusicVolume;
    uint32_t m_music_channel = 0;
};

// The program's sound manager; null in tools and tests that run without one.
CSoundManager* GetSoundManager();
void SetSoundManager(CSoundManager* manager);
