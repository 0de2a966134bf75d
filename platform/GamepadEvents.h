// Inside the platform layer only: turns SDL's controller events into the
// program's messages (pads plugged in or out, button presses, the left stick).
#pragma once

#include <SDL.h>

#include "platform/Events.h"

namespace NPlatform
{
// False for events that give no message (an unknown button, a stick at rest).
bool TranslatePadEvent(const SDL_Event& e, SEvent& event);
} // namespace NPlatform
