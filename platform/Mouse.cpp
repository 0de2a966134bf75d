#include "platform/Mouse.h"

#include "platform/EventSource.h"
#include "platform/Events.h"
#include "platform/SdlWindow.h"
#include "platform/Window.h"

namespace NPlatform
{
void GetCursorDesktop(int& x, int& y)
{
    x = 0;
    y = 0;
    if (IEventSource* source = GetEventSource())
        source->GetCursorDesktop(x, y);
    else if (SDL_WasInit(SDL_INIT_VIDEO))
        SDL_GetGlobalMouseState(&x, &y);
}

void GetCursorClient(int& x, int& y)
{
    GetCursorDesktop(x, y);
    SRect rect = GetWindowRect();
    x -= rect.left;
    y -= rect.top;
}

uint32_t GetMouseButtons()
{
    if (IEventSource* source = GetEventSource())
        return source->GetHeldFlags() & (kMkLButton | kMkRButton | kMkMButton);
    if (!SDL_WasInit(SDL_INIT_VIDEO))
        return 0;
    uint32_t mask = SDL_GetGlobalMouseState(nullptr, nullptr);
    uint32_t flags = 0;
    if (mask & SDL_BUTTON_LMASK)
        flags |= kMkLButton;
    if (mask & SDL_BUTTON_RMASK)
        flags |= kMkRButton;
    if (mask & SDL_BUTTON_MMASK)
        flags |= kMkMButton;
    return flags;
}

void ShowSystemCursor(bool show)
{
    if (SDL_WasInit(SDL_INIT_VIDEO))
        SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
}
} // namespace NPlatform
