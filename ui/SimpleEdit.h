// One-line text box (the name entry). Only printable ASCII (32..126) ever enters
// the text, which never grows past its maximum length; excess input is cut off silently.
#pragma once

#include "engine/Vector4.h"
#include "ui/Control.h"

#include <functional>
#include <string>

class CBitmapText;
class CScreen;

class CSimpleEdit : public CControl
{
public:
    enum EFocus
    {
        kUnfocused = 1,
        kFocused = 2,
    };
    static constexpr int kFrames = 2;
    static constexpr int kBufferSize = 1024; // the text holds at most kBufferSize - 1 characters
    static constexpr float kTextInset = 7.0f;
    static constexpr float kCaretWidth = 3.0f;
    static constexpr float kBlinkPeriod = 500.0f;

    // Virtual-key codes the box reacts to.
    static constexpr int kKeyBackspace = 8;
    static constexpr int kKeyEnd = 35;
    static constexpr int kKeyHome = 36;
    static constexpr int kKeyLeft = 37;
    static constexpr int kKeyRight = 39;
    static constexpr int kKeyInsert = 45;
    static constexpr int kKeyDelete = 46;
    static constexpr int kKeyV = 86;

    // The live keyboard modifiers and the clipboard, read at the moment of a key-down.
    // The platform layer by default; tests put their own in place.
    struct SKeyboard
    {
        bool (*is_control_held)();
        bool (*is_shift_held)();
        // False when the clipboard holds no text or cannot be read.
        bool (*get_clipboard_text)(std::string& text);
    };
    static void SetKeyboard(const SKeyboard* keyboard); // null restores the platform's

    // Owner, font and background (two frames: unfocused, focused) are borrowed.
    CSimpleEdit(CScreen* owner, const CBitmapText* font, float fontSize, const CTexture* background);

    bool OnMouseMove(int x, int y, uint32_t keyFlags) override;
    bool OnLButtonUp(int x, int y, uint32_t keyFlags) override;
    bool OnLButtonDown(int x, int y, uint32_t keyFlags) override;
    void OnKeyDown(int virtualKey) override;
    void OnChar(uint16_t character, int repeat) override;
    void Update(float dt) override;
    void Render() override;
    bool IsFocusable() const override { return m_visible; }
    void GetFocusArea(float& x, float& y, float& width, float& height) const override;
    // The box keeps its editing keys (and Space, which types as a character);
    // Up, Down and Tab still move the focus, Enter keeps its old meaning.
    bool TakeFocusKey(int virtualKey) override;

    void SetPosition(float x, float y, float z);
    void LoadLayout(const CKeyValueFile& layout, const std::string& name);
    // Clamped to 0 .. kBufferSize - 1.
    void SetMaxLength(int maxLength);
    void SetFocus(bool focus) { m_focus = focus ? kFocused : kUnfocused; }
    void SetVisible(bool visible) { m_visible = visible; }
    void SetColour(float r, float g, float b, float a);

    const char* GetText() const { return m_text.c_str(); }
    int GetCaret() const { return m_caret; }
    int GetFocus() const { return m_focus; }
    int GetMaxLength() const { return m_max_length; }
    bool IsCaretShown() const { return m_caret_shown; }
    const CVector4& GetPosition() const { return m_position; }

    // Pastes text as Ctrl+V would: bytes outside 32..126 become spaces.
    void Paste(const std::string& clipboard);

    // Decides on the whole text an edit would leave: typing, pasting or deleting
    // that would give a refused text changes nothing. Empty accepts everything.
    using Filter = std::function<bool(const std::string& text)>;
    void SetFilter(Filter filter) { m_filter = std::move(filter); }

private:
    bool Hit(int px, int py) const { return IsInside(m_position.x, m_position.y, m_width, m_height, px, py); }
    void Insert(const std::string& s);
    // False when nothing was removed (out of range or refused).
    bool RemoveAt(int index);
    void PasteFromClipboard();

    CScreen* m_owner;
    const CTexture* m_background;
    CVector4 m_position{0.0f, 0.0f, 0.0f, 1.0f};
    // Replaced from the background at every Render.
    float m_width = 130.0f;
    float m_height = 60.0f;
    int m_focus = kUnfocused;
    float m_colour[4] = {1.0f, 1.0f, 0.0f, 1.0f};
    const CBitmapText* m_font;
    float m_font_size;
    std::string m_text;
    int m_max_length = 10;
    bool m_visible = true;
    bool m_caret_shown = false;
    float m_blink_period = kBlinkPeriod;
    float m_blink_timer = 0.0f;
    int m_caret = 0;
    Filter m_filter;
};
