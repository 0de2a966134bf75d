// Inside the platform layer only: the SDL objects behind the program window.
#pragma once

#include <SDL.h>

namespace NPlatform
{
SDL_Window* GetSdlWindow();
// Initialises SDL's video part on first use; false when there is no display.
bool EnsureVideo();
// Makes SDL shut down (and release what it holds) when the process ends.
void QuitSdlAtExit();
} // namespace NPlatform
