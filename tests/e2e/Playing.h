// What several end-to-end tests do alike: the data set installed beside the
// program with a windowed start, and a player's choice of cell.
#pragma once

#include <utility>

namespace NGame
{
class CField;
}

namespace NE2e
{
class CHarness;

// The build's data folders linked into the working folder, as run.sh has
// them, and settings for an 800 x 600 window at (40, 30).
void PrepareInstall(CHarness& harness, bool hints);

// The cell next to the player's zone whose colour grows it most, as a player
// looking at the board would pick it; (-1, -1) when there is none.
std::pair<int, int> BestNeighbour(const NGame::CField& field);
} // namespace NE2e
