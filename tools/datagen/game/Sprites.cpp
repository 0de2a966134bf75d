#include "Sprites.h"

#include "common/Canvas.h"
#include "common/Flower.h"
#include "common/SpriteSheet.h"

#include <cmath>

namespace NDataGen
{
double FlowerFrameScale(int frame)
{
    // Frames 0..7 shrink, 8..15 grow back: 8 and 7 are the two smallest.
    int half = kFlowerFrames / 2;
    int d = frame < half ? frame : kFlowerFrames - 1 - frame;
    double t = static_cast<double>(d) / (half - 1);
    return 1.0 - 0.8 * std::pow(t, 1.2);
}

namespace
{
void AddFlowers(CDataWriter& out)
{
    SSpriteSheet sheet;
    sheet.groups = kFlowerGroups;
    sheet.frames = kFlowerFrames;
    sheet.cellWidth = sheet.cellHeight = 64;
    AddSpriteSheet(out, "dat/skin01", sheet, [](cairo_t* cr, int group, int frame) {
        double s = FlowerFrameScale(frame);
        int half = kFlowerFrames / 2;
        int d = frame < half ? frame : kFlowerFrames - 1 - frame;
        cairo_scale(cr, s, s);
        if (group == kHoleGroup)
            DrawHoleTile(cr, 31);
        else if (group < 6)
            DrawFlower(cr, group, 31, d * 0.13);
    });
}

void AddCoins(CDataWriter& out)
{
    SSpriteSheet sheet;
    sheet.groups = 5;
    sheet.frames = 16;
    sheet.cellWidth = sheet.cellHeight = 64;
    AddSpriteSheet(out, "dat/bonus", sheet, [](cairo_t* cr, int kind, int frame) {
        double spin = 2 * M_PI * frame / 16.0;
        // The game draws coins at the full cell size: even the dollar leaves
        // the flower's petals around it visible, so the cell's colour still reads.
        DrawCoin(cr, kind, 20, spin);
    });
}

// A wing: an ellipse from the body outwards, opened by angle.
void Wing(cairo_t* cr, double side, double x, double y, double length, double width, double angle,
          const SColour& fill, const SColour& ink)
{
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, side * angle);
    cairo_scale(cr, side, 1);
    cairo_new_path(cr);
    cairo_save(cr);
    cairo_translate(cr, length * 0.5, 0);
    cairo_scale(cr, length * 0.5, width * 0.5);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    SetColour(cr, fill);
    cairo_fill_preserve(cr);
    SetColour(cr, ink);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void Eyes(cairo_t* cr, double y, double spread)
{
    for (double s : {-1.0, 1.0})
    {
        cairo_new_path(cr);
        cairo_arc(cr, s * spread, y, 2.6, 0, 2 * M_PI);
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_fill(cr);
        cairo_new_path(cr);
        cairo_arc(cr, s * spread, y - 0.8, 1.4, 0, 2 * M_PI);
        cairo_set_source_rgb(cr, 0.1, 0.08, 0.15);
        cairo_fill(cr);
    }
}

void Antennae(cairo_t* cr, double y, const SColour& ink)
{
    SetColour(cr, ink);
    cairo_set_line_width(cr, 1.4);
    for (double s : {-1.0, 1.0})
    {
        cairo_new_path(cr);
        cairo_move_to(cr, s * 2, y);
        cairo_curve_to(cr, s * 4, y - 6, s * 8, y - 8, s * 9, y - 10);
        cairo_stroke(cr);
        cairo_new_path(cr);
        cairo_arc(cr, s * 9, y - 10, 1.6, 0, 2 * M_PI);
        cairo_fill(cr);
    }
}

// Insects face up the screen (heading 0); frames flap the wings.
void AddInsects(CDataWriter& out)
{
    SSpriteSheet sheet;
    sheet.groups = 3;
    sheet.frames = 8;
    sheet.cellWidth = sheet.cellHeight = 64;
    AddSpriteSheet(out, "dat/insects", sheet, [](cairo_t* cr, int group, int frame) {
        double flap = std::sin(2 * M_PI * frame / 8.0); // -1..1
        SColour ink = Rgb(NPalette::kInk);
        if (group == 0)
        {
            // Bee.
            SColour wing = Rgb(0xDFF4FF, 0.75);
            double a = 0.25 + 0.45 * flap;
            Wing(cr, 1, 3, -4, 20, 12, -a, wing, Rgb(0x5A7FA8, 0.9));
            Wing(cr, -1, -3, -4, 20, 12, -a, wing, Rgb(0x5A7FA8, 0.9));
            auto body = [&] {
                cairo_new_path(cr);
                cairo_save(cr);
                cairo_translate(cr, 0, 4);
                cairo_scale(cr, 10, 15);
                cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
                cairo_restore(cr);
            };
            body();
            cairo_pattern_t* fill = BallGradient(0, 4, 15, Rgb(NPalette::kGold));
            cairo_set_source(cr, fill);
            cairo_fill(cr);
            cairo_pattern_destroy(fill);
            cairo_save(cr);
            body();
            cairo_clip(cr);
            SetColour(cr, ink);
            for (double y : {1.0, 8.5})
                cairo_rectangle(cr, -12, y, 24, 3.5);
            cairo_fill(cr);
            cairo_restore(cr);
            body();
            SetColour(cr, ink);
            cairo_set_line_width(cr, 1.4);
            cairo_stroke(cr);
            cairo_new_path(cr);
            cairo_move_to(cr, -2, 19);
            cairo_line_to(cr, 0, 24);
            cairo_line_to(cr, 2, 19);
            cairo_fill(cr);
            cairo_new_path(cr);
            cairo_arc(cr, 0, -13, 7.5, 0, 2 * M_PI);
            SetColour(cr, Rgb(0x3A2E4A));
            cairo_fill(cr);
            Eyes(cr, -15, 3.6);
            Antennae(cr, -19, ink);
        }
        else if (group == 1)
        {
            // Ladybird: wings flutter out from under the shell.
            SColour wing = Rgb(0xEAF2FF, 0.7);
            double a = 0.5 + 0.35 * flap;
            Wing(cr, 1, 2, -2, 22, 11, -a, wing, Rgb(0x7A8FB0, 0.9));
            Wing(cr, -1, -2, -2, 22, 11, -a, wing, Rgb(0x7A8FB0, 0.9));
            double open = 0.12 + 0.1 * (0.5 + 0.5 * flap);
            for (double s : {-1.0, 1.0})
            {
                cairo_save(cr);
                cairo_translate(cr, 0, -6);
                cairo_rotate(cr, s * open);
                cairo_new_path(cr);
                cairo_move_to(cr, 0, 0);
                cairo_curve_to(cr, s * 19, -1, s * 18, 24, 0, 25);
                cairo_close_path(cr);
                cairo_pattern_t* shell = BallGradient(s * 6, 10, 16, Rgb(0xE8383D));
                cairo_set_source(cr, shell);
                cairo_fill_preserve(cr);
                cairo_pattern_destroy(shell);
                SetColour(cr, ink);
                cairo_set_line_width(cr, 1.4);
                cairo_stroke(cr);
                for (auto [x, y] : {std::pair{5.0, 6.0}, std::pair{9.0, 14.0}, std::pair{4.0, 18.0}})
                {
                    cairo_new_path(cr);
                    cairo_arc(cr, s * x, y, 2.3, 0, 2 * M_PI);
                    cairo_fill(cr);
                }
                cairo_restore(cr);
            }
            cairo_new_path(cr);
            cairo_arc(cr, 0, -12, 7, 0, 2 * M_PI);
            SetColour(cr, Rgb(0x2B2140));
            cairo_fill(cr);
            Eyes(cr, -14, 3.4);
            Antennae(cr, -18, ink);
        }
        else
        {
            // Butterfly: wings fold up and down (seen from above they narrow).
            double span = 0.35 + 0.65 * (0.5 + 0.5 * flap);
            for (double s : {-1.0, 1.0})
            {
                cairo_save(cr);
                cairo_scale(cr, s * span, 1);
                SColour top = Rgb(0x2FB5E8), bottom = Rgb(0xA052D8);
                cairo_new_path(cr);
                cairo_move_to(cr, 1, -6);
                cairo_curve_to(cr, 12, -26, 30, -20, 26, -6);
                cairo_curve_to(cr, 24, 2, 10, 2, 1, 0);
                cairo_close_path(cr);
                cairo_pattern_t* pt = BallGradient(14, -12, 16, top);
                cairo_set_source(cr, pt);
                cairo_fill_preserve(cr);
                cairo_pattern_destroy(pt);
                SetColour(cr, ink);
                cairo_set_line_width(cr, 1.3);
                cairo_stroke(cr);
                cairo_new_path(cr);
                cairo_move_to(cr, 1, 0);
                cairo_curve_to(cr, 14, 2, 22, 12, 16, 20);
                cairo_curve_to(cr, 10, 24, 3, 16, 1, 6);
                cairo_close_path(cr);
                cairo_pattern_t* pb = BallGradient(12, 10, 12, bottom);
                cairo_set_source(cr, pb);
                cairo_fill_preserve(cr);
                cairo_pattern_destroy(pb);
                SetColour(cr, ink);
                cairo_stroke(cr);
                cairo_new_path(cr);
                cairo_arc(cr, 16, -12, 3.5, 0, 2 * M_PI);
                cairo_set_source_rgba(cr, 1, 1, 1, 0.85);
                cairo_fill(cr);
                cairo_restore(cr);
            }
            cairo_new_path(cr);
            cairo_save(cr);
            cairo_scale(cr, 3.2, 14);
            cairo_arc(cr, 0, 0.2, 1, 0, 2 * M_PI);
            cairo_restore(cr);
            SetColour(cr, Rgb(0x3A2E4A));
            cairo_fill(cr);
            Antennae(cr, -12, ink);
        }
    });
}

// Drawn with the flip flag and blending, centred on the hovered cell at 1.2
// times the cell width: the ring sits just outside the flower.
void AddMarker(CDataWriter& out)
{
    SSpriteSheet sheet;
    sheet.groups = 1;
    sheet.frames = 16;
    sheet.cellWidth = sheet.cellHeight = 64;
    sheet.drawing = ESpriteDrawing::Flipped;
    AddSpriteSheet(out, "dat/marker", sheet, [](cairo_t* cr, int, int frame) {
        double t = frame / 16.0;
        double pulse = 0.5 + 0.5 * std::sin(2 * M_PI * t);
        double r = 27.5 + 1.2 * pulse;
        // Soft glow.
        cairo_new_path(cr);
        cairo_arc(cr, 0, 0, r, 0, 2 * M_PI);
        cairo_set_source_rgba(cr, 1, 0.95, 0.55, 0.35 + 0.25 * pulse);
        cairo_set_line_width(cr, 6);
        cairo_stroke(cr);
        cairo_new_path(cr);
        cairo_arc(cr, 0, 0, r, 0, 2 * M_PI);
        cairo_set_source_rgba(cr, 1, 1, 1, 0.95);
        cairo_set_line_width(cr, 2.4);
        cairo_stroke(cr);
        // Four golden dashes run round the ring.
        for (int i = 0; i < 4; ++i)
        {
            double a = 2 * M_PI * (t / 4.0 + i / 4.0);
            cairo_new_path(cr);
            cairo_arc(cr, 0, 0, r, a, a + 0.55);
            SetColour(cr, Rgb(0xFFB21E));
            cairo_set_line_width(cr, 3.6);
            cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
            cairo_stroke(cr);
        }
    });
}

void AddParticles(CDataWriter& out)
{
    SSpriteSheet sheet;
    sheet.groups = 6;
    sheet.frames = 8;
    sheet.cellWidth = sheet.cellHeight = 32;
    AddSpriteSheet(out, "dat/particles", sheet, [](cairo_t* cr, int group, int frame) {
        SColour c = Lighter(FlowerColour(group), 0.3);
        double t = frame / 8.0;
        double s = 0.6 + 0.4 * std::sin(M_PI * t);
        cairo_pattern_t* glow = cairo_pattern_create_radial(0, 0, 0, 0, 0, 15);
        cairo_pattern_add_color_stop_rgba(glow, 0, c.r, c.g, c.b, 0.8);
        cairo_pattern_add_color_stop_rgba(glow, 1, c.r, c.g, c.b, 0);
        cairo_new_path(cr);
        cairo_arc(cr, 0, 0, 15, 0, 2 * M_PI);
        cairo_set_source(cr, glow);
        cairo_fill(cr);
        cairo_pattern_destroy(glow);
        cairo_new_path(cr);
        StarPath(cr, 0, 0, 4, 14 * s, 3.2 * s, t * M_PI / 2);
        cairo_set_source_rgba(cr, 1, 1, 1, 0.95);
        cairo_fill(cr);
    });
}
} // namespace

void AddGameSprites(CDataWriter& out)
{
    AddFlowers(out);
    AddCoins(out);
    AddInsects(out);
    AddMarker(out);
    AddParticles(out);
}
} // namespace NDataGen
