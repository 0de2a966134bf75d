#include "SpriteSheet.h"

#include "Images.h"

namespace NDataGen
{
cairo_surface_t* RenderSpriteSheet(const SSpriteSheet& sheet, const CellPainter& paint)
{
    cairo_surface_t* surface = NewSurface(sheet.frames * sheet.cellWidth, sheet.groups * sheet.cellHeight);
    for (int g = 0; g < sheet.groups; ++g)
    {
        for (int f = 0; f < sheet.frames; ++f)
        {
            cairo_t* cr = cairo_create(surface);
            double x = f * sheet.cellWidth;
            double y = (sheet.groups - 1 - g) * sheet.cellHeight;
            // Nothing may bleed into a neighbouring cell (mipmaps and filtering sample across).
            cairo_rectangle(cr, x, y, sheet.cellWidth, sheet.cellHeight);
            cairo_clip(cr);
            cairo_translate(cr, x + sheet.cellWidth / 2.0, y + sheet.cellHeight / 2.0);
            if (sheet.drawing == ESpriteDrawing::Unflipped)
                cairo_scale(cr, 1, -1);
            paint(cr, g, f);
            cairo_destroy(cr);
        }
    }
    return surface;
}

void AddSpriteSheet(CDataWriter& out, const std::string& base, const SSpriteSheet& sheet, const CellPainter& paint)
{
    cairo_surface_t* surface = RenderSpriteSheet(sheet, paint);
    out.Add(base + ".tga", EncodeTga(surface, true));
    cairo_surface_destroy(surface);
    std::string text = "file_name " + base + ".tga\n";
    text += "tex_wrap 0\n";
    text += std::string("tex_dynamic ") + (sheet.mipmaps ? "1" : "0") + "\n";
    text += "groups " + std::to_string(sheet.groups) + "\n";
    text += "frames " + std::to_string(sheet.frames) + "\n";
    out.AddText(base + ".spr", text);
}
} // namespace NDataGen
