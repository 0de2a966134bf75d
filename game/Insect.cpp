#include "game/Insect.h"

#include "engine/GLHeaders.h"
#include "engine/Random.h"
#include "game/GameResources.h"

#include <cmath>

namespace NGame
{
namespace
{
constexpr float kStepMs = 6.0f;
constexpr float kRadToDeg = 57.295826f;
constexpr int kSpriteFrameTime = 10;

CVector4 Flat(const CVector4& v)
{
    return {v.x, v.y, 0.0f, 0.0f};
}
} // namespace

CInsect::CInsect()
{
    if (CGameResources* resources = GetGameResources())
        if (const CSprite* sprite = resources->GetSprite(CGameResources::kSpriteInsect))
            m_sprite = *sprite;
    m_sprite.SetFrameTime(kSpriteFrameTime);
    m_speed = 1.5f + static_cast<float>(NRandom::Rand() % 100) / 100.0f;
    m_turn_speed = 1.0f + static_cast<float>(NRandom::Rand() % 100) / 100.0f;
}

CInsect::~CInsect() = default;

void CInsect::SetTarget(const CVector4& target)
{
    m_target = target;
    m_state = kTurning;
}

float CInsect::WantedHeading(const CVector4& d)
{
    float angle;
    if (d.x <= 0.0f)
        angle = d.y >= 0.0f ? std::acos(d.x) : -std::acos(d.x);
    else
        angle = std::asin(d.y);
    return angle * kRadToDeg + 90.0f;
}

void CInsect::Update(float dt)
{
    const float step = dt / kStepMs;
    m_sprite.Advance(static_cast<int>(dt));
    if (m_delay > 0.0f)
    {
        m_delay -= dt;
        return;
    }
    if (m_state == kLanded)
        return;
    const CVector4 toTarget = Flat(m_target - m_position);
    const float distance = toTarget.Length();
    if (distance <= 0.0f)
    {
        // Already there: nothing to turn towards.
        m_position.x = m_target.x;
        m_position.y = m_target.y;
        m_state = kLanded;
        return;
    }
    const CVector4 d = toTarget * (1.0f / distance);
    if (m_state == kTurning)
    {
        const float wanted = WantedHeading(d);
        const float turn = m_turn_speed * step;
        m_heading += m_heading <= wanted ? turn : -turn;
        if (std::fabs(m_heading - wanted) <= turn)
            m_state = kFlying;
        return;
    }
    const float move = m_speed * step;
    m_position.x += d.x * move;
    m_position.y += d.y * move;
    if (Flat(m_target - m_position).Length() <= move)
    {
        m_position.x = m_target.x;
        m_position.y = m_target.y;
        m_state = kLanded;
    }
}

void CInsect::Draw() const
{
    if (!NGL::IsContextAvailable())
        return;
    CSpriteInstance sprite = m_sprite;
    sprite.SetPosition(0.0f, 0.0f, 0.0f);
    glPushMatrix();
    glTranslatef(m_position.x, m_position.y, m_position.z);
    glRotatef(m_heading, 0.0f, 0.0f, 1.0f);
    sprite.Draw(true);
    glPopMatrix();
}
} // namespace NGame
