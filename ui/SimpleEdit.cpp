#include "ui/SimpleEdit.h"

#include "engine/GLHeaders.h"
#include "engine/Texture.h"
#include "platform/Events.h"
#include "platform/Keyboard.h"
#include "ui/BitmapText.h"
#include "ui/Screen.h"

#include <algorithm>

namespace
{
const CSimpleEdit::SKeyboard kPlatformKeyboard = {&NPlatform::IsControlHeld, &NPlatform::IsShiftHeld,
                                                  &NPlatform::GetClipboardText};
const CSimpleEdit::SKeyboard* g_keyboard = &kPlatformKeyboard;

bool IsPrintable(unsigned int c)
{
    return c >= 32 && c <= 126;
}
} // namespace

void CSimpleEdit::SetKeyboard(const SKeyboard* keyboard)
{
    g_keyboard = keyboard != nullptr ? keyboard : &kPlatformKeyboard;
}

CSimpleEdit::CSimpleEdit(CScreen* owner, const CBitmapText* font, float fontSize, const CTexture* background)
    : m_owner(owner), m_background(background), m_font(font), m_font_size(fontSize)
{
}

void CSimpleEdit::SetPosition(float x, float y, float z)
{
    m_position = CVector4(x, y, z, 1.0f);
}

void CSimpleEdit::LoadLayout(const CKeyValueFile& layout, const std::string& name)
{
    float x, y, z;
    ReadLayout(layout, name, x, y, z);
    SetPosition(x, y, z);
}

void CSimpleEdit::SetMaxLength(int maxLength)
{
    m_max_length = std::clamp(maxLength, 0, kBufferSize - 1);
}

void CSimpleEdit::SetColour(float r, float g, float b, float a)
{
    m_colour[0] = r;
    m_colour[1] = g;
    m_colour[2] = b;
    m_colour[3] = a;
}

void CSimpleEdit::Update(float dt)
{
    m_blink_timer += dt;
    if (m_blink_timer > m_blink_period)
    {
        m_caret_shown = !m_caret_shown;
        m_blink_timer = 0.0f;
    }
}

void CSimpleEdit::Render()
{
    if (m_background != nullptr)
    {
        m_width = static_cast<float>(m_background->GetWidth());
        m_height = static_cast<float>(m_background->GetHeight()) / kFrames;
    }
    if (!m_visible || !NGL::IsContextAvailable())
        return;
    DrawFrame(m_background, m_focus, kFrames, m_position.x, m_position.y, m_width, m_height);

    const float margin = (m_height - m_font_size) / 2.0f;
    if (m_caret_shown && m_focus == kFocused)
    {
        const std::string before = m_text.substr(0, static_cast<size_t>(m_caret));
        const float caretX =
            m_position.x + kTextInset + (m_font != nullptr ? m_font->MeasureText(before.c_str(), m_font_size) : 0.0f);
        glDisable(GL_TEXTURE_2D);
        glColor4f(m_colour[0], m_colour[1], m_colour[2], m_colour[3]);
        glBegin(GL_TRIANGLE_STRIP);
        glVertex2f(caretX, m_position.y + m_height - margin);
        glVertex2f(caretX, m_position.y + margin);
        glVertex2f(caretX + kCaretWidth, m_position.y + m_height - margin);
        glVertex2f(caretX + kCaretWidth, m_position.y + margin);
        glEnd();
    }
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    if (m_font != nullptr)
    {
        glPushMatrix();
        glTranslatef(0.0f, 0.0f, 0.5f);
        m_font->DrawTextOutlined(m_text.c_str(), m_font_size, m_position.x + kTextInset,
                                 m_position.y + m_height - margin, 20.0f, m_colour[0], m_colour[1], m_colour[2],
                                 m_colour[3]);
        glPopMatrix();
    }
    glDisable(GL_BLEND);
}

bool CSimpleEdit::OnMouseMove(int x, int y, uint32_t)
{
    // Being "on the control" keeps a window drag from starting over the box.
    return m_visible && Hit(x, y);
}

bool CSimpleEdit::OnLButtonDown(int x, int y, uint32_t)
{
    if (!m_visible)
        return false;
    if (Hit(x, y))
    {
        m_focus = kFocused;
        return true;
    }
    m_focus = kUnfocused;
    return false;
}

bool CSimpleEdit::OnLButtonUp(int x, int y, uint32_t)
{
    if (m_visible && Hit(x, y))
    {
        m_focus = kFocused;
        return true;
    }
    return false;
}

void CSimpleEdit::OnKeyDown(int key)
{
    if (!m_visible || m_focus != kFocused)
        return;
    const int length = static_cast<int>(m_text.size());
    if (key == kKeyBackspace && m_caret > 0)
    {
        if (RemoveAt(m_caret - 1))
            --m_caret;
        m_caret_shown = true;
    }
    else if (key == kKeyDelete && m_caret < length)
    {
        RemoveAt(m_caret);
        m_caret_shown = true;
    }
    else if (key == kKeyHome)
    {
        m_caret = 0;
        m_caret_shown = true;
    }
    else if (key == kKeyEnd)
    {
        m_caret = length;
        m_caret_shown = true;
    }
    else if (key == kKeyV && g_keyboard->is_control_held())
    {
        PasteFromClipboard();
    }
    else if (key == kKeyInsert && g_keyboard->is_shift_held())
    {
        PasteFromClipboard();
    }
    else if (key == kKeyLeft && m_caret > 0)
    {
        --m_caret;
        m_caret_shown = true;
    }
    else if (key == kKeyRight && m_caret < length)
    {
        ++m_caret;
        m_caret_shown = true;
    }
}

void CSimpleEdit::OnChar(uint16_t character, int)
{
    if (!m_visible || m_focus != kFocused || !IsPrintable(character))
        return;
    Insert(std::string(1, static_cast<char>(character)));
}

void CSimpleEdit::PasteFromClipboard()
{
    std::string clipboard;
    if (g_keyboard->get_clipboard_text(clipboard))
        Paste(clipboard);
}

void CSimpleEdit::Paste(const std::string& clipboard)
{
    std::string clean = clipboard;
    for (char& c : clean)
        if (!IsPrintable(static_cast<unsigned char>(c)))
            c = ' ';
    Insert(clean);
}

void CSimpleEdit::Insert(const std::string& s)
{
    const size_t caret = std::min(static_cast<size_t>(m_caret), m_text.size());
    std::string text = m_text.substr(0, caret) + s + m_text.substr(caret);
    if (text.size() > static_cast<size_t>(kBufferSize - 1))
        text.resize(kBufferSize - 1);
    if (text.size() > static_cast<size_t>(m_max_length))
        text.resize(m_max_length);
    if (m_filter && !m_filter(text))
        return;
    // Long pastes are cut before the caret moves, so the sum cannot overflow.
    const size_t moved = std::min(caret + s.size(), static_cast<size_t>(kBufferSize - 1));
    m_caret = std::min(static_cast<int>(moved), m_max_length);
    m_text = std::move(text);
}

bool CSimpleEdit::RemoveAt(int index)
{
    if (index < 0 || index >= static_cast<int>(m_text.size()))
        return false;
    std::string text = m_text;
    text.erase(static_cast<size_t>(index), 1);
    if (m_filter && !m_filter(text))
        return false;
    m_text = std::move(text);
    return true;
}

void CSimpleEdit::GetFocusArea(float& x, float& y, float& width, float& height) const
{
    x = m_position.x, y = m_position.y, width = m_width, height = m_height;
}

bool CSimpleEdit::TakeFocusKey(int virtualKey)
{
    if (virtualKey == NPlatform::kVkUp || virtualKey == NPlatform::kVkDown || virtualKey == NPlatform::kVkTab ||
        virtualKey == NPlatform::kVkReturn || virtualKey == NPlatform::kVkEscape)
        return false;
    OnKeyDown(virtualKey);
    return true;
}
