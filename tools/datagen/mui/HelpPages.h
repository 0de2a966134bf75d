// The help book mui/help.xml and the pictures its pages show.
#pragma once

#include "../DataWriter.h"
#include "Font.h"

namespace NDataGen::NMui
{
void GenerateHelp(CDataWriter& out, const SFontMetrics& font);
} // namespace NDataGen::NMui
