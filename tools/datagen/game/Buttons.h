// The game screen's buttons: eleven bonus buttons, the main-menu button and
// the hint panels' check box. Four frames each, stacked: frame 1 is the bottom band.
#pragma once

#include "DataWriter.h"

namespace NDataGen
{
void AddGameButtons(CDataWriter& out);
} // namespace NDataGen
