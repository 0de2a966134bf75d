// The menu dragonflies (mui/dragon.spr) and the mouse pointer (mui/cursor.spr).
// Both are drawn with the sprite flip set, so their cells are stored upright;
// group 0 is the bottom strip of a sheet.
#pragma once

#include "../DataWriter.h"

namespace NDataGen::NMui
{
void GenerateCreatures(CDataWriter& out);
} // namespace NDataGen::NMui
