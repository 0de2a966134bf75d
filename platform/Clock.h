// Millisecond clock and sleep. Times wrap after 49 days as unsigned 32-bit values.
#pragma once

#include <cstdint>

namespace NPlatform
{
uint32_t GetTicks();
void SleepMs(uint32_t milliseconds);
} // namespace NPlatform
