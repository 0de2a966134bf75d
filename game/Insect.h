// A flying insect: carries a coin onto the field when a level appears and
// every bonus to its target. It turns towards its target, flies, and lands
// exactly on it. Positions are logical screen units, times milliseconds.
#pragma once

#include "engine/Sprite.h"
#include "engine/Vector4.h"

namespace NGame
{
class CInsect
{
  public:
    enum EState
    {
        kTurning = 0,
        kFlying = 1,
        kLanded = 2,
    };

    CInsect();
    virtual ~CInsect();

    // The insect turns towards the new target first, then flies.
    void SetTarget(const CVector4& target);
    const CVector4& GetTarget() const { return m_target; }
    void SetDelay(float ms) { m_delay = ms; }
    float GetDelay() const { return m_delay; }
    int GetState() const { return m_state; }
    const CVector4& GetPosition() const { return m_position; }
    void SetPosition(const CVector4& position) { m_position = position; }
    int GetCoinKind() const { return m_coin_kind; }
    void SetCoinKind(int kind) { m_coin_kind = kind; }
    float GetHeading() const { return m_heading; }
    void SetHeading(float heading) { m_heading = heading; }
    float GetSpeed() const { return m_speed; }
    float GetTurnSpeed() const { return m_turn_speed; }

    void Update(float dt);
    void Draw() const;

    // The heading, in degrees with 0 up the screen and 90 right, that faces along direction.
    static float WantedHeading(const CVector4& direction);

  private:
    int m_state = kLanded;
    CSpriteInstance m_sprite;
    CVector4 m_position;
    float m_speed = 1.5f;
    float m_heading = 0.0f;
    float m_turn_speed = 1.0f;
    float m_delay = 0.0f;
    int m_coin_kind = -1;
    CVector4 m_target;
};
} // namespace NGame
