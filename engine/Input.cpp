#include "engine/Input.h"

#include "engine/ScreenMapping.h"

#include "platform/Events.h"
#include "platform/Gamepad.h"
#include "platform/Mouse.h"

bool CInput::Open()
{
    // Pads need no window of their own; without controller support there are none.
    NPlatform::OpenGamepads();
    m_open = true;
    m_have_previous = false;
    return true;
}

void CInput::Close()
{
    if (m_open)
        NPlatform::CloseGamepads();
    m_open = false;
    m_mouse = SMouseState();
}

void CInput::SetActive(bool active)
{
    m_active = active;
    m_have_previous = false;
}

void CInput::Poll()
{
    m_mouse = SMouseState();
    // Like a device that is only acquired while the window is active.
    if (!m_open || !m_active)
        return;
    int x = 0, y = 0;
    NPlatform::GetCursorDesktop(x, y);
    if (m_have_previous)
    {
        m_mouse.x = x - m_last_x;
        m_mouse.y = y - m_last_y;
    }
    m_last_x = x;
    m_last_y = y;
    m_have_previous = true;
    uint32_t held = NPlatform::GetMouseButtons();
    m_mouse.buttons[0] = (held & NPlatform::kMkLButton) ? 0x80 : 0;
    m_mouse.buttons[1] = (held & NPlatform::kMkRButton) ? 0x80 : 0;
    m_mouse.buttons[2] = (held & NPlatform::kMkMButton) ? 0x80 : 0;
}

void CInput::GetCursorPosition(int& x, int& y) const
{
    NPlatform::GetCursorClient(x, y);
    if (m_mapping)
        m_mapping->ToLogical(x, y, x, y);
}
