// One loaded sound effect. Owned by whoever loaded it through the sound
// manager, which also frees it; a null CSound* is silence everywhere.
#pragma once

#include <cstdint>

class CSound
{
  public:
    explicit CSound(uint32_t sample);

    // restart: a new playback; else the current one goes on if it still sounds.
    // volume: 0..100, or -1 for the effects volume.
    void Play(bool restart, bool loop, int volume = -1);
    void SetPan(int pan);
    void Stop();

    uint32_t GetSample() const { return m_sample; }
    uint32_t GetChannel() const { return m_channel; }
    bool IsLooping() const { return m_loop; }
    int GetMaxPlaybacks() const { return m_max_playbacks; }

  private:
    uint32_t m_sample = 0;
    uint32_t m_channel = 0;
    bool m_loop = false;
    int m_max_playbacks = 0;
};
