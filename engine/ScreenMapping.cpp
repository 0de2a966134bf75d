#include "engine/ScreenMapping.h"

#include <cmath>

CScreenMapping::CScreenMapping(int logicalWidth, int logicalHeight)
    : m_logical_width(logicalWidth), m_logical_height(logicalHeight), m_window_width(logicalWidth),
      m_window_height(logicalHeight), m_drawable_width(logicalWidth), m_drawable_height(logicalHeight)
{
    Fit();
}

void CScreenMapping::SetLogicalSize(int width, int height)
{
    m_logical_width = width;
    m_logical_height = height;
    Fit();
}

void CScreenMapping::SetWindowSize(int windowWidth, int windowHeight, int drawableWidth, int drawableHeight)
{
    m_window_width = windowWidth;
    m_window_height = windowHeight;
    m_drawable_width = drawableWidth > 0 ? drawableWidth : windowWidth;
    m_drawable_height = drawableHeight > 0 ? drawableHeight : windowHeight;
    Fit();
}

void CScreenMapping::Fit()
{
    const long long dw = m_drawable_width, dh = m_drawable_height;
    const long long lw = m_logical_width, lh = m_logical_height;
    if (dw <= 0 || dh <= 0 || lw <= 0 || lh <= 0)
    {
        m_viewport = {0, 0, m_logical_width, m_logical_height};
        return;
    }
    // Integer arithmetic, so the side that fits is exactly the drawable's and
    // an 800 x 600 window is exactly the logical screen.
    long long width = dw, height = dh;
    if (dw * lh <= dh * lw)
        height = (dw * lh + lw / 2) / lw;
    else
        width = (dh * lw + lh / 2) / lh;
    const long long top = (dh - height) / 2;
    m_viewport.x = static_cast<int>((dw - width) / 2);
    m_viewport.y = static_cast<int>(dh - top - height);
    m_viewport.width = static_cast<int>(width);
    m_viewport.height = static_cast<int>(height);
}

float CScreenMapping::GetScale() const
{
    if (m_logical_width <= 0)
        return 1.0f;
    return static_cast<float>(m_viewport.width) / static_cast<float>(m_logical_width);
}

bool CScreenMapping::IsNativeSize() const
{
    return m_viewport.width == m_logical_width && m_viewport.height == m_logical_height;
}

bool CScreenMapping::HasMargins() const
{
    return m_viewport.width != m_drawable_width || m_viewport.height != m_drawable_height;
}

void CScreenMapping::ToLogical(int x, int y, int& lx, int& ly) const
{
    lx = x;
    ly = y;
    if (m_window_width <= 0 || m_window_height <= 0 || m_viewport.width <= 0 || m_viewport.height <= 0)
        return;
    // The centre of the window pixel, in drawable pixels from the viewport's top-left corner.
    const int viewportTop = m_drawable_height - m_viewport.y - m_viewport.height;
    const double dx = (x + 0.5) * m_drawable_width / m_window_width - m_viewport.x;
    const double dy = (y + 0.5) * m_drawable_height / m_window_height - viewportTop;
    lx = static_cast<int>(std::floor(dx * m_logical_width / m_viewport.width));
    ly = static_cast<int>(std::floor(dy * m_logical_height / m_viewport.height));
}

void CScreenMapping::ToWindow(int lx, int ly, int& x, int& y) const
{
    x = lx;
    y = ly;
    if (m_drawable_width <= 0 || m_drawable_height <= 0 || m_logical_width <= 0 || m_logical_height <= 0)
        return;
    const int viewportTop = m_drawable_height - m_viewport.y - m_viewport.height;
    const double dx = (lx + 0.5) * m_viewport.width / m_logical_width + m_viewport.x;
    const double dy = (ly + 0.5) * m_viewport.height / m_logical_height + viewportTop;
    x = static_cast<int>(std::floor(dx * m_window_width / m_drawable_width));
    y = static_cast<int>(std::floor(dy * m_window_height / m_drawable_height));
}
