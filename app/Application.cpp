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
std::unique_ptr<CSoundManager> g_soundManager;

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
    g_soundManager = std::make_unique<CSoundManager>();
    SetSoundManager(g_soundManager.get());
    return m_has_window;
}

void CApplication::DestroyMainWindow()
{
    if (m_has_window)
        CResourceGroup::ReleaseAllGroups();
    if (g_soundManager)
    {
        SetSoundManager(nullptr);
        g_soundManager.reset();
    }
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

void CApplication::PushScreen(CScreen* screen)
{
    if (!screen)
        return;
    screen->Activate();
    m_screens.push_front(screen);
    NoteStackChange();
}

void CApplication::PushDialog(CScreen* dialog)
{
    if (!dialog)
        return;
    m_dialogs.push_front(dialog);
    NoteStackChange();
    dialog->Activate();
    if (CScreen* current = GetCurrentScreen())
        current->Activate();
}

void CApplication::CloseTop(bool immediate)
{
    if (!immediate)
    {
        m_close_pending = true;
        return;
    }
    if (!m_dialogs.empty())
    {
        m_closed_dialog = m_dialogs.front();
        m_dialogs.pop_front();
        m_report_pending = true;
        NoteStackChange();
    }
    else if (m_screens.size() > 1)
    {
        CloseTopScreen();
    }
}

void CApplication::CloseTopScreen()
{
    CScreen* removed = m_screens.front();
    m_screens.pop_front();
    NoteStackChange();
    CScreen* below = m_screens.front();
    below->OnScreenClosed(removed);
    // A screen that OnScreenClosed pushed (a new game, the top window) was
    // activated by its push; the one below is current again only without it.
    if (m_screens.front() == below)
        below->Activate();
}

void CApplication::ApplyPendingClose()
{
    if (!m_close_pending)
        return;
    m_close_pending = false;
    if (!m_dialogs.empty())
    {
        m_report_pending = true;
        m_closed_dialog = m_dialogs.front();
        m_dialogs.pop_front();
        NoteStackChange();
    }
    else if (m_screens.size() > 1)
    {
        // Reported even when a dialog report is also waiting: the owner must
        // learn of every closed screen to delete it.
        CloseTopScreen();
    }
}

void CApplication::NoteStackChange()
{
    if (m_button_held)
        m_swallow_release = true;
}

void CApplication::ReportClosedDialog()
{
    if (!m_report_pending)
        return;
    m_report_pending = false;
    CScreen* closed = m_closed_dialog;
    m_closed_dialog = nullptr;
    CScreen* target = GetInputTarget();
    if (closed && target)
        target->OnDialogClosed(closed->GetResult(), closed);
}

void CApplication::Update(float dt)
{
    ApplyPendingClose();
    ReportClosedDialog();
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
    m_screens.clear();
    m_dialogs.clear();
    m_closed_dialog = nullptr;
    m_close_pending = false;
    m_report_pending = false;
    NoteStackChange();
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
            // Alt+F4: the current screen decides what closing means.
            m_dialogs.clear();
            NoteStackChange();
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
    return m_screens.empty() ? nullptr : m_screens.front();
}

CScreen* CApplication::GetTopDialog() const
{
    return m_dialogs.empty() ? nullptr : m_dialogs.front();
}

CScreen* CApplication::GetInputTarget() const
{
    if (!m_dialogs.empty())
        return m_dialogs.front();
    return GetCurrentScreen();
}
