#include "Font.h"

#include "../Images.h"
#include "Paint.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace NDataGen::NMui
{
namespace
{
constexpr int kWidth = 1024;
constexpr int kHeight = 512;
constexpr double kEm = 62;      // large enough to stay crisp when drawn 50 pixels high
constexpr int kMarkerLeft = 2;
constexpr int kMarkerWidth = 4;
constexpr int kSlotGap = 4;     // transparent columns between glyph slots
constexpr int kLineGap = 6;     // transparent rows between lines
constexpr int kTop = 3;         // first line's top row (surface rows run top-down)

uint32_t* Row(cairo_surface_t* s, int y)
{
    return reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(s) + static_cast<size_t>(y) * cairo_image_surface_get_stride(s));
}
} // namespace

Bytes BuildFontPicture(SFontMetrics& metrics)
{
    cairo_surface_t* surface = NewSurface(kWidth, kHeight);
    cairo_t* cr = cairo_create(surface);
    SelectFont(cr, EFont::Condensed, kEm);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);

    // One band height for all lines: the tallest ascent and deepest descent of the set.
    double ascent = 0, descent = 0;
    std::array<cairo_text_extents_t, 94> ext{};
    for (int i = 0; i < 94; ++i)
    {
        char text[2] = {static_cast<char>(33 + i), 0};
        cairo_text_extents(cr, text, &ext[i]);
        ascent = std::max(ascent, -ext[i].y_bearing);
        descent = std::max(descent, ext[i].height + ext[i].y_bearing);
    }
    // One spare row above and below the ink, covered only by the marker bar.
    int band = static_cast<int>(std::ceil(ascent)) + static_cast<int>(std::ceil(descent)) + 4;
    int baselineOffset = 2 + static_cast<int>(std::ceil(ascent));

    struct SSlot
    {
        int left, right, top;
    };
    std::array<SSlot, 94> slots{};
    int x = kMarkerLeft + kMarkerWidth + kSlotGap, top = kTop;
    std::vector<int> lineTops{top};
    for (int i = 0; i < 94; ++i)
    {
        double inkLeft = std::min(0.0, ext[i].x_bearing);
        double inkRight = std::max(ext[i].x_advance, ext[i].x_bearing + ext[i].width);
        int w = static_cast<int>(std::ceil(inkRight - std::floor(inkLeft))) + 2;
        if (x + w >= kWidth - 2)
        {
            x = kMarkerLeft + kMarkerWidth + kSlotGap;
            top += band + kLineGap;
            lineTops.push_back(top);
        }
        slots[i] = {x, x + w - 1, top};
        char text[2] = {static_cast<char>(33 + i), 0};
        cairo_save(cr);
        cairo_rectangle(cr, x, top + 1, w, band - 2);
        cairo_clip(cr);
        cairo_move_to(cr, x + 1 - std::floor(inkLeft), top + baselineOffset);
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_show_text(cr, text);
        cairo_restore(cr);
        x += w + kSlotGap;
    }
    // The marker bar at the start of every line fixes the line's full height.
    for (int t : lineTops)
    {
        cairo_rectangle(cr, kMarkerLeft, t, kMarkerWidth, band);
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_fill(cr);
    }
    cairo_destroy(cr);
    cairo_surface_flush(surface);

    // A glyph is one run of inked columns: bridge the empty columns inside
    // characters such as '"' with an invisible touch of alpha.
    metrics.lineHeightPx = band - 1;
    for (int i = 0; i < 94; ++i)
    {
        const SSlot& s = slots[i];
        int first = -1, last = -1;
        std::vector<bool> inked(s.right - s.left + 1, false);
        for (int c = s.left; c <= s.right; ++c)
            for (int r = s.top; r < s.top + band && !inked[c - s.left]; ++r)
                if (Row(surface, r)[c] >> 24)
                    inked[c - s.left] = true;
        for (int c = s.left; c <= s.right; ++c)
            if (inked[c - s.left])
            {
                if (first < 0)
                    first = c;
                last = c;
            }
        if (first < 0)
        {
            std::fprintf(stderr, "datagen: glyph %c has no ink\n", 33 + i);
            first = last = s.left + 1;
        }
        int mid = s.top + band / 2;
        for (int c = first; c <= last; ++c)
            if (!inked[c - s.left])
                Row(surface, mid)[c] = 0x01010101u;
        metrics.glyphPx[i] = last - first + 2;
    }
    cairo_surface_mark_dirty(surface);
    DebugPng(surface, "mui/font");
    Bytes bytes = EncodeTga(surface, true);
    cairo_surface_destroy(surface);
    return bytes;
}

double MeasureText(const SFontMetrics& font, const std::string& text, double size)
{
    double k = size / font.lineHeightPx;
    double space = k * font.glyphPx['A' - 33];
    double width = 0;
    for (unsigned char c : text)
    {
        if (c == ' ')
            width += space;
        else if (c >= 33 && c <= 126)
            width += k * font.glyphPx[c - 33] + space / 10;
        else
            width += space / 10;
    }
    return width;
}

std::vector<std::string> WrapText(const SFontMetrics& font, const std::string& text, double width, double size)
{
    std::vector<std::string> lines;
    std::string line, word;
    std::string source = text + '\r';
    for (char c : source)
    {
        if (c != ' ' && c != '\r')
        {
            if (c != '\n')
                word += c;
            continue;
        }
        if (MeasureText(font, line, size) + MeasureText(font, word, size) >= width)
        {
            lines.push_back(line);
            line = word + ' ';
        }
        else
            line += word + ' ';
        word.clear();
        if (c == '\r')
        {
            lines.push_back(line);
            line.clear();
        }
    }
    return lines;
}
} // namespace NDataGen::NMui
