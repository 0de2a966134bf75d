// Mouse state polled once per frame and the cursor in logical pixels, through
// the frame's mapping of the window onto the logical screen. Keys reach the
// screens as window messages instead.
#pragma once

#include <cstdint>

class CScreenMapping;

struct SMouseState
{
    int x = 0; // movement since the last poll, pixels
    int y = 0;
    int wheel = 0; // not tracked: always 0
    // Held when the high bit (0x80) is set: 0 left, 1 right, 2 middle.
    uint8_t buttons[4] = {0, 0, 0, 0};
};

class CInput
{
  public:
    bool Open();
    void Close();
    bool IsOpen() const { return m_open; }

    // Deactivated input reads as nothing held.
    void SetActive(bool active);
    bool IsActive() const { return m_active; }

    void Poll();
    const SMouseState& GetMouseState() const { return m_mouse; }
    bool IsRightButtonHeld() const { return (m_mouse.buttons[1] & 0x80) != 0; }

    // The mapping the cursor goes through (not owned; null: window pixels as they are).
    void SetScreenMapping(const CScreenMapping* mapping) { m_mapping = mapping; }
    // Cursor in logical pixels.
    void GetCursorPosition(int& x, int& y) const;

  private:
    bool m_open = false;
    bool m_active = false;
    bool m_have_previous = false;
    int m_last_x = 0;
    int m_last_y = 0;
    SMouseState m_mouse;
    const CScreenMapping* m_mapping = nullptr;
};
