#include "game/BonusApponentRandomize.h"

#include "engine/Random.h"
#include "game/Field.h"

#include <cmath>

namespace NGame
{
namespace
{
// Apart from the holes' -3, so that holes never count as the zone.
constexpr int kZoneMark = kMarkZone;
constexpr float kWaveMsPerPixel = 3.0f;
} // namespace

CBonusApponentRandomize::CBonusApponentRandomize(CField* field) : CBonus(field)
{
    LandOnCell(m_field->GetMid(), m_field->GetColumns() - 1);
}

void CBonusApponentRandomize::Apply()
{
    std::vector<int> snapshot;
    TakeSnapshot(m_field->GetBoard(), snapshot);
    MarkOpponentZone(m_field->GetBoard(), snapshot, kZoneMark);
    const CHexGrid& grid = m_field->GetGrid();
    const int lastColumn = m_field->GetColumns() - 1;
    const CVector4 start = m_field->CellCentre(m_field->GetMid(), lastColumn);
    for (int index = 0; index < grid.GetCellCount(); ++index)
    {
        const int row = grid.RowOf(index), col = grid.ColumnOf(index);
        if (col == lastColumn)
            continue;
        // The zone's mark is the holes' own value, so every hole takes its colour
        // draw in turn too (painting leaves it alone); all later draws of the shared
        // generator depend on that count.
        if (snapshot[index] == CField::kHole)
        {
            NRandom::Rand();
            continue;
        }
        if (snapshot[index] != kZoneMark)
            continue;
        m_field->PaintCell(row, col, NRandom::Rand() % CField::kColourCount, false);
        const CVector4 centre = m_field->CellCentre(row, col);
        const float dx = centre.x - start.x, dy = centre.y - start.y;
        m_field->SetCellDelay(
            row, col, static_cast<float>(static_cast<int>(std::sqrt(dx * dx + dy * dy))) * kWaveMsPerPixel);
    }
}
} // namespace NGame
