#include "platform/Audio.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include "platform/SdlWindow.h"

#include <algorithm>
#include <map>
#include <memory>
#include <vector>

namespace NPlatform
{
namespace
{
// Handle layout: music 0x40000000 | id; sample id (below 2^22);
// sample channel 0x80000000 | sample id << 8 | playback slot.
constexpr AudioHandle kMusicBit = 0x40000000u;
constexpr AudioHandle kChannelBit = 0x80000000u;
constexpr uint32_t kMaxSampleId = (1u << 22) - 1;
constexpr int kMixerChannelStep = 16;

struct SSlot
{
    int mixerChannel = -1;   // the mixer channel last used, -1 for none
    uint32_t startedAt = 0;  // order of the last start, to find the oldest
    int volume = 100;
    int pan = 0;
};

struct SSample
{
    Mix_Chunk* chunk = nullptr;
    bool loop = false;
    std::vector<SSlot> slots;
};

struct SMusic
{
    std::vector<uint8_t> bytes; // kept alive while the decoder may read them
    Mix_Music* music = nullptr;
    int volume = 100;
};

bool g_open = false;
// Never destroyed: when the display connection breaks, Xlib calls exit() from
// inside the main loop, and objects destroyed then still free their sounds.
std::map<uint32_t, SSample>& g_samples = *new std::map<uint32_t, SSample>;
std::map<uint32_t, SMusic>& g_musics = *new std::map<uint32_t, SMusic>;
std::vector<AudioHandle>& g_channelOwner = *new std::vector<AudioHandle>; // per mixer channel: the slot handle that started it
uint32_t g_nextSampleId = 1;
uint32_t g_nextMusicId = 1;
uint32_t g_startCounter = 0;
uint32_t g_currentMusic = 0; // id of the module handed to the mixer

SSample* FindSample(AudioHandle handle)
{
    if (handle == 0 || (handle & (kMusicBit | kChannelBit)))
        return nullptr;
    auto it = g_samples.find(handle);
    return it == g_samples.end() ? nullptr : &it->second;
}

SMusic* FindMusic(AudioHandle handle)
{
    if ((handle & kChannelBit) || !(handle & kMusicBit))
        return nullptr;
    auto it = g_musics.find(handle & ~kMusicBit);
    return it == g_musics.end() ? nullptr : &it->second;
}

SSlot* FindSlot(AudioHandle channel, SSample** sample = nullptr)
{
    if (!(channel & kChannelBit))
        return nullptr;
    SSample* s = FindSample((channel & ~kChannelBit) >> 8);
    uint32_t index = channel & 0xFF;
    if (!s || index >= s->slots.size())
        return nullptr;
    if (sample)
        *sample = s;
    return &s->slots[index];
}

// Whether the slot's playback is still sounding on its mixer channel.
bool SlotSounding(AudioHandle channel, const SSlot& slot)
{
    return slot.mixerChannel >= 0 && slot.mixerChannel < static_cast<int>(g_channelOwner.size()) &&
           g_channelOwner[static_cast<size_t>(slot.mixerChannel)] == channel && Mix_Playing(slot.mixerChannel);
}

int FreeMixerChannel()
{
    for (size_t i = 0; i < g_channelOwner.size(); ++i)
    {
        if (!Mix_Playing(static_cast<int>(i)))
            return static_cast<int>(i);
    }
    int first = static_cast<int>(g_channelOwner.size());
    g_channelOwner.resize(g_channelOwner.size() + kMixerChannelStep, 0);
    Mix_AllocateChannels(static_cast<int>(g_channelOwner.size()));
    return first;
}

void ApplySlotMix(const SSlot& slot)
{
    if (slot.mixerChannel < 0)
        return;
    Mix_Volume(slot.mixerChannel, slot.volume * MIX_MAX_VOLUME / 100);
    // Balance: the far side fades out, the near side keeps full volume
    // (255 on both sides is no panning at all).
    int left = slot.pan > 0 ? 255 * (100 - slot.pan) / 100 : 255;
    int right = slot.pan < 0 ? 255 * (100 + slot.pan) / 100 : 255;
    Mix_SetPanning(slot.mixerChannel, static_cast<Uint8>(left), static_cast<Uint8>(right));
}
} // namespace

bool OpenAudio()
{
    if (g_open)
        return true;
    QuitSdlAtExit();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return false;
    Mix_Init(MIX_INIT_MOD);
    if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) != 0)
    {
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    g_channelOwner.assign(kMixerChannelStep, 0);
    Mix_AllocateChannels(kMixerChannelStep);
    g_open = true;
    return true;
}

void CloseAudio()
{
    if (!g_open)
        return;
    Mix_HaltChannel(-1);
    Mix_HaltMusic();
    for (auto& [id, music] : g_musics)
        Mix_FreeMusic(music.music);
    for (auto& [id, sample] : g_samples)
        Mix_FreeChunk(sample.chunk);
    g_musics.clear();
    g_samples.clear();
    g_channelOwner.clear();
    g_currentMusic = 0;
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    g_open = false;
}

bool IsAudioOpen()
{
    return g_open;
}

AudioHandle LoadSample(const void* data, size_t size, int maxPlaybacks)
{
    if (!g_open || !data || size == 0 || maxPlaybacks < 1 || g_nextSampleId > kMaxSampleId)
        return 0;
    SDL_RWops* rw = SDL_RWFromConstMem(data, static_cast<int>(size));
    Mix_Chunk* chunk = rw ? Mix_LoadWAV_RW(rw, 1) : nullptr;
    if (!chunk)
        return 0;
    uint32_t id = g_nextSampleId++;
    SSample& sample = g_samples[id];
    sample.chunk = chunk;
    sample.slots.resize(static_cast<size_t>(std::min(maxPlaybacks, 255)));
    return id;
}

void FreeSample(AudioHandle handle)
{
    SSample* sample = FindSample(handle);
    if (!sample)
        return;
    for (size_t i = 0; i < sample->slots.size(); ++i)
    {
        AudioHandle channel = kChannelBit | (handle << 8) | static_cast<AudioHandle>(i);
        if (SlotSounding(channel, sample->slots[i]))
            Mix_HaltChannel(sample->slots[i].mixerChannel);
    }
    Mix_FreeChunk(sample->chunk);
    g_samples.erase(handle);
}

int GetSampleMaxPlaybacks(AudioHandle handle)
{
    SSample* sample = FindSample(handle);
    return sample ? static_cast<int>(sample->slots.size()) : 0;
}

bool GetSampleLoop(AudioHandle handle)
{
    SSample* sample = FindSample(handle);
    return sample && sample->loop;
}

bool SetSampleLoop(AudioHandle handle, bool loop)
{
    SSample* sample = FindSample(handle);
    if (!sample)
        return false;
    sample->loop = loop;
    return true;
}

AudioHandle GetSampleChannel(AudioHandle handle)
{
    SSample* sample = FindSample(handle);
    if (!sample)
        return 0;
    size_t chosen = 0;
    bool found = false;
    for (size_t i = 0; i < sample->slots.size() && !found; ++i)
    {
        AudioHandle channel = kChannelBit | (handle << 8) | static_cast<AudioHandle>(i);
        if (!SlotSounding(channel, sample->slots[i]))
        {
            chosen = i;
            found = true;
        }
    }
    if (!found)
    {
        // All busy: the playback that started longest ago gives way.
        for (size_t i = 1; i < sample->slots.size(); ++i)
        {
            if (static_cast<int32_t>(sample->slots[i].startedAt - sample->slots[chosen].startedAt) < 0)
                chosen = i;
        }
        Mix_HaltChannel(sample->slots[chosen].mixerChannel);
    }
    return kChannelBit | (handle << 8) | static_cast<AudioHandle>(chosen);
}

AudioHandle LoadMusic(const void* data, size_t size)
{
    if (!g_open || !data || size == 0)
        return 0;
    SMusic music;
    const auto* bytes = static_cast<const uint8_t*>(data);
    music.bytes.assign(bytes, bytes + size);
    SDL_RWops* rw = SDL_RWFromConstMem(music.bytes.data(), static_cast<int>(music.bytes.size()));
    music.music = rw ? Mix_LoadMUS_RW(rw, 1) : nullptr;
    if (!music.music)
        return 0;
    uint32_t id = g_nextMusicId++;
    g_musics[id] = std::move(music);
    return kMusicBit | id;
}

void FreeMusic(AudioHandle handle)
{
    SMusic* music = FindMusic(handle);
    if (!music)
        return;
    uint32_t id = handle & ~kMusicBit;
    if (g_currentMusic == id)
    {
        Mix_HaltMusic();
        g_currentMusic = 0;
    }
    Mix_FreeMusic(music->music);
    g_musics.erase(id);
}

bool PlayChannel(AudioHandle channel, bool restart)
{
    if (SMusic* music = FindMusic(channel))
    {
        uint32_t id = channel & ~kMusicBit;
        if (g_currentMusic == id && Mix_PlayingMusic() && !restart)
            return true;
        Mix_VolumeMusic(music->volume * MIX_MAX_VOLUME / 100);
        // One pass through the module: the playlist moves on when it ends.
        if (Mix_PlayMusic(music->music, 1) != 0)
            return false;
        g_currentMusic = id;
        return true;
    }
    SSample* sample = nullptr;
    SSlot* slot = FindSlot(channel, &sample);
    if (!slot)
        return false;
    if (SlotSounding(channel, *slot))
    {
        if (!restart)
            return true;
        Mix_HaltChannel(slot->mixerChannel);
    }
    int mixer = FreeMixerChannel();
    // Volume and pan first, so the playback's very first samples have them.
    slot->mixerChannel = mixer;
    ApplySlotMix(*slot);
    if (Mix_PlayChannel(mixer, sample->chunk, sample->loop ? -1 : 0) < 0)
    {
        slot->mixerChannel = -1;
        return false;
    }
    g_channelOwner[static_cast<size_t>(mixer)] = channel;
    slot->startedAt = ++g_startCounter;
    return true;
}

void StopChannel(AudioHandle channel)
{
    if (FindMusic(channel))
    {
        if (g_currentMusic == (channel & ~kMusicBit))
            Mix_HaltMusic();
        return;
    }
    SSlot* slot = FindSlot(channel);
    if (slot && SlotSounding(channel, *slot))
        Mix_HaltChannel(slot->mixerChannel);
}

bool IsChannelPlaying(AudioHandle channel)
{
    if (FindMusic(channel))
        return g_currentMusic == (channel & ~kMusicBit) && Mix_PlayingMusic();
    SSlot* slot = FindSlot(channel);
    return slot && SlotSounding(channel, *slot);
}

void SetChannelVolume(AudioHandle channel, int volume)
{
    volume = std::clamp(volume, 0, 100);
    if (SMusic* music = FindMusic(channel))
    {
        music->volume = volume;
        if (g_currentMusic == (channel & ~kMusicBit))
            Mix_VolumeMusic(volume * MIX_MAX_VOLUME / 100);
        return;
    }
    SSlot* slot = FindSlot(channel);
    if (!slot)
        return;
    slot->volume = volume;
    if (SlotSounding(channel, *slot))
        ApplySlotMix(*slot);
}

void SetChannelPan(AudioHandle channel, int pan)
{
    SSlot* slot = FindSlot(channel);
    if (!slot)
        return;
    slot->pan = std::clamp(pan, -100, 100);
    if (SlotSounding(channel, *slot))
        ApplySlotMix(*slot);
}
} // namespace NPlatform
