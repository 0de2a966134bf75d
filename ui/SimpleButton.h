// Push button with four frames (normal, hover, pressed, disabled). It reports
// to its screen on the press, once per press; the state is also the frame drawn.
#pragma once

#include "engine/Vector4.h"
#include "ui/Control.h"

class CScreen;

class CSimpleButton : public CControl
{
public:
    enum EState
    {
        kNormal = 1,
        kHover = 2,
        kPressed = 3,
        kDisabled = 4,
    };
    static constexpr int kFrames = 4;

    // The owner and texture are borrowed; the size comes from the texture.
    CSimpleButton(CScreen* owner, const CTexture* texture);

    bool OnMouseMove(int x, int y, uint32_t keyFlags) override;
    bool OnLButtonUp(int x, int y, uint32_t keyFlags) override;
    bool OnLButtonDown(int x, int y, uint32_t keyFlags) override;
    void Render() override;
    void Reset() override;
    bool SetDisabled(bool disabled) override;
    bool IsFocusable() const override { return m_visible && !m_disabled; }
    void GetFocusArea(float& x, float& y, float& width, float& height) const override;
    // Reports to the screen as a press of the mouse does.
    bool Press() override;

    void SetPosition(float x, float y, float z);
    void LoadLayout(const CKeyValueFile& layout, const std::string& name);
    // An invisible button neither draws nor reacts to the mouse.
    void SetVisible(bool visible) { m_visible = visible; }
    bool IsVisible() const { return m_visible; }
    // Whether the input's current cursor is on the button; changes nothing.
    bool IsCursorOver() const;

    int GetState() const { return m_state; }
    const CVector4& GetPosition() const { return m_position; }
    float GetWidth() const { return m_width; }
    float GetHeight() const { return m_height; }

private:
    bool Hit(int px, int py) const { return IsInside(m_position.x, m_position.y, m_width, m_height, px, py); }

    CScreen* m_owner;
    const CTexture* m_texture;
    CVector4 m_position{0.0f, 0.0f, 0.0f, 1.0f};
    float m_width = 0.0f;
    float m_height = 0.0f;
    int m_state = kNormal;
    bool m_visible = true;
};
