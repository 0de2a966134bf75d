#include "game/ComputerSearch.h"

#include <algorithm>
#include <cstdlib>

namespace NGame
{
namespace
{
constexpr int kMaxDepth = 3;
} // namespace

CComputerSearch::CComputerSearch(int row, int col, int strength)
    : m_start_row(row), m_start_col(col), m_strength(strength)
{
}

int CComputerSearch::StrengthForDifficulty(int difficulty)
{
    switch (difficulty)
    {
    case 3:
        return 4;
    case 2:
    case 4:
    case 5:
        return difficulty;
    default:
        return difficulty > 5 ? 5 : 2;
    }
}

float CComputerSearch::ZoneRatio(const CBoard& board) const
{
    int zoned = 0;
    const std::vector<int>& starts = board.GetStartPoints();
    for (size_t i = 0; i + 1 < starts.size(); i += 2)
        zoned += board.ZoneSize(starts[i], starts[i + 1]);
    const int playable = board.CountPlayableCells();
    return playable > 0 ? static_cast<float>(zoned) / static_cast<float>(playable) : 1.0f;
}

int CComputerSearch::SearchDepth() const
{
    const float ratio = m_ratio;
    if (m_strength == 4)
        return ratio >= 0.4f ? 1 : 2;
    if (m_strength == 5)
        return ratio < 0.4f ? 3 : (ratio < 0.7f ? 2 : 1);
    return 1;
}

void CComputerSearch::Prepare(const CBoard& board)
{
    const CHexGrid& hex = board.GetGrid();
    m_hex = &hex;
    const int count = hex.GetCellCount();
    board.Snapshot(m_grid);
    m_start_index = hex.Index(m_start_row, m_start_col);
    m_ratio = ZoneRatio(board);

    // Hop count from the own start over every non-hole cell.
    m_distance.assign(count, 0);
    std::vector<char> seen(count, 0);
    m_queue.clear();
    m_queue.push_back(m_start_index);
    seen[m_start_index] = 1;
    for (size_t head = 0; head < m_queue.size(); ++head)
    {
        const int index = m_queue[head];
        for (int n : hex.Neighbours(index))
        {
            if (n != CHexGrid::kNoCell && !seen[n] && m_grid[n] >= 0)
            {
                seen[n] = 1;
                m_distance[n] = m_distance[index] + 1;
                m_queue.push_back(n);
            }
        }
    }

    // Cell weights depend only on the strength and the zone ratio, which the
    // search never changes, so they are worked out once per move.
    const int mid = hex.GetMid();
    m_weight.assign(count, 1);
    for (int index = 0; index < count; ++index)
    {
        const int64_t r = hex.RowOf(index), c = hex.ColumnOf(index);
        const int64_t d = m_distance[index];
        const int64_t h =
            2 * static_cast<int64_t>(m_start_col) - (std::abs(mid - static_cast<int>(r)) + 2 * c);
        int64_t weight = 1;
        if (m_strength == 4 && m_ratio < 0.4f)
            weight = d * d;
        else if (m_strength == 5)
        {
            if (m_ratio >= 0.7f)
                weight = 1;
            else if (m_ratio >= 0.4f)
                weight = d * d;
            else if (m_ratio >= 0.1f)
                weight = h * h * h;
            else
                weight = h * h - (r - m_start_row) * (r - m_start_row);
        }
        m_weight[index] = weight;
    }

    // The other sides' zones are walls for the whole search.
    const std::vector<int>& starts = board.GetStartPoints();
    for (size_t i = 0; i + 1 < starts.size(); i += 2)
    {
        const int row = starts[i], col = starts[i + 1];
        if ((row == m_start_row && col == m_start_col) || !hex.IsInside(row, col))
            continue;
        const int index = hex.Index(row, col);
        if (m_grid[index] >= 0)
            hex.Flood(m_grid, index, kMarkHole);
    }

    for (int colour = 0; colour < CBoard::kColourCount; ++colour)
        m_allowed[colour] = board.IsColourAllowed(colour);
    m_work.resize(kMaxDepth + 1);
}

int64_t CComputerSearch::ScoreZone(std::vector<int>& grid, int value)
{
    const CHexGrid& hex = *m_hex;
    const int from = grid[m_start_index];
    m_queue.clear();
    if (from == value)
        return 0;
    m_queue.push_back(m_start_index);
    grid[m_start_index] = value;
    int64_t total = 0;
    for (size_t head = 0; head < m_queue.size(); ++head)
    {
        const int index = m_queue[head];
        total += m_weight[index];
        for (int n : hex.Neighbours(index))
        {
            if (n != CHexGrid::kNoCell && grid[n] == from)
            {
                grid[n] = value;
                m_queue.push_back(n);
            }
        }
    }
    return std::max<int64_t>(0, total);
}

std::pair<int, int64_t> CComputerSearch::SearchLastLevel(const std::vector<int>& grid, bool restricted)
{
    const CHexGrid& hex = *m_hex;
    if (m_visit.size() != grid.size() || m_stamp > 0xFFFFFFF0u)
    {
        m_visit.assign(grid.size(), 0);
        m_stamp = 0;
    }
    const int own = grid[m_start_index];
    const uint32_t zoneStamp = ++m_stamp;
    m_queue.clear();
    m_queue.push_back(m_start_index);
    m_visit[m_start_index] = zoneStamp;
    int64_t zoneWeight = 0;
    for (size_t head = 0; head < m_queue.size(); ++head)
    {
        const int index = m_queue[head];
        zoneWeight += m_weight[index];
        for (int n : hex.Neighbours(index))
        {
            if (n != CHexGrid::kNoCell && m_visit[n] != zoneStamp && grid[n] == own)
            {
                m_visit[n] = zoneStamp;
                m_queue.push_back(n);
            }
        }
    }
    int64_t best = 0;
    int bestColour = -1;
    for (int colour = 0; colour < CBoard::kColourCount; ++colour)
    {
        if (colour == own || (restricted && !m_allowed[colour]))
            continue;
        // The zone takes the colour and with it every region of that colour it touches.
        const uint32_t stamp = ++m_stamp;
        m_absorbed.clear();
        for (int index : m_queue)
            for (int n : hex.Neighbours(index))
                if (n != CHexGrid::kNoCell && grid[n] == colour && m_visit[n] != stamp)
                {
                    m_visit[n] = stamp;
                    m_absorbed.push_back(n);
                }
        int64_t total = zoneWeight;
        for (size_t head = 0; head < m_absorbed.size(); ++head)
        {
            const int index = m_absorbed[head];
            total += m_weight[index];
            for (int n : hex.Neighbours(index))
                if (n != CHexGrid::kNoCell && grid[n] == colour && m_visit[n] != stamp)
                {
                    m_visit[n] = stamp;
                    m_absorbed.push_back(n);
                }
        }
        const int64_t score = std::max<int64_t>(0, total);
        if (score > best)
        {
            best = score;
            bestColour = colour;
        }
    }
    return {bestColour, best};
}

std::pair<int, int64_t> CComputerSearch::Search(const std::vector<int>& grid, int depth, bool restricted,
                                                int level)
{
    if (depth <= 0)
        return {-1, 0};
    if (depth == 1)
        return SearchLastLevel(grid, restricted);
    std::vector<int>& work = m_work[level];
    work = grid;
    int64_t best = 0;
    int bestColour = -1;
    const int own = work[m_start_index];
    for (int colour = 0; colour < CBoard::kColourCount; ++colour)
    {
        if (colour == own || (restricted && !m_allowed[colour]))
            continue;
        ScoreZone(work, colour);
        const int64_t deeper = Search(work, depth - 1, false, level + 1).second;
        const int64_t score = ScoreZone(work, kMarkMover) + deeper;
        if (score > best)
        {
            best = score;
            bestColour = colour;
        }
        // Only the zone's cells changed: put them back.
        for (int index : m_queue)
            work[index] = grid[index];
    }
    return {bestColour, best};
}

std::pair<int, int64_t> CComputerSearch::SearchBestColour(const CBoard& board)
{
    Prepare(board);
    return Search(m_grid, SearchDepth(), true, 0);
}

int CComputerSearch::FallbackColour(const CBoard& board) const
{
    const CHexGrid& hex = board.GetGrid();
    std::vector<int> snapshot;
    const int start = hex.Index(m_start_row, m_start_col);
    int bestColour = -1, bestSize = -1;
    for (int colour = 0; colour < CBoard::kColourCount; ++colour)
    {
        if (!board.IsColourAllowed(colour))
            continue;
        board.Snapshot(snapshot);
        if (snapshot[start] < 0 || snapshot[start] == colour)
            continue;
        hex.Flood(snapshot, start, colour);
        const int size = hex.RegionSize(snapshot, start);
        if (size > bestSize)
        {
            bestSize = size;
            bestColour = colour;
        }
    }
    return bestColour;
}

int CComputerSearch::ChooseColour(const CBoard& board)
{
    if (!board.IsInside(m_start_row, m_start_col))
        return -1;
    const int colour = SearchBestColour(board).first;
    return colour >= 0 ? colour : FallbackColour(board);
}
} // namespace NGame
