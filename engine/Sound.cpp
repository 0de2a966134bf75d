#include "engine/Sound.h"

#include <algorithm>

#include "engine/SoundManager.h"
#include "platform/Audio.h"

CSound::CSound(uint32_t sample) : m_sample(sample)
{
    m_loop = NPlatform::GetSampleLoop(sample);
    m_max_playbacks = NPlatform::GetSampleMaxPlaybacks(sample);
    if (m_max_playbacks == 1)
        m_channel = NPlatform::GetSampleChannel(sample);
}

void CSound::Play(bool restart, bool loop, int volume)
{
    CSoundManager* manager = GetSoundManager();
    if (!manager)
        return;
    if (loop != m_loop)
    {
        if (NPlatform::SetSampleLoop(m_sample, loop))
            m_loop = loop;
        if (m_channel)
            NPlatform::StopChannel(m_channel);
        m_channel = NPlatform::GetSampleChannel(m_sample);
    }
    // A sample of several playbacks starts with no channel until its first play.
    if (restart || !m_channel)
        m_channel = NPlatform::GetSampleChannel(m_sample);
    int requested = volume >= 0 ? volume : manager->GetEffectsVolume();
    requested = std::clamp(requested, 0, 100);
    NPlatform::SetChannelVolume(m_channel, manager->GetEffectsVolume() * requested / 100);
    if (m_channel && manager->IsSoundEnabled())
        NPlatform::PlayChannel(m_channel, restart);
}

void CSound::SetPan(int pan)
{
    pan = std::clamp(pan, -100, 100);
    CSoundManager* manager = GetSoundManager();
    if (manager && manager->IsSoundInvert())
        pan = -pan;
    NPlatform::SetChannelPan(m_channel, pan);
}

void CSound::Stop()
{
    NPlatform::StopChannel(m_channel);
}
