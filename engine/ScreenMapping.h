// Where the logical screen sits in the window: scaled uniformly to the largest
// size that fits, centred, the rest left as margins. Mouse events come in
// window pixels, GL draws in drawable pixels (more of them on a HiDPI screen);
// this is the one rule between those and the logical pixels every screen uses.
#pragma once

// A rectangle of drawable pixels, as glViewport and glScissor take it: y counts
// from the bottom of the drawable.
struct SViewport
{
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

class CScreenMapping
{
  public:
    // Until told otherwise the window is exactly the logical screen.
    CScreenMapping(int logicalWidth = 800, int logicalHeight = 600);

    void SetLogicalSize(int width, int height);
    // A drawable side of 0 or less is taken to be the window's (no HiDPI).
    void SetWindowSize(int windowWidth, int windowHeight, int drawableWidth, int drawableHeight);

    int GetLogicalWidth() const { return m_logical_width; }
    int GetLogicalHeight() const { return m_logical_height; }
    int GetWindowWidth() const { return m_window_width; }
    int GetWindowHeight() const { return m_window_height; }
    int GetDrawableWidth() const { return m_drawable_width; }
    int GetDrawableHeight() const { return m_drawable_height; }

    // The logical screen's place in the drawable.
    const SViewport& GetViewport() const { return m_viewport; }
    // Drawable pixels per logical pixel.
    float GetScale() const;
    // True when a logical pixel is exactly one drawable pixel.
    bool IsNativeSize() const;
    // True when part of the drawable lies outside the logical screen.
    bool HasMargins() const;

    // Window pixels to logical pixels; a point in a margin lands outside
    // 0..logical size, so nothing there is hit.
    void ToLogical(int x, int y, int& lx, int& ly) const;
    // The window pixel under the centre of a logical pixel.
    void ToWindow(int lx, int ly, int& x, int& y) const;

  private:
    void Fit();

    int m_logical_width;
    int m_logical_height;
    int m_window_width;
    int m_window_height;
    int m_drawable_width;
    int m_drawable_height;
    SViewport m_viewport;
};
