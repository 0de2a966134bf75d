#include "game/BonusSkipMove.h"

#include "game/Field.h"

namespace NGame
{
CBonusSkipMove::CBonusSkipMove(CField* field) : CBonus(field)
{
    LandOnCell(m_field->GetMid(), m_field->GetColumns() - 1);
}

void CBonusSkipMove::Apply()
{
    m_field->SetCellLit(m_field->GetMid(), m_field->GetColumns() - 1, false);
}
} // namespace NGame
