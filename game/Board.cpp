#include "game/Board.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace NGame
{
namespace
{
constexpr float kFieldWidth = 776.0f;
constexpr float kFieldHeight = 532.0f;
constexpr int kFree = 0;
// Saved-game text values.
constexpr int kTextHole = 50;
constexpr int kTextCoin = 60;
constexpr int kMaxTextLevel = 1000;

// Reads a decimal number as "%d" would (blanks, a sign, digits), refusing
// values outside int instead of leaving them undefined.
bool ReadNumber(const std::string& text, size_t position, int& value)
{
    while (position < text.size() && std::isspace(static_cast<unsigned char>(text[position])))
        ++position;
    bool negative = false;
    if (position < text.size() && (text[position] == '-' || text[position] == '+'))
        negative = text[position++] == '-';
    long long number = 0;
    size_t digits = 0;
    for (; position < text.size() && text[position] >= '0' && text[position] <= '9'; ++position, ++digits)
    {
        number = number * 10 + (text[position] - '0');
        if (number > static_cast<long long>(INT_MAX) + 1)
            return false;
    }
    if (digits == 0)
        return false;
    number = negative ? -number : number;
    if (number > INT_MAX || number < INT_MIN)
        return false;
    value = static_cast<int>(number);
    return true;
}
} // namespace

SLevelLayout SLevelLayout::ForLevel(int level)
{
    static constexpr int kBase[3] = {21, 18, 30};
    const int l = ((level % 100) + 100) % 100;
    const int a = l / 18, b = (l % 18) / 6, c = l % 6;
    SLevelLayout layout;
    layout.columns = kBase[b] + c + 2 * a;
    layout.cellWidth = kFieldWidth / static_cast<float>(layout.columns);
    layout.halfWidth = layout.cellWidth / 2.0f;
    layout.rowHeight = layout.halfWidth * std::sqrt(3.0f);
    layout.rows = static_cast<int>(kFieldHeight / layout.rowHeight);
    if (layout.rows % 2 == 0)
    {
        layout.rows += 1;
        layout.rowHeight = kFieldHeight / static_cast<float>(layout.rows);
    }
    return layout;
}

CBoard::CBoard(FRandom random) : m_random(std::move(random)) {}

void CBoard::Build(int level, const FIsHole& isHole, const FCellMade& made)
{
    m_level = level;
    const SLevelLayout layout = SLevelLayout::ForLevel(level);
    m_grid = CHexGrid(layout.rows, layout.columns);
    const int count = m_grid.GetCellCount();
    m_colours.assign(count, 0);
    m_holes.assign(count, 0);
    m_present.assign(count, 0);
    m_coins.assign(count, kNoCoin);
    m_snapshot.assign(count, 0);
    const int mid = GetMid(), last = GetColumns() - 1;
    for (int r = 0; r < GetRows(); ++r)
    {
        for (int c = 0; c < RowLength(r); ++c)
        {
            int colour = m_random() % kColourCount;
            // The computer never starts in the human's colour.
            if (r == mid && c == last)
                while (colour == m_colours[Index(mid, 0)])
                    colour = m_random() % kColourCount;
            const int index = Index(r, c);
            m_colours[index] = colour;
            m_present[index] = 1;
            m_holes[index] = !IsStartCell(r, c) && isHole(r, c);
            made(r, c);
        }
    }
    const int computerColour = m_colours[Index(mid, last)];
    const int humanStarts[4][2] = {{mid, 0}, {mid, 1}, {mid - 1, 0}, {mid + 1, 0}};
    for (const auto& start : humanStarts)
    {
        if (!IsInside(start[0], start[1]))
            continue;
        int colour = m_random() % kColourCount;
        while (colour == computerColour)
            colour = m_random() % kColourCount;
        m_colours[Index(start[0], start[1])] = colour;
    }
}

bool CBoard::IsInside(int row, int col) const
{
    return m_grid.GetCellCount() > 0 && m_grid.IsInside(row, col);
}

bool CBoard::IsPresent(int row, int col) const
{
    return IsInside(row, col) && m_present[Index(row, col)];
}

bool CBoard::IsHole(int row, int col) const
{
    return IsPresent(row, col) && m_holes[Index(row, col)];
}

bool CBoard::IsUsable(int row, int col) const
{
    return IsPresent(row, col) && !m_holes[Index(row, col)];
}

int CBoard::ColourAt(int row, int col) const
{
    if (!IsPresent(row, col))
        return kOutside;
    const int index = Index(row, col);
    return m_holes[index] ? kHole : m_colours[index];
}

int CBoard::ColourOf(int row, int col) const
{
    return IsPresent(row, col) ? m_colours[Index(row, col)] : kOutside;
}

int CBoard::CoinAt(int row, int col) const
{
    return IsPresent(row, col) ? m_coins[Index(row, col)] : kNoCoin;
}

bool CBoard::IsStartCell(int row, int col) const
{
    return row == GetMid() && (col == 0 || col == GetColumns() - 1);
}

bool CBoard::IsColourAllowed(int colour) const
{
    if (colour < 0 || colour >= kColourCount)
        return false;
    for (size_t i = 0; i + 1 < m_starts.size(); i += 2)
        if (ColourAt(m_starts[i], m_starts[i + 1]) == colour)
            return false;
    return true;
}

void CBoard::Snapshot(std::vector<int>& out) const
{
    const int count = m_grid.GetCellCount();
    out.resize(count);
    for (int index = 0; index < count; ++index)
        out[index] = (!m_present[index] || m_holes[index]) ? kHole : m_colours[index];
}

int CBoard::ZoneSize(int row, int col) const
{
    if (!IsUsable(row, col))
        return 0;
    Snapshot(m_snapshot);
    return m_grid.RegionSize(m_snapshot, Index(row, col));
}

int CBoard::CountPlayableCells() const
{
    int count = 0;
    for (int index = 0; index < m_grid.GetCellCount(); ++index)
        count += m_present[index] && !m_holes[index];
    return count;
}

bool CBoard::IsFull() const
{
    Snapshot(m_snapshot);
    int zoned = 0;
    for (size_t i = 0; i + 1 < m_starts.size(); i += 2)
    {
        if (!m_grid.IsInside(m_starts[i], m_starts[i + 1]))
            continue;
        const int index = Index(m_starts[i], m_starts[i + 1]);
        if (m_snapshot[index] >= 0)
            zoned += m_grid.Flood(m_snapshot, index, kMarkZone);
    }
    return zoned == CountPlayableCells();
}

void CBoard::RegisterStart(int row, int col)
{
    m_starts.push_back(row);
    m_starts.push_back(col);
}

void CBoard::UnregisterStart(int row, int col)
{
    for (size_t i = 0; i + 1 < m_starts.size(); i += 2)
    {
        if (m_starts[i] == row && m_starts[i + 1] == col)
        {
            m_starts.erase(m_starts.begin() + static_cast<std::ptrdiff_t>(i),
                           m_starts.begin() + static_cast<std::ptrdiff_t>(i) + 2);
            return;
        }
    }
}

void CBoard::SetColour(int row, int col, int colour)
{
    if (IsPresent(row, col))
        m_colours[Index(row, col)] = colour;
}

void CBoard::SetHole(int row, int col, bool hole)
{
    if (IsPresent(row, col))
        m_holes[Index(row, col)] = hole;
}

void CBoard::SetCoin(int row, int col, int kind)
{
    if (IsPresent(row, col) && kind >= kNoCoin && kind <= kMaxCoinKind)
        m_coins[Index(row, col)] = kind;
}

void CBoard::CollectCoin(int row, int col)
{
    const int kind = CoinAt(row, col);
    if (kind == kNoCoin)
        return;
    m_collected.push_back({row, col, kind});
    m_coins[Index(row, col)] = kNoCoin;
}

void CBoard::MarkZones(std::vector<int>& snapshot, int moverIndex, bool moverAlways) const
{
    if (moverAlways && snapshot[moverIndex] >= 0)
        m_grid.Flood(snapshot, moverIndex, kMarkMover);
    for (size_t i = 0; i + 1 < m_starts.size(); i += 2)
    {
        if (!m_grid.IsInside(m_starts[i], m_starts[i + 1]))
            continue;
        const int index = Index(m_starts[i], m_starts[i + 1]);
        if (index == moverIndex)
        {
            // The mover's region is its own even when a side registered earlier
            // shares it and has already marked it.
            if (snapshot[index] >= 0 || snapshot[index] == kMarkOpponent)
                m_grid.Flood(snapshot, index, kMarkMover);
        }
        else if (snapshot[index] != kMarkMover && snapshot[index] >= 0)
        {
            m_grid.Flood(snapshot, index, kMarkOpponent);
        }
    }
}

void CBoard::CaptureFreeRegions(std::vector<int>& snapshot, int colour, std::vector<char>& changed)
{
    for (int& value : snapshot)
        if (value >= 0 && value <= kMarkHighestColour)
            value = kFree;
    std::vector<int>& queue = m_grid.Queue();
    int label = 0;
    for (int start = 0; start < m_grid.GetCellCount(); ++start)
    {
        if (snapshot[start] != kFree)
            continue;
        ++label;
        bool touchesOpponent = false;
        queue.clear();
        queue.push_back(start);
        snapshot[start] = label;
        for (size_t head = 0; head < queue.size(); ++head)
        {
            for (int n : m_grid.Neighbours(queue[head]))
            {
                if (n == CHexGrid::kNoCell)
                    continue;
                if (snapshot[n] == kFree)
                {
                    snapshot[n] = label;
                    queue.push_back(n);
                }
                else if (snapshot[n] == kMarkOpponent)
                {
                    touchesOpponent = true;
                }
            }
        }
        if (touchesOpponent)
            continue;
        for (int index : queue)
        {
            m_colours[index] = colour;
            changed[index] = 1;
        }
    }
}

std::vector<int> CBoard::Listed(const std::vector<char>& changed)
{
    std::vector<int> indices;
    for (size_t index = 0; index < changed.size(); ++index)
        if (changed[index])
            indices.push_back(static_cast<int>(index));
    return indices;
}

std::vector<int> CBoard::Fill(int startRow, int startCol, int colour)
{
    if (!IsUsable(startRow, startCol) || colour < 0 || colour >= kColourCount ||
        colour == ColourAt(startRow, startCol))
        return {};

    // Repaint the zone.
    std::vector<char> changed(m_grid.GetCellCount(), 0);
    std::vector<int>& snapshot = m_snapshot;
    Snapshot(snapshot);
    const int startIndex = Index(startRow, startCol);
    m_grid.Flood(snapshot, startIndex, colour);
    for (int index : m_grid.Queue())
    {
        m_colours[index] = colour;
        changed[index] = 1;
    }

    // Capture: the zone absorbs its new neighbours, then every region the
    // opponent can no longer reach.
    Snapshot(snapshot);
    MarkZones(snapshot, startIndex, false);
    for (int index = 0; index < m_grid.GetCellCount(); ++index)
    {
        if (snapshot[index] == kMarkMover)
        {
            m_colours[index] = colour;
            changed[index] = 1;
        }
    }
    CaptureFreeRegions(snapshot, colour, changed);
    return Listed(changed);
}

std::vector<int> CBoard::RecheckEnclosures(int row, int col, std::vector<int>& zone)
{
    zone.clear();
    if (!IsUsable(row, col))
        return {};
    const int colour = ColourAt(row, col);
    std::vector<char> changed(m_grid.GetCellCount(), 0);
    std::vector<int>& snapshot = m_snapshot;
    Snapshot(snapshot);
    MarkZones(snapshot, Index(row, col), true);
    for (int index = 0; index < m_grid.GetCellCount(); ++index)
        if (snapshot[index] == kMarkMover)
            zone.push_back(index);
    CaptureFreeRegions(snapshot, colour, changed);
    return Listed(changed);
}

void CBoard::ShiftHoles()
{
    for (int r = 0; r < GetRows(); ++r)
    {
        const int first = Index(r, 0), length = RowLength(r);
        for (int c = length - 1; c > 0; --c)
            m_holes[first + c] = m_present[first + c] && m_present[first + c - 1] && m_holes[first + c - 1];
    }
}

void CBoard::ShiftLeft()
{
    for (int r = 0; r < GetRows(); ++r)
    {
        const int first = Index(r, 0), length = RowLength(r);
        for (int c = 0; c + 1 < length; ++c)
        {
            m_colours[first + c] = m_colours[first + c + 1];
            m_holes[first + c] = m_holes[first + c + 1];
            m_present[first + c] = m_present[first + c + 1];
            m_coins[first + c] = m_coins[first + c + 1];
        }
        const int last = first + length - 1;
        m_colours[last] = 0;
        m_holes[last] = 0;
        m_present[last] = 0;
        m_coins[last] = kNoCoin;
    }
}

void CBoard::Refill(const FIsHole& isHole, const FCellMade& made)
{
    for (int r = 0; r < GetRows(); ++r)
    {
        for (int c = 0; c < RowLength(r); ++c)
        {
            const int index = Index(r, c);
            if (m_present[index])
                continue;
            m_colours[index] = m_random() % kColourCount;
            m_present[index] = 1;
            m_coins[index] = kNoCoin;
            // As when a level is built: a hole at a start cell would hand its
            // side's whole neighbourhood to the next capture.
            m_holes[index] = !IsStartCell(r, c) && isHole(r, c);
            made(r, c);
        }
    }
}

std::string CBoard::FormatState() const
{
    std::string text;
    text.reserve(16 + static_cast<size_t>(m_grid.GetCellCount()) * 4);
    char buffer[32];
    std::snprintf(buffer, sizeof(buffer), "%03d ", m_level);
    text += buffer;
    for (int index = 0; index < m_grid.GetCellCount(); ++index)
    {
        if (!m_present[index] || m_holes[index])
            std::snprintf(buffer, sizeof(buffer), "%02d ", kTextHole);
        else if (m_coins[index] >= 0)
            std::snprintf(buffer, sizeof(buffer), "%02d %02d %02d ", kTextCoin, m_colours[index],
                          m_coins[index]);
        else
            std::snprintf(buffer, sizeof(buffer), "%02d ", m_colours[index]);
        text += buffer;
    }
    return text;
}

bool CBoard::ParseState(const std::string& text, int& level, std::vector<SSavedCell>& cells)
{
    int textLevel = 0;
    if (!ReadNumber(text, 0, textLevel) || textLevel < 0 || textLevel >= kMaxTextLevel)
        return false;
    const SLevelLayout layout = SLevelLayout::ForLevel(textLevel);
    const CHexGrid grid(layout.rows, layout.columns);
    std::vector<SSavedCell> parsed;
    parsed.reserve(grid.GetCellCount());
    size_t position = 4;
    for (int i = 0; i < grid.GetCellCount(); ++i)
    {
        int value = 0;
        if (!ReadNumber(text, position, value))
            return false;
        position += 3;
        if (value == kTextHole)
        {
            parsed.push_back({true, 0, kNoCoin});
        }
        else if (value == kTextCoin)
        {
            int colour = 0, coin = 0;
            if (!ReadNumber(text, position, colour) || !ReadNumber(text, position + 3, coin) || colour < 0 ||
                colour >= kColourCount || coin < 0 || coin > kMaxCoinKind)
                return false;
            position += 6;
            parsed.push_back({false, colour, coin});
        }
        else if (value >= 0 && value < kColourCount)
        {
            parsed.push_back({false, value, kNoCoin});
        }
        else
        {
            return false;
        }
    }
    // A hole at a start cell leaves its side nothing to play from: the game
    // would wait for ever.
    const int mid = grid.GetMid();
    if (parsed[grid.Index(mid, 0)].hole || parsed[grid.Index(mid, layout.columns - 1)].hole)
        return false;
    level = textLevel;
    cells = std::move(parsed);
    return true;
}
} // namespace NGame
