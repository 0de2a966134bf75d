// A copy of what has been drawn in the current viewport, kept in a texture and
// drawn back texel for pixel. A picture that stays the same for many frames is
// drawn once and copied, instead of being drawn again every frame. Harmless
// without a GL context: nothing is taken and nothing drawn.
#pragma once

#include <cstdint>

class CFrameCopy
{
  public:
    CFrameCopy() = default;
    CFrameCopy(const CFrameCopy&) = delete;
    CFrameCopy& operator=(const CFrameCopy&) = delete;
    ~CFrameCopy();

    // Copies the viewport's pixels of the picture drawn so far. False without
    // a context, or where the driver cannot hold a texture of the viewport's
    // size (then no copy is held).
    bool Take();
    // True when a copy is held and the viewport is still the one it was taken in.
    bool FitsViewport() const;
    // Draws the copy over the viewport, opaque, whatever the matrices; nothing
    // when it does not fit the viewport.
    void Draw() const;
    void Release();

  private:
    uint32_t m_texture = 0;
    int m_viewport[4] = {0, 0, 0, 0};
    int m_texture_width = 0;
    int m_texture_height = 0;
    bool m_valid = false;
};
