// The in-game hint panels: dat/hints/hints.xml, the panel pictures
// hint00.tga .. hint10.tga and the four illustrations of the first panel.
#pragma once

#include "../DataWriter.h"
#include "Font.h"

namespace NDataGen::NMui
{
void GenerateHints(CDataWriter& out, const SFontMetrics& font);
} // namespace NDataGen::NMui
