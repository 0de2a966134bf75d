// The opponent's zone loses up to the given number of its leftmost cells in
// every row (never its start cell); each gets a random colour.
#pragma once

#include "game/Bonus.h"

namespace NGame
{
class CBonusBackward3 : public CBonus
{
  public:
    CBonusBackward3(CField* field, int cellsPerRow);

  protected:
    void Apply() override;

  private:
    int m_cells_per_row = 0;
};
} // namespace NGame
