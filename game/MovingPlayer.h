// The human side of the moving game: any colour but its own zone's may be
// clicked; no coins are counted and no sound plays.
#pragma once

#include "game/Player.h"

namespace NGame
{
class CMovingPlayer : public CPlayer
{
  public:
    CMovingPlayer(int row, int col, CField* field);
    void OnClick(int x, int y) override;

  protected:
    bool MayPick(int colour) const override;
};
} // namespace NGame
