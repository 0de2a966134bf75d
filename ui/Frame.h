// What screens, controls and the rules need of the application frame: the
// window, the screen and dialog stacks, and the input object with its cursor. The
// application implements it; code below the entry point reaches the one frame
// through IFrame::Instance() and never includes the application itself.
#pragma once

#include <memory>

class CInput;
class CScreen;
class CScreenMapping;

class IFrame
{
public:
    // The one frame: null before the application exists and after it is gone.
    static IFrame* Instance();

    // The frame owns what is on its stacks. Pushes and closes wait in one queue
    // and are applied in the order asked at the start of the next frame's
    // update, so no screen changes the stacks under the one being called. A
    // closed screen or dialog is handed to the one below it, which keeps it to
    // show it again or lets it go.
    virtual void PushScreen(std::unique_ptr<CScreen> screen) = 0;
    virtual void PushDialog(std::unique_ptr<CScreen> dialog) = 0;
    // false: in its turn in the queue; true: the queue and this close now.
    virtual void CloseTop(bool immediate) = 0;

    virtual int GetLogicalWidth() const = 0;
    virtual int GetLogicalHeight() const = 0;
    // The window's size now, in window pixels.
    virtual int GetWindowWidth() const = 0;
    virtual int GetWindowHeight() const = 0;
    // Where the logical screen sits in the window. The frame hands the screens
    // mouse positions already in logical pixels, and the input object's cursor
    // is too; screens only need this to set the GL viewport.
    virtual const CScreenMapping& GetScreenMapping() const = 0;
    // Window rectangle in desktop pixels and moving it (for dragging).
    virtual void GetWindowRect(int& left, int& top, int& right, int& bottom) const = 0;
    virtual void MoveWindow(int left, int top) = 0;
    // The window's place and size to keep in the settings: in full screen,
    // those it goes back to. By default the window rectangle.
    virtual void GetWindowedRect(int& left, int& top, int& width, int& height) const;

    // Full screen is a borderless window covering the desktop; the display
    // mode never changes. True when the window went full screen.
    virtual bool SetFullScreen(int width, int height) = 0;
    virtual bool LeaveFullScreen() = 0;
    virtual bool IsFullScreen() const = 0;
    // A request the desktop may ignore; IsMinimized tells what really happened.
    virtual void Minimize() = 0;
    virtual bool IsMinimized() const { return false; }
    // Posts a close request to the window, as a click on a quit button does.
    virtual void PostClose() = 0;

    virtual CInput& GetInput() = 0;

protected:
    IFrame() = default;
    ~IFrame() = default;
    // The application registers itself when created and leaves when destroyed.
    static void SetInstance(IFrame* frame);
};
