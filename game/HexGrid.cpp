#include "game/HexGrid.h"

#include <algorithm>
#include <cstdlib>

namespace NGame
{
CHexGrid::CHexGrid(int rows, int columns) : m_rows(rows), m_columns(columns)
{
    m_row_start.resize(rows);
    for (int r = 0; r < rows; ++r)
    {
        m_row_start[r] = m_cell_count;
        m_cell_count += RowLength(r);
    }
    m_row_of.resize(m_cell_count);
    m_neighbours.resize(m_cell_count);
    const int mid = GetMid();
    for (int r = 0; r < rows; ++r)
    {
        for (int c = 0; c < RowLength(r); ++c)
        {
            m_row_of[Index(r, c)] = r;
            // The two diagonal neighbours depend on which half of the hexagon the row lies in.
            int upDiag, downDiag;
            if (r < mid)
            {
                upDiag = c - 1;
                downDiag = c + 1;
            }
            else if (r == mid)
            {
                upDiag = c - 1;
                downDiag = c - 1;
            }
            else
            {
                upDiag = c + 1;
                downDiag = c - 1;
            }
            const int candidates[6][2] = {{r - 1, c}, {r + 1, c},      {r, c - 1},
                                          {r, c + 1}, {r - 1, upDiag}, {r + 1, downDiag}};
            auto& out = m_neighbours[Index(r, c)];
            for (int i = 0; i < 6; ++i)
            {
                const int nr = candidates[i][0], nc = candidates[i][1];
                out[i] = IsInside(nr, nc) ? Index(nr, nc) : kNoCell;
            }
        }
    }
    m_queue.reserve(m_cell_count * 2);
    m_seen.resize(m_cell_count);
}

int CHexGrid::RowLength(int row) const
{
    return m_columns - std::abs(GetMid() - row);
}

int CHexGrid::Flood(std::vector<int>& snapshot, int start, int mark) const
{
    const int value = snapshot[start];
    if (value == mark)
        return 0;
    m_queue.clear();
    m_queue.push_back(start);
    snapshot[start] = mark;
    int count = 0;
    // Marking on push keeps every cell queued once; the region is the same as
    // with marking on pop.
    for (size_t head = 0; head < m_queue.size(); ++head)
    {
        ++count;
        for (int n : m_neighbours[m_queue[head]])
        {
            if (n != kNoCell && snapshot[n] == value)
            {
                snapshot[n] = mark;
                m_queue.push_back(n);
            }
        }
    }
    return count;
}

int CHexGrid::RegionSize(const std::vector<int>& snapshot, int start) const
{
    const int value = snapshot[start];
    m_queue.clear();
    m_queue.push_back(start);
    std::fill(m_seen.begin(), m_seen.end(), 0);
    m_seen[start] = 1;
    for (size_t head = 0; head < m_queue.size(); ++head)
    {
        for (int n : m_neighbours[m_queue[head]])
        {
            if (n != kNoCell && !m_seen[n] && snapshot[n] == value)
            {
                m_seen[n] = 1;
                m_queue.push_back(n);
            }
        }
    }
    return static_cast<int>(m_queue.size());
}
} // namespace NGame
