// A page of the program: a container of controls that the frame feeds with
// window messages. The virtual operations keep their fixed slot order; derived
// screens override them slot by slot. A screen refers to its controls, never owns them.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

class CControl;
class CSprite;

class CScreen
{
  public:
    CScreen();
    virtual ~CScreen();                                          // slot 0
    virtual void Update(float dt);                               // slot 1
    virtual void Render();                                       // slot 2
    virtual void Activate();                                     // slot 3
    virtual void OnKeyDown(int virtualKey);                      // slot 4
    virtual void OnChar(uint16_t character, int repeat);         // slot 5
    virtual void OnMouseMove(int x, int y, uint32_t keyFlags);   // slot 6
    virtual void OnLButtonUp(int x, int y, uint32_t keyFlags);   // slot 7
    virtual void OnLButtonDown(int x, int y, uint32_t keyFlags); // slot 8
    virtual void OnRButtonUp(int x, int y, uint32_t keyFlags);   // slot 9
    virtual void OnControl(CControl* sender);                    // slot 10
    virtual void OnDialogClosed(int result, std::unique_ptr<CScreen> dialog); // slot 11
    virtual void OnScreenClosed(std::unique_ptr<CScreen> closed);             // slot 12
    virtual void OnCloseRequest();                               // slot 13
    // A pad's button (an NPlatform::EPadButton). By default the d-pad and the
    // stick are the arrow keys, A is Space, B is Escape and the shoulders walk
    // the focus order back and forth; Start does nothing.
    virtual void OnPadButton(int button);                        // slot 14

    // Appends to the controls every event is offered to, in insertion order.
    void AddControl(CControl* control);
    const std::vector<CControl*>& GetControls() const { return m_controls; }

    void SetResult(int result) { m_result = result; }
    int GetResult() const { return m_result; }

    // Whether a press on the background drags the main window (windowed mode only).
    void SetMovable(bool movable) { m_movable = movable; }
    bool IsMovable() const { return m_movable; }
    bool IsDragging() const { return m_dragging; }

    // Logical pixels (as the frame delivers the mouse) to a layout space of the
    // given size: x' = trunc(x / (logical width / layout width)), the same for y.
    // Full-screen windows call it in their mouse operations before CScreen's.
    static void ScaleToLayout(int x, int y, int layoutWidth, int layoutHeight, int& lx, int& ly);

    // Keyboard focus. The controls the focus walks, in Tab order, and the one
    // it lands on first (the window's default: Play, Start, OK...). A screen
    // without an order has no focus.
    void SetFocusOrder(std::vector<CControl*> order, CControl* defaultControl);
    // The focused control while the focus ring is shown, else null.
    CControl* GetFocus() const;
    // Shows the ring on a control of the order (null hides it).
    void SetFocus(CControl* control);
    // The focus keys: arrows, Tab (back with Shift), Space and Enter. The first
    // of them only shows the ring on the default control; later ones move it
    // or press the focused control. True when the key was spent so; false
    // leaves the key its old meaning (Enter while no ring shows, Escape always).
    // Screens call it first in OnKeyDown.
    bool HandleFocusKey(int virtualKey);
    bool HandleFocusKey(int virtualKey, bool shiftHeld);
    // Whether the player steers with keys or a pad: a screen then shows its
    // ring as soon as it is shown. A mouse press ends it.
    static bool IsKeyboardInUse();
    static void SetKeyboardInUse(bool inUse);

    // The program's one mouse pointer sprite (not owned; null draws nothing).
    static void SetPointerSprite(CSprite* sprite);
    static CSprite* GetPointerSprite();

  protected:
    // Draws the pointer sprite at the cursor; the last step of a screen's Render.
    void DrawPointer();
    // Advances the pointer's animation by trunc(dt) milliseconds.
    void UpdatePointer(float dt);
    // The ring around the focused control (CScreen::Render draws it last).
    void DrawFocusRing() const;
    // The next focusable control from the focused one: along the order
    // (step +1 or -1, wrapping), or the nearest in an arrow's direction.
    int NextInOrder(int step) const;
    // Tab's walk without a key: shows the ring (on the default) or moves it one step.
    void StepFocus(int step);
    int NearestToward(int dx, int dy) const;

    std::vector<CControl*> m_controls;
    int m_result = 0;
    bool m_dragging = false;
    bool m_movable = false;
    int m_anchor_x = 0; // drag anchor, desktop pixels
    int m_anchor_y = 0;
    std::vector<CControl*> m_focus_order;
    CControl* m_default_focus = nullptr;
    int m_focus = -1; // index into m_focus_order
    bool m_focus_shown = false;
};
