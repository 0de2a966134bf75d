// Help for players who cannot rely on the flowers' colours: a small mark of
// its own on every colour, and a line around each side's zone. Both read the
// colours the flowers show (not the rules' colours, which run ahead of a flip
// wave), change nothing, and draw nothing without a GL context.
#pragma once

#include <vector>

namespace NGame
{
class CField;

// One stretch of a hex cell's edge, in layout coordinates.
struct SEdge
{
    float x0, y0, x1, y1;
};

// The edges between the zone that holds (row, col), by the colours shown, and
// every cell outside it (the board's rim included). Empty when the cell is
// outside the board or a hole.
std::vector<SEdge> ZoneBorder(const CField& field, int row, int col);

// A contrasting line along each zone border: light on dark for the player,
// dark on light for the computer.
void DrawZoneBorder(const std::vector<SEdge>& edges, bool player);

// A mark per colour at the heart of every flower not flipping (dot, triangle,
// square, cross, diamond, bar), sized to the cell.
void DrawFlowerSymbols(const CField& field);
} // namespace NGame
