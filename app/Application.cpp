#include <algorithm>
#include "app/Application.h"

#include <memory>

#include "engine/AppSettings.h"
#include "engine/GLHeaders.h"
#include "engine/Music.h"
#include "engine/ResourceGroup.h"
#include "engine/SoundManager.h"
#include "platform/Clock.h"
#include "platform/Events.h"
#include "platform/Mouse.h"
#include "platform/Window.h"
#include "ui/Screen.h"

namespace
{
CApplication* g_instance = nullptr;
// The margins around the logical screen: the dark green of the menus' edges, softened.
constexpr float kMarginRed = 0.07f;
constexpr float kMarginGreen = 0.09f;
constexpr float kMarginBlue = 0.06f;

// Display widths the full-screen switch refuses outright.
bool IsRefusedWidth(int width)
{
    return width == 320 || width == 400 || width == 640;
}
} // namespace

CApplication::CApplication()
{
    // The logical screen every screen lays itself out in, from the start: the
    // mouse goes through it before start-up has said so.
    SetLogicalSize(CAppSettings::kLogicalWidth, CAppSettings::kLogicalHeight);
    m_input.SetScreenMapping(&m_mapping);
}

CApplication* CApplication::Instance()
{
    return g_instance;
}

CApplication* CApplication::Create()
{
    if (!g_instance)
    {
        g_instance = new CApplication();
        SetInstance(g_instance);
    }
    return g_instance;
}

void CApplication::Destroy()
{
    if (!g_instance)
        return;
    // Screens hold textures: they go while the GL context is there.
    g_instance->CloseAll();
    g_instance->SetOverlay(nullptr);
    g_instance->DestroyMainWindow();
    SetInstance(nullptr);
    delete g_instance;
    g_instance = nullptr;
}

bool CApplication::CreateMainWindow(const char* title, int x, int y, int width, int height)
{
    m_window_width = width;
    m_window_height = height;
    m_windowed_width = width;
    m_windowed_height = height;
    m_windowed_x = x;
    m_windowed_y = y;
    m_has_window = NPlatform::OpenWindow(title, x, y, width, height);
    if (m_has_window)
        NGL::SetContextAvailable(true);
    FollowWindowSize(width, height);
    m_input.Open();
    if (m_has_window)
        CResourceGroup::ReloadAllGroups();
    NPlatform::ShowWindow(true);
    return m_has_window;
}

void CApplication::DestroyMainWindow()
{
    if (m_has_window)
        CResourceGroup::ReleaseAllGroups();
    m_input.Close();
    if (m_has_window)
    {
        NGL::SetContextAvailable(false);
        NPlatform::CloseWindow();
        m_has_window = false;
        m_full_screen = false;
    }
}

void CApplication::SetLogicalSize(int width, int height)
{
    m_view.SetLogicalSize(width, height);
    m_mapping.SetLogicalSize(width, height);
}

void CApplication::FollowWindowSize(int width, int height)
{
    m_window_width = width;
    m_window_height = height;
    // The drawable has as many pixels per window pixel as the window has now
    // (two on a HiDPI screen), whatever size the event reported.
    int drawableWidth = 0, drawableHeight = 0;
    NPlatform::GetDrawableSize(drawableWidth, drawableHeight);
    const NPlatform::SRect rect = NPlatform::GetWindowRect();
    const int realWidth = rect.right - rect.left, realHeight = rect.bottom - rect.top;
    if (drawableWidth > 0 && drawableHeight > 0 && realWidth > 0 && realHeight > 0)
    {
        drawableWidth = static_cast<int>(static_cast<long long>(width) * drawableWidth / realWidth);
        drawableHeight = static_cast<int>(static_cast<long long>(height) * drawableHeight / realHeight);
    }
    m_mapping.SetWindowSize(width, height, drawableWidth, drawableHeight);
    m_redraw_pending = true;
}

void CApplication::ShowMainWindow(bool show)
{
    NPlatform::ShowWindow(show);
}

void CApplication::PushScreen(std::unique_ptr<CScreen> screen)
{
    if (!screen)
        return;
    // The press that asked for it keeps its release, even when the release
    // arrives before the change is applied.
    NoteStackChange();
    m_changes.push_back({SStackChange::EKind::PushScreen, std::move(screen)});
}

void CApplication::PushDialog(std::unique_ptr<CScreen> dialog)
{
    if (!dialog)
        return;
    NoteStackChange();
    m_changes.push_back({SStackChange::EKind::PushDialog, std::move(dialog)});
}

void CApplication::CloseTop(bool immediate)
{
    // Two requests in a row (a double click on a close button) close one.
    if (m_changes.empty() || m_changes.back().kind != SStackChange::EKind::Close)
        m_changes.push_back({SStackChange::EKind::Close, nullptr});
    if (immediate)
        ApplyStackChanges();
}

void CApplication::ApplyStackChanges()
{
    while (!m_changes.empty())
    {
        SStackChange change = std::move(m_changes.front());
        m_changes.pop_front();
        switch (change.kind)
        {
        case SStackChange::EKind::PushScreen:
            ShowScreen(std::move(change.screen));
            break;
        case SStackChange::EKind::PushDialog:
            ShowDialog(std::move(change.screen));
            break;
        case SStackChange::EKind::Close:
            CloseTopNow();
            break;
        }
    }
}

void CApplication::ShowScreen(std::unique_ptr<CScreen> screen)
{
    screen->Activate();
    m_screens.push_front(std::move(screen));
    NoteStackChange();
}

void CApplication::ShowDialog(std::unique_ptr<CScreen> dialog)
{
    CScreen* shown = dialog.get();
    m_dialogs.push_front(std::move(dialog));
    NoteStackChange();
    shown->Activate();
    if (CScreen* current = GetCurrentScreen())
        current->Activate();
}

void CApplication::CloseTopNow()
{
    if (!m_dialogs.empty())
        CloseTopDialog();
    else if (m_screens.size() > 1)
        CloseTopScreen();
}

void CApplication::CloseTopDialog()
{
    std::unique_ptr<CScreen> closed = std::move(m_dialogs.front());
    m_dialogs.pop_front();
    NoteStackChange();
    const int result = closed->GetResult();
    if (CScreen* below = GetInputTarget())
        below->OnDialogClosed(result, std::move(closed));
}

void CApplication::CloseTopScreen()
{
    std::unique_ptr<CScreen> closed = std::move(m_screens.front());
    m_screens.pop_front();
    NoteStackChange();
    CScreen* below = m_screens.front().get();
    const size_t queued = m_changes.size();
    below->OnScreenClosed(std::move(closed));
    // A screen it queued on being told (a new game, the top window) is
    // activated when pushed; the one below is current again only without one.
    for (size_t i = queued; i < m_changes.size(); ++i)
        if (m_changes[i].kind == SStackChange::EKind::PushScreen)
            return;
    below->Activate();
}

void CApplication::NoteStackChange()
{
    if (m_button_held)
        m_swallow_release = true;
}

void CApplication::Update(float dt)
{
    ApplyStackChanges();
    if (m_active)
    {
        if (CScreen* target = GetInputTarget())
            target->Update(dt);
    }
    else
    {
        // The game stands still while another window has the focus.
        NPlatform::SleepMs(kIdleSleepMs);
    }
    if (m_minimized)
        NPlatform::SleepMs(kIdleSleepMs);
    if (m_overlay)
        m_overlay->Update(dt);
    if (CSoundManager* sound = GetSoundManager())
        sound->Update();
}

void CApplication::BeginLogicalScreen()
{
    if (!m_has_window || !NGL::IsContextAvailable())
        return;
    const SViewport& viewport = m_mapping.GetViewport();
    glDisable(GL_SCISSOR_TEST);
    if (m_mapping.HasMargins())
    {
        // Every frame, so nothing of an earlier size or a full-screen switch shows.
        glViewport(0, 0, m_mapping.GetDrawableWidth(), m_mapping.GetDrawableHeight());
        glClearColor(kMarginRed, kMarginGreen, kMarginBlue, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
    // The screens clear and draw as if the window were the logical screen;
    // the scissor keeps their clears out of the margins.
    glViewport(viewport.x, viewport.y, viewport.width, viewport.height);
    glScissor(viewport.x, viewport.y, viewport.width, viewport.height);
    glEnable(GL_SCISSOR_TEST);
}

void CApplication::Render()
{
    if (m_minimized)
        return;
    BeginLogicalScreen();
    if (CScreen* current = GetCurrentScreen())
        current->Render();
    for (auto it = m_dialogs.rbegin(); it != m_dialogs.rend(); ++it)
        (*it)->Render();
    if (m_overlay)
        m_overlay->Render();
}

void CApplication::Frame(NAudio::Music* music)
{
    Update(kFrameStep);
    bool draw = m_active || m_redraw_pending;
    if (draw)
        Render();
    if (m_frame_observer)
        m_frame_observer(m_frame_count);
    ++m_frame_count;
    if (draw)
    {
        Present();
        m_redraw_pending = false;
    }
    FollowForeground(music);
    if (const uint32_t sleep = m_pacer.NextSleep(NPlatform::GetTicks()))
        NPlatform::SleepMs(sleep);
}

void CApplication::Present()
{
    if (!m_has_window)
        return;
    glFlush();
    NPlatform::SwapWindow();
}

void CApplication::CloseAll()
{
    // Taken off first: a screen deleted here finds the stacks already empty.
    auto changes = std::move(m_changes);
    auto dialogs = std::move(m_dialogs);
    auto screens = std::move(m_screens);
    m_changes.clear();
    m_dialogs.clear();
    m_screens.clear();
    NoteStackChange();
    changes.clear();
    // Top first: a screen below may own what the ones above it refer to.
    while (!dialogs.empty())
        dialogs.pop_front();
    while (!screens.empty())
        screens.pop_front();
}

void CApplication::FollowForeground(NAudio::Music* music)
{
    if (!m_music_state_taken)
    {
        m_music_state_taken = true;
        m_music_was_playing = music && music->IsPlaying();
    }
    bool focused = NPlatform::IsWindowFocused();
    if (m_foreground && !focused)
    {
        m_foreground = false;
        m_music_was_playing = music && music->IsPlaying();
        if (music)
            music->Stop();
    }
    else if (!m_foreground && focused)
    {
        m_foreground = true;
        // The next track, not the one that was cut off.
        if (music && !music->IsPlaying() && m_music_was_playing)
            music->Play(-1);
    }
}

int CApplication::Run(NAudio::Music* music)
{
    for (;;)
    {
        NPlatform::SEvent event;
        while (NPlatform::PollEvent(event))
        {
            if (event.type == NPlatform::EEventType::Quit)
                return 0;
            HandleEvent(event);
        }
        Frame(music);
    }
}

void CApplication::HandleEvent(const NPlatform::SEvent& event)
{
    using NPlatform::EEventType;
    switch (event.type)
    {
    case EEventType::Expose:
        m_redraw_pending = true;
        return;
    case EEventType::Activate:
        m_active = event.active;
        m_redraw_pending = true;
        m_input.SetActive(event.active);
        return;
    case EEventType::Minimize:
        m_minimized = true;
        return;
    case EEventType::Resize:
        FollowWindowSize(event.x, event.y);
        return;
    case EEventType::ToggleFullScreen:
        ToggleFullScreen();
        return;
    case EEventType::Restore:
        if (m_minimized)
        {
            if (CScreen* current = GetCurrentScreen())
                current->Activate();
            m_minimized = false;
        }
        return;
    case EEventType::Close:
        if (!event.f4Held)
        {
            NPlatform::ShowWindow(false);
            Quit();
        }
        else
        {
            // Alt+F4: the dialogs close as if cancelled, each handed to the
            // one below, then the current screen decides what closing means.
            while (!m_dialogs.empty())
                CloseTopDialog();
            if (CScreen* current = GetCurrentScreen())
                current->OnCloseRequest();
        }
        return;
    case EEventType::Quit:
        return;
    default:
        break;
    }

    CScreen* target = GetInputTarget();
    if (!target)
        return;
    // Every screen takes the mouse in logical pixels, whatever the window's size.
    int x = 0, y = 0;
    m_mapping.ToLogical(event.x, event.y, x, y);
    if (event.type == EEventType::MouseMove && CScreen::GetPointerSprite())
    {
        // The game's pointer is not drawn over a margin: the desktop's shows there.
        const bool inMargin = x < 0 || y < 0 || x >= GetLogicalWidth() || y >= GetLogicalHeight();
        if (inMargin != m_pointer_in_margin)
        {
            m_pointer_in_margin = inMargin;
            NPlatform::ShowSystemCursor(inMargin);
        }
    }
    switch (event.type)
    {
    case EEventType::KeyDown:
        target->OnKeyDown(event.key);
        break;
    case EEventType::Char:
        target->OnChar(event.character, event.repeat);
        break;
    case EEventType::MouseMove:
        target->OnMouseMove(x, y, event.keyFlags);
        break;
    case EEventType::LButtonDown:
        m_button_held = true;
        m_swallow_release = false;
        target->OnLButtonDown(x, y, event.keyFlags);
        break;
    case EEventType::LButtonUp:
    {
        // A press that opened or closed a screen or dialog keeps its release
        // from whatever is on top now: it belongs to the press.
        const bool swallowed = m_swallow_release;
        m_button_held = false;
        m_swallow_release = false;
        if (!swallowed)
            target->OnLButtonUp(x, y, event.keyFlags);
        break;
    }
    case EEventType::RButtonUp:
        target->OnRButtonUp(x, y, event.keyFlags);
        break;
    case EEventType::PadButton:
        target->OnPadButton(event.key);
        break;
    default:
        break;
    }
}

void CApplication::Quit()
{
    NPlatform::PostQuit();
}

void CApplication::PostClose()
{
    NPlatform::PostClose();
}

bool CApplication::SetFullScreen(int width, int /*height*/)
{
    if (IsRefusedWidth(width))
        return false;
    if (m_full_screen)
        return true;
    NPlatform::SRect rect = NPlatform::GetWindowRect();
    if (!NPlatform::EnterFullScreen())
        return false;
    m_windowed_x = rect.left;
    m_windowed_y = rect.top;
    m_windowed_width = m_window_width;
    m_windowed_height = m_window_height;
    m_full_screen = true;
    // The size event follows; the picture must fit at once.
    rect = NPlatform::GetWindowRect();
    FollowWindowSize(rect.right - rect.left, rect.bottom - rect.top);
    return true;
}

bool CApplication::LeaveFullScreen()
{
    if (!m_full_screen)
        return true;
    const int w = m_windowed_width > 0 ? m_windowed_width : m_window_width;
    const int h = m_windowed_height > 0 ? m_windowed_height : m_window_height;
    NPlatform::LeaveFullScreen(m_windowed_x, m_windowed_y, w, h);
    m_full_screen = false;
    const NPlatform::SRect rect = NPlatform::GetWindowRect();
    FollowWindowSize(rect.right - rect.left, rect.bottom - rect.top);
    return true;
}

void CApplication::ToggleFullScreen()
{
    if (m_full_screen)
        LeaveFullScreen();
    else
        SetFullScreen(GetLogicalWidth(), GetLogicalHeight());
}

void CApplication::GetWindowedRect(int& left, int& top, int& width, int& height) const
{
    if (m_full_screen)
    {
        left = m_windowed_x;
        top = m_windowed_y;
        width = m_windowed_width;
        height = m_windowed_height;
        return;
    }
    const NPlatform::SRect rect = NPlatform::GetWindowRect();
    left = rect.left;
    top = rect.top;
    width = m_window_width;
    height = m_window_height;
}

void CApplication::Minimize()
{
    if (m_full_screen)
        LeaveFullScreen();
    // Only a request: without a window manager, or under one that does not
    // minimise (tiling ones), nothing happens, and the picture must go on. The
    // minimised state follows the window's own events.
    NPlatform::MinimizeWindow();
}

void CApplication::GetWindowRect(int& left, int& top, int& right, int& bottom) const
{
    NPlatform::SRect rect = NPlatform::GetWindowRect();
    left = rect.left;
    top = rect.top;
    right = rect.right;
    bottom = rect.bottom;
}

void CApplication::MoveWindow(int left, int top)
{
    // A full-screen window stays where it is; dragging it would only change
    // the place it goes back to.
    if (m_full_screen)
        return;
    NPlatform::SRect rect = NPlatform::GetWindowRect();
    NPlatform::MoveWindow(left, top, rect.right - rect.left, rect.bottom - rect.top);
}

CScreen* CApplication::GetCurrentScreen() const
{
    return m_screens.empty() ? nullptr : m_screens.front().get();
}

CScreen* CApplication::GetTopDialog() const
{
    return m_dialogs.empty() ? nullptr : m_dialogs.front().get();
}

bool CApplication::Holds(const CScreen* screen) const
{
    auto is_it = [screen](const std::unique_ptr<CScreen>& held) { return held.get() == screen; };
    return screen && (std::any_of(m_screens.begin(), m_screens.end(), is_it) ||
                      std::any_of(m_dialogs.begin(), m_dialogs.end(), is_it));
}

CScreen* CApplication::GetInputTarget() const
{
    if (!m_dialogs.empty())
        return m_dialogs.front().get();
    return GetCurrentScreen();
}
