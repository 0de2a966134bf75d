// Cursor position and held buttons. Desktop and client positions are pixels;
// the client origin is the window's top-left corner (the window has no frame).
#pragma once

#include <cstdint>

namespace NPlatform
{
void GetCursorDesktop(int& x, int& y);
void GetCursorClient(int& x, int& y);

// MK_* flags of the mouse buttons held now.
uint32_t GetMouseButtons();

// The system's own pointer over the window (hidden while the program draws its own).
void ShowSystemCursor(bool show);
} // namespace NPlatform
