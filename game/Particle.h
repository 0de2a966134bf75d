// One fading particle of the visual effects: it drifts by its velocity and
// fades out; Update reports when it has faded.
#pragma once

#include "engine/Sprite.h"
#include "engine/Vector4.h"

namespace NGame
{
class CParticle
{
  public:
    CParticle(const CVector4& position, float size, const CVector4& velocity);
    virtual ~CParticle();

    // True once the particle has faded out.
    bool Update(float dt);
    void Draw(bool bindTexture) const;

    float GetAlpha() const { return m_alpha; }
    float GetFadeSpeed() const { return m_fade_speed; }
    void SetFadeSpeed(float speed) { m_fade_speed = speed; }
    const CVector4& GetPosition() const { return m_position; }
    const CSpriteInstance& GetSprite() const { return m_sprite; }

  private:
    float m_alpha = 1.0f;
    float m_fade_speed = 0.01f;
    CSpriteInstance m_sprite;
    CVector4 m_position;
    CVector4 m_velocity;
};
} // namespace NGame
