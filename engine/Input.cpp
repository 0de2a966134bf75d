#include "engine/Input.h"

#include "platform/Events.h"
#include "platform/Mouse.h"

bool CInput::Open()
{
    m_open = true;
    m_havePrevious = false;
    return true;
}

void CInput::Close()
{
    m_open = false;
    m_mouse = SMouseState();
}

void CInput::SetActive(bool active)
{
    m_active = active;
    m_havePrevious = false;
}

void CInput::Poll()
{
    m_mouse = SMouseState();
    // Like a device that is only acquired while the window is active.
    if (!m_open || !m_active)
        return;
    int x = 0, y = 0;
    NPlatform::GetCursorDesktop(x, y);
    if (m_havePrevious)
    {
        m_mouse.x = x - m_lastX;
        m_mouse.y = y - m_lastY;
    }
    m_lastX = x;
    m_lastY = y;
    m_havePrevious = true;
    uint32_t held = NPlatform::GetMouseButtons();
    m_mouse.buttons[0] = (held & NPlatform::kMkLButton) ? 0x80 : 0;
    m_mouse.buttons[1] = (held & NPlatform::kMkRButton) ? 0x80 : 0;
    m_mouse.buttons[2] = (held & NPlatform::kMkMButton) ? 0x80 : 0;
}

void CInput::GetCursorPosition(int& x, int& y) const
{
    NPlatform::GetCursorClient(x, y);
}
