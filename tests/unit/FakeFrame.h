// A frame with no window behind it: an 800 x 600 logical screen fitted into a
// window of the given size, every request accepted and forgotten, no full screen. It is the
// frame while it lives; tests derive from it to watch what they need.
#pragma once

#include "engine/Input.h"
#include "engine/ScreenMapping.h"
#include "ui/Frame.h"
#include "ui/Screen.h"

class CFakeFrame : public IFrame
{
  public:
    explicit CFakeFrame(int windowWidth = 800, int windowHeight = 600)
        : m_window_width(windowWidth), m_window_height(windowHeight)
    {
        m_mapping.SetWindowSize(windowWidth, windowHeight, 0, 0);
        m_input.SetScreenMapping(&m_mapping);
        SetInstance(this);
    }
    virtual ~CFakeFrame() { SetInstance(nullptr); }

    // Whatever is pushed goes at once.
    void PushScreen(std::unique_ptr<CScreen>) override {}
    void PushDialog(std::unique_ptr<CScreen>) override {}
    void CloseTop(bool) override {}
    int GetLogicalWidth() const override { return 800; }
    int GetLogicalHeight() const override { return 600; }
    int GetWindowWidth() const override { return m_window_width; }
    int GetWindowHeight() const override { return m_window_height; }
    const CScreenMapping& GetScreenMapping() const override { return m_mapping; }
    void GetWindowRect(int& l, int& t, int& r, int& b) const override
    {
        l = t = 0;
        r = m_window_width;
        b = m_window_height;
    }
    void MoveWindow(int, int) override {}
    bool SetFullScreen(int, int) override { return false; }
    bool LeaveFullScreen() override { return true; }
    bool IsFullScreen() const override { return false; }
    void Minimize() override {}
    void PostClose() override {}
    CInput& GetInput() override { return m_input; }

  private:
    int m_window_width;
    int m_window_height;
    CScreenMapping m_mapping;
    CInput m_input;
};
