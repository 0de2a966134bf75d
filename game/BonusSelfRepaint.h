// Repaints the player's zone into a random allowed colour: a free move of the
// player, absorbing and capturing as usual.
#pragma once

#include "game/Bonus.h"

namespace NGame
{
class CBonusSelfRepaint : public CBonus
{
  public:
    explicit CBonusSelfRepaint(CField* field);

  protected:
    void Apply() override;
};
} // namespace NGame
