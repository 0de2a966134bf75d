// A playlist of tracker modules played one after the other. Tracks never loop:
// Update() starts the next one when the current one ends, so a one-track list repeats.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace NAudio
{
class Music
{
public:
    Music() = default;
    virtual ~Music();
    Music(const Music&) = delete;
    Music& operator=(const Music&) = delete;
    // A moved playlist hands over its loaded track; the source is left idle.
    Music(Music&& other) noexcept;
    Music& operator=(Music&& other) noexcept;

    // Replaces the list; a track that is playing goes on.
    void SetPlaylist(const std::vector<std::string>& tracks);
    const std::vector<std::string>& GetPlaylist() const { return m_tracks; }

    // 0 or more: from the first track; negative: the next track (wrapping).
    void Play(int which);
    void Stop();
    // Once per frame: moves on when the current track has ended.
    void Update();
    bool IsPlaying() const;

    int GetCurrentIndex() const { return m_index; }
    bool IsPlaylistActive() const { return m_playing; }

private:
    bool m_playing = false;
    std::vector<std::string> m_tracks;
    uint32_t m_handle = 0;
    int m_index = -1;
};
} // namespace NAudio
