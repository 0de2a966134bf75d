// The one place the field asks the input devices anything: whether the right
// button is held for the magnifier, and where the cursor is (client pixels).
#pragma once

namespace NGame
{
// False when there is no input device or the right button is not held.
bool PollMagnifierCursor(int& x, int& y);
} // namespace NGame
