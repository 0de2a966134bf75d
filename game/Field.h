// The playing field: builds each level (size from the level number, holes
// from the level mask, random colours, coin-carrying insects), applies moves
// and captures, and animates through Update. Moves are accepted only in field
// state 0; everything here runs without a window.
#pragma once

#include "engine/SpriteBatch.h"
#include "engine/Vector4.h"
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
    static constexpr int kColourCount = 6;
    static constexpr int kOutside = -1;
    static constexpr int kHole = -3;
    static constexpr int kMaskWidth = 800;
    static constexpr int kMaskHeight = 600;
    static constexpr int kMaskSize = kMaskWidth * kMaskHeight;

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

    int GetRows() const { return m_rows; }
    int GetColumns() const { return m_columns; }
    int GetMid() const { return m_rows / 2; }
    int RowLength(int row) const;
    int GetColourCount() const { return m_colour_count; }
    int GetLevelNumber() const { return m_level; }
    int GetLevelCount() const { return m_level_count; }
    int GetState() const { return m_state; }
    float GetCellWidth() const { return m_cell_width; }
    const CVector4& GetOrigin() const { return m_origin; }
    const CHexGrid& GetGrid() const { return m_grid; }

    bool IsInside(int row, int col) const;
    int ColourAt(int row, int col) const;
    bool IsColourAllowed(int colour) const;
    int ZoneSize(int row, int col) const;
    int CountPlayableCells() const;
    bool IsFull() const { return m_full; }
    bool IsIdle() const { return m_state == kIdle; }
    CVector4 CellCentre(int row, int col) const;
    int RowAt(float y) const;
    int ColumnAt(float x, float y) const;
    std::vector<SCollectedCoin>& GetCollectedCoins() { return m_collected_coins; }

    // ColourAt of every cell by grid index; empty slots read as holes.
    void Snapshot(std::vector<int>& out) const;
    CCell* GetCell(int row, int col) const;
    int GetCellCoin(int row, int col) const;
    const std::vector<std::unique_ptr<CInsect>>& GetInsects() const { return m_insects; }
    void DeleteInsects();
    // Sends one more coin-carrying insect onto the level (the build places
    // its own); after maxTries holes in a row its coin is lost.
    static constexpr int kMaxInsectPlaceTries = 10000;
    void PlaceInsect(int kind, int maxTries = kMaxInsectPlaceTries);
    const std::vector<int>& GetStartPoints() const { return m_starts; }
    int GetHoveredRow() const { return m_hovered_row; }
    int GetHoveredColumn() const { return m_hovered_col; }
    int GetShiftCount() const { return m_shift_count; }

    void RegisterStart(int row, int col);
    void UnregisterStart(int row, int col);

    bool Fill(int startRow, int startCol, int colour);
    void RecheckEnclosures(int row, int col);
    void PaintCell(int row, int col, int colour, bool removeCoin);
    bool SetCellLit(int row, int col, bool lit);
    bool SetCellRaised(int row, int col, bool raised);
    void SetCellCoin(int row, int col, int kind);
    void SetCellDelay(int row, int col, float ms);
    void StartShift(int columns);
    void DropAllCoins();

    void Update(float dt);

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
    void DrawBackground() const;
    void DrawPreview() const;

  private:
    void BuildLevel();
    void DeleteCells();
    // The level mask, or empty when it is missing or too short (every cell playable).
    std::vector<uint8_t> ReadMask() const;
    static bool IsHoleInMask(const std::vector<uint8_t>& mask, const CVector4& centre);
    // Marks the mover's zone -1 and the others -2; the capture and recheck share it.
    void MarkZones(std::vector<int>& snapshot, int moverIndex, bool moverAlways) const;
    // Repaints every free region that touches no -2 cell to colour; returns whether any did.
    void CaptureFreeRegions(std::vector<int>& snapshot, int colour);
    void CollectCoin(CCell& cell);
    void TestFull();
    void UpdateAppearing(float dt);
    void BeginShiftStep();
    void CommitShiftStep();
    void Refill();
    void UpdateSizes();
    bool IsUsable(int row, int col) const;
    // The two sides' start cells, which are never holes.
    bool IsStartCell(int row, int col) const;

    int m_state = kAppearing;
    std::string m_level_dir;
    int m_level_count = 1;
    int m_level = 0;
    int m_saved_level = 0;
    bool m_full = false;
    int m_colour_count = kColourCount;
    int m_advanced = 0;
    std::vector<int> m_starts; // row, column pairs in registration order
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
    CHexGrid m_grid;
    mutable std::vector<int> m_snapshot;
    // Reused every frame, so drawing the board allocates nothing.
    mutable CSpriteBatch m_flower_batch;
};
} // namespace NGame
