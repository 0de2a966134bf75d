// One tutorial or wrong-colour hint on the game screen: the record's picture
// with a check box that keeps hints on. It fades in, fades out after a press
// anywhere but on its box, and is finished once faded out; the game deletes it.
#pragma once

#include "ui/SimpleCheckBox.h"

#include <cstdint>
#include <memory>

class CScreen;
class CSprite;
class CTexture;

namespace NGame
{
class CHintPanel
{
  public:
    static constexpr float kFadeSpeed = 0.1f; // alpha per kFadeStepMs
    static constexpr float kFadeStepMs = 30.0f;

    // index: a hint record of the game resources; the box reports to owner.
    CHintPanel(int index, CScreen* owner);
    ~CHintPanel();
    CHintPanel(const CHintPanel&) = delete;
    CHintPanel& operator=(const CHintPanel&) = delete;

    // True once the panel has faded out; the hints setting then follows the box.
    bool Update(float dt);
    void Draw() const;
    void OnMouseMove(int x, int y, uint32_t flags);
    void OnLButtonDown(int x, int y, uint32_t flags);
    void OnLButtonUp(int x, int y, uint32_t flags);
    // Fades the panel out, as a press beside its box does.
    void Dismiss();
    // Moves the record (so later panels of it start there too) and the box with it.
    void MoveTo(float x, float y);

    int GetIndex() const { return m_index; }
    float GetAlpha() const { return m_alpha; }
    float GetAlphaSpeed() const { return m_alpha_speed; }
    bool IsClosing() const { return m_alpha_speed < 0.0f; }
    CSimpleCheckBox& GetCheckBox() { return *m_check_box; }

  private:
    // Panel 0 shows how to play with four animated illustrations.
    void UpdateIllustrations(float dt);

    std::unique_ptr<CSimpleCheckBox> m_check_box;
    int m_index = 0;
    CTexture* m_picture = nullptr; // the game resources', held while this panel lives
    bool m_holds_picture = false;
    float m_alpha = 0.0f;
    float m_alpha_speed = kFadeSpeed;
    // Panel 0 only: gameplay, half, skin and coin illustrations (copies).
    std::unique_ptr<CSprite> m_illustrations[4];
};
} // namespace NGame
