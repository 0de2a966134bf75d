// The one program window: borderless, resizable, with an OpenGL 1.x
// compatibility context. Sizes are window pixels (what mouse events carry)
// unless named drawable (what GL draws; more of them on a HiDPI screen). All
// calls are harmless without a window (tests run the frame without one).
#pragma once

#include <string>

namespace NPlatform
{
struct SRect
{
    int left = 0;
    int top = 0;
    int right = 0;  // exclusive: left + width
    int bottom = 0; // exclusive: top + height
};

// What to do when the connection to the display breaks (the X server ended):
// the handler runs once, then the process ends at once with status 1. Nothing
// can be drawn any more, and a normal exit would run its destructors against a
// display that is gone. Null keeps only the message and the end.
void SetDisplayLostHandler(void (*handler)());

// The smallest window the player can size it to.
constexpr int kMinWindowWidth = 400;
constexpr int kMinWindowHeight = 300;

// Creates the window hidden, makes its GL context current. False on failure.
bool OpenWindow(const char* title, int x, int y, int width, int height);
// Why the last OpenWindow failed, in one line (empty after a success).
const std::string& GetOpenWindowError();
// The video driver in use ("x11", "dummy", ...); empty before video starts.
std::string GetVideoDriver();
void CloseWindow();
bool HasWindow();

void SwapWindow();
void ShowWindow(bool show);
void MinimizeWindow();
bool IsWindowFocused();

SRect GetWindowRect();
void MoveWindow(int x, int y, int width, int height);
// The window's size in drawable pixels; 0 x 0 without a window.
void GetDrawableSize(int& width, int& height);

// Makes the window a borderless one covering its desktop, at the desktop's own
// resolution: the display mode is never changed. False when that failed; the
// window is then left as it was.
bool EnterFullScreen();
// Back to a window at the given place and size.
bool LeaveFullScreen(int x, int y, int width, int height);

// Size of the desktop the window lives on.
void GetScreenSize(int& width, int& height);
// The part of the desktop a window may use (without panels and docks), of
// the first display before a window exists. False when it cannot be told.
bool GetUsableArea(SRect& area);

// A message box with one button; returns when the user closed it, at once
// when no box can be shown.
void ShowMessage(const char* title, const char* text);
} // namespace NPlatform
