// The window messages the frame handles, in the program's own terms: Windows
// virtual-key codes, client pixels, MK_* key flags. Nothing here exposes SDL.
#pragma once

#include <cstdint>

namespace NPlatform
{
// Virtual-key codes the screens compare against (letters and digits are
// their upper-case ASCII codes).
enum EVirtualKey : int
{
    kVkBack = 8,
    kVkTab = 9,
    kVkReturn = 13,
    kVkShift = 16,
    kVkControl = 17,
    kVkMenu = 18,
    kVkEscape = 27,
    kVkSpace = 32,
    kVkPrior = 33,
    kVkNext = 34,
    kVkEnd = 35,
    kVkHome = 36,
    kVkLeft = 37,
    kVkUp = 38,
    kVkRight = 39,
    kVkDown = 40,
    kVkInsert = 45,
    kVkDelete = 46,
    kVkF1 = 112,
    kVkF4 = 115,
    kVkF11 = 122,
};

// Key flags of mouse messages (the button and modifier state at the event).
constexpr uint32_t kMkLButton = 0x0001;
constexpr uint32_t kMkRButton = 0x0002;
constexpr uint32_t kMkShift = 0x0004;
constexpr uint32_t kMkControl = 0x0008;
constexpr uint32_t kMkMButton = 0x0010;

enum class EEventType
{
    KeyDown,     // key: virtual-key code
    Char,        // character: UTF-16 code unit, repeat: count
    MouseMove,   // x, y client pixels, keyFlags
    LButtonDown, // x, y, keyFlags
    LButtonUp,   // x, y, keyFlags
    RButtonUp,   // x, y, keyFlags
    Activate,    // active: the window became (in)active
    Minimize,    // the window was minimised (by us or the desktop)
    Restore,     // the window came back from being minimised
    Expose,      // the window's picture was lost and must be drawn again
    Resize,      // x, y: the window's new size in window pixels
    ToggleFullScreen, // F11 or Alt+Enter: in or out of full screen, on any screen
    Close,       // a request to close the window; f4Held tells Alt+F4 apart
    Quit,        // end the main loop
    PadButton,   // key: an EPadButton (platform/Gamepad.h) pressed on any pad
    PadAdded,    // a game controller was plugged in and opened
    PadRemoved,  // a game controller was unplugged
};

struct SEvent
{
    EEventType type = EEventType::Quit;
    int key = 0;
    uint16_t character = 0;
    int repeat = 1;
    int x = 0;
    int y = 0;
    uint32_t keyFlags = 0;
    bool active = false;
    bool f4Held = false;
};

// Takes the next waiting message; false when none is waiting.
bool PollEvent(SEvent& event);

// Queues the quit message (ends the main loop once it is taken).
void PostQuit();

// Queues a close request made by the program itself; it never counts as
// Alt+F4, even while F4 happens to be held.
void PostClose();

// Drops every queued message (used between test runs).
void ClearPostedEvents();
} // namespace NPlatform
