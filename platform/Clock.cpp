#include "platform/Clock.h"

#include <SDL.h>

namespace NPlatform
{
uint32_t GetTicks()
{
    return SDL_GetTicks();
}

void SleepMs(uint32_t milliseconds)
{
    SDL_Delay(milliseconds);
}
} // namespace NPlatform
