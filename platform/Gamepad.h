// Game controllers (SDL's game-controller API) in the program's own terms:
// the buttons the screens understand, every pad already attached opened at
// once and later ones as they are plugged in. Main thread only.
#pragma once

namespace NPlatform
{
enum class EPadButton : int
{
    Up,
    Down,
    Left,
    Right,
    A,             // press, play
    B,             // back out
    LeftShoulder,  // the previous bonus
    RightShoulder, // the next bonus
    Start,         // the menu
};

// Starts the controller part of SDL and opens every attached pad; false when
// SDL has no controller support here. Pads then come and go as events.
bool OpenGamepads();
void CloseGamepads();
int GetOpenGamepadCount();
} // namespace NPlatform
