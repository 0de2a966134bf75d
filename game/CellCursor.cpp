#include "game/CellCursor.h"

#include "game/Field.h"

#include <cmath>

namespace NGame
{
namespace
{
bool IsPlayable(const CField& field, int row, int col)
{
    return field.IsInside(row, col) && field.ColourAt(row, col) >= 0;
}

// The playable cell of the row whose centre lies nearest to x; -1 for none.
int NearestInRow(const CField& field, int row, float x)
{
    int best = -1;
    float bestDistance = 0.0f;
    for (int c = 0; c < field.RowLength(row); ++c)
    {
        if (!IsPlayable(field, row, c))
            continue;
        const float distance = std::fabs(field.CellCentre(row, c).x - x);
        if (best < 0 || distance < bestDistance)
        {
            best = c;
            bestDistance = distance;
        }
    }
    return best;
}
} // namespace

bool CCellCursor::Show(const CField& field, int row, int col)
{
    if (row < 0 || row >= field.GetRows())
        row = field.GetRows() / 2;
    const float x = field.CellCentre(row, col).x;
    // This row first, then the rows ever further from it.
    for (int distance = 0; distance < field.GetRows(); ++distance)
    {
        for (const int r : {row - distance, row + distance})
        {
            if (r < 0 || r >= field.GetRows())
                continue;
            const int c = NearestInRow(field, r, x);
            if (c >= 0)
            {
                m_row = r;
                m_col = c;
                m_shown = true;
                return true;
            }
        }
    }
    m_shown = false;
    return false;
}

bool CCellCursor::Move(const CField& field, int dx, int dy)
{
    if (!m_shown)
        return false;
    if (dy == 0)
    {
        for (int c = m_col + dx; c >= 0 && c < field.RowLength(m_row); c += dx)
            if (IsPlayable(field, m_row, c))
            {
                m_col = c;
                return true;
            }
        return false;
    }
    const float x = field.CellCentre(m_row, m_col).x;
    for (int r = m_row + dy; r >= 0 && r < field.GetRows(); r += dy)
    {
        const int c = NearestInRow(field, r, x);
        if (c >= 0)
        {
            m_row = r;
            m_col = c;
            return true;
        }
    }
    return false;
}

void CCellCursor::Keep(const CField& field)
{
    if (m_shown && !IsPlayable(field, m_row, m_col))
        Show(field, m_row, m_col);
}
} // namespace NGame
