#include "ui/Hint.h"

#include "engine/GLHeaders.h"
#include "ui/BitmapText.h"
#include "ui/Control.h"

namespace
{
const CBitmapText* g_font = nullptr;
}

void CHint::SetFont(const CBitmapText* font)
{
    g_font = font;
}

const CBitmapText* CHint::GetFont()
{
    return g_font;
}

CHint::SBox CHint::Place(const CBitmapText& font, const char* text, float x, float y, float size, bool atCursor,
                         bool centred)
{
    int ax = static_cast<int>(x);
    int ay = static_cast<int>(y);
    if (atCursor)
        CControl::GetCursor(ax, ay);
    const float w = font.MeasureText(text, size);
    float offset = kOffset;
    if (ax + w + offset + 2.0f * kMargin > kRightLimit)
        offset = -(2.0f * kMargin + w + 16.0f);
    SBox box;
    box.left = centred ? (kLayoutWidth - w - 2.0f * kMargin) / 2.0f : ax + offset - kMargin;
    box.right = box.left + w + 2.0f * kMargin;
    box.top = ay - kMargin;
    box.bottom = ay + size + kMargin;
    box.text_x = box.left + kMargin;
    box.base_line = ay + size;
    return box;
}

void CHint::Draw(const char* text, float x, float y, float size, bool atCursor, bool centred)
{
    if (g_font == nullptr || text == nullptr)
        return;
    const SBox box = Place(*g_font, text, x, y, size, atCursor, centred);
    // The text goes to the font even without a context: the font's observer sees it.
    if (NGL::IsContextAvailable())
        DrawBox(box);
    g_font->DrawText(text, size, box.text_x, box.base_line, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f, false, false);
}

void CHint::DrawBox(const SBox& box)
{
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_TEXTURE_2D);
    glColor4f(1.0f, 1.0f, 1.0f, 0.75f);
    glBegin(GL_TRIANGLE_STRIP);
    glVertex2f(box.left, box.bottom);
    glVertex2f(box.left, box.top);
    glVertex2f(box.right, box.bottom);
    glVertex2f(box.right, box.top);
    glEnd();

    glLineWidth(2.0f);
    glColor4f(0.0f, 0.0f, 0.75f, 1.0f);
    glBegin(GL_LINE_STRIP);
    glVertex2f(box.left, box.bottom);
    glVertex2f(box.left, box.top);
    glVertex2f(box.right, box.top);
    glVertex2f(box.right, box.bottom);
    glVertex2f(box.left, box.bottom);
    glEnd();
}
