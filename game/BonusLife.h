// One more life for the side, given when the insect lands on the lives display.
#pragma once

#include "game/Bonus.h"

namespace NGame
{
class CPlayer;

class CBonusLife : public CBonus
{
  public:
    CBonusLife(CField* field, CPlayer* side);

  protected:
    void Apply() override;

  private:
    CPlayer* m_side; // not owned
};
} // namespace NGame
