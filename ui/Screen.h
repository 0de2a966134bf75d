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

    // The program's one mouse pointer sprite (not owned; null draws nothing).
    static void SetPointerSprite(CSprite* sprite);
    static CSprite* GetPointerSprite();

  protected:
    // Draws the pointer sprite at the cursor; the last step of a screen's Render.
    void DrawPointer();
    // Advances the pointer's animation by trunc(dt) milliseconds.
    void UpdatePointer(float dt);

    std::vector<CControl*> m_controls;
    int m_result = 0;
    bool m_dragging = false;
    bool m_movable = false;
    int m_anchor_x = 0; // drag anchor, desktop pixels
    int m_anchor_y = 0;
};
