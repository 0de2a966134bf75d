// Game controllers through SDL's virtual joystick, no hardware needed: a pad
// plugged in is opened, its d-pad, stick and buttons arrive as the program's
// own pad messages, and unplugging it closes it.
#include <gtest/gtest.h>

#include <SDL.h>

#include <vector>

#include "platform/Events.h"
#include "platform/Gamepad.h"
#include "platform/GamepadEvents.h"
#include "platform/Window.h"

namespace
{
using NPlatform::EEventType;
using NPlatform::EPadButton;
using NPlatform::SEvent;

class GamepadTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        int w = 0, h = 0;
        NPlatform::GetScreenSize(w, h); // starts SDL's video part (dummy driver)
        ASSERT_TRUE(NPlatform::OpenGamepads());
        Drain();
        NPlatform::ClearPostedEvents();
    }
    void TearDown() override
    {
        if (m_joystick != nullptr)
            SDL_JoystickClose(m_joystick);
        if (m_index >= 0)
            SDL_JoystickDetachVirtual(m_index);
        Drain();
        NPlatform::CloseGamepads();
    }
    void Plug()
    {
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        desc.name = "Zonvel test pad";
        m_index = SDL_JoystickAttachVirtualEx(&desc);
        ASSERT_GE(m_index, 0) << SDL_GetError();
        m_joystick = SDL_JoystickOpen(m_index);
        ASSERT_NE(m_joystick, nullptr);
    }
    static std::vector<SEvent> Drain()
    {
        std::vector<SEvent> events;
        SEvent event;
        while (NPlatform::PollEvent(event))
            events.push_back(event);
        return events;
    }
    // The pad buttons among the messages, in order.
    static std::vector<EPadButton> Buttons(const std::vector<SEvent>& events)
    {
        std::vector<EPadButton> buttons;
        for (const SEvent& e : events)
            if (e.type == EEventType::PadButton)
                buttons.push_back(static_cast<EPadButton>(e.key));
        return buttons;
    }
    std::vector<EPadButton> Press(SDL_GameControllerButton button)
    {
        SDL_JoystickSetVirtualButton(m_joystick, button, 1);
        std::vector<EPadButton> pressed = Buttons(Drain());
        SDL_JoystickSetVirtualButton(m_joystick, button, 0);
        Drain();
        return pressed;
    }
    std::vector<EPadButton> Stick(SDL_GameControllerAxis axis, Sint16 value)
    {
        SDL_JoystickSetVirtualAxis(m_joystick, axis, value);
        return Buttons(Drain());
    }

    int m_index = -1;
    SDL_Joystick* m_joystick = nullptr;
};

bool Has(const std::vector<SEvent>& events, EEventType type)
{
    for (const SEvent& e : events)
        if (e.type == type)
            return true;
    return false;
}
} // namespace

TEST_F(GamepadTest, APadPluggedInIsOpenedAndUnpluggedClosed)
{
    const int before = NPlatform::GetOpenGamepadCount();
    Plug();
    EXPECT_TRUE(Has(Drain(), EEventType::PadAdded));
    EXPECT_EQ(NPlatform::GetOpenGamepadCount(), before + 1);
    SDL_JoystickClose(m_joystick);
    m_joystick = nullptr;
    SDL_JoystickDetachVirtual(m_index);
    m_index = -1;
    EXPECT_TRUE(Has(Drain(), EEventType::PadRemoved));
    EXPECT_EQ(NPlatform::GetOpenGamepadCount(), before);
}

TEST_F(GamepadTest, ButtonsAndTheDPadArriveAsTheProgramsPadButtons)
{
    Plug();
    Drain();
    using B = std::vector<EPadButton>;
    EXPECT_EQ(Press(SDL_CONTROLLER_BUTTON_A), B{EPadButton::A});
    EXPECT_EQ(Press(SDL_CONTROLLER_BUTTON_B), B{EPadButton::B});
    EXPECT_EQ(Press(SDL_CONTROLLER_BUTTON_START), B{EPadButton::Start});
    EXPECT_EQ(Press(SDL_CONTROLLER_BUTTON_LEFTSHOULDER), B{EPadButton::LeftShoulder});
    EXPECT_EQ(Press(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER), B{EPadButton::RightShoulder});
    EXPECT_EQ(Press(SDL_CONTROLLER_BUTTON_DPAD_UP), B{EPadButton::Up});
    EXPECT_EQ(Press(SDL_CONTROLLER_BUTTON_DPAD_DOWN), B{EPadButton::Down});
    EXPECT_EQ(Press(SDL_CONTROLLER_BUTTON_DPAD_LEFT), B{EPadButton::Left});
    EXPECT_EQ(Press(SDL_CONTROLLER_BUTTON_DPAD_RIGHT), B{EPadButton::Right});
    EXPECT_EQ(Press(SDL_CONTROLLER_BUTTON_Y), B{}) << "buttons the game does not use say nothing";
}

TEST_F(GamepadTest, TheLeftStickPressesADirectionOncePerPush)
{
    Plug();
    Drain();
    using B = std::vector<EPadButton>;
    EXPECT_EQ(Stick(SDL_CONTROLLER_AXIS_LEFTX, 30000), B{EPadButton::Right});
    EXPECT_EQ(Stick(SDL_CONTROLLER_AXIS_LEFTX, 31000), B{}) << "held: no second press at once";
    EXPECT_EQ(Stick(SDL_CONTROLLER_AXIS_LEFTX, 12000), B{}) << "between the thresholds it stays held";
    EXPECT_EQ(Stick(SDL_CONTROLLER_AXIS_LEFTX, 30000), B{});
    EXPECT_EQ(Stick(SDL_CONTROLLER_AXIS_LEFTX, 0), B{});
    EXPECT_EQ(Stick(SDL_CONTROLLER_AXIS_LEFTX, -30000), B{EPadButton::Left});
    EXPECT_EQ(Stick(SDL_CONTROLLER_AXIS_LEFTX, 0), B{});
    EXPECT_EQ(Stick(SDL_CONTROLLER_AXIS_LEFTY, 30000), B{EPadButton::Down});
    EXPECT_EQ(Stick(SDL_CONTROLLER_AXIS_LEFTY, -30000), B{EPadButton::Up}) << "straight across";
    EXPECT_EQ(Stick(SDL_CONTROLLER_AXIS_RIGHTX, 30000), B{}) << "the right stick is not used";
}

namespace
{
// Whether a repeat is due at `now`, and of which direction.
bool RepeatAt(Uint32 now, EPadButton& button)
{
    SEvent event;
    if (!NPlatform::TakePadRepeat(now, event))
        return false;
    EXPECT_EQ(event.type, EEventType::PadButton);
    button = static_cast<EPadButton>(event.key);
    return true;
}
} // namespace

TEST_F(GamepadTest, AHeldDirectionPressesAgainAsAHeldKeyDoesUntilItIsLetGo)
{
    Plug();
    Drain();
    using NPlatform::kPadRepeatDelayMs;
    using NPlatform::kPadRepeatMs;
    EPadButton button = EPadButton::A;

    // The d-pad, held.
    const Uint32 before = SDL_GetTicks();
    SDL_JoystickSetVirtualButton(m_joystick, SDL_CONTROLLER_BUTTON_DPAD_RIGHT, 1);
    ASSERT_EQ(Buttons(Drain()), std::vector<EPadButton>{EPadButton::Right});
    const Uint32 after = SDL_GetTicks();
    EXPECT_FALSE(RepeatAt(before + kPadRepeatDelayMs - 1, button)) << "not before the delay";
    ASSERT_TRUE(RepeatAt(after + kPadRepeatDelayMs, button));
    EXPECT_EQ(button, EPadButton::Right);
    EXPECT_FALSE(RepeatAt(after + kPadRepeatDelayMs, button)) << "one press per interval";
    EXPECT_TRUE(RepeatAt(after + kPadRepeatDelayMs + kPadRepeatMs, button));
    EXPECT_TRUE(RepeatAt(after + 60000, button)) << "after a stall, one press";
    EXPECT_FALSE(RepeatAt(after + 60000, button)) << "and no burst";
    SDL_JoystickSetVirtualButton(m_joystick, SDL_CONTROLLER_BUTTON_DPAD_RIGHT, 0);
    Drain();
    EXPECT_FALSE(RepeatAt(after + 120000, button)) << "let go";

    // The stick, pushed down and back to rest.
    ASSERT_EQ(Stick(SDL_CONTROLLER_AXIS_LEFTY, 30000), std::vector<EPadButton>{EPadButton::Down});
    ASSERT_TRUE(RepeatAt(SDL_GetTicks() + kPadRepeatDelayMs, button));
    EXPECT_EQ(button, EPadButton::Down);
    Stick(SDL_CONTROLLER_AXIS_LEFTY, 0);
    EXPECT_FALSE(RepeatAt(SDL_GetTicks() + 60000, button)) << "at rest";

    // Unplugged while held.
    Stick(SDL_CONTROLLER_AXIS_LEFTX, -30000);
    SDL_JoystickClose(m_joystick);
    m_joystick = nullptr;
    SDL_JoystickDetachVirtual(m_index);
    m_index = -1;
    Drain();
    EXPECT_FALSE(RepeatAt(SDL_GetTicks() + 60000, button)) << "a pad that is gone presses nothing";
}
