// Shape of one level's board (odd row count, rows shrinking away from the
// middle) with flat cell indices, the six-neighbour table and flood fills
// over colour snapshots. Snapshots are one int per cell, indexed by Index().
#pragma once

#include <array>
#include <vector>

namespace NGame
{
class CHexGrid
{
  public:
    static constexpr int kNoCell = -1;

    CHexGrid() = default;
    CHexGrid(int rows, int columns);

    int GetRows() const { return m_rows; }
    int GetColumns() const { return m_columns; }
    int GetMid() const { return m_rows / 2; }
    int GetCellCount() const { return m_cell_count; }
    int RowLength(int row) const;
    bool IsInside(int row, int col) const
    {
        return row >= 0 && row < m_rows && col >= 0 && col < RowLength(row);
    }
    int Index(int row, int col) const { return m_row_start[row] + col; }
    int RowOf(int index) const { return m_row_of[index]; }
    int ColumnOf(int index) const { return index - m_row_start[m_row_of[index]]; }
    // Six entries, kNoCell where the neighbour lies outside the board.
    const std::array<int, 6>& Neighbours(int index) const { return m_neighbours[index]; }

    // Replaces the connected region of equal values around start by mark and
    // returns its size. A region whose value already equals mark is left alone.
    int Flood(std::vector<int>& snapshot, int start, int mark) const;
    // Size of the connected region of equal values around start, snapshot untouched.
    int RegionSize(const std::vector<int>& snapshot, int start) const;

    // Working queue, reused so floods do not allocate.
    std::vector<int>& Queue() const { return m_queue; }

  private:
    int m_rows = 0;
    int m_columns = 0;
    int m_cell_count = 0;
    std::vector<int> m_row_start;
    std::vector<int> m_row_of;
    std::vector<std::array<int, 6>> m_neighbours;
    mutable std::vector<int> m_queue;
    mutable std::vector<unsigned char> m_seen;
};
} // namespace NGame
