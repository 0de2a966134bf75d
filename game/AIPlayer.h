// The computer side: on its turn it searches up to three of its own moves
// ahead on a colour snapshot (never the other side's moves) and plays the
// best colour at once. It never passes: with no scoring colour it falls back
// to the allowed colour that absorbs the most cells.
#pragma once

#include "game/Player.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace NGame
{
class CAIPlayer : public CPlayer
{
  public:
    CAIPlayer(int row, int col, CField* field, int difficulty);

    void Update() override;
    void OnClick(int x, int y) override;

    int GetStrength() const { return m_strength; }
    int GetMovesMade() const { return m_moves_made; }
    static int StrengthForDifficulty(int difficulty);

    // The colour the computer would play now (what MakeMove fills with).
    int ChooseColour();
    // Plays ChooseColour; false when the field refused it.
    bool MakeMove();

    // The search's result on the current field: (colour, score), colour -1
    // when no colour scores above 0.
    std::pair<int, int64_t> SearchBestColour();
    // The allowed colour that grows the zone most, ties to the lowest; -1 when none is allowed.
    int FallbackColour() const;
    int SearchDepth() const;
    float ZoneRatio() const;

  private:
    void Prepare();
    std::pair<int, int64_t> Search(const std::vector<int>& grid, int depth, bool restricted, int level);
    // The last look-ahead level: the zone is walked once and each colour only
    // adds the regions of that colour touching it (the same scores, far fewer steps).
    std::pair<int, int64_t> SearchLastLevel(const std::vector<int>& grid, bool restricted);
    int64_t ScoreZone(std::vector<int>& grid, int value);

    int m_strength = 2;
    int m_moves_made = 0;
    // Search state for one move.
    std::vector<int> m_grid;
    std::vector<int> m_distance;
    std::vector<int64_t> m_weight;
    std::vector<std::vector<int>> m_work; // one copy per look-ahead level
    std::vector<int> m_queue;
    std::vector<int> m_absorbed;
    std::vector<uint32_t> m_visit; // visit stamps per cell
    uint32_t m_stamp = 0;
    int m_start_index = 0;
    float m_ratio = 0.0f;
    bool m_allowed[6] = {};
};
} // namespace NGame
