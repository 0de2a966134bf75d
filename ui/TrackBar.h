// Horizontal slider: only the thumb (two frames: resting, dragged) is drawn; the
// groove belongs to the window's background. The screen hears of a drag once, at its release.
#pragma once

#include "engine/Vector4.h"
#include "ui/Control.h"

class CScreen;

class CTrackBar : public CControl
{
public:
    static constexpr int kFrames = 2;

    // Owner and texture (the thumb) are borrowed.
    CTrackBar(CScreen* owner, const CTexture* texture);

    bool OnMouseMove(int x, int y, uint32_t keyFlags) override;
    bool OnLButtonUp(int x, int y, uint32_t keyFlags) override;
    bool OnLButtonDown(int x, int y, uint32_t keyFlags) override;
    void Render() override;
    bool IsFocusable() const override { return m_visible; }
    // The whole groove the thumb travels.
    void GetFocusArea(float& x, float& y, float& width, float& height) const override;
    // Left and Right move the thumb by the key step and report at once, as
    // the end of a drag does.
    bool TakeFocusKey(int virtualKey) override;
    void SetKeyStep(float step) { m_key_step = step; }

    void SetPosition(float x, float y, float z);
    void LoadLayout(const CKeyValueFile& layout, const std::string& name);
    void SetRange(float minimum, float maximum);
    void SetValue(float value) { m_value = value; }
    float GetValue() const { return m_value; }
    // Distance over which the thumb's left edge travels from minimum to maximum.
    void SetLength(float length) { m_length = length; }
    void SetVisible(bool visible) { m_visible = visible; }

    // Thumb's left edge relative to the groove's start.
    float GetThumbOffset() const;
    bool IsDragging() const { return m_dragging; }
    const CVector4& GetPosition() const { return m_position; }
    float GetThumbWidth() const { return m_thumb_width; }
    float GetThumbHeight() const { return m_thumb_height; }

private:
    CScreen* m_owner;
    const CTexture* m_texture;
    CVector4 m_position{0.0f, 0.0f, 0.0f, 1.0f};
    float m_value = 5.0f;
    float m_minimum = 0.0f;
    float m_maximum = 10.0f;
    float m_thumb_width = 0.0f;
    float m_thumb_height = 0.0f;
    float m_length = 100.0f;
    bool m_visible = true;
    bool m_dragging = false;
    float m_key_step = 1.0f;
};
