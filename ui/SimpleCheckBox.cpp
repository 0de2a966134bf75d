#include "ui/SimpleCheckBox.h"

#include "engine/Texture.h"
#include "ui/Screen.h"

CSimpleCheckBox::CSimpleCheckBox(CScreen* owner, const CTexture* texture, float labelWidth)
    : m_owner(owner), m_texture(texture), m_label_width(labelWidth)
{
    if (m_texture != nullptr)
    {
        m_width = static_cast<float>(m_texture->GetWidth());
        m_height = static_cast<float>(m_texture->GetHeight()) / kFrames;
    }
}

void CSimpleCheckBox::SetPosition(float x, float y, float z)
{
    m_position = CVector4(x, y, z, 1.0f);
}

void CSimpleCheckBox::LoadLayout(const CKeyValueFile& layout, const std::string& name)
{
    float x, y, z;
    ReadLayout(layout, name, x, y, z);
    SetPosition(x, y, z);
}

void CSimpleCheckBox::Render()
{
    DrawFrame(m_texture, m_state, kFrames, m_position.x, m_position.y, m_width, m_height);
}

bool CSimpleCheckBox::OnMouseMove(int x, int y, uint32_t)
{
    if (Hit(x, y))
    {
        if (m_state == kUnticked || m_state == kTicked)
            ++m_state;
        return true;
    }
    if (m_state == kUntickedHover || m_state == kTickedHover)
        --m_state;
    return false;
}

bool CSimpleCheckBox::OnLButtonDown(int x, int y, uint32_t)
{
    return Hit(x, y);
}

// The hover state already says the cursor is over the box: no new hit test.
bool CSimpleCheckBox::OnLButtonUp(int, int, uint32_t)
{
    if (m_state == kUntickedHover)
        m_state = kTickedHover;
    else if (m_state == kTickedHover)
        m_state = kUntickedHover;
    else
        return false;
    if (m_owner != nullptr)
        m_owner->OnControl(this);
    return true;
}

void CSimpleCheckBox::GetFocusArea(float& x, float& y, float& width, float& height) const
{
    x = m_position.x, y = m_position.y, width = m_width + m_label_width, height = m_height;
}

bool CSimpleCheckBox::Press()
{
    const bool hover = m_state == kUntickedHover || m_state == kTickedHover;
    if (IsChecked())
        m_state = hover ? kUntickedHover : kUnticked;
    else
        m_state = hover ? kTickedHover : kTicked;
    if (m_owner != nullptr)
        m_owner->OnControl(this);
    return true;
}
