#include "game/BonusLife.h"

#include "game/Player.h"

namespace NGame
{
CBonusLife::CBonusLife(CField* field, CPlayer* side) : CBonus(field), m_side(side)
{
    LandOn(CVector4(72.0f, 480.0f, 0.0f));
}

void CBonusLife::Apply()
{
    if (m_side)
        m_side->SetLives(m_side->GetLives() + 1);
}
} // namespace NGame
