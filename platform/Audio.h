// Sound effects as samples and tracker music, all handed over from memory.
// Handles are 0 when nothing was loaded; every call accepts 0 and does nothing.
// Volumes run from 0 to 100, pan from -100 (left) to 100 (right).
#pragma once

#include <cstddef>
#include <cstdint>

namespace NPlatform
{
using AudioHandle = uint32_t;

// Opens the default output device; false means the program runs silent.
bool OpenAudio();
void CloseAudio();
bool IsAudioOpen();

// A sample with at most maxPlaybacks sounding at once (1..255).
AudioHandle LoadSample(const void* data, size_t size, int maxPlaybacks);
void FreeSample(AudioHandle sample);
int GetSampleMaxPlaybacks(AudioHandle sample);
bool GetSampleLoop(AudioHandle sample);
bool SetSampleLoop(AudioHandle sample, bool loop);

// A channel for one playback of the sample. When all its playbacks are busy,
// the one that started longest ago is stopped and its channel handed out.
AudioHandle GetSampleChannel(AudioHandle sample);

// A tracker module (.xm and the like); the module is its own channel and
// plays once, without looping.
AudioHandle LoadMusic(const void* data, size_t size);
void FreeMusic(AudioHandle music);

// Channels: sample channels and music alike.
bool PlayChannel(AudioHandle channel, bool restart);
void StopChannel(AudioHandle channel);
bool IsChannelPlaying(AudioHandle channel);
void SetChannelVolume(AudioHandle channel, int volume);
void SetChannelPan(AudioHandle channel, int pan);
} // namespace NPlatform
