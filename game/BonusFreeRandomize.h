// Gives every free cell a random colour, spreading out from where the insect
// lands; cells that thereby join a zone lose their coins unpaid. Needs at
// least one free cell: HasCandidate says beforehand.
#pragma once

#include "game/Bonus.h"

namespace NGame
{
class CBonusFreeRandomize : public CBonus
{
  public:
    explicit CBonusFreeRandomize(CField* field);
    static bool HasCandidate(const CField& field);

  protected:
    void Apply() override;
};
} // namespace NGame
