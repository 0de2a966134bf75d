#include "platform/Events.h"

#include <deque>

#include "platform/EventSource.h"
#include "platform/GamepadEvents.h"
#include "platform/Keyboard.h"
#include "platform/SdlWindow.h"
#include "platform/Window.h"

namespace NPlatform
{
namespace
{
std::deque<SEvent> g_posted;  // the program's own messages, handled first
std::deque<SEvent> g_pending; // further messages made from one SDL event
IEventSource* g_source = nullptr;
bool g_focused = true;
bool g_altF4Sent = false;

int ToVirtualKey(SDL_Keycode key)
{
    if (key >= SDLK_a && key <= SDLK_z)
        return 'A' + (key - SDLK_a);
    if (key >= SDLK_0 && key <= SDLK_9)
        return '0' + (key - SDLK_0);
    if (key >= SDLK_F1 && key <= SDLK_F12)
        return kVkF1 + (key - SDLK_F1);
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9)
        return 0x61 + (key - SDLK_KP_1);
    switch (key)
    {
    case SDLK_KP_0:
        return 0x60;
    case SDLK_BACKSPACE:
        return kVkBack;
    case SDLK_TAB:
        return kVkTab;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        return kVkReturn;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT:
        return kVkShift;
    case SDLK_LCTRL:
    case SDLK_RCTRL:
        return kVkControl;
    case SDLK_PAUSE:
        return 0x13;
    case SDLK_CAPSLOCK:
        return 0x14;
    case SDLK_ESCAPE:
        return kVkEscape;
    case SDLK_SPACE:
        return kVkSpace;
    case SDLK_PAGEUP:
        return kVkPrior;
    case SDLK_PAGEDOWN:
        return kVkNext;
    case SDLK_END:
        return kVkEnd;
    case SDLK_HOME:
        return kVkHome;
    case SDLK_LEFT:
        return kVkLeft;
    case SDLK_UP:
        return kVkUp;
    case SDLK_RIGHT:
        return kVkRight;
    case SDLK_DOWN:
        return kVkDown;
    case SDLK_INSERT:
        return kVkInsert;
    case SDLK_DELETE:
        return kVkDelete;
    case SDLK_KP_MULTIPLY:
        return 0x6A;
    case SDLK_KP_PLUS:
        return 0x6B;
    case SDLK_KP_MINUS:
        return 0x6D;
    case SDLK_KP_PERIOD:
        return 0x6E;
    case SDLK_KP_DIVIDE:
        return 0x6F;
    case SDLK_SEMICOLON:
        return 0xBA;
    case SDLK_EQUALS:
        return 0xBB;
    case SDLK_COMMA:
        return 0xBC;
    case SDLK_MINUS:
        return 0xBD;
    case SDLK_PERIOD:
        return 0xBE;
    case SDLK_SLASH:
        return 0xBF;
    case SDLK_BACKQUOTE:
        return 0xC0;
    case SDLK_LEFTBRACKET:
        return 0xDB;
    case SDLK_BACKSLASH:
        return 0xDC;
    case SDLK_RIGHTBRACKET:
        return 0xDD;
    case SDLK_QUOTE:
        return 0xDE;
    default:
        return 0;
    }
}

uint32_t ModifierFlags()
{
    SDL_Keymod mod = SDL_GetModState();
    uint32_t flags = 0;
    if (mod & KMOD_SHIFT)
        flags |= kMkShift;
    if (mod & KMOD_CTRL)
        flags |= kMkControl;
    return flags;
}

uint32_t ButtonFlags(uint32_t sdlMask)
{
    uint32_t flags = 0;
    if (sdlMask & SDL_BUTTON_LMASK)
        flags |= kMkLButton;
    if (sdlMask & SDL_BUTTON_RMASK)
        flags |= kMkRButton;
    if (sdlMask & SDL_BUTTON_MMASK)
        flags |= kMkMButton;
    return flags;
}

// Text arrives as UTF-8; the screens take UTF-16 code units, one per message.
void QueueText(const char* text)
{
    const auto* p = reinterpret_cast<const unsigned char*>(text);
    while (*p)
    {
        uint32_t code = 0;
        int extra = 0;
        if (*p < 0x80)
            code = *p;
        else if ((*p & 0xE0) == 0xC0)
            code = *p & 0x1F, extra = 1;
        else if ((*p & 0xF0) == 0xE0)
            code = *p & 0x0F, extra = 2;
        else if ((*p & 0xF8) == 0xF0)
            code = *p & 0x07, extra = 3;
        else
        {
            ++p;
            continue;
        }
        ++p;
        for (int i = 0; i < extra && (*p & 0xC0) == 0x80; ++i, ++p)
            code = (code << 6) | (*p & 0x3F);
        SEvent event;
        event.type = EEventType::Char;
        if (code >= 0x10000)
        {
            code -= 0x10000;
            event.character = static_cast<uint16_t>(0xD800 + (code >> 10));
            g_pending.push_back(event);
            event.character = static_cast<uint16_t>(0xDC00 + (code & 0x3FF));
        }
        else
        {
            event.character = static_cast<uint16_t>(code);
        }
        g_pending.push_back(event);
    }
}

// Turns one SDL event into the program's messages (queued in g_pending).
void Translate(const SDL_Event& e)
{
    SEvent event;
    switch (e.type)
    {
    case SDL_KEYDOWN:
    {
        SDL_Keycode key = e.key.keysym.sym;
        if (e.key.keysym.mod & KMOD_ALT)
        {
            // Keys with Alt are the system's; Alt+F4 asks the window to close.
            if (key == SDLK_F4 && !e.key.repeat)
            {
                event.type = EEventType::Close;
                event.f4Held = true;
                g_altF4Sent = true;
                g_pending.push_back(event);
            }
            else if ((key == SDLK_RETURN || key == SDLK_KP_ENTER) && !e.key.repeat)
            {
                event.type = EEventType::ToggleFullScreen;
                g_pending.push_back(event);
            }
            return;
        }
        // The display's key, whatever screen or text box has the input.
        if (key == SDLK_F11)
        {
            if (!e.key.repeat)
            {
                event.type = EEventType::ToggleFullScreen;
                g_pending.push_back(event);
            }
            return;
        }
        int vk = ToVirtualKey(key);
        if (!vk)
            return;
        event.type = EEventType::KeyDown;
        event.key = vk;
        g_pending.push_back(event);
        // These keys also come as characters, the way the text box expects them.
        if (vk == kVkBack || vk == kVkTab || vk == kVkReturn || vk == kVkEscape)
        {
            SEvent ch;
            ch.type = EEventType::Char;
            ch.character = static_cast<uint16_t>(vk);
            g_pending.push_back(ch);
        }
        return;
    }
    case SDL_KEYUP:
        if (e.key.keysym.sym == SDLK_F4)
            g_altF4Sent = false;
        return;
    case SDL_TEXTINPUT:
        QueueText(e.text.text);
        return;
    case SDL_MOUSEMOTION:
        event.type = EEventType::MouseMove;
        event.x = e.motion.x;
        event.y = e.motion.y;
        event.keyFlags = ButtonFlags(e.motion.state) | ModifierFlags();
        g_pending.push_back(event);
        return;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
    {
        bool down = e.type == SDL_MOUSEBUTTONDOWN;
        if (e.button.button == SDL_BUTTON_LEFT)
            event.type = down ? EEventType::LButtonDown : EEventType::LButtonUp;
        else if (e.button.button == SDL_BUTTON_RIGHT && !down)
            event.type = EEventType::RButtonUp;
        else
            return; // right presses, middle button and wheel reach no screen
        event.x = e.button.x;
        event.y = e.button.y;
        uint32_t held = ButtonFlags(SDL_GetMouseState(nullptr, nullptr));
        uint32_t self = e.button.button == SDL_BUTTON_LEFT ? kMkLButton : kMkRButton;
        held = down ? (held | self) : (held & ~self);
        event.keyFlags = held | ModifierFlags();
        g_pending.push_back(event);
        return;
    }
    case SDL_WINDOWEVENT:
        switch (e.window.event)
        {
        case SDL_WINDOWEVENT_FOCUS_GAINED:
        case SDL_WINDOWEVENT_FOCUS_LOST:
            event.type = EEventType::Activate;
            event.active = e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED;
            g_pending.push_back(event);
            return;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            event.type = EEventType::Resize;
            event.x = e.window.data1;
            event.y = e.window.data2;
            g_pending.push_back(event);
            return;
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_SHOWN:
            event.type = EEventType::Expose;
            g_pending.push_back(event);
            return;
        case SDL_WINDOWEVENT_MINIMIZED:
            event.type = EEventType::Minimize;
            g_pending.push_back(event);
            return;
        case SDL_WINDOWEVENT_RESTORED:
            event.type = EEventType::Restore;
            g_pending.push_back(event);
            return;
        case SDL_WINDOWEVENT_CLOSE:
        {
            event.type = EEventType::Close;
            event.f4Held = IsF4Held();
            // The desktop's own Alt+F4 after ours: one request is enough.
            if (event.f4Held && g_altF4Sent)
                return;
            g_pending.push_back(event);
            return;
        }
        default:
            return;
        }
    case SDL_QUIT:
        // A termination signal: close as the task bar would.
        event.type = EEventType::Close;
        g_pending.push_back(event);
        return;
    default:
        if (TranslatePadEvent(e, event))
            g_pending.push_back(event);
        return;
    }
}

bool Take(std::deque<SEvent>& queue, SEvent& event)
{
    if (queue.empty())
        return false;
    event = queue.front();
    queue.pop_front();
    return true;
}

void Track(const SEvent& event)
{
    if (event.type == EEventType::Activate)
        g_focused = event.active;
}
} // namespace

bool PollEvent(SEvent& event)
{
    if (Take(g_posted, event) || Take(g_pending, event))
    {
        Track(event);
        return true;
    }
    bool video = SDL_WasInit(SDL_INIT_VIDEO) != 0;
    if (g_source)
    {
        if (video)
        {
            // The real devices stay quiet while a script drives the program.
            SDL_PumpEvents();
            SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
        }
        if (!g_source->Poll(event))
            return false;
        Track(event);
        return true;
    }
    if (!video)
        return false;
    SDL_Event e;
    while (SDL_PollEvent(&e))
    {
        Translate(e);
        if (Take(g_pending, event))
        {
            Track(event);
            return true;
        }
    }
    return TakePadRepeat(SDL_GetTicks(), event);
}

void PostQuit()
{
    SEvent event;
    event.type = EEventType::Quit;
    g_posted.push_back(event);
}

void PostClose()
{
    SEvent event;
    event.type = EEventType::Close;
    event.f4Held = false;
    g_posted.push_back(event);
}

void ClearPostedEvents()
{
    g_posted.clear();
    g_pending.clear();
    g_focused = true;
}

void SetEventSource(IEventSource* source)
{
    g_source = source;
}

IEventSource* GetEventSource()
{
    return g_source;
}

bool IsWindowFocused()
{
    return g_focused;
}
} // namespace NPlatform
