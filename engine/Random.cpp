#include "engine/Random.h"

namespace
{
uint32_t g_state = 1;
}

namespace NRandom
{
int Rand()
{
    g_state = g_state * 214013u + 2531011u;
    return static_cast<int>((g_state >> 16) & kMax);
}

void Seed(uint32_t seed)
{
    g_state = seed;
}

uint32_t GetState()
{
    return g_state;
}
} // namespace NRandom
