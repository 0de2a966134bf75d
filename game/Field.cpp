#include "game/Field.h"

#include "engine/GLHeaders.h"
#include "engine/KeyValueFile.h"
#include "engine/Random.h"
#include "engine/ResourceManager.h"
#include "engine/Sprite.h"
#include "engine/Texture.h"
#include "game/GameResources.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace NGame
{
namespace
{
constexpr float kFieldLeft = 12.0f;
constexpr float kFieldMiddleY = 282.0f;
constexpr int kAppearDelayRange = 1500;
constexpr float kWaveMsPerPixel = 3.0f;
constexpr int kRecheckDelayRange = 250;
constexpr float kMagnifiedSize = 56.0f;
constexpr float kMagnifierMaxCellWidth = 48.0f;
constexpr float kSizeEasing = 5.0f;

int LevelInCycle(int level)
{
    return ((level % 100) + 100) % 100;
}

float PixelDistance(const CVector4& a, const CVector4& b)
{
    const float dx = a.x - b.x, dy = a.y - b.y;
    return std::sqrt(dx * dx + dy * dy);
}

// Truncation toward zero, kept inside int range for any float.
int TruncToInt(float v)
{
    if (!(v > -1.0e9f))
        return -1000000000;
    if (v > 1.0e9f)
        return 1000000000;
    return static_cast<int>(v);
}
} // namespace

CField::CField(const std::string& levelDir, int levelCount, int advanced)
    : m_level_dir(levelDir), m_level_count(std::max(1, levelCount)), m_advanced(advanced),
      m_board([] { return NRandom::Rand(); })
{
    if (CGameResources* resources = GetGameResources())
        m_background = resources->GetBackground();
    BuildLevel(0);
}

CField::~CField() = default;

void CField::DeleteCells()
{
    m_cells.clear();
    m_insects.clear();
}

void CField::DeleteInsects()
{
    m_insects.clear();
}

void CField::GoToLevel(int level)
{
    DeleteCells();
    BuildLevel(level);
}

void CField::AdvanceLevel(int by)
{
    GoToLevel(GetLevelNumber() + by);
}

void CField::ReloadLevel(const std::string& levelDir, int advanced)
{
    m_advanced = advanced;
    m_level_dir = levelDir;
    GoToLevel(GetLevelNumber());
}

void CField::VanishLevel()
{
    m_state = kVanishing;
    ForEachCell([](int, int, CCell& cell)
                { cell.StartVanishing(static_cast<float>(NRandom::Rand() % kAppearDelayRange)); });
}

std::vector<uint8_t> CField::ReadMask(int level) const
{
    char name[32];
    std::snprintf(name, sizeof(name), "/lev%03d.raw", LevelInCycle(level) % m_level_count);
    const std::string path = m_level_dir + name;
    CResourceManager* manager = GetResourceManager();
    CFileBuffer buffer = manager ? manager->Load(path) : CResourceManager::LoadLooseFile(path);
    if (buffer.GetSize() < kMaskSize)
        return {};
    return std::move(buffer.GetBytes());
}

bool CField::IsHoleInMask(const std::vector<uint8_t>& mask, const CVector4& centre)
{
    if (mask.empty() || !(centre.x >= 0.0f) || !(centre.y >= 0.0f) || centre.x >= kMaskWidth ||
        centre.y >= kMaskHeight)
        return false;
    const size_t index = static_cast<size_t>(centre.x) + kMaskWidth * static_cast<size_t>(centre.y);
    return index < mask.size() && mask[index] == 0;
}

void CField::MakeCell(int row, int col)
{
    // The flower draws its own look right after the board drew the colour,
    // and its appearing delay after that, so every level looks as it always did.
    auto cell = std::make_unique<CCell>(CellCentre(row, col), m_cell_width, m_board.ColourOf(row, col), 0);
    if (m_board.IsHole(row, col))
        cell->SetHole(true);
    cell->StartAppearing(static_cast<float>(NRandom::Rand() % kAppearDelayRange));
    m_cells[row][col] = std::move(cell);
}

void CField::BuildLevel(int level)
{
    const SLevelLayout layout = SLevelLayout::ForLevel(level);
    m_cell_width = layout.cellWidth;
    m_half_width = layout.halfWidth;
    m_row_height = layout.rowHeight;
    m_origin = CVector4(m_half_width + kFieldLeft, kFieldMiddleY, 0.0f);
    m_hovered_row = m_hovered_col = -1;
    m_shift_count = 0;
    m_full = false;

    const std::vector<uint8_t> mask = ReadMask(level);
    m_cells.clear();
    m_cells.resize(layout.rows);
    // CellCentre needs the board's size before the board is built.
    m_rows = layout.rows;
    m_columns = layout.columns;
    m_board.Build(
        level, [&](int r, int c) { return IsHoleInMask(mask, CellCentre(r, c)); },
        [this](int r, int c) { MakeCell(r, c); });
    // The human side's start cells were given their colours after the draw.
    for (int r = 0; r < m_rows; ++r)
        for (int c = 0; c < RowLength(r); ++c)
            if (m_board.ColourOf(r, c) != m_cells[r][c]->GetColour())
                m_cells[r][c]->SetColourShown(m_board.ColourOf(r, c));

    m_insects.clear();
    for (int i = 0; i < 3; ++i)
        PlaceInsect(0);
    if (NRandom::Rand() % 2 == 1)
        PlaceInsect(1);
    if (NRandom::Rand() % 2 == 1)
        PlaceInsect(1);
    if (NRandom::Rand() % 4 == 1)
        PlaceInsect(2);
    if (NRandom::Rand() % 8 == 1)
        PlaceInsect(3);
    if (NRandom::Rand() % 16 == 1)
        PlaceInsect(4);
    m_state = kAppearing;
}

void CField::PlaceInsect(int kind, int maxTries)
{
    auto insect = std::make_unique<CInsect>();
    const float startX = static_cast<float>(NRandom::Rand() % 800);
    const float startY = static_cast<float>(625 + NRandom::Rand() % 100);
    insect->SetPosition(CVector4(startX, startY, 0.0f));
    auto candidate = [this](int& row, int& col)
    {
        const float x = static_cast<float>(25 + NRandom::Rand() % 511);
        const float y = static_cast<float>(160 + NRandom::Rand() % 338);
        row = RowAt(y);
        col = ColumnAt(x, y);
    };
    int row, col;
    candidate(row, col);
    if (m_first_insect)
    {
        row = m_rows / 3;
        col = kFirstInsectColumn;
        m_first_insect = false;
    }
    int tries = 0;
    while (m_board.IsHole(row, col))
    {
        if (++tries > maxTries)
        {
            // The coin is lost: flying to a place beside the field is not
            // enough, as (-1, -1) lies close enough to map back onto cell (0, 0).
            row = col = -1;
            kind = -1;
            break;
        }
        candidate(row, col);
    }
    insect->SetTarget(CellCentre(row, col));
    insect->SetDelay(static_cast<float>(NRandom::Rand() % 300));
    insect->SetCoinKind(kind);
    m_insects.push_back(std::move(insect));
}

int CField::RowLength(int row) const
{
    return m_columns - std::abs(GetMid() - row);
}

CCell* CField::GetCell(int row, int col) const
{
    return m_board.IsInside(row, col) ? m_cells[row][col].get() : nullptr;
}

void CField::SetCellColour(int row, int col, int colour)
{
    CCell* cell = GetCell(row, col);
    if (!cell || colour < 0 || colour >= kColourCount)
        return;
    m_board.SetColour(row, col, colour);
    cell->SetColourShown(colour);
}

void CField::SetCellHole(int row, int col, bool hole)
{
    if (CCell* cell = GetCell(row, col))
    {
        m_board.SetHole(row, col, hole);
        cell->SetHole(hole);
    }
}

CVector4 CField::CellCentre(int row, int col) const
{
    const int mid = GetMid();
    return m_origin + CVector4(static_cast<float>(std::abs(row - mid)) * m_half_width +
                                   static_cast<float>(col) * m_cell_width,
                               static_cast<float>(row - mid) * m_row_height, 0.0f);
}

int CField::RowAt(float y) const
{
    const int offset = TruncToInt(y - m_origin.y + static_cast<float>(m_rows) / 2.0f * m_row_height);
    return TruncToInt(static_cast<float>(offset) / m_row_height);
}

int CField::ColumnAt(float x, float y) const
{
    const int row = RowAt(y);
    const int offset = TruncToInt(
        x - m_origin.x - static_cast<float>(m_columns - RowLength(row)) * m_half_width + m_half_width);
    return TruncToInt(static_cast<float>(offset) / m_cell_width);
}

void CField::CollectCoin(int row, int col)
{
    m_board.CollectCoin(row, col);
    auto& taken = m_board.GetCollectedCoins();
    for (const CBoard::SCoin& coin : taken)
    {
        CCell& cell = *m_cells[coin.row][coin.col];
        m_collected_coins.push_back({coin.kind, cell.GetPosition(), m_cell_width});
        cell.SetCoin(-1);
    }
    taken.clear();
}

void CField::ShowChanges(const std::vector<int>& changed)
{
    const CHexGrid& grid = GetGrid();
    for (int index : changed)
    {
        const int row = grid.RowOf(index), col = grid.ColumnOf(index);
        CCell* cell = m_cells[row][col].get();
        cell->SetColour(m_board.ColourAt(row, col));
        cell->SetChanged(true);
    }
}

bool CField::Fill(int startRow, int startCol, int colour)
{
    const std::vector<int> changed = m_board.Fill(startRow, startCol, colour);
    if (changed.empty())
        return false;
    ShowChanges(changed);
    // The flips run outward from the start as a wave; every flower still to
    // flip gives up its coin as it starts.
    const CVector4 origin = CellCentre(startRow, startCol);
    ForEachCell(
        [&](int r, int c, CCell& cell)
        {
            if (!cell.IsChanged())
                return;
            const bool atStart = r == startRow && c == startCol;
            const float delay =
                atStart ? 0.0f
                        : static_cast<float>(static_cast<int>(PixelDistance(origin, cell.GetPosition()))) *
                              kWaveMsPerPixel;
            cell.StartRepaint(delay);
            CollectCoin(r, c);
        });
    m_state = kRepainting;
    return true;
}

void CField::RecheckEnclosures(int row, int col)
{
    std::vector<int> zone;
    const std::vector<int> changed = m_board.RecheckEnclosures(row, col, zone);
    if (zone.empty())
        return;
    ShowChanges(changed);
    const CHexGrid& grid = GetGrid();
    for (int index : zone)
    {
        const int r = grid.RowOf(index), c = grid.ColumnOf(index);
        if (!m_cells[r][c]->IsChanged())
            CollectCoin(r, c);
    }
    bool anyChanged = false;
    ForEachCell(
        [&](int r, int c, CCell& cell)
        {
            if (!cell.IsChanged())
                return;
            anyChanged = true;
            const bool atStart = r == row && c == col;
            cell.StartRepaint(atStart ? 0.0f : static_cast<float>(NRandom::Rand() % kRecheckDelayRange));
            CollectCoin(r, c);
        });
    if (anyChanged)
        m_state = kRepainting;
}

void CField::PaintCell(int row, int col, int colour, bool removeCoin)
{
    if (!IsUsable(row, col) || (m_state != kIdle && m_state != kRepainting) || colour < 0 ||
        colour >= kColourCount)
        return;
    m_board.SetColour(row, col, colour);
    CCell* cell = m_cells[row][col].get();
    cell->SetColour(colour);
    cell->SetChanged(true);
    cell->StartRepaint(0.0f);
    if (removeCoin)
        SetCellCoin(row, col, -1);
    m_state = kRepainting;
}

bool CField::SetCellLit(int row, int col, bool lit)
{
    CCell* cell = GetCell(row, col);
    if (!cell || (m_state != kIdle && m_state != kRepainting))
        return false;
    cell->SetLit(lit);
    return true;
}

bool CField::SetCellRaised(int row, int col, bool raised)
{
    CCell* cell = GetCell(row, col);
    if (!cell || (m_state != kIdle && m_state != kRepainting))
        return false;
    cell->SetRaised(raised);
    return true;
}

void CField::SetCellCoin(int row, int col, int kind)
{
    if (CCell* cell = GetCell(row, col))
    {
        m_board.SetCoin(row, col, kind);
        cell->SetCoin(kind);
    }
}

void CField::SetCellDelay(int row, int col, float ms)
{
    if (CCell* cell = GetCell(row, col))
        cell->SetDelay(ms);
}

void CField::DropAllCoins()
{
    if (m_state != kAppearing)
        return;
    for (const auto& insect : m_insects)
    {
        if (insect->GetCoinKind() < 0)
            continue;
        const CVector4& target = insect->GetTarget();
        const int row = RowAt(target.y), col = ColumnAt(target.x, target.y);
        if (IsUsable(row, col))
            SetCellCoin(row, col, insect->GetCoinKind());
    }
    m_insects.clear();
}

void CField::UpdateAppearing(float dt)
{
    for (size_t i = 0; i < m_insects.size();)
    {
        CInsect& insect = *m_insects[i];
        insect.Update(dt);
        if (insect.GetState() == CInsect::kLanded)
        {
            if (insect.GetCoinKind() >= 0)
            {
                const CVector4& position = insect.GetPosition();
                const int row = RowAt(position.y), col = ColumnAt(position.x, position.y);
                // A coin dropped beside the field or on a hole is lost.
                if (IsUsable(row, col))
                    SetCellCoin(row, col, insect.GetCoinKind());
                const float x = static_cast<float>(NRandom::Rand() % 1200 - 200);
                insect.SetTarget(CVector4(x, -50.0f, 0.0f));
                insect.SetCoinKind(-1);
                insect.SetDelay(static_cast<float>(NRandom::Rand() % 300));
            }
            else
            {
                m_insects.erase(m_insects.begin() + static_cast<std::ptrdiff_t>(i));
                continue;
            }
        }
        ++i;
    }
    if (!m_insects.empty())
        return;
    for (int r = 0; r < m_rows; ++r)
        for (int c = 0; c < RowLength(r); ++c)
            if (m_cells[r][c] && m_cells[r][c]->GetState() == CCell::kAppearing)
                return;
    m_state = kIdle;
    RecordFieldState();
}

void CField::Update(float dt, int hoveredRow, int hoveredCol)
{
    bool anyChanged = false, anyMoving = false, allGone = true;
    ForEachCell(
        [&](int, int, CCell& cell)
        {
            cell.Update(dt);
            anyChanged |= cell.IsChanged();
            anyMoving |= cell.GetState() == CCell::kMoving;
            allGone &= cell.GetState() == CCell::kGone;
        });
    switch (m_state)
    {
    case kRepainting:
        // The board changed at once; the field shows it full once the flips are over.
        if (!anyChanged)
        {
            m_state = kIdle;
            if (m_board.IsFull())
                m_full = true;
        }
        break;
    case kAppearing:
        UpdateAppearing(dt);
        break;
    case kVanishing:
        if (allGone)
            m_state = kGone;
        break;
    case kShifting:
        if (!anyMoving)
            CommitShiftStep();
        break;
    default:
        break;
    }
    UpdateSizes(hoveredRow, hoveredCol);
}

bool CField::IsMagnifying() const
{
    return m_cell_width <= kMagnifierMaxCellWidth;
}

void CField::UpdateSizes(int hoveredRow, int hoveredCol)
{
    m_hovered_row = m_hovered_col = -1;
    if (IsMagnifying() && IsInside(hoveredRow, hoveredCol))
    {
        m_hovered_row = hoveredRow;
        m_hovered_col = hoveredCol;
    }
    ForEachCell(
        [&](int r, int c, CCell& cell)
        {
            if (cell.IsRaised())
                return;
            const float target = (r == m_hovered_row && c == m_hovered_col) ? kMagnifiedSize : m_cell_width;
            const float size = cell.GetSize();
            if (size != target)
                cell.SetSize(size + (target - size) / kSizeEasing);
        });
}

void CField::StartShift(int columns)
{
    m_shift_count = columns;
    if (m_shift_count > 0)
        BeginShiftStep();
}

void CField::BeginShiftStep()
{
    --m_shift_count;
    m_state = kShifting;
    m_board.ShiftHoles();
    ForEachCell(
        [&](int r, int c, CCell& cell)
        {
            cell.StartMoving(CellCentre(r, c - 1), c == 0);
            if (c > 0)
                cell.SetHole(m_board.IsHole(r, c));
        });
}

void CField::CommitShiftStep()
{
    m_board.ShiftLeft();
    for (int r = 0; r < m_rows; ++r)
    {
        const int length = RowLength(r);
        for (int c = 0; c + 1 < length; ++c)
            m_cells[r][c] = std::move(m_cells[r][c + 1]);
        m_cells[r][length - 1].reset();
    }
    if (m_shift_count > 0)
        BeginShiftStep();
    else
        Refill();
}

void CField::Refill()
{
    // Same mask file and convention as the level build, so a refilled column
    // looks like the level it continues.
    const std::vector<uint8_t> mask = ReadMask(GetLevelNumber());
    m_board.Refill([&](int r, int c) { return IsHoleInMask(mask, CellCentre(r, c)); },
                   [this](int r, int c) { MakeCell(r, c); });
    m_state = kAppearing;
}

std::string CField::FormatFieldState() const
{
    return m_board.FormatState();
}

void CField::RecordFieldState()
{
    m_field_state = FormatFieldState();
    m_saved_level = GetLevelNumber();
    ++m_record_count;
}

bool CField::LoadFieldState(const std::string& text)
{
    int level = 0;
    std::vector<CBoard::SSavedCell> cells;
    if (!CBoard::ParseState(text, level, cells))
        return false;
    GoToLevel(level);
    const CHexGrid& grid = GetGrid();
    for (int i = 0; i < grid.GetCellCount(); ++i)
    {
        const int r = grid.RowOf(i), c = grid.ColumnOf(i);
        SetCellHole(r, c, cells[i].hole);
        if (!cells[i].hole)
            SetCellColour(r, c, cells[i].colour);
        SetCellCoin(r, c, cells[i].coin);
    }
    m_insects.clear();
    return true;
}

namespace
{
constexpr const char* kLevelPattern = "/lev%03d.raw";
// The level sets a saved game may name; the pattern is compared, never formatted.
constexpr const char* kLevelSets[] = {"dat/levels_classic", "dat/levels_duel", "dat/levels_moving"};
constexpr int kLastGameLevel = 99;
} // namespace

bool CField::SaveState(CKeyValueFile& file) const
{
    if (!HasRecordedState())
        return false;
    file.SetString("gamedata.fieldstate", m_field_state);
    file.SetString("gamedata.dir_pattern", m_level_dir + kLevelPattern);
    file.SetInt("gamedata.level_num", m_saved_level);
    file.SetInt("gamedata.levels_count", m_level_count);
    file.SetInt("gamedata.m_game_type", m_advanced);
    return true;
}

bool CField::LoadState(const CKeyValueFile& file)
{
    const int advanced = file.GetInt("gamedata.m_game_type", 1);
    const std::string text = file.GetString("gamedata.fieldstate", "kobaka");
    if (text == "kobaka" || text.empty())
        return false;
    const std::string pattern = file.GetString("gamedata.dir_pattern", "0");
    std::string levelDir;
    for (const char* set : kLevelSets)
        if (pattern == std::string(set) + kLevelPattern)
            levelDir = set;
    if (levelDir.empty())
        return false;
    int textLevel = 0;
    if (std::sscanf(text.c_str(), "%d", &textLevel) != 1)
        return false;
    // The level number names the recorded text's level; anything else would
    // leave the board's size and the level out of step.
    const int level = file.GetInt("gamedata.level_num", 0);
    const int levelCount = file.GetInt("gamedata.levels_count", 0);
    if (level != textLevel || level < 0 || level > kLastGameLevel || levelCount < 1 || levelCount > 100 ||
        (advanced != 0 && advanced != 1))
        return false;

    const std::string previousDir = m_level_dir;
    const int previousAdvanced = m_advanced, previousCount = m_level_count;
    m_level_dir = levelDir;
    m_advanced = advanced;
    m_level_count = levelCount;
    if (!LoadFieldState(text))
    {
        m_level_dir = previousDir;
        m_advanced = previousAdvanced;
        m_level_count = previousCount;
        return false;
    }
    m_insects.clear();
    return true;
}

void CField::BindFlowerTexture() const
{
    glEnable(GL_TEXTURE_2D);
    if (CGameResources* resources = GetGameResources())
        if (const CSprite* flower = resources->GetFlowerSprite(0))
            if (CTexture* texture = flower->GetTexture())
                texture->Bind();
}

void CField::CollectLyingFlowers() const
{
    const CCell* hovered = GetCell(m_hovered_row, m_hovered_col);
    m_lying.Clear();
    m_lying_keys.clear();
    m_lying_at_rest.clear();
    for (int r = 0; r < m_rows; ++r)
        for (int c = 0; c < RowLength(r); ++c)
        {
            const CCell* cell = m_cells[r][c].get();
            if (!cell || cell->IsRaised() || cell == hovered)
                continue;
            const size_t before = m_lying.GetQuadCount();
            cell->AddFlower(m_lying);
            if (m_lying.GetQuadCount() == before)
                continue;
            m_lying_keys.push_back(r * kMaxColumns + c);
            m_lying_at_rest.push_back(cell->GetState() == CCell::kIdle ? 1 : 0);
        }
}

void CField::Draw() const
{
    const bool still_drawn = m_still_drawn;
    m_still_drawn = false;
    if (!NGL::IsContextAvailable())
        return;
    const CCell* hovered = GetCell(m_hovered_row, m_hovered_col);
    BindFlowerTexture();
    auto forEachCell = [this](auto&& action)
    {
        for (int r = 0; r < m_rows; ++r)
            for (int c = 0; c < RowLength(r); ++c)
                if (const CCell* cell = m_cells[r][c].get())
                    action(*cell);
    };
    // Lying flowers, then raised ones, each pass in one batch of the bound texture.
    if (still_drawn)
    {
        // The background's copy holds the still ones.
        for (size_t quad = 0; quad < m_lying.GetQuadCount(); ++quad)
            if (!m_cache.IsHeld(quad))
                m_flower_batch.AddQuadOf(m_lying, quad);
    }
    else
    {
        forEachCell(
            [&](const CCell& cell)
            {
                if (!cell.IsRaised() && &cell != hovered)
                    cell.AddFlower(m_flower_batch);
            });
    }
    m_flower_batch.Flush();
    forEachCell(
        [&](const CCell& cell)
        {
            if (cell.IsRaised() && &cell != hovered)
                cell.AddFlower(m_flower_batch);
        });
    m_flower_batch.Flush();
    forEachCell(
        [&](const CCell& cell)
        {
            if (&cell != hovered)
                cell.DrawCoin();
        });
    if (hovered)
    {
        hovered->DrawFlower(true);
        hovered->DrawCoin();
    }
    for (const auto& insect : m_insects)
        insect->Draw();
}

void CField::DrawCell(int row, int col) const
{
    if (!IsUsable(row, col))
        return;
    m_cells[row][col]->DrawFlower(true);
    m_cells[row][col]->DrawCoin();
}

void CField::DrawCellOutline(int row, int col, bool bindTexture) const
{
    if (!IsUsable(row, col))
        return;
    m_cells[row][col]->DrawOutline(bindTexture);
    m_cells[row][col]->DrawCoin();
}

void CField::GrowCell(int row, int col, float factor)
{
    if (!IsUsable(row, col))
        return;
    CCell* cell = m_cells[row][col].get();
    if (!cell->IsRaised())
        cell->SetSize(cell->GetSize() + (cell->GetSize() * factor - cell->GetSize()) / kSizeEasing);
}

void CField::SpinCell(int row, int col)
{
    if (IsUsable(row, col))
        m_cells[row][col]->Spin();
}

void CField::DrawBackground() const
{
    m_still_drawn = false;
    if (!NGL::IsContextAvailable())
        return;
    if (!CBoardCache::IsEnabled())
    {
        DrawBackgroundPicture();
        return;
    }
    CollectLyingFlowers();
    if (!m_cache.Plan(m_lying.GetVertices(), m_lying_keys, m_lying_at_rest, m_cache.GetCopy().FitsViewport()))
    {
        m_cache.GetCopy().Draw();
        m_still_drawn = true;
        return;
    }
    DrawBackgroundPicture();
    // The held flowers as Draw would lay them: blended over the background.
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_ALPHA_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    BindFlowerTexture();
    for (size_t quad = 0; quad < m_lying.GetQuadCount(); ++quad)
        if (m_cache.IsHeld(quad))
            m_flower_batch.AddQuadOf(m_lying, quad);
    m_flower_batch.Flush();
    glDisable(GL_BLEND);
    // Without a copy (an old driver) the next frame plans again and draws the same.
    m_cache.GetCopy().Take();
    m_still_drawn = true;
}

void CField::DrawBackgroundPicture() const
{
    if (!m_background)
        return;
    glEnable(GL_TEXTURE_2D);
    m_background->Bind();
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glBegin(GL_TRIANGLE_STRIP);
    glTexCoord2f(0.0f, 1.0f);
    glVertex2f(-112.0f, -212.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex2f(912.0f, -212.0f);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(-112.0f, 812.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex2f(912.0f, 812.0f);
    glEnd();
}

void CField::DrawPreview() const
{
    if (!NGL::IsContextAvailable())
        return;
    if (m_background)
    {
        glEnable(GL_TEXTURE_2D);
        m_background->Bind();
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        glBegin(GL_TRIANGLE_STRIP);
        glTexCoord2f(0.109375f, 0.79296875f);
        glVertex2f(0.0f, 0.0f);
        glTexCoord2f(0.890625f, 0.79296875f);
        glVertex2f(800.0f, 0.0f);
        glTexCoord2f(0.109375f, 0.20703125f);
        glVertex2f(0.0f, 600.0f);
        glTexCoord2f(0.890625f, 0.20703125f);
        glVertex2f(800.0f, 600.0f);
        glEnd();
    }
    if (CGameResources* resources = GetGameResources())
        if (const CSprite* flower = resources->GetFlowerSprite(0))
            if (CTexture* texture = flower->GetTexture())
                texture->Bind();
    for (int r = 0; r < m_rows; ++r)
        for (int c = 0; c < RowLength(r); ++c)
            if (const CCell* cell = m_cells[r][c].get())
                cell->DrawPreview();
}
} // namespace NGame
