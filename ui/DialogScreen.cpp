#include "ui/DialogScreen.h"

#include "engine/GLHeaders.h"
#include "platform/Events.h"
#include "ui/Frame.h"

CDialogScreen::CDialogScreen() : CLayoutScreen(0.0f, 0.0f) {}

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
    if (HandleFocusKey(virtualKey))
        return;
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

void CDialogScreen::ToLayout(int x, int y, int& px, int& py) const
{
    CLayoutScreen::ToLayout(x, y, px, py);
    px -= static_cast<int>(m_x);
    py -= static_cast<int>(m_y);
}

void CDialogScreen::SetVirtualSize(int width, int height)
{
    SetLayoutSize(static_cast<float>(width), static_cast<float>(height));
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
    float w = m_layout_width, h = m_layout_height;
    glBegin(GL_TRIANGLE_STRIP);
    glVertex2f(0.0f, 0.0f);
    glVertex2f(0.0f, h);
    glVertex2f(w, 0.0f);
    glVertex2f(w, h);
    glEnd();
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glDisable(GL_BLEND);
}
