// The opponent misses a turn: its start cell dims when the insect lands. The
// missed turn itself is counted by the game flow.
#pragma once

#include "game/Bonus.h"

namespace NGame
{
class CBonusSkipMove : public CBonus
{
  public:
    explicit CBonusSkipMove(CField* field);

  protected:
    void Apply() override;
};
} // namespace NGame
