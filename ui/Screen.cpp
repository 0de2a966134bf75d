#include "ui/Screen.h"

#include "engine/GLHeaders.h"
#include "engine/Input.h"
#include "engine/Sprite.h"
#include "platform/Mouse.h"
#include "ui/Control.h"
#include "ui/Frame.h"

namespace
{
CSprite* g_pointer = nullptr;
}

CScreen::CScreen() = default;

CScreen::~CScreen() = default;

void CScreen::Update(float dt)
{
    if (m_dragging)
    {
        // The cursor may leave the window faster than the window follows it.
        IFrame* app = IFrame::Instance();
        if (app)
        {
            int left = 0, top = 0, right = 0, bottom = 0;
            app->GetWindowRect(left, top, right, bottom);
            int x = 0, y = 0;
            NPlatform::GetCursorDesktop(x, y);
            if (x < left || x > right || y < top || y > bottom)
                m_dragging = false;
        }
    }
    for (CControl* control : m_controls)
        control->Update(dt);
}

void CScreen::Render()
{
    for (CControl* control : m_controls)
        control->Render();
}

void CScreen::Activate()
{
    m_dragging = false;
    for (CControl* control : m_controls)
        control->Reset();
}

void CScreen::OnKeyDown(int virtualKey)
{
    for (CControl* control : m_controls)
        control->OnKeyDown(virtualKey);
}

void CScreen::OnChar(uint16_t character, int repeat)
{
    for (CControl* control : m_controls)
        control->OnChar(character, repeat);
}

void CScreen::OnMouseMove(int x, int y, uint32_t keyFlags)
{
    IFrame* app = IFrame::Instance();
    if (m_dragging && m_movable && app)
    {
        int left = 0, top = 0, right = 0, bottom = 0;
        app->GetWindowRect(left, top, right, bottom);
        int cx = 0, cy = 0;
        NPlatform::GetCursorDesktop(cx, cy);
        app->MoveWindow(left + cx - m_anchor_x, top + cy - m_anchor_y);
        m_anchor_x = cx;
        m_anchor_y = cy;
    }
    for (CControl* control : m_controls)
    {
        if (control->OnMouseMove(x, y, keyFlags))
            m_dragging = false;
    }
}

void CScreen::OnLButtonUp(int x, int y, uint32_t keyFlags)
{
    m_dragging = false;
    for (CControl* control : m_controls)
    {
        if (control->OnLButtonUp(x, y, keyFlags))
            m_dragging = false;
    }
}

void CScreen::OnLButtonDown(int x, int y, uint32_t keyFlags)
{
    m_dragging = true;
    NPlatform::GetCursorDesktop(m_anchor_x, m_anchor_y);
    for (CControl* control : m_controls)
    {
        if (control->OnLButtonDown(x, y, keyFlags))
            m_dragging = false;
    }
}

void CScreen::OnRButtonUp(int x, int y, uint32_t keyFlags)
{
    m_dragging = false;
    for (CControl* control : m_controls)
        control->OnRButtonUp(x, y, keyFlags);
}

void CScreen::OnControl(CControl*)
{
    m_dragging = false;
}

// Not kept: a closed dialog or screen nobody asked back goes now.
void CScreen::OnDialogClosed(int, std::unique_ptr<CScreen>) {}

void CScreen::OnScreenClosed(std::unique_ptr<CScreen>) {}

void CScreen::OnCloseRequest() {}

void CScreen::AddControl(CControl* control)
{
    m_controls.push_back(control);
}

void CScreen::SetPointerSprite(CSprite* sprite)
{
    g_pointer = sprite;
}

CSprite* CScreen::GetPointerSprite()
{
    return g_pointer;
}

void CScreen::DrawPointer()
{
    IFrame* app = IFrame::Instance();
    if (!g_pointer || !app)
        return;
    CInput& input = app->GetInput();
    input.Poll();
    int x = 0, y = 0;
    input.GetCursorPosition(x, y);
    g_pointer->SetPosition(static_cast<float>(x), static_cast<float>(y), g_pointer->GetZ());
    g_pointer->Draw(true);
}

void CScreen::UpdatePointer(float dt)
{
    if (g_pointer)
        g_pointer->Advance(static_cast<int>(dt));
}

void CScreen::ScaleToLayout(int x, int y, int layoutWidth, int layoutHeight, int& lx, int& ly)
{
    lx = x;
    ly = y;
    IFrame* app = IFrame::Instance();
    if (!app || app->GetLogicalWidth() <= 0 || app->GetLogicalHeight() <= 0 || layoutWidth <= 0 ||
        layoutHeight <= 0)
        return;
    float sx = static_cast<float>(app->GetLogicalWidth()) / static_cast<float>(layoutWidth);
    float sy = static_cast<float>(app->GetLogicalHeight()) / static_cast<float>(layoutHeight);
    lx = static_cast<int>(static_cast<float>(x) / sx);
    ly = static_cast<int>(static_cast<float>(y) / sy);
}
