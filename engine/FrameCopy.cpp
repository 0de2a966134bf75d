#include "engine/FrameCopy.h"

#include "engine/GLHeaders.h"

#include <cstdlib>

namespace
{
// A texture of the viewport's own size needs textures of any size (OpenGL 2.0).
bool TakesAnySize()
{
    const auto* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    return version && std::atoi(version) >= 2;
}
} // namespace

CFrameCopy::~CFrameCopy()
{
    Release();
}

void CFrameCopy::Release()
{
    if (m_texture != 0 && NGL::IsContextAvailable())
    {
        GLuint name = m_texture;
        glDeleteTextures(1, &name);
    }
    m_texture = 0;
    m_texture_width = m_texture_height = 0;
    m_valid = false;
}

bool CFrameCopy::Take()
{
    m_valid = false;
    if (!NGL::IsContextAvailable() || !TakesAnySize())
        return false;
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    const int width = viewport[2], height = viewport[3];
    if (width <= 0 || height <= 0 || width > largest || height > largest)
        return false;
    while (glGetError() != GL_NO_ERROR)
    {
    }
    if (m_texture == 0)
    {
        GLuint name = 0;
        glGenTextures(1, &name);
        m_texture = name;
    }
    glBindTexture(GL_TEXTURE_2D, m_texture);
    if (width != m_texture_width || height != m_texture_height)
    {
        // One texel per pixel: nearest keeps every pixel as it was drawn. Set
        // before the storage, so the driver makes room for one level only.
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
        // Opaque: the copy replaces everything under it.
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE, nullptr);
        m_texture_width = width;
        m_texture_height = height;
    }
    glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, viewport[0], viewport[1], width, height);
    if (glGetError() != GL_NO_ERROR)
    {
        Release();
        return false;
    }
    for (int i = 0; i < 4; ++i)
        m_viewport[i] = viewport[i];
    m_valid = true;
    return true;
}

bool CFrameCopy::FitsViewport() const
{
    if (!m_valid || !NGL::IsContextAvailable())
        return false;
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    for (int i = 0; i < 4; ++i)
        if (viewport[i] != m_viewport[i])
            return false;
    return true;
}

void CFrameCopy::Draw() const
{
    if (!FitsViewport())
        return;
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, 1.0, 0.0, 1.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glDisable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, m_texture);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    // Rows come back as they were read: bottom first, as the viewport counts them.
    glBegin(GL_TRIANGLE_STRIP);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(0.0f, 0.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex2f(1.0f, 0.0f);
    glTexCoord2f(0.0f, 1.0f);
    glVertex2f(0.0f, 1.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex2f(1.0f, 1.0f);
    glEnd();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
}
