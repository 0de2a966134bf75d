// The game's seven sound effects, synthesized as mono 16-bit, 44100 Hz WAV.
// Each is short and soft enough to be heard many times a level.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace NDataGen
{
constexpr int kEffectRate = 44100;

// (file name under wav/, encoded WAV bytes), in the order the game loads them.
std::vector<std::pair<std::string, std::vector<uint8_t>>> MakeSoundEffects();
} // namespace NDataGen
