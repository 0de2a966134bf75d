#include "engine/SoundManager.h"

#include <algorithm>

#include "engine/ResourceManager.h"
#include "platform/Audio.h"

namespace
{
CSoundManager* g_soundManager = nullptr;
}

CSoundManager* GetSoundManager()
{
    return g_soundManager;
}

void SetSoundManager(CSoundManager* manager)
{
    g_soundManager = manager;
}

CSoundManager::CSoundManager()
{
    m_device_open = NPlatform::OpenAudio();
}

CSoundManager::~CSoundManager()
{
    if (g_soundManager == this)
        g_soundManager = nullptr;
    NPlatform::CloseAudio();
}

void CSoundManager::SetMusicVolume(int volume)
{
    m_music_volume = std::clamp(volume, 0, kMaxMusicVolume);
    if (m_music_channel)
        NPlatform::SetChannelVolume(m_music_channel, MusicChannelVolume(m_music_volume));
}

CSound* CSoundManager::LoadSound(const std::string& fileName, int maxPlaybacks)
{
    if (!m_device_open)
        return nullptr;
    CResourceManager* resources = GetResourceManager();
    CFileBuffer file = resources ? resources->Load(fileName) : CResourceManager::LoadLooseFile(fileName);
    if (file.IsEmpty())
        return nullptr;
    NPlatform::AudioHandle sample = NPlatform::LoadSample(file.GetData(), file.GetSize(), maxPlaybacks);
    if (!sample)
        return nullptr;
    return new CSound(sample);
}

void CSoundManager::FreeSound(CSound* sound)
{
    if (!sound)
        return;
    NPlatform::FreeSample(sound->GetSample());
    delete sound;
}

void CSoundManager::PlayMusicChannel(uint32_t channel, bool restart)
{
    if (!channel || !m_music_enabled)
        return;
    m_music_channel = channel;
    NPlatform::SetChannelVolume(channel, MusicChannelVolume(m_music_volume));
    NPlatform::PlayChannel(channel, restart);
}

void CSoundManager::StopMusicChannel(uint32_t channel)
{
    NPlatform::StopChannel(channel);
    m_music_channel = 0;
}

bool CSoundManager::IsChannelPlaying(uint32_t channel) const
{
    return channel != 0 && NPlatform::IsChannelPlaying(channel);
}

void CSoundManager::Update()
{
    // The mixer runs on its own thread; nothing to pump per frame.
}
