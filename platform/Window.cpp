#include "platform/Window.h"

#include "platform/SdlWindow.h"

#include <SDL_syswm.h>

#include <dlfcn.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

namespace NPlatform
{
namespace
{
SDL_Window* g_window = nullptr;
SDL_GLContext g_context = nullptr;
// Full screen is a window manager's doing on X: without one, SDL reports the
// desktop's size while the window keeps its own, and the picture is cut. Then
// the window itself is placed over the whole desktop ("covering").
bool g_covering = false;
bool g_videoStarted = false;
std::string g_openError; // why the last OpenWindow failed
void (*g_displayLost)() = nullptr;

// Xlib's own handler calls exit() from inside the X call that failed; the exit
// handlers then talk to the display that is gone, fail again and call exit()
// once more, and objects are destroyed twice. This one ends the process at once.
int OnDisplayConnectionLost(void*)
{
    static bool handling = false;
    if (!handling)
    {
        handling = true;
        if (g_displayLost)
            g_displayLost();
    }
    static const char message[] = "Zonvel: the connection to the display was lost\n";
    const ssize_t written = write(STDERR_FILENO, message, sizeof message - 1);
    (void)written;
    _exit(1);
}

// Xlib comes with SDL's X11 video driver, linked into SDL itself, so its
// handler can be set without a build dependency of our own.
void InstallDisplayConnectionHandler()
{
    using Handler = int (*)(void*);
    using SetHandler = Handler (*)(Handler);
    if (GetVideoDriver() != "x11")
        return;
    if (auto set = reinterpret_cast<SetHandler>(dlsym(RTLD_DEFAULT, "XSetIOErrorHandler")))
        set(&OnDisplayConnectionLost);
}

// A window without a frame has no edges to pull: a thin band along its sides
// sizes it instead, as a frame's edges would.
SDL_HitTestResult HitTest(SDL_Window* window, const SDL_Point* point, void*)
{
    constexpr int kBand = 4;
    if (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN)
        return SDL_HITTEST_NORMAL;
    int w = 0, h = 0;
    SDL_GetWindowSize(window, &w, &h);
    const bool left = point->x < kBand, right = point->x >= w - kBand;
    const bool top = point->y < kBand, bottom = point->y >= h - kBand;
    if (top)
        return left    ? SDL_HITTEST_RESIZE_TOPLEFT
               : right ? SDL_HITTEST_RESIZE_TOPRIGHT
                       : SDL_HITTEST_RESIZE_TOP;
    if (bottom)
        return left    ? SDL_HITTEST_RESIZE_BOTTOMLEFT
               : right ? SDL_HITTEST_RESIZE_BOTTOMRIGHT
                       : SDL_HITTEST_RESIZE_BOTTOM;
    if (left)
        return SDL_HITTEST_RESIZE_LEFT;
    if (right)
        return SDL_HITTEST_RESIZE_RIGHT;
    return SDL_HITTEST_NORMAL;
}
} // namespace

void SetDisplayLostHandler(void (*handler)())
{
    g_displayLost = handler;
}

SDL_Window* GetSdlWindow()
{
    return g_window;
}

void QuitSdlAtExit()
{
    static const bool registered = std::atexit(SDL_Quit) == 0;
    (void)registered;
}

bool EnsureVideo()
{
    if (g_videoStarted)
        return true;
    QuitSdlAtExit();
    // A close request from the window must reach the frame, not end SDL's loop.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    g_videoStarted = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
    return g_videoStarted;
}

bool OpenWindow(const char* title, int x, int y, int width, int height)
{
    g_openError.clear();
    if (g_window)
        return false;
    if (!EnsureVideo())
    {
        g_openError = std::string("no video: ") + SDL_GetError();
        return false;
    }
    // Without a desktop SDL falls back to drawing off screen: a game nobody can
    // see or close. Only one who asked for such a driver by name gets it.
    const char* driver = SDL_GetCurrentVideoDriver();
    const char* asked = SDL_getenv("SDL_VIDEODRIVER");
    if (driver && (!std::strcmp(driver, "offscreen") || !std::strcmp(driver, "dummy")) &&
        !(asked && !SDL_strcasecmp(asked, driver)))
    {
        g_openError = "no desktop to show it on: neither DISPLAY nor WAYLAND_DISPLAY leads to one";
        return false;
    }
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 1);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    g_window = SDL_CreateWindow(title, x, y, width, height,
                                SDL_WINDOW_OPENGL | SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN |
                                    SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI);
    if (!g_window)
    {
        g_openError = std::string("no window: ") + SDL_GetError();
        return false;
    }
    g_context = SDL_GL_CreateContext(g_window);
    if (!g_context)
    {
        g_openError = std::string("no OpenGL context: ") + SDL_GetError();
        SDL_DestroyWindow(g_window);
        g_window = nullptr;
        return false;
    }
    SDL_GL_MakeCurrent(g_window, g_context);
    SDL_SetWindowMinimumSize(g_window, kMinWindowWidth, kMinWindowHeight);
    SDL_SetWindowHitTest(g_window, &HitTest, nullptr);
    // The frame paces itself; waiting for the display as well would halve the rate.
    SDL_GL_SetSwapInterval(0);
    InstallDisplayConnectionHandler();
    return true;
}

const std::string& GetOpenWindowError()
{
    return g_openError;
}

std::string GetVideoDriver()
{
    const char* driver = SDL_WasInit(SDL_INIT_VIDEO) ? SDL_GetCurrentVideoDriver() : nullptr;
    return driver ? driver : "";
}

void CloseWindow()
{
    g_covering = false;
    if (g_context)
    {
        SDL_GL_MakeCurrent(g_window, nullptr);
        SDL_GL_DeleteContext(g_context);
        g_context = nullptr;
    }
    if (g_window)
    {
        SDL_DestroyWindow(g_window);
        g_window = nullptr;
    }
}

bool HasWindow()
{
    return g_window != nullptr;
}

void SwapWindow()
{
    if (g_window)
        SDL_GL_SwapWindow(g_window);
}

void ShowWindow(bool show)
{
    if (!g_window)
        return;
    if (show)
    {
        // Showing the window makes it the active one, as on other desktops.
        SDL_ShowWindow(g_window);
        SDL_RaiseWindow(g_window);
        SDL_SetWindowInputFocus(g_window);
    }
    else
    {
        SDL_HideWindow(g_window);
    }
}

void MinimizeWindow()
{
    if (g_window)
        SDL_MinimizeWindow(g_window);
}

SRect GetWindowRect()
{
    SRect rect;
    if (!g_window)
        return rect;
    int w = 0, h = 0;
    SDL_GetWindowPosition(g_window, &rect.left, &rect.top);
    SDL_GetWindowSize(g_window, &w, &h);
    rect.right = rect.left + w;
    rect.bottom = rect.top + h;
    return rect;
}

void MoveWindow(int x, int y, int width, int height)
{
    if (!g_window)
        return;
    int w = 0, h = 0;
    SDL_GetWindowSize(g_window, &w, &h);
    if (w != width || h != height)
        SDL_SetWindowSize(g_window, width, height);
    SDL_SetWindowPosition(g_window, x, y);
}

void GetDrawableSize(int& width, int& height)
{
    width = 0;
    height = 0;
    if (g_window)
        SDL_GL_GetDrawableSize(g_window, &width, &height);
}

namespace
{
bool HasWindowManager()
{
#if defined(SDL_VIDEO_DRIVER_X11)
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!g_window || !SDL_GetWindowWMInfo(g_window, &info) || info.subsystem != SDL_SYSWM_X11)
        return true; // not X: the desktop's full screen works as SDL says
    using InternAtom = unsigned long (*)(Display*, const char*, int);
    using GetWindowProperty = int (*)(Display*, unsigned long, unsigned long, long, long, int, unsigned long,
                                      unsigned long*, int*, unsigned long*, unsigned long*, unsigned char**);
    using Free = int (*)(void*);
    static void* x11 = SDL_LoadObject("libX11.so.6");
    static auto internAtom =
        x11 ? reinterpret_cast<InternAtom>(SDL_LoadFunction(x11, "XInternAtom")) : nullptr;
    static auto getProperty =
        x11 ? reinterpret_cast<GetWindowProperty>(SDL_LoadFunction(x11, "XGetWindowProperty")) : nullptr;
    static auto xfree = x11 ? reinterpret_cast<Free>(SDL_LoadFunction(x11, "XFree")) : nullptr;
    if (!internAtom || !getProperty || !xfree)
        return true;
    Display* display = info.info.x11.display;
    // A window manager that follows the desktop conventions names its window here.
    const unsigned long check = internAtom(display, "_NET_SUPPORTING_WM_CHECK", 1);
    if (check == 0)
        return false;
    constexpr unsigned long kAnyType = 0;
    unsigned long type = 0, count = 0, after = 0;
    int format = 0;
    unsigned char* data = nullptr;
    const int status = getProperty(display, DefaultRootWindow(display), check, 0, 1, 0, kAnyType, &type,
                                   &format, &count, &after, &data);
    const bool present = status == 0 && data != nullptr && count == 1;
    if (data)
        xfree(data);
    return present;
#else
    return true;
#endif
}
} // namespace

bool EnterFullScreen()
{
    if (!g_window)
        return false;
    if (!HasWindowManager())
    {
        SDL_Rect desktop{};
        const int index = SDL_GetWindowDisplayIndex(g_window);
        if (SDL_GetDisplayBounds(index < 0 ? 0 : index, &desktop) != 0)
            return false;
        SDL_SetWindowPosition(g_window, desktop.x, desktop.y);
        SDL_SetWindowSize(g_window, desktop.w, desktop.h);
        SDL_RaiseWindow(g_window);
        g_covering = true;
        return true;
    }
    return SDL_SetWindowFullscreen(g_window, SDL_WINDOW_FULLSCREEN_DESKTOP) == 0;
}

bool LeaveFullScreen(int x, int y, int width, int height)
{
    if (!g_window)
        return false;
    bool ok = true;
    if (g_covering)
        g_covering = false;
    else
        ok = SDL_SetWindowFullscreen(g_window, 0) == 0;
    SDL_SetWindowSize(g_window, width, height);
    SDL_SetWindowPosition(g_window, x, y);
    SDL_ShowWindow(g_window);
    return ok;
}

void GetScreenSize(int& width, int& height)
{
    width = 0;
    height = 0;
    if (!EnsureVideo())
        return;
    int display = g_window ? SDL_GetWindowDisplayIndex(g_window) : 0;
    SDL_DisplayMode mode{};
    if (SDL_GetDesktopDisplayMode(display < 0 ? 0 : display, &mode) == 0)
    {
        width = mode.w;
        height = mode.h;
    }
}

bool GetUsableArea(SRect& area)
{
    if (!EnsureVideo())
        return false;
    int display = g_window ? SDL_GetWindowDisplayIndex(g_window) : 0;
    SDL_Rect bounds{};
    if (SDL_GetDisplayUsableBounds(display < 0 ? 0 : display, &bounds) != 0 || bounds.w <= 0 || bounds.h <= 0)
        return false;
    area.left = bounds.x;
    area.top = bounds.y;
    area.right = bounds.x + bounds.w;
    area.bottom = bounds.y + bounds.h;
    return true;
}

void ShowMessage(const char* title, const char* text)
{
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, title, text, g_window);
}
} // namespace NPlatform
