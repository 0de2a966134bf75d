#include "game/BonusSimpleRepaint.h"

#include "engine/Random.h"
#include "game/Field.h"

#include <algorithm>

namespace NGame
{
namespace
{
// The zones count as walls: only free cells stay colours.
constexpr int kZoneMark = kMarkHole;
} // namespace

std::vector<int> CBonusSimpleRepaint::Candidates(const CField& field, int& playerColour)
{
    std::vector<int> snapshot;
    TakeSnapshot(field.GetBoard(), snapshot);
    const CHexGrid& grid = field.GetGrid();
    playerColour = field.ColourAt(field.GetMid(), 0);
    MarkPlayerZone(field.GetBoard(), snapshot, kZoneMark);
    MarkOpponentZone(field.GetBoard(), snapshot, kZoneMark);
    std::vector<int> candidates;
    for (int index = 0; index < grid.GetCellCount(); ++index)
        if (snapshot[index] >= 0 && snapshot[index] != playerColour)
            candidates.push_back(index);
    return candidates;
}

bool CBonusSimpleRepaint::HasCandidate(const CField& field)
{
    int colour = 0;
    return !Candidates(field, colour).empty();
}

CBonusSimpleRepaint::CBonusSimpleRepaint(CField* field) : CBonus(field)
{
    m_void = !PickTarget();
}

bool CBonusSimpleRepaint::PickTarget()
{
    const std::vector<int> candidates = Candidates(*m_field, m_player_colour);
    if (candidates.empty())
        return false;
    const int index = candidates[NRandom::Rand() % static_cast<int>(candidates.size())];
    m_target_row = m_field->GetGrid().RowOf(index);
    m_target_col = m_field->GetGrid().ColumnOf(index);
    LandOnCell(m_target_row, m_target_col);
    return true;
}

bool CBonusSimpleRepaint::IsTargetValid()
{
    const std::vector<int> candidates = Candidates(*m_field, m_player_colour);
    const CHexGrid& grid = m_field->GetGrid();
    const int target =
        grid.IsInside(m_target_row, m_target_col) ? grid.Index(m_target_row, m_target_col) : -1;
    return std::find(candidates.begin(), candidates.end(), target) != candidates.end();
}

bool CBonusSimpleRepaint::FlyOn()
{
    return !IsTargetValid() && PickTarget();
}

void CBonusSimpleRepaint::Apply()
{
    if (IsTargetValid())
        m_field->PaintCell(m_target_row, m_target_col, m_player_colour, true);
}
} // namespace NGame
