// The program's icon for the desktop: a hexagon of meadow holding flowers of
// the game, as PNG pictures at the usual menu sizes and as SVG. Written beside
// the program for installing, not into the pack.
#include "../Sections.h"

#include "common/Canvas.h"
#include "common/Flower.h"

#include <cairo-svg.h>
#include <cairo.h>

#include <cmath>
#include <cstdio>
#include <string>

namespace NDataGen
{
namespace
{
// Every icon is drawn in this square and scaled to its size.
constexpr double kDesignSize = 256.0;
// Below this size seven flowers blur into noise; one large flower reads better.
constexpr int kDetailedFromSize = 48;
constexpr int kIconSizes[] = {16, 32, 48, 64, 128, 256};

cairo_status_t AppendBytes(void* closure, const unsigned char* data, unsigned int length)
{
    static_cast<Bytes*>(closure)->insert(static_cast<Bytes*>(closure)->end(), data, data + length);
    return CAIRO_STATUS_SUCCESS;
}

void DrawIcon(cairo_t* cr, bool detailed)
{
    const double centre = kDesignSize / 2;
    // Corner up, as the board's cells: a rounded badge of meadow.
    const double badge = kDesignSize * 0.47;
    cairo_save(cr);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    HexPath(cr, centre, centre, badge);
    cairo_pattern_t* meadow = cairo_pattern_create_linear(0, centre - badge, 0, centre + badge);
    SColour top = Lighter(Rgb(NPalette::kLeaf), 0.35);
    SColour bottom = Rgb(NPalette::kLeafDark);
    cairo_pattern_add_color_stop_rgb(meadow, 0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(meadow, 1, bottom.r, bottom.g, bottom.b);
    cairo_set_source(cr, meadow);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(meadow);
    SetColour(cr, Rgb(NPalette::kInk));
    cairo_set_line_width(cr, kDesignSize * (detailed ? 0.035 : 0.06));
    cairo_stroke(cr);

    if (!detailed)
    {
        cairo_translate(cr, centre, centre);
        DrawFlower(cr, 0, badge * 0.78);
        cairo_restore(cr);
        return;
    }
    // Seven cells of a board: one flower in the middle and a ring of the
    // other colours around it, neighbours side by side as on the field.
    const double spacing = badge * 0.56;
    const double radius = spacing * 0.5;
    const int ring[6] = {1, 2, 3, 4, 5, 1};
    for (int i = 0; i < 6; ++i)
    {
        double a = M_PI / 3 * i;
        cairo_save(cr);
        cairo_translate(cr, centre + spacing * std::cos(a), centre + spacing * std::sin(a));
        DrawFlower(cr, ring[i], radius, 0.2 * i);
        cairo_restore(cr);
    }
    cairo_translate(cr, centre, centre);
    DrawFlower(cr, 0, radius * 1.12);
    cairo_restore(cr);
}

Bytes IconPng(int size)
{
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
    cairo_t* cr = cairo_create(surface);
    cairo_scale(cr, size / kDesignSize, size / kDesignSize);
    DrawIcon(cr, size >= kDetailedFromSize);
    cairo_destroy(cr);
    Bytes bytes;
    cairo_surface_write_to_png_stream(surface, AppendBytes, &bytes);
    cairo_surface_destroy(surface);
    return bytes;
}

Bytes IconSvg()
{
    Bytes bytes;
    cairo_surface_t* surface = cairo_svg_surface_create_for_stream(AppendBytes, &bytes, kDesignSize, kDesignSize);
    cairo_svg_surface_set_document_unit(surface, CAIRO_SVG_UNIT_PX);
    cairo_t* cr = cairo_create(surface);
    DrawIcon(cr, true);
    cairo_destroy(cr);
    // The document is complete only once the surface is finished.
    cairo_surface_finish(surface);
    cairo_surface_destroy(surface);
    return bytes;
}
} // namespace

void GenerateIcons(CDataWriter& out)
{
    for (int size : kIconSizes)
        out.AddLoose("icons/zonvel_" + std::to_string(size) + ".png", IconPng(size));
    out.AddLoose("icons/zonvel.svg", IconSvg());
}
} // namespace NDataGen
