// The rule state of the field (colours, holes, coins, the sides' start cells)
// and the rules on it: building a level, fills and captures, queries, the
// saved-game text. A change made here is final at once; the field only shows it.
// No window, sprite, input or settings reach this file.
#pragma once

#include "game/HexGrid.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace NGame
{
// Size of the board for a level number (repeats every 100 levels).
struct SLevelLayout
{
    int columns = 0;
    int rows = 0;
    float cellWidth = 0.0f;
    float halfWidth = 0.0f;
    float rowHeight = 0.0f;

    static SLevelLayout ForLevel(int level);
};

// The marks the rules, the computer's search and the bonuses write over a
// colour snapshot (colours are 0..5, so every mark is below 0 or above 7).
enum ESnapshotMark : int
{
    kMarkMover = -1,        // the zone of the side that moves; cells a search has scored
    kMarkOpponent = -2,     // a zone the mover may not take
    kMarkHole = -3,         // a hole or an empty place; a zone that counts as a wall
    kMarkZone = -4,         // a zone picked out: counted, or the player's to a bonus
    kMarkOtherZone = -5,    // a second zone picked out beside kMarkZone (the opponent's)
    kMarkGrown = -6,        // what the preview's colour would add to the zone
    kMarkHighestColour = 7, // a snapshot value 0..7 is a colour, not a mark
};

// The rules' random numbers, 0..32767 each.
using FRandom = std::function<int()>;

class CBoard
{
  public:
    static constexpr int kColourCount = 6;
    static constexpr int kOutside = -1;
    static constexpr int kHole = kMarkHole;
    static constexpr int kNoCoin = -1;
    static constexpr int kMaxCoinKind = 4;

    // random: where the colours come from; the game passes its one generator,
    // so the draws of the rules and of the pictures keep their order. The
    // build redraws until the two starts differ, so the source must vary.
    explicit CBoard(FRandom random);

    // Called for each cell as the build or refill draws it, after its colour
    // and hole are known and before the next cell's.
    using FCellMade = std::function<void(int row, int col)>;
    using FIsHole = std::function<bool(int row, int col)>;
    // A new level: colours drawn cell by cell, holes where isHole says (never
    // at the two start cells), then the human side's cells around its start
    // given colours other than the computer's. Coins and starts are kept
    // apart: coins are cleared, starts stay registered.
    void Build(int level, const FIsHole& isHole, const FCellMade& made);

    int GetLevelNumber() const { return m_level; }
    void SetLevelNumber(int level) { m_level = level; }
    int GetRows() const { return m_grid.GetRows(); }
    int GetColumns() const { return m_grid.GetColumns(); }
    int GetMid() const { return m_grid.GetMid(); }
    int RowLength(int row) const { return m_grid.RowLength(row); }
    const CHexGrid& GetGrid() const { return m_grid; }

    bool IsInside(int row, int col) const;
    // Inside, present (not between two steps of a shift) and not a hole.
    bool IsUsable(int row, int col) const;
    bool IsPresent(int row, int col) const;
    bool IsHole(int row, int col) const;
    // kOutside beside the board or where no cell is, kHole on a hole, else the colour.
    int ColourAt(int row, int col) const;
    // The colour the cell holds, a hole's included (a shift may uncover it).
    int ColourOf(int row, int col) const;
    int CoinAt(int row, int col) const;
    bool IsColourAllowed(int colour) const;
    int ZoneSize(int row, int col) const;
    int CountPlayableCells() const;
    // Whether the zones of the registered starts take every playable cell.
    bool IsFull() const;
    // ColourAt of every cell by grid index; empty places read as holes.
    void Snapshot(std::vector<int>& out) const;
    // The two sides' start cells, which are never holes.
    bool IsStartCell(int row, int col) const;

    const std::vector<int>& GetStartPoints() const { return m_starts; }
    void RegisterStart(int row, int col);
    void UnregisterStart(int row, int col);

    void SetColour(int row, int col, int colour);
    void SetHole(int row, int col, bool hole);
    // Kind 0..4 puts a coin on the cell, kNoCoin takes it off.
    void SetCoin(int row, int col, int kind);

    // A side's move from its start cell: the zone takes the colour, absorbs
    // its new neighbours, and captures every free region no other zone
    // touches. Returns the grid indices repainted, none when refused.
    std::vector<int> Fill(int startRow, int startCol, int colour);
    // After a zone changed colour by other means: captures what the zone
    // around (row, col) now encloses. zone gets the zone's cells; returns the
    // grid indices repainted.
    std::vector<int> RecheckEnclosures(int row, int col, std::vector<int>& zone);
    // Takes the coin off the cell, noting it as collected.
    void CollectCoin(int row, int col);
    struct SCoin
    {
        int row = 0;
        int col = 0;
        int kind = 0;
    };
    // Coins taken since the caller last cleared them, in the order taken.
    std::vector<SCoin>& GetCollectedCoins() { return m_collected; }

    // One step of the moving game's shift: holes stay where they are as the
    // cells slide (ShiftHoles as the slide starts), then every row moves one
    // place left, the first cell falling off and the last place left empty.
    void ShiftHoles();
    void ShiftLeft();
    // Fills each empty place with a drawn colour, holes where isHole says.
    void Refill(const FIsHole& isHole, const FCellMade& made);

    // The saved-game text of the position: "LLL " then a value per cell.
    std::string FormatState() const;
    // A text's cells when it is sound, else false with nothing changed.
    struct SSavedCell
    {
        bool hole = false;
        int colour = 0;
        int coin = kNoCoin;
    };
    static bool ParseState(const std::string& text, int& level, std::vector<SSavedCell>& cells);

  private:
    int Index(int row, int col) const { return m_grid.Index(row, col); }
    // Marks the mover's zone kMarkMover and the others kMarkOpponent.
    void MarkZones(std::vector<int>& snapshot, int moverIndex, bool moverAlways) const;
    // Repaints every free region that touches no kMarkOpponent cell, adding its cells to changed.
    void CaptureFreeRegions(std::vector<int>& snapshot, int colour, std::vector<char>& changed);
    static std::vector<int> Listed(const std::vector<char>& changed);

    FRandom m_random;
    int m_level = 0;
    CHexGrid m_grid;
    std::vector<int> m_colours;  // by grid index
    std::vector<char> m_holes;   // by grid index
    std::vector<char> m_present; // by grid index; 0 only between the steps of a shift
    std::vector<int> m_coins;    // by grid index, kNoCoin without one
    std::vector<int> m_starts;   // row, column pairs in registration order
    std::vector<SCoin> m_collected;
    mutable std::vector<int> m_snapshot;
};
} // namespace NGame
