#include "platform/Keyboard.h"

#include "platform/EventSource.h"
#include "platform/SdlWindow.h"

namespace NPlatform
{
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
    return keys && keys[SDL_SCANCODE_F4];
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
