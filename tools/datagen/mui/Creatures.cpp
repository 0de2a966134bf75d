#include "Creatures.h"

#include "../Images.h"
#include "Paint.h"

#include <cmath>
#include <string>

namespace NDataGen::NMui
{
namespace
{
constexpr double kPi = 3.14159265358979323846;
constexpr int kDragonCell = 64, kDragonFrames = 4, kDragonLooks = 3;
constexpr int kCursorCell = 64;

std::string SpriteText(const std::string& picture, int groups, int frames)
{
    return "file_name " + picture + "\ngroups " + std::to_string(groups) + "\nframes " + std::to_string(frames) +
           "\ntex_wrap 0\ntex_dynamic 1\n";
}

void DrawWing(cairo_t* cr, double rootX, double rootY, double length, double width, double angle, double spread)
{
    cairo_save(cr);
    cairo_translate(cr, rootX, rootY);
    cairo_rotate(cr, angle);
    // 'spread' is the flap: 1 = wing flat and seen whole, small = wing raised and foreshortened
    cairo_scale(cr, spread, 1);
    cairo_move_to(cr, 0, -width * 0.2);
    cairo_curve_to(cr, length * 0.4, -width * 0.9, length * 0.9, -width * 0.7, length, -width * 0.1);
    cairo_curve_to(cr, length * 0.95, width * 0.5, length * 0.4, width * 0.6, 0, width * 0.2);
    cairo_close_path(cr);
    cairo_set_source_rgba(cr, 0.85, 0.95, 1.0, 0.55);
    cairo_fill_preserve(cr);
    cairo_set_source_rgba(cr, 0.25, 0.35, 0.45, 0.8);
    cairo_set_line_width(cr, 0.9);
    cairo_stroke(cr);
    // veins
    cairo_move_to(cr, 0, 0);
    cairo_line_to(cr, length * 0.92, -width * 0.15);
    cairo_set_source_rgba(cr, 0.3, 0.4, 0.5, 0.5);
    cairo_set_line_width(cr, 0.6);
    cairo_stroke(cr);
    cairo_arc(cr, length * 0.8, -width * 0.3, width * 0.12, 0, 2 * kPi);
    cairo_set_source_rgba(cr, 0.2, 0.2, 0.3, 0.7);
    cairo_fill(cr);
    cairo_restore(cr);
}

// A dragonfly seen from above, head toward the top of the cell.
void DrawDragonfly(cairo_t* cr, double cx, double cy, int look, int frame)
{
    static const SColour kBody[kDragonLooks] = {{0.15, 0.55, 0.95}, {0.25, 0.75, 0.25}, {0.95, 0.35, 0.20}};
    static const double kSpread[kDragonFrames] = {1.0, 0.62, 0.25, 0.62};
    SColour body = kBody[look];
    double spread = kSpread[frame];
    double tilt = (1.0 - spread) * 0.35;
    double ty = cy - 8; // thorax
    // wings: front pair slightly forward, back pair behind
    for (int side = -1; side <= 1; side += 2)
    {
        cairo_save(cr);
        cairo_translate(cr, cx, ty);
        cairo_scale(cr, side, 1);
        DrawWing(cr, 2, -2, 28, 8, -0.18 - tilt, spread);
        DrawWing(cr, 2, 3, 26, 8, 0.22 + tilt, spread);
        cairo_restore(cr);
    }
    // abdomen: tapering segments down the cell
    for (int i = 7; i >= 0; --i)
    {
        double y = ty + 7 + i * 4.2;
        double r = 3.6 - i * 0.22;
        cairo_save(cr);
        cairo_translate(cr, cx, y);
        cairo_scale(cr, 1, 1.25);
        cairo_arc(cr, 0, 0, r, 0, 2 * kPi);
        cairo_restore(cr);
        SColour c = i % 2 ? Darker(body, 0.25) : body;
        SetColour(cr, c);
        cairo_fill_preserve(cr);
        SetColour(cr, Darker(body, 0.6));
        cairo_set_line_width(cr, 0.7);
        cairo_stroke(cr);
    }
    // thorax
    cairo_save(cr);
    cairo_translate(cr, cx, ty);
    cairo_scale(cr, 1, 1.3);
    cairo_arc(cr, 0, 0, 5, 0, 2 * kPi);
    cairo_restore(cr);
    cairo_pattern_t* p = cairo_pattern_create_radial(cx - 2, ty - 3, 1, cx, ty, 7);
    SColour light = Lighter(body, 0.5);
    cairo_pattern_add_color_stop_rgb(p, 0, light.r, light.g, light.b);
    cairo_pattern_add_color_stop_rgb(p, 1, body.r, body.g, body.b);
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    SetColour(cr, Darker(body, 0.6));
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    // head with two big eyes
    for (int side = -1; side <= 1; side += 2)
    {
        cairo_arc(cr, cx + side * 3.4, ty - 8.5, 3.6, 0, 2 * kPi);
        SetColour(cr, Darker(body, 0.45));
        cairo_fill(cr);
        cairo_arc(cr, cx + side * 3.4 - 1, ty - 9.6, 1.1, 0, 2 * kPi);
        cairo_set_source_rgba(cr, 1, 1, 1, 0.9);
        cairo_fill(cr);
    }
}

void GenerateDragons(CDataWriter& out)
{
    cairo_surface_t* s = NewSurface(kDragonCell * kDragonFrames, kDragonCell * kDragonLooks);
    cairo_t* cr = cairo_create(s);
    for (int look = 0; look < kDragonLooks; ++look)
        for (int frame = 0; frame < kDragonFrames; ++frame)
        {
            // group 0 is the bottom strip of the sheet
            double top = (kDragonLooks - 1 - look) * kDragonCell;
            DrawDragonfly(cr, frame * kDragonCell + kDragonCell / 2.0, top + kDragonCell / 2.0, look, frame);
        }
    cairo_destroy(cr);
    DebugPng(s, "mui/dragon");
    out.Add("mui/dragon.tga", EncodeTga(s, true));
    cairo_surface_destroy(s);
    out.AddText("mui/dragon.spr", SpriteText("mui/dragon.tga", kDragonLooks, kDragonFrames));
}

// The pointer's tip sits exactly on the cell's centre, which is drawn on the cursor position.
void GenerateCursor(CDataWriter& out)
{
    cairo_surface_t* s = NewSurface(kCursorCell, kCursorCell);
    cairo_t* cr = cairo_create(s);
    double tx = kCursorCell / 2.0, ty = kCursorCell / 2.0;
    cairo_save(cr);
    cairo_translate(cr, tx, ty);
    PointerArrowPath(cr);
    cairo_restore(cr);
    cairo_path_t* arrow = cairo_copy_path(cr);
    // shadow
    cairo_save(cr);
    cairo_translate(cr, 2, 2.5);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.3);
    cairo_fill(cr);
    cairo_restore(cr);
    cairo_new_path(cr);
    cairo_append_path(cr, arrow);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(cr, 2.4);
    SetColour(cr, {0.12, 0.22, 0.06});
    cairo_stroke_preserve(cr);
    VerticalGradient(cr, ty, ty + 28, {1.0, 1.0, 0.85}, {0.98, 0.80, 0.20});
    cairo_fill(cr);
    cairo_path_destroy(arrow);
    // a small leaf on the pointer's tail
    DrawLeaf(cr, tx + 9, ty + 22, 10, 0.9, NPalette::kGrassLight);
    cairo_destroy(cr);
    DebugPng(s, "mui/cursor");
    out.Add("mui/cursor.tga", EncodeTga(s, true));
    cairo_surface_destroy(s);
    out.AddText("mui/cursor.spr", SpriteText("mui/cursor.tga", 1, 1));
}
} // namespace

void GenerateCreatures(CDataWriter& out)
{
    GenerateDragons(out);
    GenerateCursor(out);
}
} // namespace NDataGen::NMui
