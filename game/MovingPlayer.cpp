#include "game/MovingPlayer.h"

#include "game/Field.h"

namespace NGame
{
CMovingPlayer::CMovingPlayer(int row, int col, CField* field) : CPlayer(row, col, field) {}

bool CMovingPlayer::MayPick(int colour) const
{
    return colour != GetZoneColour();
}

void CMovingPlayer::OnClick(int x, int y)
{
    m_click_accepted = true;
    if (!m_field || m_state != kMayMove || !m_field->IsIdle() || m_field->IsFull())
        return;
    const float fx = static_cast<float>(x), fy = static_cast<float>(y);
    const int colour = m_field->ColourAt(m_field->RowAt(fy), m_field->ColumnAt(fx, fy));
    if (m_field->Fill(m_start_row, m_start_col, colour))
        m_state = kMoved;
}
} // namespace NGame
