#include "engine/Music.h"

#include "engine/ResourceManager.h"
#include "engine/SoundManager.h"
#include "platform/Audio.h"

namespace NAudio
{
Music::~Music()
{
    Stop();
}

Music::Music(Music&& other) noexcept
    : m_playing(other.m_playing), m_tracks(std::move(other.m_tracks)), m_handle(other.m_handle), m_index(other.m_index)
{
    other.m_playing = false;
    other.m_handle = 0;
    other.m_index = -1;
}

Music& Music::operator=(Music&& other) noexcept
{
    if (this != &other)
    {
        Stop();
        m_playing = other.m_playing;
        m_tracks = std::move(other.m_tracks);
        m_handle = other.m_handle;
        m_index = other.m_index;
        other.m_playing = false;
        other.m_handle = 0;
        other.m_index = -1;
    }
    return *this;
}

void Music::SetPlaylist(const std::vector<std::string>& tracks)
{
    m_tracks = tracks;
    m_index = -1;
}

void Music::Play(int which)
{
    CSoundManager* manager = GetSoundManager();
    if (!manager || !manager->IsDeviceOpen() || !manager->IsMusicEnabled() || m_tracks.empty())
        return;
    if (which >= 0)
        m_index = 0;
    else if (++m_index >= static_cast<int>(m_tracks.size()))
        m_index = 0;
    Stop();
    m_playing = true;
    CResourceManager* resources = GetResourceManager();
    const std::string& name = m_tracks[static_cast<size_t>(m_index)];
    CFileBuffer file = resources ? resources->Load(name) : CResourceManager::LoadLooseFile(name);
    m_handle = NPlatform::LoadMusic(file.GetData(), file.GetSize());
    manager->PlayMusicChannel(m_handle, true);
}

void Music::Stop()
{
    CSoundManager* manager = GetSoundManager();
    if (!manager || !manager->IsDeviceOpen())
        return;
    m_playing = false;
    manager->StopMusicChannel(m_handle);
    NPlatform::FreeMusic(m_handle);
    m_handle = 0;
}

void Music::Update()
{
    if (m_playing && !IsPlaying())
        Play(-1);
}

bool Music::IsPlaying() const
{
    CSoundManager* manager = GetSoundManager();
    return manager && manager->IsChannelPlaying(m_handle);
}
} // namespace NAudio
