// Repaints a random free region into the player's zone colour: the move of
// the field played from the target cell. Needs the same candidates as the
// single repaint (CBonusSimpleRepaint::HasCandidate).
#pragma once

#include "game/BonusSimpleRepaint.h"

namespace NGame
{
class CBonusZoneRepaint : public CBonusSimpleRepaint
{
  public:
    explicit CBonusZoneRepaint(CField* field);

  protected:
    void Apply() override;
};
} // namespace NGame
