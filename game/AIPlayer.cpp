#include "game/AIPlayer.h"

#include "game/Field.h"
#include "game/GameResources.h"

#include <algorithm>
#include <cstdlib>

namespace NGame
{
namespace
{
constexpr int kWall = -3;
constexpr int kScored = -1;
constexpr int kMaxDepth = 3;
} // namespace

CAIPlayer::CAIPlayer(int row, int col, CField* field, int difficulty)
    : CPlayer(row, col, field), m_strength(StrengthForDifficulty(difficulty))
{
}

int CAIPlayer::StrengthForDifficulty(int difficulty)
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

void CAIPlayer::OnClick(int, int) {}

void CAIPlayer::Update()
{
    if (!m_field)
        return;
    if (m_state == kMayMove && !m_field->IsFull())
    {
        // The turn is only given with the field idle; a busy field just waits a frame.
        if (m_field->IsIdle())
        {
            MakeMove();
            ++m_moves_made;
        }
    }
    else if (m_state == kMoved && m_field->IsIdle() && !m_field->IsFull())
    {
        m_state = kWaiting;
    }
}

float CAIPlayer::ZoneRatio() const
{
    int zoned = 0;
    for (CPlayer* side : GetRegistry())
        if (side->GetField() == m_field)
            zoned += m_field->ZoneSize(side->GetStartRow(), side->GetStartColumn());
    const int playable = m_field->CountPlayableCells();
    return playable > 0 ? static_cast<float>(zoned) / static_cast<float>(playable) : 1.0f;
}

int CAIPlayer::SearchDepth() const
{
    const float ratio = m_ratio;
    if (m_strength == 4)
        return ratio >= 0.4f ? 1 : 2;
    if (m_strength == 5)
        return ratio < 0.4f ? 3 : (ratio < 0.7f ? 2 : 1);
    return 1;
}

void CAIPlayer::Prepare()
{
    const CHexGrid& hex = m_field->GetGrid();
    const int count = hex.GetCellCount();
    m_field->Snapshot(m_grid);
    m_start_index = hex.Index(m_start_row, m_start_col);
    m_ratio = ZoneRatio();

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
    for (CPlayer* side : GetRegistry())
    {
        if (side == this || side->GetField() != m_field ||
            !hex.IsInside(side->GetStartRow(), side->GetStartColumn()))
            continue;
        const int index = hex.Index(side->GetStartRow(), side->GetStartColumn());
        if (m_grid[index] >= 0)
            hex.Flood(m_grid, index, kWall);
    }

    for (int colour = 0; colour < CField::kColourCount; ++colour)
        m_allowed[colour] = m_field->IsColourAllowed(colour);
    m_work.resize(kMaxDepth + 1);
}

int64_t CAIPlayer::ScoreZone(std::vector<int>& grid, int value)
{
    const CHexGrid& hex = m_field->GetGrid();
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

std::pair<int, int64_t> CAIPlayer::SearchLastLevel(const std::vector<int>& grid, bool restricted)
{
    const CHexGrid& hex = m_field->GetGrid();
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
    for (int colour = 0; colour < CField::kColourCount; ++colour)
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

std::pair<int, int64_t> CAIPlayer::Search(const std::vector<int>& grid, int depth, bool restricted, int level)
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
    for (int colour = 0; colour < CField::kColourCount; ++colour)
    {
        if (colour == own || (restricted && !m_allowed[colour]))
            continue;
        ScoreZone(work, colour);
        const int64_t deeper = Search(work, depth - 1, false, level + 1).second;
        const int64_t score = ScoreZone(work, kScored) + deeper;
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

std::pair<int, int64_t> CAIPlayer::SearchBestColour()
{
    Prepare();
    return Search(m_grid, SearchDepth(), true, 0);
}

int CAIPlayer::FallbackColour() const
{
    const CHexGrid& hex = m_field->GetGrid();
    std::vector<int> snapshot;
    const int start = hex.Index(m_start_row, m_start_col);
    int bestColour = -1, bestSize = -1;
    for (int colour = 0; colour < CField::kColourCount; ++colour)
    {
        if (!m_field->IsColourAllowed(colour))
            continue;
        m_field->Snapshot(snapshot);
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

int CAIPlayer::ChooseColour()
{
    if (!m_field || !m_field->IsInside(m_start_row, m_start_col))
        return -1;
    const int colour = SearchBestColour().first;
    return colour >= 0 ? colour : FallbackColour();
}

bool CAIPlayer::MakeMove()
{
    const int colour = ChooseColour();
    if (!m_field->Fill(m_start_row, m_start_col, colour))
        return false;
    PlayGameSound(CGameResources::kSoundStartPaint);
    m_state = kMoved;
    m_field->GetCollectedCoins().clear();
    return true;
}
} // namespace NGame
