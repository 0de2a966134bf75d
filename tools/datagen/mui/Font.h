// The bitmap font picture: white DejaVu glyphs on transparency, laid out so
// that the font reader finds them by scanning (one marker bar per line, then
// the 94 characters '!'..'~' in code order, transparent rows and columns between).
#pragma once

#include "../DataWriter.h"

#include <array>
#include <string>
#include <vector>

namespace NDataGen::NMui
{
// What the font reader will make of the picture, so that texts can be measured
// and wrapped at generation time exactly as the game will.
struct SFontMetrics
{
    int lineHeightPx = 1;            // top inked row minus bottom inked row of a line
    std::array<int, 94> glyphPx{};   // texture width of each glyph quad in pixels
};

Bytes BuildFontPicture(SFontMetrics& metrics);

// Width of a single line of text at the given pixel size, as the game measures it.
double MeasureText(const SFontMetrics& font, const std::string& text, double size);
// The game's word wrapping of the help pages: breaks at carriage returns, drops line feeds.
std::vector<std::string> WrapText(const SFontMetrics& font, const std::string& text, double width, double size);
} // namespace NDataGen::NMui
