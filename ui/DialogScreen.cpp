#include "ui/DialogScreen.h"

#include "engine/GLHeaders.h"
#include "platform/Events.h"
#include "ui/Frame.h"

CDialogScreen::CDialogScreen() = default;

void CDialogScreen::Render()
{
    if (NGL::IsContextAvailable())
    {
        // The derived dialog brackets its whole drawing with a matrix push and pop.
        glTranslatef(m_x, m_y, 0.5f);
        glEnable(GL_TEXTURE_2D);
    }
    CScreen::Render();
    if (NGL::IsContextAvailable())
        glDisable(GL_TEXTURE_2D);
}

void CDialogScreen::OnKeyDown(int virtualKey)
{
    IFrame* app = IFrame::Instance();
    if (virtualKey == NPlatform::kVkEscape)
    {
        SetResult(1);
        if (app)
            app->CloseTop(false);
    }
    else if (virtualKey == NPlatform::kVkReturn)
    {
        SetResult(0);
        if (app)
            app->CloseTop(false);
    }
    CScreen::OnKeyDown(virtualKey);
}

void CDialogScreen::ToPanel(int x, int y, int& px, int& py) const
{
    IFrame* app = IFrame::Instance();
    float clientWidth = app ? static_cast<float>(app->GetWindowWidth()) : 0.0f;
    float clientHeight = app ? static_cast<float>(app->GetWindowHeight()) : 0.0f;
    float sx = 1.0f, sy = 1.0f;
    // Without a layout size or a window the client pixels are the layout units.
    if (clientWidth > 0.0f && m_layoutWidth > 0)
        sx = clientWidth / static_cast<float>(m_layoutWidth);
    if (clientHeight > 0.0f && m_layoutHeight > 0)
        sy = clientHeight / static_cast<float>(m_layoutHeight);
    px = static_cast<int>(static_cast<float>(x) / sx) - static_cast<int>(m_x);
    py = static_cast<int>(static_cast<float>(y) / sy) - static_cast<int>(m_y);
}

void CDialogScreen::OnMouseMove(int x, int y, uint32_t keyFlags)
{
    int px = 0, py = 0;
    ToPanel(x, y, px, py);
    CScreen::OnMouseMove(px, py, keyFlags);
}

void CDialogScreen::OnLButtonUp(int x, int y, uint32_t keyFlags)
{
    int px = 0, py = 0;
    ToPanel(x, y, px, py);
    CScreen::OnLButtonUp(px, py, keyFlags);
}

void CDialogScreen::OnLButtonDown(int x, int y, uint32_t keyFlags)
{
    int px = 0, py = 0;
    ToPanel(x, y, px, py);
    CScreen::OnLButtonDown(px, py, keyFlags);
}

void CDialogScreen::SetVirtualSize(int width, int height)
{
    m_layoutWidth = width;
    m_layoutHeight = height;
}

void CDialogScreen::SetPanelPosition(int x, int y)
{
    m_x = static_cast<float>(x);
    m_y = static_cast<float>(y);
}

void CDialogScreen::SetPanelSize(int width, int height)
{
    m_width = width;
    m_height = height;
}

void CDialogScreen::DrawDimmer(float r, float g, float b, float a)
{
    if (!m_dimming || !NGL::IsContextAvailable())
        return;
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_ALPHA_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glTranslatef(0.0f, 0.0f, 0.5f);
    glColor4f(r, g, b, a);
    float w = static_cast<float>(m_layoutWidth), h = static_cast<float>(m_layoutHeight);
    glBegin(GL_TRIANGLE_STRIP);
    glVertex2f(0.0f, 0.0f);
    glVertex2f(0.0f, h);
    glVertex2f(w, 0.0f);
    glVertex2f(w, h);
    glEnd();
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glDisable(GL_BLEND);
}
