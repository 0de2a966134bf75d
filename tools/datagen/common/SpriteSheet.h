// Builds a sprite sheet (rows = groups, columns = frames) and its .spr text.
// Group 0 is the bottom strip of the picture, because texture row 0 is the
// bottom of a targa. A sprite that the game draws without its flip flag shows
// each cell upside down, so such sheets draw their cells mirrored.
#pragma once

#include "DataWriter.h"

#include <cairo.h>

#include <functional>
#include <string>

namespace NDataGen
{
enum class ESpriteDrawing
{
    Unflipped, // the user draws without the flip flag: cells stored mirrored
    Flipped,   // the user sets the flip flag: cells stored upright
};

struct SSpriteSheet
{
    int groups = 1;
    int frames = 1;
    int cellWidth = 64;
    int cellHeight = 64;
    ESpriteDrawing drawing = ESpriteDrawing::Unflipped;
    bool mipmaps = true;
};

// Draws one cell: the context's origin is the cell centre, y pointing down
// the screen as the player will see it.
using CellPainter = std::function<void(cairo_t* cr, int group, int frame)>;

// Renders the sheet, adds "<base>.tga" and "<base>.spr" (base like "dat/skin01").
void AddSpriteSheet(CDataWriter& out, const std::string& base, const SSpriteSheet& sheet, const CellPainter& paint);
// The picture alone; caller destroys it.
cairo_surface_t* RenderSpriteSheet(const SSpriteSheet& sheet, const CellPainter& paint);
} // namespace NDataGen
