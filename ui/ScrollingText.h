// Word-wrapped text block on the bitmap font (help pages). Carriage returns break
// lines, line feeds are dropped; a word wider than the width is never split.
#pragma once

#include <string>
#include <vector>

class CBitmapText;

class CScrollingText
{
public:
    static constexpr float kDepth = 10.0f;

    // The font is borrowed and must outlive the text.
    CScrollingText(const CBitmapText* font, float width, float size, int visibleLines);
    virtual ~CScrollingText() = default;

    // Wraps the first length bytes of text (stopping early at a NUL), replacing the previous lines.
    void SetText(const char* text, int length);
    // The first visible lines, base line y for the first and size further down for each next one.
    void Draw(float x, float y, float r, float g, float b, float a) const;

    const std::vector<std::string>& GetLines() const { return m_lines; }
    // How many lines Draw shows.
    int GetShownLineCount() const;

private:
    const CBitmapText* m_font;
    std::vector<std::string> m_lines;
    float m_width;
    float m_size;
    int m_visible_lines;
};
