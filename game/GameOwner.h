// What a game tells whoever holds it, so the holder can keep the saved game in
// step with the play. Called on the game's own thread, from inside its update
// or its end; the game is never deleted by these calls.
#pragma once

#include <memory>
#include <string>

class CScreen;

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
    // The game is over with a result the top table takes: show the name entry
    // over the game and return it (null: no entry, the result goes in under
    // the default name). Its closing is reported to the game, the screen below.
    virtual CScreen* OpenNameEntry(const CGame& game) = 0;
    // The name typed so far in that entry.
    virtual std::string GetEnteredName(const CScreen& entry) const = 0;
    // The entry closed and its name is taken: it is handed back to go.
    virtual void OnNameEntryClosed(std::unique_ptr<CScreen> entry) = 0;

  protected:
    ~IGameOwner() = default;
};
} // namespace NGame
