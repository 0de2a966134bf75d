// Sound handles of the game resources, kept apart as the only game file that
// talks to the sound system. No sound manager or a failed load is silence.
#include "engine/Sound.h"
#include "engine/SoundManager.h"
#include "game/GameResources.h"

namespace NGame
{
void CGameResources::LoadSounds()
{
    CSoundManager* manager = GetSoundManager();
    if (!manager)
        return;
    FreeSounds();
    for (int i = 0; i < kSoundCount; ++i)
        m_sounds[i] = manager->LoadSound(kSoundFiles[i], 1);
}

void CGameResources::FreeSounds()
{
    CSoundManager* manager = GetSoundManager();
    for (CSound*& sound : m_sounds)
    {
        if (sound && manager)
            manager->FreeSound(sound);
        sound = nullptr;
    }
}

void CGameResources::PlaySound(ESound sound) const
{
    if (sound >= 0 && sound < kSoundCount && m_sounds[sound] && GetSoundManager())
        m_sounds[sound]->Play(true, false);
}
} // namespace NGame
