#include "Controls.h"

#include "../Images.h"

#include <cmath>
#include <functional>

namespace NDataGen::NMui
{
namespace
{
constexpr double kPi = 3.14159265358979323846;

SColour BaseColour(EButtonColour colour)
{
    switch (colour)
    {
    case EButtonColour::Orange:
        return {0.96, 0.55, 0.15};
    case EButtonColour::Blue:
        return {0.25, 0.58, 0.90};
    default:
        return {0.36, 0.72, 0.24};
    }
}

SColour Grey(SColour c)
{
    double l = 0.3 * c.r + 0.59 * c.g + 0.11 * c.b;
    return Mix({l, l, l}, {0.72, 0.72, 0.72}, 0.5);
}

// Frames are drawn into bands from the bottom of the picture up: frame 1 lowest.
using FrameFn = std::function<void(cairo_t*, int state, double w, double h)>;

Bytes StackFrames(int width, int height, int frames, const FrameFn& draw, const std::string& debugName)
{
    cairo_surface_t* s = NewSurface(width, height * frames);
    cairo_t* cr = cairo_create(s);
    for (int k = 1; k <= frames; ++k)
    {
        cairo_save(cr);
        cairo_translate(cr, 0, (frames - k) * height);
        cairo_rectangle(cr, 0, 0, width, height);
        cairo_clip(cr);
        draw(cr, k, width, height);
        cairo_restore(cr);
    }
    cairo_destroy(cr);
    DebugPng(s, debugName);
    Bytes bytes = EncodeTga(s, true);
    cairo_surface_destroy(s);
    return bytes;
}

// The shared glossy pill of every push button; state 1 normal, 2 hover, 3 pressed, 4 disabled.
// Returns the vertical offset of the content (pressed content sinks).
double DrawButtonBody(cairo_t* cr, int state, double w, double h, SColour base)
{
    double m = 3;
    double r = (h - 2 * m) * 0.42;
    SColour c = base;
    if (state == 2)
        c = Lighter(base, 0.22);
    else if (state == 3)
        c = Darker(base, 0.12);
    else if (state == 4)
        c = Grey(base);
    double sink = state == 3 ? 2 : 0;
    // drop shadow (smaller when pressed)
    RoundRect(cr, m + 1, m + (state == 3 ? 2 : 4), w - 2 * m - 2, h - 2 * m - 3, r);
    cairo_set_source_rgba(cr, 0, 0, 0, state == 4 ? 0.12 : 0.3);
    cairo_fill(cr);
    // outer rim
    RoundRect(cr, m, m + sink, w - 2 * m, h - 2 * m - 3, r);
    SetColour(cr, Darker(c, 0.45));
    cairo_fill(cr);
    // body
    RoundRect(cr, m + 2, m + 2 + sink, w - 2 * m - 4, h - 2 * m - 7, r - 2);
    if (state == 3)
        VerticalGradient(cr, m + sink, h - m, Darker(c, 0.1), Lighter(c, 0.15));
    else
        VerticalGradient(cr, m, h - m, Lighter(c, 0.3), Darker(c, 0.12));
    cairo_fill(cr);
    // gloss on the upper half
    if (state != 3)
    {
        RoundRect(cr, m + 6, m + 4 + sink, w - 2 * m - 12, (h - 2 * m) * 0.38, r * 0.7);
        cairo_pattern_t* p = cairo_pattern_create_linear(0, m + 4, 0, m + 4 + (h - 2 * m) * 0.38);
        cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 1, state == 4 ? 0.25 : 0.5);
        cairo_pattern_add_color_stop_rgba(p, 1, 1, 1, 1, 0.05);
        cairo_set_source(cr, p);
        cairo_fill(cr);
        cairo_pattern_destroy(p);
    }
    // hover glow ring
    if (state == 2)
    {
        RoundRect(cr, m + 1, m + 1, w - 2 * m - 2, h - 2 * m - 5, r);
        cairo_set_source_rgba(cr, 1, 0.95, 0.55, 0.9);
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
    }
    return sink;
}

STextStyle CaptionStyle(int state, double size)
{
    STextStyle style;
    style.size = size;
    style.fill = state == 4 ? SColour{0.93, 0.93, 0.93} : NPalette::kWhite;
    style.outline = state == 4 ? 1.2 : 2.2;
    style.outlineColour = state == 4 ? SColour{0.45, 0.45, 0.45} : SColour{0.15, 0.22, 0.08};
    style.align = EAlign::Centre;
    return style;
}

void DrawIcon(cairo_t* cr, EIcon icon, double cx, double cy, double s, bool disabled)
{
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    SColour ink = disabled ? SColour{0.9, 0.9, 0.9} : NPalette::kWhite;
    cairo_set_line_width(cr, s * 0.14);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    switch (icon)
    {
    case EIcon::Minimise:
        cairo_move_to(cr, -s * 0.35, s * 0.3);
        cairo_line_to(cr, s * 0.35, s * 0.3);
        break;
    case EIcon::FullScreen:
        cairo_rectangle(cr, -s * 0.35, -s * 0.3, s * 0.7, s * 0.6);
        break;
    case EIcon::Globe:
        cairo_arc(cr, 0, 0, s * 0.42, 0, 2 * kPi);
        cairo_move_to(cr, -s * 0.42, 0);
        cairo_line_to(cr, s * 0.42, 0);
        cairo_save(cr);
        cairo_scale(cr, 0.45, 1);
        cairo_new_sub_path(cr);
        cairo_arc(cr, 0, 0, s * 0.42, 0, 2 * kPi);
        cairo_restore(cr);
        break;
    case EIcon::Gift:
        cairo_rectangle(cr, -s * 0.38, -s * 0.12, s * 0.76, s * 0.5);
        cairo_rectangle(cr, -s * 0.44, -s * 0.3, s * 0.88, s * 0.18);
        cairo_move_to(cr, 0, -s * 0.3);
        cairo_line_to(cr, 0, s * 0.38);
        cairo_move_to(cr, 0, -s * 0.3);
        cairo_curve_to(cr, -s * 0.3, -s * 0.6, -s * 0.4, -s * 0.3, 0, -s * 0.3);
        cairo_move_to(cr, 0, -s * 0.3);
        cairo_curve_to(cr, s * 0.3, -s * 0.6, s * 0.4, -s * 0.3, 0, -s * 0.3);
        break;
    }
    cairo_set_source_rgba(cr, 0.1, 0.15, 0.05, 0.6);
    cairo_save(cr);
    cairo_translate(cr, 1, 1.5);
    cairo_stroke_preserve(cr);
    cairo_restore(cr);
    SetColour(cr, ink);
    cairo_stroke(cr);
    cairo_restore(cr);
}
} // namespace

Bytes MakeTextButton(const std::string& caption, int width, int height, EButtonColour colour,
                     const std::string& debugName)
{
    return StackFrames(
        width, height, 4,
        [&](cairo_t* cr, int state, double w, double h) {
            double sink = DrawButtonBody(cr, state, w, h, BaseColour(colour));
            double size = FitSize(cr, EFont::Bold, caption, h * 0.42, w - 36);
            DrawText(cr, caption, w / 2, h / 2 + size * 0.36 + sink - 1, CaptionStyle(state, size));
        },
        debugName);
}

Bytes MakeIconTextButton(const std::string& caption, EIcon icon, int width, int height, EButtonColour colour,
                         const std::string& debugName)
{
    return StackFrames(
        width, height, 4,
        [&](cairo_t* cr, int state, double w, double h) {
            double sink = DrawButtonBody(cr, state, w, h, BaseColour(colour));
            double icon_s = h * 0.42;
            DrawIcon(cr, icon, 14 + icon_s / 2 + 4, h / 2 - 1 + sink, icon_s, state == 4);
            double left = 14 + icon_s + 10;
            double size = FitSize(cr, EFont::Bold, caption, h * 0.36, w - left - 14);
            DrawText(cr, caption, (left + w - 12) / 2, h / 2 + size * 0.36 + sink - 1, CaptionStyle(state, size));
        },
        debugName);
}

Bytes MakeArrowButton(EArrow arrow, const std::string& debugName)
{
    return StackFrames(
        kArrowSize, kArrowSize, 4,
        [&](cairo_t* cr, int state, double w, double h) {
            double sink = DrawButtonBody(cr, state, w, h, BaseColour(EButtonColour::Blue));
            cairo_save(cr);
            cairo_translate(cr, w / 2, h / 2 - 1 + sink);
            if (arrow == EArrow::Left)
                cairo_scale(cr, -1, 1);
            cairo_move_to(cr, -w * 0.16, -h * 0.2);
            cairo_line_to(cr, w * 0.16, 0);
            cairo_line_to(cr, -w * 0.16, h * 0.2);
            cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
            cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
            cairo_set_line_width(cr, w * 0.11);
            cairo_set_source_rgba(cr, 0.05, 0.1, 0.25, 0.6);
            cairo_stroke_preserve(cr);
            SetColour(cr, state == 4 ? SColour{0.9, 0.9, 0.9} : NPalette::kWhite);
            cairo_set_line_width(cr, w * 0.07);
            cairo_stroke(cr);
            cairo_restore(cr);
        },
        debugName);
}

Bytes MakeIconButton(EIcon icon, const std::string& debugName)
{
    return StackFrames(
        kIconSize, kIconSize, 4,
        [&](cairo_t* cr, int state, double w, double h) {
            double sink = DrawButtonBody(cr, state, w, h, BaseColour(EButtonColour::Blue));
            DrawIcon(cr, icon, w / 2, h / 2 - 1 + sink, w * 0.55, state == 4);
        },
        debugName);
}

Bytes MakeCheckBox(bool flowerTick, const std::string& debugName)
{
    return StackFrames(
        kCheckSize, kCheckSize, 4,
        [&](cairo_t* cr, int state, double w, double h) {
            bool hover = state == 2 || state == 4;
            bool ticked = state >= 3;
            if (hover)
            {
                RoundRect(cr, 0.5, 0.5, w - 1, h - 1, 8);
                cairo_set_source_rgba(cr, 1, 0.9, 0.35, 0.85);
                cairo_fill(cr);
            }
            // the radio-style box is round and shows a flower when chosen
            double corner = flowerTick ? w / 2 - 3 : 6;
            RoundRect(cr, 3, 3, w - 6, h - 6, corner);
            SetColour(cr, NPalette::kWoodDark);
            cairo_fill(cr);
            RoundRect(cr, 5, 5, w - 10, h - 10, corner - 2);
            VerticalGradient(cr, 5, h - 5, {0.93, 0.90, 0.82}, {1, 1, 1});
            cairo_fill(cr);
            if (ticked && flowerTick)
                DrawFlower(cr, w / 2, h / 2, w * 0.33, 0);
            else if (ticked)
            {
                cairo_move_to(cr, w * 0.24, h * 0.52);
                cairo_line_to(cr, w * 0.43, h * 0.72);
                cairo_line_to(cr, w * 0.80, h * 0.22);
                cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
                cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
                cairo_set_line_width(cr, w * 0.17);
                SetColour(cr, {0.08, 0.30, 0.05});
                cairo_stroke_preserve(cr);
                cairo_set_line_width(cr, w * 0.1);
                SetColour(cr, {0.35, 0.85, 0.25});
                cairo_stroke(cr);
            }
        },
        debugName);
}

Bytes MakeThumb(const std::string& debugName)
{
    return StackFrames(
        kThumbW, kThumbH, 2,
        [&](cairo_t* cr, int state, double w, double h) {
            bool dragged = state == 2;
            double r = w * 0.42;
            cairo_arc(cr, w / 2 + 1, h / 2 + 2, r, 0, 2 * kPi);
            cairo_set_source_rgba(cr, 0, 0, 0, 0.3);
            cairo_fill(cr);
            DrawFlower(cr, w / 2, h / 2, r + 1, dragged ? 1 : 2, dragged ? 0.3 : 0);
            if (dragged)
            {
                cairo_arc(cr, w / 2, h / 2, r + 0.5, 0, 2 * kPi);
                cairo_set_source_rgba(cr, 1, 1, 1, 0.8);
                cairo_set_line_width(cr, 1.5);
                cairo_stroke(cr);
            }
        },
        debugName);
}

Bytes MakeEditBox(const std::string& debugName)
{
    return StackFrames(
        kEditW, kEditH, 2,
        [&](cairo_t* cr, int state, double w, double h) {
            bool focused = state == 2;
            RoundRect(cr, 1, 1, w - 2, h - 2, 12);
            SetColour(cr, focused ? SColour{1, 0.82, 0.2} : NPalette::kWoodDark);
            cairo_fill(cr);
            RoundRect(cr, 5, 5, w - 10, h - 10, 9);
            // dark field so the yellow outlined name reads well
            VerticalGradient(cr, 5, h - 5, {0.12, 0.22, 0.10}, {0.22, 0.38, 0.16});
            cairo_fill(cr);
            RoundRect(cr, 5, 5, w - 10, h - 10, 9);
            cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
            cairo_set_line_width(cr, 3);
            cairo_stroke(cr);
        },
        debugName);
}

void DrawGroove(cairo_t* cr, double x, double y, double travel)
{
    double x0 = x + kThumbW / 2.0, x1 = x0 + travel, cy = y + kThumbH / 2.0;
    cairo_save(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(cr, x0, cy + 1);
    cairo_line_to(cr, x1, cy + 1);
    cairo_set_line_width(cr, 14);
    SetColour(cr, NPalette::kWoodDark);
    cairo_stroke(cr);
    cairo_move_to(cr, x0, cy);
    cairo_line_to(cr, x1, cy);
    cairo_set_line_width(cr, 8);
    cairo_pattern_t* p = cairo_pattern_create_linear(x0, 0, x1, 0);
    cairo_pattern_add_color_stop_rgb(p, 0, 0.55, 0.80, 0.30);
    cairo_pattern_add_color_stop_rgb(p, 1, 0.98, 0.80, 0.20);
    cairo_set_source(cr, p);
    cairo_stroke(cr);
    cairo_pattern_destroy(p);
    cairo_restore(cr);
}

void DrawCheckCaption(cairo_t* cr, double boxX, double boxY, double labelWidth, const std::string& caption)
{
    double left = boxX + kCheckSize + 6;
    double avail = boxX + kCheckSize + labelWidth - left;
    double size = FitSize(cr, EFont::Bold, caption, 24, avail);
    STextStyle style;
    style.size = size;
    style.fill = NPalette::kInk;
    DrawText(cr, caption, left, boxY + kCheckSize / 2.0 + size * 0.36, style);
}
} // namespace NDataGen::NMui
