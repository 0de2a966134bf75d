// The application frame: window, GL context, input, the screen and dialog
// stacks and the main loop. The frame owns every screen and dialog on its
// stacks; every change of them waits in one queue applied at the start of a
// frame's update.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <functional>

#include "app/FramePacer.h"
#include "engine/Input.h"
#include "engine/ScreenMapping.h"
#include "ui/Frame.h"
#include "ui/Screen.h"
#include "ui/View.h"

namespace NAudio
{
class Music;
}
namespace NPlatform
{
struct SEvent;
}

class CApplication final : public IFrame
{
  public:
    static constexpr uint32_t kFrameStepMs = 16;
    static constexpr float kFrameStep = 16.0f;
    static constexpr uint32_t kIdleSleepMs = 100;

    // The one application object: null before Create and after Destroy.
    static CApplication* Instance();
    static CApplication* Create();
    static void Destroy();

    // Window, GL context and input devices. False when no window could be made.
    bool CreateMainWindow(const char* title, int x, int y, int width, int height);
    void DestroyMainWindow();
    bool HasWindow() const { return m_has_window; }
    void ShowMainWindow(bool show);

    void PushScreen(std::unique_ptr<CScreen> screen) override;
    void PushDialog(std::unique_ptr<CScreen> dialog) override;
    // false: in its turn in the queue; true: the queue and this close now.
    void CloseTop(bool immediate) override;
    // Applies the queued pushes and closes in the order asked, with those they
    // cause (an owner pushing the next screen when one closes). The start of
    // every update does it; start-up does it to draw its first screen.
    void ApplyStackChanges();

    // A borderless window covering the desktop; the display mode never changes
    // and the size arguments only keep the refused widths refused. True when
    // the window went full screen.
    bool SetFullScreen(int width, int height) override;
    // Back to the window's size and place from before full screen.
    bool LeaveFullScreen() override;
    // F11 and Alt+Enter, on any screen.
    void ToggleFullScreen();
    void Minimize() override;

    bool IsFullScreen() const override { return m_full_screen; }
    // The window's real state, from its events (not from Minimize requests).
    bool IsMinimized() const override { return m_minimized; }
    bool IsActive() const { return m_active; }
    int GetLogicalWidth() const override { return m_view.GetLogicalWidth(); }
    int GetLogicalHeight() const override { return m_view.GetLogicalHeight(); }
    void SetLogicalSize(int width, int height);
    // The window's size now, in window pixels.
    int GetWindowWidth() const override { return m_window_width; }
    int GetWindowHeight() const override { return m_window_height; }
    // The one rule from window pixels to logical ones, for drawing and the mouse.
    const CScreenMapping& GetScreenMapping() const override { return m_mapping; }
    // The window's place and size to keep in the settings: in full screen,
    // those it goes back to.
    void GetWindowedRect(int& left, int& top, int& width, int& height) const override;
    // Window rectangle in desktop pixels and moving it (for dragging).
    void GetWindowRect(int& left, int& top, int& right, int& bottom) const override;
    void MoveWindow(int left, int top) override;

    CView& GetView() { return m_view; }
    CInput& GetInput() override { return m_input; }

    CScreen* GetCurrentScreen() const;
    CScreen* GetTopDialog() const;
    // Top dialog if there is one, else the current screen.
    CScreen* GetInputTarget() const;
    size_t GetScreenCount() const { return m_screens.size(); }
    size_t GetDialogCount() const { return m_dialogs.size(); }
    // Whether the screen is on either stack, so one who kept a plain pointer
    // can tell that the frame has let it go.
    bool Holds(const CScreen* screen) const;

    // Runs until the quit message; returns its code (0).
    int Run(NAudio::Music* music);

    // One message, as the window procedure handles it.
    void HandleEvent(const NPlatform::SEvent& event);
    // One frame's update: the queued stack changes, then Update(dt) of the top.
    void Update(float dt);
    // Current screen, then every dialog, oldest first (nothing while minimised).
    void Render();
    // Flush and swap the buffers.
    void Present();
    // Empties both stacks and the queue, deleting every screen and dialog
    // without calling them (at shutdown).
    void CloseAll();
    // Update, Render and swap: what the main loop does per frame. While the
    // window is inactive nothing changes, so the picture is drawn again only
    // when the desktop lost it; the frame is still counted.
    void Frame(NAudio::Music* music);

    // A screen updated every frame and drawn over everything else; it takes
    // no input (the notice of the per-user files). Null for none.
    void SetOverlay(std::unique_ptr<CScreen> overlay) { m_overlay = std::move(overlay); }

    // Asks the main loop to end (the quit message).
    void Quit();
    // Posts a close request to the window, as a click on a quit button does.
    void PostClose() override;

    // Test seam: called after each frame is rendered, before the swap, with
    // the number of frames drawn so far (counting from 0).
    void SetFrameObserver(std::function<void(int frame)> observer) { m_frame_observer = std::move(observer); }
    int GetFrameCount() const { return m_frame_count; }

  private:
    CApplication();
    // Takes the window's size (window and drawable pixels) into the mapping.
    void FollowWindowSize(int width, int height);
    // Clears the margins, then confines drawing to the logical screen's place.
    void BeginLogicalScreen();
    struct SStackChange
    {
        enum class EKind
        {
            PushScreen,
            PushDialog,
            Close
        };
        EKind kind;
        std::unique_ptr<CScreen> screen; // what a push pushes
    };

    void ShowScreen(std::unique_ptr<CScreen> screen);
    void ShowDialog(std::unique_ptr<CScreen> dialog);
    // The top dialog, else the current screen unless it is the last one.
    void CloseTopNow();
    // Takes the top dialog off and hands it to the one below.
    void CloseTopDialog();
    // Takes the current screen off, hands it to the one below, and activates
    // that one unless it queued another screen on being told.
    void CloseTopScreen();
    // Every push or removal on the stacks: a held left button's release is then not delivered.
    void NoteStackChange();
    void FollowForeground(NAudio::Music* music);

    CInput m_input;
    CView m_view;
    CScreenMapping m_mapping;
    std::deque<std::unique_ptr<CScreen>> m_screens; // front: current screen
    std::deque<std::unique_ptr<CScreen>> m_dialogs; // front: top dialog
    std::deque<SStackChange> m_changes;             // front: the oldest request
    std::unique_ptr<CScreen> m_overlay;
    bool m_active = false;
    bool m_full_screen = false;
    bool m_minimized = false;
    bool m_has_window = false;
    bool m_redraw_pending = true;
    bool m_button_held = false;
    bool m_swallow_release = false;
    bool m_pointer_in_margin = false;
    int m_window_width = 0;
    int m_window_height = 0;
    // The window's place and size before full screen, to go back to.
    int m_windowed_x = 0;
    int m_windowed_y = 0;
    int m_windowed_width = 0;
    int m_windowed_height = 0;

    bool m_foreground = true;
    bool m_music_was_playing = false;
    bool m_music_state_taken = false;
    int m_frame_count = 0;
    CFramePacer m_pacer{kFrameStepMs};
    std::function<void(int)> m_frame_observer;
};
