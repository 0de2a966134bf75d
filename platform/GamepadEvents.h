// Inside the platform layer only: turns SDL's controller events into the
// program's messages (pads plugged in or out, button presses, the left stick).
#pragma once

#include <SDL.h>

#include "platform/Events.h"

namespace NPlatform
{
// False for events that give no message (an unknown button, a stick at rest).
bool TranslatePadEvent(const SDL_Event& e, SEvent& event);
// A direction held on the d-pad or the stick presses again, as a held key
// does: first after kPadRepeatDelayMs, then every kPadRepeatMs. True with the
// press when one is due at `now` (SDL's ticks).
constexpr Uint32 kPadRepeatDelayMs = 400;
constexpr Uint32 kPadRepeatMs = 120;
bool TakePadRepeat(Uint32 now, SEvent& event);
} // namespace NPlatform
