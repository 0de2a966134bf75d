// Repaints one random free flower into the player's zone colour (its coin
// goes unpaid). Needs a free cell of another colour: HasCandidate says beforehand.
#pragma once

#include "game/Bonus.h"

namespace NGame
{
class CBonusSimpleRepaint : public CBonus
{
  public:
    explicit CBonusSimpleRepaint(CField* field);

    // Whether some free cell differs from the player's colour; without one
    // the bonus would do nothing, so the game keeps its button disabled.
    static bool HasCandidate(const CField& field);
    // Free cells of another colour than the player's, by grid index, row by row.
    static std::vector<int> Candidates(const CField& field, int& playerColour);

    int GetTargetRow() const { return m_target_row; }
    int GetTargetColumn() const { return m_target_col; }

  protected:
    void Apply() override;
    // Another bonus may have changed the field while the insect flew: a target
    // that is no longer a free cell of another colour is picked again from the
    // field as it stands, and the insect flies there before painting.
    bool FlyOn() override;
    float LeaveDelay() const override { return 600.0f; }
    // Picks the target among the candidates and sends the insect to it; false when there is none.
    bool PickTarget();
    // Whether the target is still a free cell of another colour than the player's.
    bool IsTargetValid();

    int m_player_colour = 0;
    int m_target_row = -1;
    int m_target_col = -1;
};
} // namespace NGame
