// A bonus the player bought: an insect flies in from the left edge, lands on
// the bonus's target, the effect is applied once at that moment, and the
// insect flies off to the right; Update returns true when it has left.
#pragma once

#include "engine/Vector4.h"
#include "game/Insect.h"

#include <memory>
#include <vector>

namespace NGame
{
class CBoard;
class CField;

class CBonus
{
  public:
    explicit CBonus(CField* field);
    virtual bool Update(float dt);
    virtual void Draw();
    virtual ~CBonus();
    CBonus(const CBonus&) = delete;
    CBonus& operator=(const CBonus&) = delete;

    CInsect* GetInsect() const { return m_insect.get(); }
    bool IsApplied() const { return m_applied; }

    // Snapshot helpers shared by the bonuses: ColourAt of every cell by grid
    // index, and flooding one side's zone (start (mid, 0) or (mid, columns - 1)) with a mark.
    static void TakeSnapshot(const CBoard& board, std::vector<int>& snapshot);
    static void MarkPlayerZone(const CBoard& board, std::vector<int>& snapshot, int mark);
    static void MarkOpponentZone(const CBoard& board, std::vector<int>& snapshot, int mark);

  protected:
    // The effect, applied once when the insect lands inside the screen.
    virtual void Apply() = 0;
    // On landing, before the effect: whether the target went stale and the
    // insect was sent on to a new one (the effect then waits for that landing).
    virtual bool FlyOn() { return false; }
    // How long the insect stays after landing.
    virtual float LeaveDelay() const { return 100.0f; }
    // The height at which the insect leaves to the right.
    virtual float LeaveY();
    void LandOn(const CVector4& target);
    void LandOnCell(int row, int col);

    CField* m_field;                   // not owned
    std::unique_ptr<CInsect> m_insect; // owned
    bool m_applied = false;
    // A bonus with nothing to act on finishes at once, doing nothing.
    bool m_void = false;
};
} // namespace NGame
