// The game screen's sprite sheets: flowers, coins, insects, marker, particles.
#pragma once

#include "DataWriter.h"

namespace NDataGen
{
constexpr int kFlowerFrames = 16;
constexpr int kFlowerGroups = 8; // colours 0..5, 6 unused, 7 the hole
constexpr int kHoleGroup = 7;

// Flower size in frame f of the flip: full at the first and last frame,
// smallest at the frame before the middle (where the colour changes).
double FlowerFrameScale(int frame);

void AddGameSprites(CDataWriter& out);
} // namespace NDataGen
