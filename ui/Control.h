// The base of every widget on a screen. A true result from a mouse operation
// means the cursor is on the control or it took the press (it cancels window dragging).
#pragma once

#include <cstdint>

class CControl
{
public:
    virtual ~CControl() = default;                                        // slot 0
    virtual bool OnMouseMove(int x, int y, uint32_t keyFlags) { (void)x; (void)y; (void)keyFlags; return false; }   // slot 1
    virtual bool OnLButtonUp(int x, int y, uint32_t keyFlags) { (void)x; (void)y; (void)keyFlags; return false; }   // slot 2
    virtual bool OnRButtonUp(int x, int y, uint32_t keyFlags) { (void)x; (void)y; (void)keyFlags; return false; }   // slot 3
    virtual bool OnLButtonDown(int x, int y, uint32_t keyFlags) { (void)x; (void)y; (void)keyFlags; return false; } // slot 4
    virtual void OnKeyDown(int virtualKey) { (void)virtualKey; }           // slot 5
    virtual void OnChar(uint16_t character, int repeat) { (void)character; (void)repeat; } // slot 6
    virtual void Update(float dt) { (void)dt; }                            // slot 7
    virtual void Render() {}                                               // slot 8
    virtual void Reset() {}                                                // slot 9
    virtual bool SetDisabled(bool disabled) { m_disabled = disabled; return m_disabled; } // slot 10
    virtual bool IsDisabled() const { return m_disabled; }                 // slot 11

protected:
    bool m_disabled = false;
};
