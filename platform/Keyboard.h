// Live keyboard state and the clipboard, read at the moment of the call.
#pragma once

#include <string>

namespace NPlatform
{
bool IsControlHeld();
bool IsShiftHeld();
bool IsF4Held();

// False when the clipboard holds no text or cannot be read.
bool GetClipboardText(std::string& text);
} // namespace NPlatform
