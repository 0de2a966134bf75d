#include "Background.h"

#include "GameLayout.h"
#include "Images.h"
#include "common/Canvas.h"
#include "common/Flower.h"

#include <cmath>
#include <string>

namespace NDataGen
{
namespace
{
// The 800 x 600 screen lies in the middle of the 1024 x 1024 picture.
constexpr double kOffsetX = 112;
constexpr double kOffsetY = 212;

void Plaque(cairo_t* cr, double x, double y, double w, double h)
{
    RoundedRect(cr, x + 1.5, y + 2.5, w, h, 12);
    cairo_set_source_rgba(cr, 0.1, 0.25, 0.08, 0.25);
    cairo_fill(cr);
    RoundedRect(cr, x, y, w, h, 12);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, y, 0, y + h);
    // Dark enough under the white numbers of the head-up display.
    cairo_pattern_add_color_stop_rgba(g, 0, 0.16, 0.42, 0.14, 0.62);
    cairo_pattern_add_color_stop_rgba(g, 1, 0.08, 0.28, 0.08, 0.7);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    cairo_set_source_rgba(cr, 1, 1, 0.85, 0.6);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
}

void Caption(cairo_t* cr, const std::string& text, double x, double y, double size)
{
    SetFont(cr, EFont::SansCondensedBold, size);
    DrawLabel(cr, text, x, y, Rgb(0xFFE98A), Rgb(0x1C4A1A, 0.9), 2.5);
}

// A vine along a screen edge, leaves on both sides of a curving stem.
void Vine(cairo_t* cr, CRng& rng, double side, double y0, double y1)
{
    double edge = side < 0 ? 0 : 800;
    auto stemX = [&](double y) { return edge - side * (14 + 8 * std::sin(y / 45.0)); };
    cairo_move_to(cr, stemX(y0), y0);
    for (double y = y0; y <= y1; y += 6)
        cairo_line_to(cr, stemX(y), y);
    SetColour(cr, Rgb(0x2E6F35), 0.75);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    int i = 0;
    for (double y = y0 + 10; y < y1 - 10; y += rng.Range(20, 30), ++i)
    {
        double x = stemX(y);
        double out = (i % 2 == 0) ? -side : side; // alternate towards the field and the edge
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_rotate(cr, out * rng.Range(0.6, 1.0));
        cairo_new_path(cr);
        double len = rng.Range(16, 24);
        cairo_move_to(cr, 0, 0);
        cairo_curve_to(cr, len * 0.4, -len * 0.45, len * 0.9, -len * 0.3, len, 0);
        cairo_curve_to(cr, len * 0.9, len * 0.3, len * 0.4, len * 0.45, 0, 0);
        if (out < 0)
        {
            cairo_restore(cr);
            cairo_save(cr);
            cairo_translate(cr, x, y);
            cairo_rotate(cr, M_PI - rng.Range(0.6, 1.0));
            cairo_new_path(cr);
            cairo_move_to(cr, 0, 0);
            cairo_curve_to(cr, len * 0.4, -len * 0.45, len * 0.9, -len * 0.3, len, 0);
            cairo_curve_to(cr, len * 0.9, len * 0.3, len * 0.4, len * 0.45, 0, 0);
        }
        cairo_pattern_t* leaf = cairo_pattern_create_linear(0, 0, len, 0);
        cairo_pattern_add_color_stop_rgba(leaf, 0, 0.20, 0.52, 0.20, 0.9);
        cairo_pattern_add_color_stop_rgba(leaf, 1, 0.45, 0.78, 0.32, 0.9);
        cairo_set_source(cr, leaf);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(leaf);
        SetColour(cr, Rgb(0x1C4A1A), 0.6);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        cairo_restore(cr);
    }
}

void Grass(cairo_t* cr, CRng& rng, double x0, double x1, double baseY, int count)
{
    for (int i = 0; i < count; ++i)
    {
        double x = rng.Range(x0, x1), h = rng.Range(14, 34), lean = rng.Range(-8, 8);
        cairo_move_to(cr, x - 3, baseY);
        cairo_curve_to(cr, x - 1, baseY - h * 0.5, x + lean * 0.5, baseY - h * 0.8, x + lean, baseY - h);
        cairo_curve_to(cr, x + lean * 0.4, baseY - h * 0.6, x + 2, baseY - h * 0.4, x + 3, baseY);
        cairo_close_path(cr);
        SColour c = Mix(Rgb(0x3E9A3C), Rgb(0x7BCB5A), rng.Range(0, 1));
        SetColour(cr, c, 0.8);
        cairo_fill(cr);
    }
}
} // namespace

void PaintMeadow(cairo_t* cr, int width, int height, uint32_t seed)
{
    CRng rng(seed);
    cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, height);
    cairo_pattern_add_color_stop_rgb(sky, 0, 0.72, 0.90, 0.55);
    cairo_pattern_add_color_stop_rgb(sky, 0.5, 0.55, 0.82, 0.42);
    cairo_pattern_add_color_stop_rgb(sky, 1, 0.30, 0.62, 0.28);
    cairo_set_source(cr, sky);
    cairo_paint(cr);
    cairo_pattern_destroy(sky);

    // Sunlight from the top and soft light spots.
    cairo_pattern_t* sun = cairo_pattern_create_radial(width * 0.5, -height * 0.1, 0, width * 0.5, -height * 0.1,
                                                       height * 0.9);
    cairo_pattern_add_color_stop_rgba(sun, 0, 1, 1, 0.85, 0.45);
    cairo_pattern_add_color_stop_rgba(sun, 1, 1, 1, 0.85, 0);
    cairo_set_source(cr, sun);
    cairo_paint(cr);
    cairo_pattern_destroy(sun);
    double scale = std::sqrt(static_cast<double>(width) * height) / 1024.0;
    for (int i = 0; i < 40; ++i)
    {
        double x = rng.Range(0, width), y = rng.Range(0, height), r = rng.Range(20, 90) * scale;
        cairo_pattern_t* spot = cairo_pattern_create_radial(x, y, 0, x, y, r);
        cairo_pattern_add_color_stop_rgba(spot, 0, 1, 1, 0.9, rng.Range(0.05, 0.14));
        cairo_pattern_add_color_stop_rgba(spot, 1, 1, 1, 0.9, 0);
        cairo_set_source(cr, spot);
        cairo_arc(cr, x, y, r, 0, 2 * M_PI);
        cairo_fill(cr);
        cairo_pattern_destroy(spot);
    }
    // Faint honeycomb, the game's motif.
    double hr = 36 * scale;
    cairo_set_line_width(cr, 1.2 * scale);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.07);
    for (double y = 0; y < height + hr; y += hr * 1.5)
    {
        int row = static_cast<int>(std::lround(y / (hr * 1.5)));
        for (double x = (row % 2) * hr * 0.866; x < width + hr; x += hr * 1.732)
            HexPath(cr, x, y, hr);
    }
    cairo_stroke(cr);
}

void AddGameBackground(CDataWriter& out)
{
    cairo_surface_t* surface = NewSurface(1024, 1024);
    cairo_t* cr = cairo_create(surface);
    PaintMeadow(cr, 1024, 1024, 11);
    CRng rng(12);

    cairo_translate(cr, kOffsetX, kOffsetY);
    // A brighter lawn where the field lies, so the flowers stand out.
    cairo_save(cr);
    cairo_translate(cr, 400, 282);
    cairo_scale(cr, 1.45, 1);
    cairo_pattern_t* lawn = cairo_pattern_create_radial(0, 0, 60, 0, 0, 300);
    cairo_pattern_add_color_stop_rgba(lawn, 0, 1, 1, 0.9, 0.22);
    cairo_pattern_add_color_stop_rgba(lawn, 1, 1, 1, 0.9, 0);
    cairo_set_source(cr, lawn);
    cairo_paint(cr);
    cairo_pattern_destroy(lawn);
    cairo_restore(cr);

    // Grass along the bottom of the screen, vines up the sides and a few flowers.
    Grass(cr, rng, -112, 912, 600, 160);
    Vine(cr, rng, -1, 112, 462);
    Vine(cr, rng, 1, 112, 462);
    for (auto [x, y, c] : {std::tuple{18.0, 150.0, 1}, std::tuple{782.0, 170.0, 4}, std::tuple{20.0, 230.0, 5},
                           std::tuple{780.0, 350.0, 2}, std::tuple{18.0, 410.0, 3}, std::tuple{782.0, 440.0, 0}})
    {
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_push_group(cr);
        DrawFlower(cr, c, 12, rng.Range(0, 1));
        cairo_pop_group_to_source(cr);
        cairo_paint_with_alpha(cr, 0.9);
        cairo_restore(cr);
    }

    // Plaques under the head-up display (the numbers' base lines are fixed by the game screen).
    Plaque(cr, 6, 10, 124, 42);   // player's zone at (80, 40)
    Caption(cr, "YOU", 42, 31, 15);
    Plaque(cr, 6, 64, 128, 36);   // money at (67, 90)
    cairo_save(cr);
    cairo_translate(cr, 44, 82);
    DrawCoin(cr, 4, 13, 0);
    cairo_restore(cr);
    Plaque(cr, 664, 10, 130, 42); // opponent's zone at (718, 40)
    Caption(cr, "RIVAL", 689, 31, 13);
    Plaque(cr, 6, 470, 104, 38);  // lives at (72, 500)
    HeartPath(cr, 46, 489, 26);
    cairo_pattern_t* heart = BallGradient(46, 489, 13, Rgb(0xE8383D));
    cairo_set_source(cr, heart);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(heart);
    SetColour(cr, Rgb(0x7A1020));
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    Plaque(cr, 6, 520, 140, 38);  // total score at (81, 550)
    Caption(cr, "SCORE", 42, 539, 13);
    Plaque(cr, 654, 520, 140, 38); // level at (717, 550)
    Caption(cr, "LEVEL", 685, 539, 13);

    // The shelf under the bonus buttons.
    double barW = kBonusCount * kBonusButtonSize + (kBonusCount - 1) * kBonusButtonGap;
    RoundedRect(cr, kBonusBarX - 7, kBonusBarY - 4, barW + 14, 70, 14);
    cairo_pattern_t* shelf = cairo_pattern_create_linear(0, kBonusBarY - 4, 0, 610);
    cairo_pattern_add_color_stop_rgba(shelf, 0, 0.16, 0.42, 0.14, 0.55);
    cairo_pattern_add_color_stop_rgba(shelf, 1, 0.08, 0.28, 0.08, 0.65);
    cairo_set_source(cr, shelf);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(shelf);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.75);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);

    cairo_destroy(cr);
    out.Add("dat/game_bg.jpg", EncodeJpeg(surface, 90));
    cairo_surface_destroy(surface);
}
} // namespace NDataGen
