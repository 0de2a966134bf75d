// One flower of the field as it is shown: the colour and hole its picture
// turns to, the coin picture and the animation state. The board holds the
// rules' colours, holes and coins; the field waits on the state, delay and
// changed flag kept here, all advanced by Update, so a cell animates the same
// with or without a window.
#pragma once

#include "engine/Sprite.h"
#include "engine/Vector4.h"

#include <memory>

class CSpriteBatch;

namespace NGame
{
class CCell
{
  public:
    enum EState
    {
        kIdle = 0,
        kRepainting = 1,
        kAppearing = 2,
        kVanishing = 3,
        kMoving = 4,
        kGone = 5,
    };
    static constexpr float kMaxSize = 50.0f;
    static constexpr int kHoleGroup = 7;

    // Makes the flower from the game resources' flower sprite (a sprite
    // without frames when there are none) and draws its own animation speed,
    // angle and turning direction.
    CCell(const CVector4& position, float size, int colour, int kind);
    virtual ~CCell();

    void Update(float dt);

    void StartAppearing(float delay);
    void StartVanishing(float delay);
    // The colour is already the new one; the flower shows it half-way through the flip.
    void StartRepaint(float delay);
    void StartMoving(const CVector4& target, bool fade);

    int GetState() const { return m_state; }
    int GetColour() const { return m_colour; }
    // The colour the flower turns to at its next flip.
    void SetColour(int colour) { m_colour = colour; }
    // The colour, shown at once (cells not yet on screen).
    void SetColourShown(int colour);
    bool IsHole() const { return m_hole; }
    void SetHole(bool hole);
    bool IsChanged() const { return m_changed; }
    void SetChanged(bool changed) { m_changed = changed; }
    bool IsLit() const { return m_lit; }
    void SetLit(bool lit) { m_lit = lit; }
    bool IsRaised() const { return m_raised; }
    void SetRaised(bool raised) { m_raised = raised; }
    float GetAlpha() const { return m_alpha; }
    void SetAlpha(float alpha) { m_alpha = alpha; }
    float GetAlphaSpeed() const { return m_alpha_speed; }
    float GetDelay() const { return m_delay; }
    void SetDelay(float delay) { m_delay = delay; }
    float GetSize() const { return m_size; }
    void SetSize(float size) { m_size = size; }
    float GetScale() const { return m_scale; }
    float GetAngle() const { return m_angle; }
    float GetRotationSpeed() const { return m_rotation_speed; }
    void Spin() { m_angle += m_rotation_speed; }
    const CVector4& GetPosition() const { return m_position; }
    void SetPosition(const CVector4& position) { m_position = position; }
    const CVector4& GetTarget() const { return m_target; }

    // Kind 0..4 puts a new coin on the cell; -1 takes it off the rules at once,
    // its picture staying until the next flip starts.
    void SetCoin(int kind);
    int GetCoin() const { return m_coin_kind; }
    bool HasPreviousCoinPicture() const { return m_previous_coin != nullptr; }

    const CSpriteInstance& GetFlower() const { return m_flower; }

    // Drawing: each is harmless without a GL context or texture.
    void DrawFlower(bool bindTexture) const;
    // The quad DrawFlower(false) draws, added to a batch of the flower texture.
    void AddFlower(CSpriteBatch& batch) const;
    void DrawCoin() const;
    void DrawOutline(bool bindTexture) const;
    // The still picture of the level: opaque, first frame, no coin.
    void DrawPreview() const;

  private:
    void UpdateFlip(float dt);
    CSpriteInstance FlowerOfSize(float size) const;
    void DrawFlowerAt(float size, float r, float g, float b, float a, bool bindTexture) const;

    int m_state = kAppearing;
    float m_alpha = 0.0f;
    float m_alpha_speed = 0.0f;
    bool m_hole = false;
    bool m_lit = true;
    bool m_raised = false;
    float m_size = 0.0f;
    float m_scale = 1.0f;
    int m_colour = 0;
    CSpriteInstance m_flower;
    int m_coin_kind = -1;
    std::unique_ptr<CSpriteInstance> m_coin;          // owned; null without a coin
    std::unique_ptr<CSpriteInstance> m_previous_coin; // owned; a removed coin still drawn
    bool m_changed = false;
    float m_angle = 0.0f;
    float m_rotation_speed = 0.5f;
    float m_delay = 0.0f;
    CVector4 m_target;
    bool m_fade_while_moving = false;
    CVector4 m_position;
};
} // namespace NGame
