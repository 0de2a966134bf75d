#include "ui/Control.h"

#include "engine/GLHeaders.h"
#include "engine/Input.h"
#include "engine/KeyValueFile.h"
#include "engine/Texture.h"
#include "ui/Frame.h"

namespace
{
CControl::CursorSource& CursorOverride()
{
    static CControl::CursorSource source;
    return source;
}
} // namespace

bool CControl::OnMouseMove(int, int, uint32_t) { return false; }
bool CControl::OnLButtonUp(int, int, uint32_t) { return false; }
bool CControl::OnRButtonUp(int, int, uint32_t) { return false; }
bool CControl::OnLButtonDown(int, int, uint32_t) { return false; }
void CControl::OnKeyDown(int) {}
void CControl::OnChar(uint16_t, int) {}
void CControl::Update(float) {}
void CControl::Render() {}
void CControl::Reset() {}

bool CControl::SetDisabled(bool disabled)
{
    m_disabled = disabled;
    return m_disabled;
}

bool CControl::IsDisabled() const
{
    return m_disabled;
}

bool CControl::IsFocusable() const
{
    return false;
}

void CControl::GetFocusArea(float& x, float& y, float& width, float& height) const
{
    x = y = width = height = 0.0f;
}

bool CControl::Press()
{
    return false;
}

bool CControl::TakeFocusKey(int)
{
    return false;
}

bool CControl::IsInside(float x, float y, float width, float height, int px, int py)
{
    // Casting to int cuts toward zero, as the layouts were designed for.
    return static_cast<int>(x) <= px && px <= static_cast<int>(x + width) && static_cast<int>(y) <= py &&
           py <= static_cast<int>(y + height);
}

void CControl::GetCursor(int& x, int& y)
{
    x = 0;
    y = 0;
    if (CursorOverride())
        CursorOverride()(x, y);
    else if (IFrame* app = IFrame::Instance())
        app->GetInput().GetCursorPosition(x, y);
}

void CControl::SetCursorSource(CursorSource source)
{
    CursorOverride() = std::move(source);
}

void CControl::ReadLayout(const CKeyValueFile& layout, const std::string& name, float& x, float& y, float& z)
{
    x = ToFloat(layout.GetString(name + ".x", "0"));
    y = ToFloat(layout.GetString(name + ".y", "0"));
    z = ToFloat(layout.GetString(name + ".z", "0"));
}

void CControl::DrawFrame(const CTexture* texture, int frame, int frames, float x, float y, float width, float height)
{
    if (!NGL::IsContextAvailable() || frames <= 0)
        return;
    const float vLow = static_cast<float>(frame - 1) / frames;
    const float vHigh = static_cast<float>(frame) / frames;
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_ALPHA_TEST);
    glEnable(GL_TEXTURE_2D);
    if (texture != nullptr)
        texture->Bind();
    glBegin(GL_TRIANGLE_STRIP);
    glTexCoord2f(0.0f, vHigh);
    glVertex2f(x, y);
    glTexCoord2f(0.0f, vLow);
    glVertex2f(x, y + height);
    glTexCoord2f(1.0f, vHigh);
    glVertex2f(x + width, y);
    glTexCoord2f(1.0f, vLow);
    glVertex2f(x + width, y + height);
    glEnd();
    glDisable(GL_BLEND);
}
