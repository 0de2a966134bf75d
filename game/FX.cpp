#include "game/FX.h"

#include "engine/GLHeaders.h"
#include "engine/Texture.h"

namespace NGame
{
namespace
{
std::unique_ptr<CFX> g_fx;
} // namespace

CFX* CFX::Instance()
{
    if (!g_fx)
        g_fx = std::make_unique<CFX>();
    return g_fx.get();
}

void CFX::Destroy()
{
    g_fx.reset();
}

CFX::CFX() = default;
CFX::~CFX() = default;

void CFX::Emit(const CVector4& position, const CVector4& velocity, float size)
{
    m_particles.push_back(std::make_unique<CParticle>(position, size, velocity));
}

void CFX::Update(float dt)
{
    for (size_t i = 0; i < m_particles.size();)
    {
        if (m_particles[i]->Update(dt))
            m_particles.erase(m_particles.begin() + static_cast<std::ptrdiff_t>(i));
        else
            ++i;
    }
}

void CFX::Draw() const
{
    if (m_particles.empty() || !NGL::IsContextAvailable())
        return;
    if (CTexture* texture = m_particles.front()->GetSprite().GetTexture())
        texture->Bind();
    for (const auto& particle : m_particles)
        particle->Draw(false);
}
} // namespace NGame
