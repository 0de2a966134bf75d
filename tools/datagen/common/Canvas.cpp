#include "Canvas.h"

#include "Fonts.h"

#include <cmath>

namespace NDataGen
{
uint32_t CRng::Next()
{
    // xorshift32: small, fast, and the same on every platform.
    m_state ^= m_state << 13;
    m_state ^= m_state >> 17;
    m_state ^= m_state << 5;
    return m_state;
}

double CRng::Range(double lo, double hi)
{
    return lo + (hi - lo) * (Next() % 1000000u) / 1000000.0;
}

SColour Rgb(uint32_t hex, double alpha)
{
    return {((hex >> 16) & 0xFF) / 255.0, ((hex >> 8) & 0xFF) / 255.0, (hex & 0xFF) / 255.0, alpha};
}

SColour Mix(const SColour& a, const SColour& b, double t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

SColour Lighter(const SColour& c, double t)
{
    return Mix(c, SColour{1, 1, 1, c.a}, t);
}

SColour Darker(const SColour& c, double t)
{
    return Mix(c, SColour{0, 0, 0, c.a}, t);
}

SColour Grey(const SColour& c)
{
    double l = 0.3 * c.r + 0.59 * c.g + 0.11 * c.b;
    return {l, l, l, c.a};
}

void SetColour(cairo_t* cr, const SColour& c)
{
    cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a);
}

void SetColour(cairo_t* cr, const SColour& c, double alpha)
{
    cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

SColour FlowerColour(int colour)
{
    // Chosen to stay apart in hue and lightness (purple darkest, then red,
    // blue, green, pink, yellow, so a grey picture still orders them); the
    // petal shapes carry the difference for players who cannot tell the hues apart.
    static const uint32_t kColours[6] = {0xE8383D, 0xFFC21A, 0x3A9BF0, 0x4CC23A, 0x8A3FC8, 0xFF7FB6};
    return Rgb(kColours[((colour % 6) + 6) % 6]);
}

namespace
{
const char* FontFile(EFont font)
{
    switch (font)
    {
    case EFont::Sans: return "DejaVuSans.ttf";
    case EFont::SansBold: return "DejaVuSans-Bold.ttf";
    case EFont::SansCondensedBold: return "DejaVuSansCondensed-Bold.ttf";
    case EFont::SerifBold: return "DejaVuSerif-Bold.ttf";
    }
    return "DejaVuSans.ttf";
}
} // namespace

void SetFont(cairo_t* cr, EFont font, double size)
{
    cairo_set_font_face(cr, FontFace(FontFile(font)));
    cairo_set_font_size(cr, size);
    // Unhinted outlines: the same shapes at every size and scale.
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

double TextWidth(cairo_t* cr, const std::string& text)
{
    cairo_text_extents_t ext;
    cairo_text_extents(cr, text.c_str(), &ext);
    return ext.x_advance;
}

void TextPathCentred(cairo_t* cr, const std::string& text, double x, double y)
{
    cairo_text_extents_t ext;
    cairo_text_extents(cr, text.c_str(), &ext);
    cairo_move_to(cr, x - ext.width / 2 - ext.x_bearing, y - ext.height / 2 - ext.y_bearing);
    cairo_text_path(cr, text.c_str());
}

void DrawLabel(cairo_t* cr, const std::string& text, double x, double y, const SColour& fill,
               const SColour& outline, double outlineWidth)
{
    cairo_new_path(cr);
    TextPathCentred(cr, text, x, y);
    if (outlineWidth > 0)
    {
        SetColour(cr, outline);
        cairo_set_line_width(cr, outlineWidth);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke_preserve(cr);
    }
    SetColour(cr, fill);
    cairo_fill(cr);
}

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r)
{
    r = std::min(r, std::min(w, h) / 2);
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

void HexPath(cairo_t* cr, double x, double y, double radius)
{
    cairo_new_sub_path(cr);
    for (int i = 0; i < 6; ++i)
    {
        double a = M_PI / 3 * i - M_PI / 2;
        cairo_line_to(cr, x + radius * std::cos(a), y + radius * std::sin(a));
    }
    cairo_close_path(cr);
}

void StarPath(cairo_t* cr, double x, double y, int points, double outer, double inner, double turn)
{
    cairo_new_sub_path(cr);
    for (int i = 0; i < points * 2; ++i)
    {
        double a = M_PI / points * i - M_PI / 2 + turn;
        double r = (i % 2 == 0) ? outer : inner;
        cairo_line_to(cr, x + r * std::cos(a), y + r * std::sin(a));
    }
    cairo_close_path(cr);
}

void HeartPath(cairo_t* cr, double x, double y, double s)
{
    // s is the heart's width; the point is at the bottom.
    cairo_new_sub_path(cr);
    cairo_move_to(cr, x, y + 0.42 * s);
    cairo_curve_to(cr, x - 0.1 * s, y + 0.3 * s, x - 0.5 * s, y + 0.1 * s, x - 0.5 * s, y - 0.15 * s);
    cairo_curve_to(cr, x - 0.5 * s, y - 0.42 * s, x - 0.1 * s, y - 0.5 * s, x, y - 0.25 * s);
    cairo_curve_to(cr, x + 0.1 * s, y - 0.5 * s, x + 0.5 * s, y - 0.42 * s, x + 0.5 * s, y - 0.15 * s);
    cairo_curve_to(cr, x + 0.5 * s, y + 0.1 * s, x + 0.1 * s, y + 0.3 * s, x, y + 0.42 * s);
    cairo_close_path(cr);
}

cairo_pattern_t* BallGradient(double x, double y, double radius, const SColour& c)
{
    cairo_pattern_t* p =
        cairo_pattern_create_radial(x - radius * 0.35, y - radius * 0.4, radius * 0.05, x, y, radius);
    SColour hi = Lighter(c, 0.55);
    SColour lo = Darker(c, 0.18);
    cairo_pattern_add_color_stop_rgba(p, 0, hi.r, hi.g, hi.b, c.a);
    cairo_pattern_add_color_stop_rgba(p, 0.55, c.r, c.g, c.b, c.a);
    cairo_pattern_add_color_stop_rgba(p, 1, lo.r, lo.g, lo.b, c.a);
    return p;
}
} // namespace NDataGen
