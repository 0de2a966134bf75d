// The cell the keyboard or a pad points at on the board, in place of the
// mouse: left and right along the row, up and down to the nearest cell of the
// next row that has one, never onto a hole or off the board.
#pragma once

namespace NGame
{
class CField;

class CCellCursor
{
  public:
    // Puts the cursor on a cell (the nearest playable one of its row when that
    // cell is a hole); false when the board has no playable cell at all.
    bool Show(const CField& field, int row, int col);
    void Hide() { m_shown = false; }
    bool IsShown() const { return m_shown; }
    int GetRow() const { return m_row; }
    int GetColumn() const { return m_col; }

    // One step: dx -1 or 1 along the row, or dy -1 (up) or 1 (down). False when
    // there is no playable cell that way (the cursor stays).
    bool Move(const CField& field, int dx, int dy);
    // After the board changed under it (a new level, the board shifted): back
    // onto a playable cell, or hidden when there is none.
    void Keep(const CField& field);

  private:
    bool m_shown = false;
    int m_row = 0;
    int m_col = 0;
};
} // namespace NGame
