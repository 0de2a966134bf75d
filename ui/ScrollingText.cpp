#include "ui/ScrollingText.h"

#include "ui/BitmapText.h"

#include <algorithm>

CScrollingText::CScrollingText(const CBitmapText* font, float width, float size, int visibleLines)
    : m_font(font), m_width(width), m_size(size), m_visible_lines(visibleLines)
{
}

void CScrollingText::SetText(const char* text, int length)
{
    std::string source;
    if (text != nullptr)
        for (int i = 0; i < length && text[i] != 0; ++i)
            source.push_back(text[i]);
    source.push_back('\r'); // flushes the last line

    auto measure = [this](const std::string& s) { return m_font != nullptr ? m_font->MeasureText(s.c_str(), m_size) : 0.0f; };

    m_lines.clear();
    std::string line;
    std::string word;
    for (char c : source)
    {
        if (c != ' ' && c != '\r')
        {
            if (c != '\n')
                word.push_back(c);
            continue;
        }
        if (measure(line) + measure(word) >= m_width)
        {
            m_lines.push_back(line);
            line = word + ' ';
        }
        else
        {
            line += word;
            line += ' ';
        }
        word.clear();
        if (c == '\r')
        {
            m_lines.push_back(line);
            line.clear();
        }
    }
}

int CScrollingText::GetShownLineCount() const
{
    return std::clamp(m_visible_lines, 0, static_cast<int>(m_lines.size()));
}

void CScrollingText::Draw(float x, float y, float r, float g, float b, float a) const
{
    if (m_font == nullptr)
        return;
    const int shown = GetShownLineCount();
    for (int n = 0; n < shown; ++n)
        m_font->DrawText(m_lines[n].c_str(), m_size, x, y + m_size * n, kDepth, r, g, b, a, false, false);
}
