#include "Flower.h"

#include "Canvas.h"

#include <cmath>
#include <string>

namespace NDataGen
{
namespace
{
void FillAndOutline(cairo_t* cr, cairo_pattern_t* fill, const SColour& outline, double width)
{
    cairo_set_source(cr, fill);
    cairo_fill_preserve(cr);
    SetColour(cr, outline);
    cairo_set_line_width(cr, width);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
}

// A petal pointing along -y from the centre, its base at the centre.
void PetalPath(cairo_t* cr, int colour, double length, double width)
{
    cairo_new_sub_path(cr);
    switch (colour)
    {
    case 0: // round petal
        cairo_arc(cr, 0, -length * 0.62, width, 0, 2 * M_PI);
        break;
    case 1: // narrow pointed ray
        cairo_move_to(cr, 0, 0);
        cairo_curve_to(cr, width, -length * 0.3, width, -length * 0.75, 0, -length);
        cairo_curve_to(cr, -width, -length * 0.75, -width, -length * 0.3, 0, 0);
        break;
    case 2: // broad petal with a notch at its tip
        cairo_move_to(cr, 0, 0);
        cairo_curve_to(cr, width * 1.3, -length * 0.2, width * 1.2, -length * 1.05, width * 0.15, -length * 0.98);
        cairo_line_to(cr, 0, -length * 0.82);
        cairo_line_to(cr, -width * 0.15, -length * 0.98);
        cairo_curve_to(cr, -width * 1.2, -length * 1.05, -width * 1.3, -length * 0.2, 0, 0);
        break;
    case 3: // leaf with a sharp tip
        cairo_move_to(cr, 0, 0);
        cairo_curve_to(cr, width * 1.25, -length * 0.35, width * 0.6, -length * 0.85, 0, -length);
        cairo_curve_to(cr, -width * 0.6, -length * 0.85, -width * 1.25, -length * 0.35, 0, 0);
        break;
    case 4: // pointed lily petal
        cairo_move_to(cr, 0, 0);
        cairo_line_to(cr, width, -length * 0.45);
        cairo_line_to(cr, 0, -length);
        cairo_line_to(cr, -width, -length * 0.45);
        break;
    default: // square-ended scallop (inner ring of the pink flower)
        cairo_move_to(cr, 0, 0);
        cairo_line_to(cr, width * 0.9, -length * 0.7);
        cairo_arc_negative(cr, 0, -length * 0.7, width * 0.9, 0, -M_PI);
        break;
    }
    cairo_close_path(cr);
}

struct SFlowerShape
{
    int petals;
    double length; // fraction of the radius
    double width;  // fraction of the radius
    double centre; // fraction of the radius
};

SFlowerShape ShapeOf(int colour)
{
    switch (colour)
    {
    case 0: return {5, 0.86, 0.30, 0.34};
    case 1: return {12, 0.90, 0.12, 0.30};
    case 2: return {4, 0.90, 0.40, 0.18};
    case 3: return {3, 0.92, 0.42, 0.16};
    case 4: return {6, 0.94, 0.26, 0.18};
    default: return {7, 0.88, 0.30, 0.20};
    }
}
} // namespace

void DrawFlower(cairo_t* cr, int colour, double radius, double twist)
{
    SColour base = FlowerColour(colour);
    SColour ink = Darker(base, 0.55);
    cairo_save(cr);

    // Tinted disc: neighbouring flowers of one colour read as one zone.
    cairo_new_path(cr);
    cairo_arc(cr, 0, 0, radius * 0.97, 0, 2 * M_PI);
    cairo_pattern_t* disc = cairo_pattern_create_radial(0, -radius * 0.3, radius * 0.1, 0, 0, radius);
    // The purple flower sits on a dark disc: light petals on dark read apart
    // from the blue one's dark-on-light, even where the hues merge.
    const bool darkDisc = colour == 4;
    SColour d0 = darkDisc ? Darker(base, 0.35) : Lighter(base, 0.62);
    SColour d1 = darkDisc ? Darker(base, 0.55) : Lighter(base, 0.25);
    cairo_pattern_add_color_stop_rgb(disc, 0, d0.r, d0.g, d0.b);
    cairo_pattern_add_color_stop_rgb(disc, 1, d1.r, d1.g, d1.b);
    FillAndOutline(cr, disc, Darker(base, 0.25), radius * 0.05);
    cairo_pattern_destroy(disc);

    SFlowerShape shape = ShapeOf(colour);
    double length = shape.length * radius;
    double width = shape.width * radius;
    cairo_pattern_t* petalFill = cairo_pattern_create_radial(0, 0, radius * 0.1, 0, 0, length);
    // The blue and red flowers' petals are deep on their pale discs (a bold
    // cross, a dark ring round the eye), the pink rose stays pale all over.
    const bool deepPetals = colour == 0 || colour == 2;
    SColour p0 = darkDisc ? Lighter(base, 0.6) : (deepPetals ? base : Lighter(base, 0.35));
    SColour p1 = darkDisc ? Lighter(base, 0.25) : Darker(base, deepPetals ? 0.35 : 0.08);
    cairo_pattern_add_color_stop_rgb(petalFill, 0, p0.r, p0.g, p0.b);
    cairo_pattern_add_color_stop_rgb(petalFill, 1, p1.r, p1.g, p1.b);

    if (colour == 5)
    {
        // Pink: two rings of scallops, a rose.
        for (int ring = 0; ring < 2; ++ring)
        {
            double l = ring == 0 ? length : length * 0.68;
            double w = ring == 0 ? width : width * 0.8;
            for (int i = 0; i < shape.petals; ++i)
            {
                cairo_save(cr);
                cairo_rotate(cr, twist + (2 * M_PI / shape.petals) * (i + ring * 0.5));
                cairo_new_path(cr);
                PetalPath(cr, 5, l, w);
                FillAndOutline(cr, petalFill, ink, radius * 0.045);
                cairo_restore(cr);
            }
        }
    }
    else
    {
        for (int i = 0; i < shape.petals; ++i)
        {
            cairo_save(cr);
            cairo_rotate(cr, twist + (2 * M_PI / shape.petals) * i);
            cairo_new_path(cr);
            PetalPath(cr, colour, length, width);
            FillAndOutline(cr, petalFill, ink, radius * 0.045);
            if (colour == 3 || colour == 4)
            {
                // A vein down the middle of leaf and lily petals.
                cairo_move_to(cr, 0, -length * 0.15);
                cairo_line_to(cr, 0, -length * 0.8);
                SetColour(cr, Lighter(base, 0.55), 0.8);
                cairo_set_line_width(cr, radius * 0.035);
                cairo_stroke(cr);
            }
            cairo_restore(cr);
        }
    }
    cairo_pattern_destroy(petalFill);

    // Centre.
    // Hearts differ too: dark brown for the sunflower, white for the blue
    // flower, golden for the rest (the red one's large, an eye).
    SColour heart = colour == 1 ? Rgb(0x8A4B1C) : (colour == 2 ? Rgb(0xFFFFFF) : Rgb(0xFFE066));
    cairo_new_path(cr);
    cairo_arc(cr, 0, 0, shape.centre * radius, 0, 2 * M_PI);
    cairo_pattern_t* c = BallGradient(0, 0, shape.centre * radius, heart);
    FillAndOutline(cr, c, Darker(heart, 0.5), radius * 0.04);
    cairo_pattern_destroy(c);
    cairo_restore(cr);
}

void DrawHoleTile(cairo_t* cr, double radius)
{
    cairo_save(cr);
    cairo_new_path(cr);
    HexPath(cr, 0, 0, radius * 0.98);
    cairo_pattern_t* soil = cairo_pattern_create_radial(0, radius * 0.25, radius * 0.1, 0, 0, radius);
    cairo_pattern_add_color_stop_rgba(soil, 0, 0.36, 0.28, 0.20, 0.72);
    cairo_pattern_add_color_stop_rgba(soil, 1, 0.20, 0.15, 0.12, 0.80);
    cairo_set_source(cr, soil);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(soil);
    cairo_set_source_rgba(cr, 0.12, 0.09, 0.07, 0.8);
    cairo_set_line_width(cr, radius * 0.06);
    cairo_stroke(cr);
    // A few pebbles, always the same.
    static const double kPebbles[][3] = {{-0.35, -0.2, 0.12}, {0.3, 0.1, 0.1}, {-0.05, 0.4, 0.08}, {0.2, -0.42, 0.07}};
    for (const auto& p : kPebbles)
    {
        cairo_new_path(cr);
        cairo_arc(cr, p[0] * radius, p[1] * radius, p[2] * radius, 0, 2 * M_PI);
        cairo_set_source_rgba(cr, 0.55, 0.48, 0.40, 0.65);
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

double CoinScale(int kind)
{
    static const double kScale[5] = {0.66, 0.74, 0.80, 0.90, 1.0};
    return kScale[kind < 0 ? 0 : (kind > 4 ? 4 : kind)];
}

void DrawCoin(cairo_t* cr, int kind, double radius, double spin)
{
    static const uint32_t kMetal[5] = {0xD27D3E, 0xC8D2DC, 0xF5C83A, 0x3CC27A, 0xFFB21E};
    static const char* kMarks[5] = {"1", "5", "10", "25", "$1"};
    SColour metal = Rgb(kMetal[kind]);
    SColour ink = Darker(metal, 0.6);
    double r = radius * CoinScale(kind);
    double c = std::cos(spin);
    double squash = std::max(std::fabs(c), 0.1);
    bool face = c >= 0;

    cairo_save(cr);
    // Soft shadow below the coin keeps it readable on every flower.
    cairo_new_path(cr);
    cairo_save(cr);
    cairo_translate(cr, r * 0.06, r * 0.1);
    cairo_scale(cr, squash, 1);
    cairo_arc(cr, 0, 0, r * 1.02, 0, 2 * M_PI);
    cairo_restore(cr);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
    cairo_fill(cr);

    // The rim seen edge-on while the coin turns.
    double edge = r * 0.14 * std::sqrt(std::max(0.0, 1 - c * c));
    if (edge > 0.5)
    {
        cairo_new_path(cr);
        cairo_rectangle(cr, -edge, -r, 2 * edge, 2 * r);
        SetColour(cr, Darker(metal, 0.35));
        cairo_fill(cr);
    }

    cairo_save(cr);
    cairo_scale(cr, squash, 1);
    cairo_new_path(cr);
    if (kind == 3)
        StarPath(cr, 0, 0, 12, r, r * 0.9, 0); // the 25 has a milled, star-shaped rim
    else
        cairo_arc(cr, 0, 0, r, 0, 2 * M_PI);
    cairo_pattern_t* body = BallGradient(0, 0, r, metal);
    cairo_set_source(cr, body);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(body);
    SetColour(cr, ink);
    cairo_set_line_width(cr, r * 0.09);
    cairo_stroke(cr);
    // Inner ring.
    cairo_new_path(cr);
    cairo_arc(cr, 0, 0, r * 0.74, 0, 2 * M_PI);
    SetColour(cr, Lighter(metal, 0.5), 0.9);
    cairo_set_line_width(cr, r * 0.06);
    cairo_stroke(cr);

    if (face)
    {
        if (kind == 4)
        {
            // The dollar: a ruby star under the mark.
            cairo_new_path(cr);
            StarPath(cr, 0, 0, 5, r * 0.7, r * 0.3, 0);
            SetColour(cr, Rgb(0xE8383D), 0.55);
            cairo_fill(cr);
        }
        SetFont(cr, EFont::SansCondensedBold, r * (kind >= 2 ? 0.82 : 1.05));
        cairo_new_path(cr);
        TextPathCentred(cr, kMarks[kind], 0, r * 0.02);
        SetColour(cr, Lighter(metal, 0.85));
        cairo_set_line_width(cr, r * 0.12);
        cairo_stroke_preserve(cr);
        SetColour(cr, Darker(metal, 0.62));
        cairo_fill(cr);
    }
    else
    {
        // Back: a small flower emblem.
        cairo_new_path(cr);
        StarPath(cr, 0, 0, 6, r * 0.5, r * 0.25, 0);
        SetColour(cr, Darker(metal, 0.4));
        cairo_fill(cr);
    }
    // Shine.
    cairo_new_path(cr);
    cairo_arc(cr, -r * 0.35, -r * 0.4, r * 0.18, 0, 2 * M_PI);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.55);
    cairo_fill(cr);
    cairo_restore(cr);
    cairo_restore(cr);
}
} // namespace NDataGen
