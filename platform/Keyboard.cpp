#include "platform/Keyboard.h"

#include "platform/EventSource.h"
#include "platform/SdlWindow.h"

#include <SDL_syswm.h>

namespace NPlatform
{
namespace
{
// The X server's own key map: a desktop that takes Alt+F4 for itself never
// lets the key reach the program, yet the key is still down at the server.
bool IsKeyDownAtXServer(unsigned long keysym)
{
#if defined(SDL_VIDEO_DRIVER_X11)
    SDL_Window* window = GetSdlWindow();
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
        return false;
    using QueryKeymap = int (*)(Display*, char[32]);
    using KeysymToKeycode = unsigned char (*)(Display*, unsigned long);
    static void* x11 = SDL_LoadObject("libX11.so.6");
    static auto queryKeymap = x11 ? reinterpret_cast<QueryKeymap>(SDL_LoadFunction(x11, "XQueryKeymap")) : nullptr;
    static auto toKeycode =
        x11 ? reinterpret_cast<KeysymToKeycode>(SDL_LoadFunction(x11, "XKeysymToKeycode")) : nullptr;
    if (!queryKeymap || !toKeycode)
        return false;
    char keys[32] = {};
    queryKeymap(info.info.x11.display, keys);
    unsigned code = toKeycode(info.info.x11.display, keysym);
    return code != 0 && (keys[code / 8] & (1 << (code % 8))) != 0;
#else
    (void)keysym;
    return false;
#endif
}
} // namespace

bool IsControlHeld()
{
    if (IEventSource* source = GetEventSource())
        return (source->GetHeldFlags() & kMkControl) != 0;
    return SDL_WasInit(SDL_INIT_VIDEO) && (SDL_GetModState() & KMOD_CTRL) != 0;
}

bool IsShiftHeld()
{
    if (IEventSource* source = GetEventSource())
        return (source->GetHeldFlags() & kMkShift) != 0;
    return SDL_WasInit(SDL_INIT_VIDEO) && (SDL_GetModState() & KMOD_SHIFT) != 0;
}

bool IsF4Held()
{
    if (GetEventSource() || !SDL_WasInit(SDL_INIT_VIDEO))
        return false;
    const Uint8* keys = SDL_GetKeyboardState(nullptr);
    if (keys && keys[SDL_SCANCODE_F4])
        return true;
    constexpr unsigned long kX11F4 = 0xFFC1;
    return IsKeyDownAtXServer(kX11F4);
}

bool GetClipboardText(std::string& text)
{
    text.clear();
    if (!EnsureVideo() || !SDL_HasClipboardText())
        return false;
    char* clip = SDL_GetClipboardText();
    if (!clip)
        return false;
    text = clip;
    SDL_free(clip);
    return !text.empty();
}
} // namespace NPlatform
