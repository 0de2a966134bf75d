#include "ui/View.h"

#include "engine/GLHeaders.h"
#include "ui/Frame.h"

void CView::SetLogicalSize(int width, int height)
{
    m_width = width;
    m_height = height;
}

void CView::SetRotation(float x, float y, float z)
{
    m_angle_x = x;
    m_angle_y = y;
    m_angle_z = z;
}

void CView::SetPerspective(int viewportWidth, int viewportHeight)
{
    m_aspect = static_cast<float>(m_width) / static_cast<float>(m_height);
    if (!NGL::IsContextAvailable())
        return;
    glViewport(0, 0, viewportWidth, viewportHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(m_field_of_view, m_aspect, m_perspective_near, m_perspective_far);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void CView::SetOrtho(int viewportWidth, int viewportHeight, bool flipY)
{
    SetOrtho(SViewport{0, 0, viewportWidth, viewportHeight}, flipY);
}

void CView::SetOrtho(const SViewport& viewport, bool flipY)
{
    if (!NGL::IsContextAvailable())
        return;
    glViewport(viewport.x, viewport.y, viewport.width, viewport.height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    double bottom = flipY ? -static_cast<double>(m_height) : static_cast<double>(m_height);
    glOrtho(0.0, static_cast<double>(m_width), bottom, 0.0, m_ortho_near, m_ortho_far);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void CView::ApplyTransform()
{
    if (!NGL::IsContextAvailable())
        return;
    glScalef(m_scale, m_scale, m_scale);
    glTranslatef(m_position.x, m_position.y, m_position.z);
}

void CView::RotateX()
{
    if (NGL::IsContextAvailable())
        glRotatef(m_angle_x, 1.0f, 0.0f, 0.0f);
}

void CView::RotateY()
{
    if (NGL::IsContextAvailable())
        glRotatef(m_angle_y, 0.0f, 1.0f, 0.0f);
}

void CView::RotateZ()
{
    if (NGL::IsContextAvailable())
        glRotatef(m_angle_z, 0.0f, 0.0f, 1.0f);
}

SViewport CView::LogicalViewport()
{
    if (const IFrame* frame = IFrame::Instance())
        return frame->GetScreenMapping().GetViewport();
    return CScreenMapping().GetViewport();
}

void CView::ApplyLogicalViewport()
{
    if (!NGL::IsContextAvailable())
        return;
    const SViewport viewport = LogicalViewport();
    glViewport(viewport.x, viewport.y, viewport.width, viewport.height);
}
