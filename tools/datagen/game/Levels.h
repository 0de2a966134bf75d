// The three level sets: 800 x 600 masks drawn as vector shapes, so that they
// hold at every board width. Every mask is checked at every width before it is kept.
#pragma once

#include "DataWriter.h"

namespace NDataGen
{
constexpr int kLevelsPerSet = 25;

// Adds dat/levels_classic, dat/levels_duel and dat/levels_moving (lev%03d.raw).
void AddLevels(CDataWriter& out);
} // namespace NDataGen
