// SDL's events as the frame receives them: virtual-key codes, characters,
// mouse messages with key flags, and the two kinds of close request.
#include <gtest/gtest.h>

#include <SDL.h>

#include <vector>

#include "platform/EventSource.h"
#include "platform/Events.h"
#include "platform/Keyboard.h"
#include "platform/Mouse.h"
#include "platform/Window.h"

namespace
{
using NPlatform::EEventType;
using NPlatform::SEvent;

class PlatformEventsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        int w = 0, h = 0;
        NPlatform::GetScreenSize(w, h); // starts SDL's video part (dummy driver)
        ASSERT_TRUE(SDL_WasInit(SDL_INIT_VIDEO));
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
        NPlatform::ClearPostedEvents();
    }

    static void Key(SDL_Keycode key, Uint16 mod = KMOD_NONE, Uint32 type = SDL_KEYDOWN)
    {
        SDL_Event e{};
        e.type = type;
        e.key.keysym.sym = key;
        e.key.keysym.mod = mod;
        SDL_PushEvent(&e);
    }

    static std::vector<SEvent> Drain()
    {
        std::vector<SEvent> events;
        SEvent event;
        while (NPlatform::PollEvent(event))
            events.push_back(event);
        return events;
    }
};

TEST_F(PlatformEventsTest, KeysArriveAsWindowsVirtualKeys)
{
    const std::vector<std::pair<SDL_Keycode, int>> keys = {
        {SDLK_ESCAPE, 27}, {SDLK_RETURN, 13}, {SDLK_BACKSPACE, 8}, {SDLK_DELETE, 46}, {SDLK_HOME, 36},
        {SDLK_END, 35},    {SDLK_LEFT, 37},   {SDLK_RIGHT, 39},    {SDLK_INSERT, 45}, {SDLK_F4, 115},
        {SDLK_a, 'A'},     {SDLK_v, 'V'},     {SDLK_z, 'Z'},       {SDLK_0, '0'},     {SDLK_9, '9'},
        // The keypad's Enter is Enter too, and confirms dialogs like it.
        {SDLK_KP_ENTER, 13}, {SDLK_TAB, 9},      {SDLK_SPACE, 32},    {SDLK_UP, 38},     {SDLK_DOWN, 40},
        {SDLK_PAGEUP, 33},   {SDLK_PAGEDOWN, 34}, {SDLK_F1, 112},     {SDLK_F12, 123},   {SDLK_KP_0, 0x60},
        {SDLK_KP_1, 0x61},   {SDLK_KP_9, 0x69},  {SDLK_LSHIFT, 16},   {SDLK_RCTRL, 17},  {SDLK_KP_MINUS, 0x6D},
        {SDLK_COMMA, 0xBC},  {SDLK_QUOTE, 0xDE},
    };
    for (const auto& [sdl, vk] : keys)
        Key(sdl);
    std::vector<int> got;
    for (const SEvent& event : Drain())
    {
        if (event.type == EEventType::KeyDown)
            got.push_back(event.key);
    }
    std::vector<int> expected;
    for (const auto& [sdl, vk] : keys)
        expected.push_back(vk);
    EXPECT_EQ(got, expected);
}

TEST_F(PlatformEventsTest, TextArrivesAsUtf16CharactersAndControlKeysAsCharactersToo)
{
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    SDL_strlcpy(e.text.text, "a\xC3\xA9", sizeof(e.text.text)); // "aé"
    SDL_PushEvent(&e);
    Key(SDLK_BACKSPACE);
    std::vector<SEvent> events = Drain();
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[0].type, EEventType::Char);
    EXPECT_EQ(events[0].character, 'a');
    EXPECT_EQ(events[1].character, 0xE9);
    EXPECT_EQ(events[2].type, EEventType::KeyDown);
    EXPECT_EQ(events[3].type, EEventType::Char);
    EXPECT_EQ(events[3].character, 8);

    // Three and four bytes: a euro sign, and a face as a surrogate pair.
    SDL_strlcpy(e.text.text, "\xE2\x82\xAC\xF0\x9F\x98\x80", sizeof(e.text.text));
    SDL_PushEvent(&e);
    Key(SDLK_TAB);
    Key(SDLK_KP_ENTER);
    Key(SDLK_ESCAPE);
    std::vector<uint16_t> characters;
    for (const SEvent& event : Drain())
        if (event.type == EEventType::Char)
            characters.push_back(event.character);
    EXPECT_EQ(characters, (std::vector<uint16_t>{0x20AC, 0xD83D, 0xDE00, 9, 13, 27}));
}

TEST_F(PlatformEventsTest, AltF4IsACloseRequestAndOtherAltKeysAreTheSystems)
{
    Key(SDLK_a, KMOD_LALT);
    Key(SDLK_F4, KMOD_LALT);
    std::vector<SEvent> events = Drain();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].type, EEventType::Close);
    EXPECT_TRUE(events[0].f4Held);

    SDL_Event close{};
    close.type = SDL_WINDOWEVENT;
    close.window.event = SDL_WINDOWEVENT_CLOSE;
    SDL_PushEvent(&close);
    events = Drain();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].type, EEventType::Close);
    EXPECT_FALSE(events[0].f4Held) << "closing by other means is no Alt+F4";
}

TEST_F(PlatformEventsTest, F11AndAltEnterToggleFullScreenInsteadOfReachingTheScreens)
{
    Key(SDLK_F11);
    Key(SDLK_RETURN, KMOD_LALT);
    Key(SDLK_KP_ENTER, KMOD_RALT);
    std::vector<SEvent> events = Drain();
    ASSERT_EQ(events.size(), 3u);
    for (const SEvent& event : events)
        EXPECT_EQ(event.type, EEventType::ToggleFullScreen);

    // A held key repeats; one press is one toggle.
    SDL_Event held{};
    held.type = SDL_KEYDOWN;
    held.key.keysym.sym = SDLK_F11;
    held.key.repeat = 1;
    SDL_PushEvent(&held);
    EXPECT_TRUE(Drain().empty());
}

TEST_F(PlatformEventsTest, ANewWindowSizeArrivesInWindowPixels)
{
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.event = SDL_WINDOWEVENT_SIZE_CHANGED;
    e.window.data1 = 1280;
    e.window.data2 = 720;
    SDL_PushEvent(&e);
    std::vector<SEvent> events = Drain();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].type, EEventType::Resize);
    EXPECT_EQ(events[0].x, 1280);
    EXPECT_EQ(events[0].y, 720);
}

TEST_F(PlatformEventsTest, MouseMessagesCarryClientPixelsAndButtonFlags)
{
    SDL_Event e{};
    e.type = SDL_MOUSEBUTTONDOWN;
    e.button.button = SDL_BUTTON_LEFT;
    e.button.x = 120;
    e.button.y = 45;
    SDL_PushEvent(&e);
    e.type = SDL_MOUSEBUTTONDOWN;
    e.button.button = SDL_BUTTON_RIGHT; // right presses reach no screen
    SDL_PushEvent(&e);
    e.type = SDL_MOUSEBUTTONUP;
    SDL_PushEvent(&e);
    SDL_Event wheel{};
    wheel.type = SDL_MOUSEWHEEL;
    SDL_PushEvent(&wheel);
    std::vector<SEvent> events = Drain();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].type, EEventType::LButtonDown);
    EXPECT_EQ(events[0].x, 120);
    EXPECT_EQ(events[0].y, 45);
    EXPECT_TRUE(events[0].keyFlags & NPlatform::kMkLButton);
    EXPECT_EQ(events[1].type, EEventType::RButtonUp);
    EXPECT_FALSE(events[1].keyFlags & NPlatform::kMkRButton);
}

TEST_F(PlatformEventsTest, MouseMovesCarryTheHeldButtonsAndModifierKeys)
{
    SDL_SetModState(static_cast<SDL_Keymod>(KMOD_LSHIFT | KMOD_RCTRL));
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.x = 300;
    e.motion.y = 7;
    e.motion.state = SDL_BUTTON_LMASK | SDL_BUTTON_MMASK;
    SDL_PushEvent(&e);
    e.motion.state = SDL_BUTTON_RMASK;
    SDL_PushEvent(&e);
    std::vector<SEvent> events = Drain();
    SDL_SetModState(KMOD_NONE);
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].type, EEventType::MouseMove);
    EXPECT_EQ(events[0].x, 300);
    EXPECT_EQ(events[0].y, 7);
    using namespace NPlatform;
    EXPECT_EQ(events[0].keyFlags, kMkLButton | kMkMButton | kMkShift | kMkControl);
    EXPECT_EQ(events[1].keyFlags, kMkRButton | kMkShift | kMkControl);
}

TEST_F(PlatformEventsTest, HeldModifiersAndButtonsAreReadFromTheDevicesOrTheScript)
{
    SDL_SetModState(KMOD_RSHIFT);
    EXPECT_TRUE(NPlatform::IsShiftHeld());
    EXPECT_FALSE(NPlatform::IsControlHeld());
    SDL_SetModState(KMOD_LCTRL);
    EXPECT_FALSE(NPlatform::IsShiftHeld());
    EXPECT_TRUE(NPlatform::IsControlHeld());
    SDL_SetModState(KMOD_NONE);

    // A test script holds its own keys and buttons; only the buttons are mouse buttons.
    struct SScript : NPlatform::IEventSource
    {
        bool Poll(SEvent&) override { return false; }
        void GetCursorDesktop(int& x, int& y) override { x = 640, y = 400; }
        uint32_t GetHeldFlags() override { return NPlatform::kMkRButton | NPlatform::kMkShift; }
    } script;
    NPlatform::SetEventSource(&script);
    EXPECT_EQ(NPlatform::GetMouseButtons(), NPlatform::kMkRButton);
    EXPECT_TRUE(NPlatform::IsShiftHeld());
    EXPECT_FALSE(NPlatform::IsControlHeld());
    int x = 0, y = 0;
    NPlatform::GetCursorDesktop(x, y);
    NPlatform::SetEventSource(nullptr);
    EXPECT_EQ(x, 640);
    EXPECT_EQ(y, 400);
}

TEST_F(PlatformEventsTest, ProgramMessagesComeFirstAndFocusIsTracked)
{
    Key(SDLK_a);
    NPlatform::PostClose();
    NPlatform::PostQuit();
    SDL_Event focus{};
    focus.type = SDL_WINDOWEVENT;
    focus.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
    SDL_PushEvent(&focus);
    std::vector<SEvent> events = Drain();
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[0].type, EEventType::Close);
    EXPECT_EQ(events[1].type, EEventType::Quit);
    EXPECT_EQ(events[2].type, EEventType::KeyDown);
    EXPECT_EQ(events[3].type, EEventType::Activate);
    EXPECT_FALSE(NPlatform::IsWindowFocused());
}
} // namespace
