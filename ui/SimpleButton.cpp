#include "ui/SimpleButton.h"

#include "engine/Texture.h"
#include "ui/Screen.h"

CSimpleButton::CSimpleButton(CScreen* owner, const CTexture* texture) : m_owner(owner), m_texture(texture)
{
    if (m_texture != nullptr)
    {
        m_width = static_cast<float>(m_texture->GetWidth());
        m_height = static_cast<float>(m_texture->GetHeight()) / kFrames;
    }
}

void CSimpleButton::SetPosition(float x, float y, float z)
{
    m_position = CVector4(x, y, z, 1.0f);
}

void CSimpleButton::LoadLayout(const CKeyValueFile& layout, const std::string& name)
{
    float x, y, z;
    ReadLayout(layout, name, x, y, z);
    SetPosition(x, y, z);
}

bool CSimpleButton::IsCursorOver() const
{
    int x, y;
    GetCursor(x, y);
    return Hit(x, y);
}

void CSimpleButton::Render()
{
    if (m_visible)
        DrawFrame(m_texture, m_state, kFrames, m_position.x, m_position.y, m_width, m_height);
}

// A disabled button keeps its disabled frame under the cursor but still says the
// cursor is on it, so no window drag starts there.
bool CSimpleButton::OnMouseMove(int x, int y, uint32_t)
{
    if (!m_visible)
        return false;
    const bool inside = Hit(x, y);
    if (!m_disabled)
        m_state = inside ? kHover : kNormal;
    return inside;
}

bool CSimpleButton::OnLButtonDown(int x, int y, uint32_t)
{
    if (!m_visible || m_disabled || !Hit(x, y))
        return false;
    m_state = kPressed;
    if (m_owner != nullptr)
        m_owner->OnControl(this);
    return true;
}

bool CSimpleButton::OnLButtonUp(int, int, uint32_t)
{
    if (!m_visible || m_disabled)
        return false;
    if (m_state != kPressed)
        return false;
    m_state = kHover;
    return true;
}

// A disabled button stays disabled when its screen is shown again.
void CSimpleButton::Reset()
{
    m_state = m_disabled ? kDisabled : kNormal;
}

bool CSimpleButton::SetDisabled(bool disabled)
{
    m_disabled = disabled;
    if (disabled)
        m_state = kDisabled;
    else if (m_state == kDisabled)
        m_state = kNormal;
    return m_disabled;
}

void CSimpleButton::GetFocusArea(float& x, float& y, float& width, float& height) const
{
    x = m_position.x, y = m_position.y, width = m_width, height = m_height;
}

bool CSimpleButton::Press()
{
    if (!IsFocusable())
        return false;
    m_state = kHover;
    if (m_owner != nullptr)
        m_owner->OnControl(this);
    return true;
}
