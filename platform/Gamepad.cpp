#include "platform/Gamepad.h"

#include "platform/GamepadEvents.h"

#include <SDL.h>

#include <map>

namespace NPlatform
{
namespace
{
// Opened pads by joystick instance id.
std::map<SDL_JoystickID, SDL_GameController*> g_pads;
// The left stick as four buttons: pushed past kStickPress, released below kStickRelease.
constexpr Sint16 kStickPress = 16000;
constexpr Sint16 kStickRelease = 8000;
std::map<SDL_JoystickID, int> g_stick_x; // -1, 0, 1: the direction held
std::map<SDL_JoystickID, int> g_stick_y;
bool g_started = false;

// The direction held for repeating; from the stick, `axis` names its axis.
struct SHeldDirection
{
    bool held = false;
    EPadButton button = EPadButton::Up;
    SDL_JoystickID pad = 0;
    int axis = -1;
    Uint32 next = 0;
};
SHeldDirection g_held;

bool IsDirection(EPadButton button)
{
    return button == EPadButton::Up || button == EPadButton::Down || button == EPadButton::Left ||
           button == EPadButton::Right;
}

void Hold(EPadButton button, SDL_JoystickID pad, int axis)
{
    g_held = SHeldDirection{IsDirection(button), button, pad, axis, SDL_GetTicks() + kPadRepeatDelayMs};
}

bool OpenPad(int deviceIndex, SDL_JoystickID& id)
{
    if (!SDL_IsGameController(deviceIndex))
        return false;
    SDL_GameController* pad = SDL_GameControllerOpen(deviceIndex);
    if (pad == nullptr)
        return false;
    id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad));
    if (g_pads.count(id))
    {
        SDL_GameControllerClose(pad); // opened twice: keep one reference
        return false;
    }
    g_pads[id] = pad;
    return true;
}

bool ButtonOf(Uint8 button, EPadButton& out)
{
    switch (button)
    {
    case SDL_CONTROLLER_BUTTON_DPAD_UP:
        out = EPadButton::Up;
        return true;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
        out = EPadButton::Down;
        return true;
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
        out = EPadButton::Left;
        return true;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
        out = EPadButton::Right;
        return true;
    case SDL_CONTROLLER_BUTTON_A:
        out = EPadButton::A;
        return true;
    case SDL_CONTROLLER_BUTTON_B:
        out = EPadButton::B;
        return true;
    case SDL_CONTROLLER_BUTTON_LEFTSHOULDER:
        out = EPadButton::LeftShoulder;
        return true;
    case SDL_CONTROLLER_BUTTON_RIGHTSHOULDER:
        out = EPadButton::RightShoulder;
        return true;
    case SDL_CONTROLLER_BUTTON_START:
        out = EPadButton::Start;
        return true;
    default:
        return false;
    }
}

// A stick axis crossing into a direction gives one press of it.
bool StickPress(int& held, Sint16 value, EPadButton negative, EPadButton positive, EPadButton& out)
{
    const int now = value >= kStickPress ? 1 : (value <= -kStickPress ? -1 : held);
    const int settled = (value < kStickRelease && value > -kStickRelease) ? 0 : now;
    const bool pressed = settled != 0 && settled != held;
    held = settled;
    if (pressed)
        out = settled < 0 ? negative : positive;
    return pressed;
}
} // namespace

bool OpenGamepads()
{
    if (!g_started)
    {
        if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0)
            return false;
        g_started = true;
    }
    SDL_JoystickID id;
    for (int i = 0; i < SDL_NumJoysticks(); ++i)
        OpenPad(i, id);
    return true;
}

void CloseGamepads()
{
    for (auto& [id, pad] : g_pads)
        SDL_GameControllerClose(pad);
    g_pads.clear();
    g_stick_x.clear();
    g_stick_y.clear();
    g_held = SHeldDirection();
    if (g_started)
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    g_started = false;
}

int GetOpenGamepadCount()
{
    return static_cast<int>(g_pads.size());
}

bool TranslatePadEvent(const SDL_Event& e, SEvent& event)
{
    switch (e.type)
    {
    case SDL_CONTROLLERDEVICEADDED:
    {
        SDL_JoystickID id;
        if (!g_started || !OpenPad(e.cdevice.which, id))
            return false;
        event.type = EEventType::PadAdded;
        return true;
    }
    case SDL_CONTROLLERDEVICEREMOVED:
    {
        auto it = g_pads.find(e.cdevice.which);
        if (it == g_pads.end())
            return false;
        SDL_GameControllerClose(it->second);
        g_pads.erase(it);
        g_stick_x.erase(e.cdevice.which);
        g_stick_y.erase(e.cdevice.which);
        if (g_held.pad == e.cdevice.which)
            g_held = SHeldDirection();
        event.type = EEventType::PadRemoved;
        return true;
    }
    case SDL_CONTROLLERBUTTONDOWN:
    {
        EPadButton button;
        if (!g_pads.count(e.cbutton.which) || !ButtonOf(e.cbutton.button, button))
            return false;
        Hold(button, e.cbutton.which, -1);
        event.type = EEventType::PadButton;
        event.key = static_cast<int>(button);
        return true;
    }
    case SDL_CONTROLLERBUTTONUP:
    {
        EPadButton button;
        if (g_held.held && g_held.pad == e.cbutton.which && g_held.axis < 0 &&
            ButtonOf(e.cbutton.button, button) && button == g_held.button)
            g_held = SHeldDirection();
        return false;
    }
    case SDL_CONTROLLERAXISMOTION:
    {
        EPadButton button;
        bool pressed = false;
        if (!g_pads.count(e.caxis.which))
            return false;
        if (e.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX)
            pressed = StickPress(g_stick_x[e.caxis.which], e.caxis.value, EPadButton::Left, EPadButton::Right,
                                 button);
        else if (e.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY)
            pressed =
                StickPress(g_stick_y[e.caxis.which], e.caxis.value, EPadButton::Up, EPadButton::Down, button);
        const auto& stick = e.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX ? g_stick_x : g_stick_y;
        const auto it = stick.find(e.caxis.which);
        if (g_held.held && g_held.pad == e.caxis.which && g_held.axis == e.caxis.axis && it != stick.end() &&
            it->second == 0)
            g_held = SHeldDirection(); // back at rest
        if (!pressed)
            return false;
        Hold(button, e.caxis.which, e.caxis.axis);
        event.type = EEventType::PadButton;
        event.key = static_cast<int>(button);
        return true;
    }
    default:
        return false;
    }
}

bool TakePadRepeat(Uint32 now, SEvent& event)
{
    if (!g_held.held || static_cast<Sint32>(now - g_held.next) < 0)
        return false;
    // After a stall, one press and a fresh interval: no burst of catching up.
    g_held.next += kPadRepeatMs;
    if (static_cast<Sint32>(now - g_held.next) >= 0)
        g_held.next = now + kPadRepeatMs;
    event = SEvent();
    event.type = EEventType::PadButton;
    event.key = static_cast<int>(g_held.button);
    return true;
}
} // namespace NPlatform
