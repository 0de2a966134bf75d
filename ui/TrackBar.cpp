#include "ui/TrackBar.h"

#include "platform/Events.h"

#include <algorithm>

#include "engine/Texture.h"
#include "ui/Screen.h"

CTrackBar::CTrackBar(CScreen* owner, const CTexture* texture) : m_owner(owner), m_texture(texture)
{
    if (m_texture != nullptr)
    {
        m_thumb_width = static_cast<float>(m_texture->GetWidth());
        m_thumb_height = static_cast<float>(m_texture->GetHeight()) / kFrames;
    }
}

void CTrackBar::SetPosition(float x, float y, float z)
{
    m_position = CVector4(x, y, z, 1.0f);
}

void CTrackBar::LoadLayout(const CKeyValueFile& layout, const std::string& name)
{
    float x, y, z;
    ReadLayout(layout, name, x, y, z);
    SetPosition(x, y, z);
}

void CTrackBar::SetRange(float minimum, float maximum)
{
    m_minimum = minimum;
    m_maximum = maximum;
}

float CTrackBar::GetThumbOffset() const
{
    // An empty range has no thumb position: keep the thumb at the start instead of dividing by zero.
    const float range = m_maximum - m_minimum;
    if (range == 0.0f)
        return 0.0f;
    return (m_value - m_minimum) * m_length / range;
}

void CTrackBar::Render()
{
    if (m_visible)
        DrawFrame(m_texture, m_dragging ? 2 : 1, kFrames, m_position.x + GetThumbOffset(), m_position.y,
                  m_thumb_width, m_thumb_height);
}

// Only a press on the thumb starts a drag; the groove beside it does nothing.
bool CTrackBar::OnLButtonDown(int x, int y, uint32_t)
{
    m_dragging = false;
    if (!m_visible)
        return false;
    if (IsInside(m_position.x + GetThumbOffset(), m_position.y, m_thumb_width, m_thumb_height, x, y))
        m_dragging = true;
    return m_dragging;
}

bool CTrackBar::OnMouseMove(int x, int y, uint32_t)
{
    (void)y;
    if (!m_visible || !m_dragging)
        return false;
    // The cursor holds the thumb by its middle.
    if (m_length > 0.0f)
        m_value = m_minimum +
                  (m_maximum - m_minimum) * ((static_cast<float>(x) - m_position.x) - m_thumb_width / 2.0f) / m_length;
    if (m_value > m_maximum)
        m_value = m_maximum;
    if (m_value < m_minimum)
        m_value = m_minimum;
    return true;
}

bool CTrackBar::OnLButtonUp(int, int, uint32_t)
{
    const bool report = m_visible && m_dragging;
    m_dragging = false;
    if (report && m_owner != nullptr)
        m_owner->OnControl(this);
    return false;
}

void CTrackBar::GetFocusArea(float& x, float& y, float& width, float& height) const
{
    x = m_position.x, y = m_position.y, width = m_length + m_thumb_width, height = m_thumb_height;
}

bool CTrackBar::TakeFocusKey(int virtualKey)
{
    if (!m_visible || (virtualKey != NPlatform::kVkLeft && virtualKey != NPlatform::kVkRight))
        return false;
    const float step = virtualKey == NPlatform::kVkLeft ? -m_key_step : m_key_step;
    m_value = std::clamp(m_value + step, std::min(m_minimum, m_maximum), std::max(m_minimum, m_maximum));
    if (m_owner != nullptr)
        m_owner->OnControl(this);
    return true;
}
