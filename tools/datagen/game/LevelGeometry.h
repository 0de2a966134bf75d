// Where the field puts its cells for a board of a given width, and which mask
// byte each cell reads: the generator checks every level mask at every size.
#pragma once

#include <cstdint>
#include <vector>

namespace NDataGen
{
constexpr int kMaskWidth = 800;
constexpr int kMaskHeight = 600;
constexpr int kMinColumns = 18;
constexpr int kMaxColumns = 45;

struct SBoard
{
    int columns = 0;
    int rows = 0;
    int mid = 0;
    float cellWidth = 0;
    float rowHeight = 0;
    int RowLength(int row) const { return columns - (mid > row ? mid - row : row - mid); }
    void CellCentre(int row, int col, float& x, float& y) const;
};

SBoard BoardForColumns(int columns);
// Columns of the board that a level number is laid out with.
int ColumnsForLevel(int level);

struct SMaskCheck
{
    bool startsPlayable = false; // both start cells and the player's neighbours
    int playable = 0;
    int total = 0;
    int unreachable = 0; // playable cells no start cell can reach
    bool Ok() const { return startsPlayable && unreachable == 0 && playable * 2 >= total; }
};

// mask: 800 x 600 bytes, rows from the top; byte 0 is a hole.
SMaskCheck CheckMask(const std::vector<uint8_t>& mask, const SBoard& board);
} // namespace NDataGen
