#include "game/BonusForward3.h"

#include "game/Field.h"

namespace NGame
{
namespace
{
constexpr int kPlayerMark = kMarkZone;
constexpr int kOpponentMark = kMarkOtherZone;
} // namespace

int CBonusForward3::FrontColumn(const CField& field, const std::vector<int>& snapshot)
{
    const int mid = field.GetMid();
    int front = 0;
    for (int c = 0; c < field.RowLength(mid); ++c)
        if (snapshot[field.GetGrid().Index(mid, c)] == kPlayerMark)
            front = c;
    return front;
}

bool CBonusForward3::CanMoveForward(const CField* field)
{
    if (!field)
        return false;
    std::vector<int> snapshot;
    TakeSnapshot(field->GetBoard(), snapshot);
    MarkPlayerZone(field->GetBoard(), snapshot, kPlayerMark);
    MarkOpponentZone(field->GetBoard(), snapshot, kOpponentMark);
    const int mid = field->GetMid();
    const int next = FrontColumn(*field, snapshot) + 1;
    if (!field->IsInside(mid, next))
        return false;
    const int value = snapshot[field->GetGrid().Index(mid, next)];
    return value != kOpponentMark && value != CField::kHole;
}

CBonusForward3::CBonusForward3(CField* field, int cells) : CBonus(field)
{
    TakeSnapshot(m_field->GetBoard(), m_snapshot);
    m_front_row = m_field->GetMid();
    m_player_colour = m_field->ColourAt(m_front_row, 0);
    MarkPlayerZone(m_field->GetBoard(), m_snapshot, kPlayerMark);
    MarkOpponentZone(m_field->GetBoard(), m_snapshot, kOpponentMark);
    m_front_col = FrontColumn(*m_field, m_snapshot);
    LandOnCell(m_front_row, m_front_col);
    m_last_painted_col = m_front_col;
    m_cells_to_paint = cells;
}

void CBonusForward3::Refresh()
{
    // Other bonuses may have moved either zone since the purchase.
    TakeSnapshot(m_field->GetBoard(), m_snapshot);
    m_player_colour = m_field->ColourAt(m_front_row, 0);
    MarkPlayerZone(m_field->GetBoard(), m_snapshot, kPlayerMark);
    MarkOpponentZone(m_field->GetBoard(), m_snapshot, kOpponentMark);
}

void CBonusForward3::Apply()
{
    Refresh();
    m_front_col = FrontColumn(*m_field, m_snapshot);
    m_last_painted_col = m_front_col;
}

float CBonusForward3::LeaveY()
{
    // Along the middle row, over the cells it paints.
    return m_insect->GetPosition().y;
}

bool CBonusForward3::Update(float dt)
{
    const bool finished = CBonus::Update(dt);
    if (m_last_painted_col - m_front_col < m_cells_to_paint)
    {
        const CVector4& position = m_insect->GetPosition();
        const int row = m_field->RowAt(position.y), col = m_field->ColumnAt(position.x, position.y);
        if (col != m_last_painted_col && col > m_front_col)
        {
            Refresh();
            const bool opponent = m_field->GetGrid().IsInside(row, col) &&
                                  m_snapshot[m_field->GetGrid().Index(row, col)] == kOpponentMark;
            if (!opponent)
            {
                if (m_field->ColourAt(row, col) < 0)
                    m_cells_to_paint = 0;
                else
                    m_field->PaintCell(row, col, m_player_colour, true);
                m_last_painted_col = col;
            }
        }
    }
    return finished;
}
} // namespace NGame
