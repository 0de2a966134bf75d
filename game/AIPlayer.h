// The computer side: on its turn, with the field idle, it plays the colour its
// search picks on the field's board at once. It never passes: with no scoring
// colour it falls back to the allowed colour that absorbs the most cells.
#pragma once

#include "game/ComputerSearch.h"
#include "game/Player.h"

#include <cstdint>
#include <utility>

namespace NGame
{
class CAIPlayer : public CPlayer
{
  public:
    CAIPlayer(int row, int col, CField* field, int difficulty);

    void Update() override;
    void OnClick(int x, int y) override;

    int GetStrength() const { return m_search.GetStrength(); }
    int GetMovesMade() const { return m_moves_made; }
    static int StrengthForDifficulty(int difficulty)
    {
        return CComputerSearch::StrengthForDifficulty(difficulty);
    }

    // The search on the field's board (see CComputerSearch).
    int ChooseColour();
    // Plays ChooseColour; false when the field refused it.
    bool MakeMove();
    std::pair<int, int64_t> SearchBestColour();
    int FallbackColour() const;
    int SearchDepth() const { return m_search.SearchDepth(); }
    float ZoneRatio() const;

  private:
    CComputerSearch m_search;
    int m_moves_made = 0;
};
} // namespace NGame
