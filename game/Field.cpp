#include "game/Field.h"

#include "engine/AppSettings.h"
#include "engine/GLHeaders.h"
#include "engine/KeyValueFile.h"
#include "engine/Random.h"
#include "engine/ResourceManager.h"
#include "engine/Sprite.h"
#include "engine/Texture.h"
#include "game/FieldInput.h"
#include "game/GameResources.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace NGame
{
namespace
{
constexpr float kFieldWidth = 776.0f;
constexpr float kFieldHeight = 532.0f;
constexpr float kFieldLeft = 12.0f;
constexpr float kFieldMiddleY = 282.0f;
constexpr int kAppearDelayRange = 1500;
constexpr float kWaveMsPerPixel = 3.0f;
constexpr int kRecheckDelayRange = 250;
constexpr float kMagnifiedSize = 56.0f;
constexpr float kMagnifierMaxCellWidth = 48.0f;
constexpr float kSizeEasing = 5.0f;
// Marks on snapshots.
constexpr int kMover = -1;
constexpr int kOpponent = -2;
constexpr int kCounted = -4;
constexpr int kFree = 0;
// Field-state text values.
constexpr int kTextHole = 50;
constexpr int kTextCoin = 60;
constexpr int kMaxTextLevel = 1000;

// Reads a decimal number as "%d" would (blanks, a sign, digits), refusing
// values outside int instead of leaving them undefined.
bool ReadNumber(const std::string& text, size_t position, int& value)
{
    while (position < text.size() && std::isspace(static_cast<unsigned char>(text[position])))
        ++position;
    bool negative = false;
    if (position < text.size() && (text[position] == '-' || text[position] == '+'))
        negative = text[position++] == '-';
    long long number = 0;
    size_t digits = 0;
    for (; position < text.size() && text[position] >= '0' && text[position] <= '9'; ++position, ++digits)
    {
        number = number * 10 + (text[position] - '0');
        if (number > static_cast<long long>(INT_MAX) + 1)
            return false;
    }
    if (digits == 0)
        return false;
    number = negative ? -number : number;
    if (number > INT_MAX || number < INT_MIN)
        return false;
    value = static_cast<int>(number);
    return true;
}

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

SLevelLayout SLevelLayout::ForLevel(int level)
{
    static constexpr int kBase[3] = {21, 18, 30};
    const int l = LevelInCycle(level);
    const int a = l / 18, b = (l % 18) / 6, c = l % 6;
    SLevelLayout layout;
    layout.columns = kBase[b] + c + 2 * a;
    layout.cellWidth = kFieldWidth / static_cast<float>(layout.columns);
    layout.halfWidth = layout.cellWidth / 2.0f;
    layout.rowHeight = layout.halfWidth * std::sqrt(3.0f);
    layout.rows = static_cast<int>(kFieldHeight / layout.rowHeight);
    if (layout.rows % 2 == 0)
    {
        layout.rows += 1;
        layout.rowHeight = kFieldHeight / static_cast<float>(layout.rows);
    }
    return layout;
}

CField::CField(const std::string& levelDir, int levelCount, int advanced)
    : m_level_dir(levelDir), m_level_count(std::max(1, levelCount)), m_advanced(advanced)
{
    if (CGameResources* resources = GetGameResources())
        m_background = resources->GetBackground();
    BuildLevel();
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
    m_level = level;
    DeleteCells();
    BuildLevel();
}

void CField::AdvanceLevel(int by)
{
    m_level += by;
    GetAppSettings().RaiseBestLevel(m_advanced, m_level + 1);
    GoToLevel(m_level);
}

void CField::ReloadLevel(const std::string& levelDir, int advanced)
{
    m_advanced = advanced;
    m_level_dir = levelDir;
    GoToLevel(m_level);
}

void CField::VanishLevel()
{
    m_state = kVanishing;
    for (int r = 0; r < m_rows; ++r)
        for (int c = 0; c < RowLength(r); ++c)
            if (CCell* cell = m_cells[r][c].get())
                cell->StartVanishing(static_cast<float>(NRandom::Rand() % kAppearDelayRange));
}

std::vector<uint8_t> CField::ReadMask() const
{
    char name[32];
    std::snprintf(name, sizeof(name), "/lev%03d.raw", LevelInCycle(m_level) % m_level_count);
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

void CField::BuildLevel()
{
    const SLevelLayout layout = SLevelLayout::ForLevel(m_level);
    m_columns = layout.columns;
    m_rows = layout.rows;
    m_cell_width = layout.cellWidth;
    m_half_width = layout.halfWidth;
    m_row_height = layout.rowHeight;
    m_origin = CVector4(m_half_width + kFieldLeft, kFieldMiddleY, 0.0f);
    m_grid = CHexGrid(m_rows, m_columns);
    m_snapshot.assign(m_grid.GetCellCount(), 0);
    m_hovered_row = m_hovered_col = -1;
    m_shift_count = 0;

    m_full = false;
    m_colour_count = kColourCount;
    const std::vector<uint8_t> mask = ReadMask();
    const int mid = GetMid();
    m_cells.clear();
    m_cells.resize(m_rows);
    for (int r = 0; r < m_rows; ++r)
    {
        for (int c = 0; c < RowLength(r); ++c)
        {
            int colour = NRandom::Rand() % kColourCount;
            if (r == mid && c == m_columns - 1)
                while (colour == m_cells[mid][0]->GetColour())
                    colour = NRandom::Rand() % kColourCount;
            const CVector4 centre = CellCentre(r, c);
            auto cell = std::make_unique<CCell>(centre, m_cell_width, colour, 0);
            // The two start cells are always playable, whatever the mask says.
            if (!IsStartCell(r, c) && IsHoleInMask(mask, centre))
                cell->SetHole(true);
            cell->StartAppearing(static_cast<float>(NRandom::Rand() % kAppearDelayRange));
            m_cells[r][c] = std::move(cell);
        }
    }
    const int computerColour = m_cells[mid][m_columns - 1]->GetColour();
    const int playerStarts[4][2] = {{mid, 0}, {mid, 1}, {mid - 1, 0}, {mid + 1, 0}};
    for (const auto& start : playerStarts)
    {
        if (!IsInside(start[0], start[1]))
            continue;
        int colour = NRandom::Rand() % kColourCount;
        while (colour == computerColour)
            colour = NRandom::Rand() % kColourCount;
        m_cells[start[0]][start[1]]->SetColourShown(colour);
    }

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

bool CField::IsStartCell(int row, int col) const
{
    return row == GetMid() && (col == 0 || col == m_columns - 1);
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
        col = 4;
        m_first_insect = false;
    }
    int tries = 0;
    while (IsInside(row, col) && m_cells[row][col] && m_cells[row][col]->IsHole())
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

bool CField::IsInside(int row, int col) const
{
    return row >= 0 && row < m_rows && col >= 0 && col < RowLength(row);
}

CCell* CField::GetCell(int row, int col) const
{
    return IsInside(row, col) ? m_cells[row][col].get() : nullptr;
}

bool CField::IsUsable(int row, int col) const
{
    const CCell* cell = GetCell(row, col);
    return cell && !cell->IsHole();
}

int CField::ColourAt(int row, int col) const
{
    const CCell* cell = GetCell(row, col);
    if (!cell)
        return kOutside;
    return cell->IsHole() ? kHole : cell->GetColour();
}

int CField::GetCellCoin(int row, int col) const
{
    const CCell* cell = GetCell(row, col);
    return cell ? cell->GetCoin() : -1;
}

bool CField::IsColourAllowed(int colour) const
{
    if (colour < 0 || colour >= kColourCount)
        return false;
    for (size_t i = 0; i + 1 < m_starts.size(); i += 2)
        if (ColourAt(m_starts[i], m_starts[i + 1]) == colour)
            return false;
    return true;
}

void CField::Snapshot(std::vector<int>& out) const
{
    out.resize(m_grid.GetCellCount());
    int index = 0;
    for (int r = 0; r < m_rows; ++r)
    {
        const int length = RowLength(r);
        for (int c = 0; c < length; ++c, ++index)
        {
            const CCell* cell = m_cells[r][c].get();
            out[index] = (!cell || cell->IsHole()) ? kHole : cell->GetColour();
        }
    }
}

int CField::ZoneSize(int row, int col) const
{
    if (!IsUsable(row, col))
        return 0;
    Snapshot(m_snapshot);
    return m_grid.RegionSize(m_snapshot, m_grid.Index(row, col));
}

int CField::CountPlayableCells() const
{
    int count = 0;
    for (int r = 0; r < m_rows; ++r)
        for (int c = 0; c < RowLength(r); ++c)
            if (m_cells[r][c] && !m_cells[r][c]->IsHole())
                ++count;
    return count;
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

void CField::RegisterStart(int row, int col)
{
    m_starts.push_back(row);
    m_starts.push_back(col);
}

void CField::UnregisterStart(int row, int col)
{
    for (size_t i = 0; i + 1 < m_starts.size(); i += 2)
    {
        if (m_starts[i] == row && m_starts[i + 1] == col)
        {
            m_starts.erase(m_starts.begin() + static_cast<std::ptrdiff_t>(i),
                           m_starts.begin() + static_cast<std::ptrdiff_t>(i) + 2);
            return;
        }
    }
}

void CField::MarkZones(std::vector<int>& snapshot, int moverIndex, bool moverAlways) const
{
    if (moverAlways && snapshot[moverIndex] >= 0)
        m_grid.Flood(snapshot, moverIndex, kMover);
    for (size_t i = 0; i + 1 < m_starts.size(); i += 2)
    {
        if (!m_grid.IsInside(m_starts[i], m_starts[i + 1]))
            continue;
        const int index = m_grid.Index(m_starts[i], m_starts[i + 1]);
        if (index == moverIndex)
        {
            // The mover's region is its own even when a side registered earlier
            // shares it and has already marked it.
            if (snapshot[index] >= 0 || snapshot[index] == kOpponent)
                m_grid.Flood(snapshot, index, kMover);
        }
        else if (snapshot[index] != kMover && snapshot[index] >= 0)
        {
            m_grid.Flood(snapshot, index, kOpponent);
        }
    }
}

void CField::CaptureFreeRegions(std::vector<int>& snapshot, int colour)
{
    for (int& value : snapshot)
        if (value >= 0 && value <= 7)
            value = kFree;
    std::vector<int>& queue = m_grid.Queue();
    int label = 0;
    for (int start = 0; start < m_grid.GetCellCount(); ++start)
    {
        if (snapshot[start] != kFree)
            continue;
        ++label;
        bool touchesOpponent = false;
        queue.clear();
        queue.push_back(start);
        snapshot[start] = label;
        for (size_t head = 0; head < queue.size(); ++head)
        {
            for (int n : m_grid.Neighbours(queue[head]))
            {
                if (n == CHexGrid::kNoCell)
                    continue;
                if (snapshot[n] == kFree)
                {
                    snapshot[n] = label;
                    queue.push_back(n);
                }
                else if (snapshot[n] == kOpponent)
                {
                    touchesOpponent = true;
                }
            }
        }
        if (touchesOpponent)
            continue;
        for (int index : queue)
        {
            CCell* cell = m_cells[m_grid.RowOf(index)][m_grid.ColumnOf(index)].get();
            cell->SetColour(colour);
            cell->SetChanged(true);
        }
    }
}

void CField::CollectCoin(CCell& cell)
{
    if (cell.GetCoin() < 0)
        return;
    m_collected_coins.push_back({cell.GetCoin(), cell.GetPosition(), m_cell_width});
    cell.SetCoin(-1);
}

bool CField::Fill(int startRow, int startCol, int colour)
{
    if (!IsUsable(startRow, startCol) || colour < 0 || colour >= kColourCount ||
        colour == ColourAt(startRow, startCol))
        return false;

    // Repaint the zone.
    std::vector<int>& snapshot = m_snapshot;
    Snapshot(snapshot);
    const int startIndex = m_grid.Index(startRow, startCol);
    m_grid.Flood(snapshot, startIndex, colour);
    for (int index : m_grid.Queue())
    {
        CCell* cell = m_cells[m_grid.RowOf(index)][m_grid.ColumnOf(index)].get();
        cell->SetColour(colour);
        cell->SetChanged(true);
    }

    // Capture: the zone absorbs its new neighbours, then every region the
    // opponent can no longer reach.
    Snapshot(snapshot);
    MarkZones(snapshot, startIndex, false);
    for (int index = 0; index < m_grid.GetCellCount(); ++index)
    {
        if (snapshot[index] != kMover)
            continue;
        CCell* cell = m_cells[m_grid.RowOf(index)][m_grid.ColumnOf(index)].get();
        if (!cell->IsChanged())
        {
            cell->SetColour(colour);
            cell->SetChanged(true);
        }
    }
    CaptureFreeRegions(snapshot, colour);

    // The flips run outward from the start as a wave.
    const CVector4 origin = CellCentre(startRow, startCol);
    for (int r = 0; r < m_rows; ++r)
    {
        for (int c = 0; c < RowLength(r); ++c)
        {
            CCell* cell = m_cells[r][c].get();
            if (!cell || !cell->IsChanged())
                continue;
            const bool atStart = r == startRow && c == startCol;
            const float delay =
                atStart ? 0.0f
                        : static_cast<float>(static_cast<int>(PixelDistance(origin, cell->GetPosition()))) *
                              kWaveMsPerPixel;
            cell->StartRepaint(delay);
            CollectCoin(*cell);
        }
    }
    m_state = kRepainting;
    return true;
}

void CField::RecheckEnclosures(int row, int col)
{
    if (!IsUsable(row, col))
        return;
    const int colour = ColourAt(row, col);
    std::vector<int>& snapshot = m_snapshot;
    Snapshot(snapshot);
    const int startIndex = m_grid.Index(row, col);
    MarkZones(snapshot, startIndex, true);
    std::vector<int> zone;
    for (int index = 0; index < m_grid.GetCellCount(); ++index)
        if (snapshot[index] == kMover)
            zone.push_back(index);
    CaptureFreeRegions(snapshot, colour);

    for (int index : zone)
    {
        CCell* cell = m_cells[m_grid.RowOf(index)][m_grid.ColumnOf(index)].get();
        if (!cell->IsChanged())
            CollectCoin(*cell);
    }
    bool anyChanged = false;
    for (int r = 0; r < m_rows; ++r)
    {
        for (int c = 0; c < RowLength(r); ++c)
        {
            CCell* cell = m_cells[r][c].get();
            if (!cell || !cell->IsChanged())
                continue;
            anyChanged = true;
            const bool atStart = r == row && c == col;
            cell->StartRepaint(atStart ? 0.0f : static_cast<float>(NRandom::Rand() % kRecheckDelayRange));
            CollectCoin(*cell);
        }
    }
    if (anyChanged)
        m_state = kRepainting;
}

void CField::PaintCell(int row, int col, int colour, bool removeCoin)
{
    if (!IsUsable(row, col) || (m_state != kIdle && m_state != kRepainting) || colour < 0 ||
        colour >= kColourCount)
        return;
    CCell* cell = m_cells[row][col].get();
    cell->SetColour(colour);
    cell->SetChanged(true);
    cell->StartRepaint(0.0f);
    if (removeCoin)
        cell->SetCoin(-1);
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
        cell->SetCoin(kind);
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
            m_cells[row][col]->SetCoin(insect->GetCoinKind());
    }
    m_insects.clear();
}

void CField::TestFull()
{
    std::vector<int>& snapshot = m_snapshot;
    Snapshot(snapshot);
    int zoned = 0;
    for (size_t i = 0; i + 1 < m_starts.size(); i += 2)
    {
        if (!m_grid.IsInside(m_starts[i], m_starts[i + 1]))
            continue;
        const int index = m_grid.Index(m_starts[i], m_starts[i + 1]);
        if (snapshot[index] >= 0)
            zoned += m_grid.Flood(snapshot, index, kCounted);
    }
    if (zoned == CountPlayableCells())
        m_full = true;
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
                    m_cells[row][col]->SetCoin(insect.GetCoinKind());
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

void CField::Update(float dt)
{
    bool anyChanged = false, anyMoving = false, allGone = true;
    for (int r = 0; r < m_rows; ++r)
    {
        const int length = RowLength(r);
        for (int c = 0; c < length; ++c)
        {
            CCell* cell = m_cells[r][c].get();
            if (!cell)
                continue;
            cell->Update(dt);
            anyChanged |= cell->IsChanged();
            anyMoving |= cell->GetState() == CCell::kMoving;
            allGone &= cell->GetState() == CCell::kGone;
        }
    }
    switch (m_state)
    {
    case kRepainting:
        if (!anyChanged)
        {
            m_state = kIdle;
            TestFull();
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
    UpdateSizes();
}

void CField::UpdateSizes()
{
    m_hovered_row = m_hovered_col = -1;
    int x = 0, y = 0;
    if (m_cell_width <= kMagnifierMaxCellWidth && PollMagnifierCursor(x, y))
    {
        const float fx = static_cast<float>(x), fy = static_cast<float>(y);
        const int row = RowAt(fy), col = ColumnAt(fx, fy);
        if (IsInside(row, col))
        {
            m_hovered_row = row;
            m_hovered_col = col;
        }
    }
    for (int r = 0; r < m_rows; ++r)
    {
        const int length = RowLength(r);
        for (int c = 0; c < length; ++c)
        {
            CCell* cell = m_cells[r][c].get();
            if (!cell || cell->IsRaised())
                continue;
            const float target = (r == m_hovered_row && c == m_hovered_col) ? kMagnifiedSize : m_cell_width;
            const float size = cell->GetSize();
            if (size != target)
                cell->SetSize(size + (target - size) / kSizeEasing);
        }
    }
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
    for (int r = 0; r < m_rows; ++r)
    {
        const int length = RowLength(r);
        // Holes stay in place: each cell takes the hole flag of the place it slides onto.
        std::vector<char> holes(length, 0);
        for (int c = 0; c < length; ++c)
            holes[c] = m_cells[r][c] && m_cells[r][c]->IsHole();
        for (int c = 0; c < length; ++c)
        {
            CCell* cell = m_cells[r][c].get();
            if (!cell)
                continue;
            cell->StartMoving(CellCentre(r, c - 1), c == 0);
            if (c > 0)
                cell->SetHole(holes[c - 1] != 0);
        }
    }
}

void CField::CommitShiftStep()
{
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
    const std::vector<uint8_t> mask = ReadMask();
    for (int r = 0; r < m_rows; ++r)
    {
        for (int c = 0; c < RowLength(r); ++c)
        {
            if (m_cells[r][c])
                continue;
            const CVector4 centre = CellCentre(r, c);
            auto cell = std::make_unique<CCell>(centre, m_cell_width, NRandom::Rand() % kColourCount, 0);
            // As when a level is built: a hole at a start cell would hand its
            // side's whole neighbourhood to the next capture.
            if (!IsStartCell(r, c) && IsHoleInMask(mask, centre))
                cell->SetHole(true);
            cell->StartAppearing(static_cast<float>(NRandom::Rand() % kAppearDelayRange));
            m_cells[r][c] = std::move(cell);
        }
    }
    m_state = kAppearing;
}

std::string CField::FormatFieldState() const
{
    std::string text;
    text.reserve(16 + static_cast<size_t>(m_grid.GetCellCount()) * 4);
    char buffer[32];
    std::snprintf(buffer, sizeof(buffer), "%03d ", m_level);
    text += buffer;
    for (int r = 0; r < m_rows; ++r)
    {
        for (int c = 0; c < RowLength(r); ++c)
        {
            const CCell* cell = m_cells[r][c].get();
            if (!cell || cell->IsHole())
                std::snprintf(buffer, sizeof(buffer), "%02d ", kTextHole);
            else if (cell->GetCoin() >= 0)
                std::snprintf(buffer, sizeof(buffer), "%02d %02d %02d ", kTextCoin, cell->GetColour(),
                              cell->GetCoin());
            else
                std::snprintf(buffer, sizeof(buffer), "%02d ", cell->GetColour());
            text += buffer;
        }
    }
    return text;
}

void CField::RecordFieldState()
{
    m_field_state = FormatFieldState();
    m_saved_level = m_level;
    ++m_record_count;
}

bool CField::LoadFieldState(const std::string& text)
{
    struct SSavedCell
    {
        bool hole;
        int colour;
        int coin;
    };
    int level = 0;
    if (!ReadNumber(text, 0, level) || level < 0 || level >= kMaxTextLevel)
        return false;
    const SLevelLayout layout = SLevelLayout::ForLevel(level);
    const CHexGrid grid(layout.rows, layout.columns);
    std::vector<SSavedCell> cells;
    cells.reserve(grid.GetCellCount());
    size_t position = 4;
    for (int i = 0; i < grid.GetCellCount(); ++i)
    {
        int value = 0;
        if (!ReadNumber(text, position, value))
            return false;
        position += 3;
        if (value == kTextHole)
        {
            cells.push_back({true, 0, -1});
        }
        else if (value == kTextCoin)
        {
            int colour = 0, coin = 0;
            if (!ReadNumber(text, position, colour) || !ReadNumber(text, position + 3, coin) || colour < 0 ||
                colour >= kColourCount || coin < 0 || coin > 4)
                return false;
            position += 6;
            cells.push_back({false, colour, coin});
        }
        else if (value >= 0 && value < kColourCount)
        {
            cells.push_back({false, value, -1});
        }
        else
        {
            return false;
        }
    }
    // A hole at a start cell leaves its side nothing to play from: the game
    // would wait for ever.
    const int mid = grid.GetMid();
    if (cells[grid.Index(mid, 0)].hole || cells[grid.Index(mid, layout.columns - 1)].hole)
        return false;

    m_level = level;
    AdvanceLevel(0);
    for (int i = 0; i < m_grid.GetCellCount(); ++i)
    {
        CCell* cell = m_cells[m_grid.RowOf(i)][m_grid.ColumnOf(i)].get();
        cell->SetHole(cells[i].hole);
        if (!cells[i].hole)
            cell->SetColourShown(cells[i].colour);
        cell->SetCoin(cells[i].coin);
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
    m_level = level;
    m_insects.clear();
    return true;
}

void CField::Draw() const
{
    if (!NGL::IsContextAvailable())
        return;
    const CCell* hovered = GetCell(m_hovered_row, m_hovered_col);
    glEnable(GL_TEXTURE_2D);
    if (CGameResources* resources = GetGameResources())
        if (const CSprite* flower = resources->GetFlowerSprite(0))
            if (CTexture* texture = flower->GetTexture())
                texture->Bind();
    auto forEachCell = [this](auto&& action)
    {
        for (int r = 0; r < m_rows; ++r)
            for (int c = 0; c < RowLength(r); ++c)
                if (const CCell* cell = m_cells[r][c].get())
                    action(*cell);
    };
    // Lying flowers, then raised ones, each pass in one batch of the bound texture.
    for (const bool raised : {false, true})
    {
        forEachCell(
            [&](const CCell& cell)
            {
                if (cell.IsRaised() == raised && &cell != hovered)
                    cell.AddFlower(m_flower_batch);
            });
        m_flower_batch.Flush();
    }
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
    if (!NGL::IsContextAvailable() || !m_background)
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
