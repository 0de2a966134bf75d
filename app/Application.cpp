#include "app/Application.h"

#include <memory>

#include "engine/GLHeaders.h"
#include "engine/Music.h"
#include "engine/ResourceGroup.h"
#include "engine/SoundManager.h"
#include "platform/Clock.h"
#include "platform/Events.h"
#include "platform/Window.h"
#include "ui/Screen.h"

namespace
{
CApplication* g_instance = nullptr;

// Display widths the full-screen switch refuses outright.
bool IsRefusedWidth(int width)
{
    return width == 320 || width == 400 || width == 640;
}
} // namespace

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
    m_has_window = NPlatform::OpenWindow(title, x, y, width, height);
    if (m_has_window)
        NGL::SetContextAvailable(true);
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

void CApplication::Render()
{
    if (m_minimized)
        return;
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
    switch (event.type)
    {
    case EEventType::KeyDown:
        target->OnKeyDown(event.key);
        break;
    case EEventType::Char:
        target->OnChar(event.character, event.repeat);
        break;
    case EEventType::MouseMove:
        target->OnMouseMove(event.x, event.y, event.keyFlags);
        break;
    case EEventType::LButtonDown:
        m_button_held = true;
        m_swallow_release = false;
        target->OnLButtonDown(event.x, event.y, event.keyFlags);
        break;
    case EEventType::LButtonUp:
    {
        // A press that opened or closed a screen or dialog keeps its release
        // from whatever is on top now: it belongs to the press.
        const bool swallowed = m_swallow_release;
        m_button_held = false;
        m_swallow_release = false;
        if (!swallowed)
            target->OnLButtonUp(event.x, event.y, event.keyFlags);
        break;
    }
    case EEventType::RButtonUp:
        target->OnRButtonUp(event.x, event.y, event.keyFlags);
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

bool CApplication::SetFullScreen(int width, int height)
{
    if (IsRefusedWidth(width))
        return false;
    if (!m_full_screen)
    {
        m_windowed_width = m_window_width;
        m_windowed_height = m_window_height;
    }
    if (!NPlatform::EnterFullScreen(width, height))
        return false;
    m_full_screen = true;
    return true;
}

bool CApplication::LeaveFullScreen()
{
    int w = m_windowed_width > 0 ? m_windowed_width : m_window_width;
    int h = m_windowed_height > 0 ? m_windowed_height : m_window_height;
    int screenWidth = 0, screenHeight = 0;
    NPlatform::GetScreenSize(screenWidth, screenHeight);
    NPlatform::LeaveFullScreen((screenWidth - w) / 2, (screenHeight - h) / 2, w, h);
    m_full_screen = false;
    return true;
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

CScreen* CApplication::GetInputTarget() const
{
    if (!m_dialogs.empty())
        return m_dialogs.front().get();
    return GetCurrentScreen();
}
