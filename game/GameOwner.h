// What a game tells whoever holds it, so the holder can keep the saved game in
// step with the play. Called on the game's own thread, from inside its update
// or its end; the game is never deleted by these calls.
#pragma once

namespace NGame
{
class CGame;

class IGameOwner
{
  public:
    // A new position was recorded (a level laid out, the turn back to the
    // player): what a save would write has changed.
    virtual void OnPositionRecorded(const CGame& game) = 0;
    // The game is over and its result is about to enter the top table: the
    // held game must be dropped from the saved game first, so that a crash
    // between the two writes can lose the result but never count it twice.
    virtual void OnGameFinished(const CGame& game) = 0;

  protected:
    ~IGameOwner() = default;
};
} // namespace NGame
