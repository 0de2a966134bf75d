// The base of every widget on a screen. A true result from a mouse operation
// means the cursor is on the control or it took the press (it cancels window dragging).
// Controls take layout coordinates (800 x 600, origin top-left, y downward).
#pragma once

#include <cstdint>
#include <functional>
#include <string>

class CKeyValueFile;
class CTexture;

class CControl
{
public:
    // Where the cursor is, in client pixels; tests put their own source in place.
    using CursorSource = std::function<void(int& x, int& y)>;

    CControl() = default;
    CControl(const CControl&) = delete;
    CControl& operator=(const CControl&) = delete;

    virtual ~CControl() = default;                                     // slot 0
    virtual bool OnMouseMove(int x, int y, uint32_t keyFlags);         // slot 1
    virtual bool OnLButtonUp(int x, int y, uint32_t keyFlags);         // slot 2
    virtual bool OnRButtonUp(int x, int y, uint32_t keyFlags);         // slot 3
    virtual bool OnLButtonDown(int x, int y, uint32_t keyFlags);       // slot 4
    virtual void OnKeyDown(int virtualKey);                            // slot 5
    virtual void OnChar(uint16_t character, int repeat);               // slot 6
    virtual void Update(float dt);                                     // slot 7
    virtual void Render();                                             // slot 8
    virtual void Reset();                                              // slot 9
    virtual bool SetDisabled(bool disabled);                           // slot 10
    virtual bool IsDisabled() const;                                   // slot 11

    // Keyboard and gamepad focus, after the fixed slots.
    // Whether the focus may rest on the control now (shown, enabled).
    virtual bool IsFocusable() const;                                  // slot 12
    // The rectangle the focus ring surrounds, layout units.
    virtual void GetFocusArea(float& x, float& y, float& width, float& height) const; // slot 13
    // Enter or Space on the focused control: what a click would do. False
    // when the control has no such action (the key keeps its old meaning).
    virtual bool Press();                                              // slot 14
    // Keys the focused control keeps for itself instead of moving the focus
    // (a slider's Left and Right, an edit box's typing keys); true when taken.
    virtual bool TakeFocusKey(int virtualKey);                         // slot 15

    // The hit rule: bounds truncated toward zero, all four included.
    static bool IsInside(float x, float y, float width, float height, int px, int py);

    // Current cursor position from the application's input (0, 0 without one).
    static void GetCursor(int& x, int& y);
    static void SetCursorSource(CursorSource source);

    // Position from a layout file: name.x, name.y, name.z, each 0 when absent.
    static void ReadLayout(const CKeyValueFile& layout, const std::string& name, float& x, float& y, float& z);

protected:
    // Frame k (1-based) of a texture holding `frames` states stacked vertically,
    // drawn blended as one quad from (x, y) to (x + width, y + height).
    static void DrawFrame(const CTexture* texture, int frame, int frames, float x, float y, float width, float height);

    bool m_disabled = false;
};
