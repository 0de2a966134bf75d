#include "game/BonusBackward3.h"

#include "engine/Random.h"
#include "game/Field.h"

namespace NGame
{
namespace
{
constexpr int kZoneMark = kMarkZone;
} // namespace

CBonusBackward3::CBonusBackward3(CField* field, int cellsPerRow) : CBonus(field), m_cells_per_row(cellsPerRow)
{
    LandOnCell(m_field->GetMid(), m_field->GetColumns() - 1);
}

void CBonusBackward3::Apply()
{
    std::vector<int> snapshot;
    TakeSnapshot(m_field->GetBoard(), snapshot);
    MarkOpponentZone(m_field->GetBoard(), snapshot, kZoneMark);
    const CHexGrid& grid = m_field->GetGrid();
    for (int r = 0; r < m_field->GetRows(); ++r)
    {
        int painted = 0;
        for (int c = 0; c < m_field->RowLength(r) && painted < m_cells_per_row; ++c)
        {
            if (snapshot[grid.Index(r, c)] != kZoneMark || c == m_field->GetColumns() - 1)
                continue;
            m_field->PaintCell(r, c, NRandom::Rand() % CField::kColourCount, false);
            ++painted;
        }
    }
}
} // namespace NGame
