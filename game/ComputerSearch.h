// The computer's choice of colour on a board: it searches up to three of its
// own moves ahead on a colour snapshot (never the other side's moves) and
// scores each by weighted cells gained. Rules only: no field, sound or window.
#pragma once

#include "game/Board.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace NGame
{
class CComputerSearch
{
  public:
    // row, col: the computer's start cell; strength 2, 4 or 5.
    CComputerSearch(int row, int col, int strength);

    int GetStrength() const { return m_strength; }
    static int StrengthForDifficulty(int difficulty);

    // The colour to play now: the search's, else the fallback; -1 when none.
    int ChooseColour(const CBoard& board);
    // The search's result: (colour, score), colour -1 when no colour scores above 0.
    std::pair<int, int64_t> SearchBestColour(const CBoard& board);
    // The allowed colour that grows the zone most, ties to the lowest; -1 when none is allowed.
    int FallbackColour(const CBoard& board) const;
    // Of the last search.
    int SearchDepth() const;
    // The share of the playable cells in the registered sides' zones.
    float ZoneRatio(const CBoard& board) const;

  private:
    void Prepare(const CBoard& board);
    std::pair<int, int64_t> Search(const std::vector<int>& grid, int depth, bool restricted, int level);
    // The last look-ahead level: the zone is walked once and each colour only
    // adds the regions of that colour touching it (the same scores, far fewer steps).
    std::pair<int, int64_t> SearchLastLevel(const std::vector<int>& grid, bool restricted);
    int64_t ScoreZone(std::vector<int>& grid, int value);

    int m_start_row = 0;
    int m_start_col = 0;
    int m_strength = 2;
    const CHexGrid* m_hex = nullptr; // the board's of the search running, not owned
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
    bool m_allowed[CBoard::kColourCount] = {};
};
} // namespace NGame
