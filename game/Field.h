// The playing field as the player sees it: builds each level (size from the
// level number, holes from the level mask, coin-carrying insects), owns the
// board that holds the rules, and shows every change of the board through the
// flowers' animation in Update. Moves are accepted only in field state 0;
// everything here runs without a window.
#pragma once

#include "engine/SpriteBatch.h"
#include "engine/Vector4.h"
#include "game/Board.h"
#include "game/BoardCache.h"
#include "game/Cell.h"
#include "game/HexGrid.h"
#include "game/Insect.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

class CKeyValueFile;
class CTexture;

namespace NGame
{
struct SCollectedCoin
{
    int kind = 0;
    CVector4 position;
    float cellWidth = 0.0f;
};

class CField
{
  public:
    enum EState
    {
        kIdle = 0,
        kRepainting = 1,
        kShifting = 2,
        kAppearing = 3,
        kVanishing = 4,
        kGone = 5,
    };
    static constexpr int kMaxColumns = 120;
    static constexpr int kColourCount = CBoard::kColourCount;
    static constexpr int kOutside = CBoard::kOutside;
    static constexpr int kHole = CBoard::kHole;
    static constexpr int kMaskWidth = 800;
    static constexpr int kMaskHeight = 600;
    static constexpr int kMaskSize = kMaskWidth * kMaskHeight;
    static constexpr int kFirstInsectColumn = 4;

    CField(const std::string& levelDir, int levelCount, int advanced);
    virtual ~CField();
    CField(const CField&) = delete;
    CField& operator=(const CField&) = delete;

    void GoToLevel(int level);
    void AdvanceLevel(int by);
    void ReloadLevel(const std::string& levelDir, int advanced);
    // Takes effect at the next rebuild; a set has at least one level.
    void SetLevelCount(int count) { m_level_count = count < 1 ? 1 : count; }
    void VanishLevel();

    const CBoard& GetBoard() const { return m_board; }
    int GetRows() const { return m_rows; }
    int GetColumns() const { return m_columns; }
    int GetMid() const { return m_rows / 2; }
    int RowLength(int row) const;
    int GetColourCount() const { return kColourCount; }
    int GetLevelNumber() const { return m_board.GetLevelNumber(); }
    int GetLevelCount() const { return m_level_count; }
    int GetState() const { return m_state; }
    float GetCellWidth() const { return m_cell_width; }
    const CVector4& GetOrigin() const { return m_origin; }
    const CHexGrid& GetGrid() const { return m_board.GetGrid(); }

    // The board's rules, forwarded.
    bool IsInside(int row, int col) const { return m_board.IsInside(row, col); }
    int ColourAt(int row, int col) const { return m_board.ColourAt(row, col); }
    bool IsColourAllowed(int colour) const { return m_board.IsColourAllowed(colour); }
    int ZoneSize(int row, int col) const { return m_board.ZoneSize(row, col); }
    int CountPlayableCells() const { return m_board.CountPlayableCells(); }
    bool IsFull() const { return m_full; }
    bool IsIdle() const { return m_state == kIdle; }
    CVector4 CellCentre(int row, int col) const;
    int RowAt(float y) const;
    int ColumnAt(float x, float y) const;
    std::vector<SCollectedCoin>& GetCollectedCoins() { return m_collected_coins; }

    // ColourAt of every cell by grid index; empty slots read as holes.
    void Snapshot(std::vector<int>& out) const { m_board.Snapshot(out); }
    CCell* GetCell(int row, int col) const;
    int GetCellCoin(int row, int col) const { return m_board.CoinAt(row, col); }
    // Set the board and show it at once, without a flip (tests and restored games).
    void SetCellColour(int row, int col, int colour);
    void SetCellHole(int row, int col, bool hole);
    const std::vector<std::unique_ptr<CInsect>>& GetInsects() const { return m_insects; }
    void DeleteInsects();
    // Sends one more coin-carrying insect onto the level (the build places
    // its own); after maxTries holes in a row its coin is lost.
    static constexpr int kMaxInsectPlaceTries = 10000;
    // Where a level's first insect lands, for the tutorial's coin panel.
    CVector4 FirstInsectCellCentre() const { return CellCentre(m_rows / 3, kFirstInsectColumn); }
    void PlaceInsect(int kind, int maxTries = kMaxInsectPlaceTries);
    const std::vector<int>& GetStartPoints() const { return m_board.GetStartPoints(); }
    int GetHoveredRow() const { return m_hovered_row; }
    int GetHoveredColumn() const { return m_hovered_col; }
    int GetShiftCount() const { return m_shift_count; }

    void RegisterStart(int row, int col) { m_board.RegisterStart(row, col); }
    void UnregisterStart(int row, int col) { m_board.UnregisterStart(row, col); }

    bool Fill(int startRow, int startCol, int colour);
    void RecheckEnclosures(int row, int col);
    void PaintCell(int row, int col, int colour, bool removeCoin);
    bool SetCellLit(int row, int col, bool lit);
    bool SetCellRaised(int row, int col, bool raised);
    void SetCellCoin(int row, int col, int kind);
    void SetCellDelay(int row, int col, float ms);
    void StartShift(int columns);
    void DropAllCoins();

    // hoveredRow, hoveredCol: the cell under the cursor while the magnifier's
    // button is held, else -1; only boards of small cells magnify it.
    void Update(float dt, int hoveredRow = -1, int hoveredCol = -1);
    bool IsMagnifying() const;

    // The saved-game text of the level: what was recorded last, the current
    // position formatted now, recording it, and restoring from such a text.
    const std::string& GetFieldState() const { return m_field_state; }
    std::string FormatFieldState() const;
    void RecordFieldState();
    int GetSavedLevelNumber() const { return m_saved_level; }
    // Rejects text that runs out or holds values out of range, changing nothing.
    bool LoadFieldState(const std::string& text);
    // Whether a field-state text has been recorded at all (level 0 included).
    bool HasRecordedState() const { return !m_field_state.empty(); }
    // Grows by one with every recording, so a watcher can tell a new one.
    int GetRecordCount() const { return m_record_count; }

    // The saved-game keys of the field. SaveState writes nothing and returns
    // false before a position was recorded. LoadState accepts only the three
    // level sets the game writes and refuses damaged or impossible values;
    // after a refusal the field must not be used for play.
    bool SaveState(CKeyValueFile& file) const;
    bool LoadState(const CKeyValueFile& file);
    const std::string& GetLevelDir() const { return m_level_dir; }
    int GetAdvanced() const { return m_advanced; }

    // Drawing; harmless without a GL context.
    void Draw() const;
    void DrawCell(int row, int col) const;
    void DrawCellOutline(int row, int col, bool bindTexture) const;
    void GrowCell(int row, int col, float factor);
    void SpinCell(int row, int col);
    // The background, with the board's still flowers over it when the board
    // cache is on; Draw then adds only what moves. Call it first each frame.
    void DrawBackground() const;
    void DrawPreview() const;
    const CBoardCache& GetBoardCache() const { return m_cache; }

  private:
    void BuildLevel(int level);
    void DeleteCells();
    // The flower of a cell the board has just drawn.
    void MakeCell(int row, int col);
    // The level mask, or empty when it is missing or too short (every cell playable).
    std::vector<uint8_t> ReadMask(int level) const;
    static bool IsHoleInMask(const std::vector<uint8_t>& mask, const CVector4& centre);
    // Gives each repainted cell's flower its new colour, to show at its flip.
    void ShowChanges(const std::vector<int>& changed);
    void CollectCoin(int row, int col);
    template <typename TAction> void ForEachCell(TAction&& action)
    {
        for (int r = 0; r < m_rows; ++r)
            for (int c = 0; c < RowLength(r); ++c)
                if (CCell* cell = m_cells[r][c].get())
                    action(r, c, *cell);
    }
    void UpdateAppearing(float dt);
    void BeginShiftStep();
    void CommitShiftStep();
    void Refill();
    void UpdateSizes(int hoveredRow, int hoveredCol);
    bool IsUsable(int row, int col) const { return m_board.IsUsable(row, col); }
    void DrawBackgroundPicture() const;
    // The frame's lying flowers (all but the hovered and the raised) into m_lying.
    void CollectLyingFlowers() const;
    void BindFlowerTexture() const;

    int m_state = kAppearing;
    std::string m_level_dir;
    int m_level_count = 1;
    int m_saved_level = 0;
    // The board full as shown: set once the flips that filled it are over.
    bool m_full = false;
    int m_advanced = 0;
    CBoard m_board;
    int m_columns = 0;
    int m_rows = 0;
    std::vector<std::array<std::unique_ptr<CCell>, kMaxColumns>> m_cells;
    int m_hovered_row = -1;
    int m_hovered_col = -1;
    CVector4 m_origin;
    float m_cell_width = 0.0f;
    float m_half_width = 0.0f;
    float m_row_height = 0.0f;
    std::vector<std::unique_ptr<CInsect>> m_insects;
    std::vector<SCollectedCoin> m_collected_coins;
    int m_shift_count = 0;
    std::string m_field_state;
    int m_record_count = 0;
    bool m_first_insect = true;
    CTexture* m_background = nullptr; // the game resources' background, not owned
    // Reused every frame, so drawing the board allocates nothing.
    mutable CSpriteBatch m_flower_batch;
    mutable CSpriteBatch m_lying;
    mutable std::vector<int> m_lying_keys; // cell of each quad: row * kMaxColumns + column
    mutable std::vector<uint8_t> m_lying_at_rest;
    mutable CBoardCache m_cache;
    // Set by DrawBackground when it drew the cache's flowers, for this frame's Draw.
    mutable bool m_still_drawn = false;
};
} // namespace NGame
