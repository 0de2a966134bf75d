#include "ui/LayoutScreen.h"

CLayoutScreen::CLayoutScreen(float layoutWidth, float layoutHeight)
    : m_layout_width(layoutWidth), m_layout_height(layoutHeight)
{
}

void CLayoutScreen::SetLayoutSize(float width, float height)
{
    m_layout_width = width;
    m_layout_height = height;
}

void CLayoutScreen::ToLayout(int x, int y, int& lx, int& ly) const
{
    ScaleToLayout(x, y, static_cast<int>(m_layout_width), static_cast<int>(m_layout_height), lx, ly);
}

void CLayoutScreen::OnMouseMove(int x, int y, uint32_t keyFlags)
{
    int lx = 0, ly = 0;
    ToLayout(x, y, lx, ly);
    CScreen::OnMouseMove(lx, ly, keyFlags);
}

void CLayoutScreen::OnLButtonUp(int x, int y, uint32_t keyFlags)
{
    int lx = 0, ly = 0;
    ToLayout(x, y, lx, ly);
    CScreen::OnLButtonUp(lx, ly, keyFlags);
}

void CLayoutScreen::OnLButtonDown(int x, int y, uint32_t keyFlags)
{
    int lx = 0, ly = 0;
    ToLayout(x, y, lx, ly);
    CScreen::OnLButtonDown(lx, ly, keyFlags);
}
