// The generator's sections: each adds its files to the writer.
#pragma once

#include "DataWriter.h"

namespace NDataGen
{
// dat/: game data file, game pictures and sprites, bonus buttons, level masks.
void GenerateGameData(CDataWriter& out);
// mui/ and dat/hints/: layouts, window pictures, controls, font, help, hints.
void GenerateInterfaceData(CDataWriter& out);
// wav/ and music/: sound effects and tracker modules.
void GenerateAudio(CDataWriter& out);
// icons/: the desktop icon at the menu sizes and as SVG, for installing only.
void GenerateIcons(CDataWriter& out);
} // namespace NDataGen
