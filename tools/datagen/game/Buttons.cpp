#include "Buttons.h"

#include "GameLayout.h"
#include "Images.h"
#include "common/Canvas.h"
#include "common/Flower.h"

#include <cmath>
#include <functional>
#include <string>

namespace NDataGen
{
namespace
{
enum EState
{
    kNormal = 1,
    kHover = 2,
    kPressed = 3,
    kDisabled = 4
};

// Greys a rectangle of the surface out and fades it (for disabled frames).
void Desaturate(cairo_surface_t* surface, int x0, int y0, int w, int h, double fade)
{
    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    int stride = cairo_image_surface_get_stride(surface);
    for (int y = y0; y < y0 + h; ++y)
    {
        uint32_t* row = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride);
        for (int x = x0; x < x0 + w; ++x)
        {
            uint32_t v = row[x];
            double a = (v >> 24) & 0xFF, r = (v >> 16) & 0xFF, g = (v >> 8) & 0xFF, b = v & 0xFF;
            double l = 0.3 * r + 0.59 * g + 0.11 * b;
            // Premultiplied: lighten towards the alpha, then scale all by the fade.
            l = (l * 0.7 + a * 0.3) * fade;
            a *= fade;
            uint32_t li = static_cast<uint32_t>(l + 0.5), ai = static_cast<uint32_t>(a + 0.5);
            row[x] = (ai << 24) | (li << 16) | (li << 8) | li;
        }
    }
    cairo_surface_mark_dirty(surface);
}

using IconPainter = std::function<void(cairo_t* cr, double size)>;

// Draws a button of four frames; frame k (1-based) is the k-th band from the bottom.
Bytes RenderButton(int width, int height, const SColour& face, const IconPainter& icon)
{
    cairo_surface_t* surface = NewSurface(width, height * 4);
    for (int state = kNormal; state <= kDisabled; ++state)
    {
        int top = (4 - state) * height;
        cairo_t* cr = cairo_create(surface);
        cairo_rectangle(cr, 0, top, width, height);
        cairo_clip(cr);
        cairo_translate(cr, 0, top);
        double press = state == kPressed ? 1.0 : 0.0;
        SColour body = state == kHover ? Lighter(face, 0.18) : (state == kPressed ? Darker(face, 0.12) : face);

        // Drop shadow, body with a gloss, rim.
        RoundedRect(cr, 2, 3, width - 4, height - 4, 8);
        cairo_set_source_rgba(cr, 0, 0, 0, state == kPressed ? 0.15 : 0.3);
        cairo_fill(cr);
        RoundedRect(cr, 1.5, 1.5 + press, width - 4, height - 4, 8);
        cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, height);
        SColour a = Lighter(body, 0.35), b = Darker(body, 0.15);
        cairo_pattern_add_color_stop_rgb(g, 0, a.r, a.g, a.b);
        cairo_pattern_add_color_stop_rgb(g, 1, b.r, b.g, b.b);
        cairo_set_source(cr, g);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(g);
        if (state == kHover)
            cairo_set_source_rgba(cr, 1, 0.9, 0.35, 1);
        else
            SetColour(cr, Darker(face, 0.5));
        cairo_set_line_width(cr, state == kHover ? 2.5 : 1.5);
        cairo_stroke(cr);
        // Gloss on the upper half.
        RoundedRect(cr, 4, 3.5 + press, width - 9, (height - 6) * 0.45, 6);
        cairo_set_source_rgba(cr, 1, 1, 1, 0.28);
        cairo_fill(cr);

        cairo_save(cr);
        cairo_translate(cr, (width - 1) / 2.0, (height - 1) / 2.0 + press);
        icon(cr, std::min(width, height) - 10.0);
        cairo_restore(cr);
        cairo_destroy(cr);
        if (state == kDisabled)
            Desaturate(surface, 0, top, width, height, 0.7);
    }
    Bytes bytes = EncodeTga(surface, true);
    cairo_surface_destroy(surface);
    return bytes;
}

void Outline(cairo_t* cr, double width = 1.6)
{
    SetColour(cr, Rgb(NPalette::kInk));
    cairo_set_line_width(cr, width);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
}

void Brush(cairo_t* cr, double s)
{
    // Handle from the upper right, bristles at the lower left, a drop of paint.
    cairo_save(cr);
    cairo_rotate(cr, M_PI / 4);
    RoundedRect(cr, -s * 0.07, -s * 0.5, s * 0.14, s * 0.45, s * 0.05);
    SetColour(cr, Rgb(0xC7874A));
    cairo_fill_preserve(cr);
    Outline(cr, 1.2);
    cairo_rectangle(cr, -s * 0.1, -s * 0.08, s * 0.2, s * 0.1);
    SetColour(cr, Rgb(0xC8D2DC));
    cairo_fill_preserve(cr);
    Outline(cr, 1.2);
    cairo_new_path(cr);
    cairo_move_to(cr, -s * 0.1, s * 0.02);
    cairo_curve_to(cr, -s * 0.12, s * 0.2, -s * 0.02, s * 0.3, 0, s * 0.34);
    cairo_curve_to(cr, s * 0.02, s * 0.3, s * 0.12, s * 0.2, s * 0.1, s * 0.02);
    cairo_close_path(cr);
    SetColour(cr, FlowerColour(0));
    cairo_fill_preserve(cr);
    Outline(cr, 1.2);
    cairo_restore(cr);
}

void Die(cairo_t* cr, double s, const SColour& body, bool rainbow)
{
    cairo_save(cr);
    cairo_rotate(cr, -0.18);
    RoundedRect(cr, -s * 0.34, -s * 0.34, s * 0.68, s * 0.68, s * 0.12);
    SetColour(cr, body);
    cairo_fill_preserve(cr);
    Outline(cr);
    const double pips[5][2] = {{-0.17, -0.17}, {0.17, -0.17}, {0, 0}, {-0.17, 0.17}, {0.17, 0.17}};
    for (int i = 0; i < 5; ++i)
    {
        cairo_new_path(cr);
        cairo_arc(cr, pips[i][0] * s, pips[i][1] * s, s * 0.075, 0, 2 * M_PI);
        SetColour(cr, rainbow ? FlowerColour(i) : Rgb(0xFFFFFF));
        cairo_fill_preserve(cr);
        Outline(cr, 0.8);
    }
    cairo_restore(cr);
}

void Chevrons(cairo_t* cr, double s, int count, double direction, const SColour& colour)
{
    double step = s * 0.8 / (count + 1);
    double start = -step * (count - 1) / 2;
    for (int i = 0; i < count; ++i)
    {
        double x = (start + i * step) * direction;
        cairo_new_path(cr);
        cairo_move_to(cr, x - direction * s * 0.12, -s * 0.26);
        cairo_line_to(cr, x + direction * s * 0.12, 0);
        cairo_line_to(cr, x - direction * s * 0.12, s * 0.26);
        SetColour(cr, Rgb(NPalette::kInk));
        cairo_set_line_width(cr, s * 0.2);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke_preserve(cr);
        SetColour(cr, colour);
        cairo_set_line_width(cr, s * 0.12);
        cairo_stroke(cr);
    }
}

void SmallFlower(cairo_t* cr, double x, double y, double r, int colour)
{
    cairo_save(cr);
    cairo_translate(cr, x, y);
    DrawFlower(cr, colour, r);
    cairo_restore(cr);
}

void AddBonusButtons(CDataWriter& out)
{
    // Green for bonuses that help the player's zone, orange for those that
    // hit the opponent, pink for the life.
    const SColour help = Rgb(0x56B84C), harm = Rgb(0xF08A2C), life = Rgb(0xEE6FA8);
    const IconPainter icons[kBonusCount] = {
        [](cairo_t* cr, double s) { // single repaint
            SmallFlower(cr, -s * 0.18, s * 0.2, s * 0.24, 0);
            cairo_translate(cr, s * 0.12, -s * 0.1);
            Brush(cr, s * 0.9);
        },
        [](cairo_t* cr, double s) { // zone repaint
            SmallFlower(cr, -s * 0.3, s * 0.08, s * 0.17, 0);
            SmallFlower(cr, -s * 0.12, s * 0.3, s * 0.17, 0);
            SmallFlower(cr, -s * 0.32, s * 0.36, s * 0.15, 0);
            cairo_translate(cr, s * 0.14, -s * 0.12);
            Brush(cr, s * 0.85);
        },
        [](cairo_t* cr, double s) { Die(cr, s, Rgb(0xFFFFFF), true); }, // free randomize
        [](cairo_t* cr, double s) { Chevrons(cr, s, 1, 1, Rgb(0xFFE066)); }, // forward 1
        [](cairo_t* cr, double s) { Chevrons(cr, s, 3, 1, Rgb(0xFFE066)); }, // forward 3
        [](cairo_t* cr, double s) { // self repaint: the zone's flower in a circle of colours
            for (int i = 0; i < 6; ++i)
            {
                cairo_new_path(cr);
                cairo_arc(cr, 0, 0, s * 0.36, i * M_PI / 3, (i + 1) * M_PI / 3);
                SetColour(cr, FlowerColour(i));
                cairo_set_line_width(cr, s * 0.13);
                cairo_stroke(cr);
            }
            SmallFlower(cr, 0, 0, s * 0.25, 2);
        },
        [](cairo_t* cr, double s) { // skip move: the opponent sleeps
            SetFont(cr, EFont::SansBold, s * 0.5);
            DrawLabel(cr, "Z", s * 0.12, -s * 0.12, Rgb(0xFFFFFF), Rgb(NPalette::kInk), 3);
            SetFont(cr, EFont::SansBold, s * 0.34);
            DrawLabel(cr, "z", -s * 0.2, s * 0.2, Rgb(0xFFFFFF), Rgb(NPalette::kInk), 2.5);
        },
        [](cairo_t* cr, double s) { Chevrons(cr, s, 2, -1, Rgb(0xFF5A4E)); }, // backward 2
        [](cairo_t* cr, double s) { Chevrons(cr, s, 4, -1, Rgb(0xFF5A4E)); }, // backward 4
        [](cairo_t* cr, double s) { Die(cr, s, Rgb(0xFF6B5E), false); },      // opponent randomize
        [](cairo_t* cr, double s) { // life
            HeartPath(cr, 0, s * 0.02, s * 0.78);
            cairo_pattern_t* p = BallGradient(0, 0, s * 0.4, Rgb(0xE8383D));
            cairo_set_source(cr, p);
            cairo_fill_preserve(cr);
            cairo_pattern_destroy(p);
            Outline(cr);
            SetFont(cr, EFont::SansBold, s * 0.36);
            DrawLabel(cr, "+1", 0, -s * 0.02, Rgb(0xFFFFFF), Rgb(0x7A1020), 2.2);
        },
    };
    for (int i = 0; i < kBonusCount; ++i)
    {
        SColour face = i == 10 ? life : (i >= 6 && i <= 9 ? harm : help);
        out.Add(std::string("dat/bonus_btn/") + kBonusNames[i] + ".tga",
                RenderButton(kBonusButtonSize, kBonusButtonSize, face, icons[i]));
    }
}

void AddMenuButton(CDataWriter& out)
{
    out.Add("dat/maun_menu_btn.tga",
            RenderButton(kMenuButtonWidth, kMenuButtonHeight, Rgb(NPalette::kButton), [](cairo_t* cr, double) {
                SetFont(cr, EFont::SansBold, 15);
                DrawLabel(cr, "MENU", 0, 0, Rgb(0xFFFFFF), Rgb(NPalette::kButtonDark), 3);
            }));
}

// Unticked, unticked under the cursor, ticked, ticked under the cursor.
void AddCheckBox(CDataWriter& out)
{
    const int s = kCheckBoxSize;
    cairo_surface_t* surface = NewSurface(s, s * 4);
    for (int state = 1; state <= 4; ++state)
    {
        int top = (4 - state) * s;
        cairo_t* cr = cairo_create(surface);
        cairo_translate(cr, 0, top);
        bool hover = state == 2 || state == 4;
        bool ticked = state >= 3;
        RoundedRect(cr, 2.5, 2.5, s - 5, s - 5, 4);
        SetColour(cr, hover ? Rgb(0xFFF6C8) : Rgb(0xFFFFFF));
        cairo_fill_preserve(cr);
        SetColour(cr, hover ? Rgb(0xF0A020) : Rgb(NPalette::kButtonDark));
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
        if (ticked)
        {
            cairo_move_to(cr, s * 0.24, s * 0.52);
            cairo_line_to(cr, s * 0.43, s * 0.72);
            cairo_line_to(cr, s * 0.8, s * 0.22);
            SetColour(cr, Rgb(0x2E8F3A));
            cairo_set_line_width(cr, 3.4);
            cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
            cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
            cairo_stroke(cr);
        }
        cairo_destroy(cr);
    }
    out.Add("dat/hints_checkbox.tga", EncodeTga(surface, true));
    cairo_surface_destroy(surface);
}
} // namespace

void AddGameButtons(CDataWriter& out)
{
    AddBonusButtons(out);
    AddMenuButton(out);
    AddCheckBox(out);
}
} // namespace NDataGen
