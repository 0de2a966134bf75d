#include "game/BonusSelfRepaint.h"

#include "engine/Random.h"
#include "game/Field.h"

#include <cmath>

namespace NGame
{
namespace
{
constexpr int kZoneMark = kMarkZone;
constexpr float kWaveMsPerPixel = 3.0f;
} // namespace

CBonusSelfRepaint::CBonusSelfRepaint(CField* field) : CBonus(field)
{
    LandOnCell(m_field->GetMid(), 0);
}

void CBonusSelfRepaint::Apply()
{
    bool anyAllowed = false;
    for (int colour = 0; colour < CField::kColourCount; ++colour)
        anyAllowed |= m_field->IsColourAllowed(colour);
    if (!anyAllowed)
        return;
    int colour = NRandom::Rand() % CField::kColourCount;
    while (!m_field->IsColourAllowed(colour))
        colour = NRandom::Rand() % CField::kColourCount;
    const int mid = m_field->GetMid();
    m_field->Fill(mid, 0, colour);
    std::vector<int> snapshot;
    TakeSnapshot(m_field->GetBoard(), snapshot);
    MarkPlayerZone(m_field->GetBoard(), snapshot, kZoneMark);
    const CVector4 start = m_field->CellCentre(mid, 0);
    const CHexGrid& grid = m_field->GetGrid();
    for (int index = 0; index < grid.GetCellCount(); ++index)
    {
        if (snapshot[index] != kZoneMark)
            continue;
        const int row = grid.RowOf(index), col = grid.ColumnOf(index);
        const CVector4 centre = m_field->CellCentre(row, col);
        const float dx = centre.x - start.x, dy = centre.y - start.y;
        m_field->SetCellDelay(
            row, col, static_cast<float>(static_cast<int>(std::sqrt(dx * dx + dy * dy))) * kWaveMsPerPixel);
    }
}
} // namespace NGame
