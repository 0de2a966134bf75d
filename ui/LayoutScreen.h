// A screen that places its controls in a fixed layout space: mouse positions
// arrive in logical pixels (the frame has mapped the window onto them) and are
// scaled to that space before the controls see them. Without a layout size or
// a frame, logical pixels are layout units.
#pragma once

#include "ui/Screen.h"

class CLayoutScreen : public CScreen
{
public:
    CLayoutScreen(float layoutWidth, float layoutHeight);

    void OnMouseMove(int x, int y, uint32_t keyFlags) override;   // slot 6
    void OnLButtonUp(int x, int y, uint32_t keyFlags) override;   // slot 7
    void OnLButtonDown(int x, int y, uint32_t keyFlags) override; // slot 8

    float GetLayoutWidth() const { return m_layout_width; }
    float GetLayoutHeight() const { return m_layout_height; }

protected:
    void SetLayoutSize(float width, float height);
    // Logical pixels to the layout space; dialogs also take away their panel's place.
    virtual void ToLayout(int x, int y, int& lx, int& ly) const;

    float m_layout_width;
    float m_layout_height;
};
