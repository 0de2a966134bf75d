#include "engine/SpriteBatch.h"

#include "engine/GLHeaders.h"
#include "engine/Sprite.h"

#include <cmath>
#include <cstddef>
#include <numbers>

void CSpriteBatch::Add(const CSprite& sprite, const CVector4& at, float angleDegrees, float r, float g, float b,
                       float a)
{
    if (!sprite.IsDrawable())
        return;
    if (m_vertices.empty())
        m_blend = sprite.IsBlend();
    float u0 = 0.0f, u1 = 0.0f, v0 = 0.0f, v1 = 0.0f;
    sprite.GetTexCoords(u0, u1, v0, v1);
    const float radians = angleDegrees * std::numbers::pi_v<float> / 180.0f;
    const float cs = std::cos(radians), sn = std::sin(radians);
    const float hw = sprite.GetWidth() / 2.0f, hh = sprite.GetHeight() / 2.0f;
    const CVector4& p = sprite.GetPosition();
    auto put = [&](float u, float v, float dx, float dy)
    {
        const float x = p.x + dx, y = p.y + dy;
        m_vertices.push_back({u, v, at.x + cs * x - sn * y, at.y + sn * x + cs * y, at.z + p.z, r, g, b, a});
    };
    // The corners in the order CSprite::Draw gives them.
    put(u1, v0, hw, -hh);
    put(u0, v0, -hw, -hh);
    put(u1, v1, hw, hh);
    put(u0, v1, -hw, hh);
}

void CSpriteBatch::AddQuadOf(const CSpriteBatch& other, size_t quad)
{
    if (m_vertices.empty())
        m_blend = other.m_blend;
    const auto first = other.m_vertices.begin() + static_cast<std::ptrdiff_t>(quad * 4);
    m_vertices.insert(m_vertices.end(), first, first + 4);
}

void CSpriteBatch::Flush()
{
    if (m_vertices.empty() || !NGL::IsContextAvailable())
    {
        m_vertices.clear();
        return;
    }
    if (m_blend)
    {
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glEnable(GL_BLEND);
        glDisable(GL_ALPHA_TEST);
    }
    glEnable(GL_TEXTURE_2D);
    glBegin(GL_QUADS);
    for (size_t i = 0; i < m_vertices.size(); i += 4)
        // Strip order (a, b, c, d) is the quad (a, b, d, c).
        for (size_t k : {i, i + 1, i + 3, i + 2})
        {
            const SVertex& vertex = m_vertices[k];
            glColor4f(vertex.r, vertex.g, vertex.b, vertex.a);
            glTexCoord2f(vertex.u, vertex.v);
            glVertex3f(vertex.x, vertex.y, vertex.z);
        }
    glEnd();
    if (m_blend)
        glDisable(GL_BLEND);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    m_vertices.clear();
}
