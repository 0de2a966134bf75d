// Check box with four frames (unticked, unticked under the cursor, ticked, ticked
// under the cursor). It toggles and reports on a release while the cursor is over it.
#pragma once

#include "engine/Vector4.h"
#include "ui/Control.h"

class CScreen;

class CSimpleCheckBox : public CControl
{
public:
    enum EState
    {
        kUnticked = 1,
        kUntickedHover = 2,
        kTicked = 3,
        kTickedHover = 4,
    };
    static constexpr int kFrames = 4;

    // labelWidth extends the clickable area to the right, over the caption the
    // window's background shows there. Owner and texture are borrowed.
    CSimpleCheckBox(CScreen* owner, const CTexture* texture, float labelWidth);

    bool OnMouseMove(int x, int y, uint32_t keyFlags) override;
    bool OnLButtonUp(int x, int y, uint32_t keyFlags) override;
    bool OnLButtonDown(int x, int y, uint32_t keyFlags) override;
    void Render() override;
    bool IsFocusable() const override { return true; }
    // The box and its caption.
    void GetFocusArea(float& x, float& y, float& width, float& height) const override;
    // Toggles and reports, as a click on the box does.
    bool Press() override;

    void SetPosition(float x, float y, float z);
    void LoadLayout(const CKeyValueFile& layout, const std::string& name);
    void SetChecked(bool checked) { m_state = checked ? kTicked : kUnticked; }
    bool IsChecked() const { return m_state > kUntickedHover; }

    int GetState() const { return m_state; }
    const CVector4& GetPosition() const { return m_position; }
    float GetWidth() const { return m_width; }
    float GetHeight() const { return m_height; }

private:
    bool Hit(int px, int py) const
    {
        return IsInside(m_position.x, m_position.y, m_width + m_label_width, m_height, px, py);
    }

    CScreen* m_owner;
    const CTexture* m_texture;
    CVector4 m_position{200.0f, 40.0f, 0.0f, 1.0f};
    float m_width = 0.0f;
    float m_height = 0.0f;
    int m_state = kUnticked;
    float m_label_width;
};
