// Gives every cell of the opponent's zone but its start cell a random colour,
// spreading out from the start.
#pragma once

#include "game/Bonus.h"

namespace NGame
{
class CBonusApponentRandomize : public CBonus
{
  public:
    explicit CBonusApponentRandomize(CField* field);

  protected:
    void Apply() override;
};
} // namespace NGame
