// The program-wide pseudo-random generator: a linear congruential generator
// whose sequence is fixed (state starts at 1), so every run draws the same
// numbers until a file is enciphered, which seeds it from the clock.
#pragma once

#include <cstdint>

namespace NRandom
{
constexpr int kMax = 0x7FFF;

// Next number, 0..32767.
int Rand();
void Seed(uint32_t seed);
uint32_t GetState();
} // namespace NRandom
