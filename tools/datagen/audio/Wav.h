// RIFF/WAVE encoding of 16-bit PCM sound.
#pragma once

#include <cstdint>
#include <vector>

namespace NDataGen
{
// Mono (channels = 1) or interleaved stereo frames.
std::vector<uint8_t> EncodeWav(const std::vector<int16_t>& samples, int channels, int sampleRate);
} // namespace NDataGen
