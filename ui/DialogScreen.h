// A screen drawn as a panel over the current screen. Esc closes it with
// result 1, Enter with result 0; mouse positions arrive relative to the panel.
#pragma once

#include "ui/LayoutScreen.h"

class CDialogScreen : public CLayoutScreen
{
public:
    CDialogScreen();

    void Render() override;                                      // slot 2
    void OnKeyDown(int virtualKey) override;                     // slot 4
    void OnControl(CControl* sender) override = 0;               // slot 10

    // Called by the opener right after construction.
    void SetVirtualSize(int width, int height);
    void SetDimming(bool dimming) { m_dimming = dimming; }
    bool IsDimming() const { return m_dimming; }
    void SetPanelPosition(int x, int y);
    void SetPanelSize(int width, int height);

    int GetVirtualWidth() const { return static_cast<int>(m_layout_width); }
    int GetVirtualHeight() const { return static_cast<int>(m_layout_height); }
    float GetPanelX() const { return m_x; }
    float GetPanelY() const { return m_y; }
    int GetPanelWidth() const { return m_width; }
    int GetPanelHeight() const { return m_height; }

    // Covers the whole layout space in the colour (only while dimming is on).
    void DrawDimmer(float r, float g, float b, float a);

    // Client pixels to the panel's own coordinates.
    void ToPanel(int x, int y, int& px, int& py) const { ToLayout(x, y, px, py); }

protected:
    void ToLayout(int x, int y, int& px, int& py) const override;

    bool m_dimming = false;
    float m_x = 0.0f;
    float m_y = 0.0f;
    int m_width = 100;
    int m_height = 100;
};
