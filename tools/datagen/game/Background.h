// The game screen's background: a 1024 x 1024 meadow of which the middle
// 800 x 600 shows, with plaques under the head-up display and the bonus bar.
#pragma once

#include "DataWriter.h"

#include <cairo.h>

namespace NDataGen
{
// Soft meadow over the whole surface (also the wallpapers' ground).
void PaintMeadow(cairo_t* cr, int width, int height, uint32_t seed);
void AddGameBackground(CDataWriter& out);
} // namespace NDataGen
