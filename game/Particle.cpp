#include "game/Particle.h"

#include "engine/GLHeaders.h"
#include "engine/Random.h"
#include "game/GameResources.h"

namespace NGame
{
namespace
{
constexpr float kStepMs = 60.0f;
} // namespace

CParticle::CParticle(const CVector4& position, float size, const CVector4& velocity)
    : m_position(position), m_velocity(velocity)
{
    m_fade_speed = 0.01f + static_cast<float>(NRandom::Rand() % 100) / 10000.0f;
    if (CGameResources* resources = GetGameResources())
        if (const CSprite* sprite = resources->GetSprite(CGameResources::kSpriteParticle))
            m_sprite = *sprite;
    // A sheet without groups or frames has nothing to choose from (and no rand() mod 0).
    if (m_sprite.GetGroupCount() > 0)
        m_sprite.SetGroup(NRandom::Rand() % m_sprite.GetGroupCount());
    if (m_sprite.GetFrameCount() > 0)
        m_sprite.SetFrame(NRandom::Rand() % m_sprite.GetFrameCount());
    m_sprite.SetSize(size, size);
}

CParticle::~CParticle() = default;

bool CParticle::Update(float dt)
{
    const float step = dt / kStepMs;
    m_sprite.Advance(static_cast<int>(dt));
    m_position += CVector4(m_velocity.x, m_velocity.y, m_velocity.z) * step;
    m_alpha -= m_fade_speed * step;
    return m_alpha < 0.0f;
}

void CParticle::Draw(bool bindTexture) const
{
    if (!NGL::IsContextAvailable())
        return;
    CSpriteInstance sprite = m_sprite;
    sprite.SetPosition(m_position);
    glColor4f(1.0f, 1.0f, 1.0f, m_alpha);
    sprite.Draw(bindTexture);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}
} // namespace NGame
