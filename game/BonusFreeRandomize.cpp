#include "game/BonusFreeRandomize.h"

#include "engine/Random.h"
#include "game/Field.h"

#include <cmath>

namespace NGame
{
namespace
{
// The zones count as walls: only free cells stay colours.
constexpr int kZoneMark = kMarkHole;
constexpr float kWaveMsPerPixel = 3.0f;

std::vector<int> FreeCells(const CField& field)
{
    std::vector<int> snapshot;
    CBonus::TakeSnapshot(field.GetBoard(), snapshot);
    CBonus::MarkPlayerZone(field.GetBoard(), snapshot, kZoneMark);
    CBonus::MarkOpponentZone(field.GetBoard(), snapshot, kZoneMark);
    std::vector<int> cells;
    for (int index = 0; index < field.GetGrid().GetCellCount(); ++index)
        if (snapshot[index] >= 0)
            cells.push_back(index);
    return cells;
}
} // namespace

bool CBonusFreeRandomize::HasCandidate(const CField& field)
{
    return !FreeCells(field).empty();
}

CBonusFreeRandomize::CBonusFreeRandomize(CField* field) : CBonus(field)
{
    const std::vector<int> candidates = FreeCells(*m_field);
    if (candidates.empty())
    {
        m_void = true;
        return;
    }
    const int index = candidates[NRandom::Rand() % static_cast<int>(candidates.size())];
    LandOnCell(m_field->GetGrid().RowOf(index), m_field->GetGrid().ColumnOf(index));
}

void CBonusFreeRandomize::Apply()
{
    const CHexGrid& grid = m_field->GetGrid();
    const CVector4 from = m_insect->GetPosition();
    for (int index : FreeCells(*m_field))
    {
        const int row = grid.RowOf(index), col = grid.ColumnOf(index);
        m_field->PaintCell(row, col, NRandom::Rand() % CField::kColourCount, false);
        const CVector4 centre = m_field->CellCentre(row, col);
        const float dx = centre.x - from.x, dy = centre.y - from.y;
        m_field->SetCellDelay(
            row, col, static_cast<float>(static_cast<int>(std::sqrt(dx * dx + dy * dy))) * kWaveMsPerPixel);
    }
    // A free cell that took a zone's colour beside it has joined that zone.
    std::vector<int> snapshot;
    TakeSnapshot(m_field->GetBoard(), snapshot);
    MarkPlayerZone(m_field->GetBoard(), snapshot, kZoneMark);
    MarkOpponentZone(m_field->GetBoard(), snapshot, kZoneMark);
    for (int index = 0; index < grid.GetCellCount(); ++index)
    {
        const int row = grid.RowOf(index), col = grid.ColumnOf(index);
        if (snapshot[index] == kZoneMark && m_field->ColourAt(row, col) >= 0)
            m_field->SetCellCoin(row, col, -1);
    }
}
} // namespace NGame
