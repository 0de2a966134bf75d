#include "Paint.h"

#include "common/Flower.h"
#include "common/Fonts.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace NDataGen::NMui
{
namespace
{
constexpr double kPi = 3.14159265358979323846;

const char* FontFile(EFont font)
{
    switch (font)
    {
    case EFont::Bold: return "DejaVuSans-Bold.ttf";
    case EFont::Condensed: return "DejaVuSansCondensed-Bold.ttf";
    case EFont::Regular: return "DejaVuSans.ttf";
    case EFont::Serif: return "DejaVuSerif-Bold.ttf";
    }
    return "DejaVuSans-Bold.ttf";
}
} // namespace

void SetColour(cairo_t* cr, SColour c, double alpha)
{
    cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

SColour Mix(SColour a, SColour b, double t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

SColour Lighter(SColour c, double t)
{
    return Mix(c, {1, 1, 1}, t);
}

SColour Darker(SColour c, double t)
{
    return Mix(c, {0, 0, 0}, t);
}

void SelectFont(cairo_t* cr, EFont font, double size)
{
    cairo_set_font_face(cr, FontFace(FontFile(font)));
    cairo_set_font_size(cr, size);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

double TextWidth(cairo_t* cr, const std::string& text)
{
    cairo_text_extents_t e;
    cairo_text_extents(cr, text.c_str(), &e);
    return e.x_advance;
}

double FitSize(cairo_t* cr, EFont font, const std::string& text, double size, double maxWidth)
{
    for (; size > 6; size -= 0.5)
    {
        SelectFont(cr, font, size);
        if (TextWidth(cr, text) <= maxWidth)
            break;
    }
    SelectFont(cr, font, size);
    return size;
}

void DrawText(cairo_t* cr, const std::string& text, double x, double y, const STextStyle& style)
{
    cairo_save(cr);
    SelectFont(cr, style.font, style.size);
    double w = TextWidth(cr, text);
    if (style.align == EAlign::Centre)
        x -= w / 2;
    else if (style.align == EAlign::Right)
        x -= w;
    if (style.shadow > 0)
    {
        cairo_move_to(cr, x + style.shadow, y + style.shadow);
        cairo_text_path(cr, text.c_str());
        cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
        cairo_fill(cr);
    }
    cairo_move_to(cr, x, y);
    cairo_text_path(cr, text.c_str());
    if (style.outline > 0)
    {
        SetColour(cr, style.outlineColour);
        cairo_set_line_width(cr, style.outline * 2);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke_preserve(cr);
    }
    SetColour(cr, style.fill);
    cairo_fill(cr);
    cairo_restore(cr);
}

void RoundRect(cairo_t* cr, double x, double y, double w, double h, double r)
{
    r = std::min({r, w / 2, h / 2});
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -kPi / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, kPi / 2);
    cairo_arc(cr, x + r, y + h - r, r, kPi / 2, kPi);
    cairo_arc(cr, x + r, y + r, r, kPi, 3 * kPi / 2);
    cairo_close_path(cr);
}

void VerticalGradient(cairo_t* cr, double y0, double y1, SColour top, SColour bottom, double alpha)
{
    cairo_pattern_t* p = cairo_pattern_create_linear(0, y0, 0, y1);
    cairo_pattern_add_color_stop_rgba(p, 0, top.r, top.g, top.b, alpha);
    cairo_pattern_add_color_stop_rgba(p, 1, bottom.r, bottom.g, bottom.b, alpha);
    cairo_set_source(cr, p);
    cairo_pattern_destroy(p);
}

void DrawBoard(cairo_t* cr, double x, double y, double w, double h, double radius)
{
    cairo_save(cr);
    // soft shadow
    RoundRect(cr, x + 5, y + 7, w, h, radius);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.25);
    cairo_fill(cr);
    // wooden rim
    RoundRect(cr, x, y, w, h, radius);
    VerticalGradient(cr, y, y + h, Lighter(NPalette::kWood, 0.15), NPalette::kWoodDark);
    cairo_fill(cr);
    // paper
    double inset = std::max(6.0, std::min(w, h) * 0.025);
    RoundRect(cr, x + inset, y + inset, w - 2 * inset, h - 2 * inset, std::max(2.0, radius - inset));
    VerticalGradient(cr, y + inset, y + h - inset, NPalette::kPaper, Mix(NPalette::kPaper, NPalette::kPaperEdge, 0.6));
    cairo_fill_preserve(cr);
    SetColour(cr, NPalette::kPaperEdge);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void DrawFlower(cairo_t* cr, double cx, double cy, double radius, int colour, double angle)
{
    // the game's own flowers, so that menus, hints and the field look alike
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, angle);
    NDataGen::DrawFlower(cr, ((colour % 6) + 6) % 6, radius);
    cairo_restore(cr);
}

void DrawLeaf(cairo_t* cr, double x, double y, double length, double angle, SColour c)
{
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, angle);
    cairo_move_to(cr, 0, 0);
    cairo_curve_to(cr, length * 0.3, -length * 0.3, length * 0.7, -length * 0.25, length, 0);
    cairo_curve_to(cr, length * 0.7, length * 0.25, length * 0.3, length * 0.3, 0, 0);
    SetColour(cr, c);
    cairo_fill_preserve(cr);
    SetColour(cr, Darker(c, 0.3));
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    cairo_move_to(cr, 0, 0);
    cairo_line_to(cr, length * 0.85, 0);
    cairo_stroke(cr);
    cairo_restore(cr);
}

double CScatter::Next()
{
    m_state = m_state * 1664525u + 1013904223u;
    return static_cast<double>(m_state >> 8) / static_cast<double>(1u << 24);
}

void DrawGarden(cairo_t* cr, int width, int height, unsigned seed)
{
    CScatter rnd(seed);
    double horizon = height * 0.60;
    cairo_save(cr);
    VerticalGradient(cr, 0, horizon, NPalette::kSkyTop, NPalette::kSkyLow);
    cairo_paint(cr);
    // sun glow
    cairo_pattern_t* sun = cairo_pattern_create_radial(width * 0.82, height * 0.27, 10, width * 0.82, height * 0.27,
                                                       height * 0.3);
    cairo_pattern_add_color_stop_rgba(sun, 0, 1, 0.97, 0.75, 0.9);
    cairo_pattern_add_color_stop_rgba(sun, 1, 1, 0.97, 0.75, 0);
    cairo_set_source(cr, sun);
    cairo_paint(cr);
    cairo_pattern_destroy(sun);
    // clouds
    for (int i = 0; i < 6; ++i)
    {
        double cx = rnd.Range(0, width), cy = rnd.Range(height * 0.2, height * 0.42), s = rnd.Range(25, 45);
        cairo_set_source_rgba(cr, 1, 1, 1, 0.75);
        for (int k = 0; k < 4; ++k)
        {
            cairo_new_path(cr);
            cairo_arc(cr, cx + (k - 1.5) * s * 0.9, cy - (k == 1 || k == 2 ? s * 0.35 : 0), s * (k == 1 ? 0.85 : 0.65),
                      0, 2 * kPi);
            cairo_fill(cr);
        }
    }
    // two rows of hills
    for (int layer = 0; layer < 2; ++layer)
    {
        double base = horizon + layer * height * 0.05;
        SColour c = layer == 0 ? Mix(NPalette::kGrassLight, NPalette::kSkyLow, 0.35) : NPalette::kGrassLight;
        cairo_move_to(cr, 0, height);
        cairo_line_to(cr, 0, base);
        for (int x = 0; x <= width; x += 8)
        {
            double y = base - 28 * std::sin(x * 0.006 + layer * 2.1 + seed) - 14 * std::sin(x * 0.017 + layer);
            cairo_line_to(cr, x, y);
        }
        cairo_line_to(cr, width, height);
        cairo_close_path(cr);
        VerticalGradient(cr, base - 40, height, c, NPalette::kGrassDark);
        cairo_fill(cr);
    }
    // meadow flowers, back to front so the nearer ones are larger
    // (the lowest fifth of a background picture lies below the visible screen)
    double bottom = height * 0.82;
    for (int i = 0; i < 170; ++i)
    {
        double t = static_cast<double>(i) / 170;
        double y = horizon + 35 + t * (bottom - horizon - 35);
        double x = rnd.Range(-10, width + 10);
        double r = 5 + t * t * 18;
        DrawLeaf(cr, x, y + r * 0.6, r * 1.3, rnd.Range(-2.6, -0.5), Darker(NPalette::kGrassLight, 0.15));
        DrawFlower(cr, x, y, r, static_cast<int>(rnd.Range(0, 6)), rnd.Range(0, 6.28));
    }
    cairo_restore(cr);
}

void DebugPng(cairo_surface_t* surface, const std::string& name)
{
    const char* folder = std::getenv("ZONVEL_MUI_PNG");
    if (!folder || !*folder)
        return;
    std::string file = name;
    std::replace(file.begin(), file.end(), '/', '_');
    cairo_surface_write_to_png(surface, (std::string(folder) + "/" + file + ".png").c_str());
}
} // namespace NDataGen::NMui

namespace NDataGen::NMui
{
std::vector<std::string> WrapLines(cairo_t* cr, const std::string& text, double width)
{
    std::vector<std::string> lines;
    std::string line, word;
    auto flushWord = [&]() {
        if (word.empty())
            return;
        std::string candidate = line.empty() ? word : line + " " + word;
        if (!line.empty() && TextWidth(cr, candidate) > width)
        {
            lines.push_back(line);
            line = word;
        }
        else
            line = candidate;
        word.clear();
    };
    for (char c : text)
    {
        if (c == ' ')
            flushWord();
        else if (c == '\n')
        {
            flushWord();
            lines.push_back(line);
            line.clear();
        }
        else
            word += c;
    }
    flushWord();
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

double DrawParagraph(cairo_t* cr, const std::string& text, double x, double y, double width, const STextStyle& style,
                     double lineHeight)
{
    cairo_save(cr);
    SelectFont(cr, style.font, style.size);
    std::vector<std::string> lines = WrapLines(cr, text, width);
    cairo_restore(cr);
    double anchor = style.align == EAlign::Centre ? x + width / 2 : style.align == EAlign::Right ? x + width : x;
    for (const std::string& line : lines)
    {
        DrawText(cr, line, anchor, y, style);
        y += lineHeight;
    }
    return y;
}

void PointerArrowPath(cairo_t* cr)
{
    cairo_rotate(cr, -0.12);
    cairo_move_to(cr, 0, 0);
    cairo_line_to(cr, 0, 24);
    cairo_line_to(cr, 6, 18.5);
    cairo_line_to(cr, 10.5, 27.5);
    cairo_line_to(cr, 14.5, 25.5);
    cairo_line_to(cr, 10.2, 16.8);
    cairo_line_to(cr, 17.5, 16.5);
    cairo_close_path(cr);
}
} // namespace NDataGen::NMui
