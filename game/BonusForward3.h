// The player's zone advances along the middle row by up to the given number
// of cells, painted one by one as the insect flies over them; the opponent's
// cells are passed over and the first hole or the row's end stops it.
#pragma once

#include "game/Bonus.h"

namespace NGame
{
class CBonusForward3 : public CBonus
{
  public:
    CBonusForward3(CField* field, int cells);

    bool Update(float dt) override;

    // Whether the cell right after the zone's front in the middle row is free
    // to take (not the opponent's, not a hole).
    static bool CanMoveForward(const CField* field);
    int GetFrontColumn() const { return m_front_col; }

  protected:
    void Apply() override;
    float LeaveY() override;

  private:
    static int FrontColumn(const CField& field, const std::vector<int>& snapshot);
    // The snapshot and zone colour from the field as it stands.
    void Refresh();

    int m_player_colour = 0;
    int m_front_row = 0;
    int m_front_col = 0;
    int m_last_painted_col = 0;
    int m_cells_to_paint = 0;
    std::vector<int> m_snapshot;
};
} // namespace NGame
