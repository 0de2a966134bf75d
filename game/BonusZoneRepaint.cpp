#include "game/BonusZoneRepaint.h"

#include "game/Field.h"

namespace NGame
{
CBonusZoneRepaint::CBonusZoneRepaint(CField* field) : CBonusSimpleRepaint(field) {}

void CBonusZoneRepaint::Apply()
{
    // A target that joined a zone since the purchase would flood that whole zone.
    if (IsTargetValid())
        m_field->Fill(m_target_row, m_target_col, m_player_colour);
}
} // namespace NGame
