#include "GameTestSupport.h"

#include "engine/AppSettings.h"
#include "game/HexGrid.h"

#include <cmath>
#include <set>

using namespace NGame;
using namespace NGameTest;

namespace
{
float Distance(const CVector4& a, const CVector4& b)
{
    return std::hypot(a.x - b.x, a.y - b.y);
}

// Installs an in-memory resource manager holding level masks.
class CMaskFiles
{
  public:
    CMaskFiles() { SetResourceManager(&m_manager); }
    ~CMaskFiles() { SetResourceManager(nullptr); }
    void Add(const std::string& name, std::vector<uint8_t> bytes)
    {
        m_manager.AddMemoryEntry(name, std::move(bytes), false);
    }

  private:
    CResourceManager m_manager;
};

std::vector<uint8_t> FullMask(uint8_t value)
{
    return std::vector<uint8_t>(CField::kMaskSize, value);
}

void PutMaskByte(std::vector<uint8_t>& mask, const CVector4& centre, uint8_t value)
{
    mask[static_cast<size_t>(centre.x) + 800 * static_cast<size_t>(centre.y)] = value;
}
} // namespace

TEST(FieldLayout, ColumnsFollowTheLevelNumberAndRepeatEveryHundred)
{
    EXPECT_EQ(SLevelLayout::ForLevel(0).columns, 21);
    EXPECT_EQ(SLevelLayout::ForLevel(6).columns, 18);
    EXPECT_EQ(SLevelLayout::ForLevel(12).columns, 30);
    EXPECT_EQ(SLevelLayout::ForLevel(18).columns, 23);
    EXPECT_EQ(SLevelLayout::ForLevel(89).columns, 43);
    EXPECT_EQ(SLevelLayout::ForLevel(100).columns, 21);
    EXPECT_EQ(SLevelLayout::ForLevel(100).rows, SLevelLayout::ForLevel(0).rows);
    // Negative numbers (a damaged save) still give a board.
    EXPECT_GE(SLevelLayout::ForLevel(-7).columns, 18);
    int smallest = 1000, largest = 0;
    for (int level = 0; level < 100; ++level)
    {
        const SLevelLayout layout = SLevelLayout::ForLevel(level);
        EXPECT_EQ(layout.rows % 2, 1) << level;
        EXPECT_LE(layout.rows * layout.rowHeight, 532.5f) << level;
        smallest = std::min(smallest, layout.columns);
        largest = std::max(largest, layout.columns);
    }
    EXPECT_EQ(smallest, 18);
    EXPECT_EQ(largest, 43);
}

TEST(FieldLayout, MiddleRowIsLongestAndRowsShrinkByDistance)
{
    CTestResources resources;
    for (int level : {0, 6, 12, 89})
    {
        auto field = IdleField(level);
        const int mid = field->GetMid();
        EXPECT_EQ(mid, field->GetRows() / 2);
        EXPECT_EQ(field->RowLength(mid), field->GetColumns());
        int cells = 0;
        for (int r = 0; r < field->GetRows(); ++r)
        {
            EXPECT_EQ(field->RowLength(r), field->GetColumns() - std::abs(mid - r));
            EXPECT_TRUE(field->IsInside(r, field->RowLength(r) - 1));
            EXPECT_FALSE(field->IsInside(r, field->RowLength(r)));
            EXPECT_FALSE(field->IsInside(r, -1));
            cells += field->RowLength(r);
        }
        EXPECT_EQ(field->CountPlayableCells(), cells) << "no mask: every cell playable";
        EXPECT_FALSE(field->IsInside(-1, 0));
        EXPECT_FALSE(field->IsInside(field->GetRows(), 0));
        EXPECT_EQ(field->ColourAt(-1, 0), CField::kOutside);
    }
}

TEST(FieldLayout, NeighboursDependOnTheRowsHalfAndTouchOnScreen)
{
    CTestResources resources;
    for (int level : {6, 12, 89})
    {
        auto field = IdleField(level);
        const CHexGrid& grid = field->GetGrid();
        const int mid = field->GetMid();
        for (int r = 0; r < field->GetRows(); ++r)
        {
            for (int c = 0; c < field->RowLength(r); ++c)
            {
                std::set<std::pair<int, int>> got;
                for (int n : grid.Neighbours(grid.Index(r, c)))
                    if (n != CHexGrid::kNoCell)
                        got.insert({grid.RowOf(n), grid.ColumnOf(n)});
                std::set<std::pair<int, int>> expected;
                const int up = r < mid ? c - 1 : (r == mid ? c - 1 : c + 1);
                const int down = r < mid ? c + 1 : c - 1;
                for (auto [nr, nc] :
                     {std::pair{r - 1, c}, {r + 1, c}, {r, c - 1}, {r, c + 1}, {r - 1, up}, {r + 1, down}})
                    if (field->IsInside(nr, nc))
                        expected.insert({nr, nc});
                ASSERT_EQ(got, expected) << r << "," << c;
                // On screen every neighbour is one cell width away.
                for (auto [nr, nc] : got)
                    EXPECT_NEAR(Distance(field->CellCentre(r, c), field->CellCentre(nr, nc)),
                                field->GetCellWidth(), field->GetCellWidth() * 0.08f);
            }
        }
    }
}

TEST(FieldLayout, ScreenPositionsMapBackToTheirCell)
{
    CTestResources resources;
    for (int level : {0, 6, 12, 89})
    {
        auto field = IdleField(level);
        for (int r = 0; r < field->GetRows(); ++r)
            for (int c = 0; c < field->RowLength(r); ++c)
            {
                const CVector4 centre = field->CellCentre(r, c);
                ASSERT_EQ(field->RowAt(centre.y), r);
                ASSERT_EQ(field->ColumnAt(centre.x, centre.y), c) << r;
            }
        EXPECT_FALSE(field->IsInside(field->RowAt(5.0f), field->ColumnAt(790.0f, 5.0f)));
        // Far outside the screen still gives a position outside the field, not a crash.
        EXPECT_FALSE(field->IsInside(field->RowAt(-1.0e20f), field->ColumnAt(1.0e20f, -1.0e20f)));
    }
}

TEST(FieldBuild, StartColoursDifferAndTheFirstInsectLandsAtItsFixedCell)
{
    CTestResources resources;
    int elsewhere = 0;
    for (uint32_t seed = 1; seed < 40; ++seed)
    {
        NRandom::Seed(seed);
        CField field("test/no-levels", 1, 0);
        const int mid = field.GetMid(), last = field.GetColumns() - 1;
        const int computer = field.ColourAt(mid, last);
        for (auto [r, c] : {std::pair{mid, 0}, {mid, 1}, {mid - 1, 0}, {mid + 1, 0}})
            EXPECT_NE(field.ColourAt(r, c), computer);
        ASSERT_GE(field.GetInsects().size(), 3u);
        const CVector4 first = field.GetInsects()[0]->GetTarget();
        const CVector4 expected = field.CellCentre(field.GetRows() / 3, 4);
        EXPECT_FLOAT_EQ(first.x, expected.x);
        EXPECT_FLOAT_EQ(first.y, expected.y);
        EXPECT_EQ(field.GetState(), CField::kAppearing);
        // Only the field's first level forces that place.
        field.GoToLevel(1);
        EXPECT_EQ(field.GetState(), CField::kAppearing);
        ASSERT_FALSE(field.GetInsects().empty());
        const CVector4 next = field.GetInsects()[0]->GetTarget();
        const CVector4 fixed = field.CellCentre(field.GetRows() / 3, 4);
        elsewhere += next.x != fixed.x || next.y != fixed.y;
    }
    // A random place hits that one cell now and then, not every time.
    EXPECT_GE(elsewhere, 35);
}

TEST(FieldBuild, AnInsectThatFindsNoPlaceLosesItsCoin)
{
    CTestResources resources;
    CMaskFiles files;
    NRandom::Seed(1);
    CField probe("holes", 1, 0);
    // Nothing but holes where insects look for a place; the corner cell (0, 0)
    // lies above that area and is playable.
    std::vector<uint8_t> mask = FullMask(0);
    PutMaskByte(mask, probe.CellCentre(0, 0), 1);
    files.Add("holes/lev000.raw", mask);
    NRandom::Seed(2);
    CField field("holes", 1, 0);
    ASSERT_GE(field.ColourAt(0, 0), 0);
    field.DeleteInsects();
    for (int i = 0; i < 20; ++i)
        field.PlaceInsect(4, 0); // gives up at the first hole
    RunUntilIdle(field);
    ASSERT_TRUE(field.IsIdle());
    EXPECT_EQ(field.GetCellCoin(0, 0), -1) << "a lost coin must not land on the corner cell";
}

TEST(FieldBuild, InsectsBringCoinsThenTheFieldGoesIdleAndRecordsItsText)
{
    CTestResources resources;
    NRandom::Seed(7);
    CField field("test/no-levels", 1, 0);
    const size_t insects = field.GetInsects().size();
    EXPECT_TRUE(field.GetFieldState().empty());
    const int frames = RunUntilIdle(field);
    EXPECT_LT(frames, 2000);
    EXPECT_TRUE(field.IsIdle());
    EXPECT_TRUE(field.GetInsects().empty());
    int coins = 0;
    for (int r = 0; r < field.GetRows(); ++r)
        for (int c = 0; c < field.RowLength(r); ++c)
            coins += field.GetCellCoin(r, c) >= 0;
    EXPECT_GE(coins, 1);
    EXPECT_LE(static_cast<size_t>(coins), insects);
    EXPECT_EQ(field.GetFieldState(), field.FormatFieldState());
}

TEST(FieldBuild, PressDuringAppearingDropsEveryCoinAtOnce)
{
    CTestResources resources;
    NRandom::Seed(3);
    CField field("test/no-levels", 1, 0);
    std::vector<std::pair<int, int>> targets;
    for (const auto& insect : field.GetInsects())
        targets.push_back({field.RowAt(insect->GetTarget().y),
                           field.ColumnAt(insect->GetTarget().x, insect->GetTarget().y)});
    field.DropAllCoins();
    EXPECT_TRUE(field.GetInsects().empty());
    for (auto [r, c] : targets)
    {
        if (field.IsInside(r, c))
        {
            EXPECT_GE(field.GetCellCoin(r, c), 0);
        }
    }
    RunUntilIdle(field);
    EXPECT_TRUE(field.IsIdle());
}

TEST(FieldMask, ZeroBytesMakeHolesAndStartCellsStayPlayable)
{
    CTestResources resources;
    CMaskFiles files;
    NRandom::Seed(1);
    CField probe("lv", 1, 0);
    probe.GoToLevel(6);
    std::vector<uint8_t> mask = FullMask(1);
    PutMaskByte(mask, probe.CellCentre(2, 3), 0);
    PutMaskByte(mask, probe.CellCentre(probe.GetMid(), 0), 0);
    PutMaskByte(mask, probe.CellCentre(probe.GetMid(), probe.GetColumns() - 1), 0);
    // Level 6 with 4 level files reads lev002.
    files.Add("lv/lev002.raw", mask);
    CField field("lv", 4, 0);
    field.GoToLevel(6);
    EXPECT_EQ(field.ColourAt(2, 3), CField::kHole);
    EXPECT_GE(field.ColourAt(field.GetMid(), 0), 0);
    EXPECT_GE(field.ColourAt(field.GetMid(), field.GetColumns() - 1), 0);
    int cells = 0;
    for (int r = 0; r < field.GetRows(); ++r)
        cells += field.RowLength(r);
    EXPECT_EQ(field.CountPlayableCells(), cells - 1);
    EXPECT_EQ(field.ZoneSize(2, 3), 0);
    // Level 106 is laid out and masked like level 6.
    field.GoToLevel(106);
    EXPECT_EQ(field.ColourAt(2, 3), CField::kHole);
}

TEST(FieldMask, MissingOrShortMaskAndZeroLevelCountLeaveEveryCellPlayable)
{
    CTestResources resources;
    CMaskFiles files;
    files.Add("short/lev000.raw", std::vector<uint8_t>(1000, 0));
    files.Add("zero/lev000.raw", FullMask(0));
    for (const char* dir : {"short", "missing"})
    {
        CField field(dir, 1, 0);
        int cells = 0;
        for (int r = 0; r < field.GetRows(); ++r)
            cells += field.RowLength(r);
        EXPECT_EQ(field.CountPlayableCells(), cells) << dir;
    }
    // A level count of 0 reads level file 0 instead of dividing by zero.
    CField zero("zero", 0, 0);
    EXPECT_EQ(zero.GetLevelCount(), 1);
    EXPECT_EQ(zero.CountPlayableCells(), 2) << "all holes but the two start cells";
    // Insects of an all-hole level give up looking for a place.
    RunUntilIdle(zero);
    EXPECT_TRUE(zero.IsIdle());
}

TEST(FieldMove, ZoneAbsorbsNeighboursOfTheNewColourAndTheWaveStartsAtTheStart)
{
    CTestResources resources;
    auto field = IdleField(6);
    CField& f = *field;
    const int mid = f.GetMid();
    PaintAll(f, 5);
    f.RegisterStart(mid, 0);
    f.RegisterStart(mid, f.GetColumns() - 1);
    Set(f, mid, 0, 1);
    Set(f, mid, 1, 2);
    Set(f, mid, 2, 2);
    Set(f, mid - 1, 0, 3);
    ASSERT_TRUE(f.Fill(mid, 0, 2));
    EXPECT_EQ(f.ZoneSize(mid, 0), 3);
    EXPECT_EQ(f.GetState(), CField::kRepainting);
    EXPECT_TRUE(f.GetCell(mid, 0)->IsChanged());
    EXPECT_TRUE(f.GetCell(mid, 2)->IsChanged()) << "absorbed cells flip too";
    EXPECT_FALSE(f.GetCell(mid - 1, 0)->IsChanged());
    EXPECT_FLOAT_EQ(f.GetCell(mid, 0)->GetDelay(), 0.0f);
    EXPECT_FLOAT_EQ(f.GetCell(mid, 2)->GetDelay(), std::floor(2 * f.GetCellWidth()) * 3.0f);
}

TEST(FieldMove, RefusedMovesChangeNothing)
{
    CTestResources resources;
    auto field = IdleField(6);
    const int mid = field->GetMid();
    const std::string before = field->FormatFieldState();
    const int own = field->ColourAt(mid, 0);
    EXPECT_FALSE(field->Fill(mid, 0, own));
    EXPECT_FALSE(field->Fill(mid, 0, -1));
    EXPECT_FALSE(field->Fill(mid, 0, 6));
    EXPECT_FALSE(field->Fill(-1, 0, (own + 1) % 6));
    EXPECT_FALSE(field->Fill(mid, field->GetColumns(), (own + 1) % 6));
    MakeHole(*field, 0, 0);
    EXPECT_FALSE(field->Fill(0, 0, 2));
    field->SetCellHole(0, 0, false);
    EXPECT_EQ(field->FormatFieldState(), before);
    EXPECT_TRUE(field->IsIdle());
}

TEST(FieldMove, AllowedColoursExcludeEveryStartCellsColour)
{
    CTestResources resources;
    auto field = IdleField(6);
    const int mid = field->GetMid(), last = field->GetColumns() - 1;
    for (int colour = 0; colour < 6; ++colour)
        EXPECT_TRUE(field->IsColourAllowed(colour)) << "no sides registered";
    field->RegisterStart(mid, 0);
    field->RegisterStart(mid, last);
    Set(*field, mid, 0, 1);
    Set(*field, mid, last, 4);
    EXPECT_FALSE(field->IsColourAllowed(1));
    EXPECT_FALSE(field->IsColourAllowed(4));
    EXPECT_TRUE(field->IsColourAllowed(0));
    EXPECT_FALSE(field->IsColourAllowed(-1));
    EXPECT_FALSE(field->IsColourAllowed(6));
    field->UnregisterStart(mid, last);
    EXPECT_TRUE(field->IsColourAllowed(4));
}

TEST(FieldMove, MoverWhoseZoneTakesInAnEarlierSidesStartStillCaptures)
{
    CTestResources resources;
    auto field = IdleField(6);
    const int mid = field->GetMid(), last = field->GetColumns() - 1;
    // The other side registered first, and the mover's zone already reaches its start
    // (the moving game lets the player take the computer's colour).
    field->RegisterStart(mid, last);
    field->RegisterStart(mid, 0);
    PaintAll(*field, 2);
    Set(*field, 0, 0, 4); // walled off by the joined zone and the edge
    ASSERT_TRUE(field->Fill(mid, 0, 3));
    EXPECT_EQ(field->ColourAt(0, 0), 3);
    RunUntilIdle(*field);
    EXPECT_TRUE(field->IsFull());
}

// The opponent's colour varies: no colour may be special to the capture.
class FieldCapture : public ::testing::TestWithParam<int>
{
  protected:
    void SetUp() override
    {
        m_field = IdleField(6);
        m_opponent = GetParam();
        m_mid = m_field->GetMid();
        m_last = m_field->GetColumns() - 1;
        m_field->RegisterStart(m_mid, 0);
        m_field->RegisterStart(m_mid, m_last);
        PaintAll(*m_field, m_opponent);
        Set(*m_field, m_mid, 0, kPlayer);
    }

    // A pocket in the top-left corner walled off by cells of the new colour,
    // joined to the player's start along column 0.
    void BuildPocket()
    {
        const CHexGrid& grid = m_field->GetGrid();
        m_pocket = {{0, 0}, {0, 1}, {1, 0}, {1, 1}};
        std::set<std::pair<int, int>> pocket(m_pocket.begin(), m_pocket.end());
        Set(*m_field, 0, 0, 2);
        Set(*m_field, 0, 1, 5);
        Set(*m_field, 1, 0, 2);
        Set(*m_field, 1, 1, 0);
        for (auto [r, c] : m_pocket)
            for (int n : grid.Neighbours(grid.Index(r, c)))
                if (n != CHexGrid::kNoCell && !pocket.count({grid.RowOf(n), grid.ColumnOf(n)}))
                {
                    Set(*m_field, grid.RowOf(n), grid.ColumnOf(n), kNew);
                    m_wall.push_back({grid.RowOf(n), grid.ColumnOf(n)});
                }
        for (int r = 2; r < m_mid; ++r)
            Set(*m_field, r, 0, kNew);
    }

    static constexpr int kPlayer = 1;
    static constexpr int kNew = 4;
    int m_opponent = 5;
    std::unique_ptr<CField> m_field;
    int m_mid = 0, m_last = 0;
    std::vector<std::pair<int, int>> m_pocket, m_wall;
};

TEST_P(FieldCapture, RegionWalledByTheZoneAndTheEdgeIsCapturedWhateverItsColours)
{
    BuildPocket();
    m_field->SetCellCoin(0, 1, 3);
    ASSERT_TRUE(m_field->Fill(m_mid, 0, kNew));
    for (auto [r, c] : m_pocket)
    {
        EXPECT_EQ(m_field->ColourAt(r, c), kNew) << r << "," << c;
        EXPECT_TRUE(m_field->GetCell(r, c)->IsChanged());
    }
    EXPECT_EQ(m_field->GetCellCoin(0, 1), -1);
    ASSERT_EQ(m_field->GetCollectedCoins().size(), 1u);
    EXPECT_EQ(m_field->GetCollectedCoins()[0].kind, 3);
    EXPECT_EQ(m_field->ColourAt(m_mid, m_last), m_opponent);
}

TEST_P(FieldCapture, HolesWallARegionOffLikeTheZoneDoes)
{
    BuildPocket();
    // Replace the far part of the wall by holes: still enclosed.
    MakeHole(*m_field, 0, 2);
    MakeHole(*m_field, 1, 2);
    ASSERT_TRUE(m_field->Fill(m_mid, 0, kNew));
    for (auto [r, c] : m_pocket)
        EXPECT_EQ(m_field->ColourAt(r, c), kNew);
}

TEST_P(FieldCapture, RegionTouchingTheOpponentStaysFree)
{
    BuildPocket();
    // Open the wall: the gap joins the opponent's zone, so the pocket touches it.
    const auto gap = m_wall.back();
    Set(*m_field, gap.first, gap.second, m_opponent);
    ASSERT_TRUE(m_field->Fill(m_mid, 0, kNew));
    EXPECT_EQ(m_field->ColourAt(0, 0), 2);
    EXPECT_EQ(m_field->ColourAt(0, 1), 5);
    EXPECT_FALSE(m_field->GetCell(0, 0)->IsChanged());
}

TEST_P(FieldCapture, EnclosedOpponentZoneAndItsOwnFreeCellsStay)
{
    PaintAll(*m_field, kNew);
    Set(*m_field, m_mid, 0, kPlayer);
    Set(*m_field, m_mid, m_last, m_opponent);
    Set(*m_field, m_mid, m_last - 1, 2); // only the opponent can reach it besides the zone
    Set(*m_field, 0, 5, 3);              // enclosed by the zone alone
    ASSERT_TRUE(m_field->Fill(m_mid, 0, kNew));
    EXPECT_EQ(m_field->ColourAt(m_mid, m_last), m_opponent);
    EXPECT_EQ(m_field->ColourAt(m_mid, m_last - 1), 2);
    EXPECT_EQ(m_field->ColourAt(0, 5), kNew);
    RunUntilIdle(*m_field);
    EXPECT_FALSE(m_field->IsFull());
}

TEST_P(FieldCapture, FullFlagIsSetOnlyAfterTheLastFlipEnds)
{
    PaintAll(*m_field, kNew);
    Set(*m_field, m_mid, 0, kPlayer);
    Set(*m_field, m_mid, m_last, m_opponent);
    ASSERT_TRUE(m_field->Fill(m_mid, 0, kNew));
    int frames = 0;
    while (!m_field->IsIdle() && frames < 10000)
    {
        EXPECT_FALSE(m_field->IsFull());
        m_field->Update(kDt);
        ++frames;
    }
    // The farthest cell waits for the wave (3 ms per pixel) before its flip.
    EXPECT_GT(frames * kDt, 600.0f * 3.0f);
    EXPECT_TRUE(m_field->IsIdle());
    EXPECT_TRUE(m_field->IsFull());
    for (int r = 0; r < m_field->GetRows(); ++r)
        for (int c = 0; c < m_field->RowLength(r); ++c)
            ASSERT_FALSE(m_field->GetCell(r, c)->IsChanged());
}

TEST_P(FieldCapture, RecheckCapturesForAZoneThatDidNotMove)
{
    BuildPocket();
    // The wall already has the player's colour: nothing moved, yet the pocket is enclosed.
    Set(*m_field, m_mid, 0, kNew);
    m_field->SetCellCoin(m_mid - 1, 0, 2); // on the zone itself
    m_field->RecheckEnclosures(m_mid, 0);
    EXPECT_EQ(m_field->GetState(), CField::kRepainting);
    for (auto [r, c] : m_pocket)
        EXPECT_EQ(m_field->ColourAt(r, c), kNew);
    EXPECT_EQ(m_field->GetCellCoin(m_mid - 1, 0), -1);
    EXPECT_EQ(m_field->GetCollectedCoins().size(), 1u);
    RunUntilIdle(*m_field);
    // Nothing enclosed: the field stays idle.
    m_field->RecheckEnclosures(m_mid, m_last);
    EXPECT_TRUE(m_field->IsIdle());
}

INSTANTIATE_TEST_SUITE_P(OpponentColours, FieldCapture, ::testing::Values(5, 0, 3));

TEST(FieldText, RoundTripKeepsColoursHolesCoinsAndLevel)
{
    CTestResources resources;
    auto field = IdleField(12);
    MakeHole(*field, 0, 2);
    field->SetCellCoin(3, 3, 4);
    field->SetCellCoin(4, 1, 0);
    field->AdvanceLevel(0);
    // AdvanceLevel rebuilt it; lay the marks out again on the new board.
    RunUntilIdle(*field);
    MakeHole(*field, 0, 2);
    field->SetCellCoin(3, 3, 4);
    const std::string text = field->FormatFieldState();
    EXPECT_EQ(text.substr(0, 4), "012 ");
    EXPECT_NE(text.find("50 "), std::string::npos);
    EXPECT_NE(text.find("60 "), std::string::npos);

    NRandom::Seed(99);
    CField other("test/no-levels", 1, 0);
    ASSERT_TRUE(other.LoadFieldState(text));
    EXPECT_EQ(other.GetLevelNumber(), 12);
    EXPECT_TRUE(other.GetInsects().empty());
    EXPECT_EQ(other.FormatFieldState(), text);
    EXPECT_EQ(other.ColourAt(0, 2), CField::kHole);
    EXPECT_EQ(other.GetCellCoin(3, 3), 4);
    RunUntilIdle(other);
    EXPECT_EQ(other.GetFieldState(), text);
    EXPECT_EQ(other.GetSavedLevelNumber(), 12);
}

TEST(FieldText, DamagedTextIsRejectedWholeAndChangesNothing)
{
    CTestResources resources;
    auto field = IdleField(6);
    const std::string good = field->FormatFieldState();
    NRandom::Seed(5);
    CField target("test/no-levels", 1, 0);
    target.GoToLevel(18);
    RunUntilIdle(target);
    const std::string before = target.FormatFieldState();

    std::string badColour = good;
    badColour.replace(4, 3, "07 ");
    std::string badCoin = good;
    badCoin.replace(4, 3, "60 ");
    badCoin.insert(7, "02 05 ");
    badCoin.erase(badCoin.size() - 9); // keep the length plausible
    std::string farLevel = good;
    farLevel.replace(0, 4, "1000 ");
    std::string negative = good;
    negative.replace(4, 3, "-1 ");
    for (const std::string& text :
         {std::string(), std::string("006"), good.substr(0, good.size() / 2), good.substr(0, good.size() - 3),
          badColour, badCoin, farLevel, negative, std::string("abc ") + good.substr(4)})
    {
        EXPECT_FALSE(target.LoadFieldState(text)) << text.substr(0, 40);
        EXPECT_EQ(target.GetLevelNumber(), 18);
        EXPECT_EQ(target.FormatFieldState(), before);
    }
    EXPECT_TRUE(target.LoadFieldState(good));
    EXPECT_EQ(target.GetLevelNumber(), 6);
}

TEST(FieldText, NumbersOutOfRangeAndHolesAtStartCellsAreRefused)
{
    CTestResources resources;
    auto field = IdleField(6);
    const int mid = field->GetMid(), last = field->GetColumns() - 1;
    const int bottom = field->GetRows() - 1;
    Set(*field, bottom, field->RowLength(bottom) - 1, 2); // the text's last value
    const std::string good = field->FormatFieldState();
    ASSERT_EQ(good.substr(good.size() - 3), "02 ");
    ASSERT_TRUE(field->LoadFieldState(good));

    // 2^32 + 2 wraps to 2 when read into an int without a range check.
    std::string wrapped = good;
    wrapped.replace(wrapped.size() - 3, 3, "4294967298 ");
    EXPECT_FALSE(field->LoadFieldState(wrapped));
    std::string hugeLevel = good;
    hugeLevel.replace(0, 3, "99999999999999999999");
    EXPECT_FALSE(field->LoadFieldState(hugeLevel));

    // A start cell that is a hole leaves its side nothing to play from.
    for (int col : {0, last})
    {
        auto holed = IdleField(6);
        MakeHole(*holed, mid, col);
        const std::string text = holed->FormatFieldState();
        EXPECT_FALSE(field->LoadFieldState(text)) << "column " << col;
        EXPECT_EQ(field->FormatFieldState(), good);
    }
}

TEST(FieldLevels, AdvanceMovesByTheStepAndLeavesTheBestLevelRecordToTheGame)
{
    CTestResources resources;
    CAppSettings& settings = GetAppSettings();
    const int classic = settings.m_classic_level, advanced = settings.m_adv_level;
    settings.m_classic_level = 3;
    settings.m_adv_level = 3;
    CField classicField("test/no-levels", 1, 0);
    classicField.GoToLevel(10);
    classicField.AdvanceLevel(1);
    EXPECT_EQ(classicField.GetLevelNumber(), 11);
    CField duel("test/no-levels", 1, 1);
    duel.GoToLevel(40);
    duel.AdvanceLevel(0);
    EXPECT_EQ(duel.GetLevelNumber(), 40);
    EXPECT_TRUE(duel.LoadFieldState(classicField.FormatFieldState()));
    EXPECT_EQ(settings.m_classic_level, 3) << "the field writes no settings";
    EXPECT_EQ(settings.m_adv_level, 3);
    settings.m_classic_level = classic;
    settings.m_adv_level = advanced;
}

TEST(FieldLevels, VanishingEndsWithEveryCellGone)
{
    CTestResources resources;
    auto field = IdleField(6);
    field->VanishLevel();
    EXPECT_EQ(field->GetState(), CField::kVanishing);
    int frames = 0;
    while (field->GetState() != CField::kGone && frames < 1000)
    {
        field->Update(kDt);
        ++frames;
    }
    EXPECT_EQ(field->GetState(), CField::kGone);
    EXPECT_EQ(field->GetCell(0, 0)->GetState(), CCell::kGone);
}

TEST(FieldShift, ColumnsSlideLeftOverStillHolesAndTheRefillUsesTheLevelsMask)
{
    CTestResources resources;
    CMaskFiles files;
    NRandom::Seed(1);
    CField probe("mv", 1, 0);
    probe.GoToLevel(6);
    const int last = probe.GetColumns() - 1, mid = probe.GetMid();
    std::vector<uint8_t> mask = FullMask(1);
    PutMaskByte(mask, probe.CellCentre(mid - 1, probe.RowLength(mid - 1) - 1), 0); // hole in the last column
    PutMaskByte(mask, probe.CellCentre(mid, 3), 0);
    // Start cells stay playable after a refill too, whatever the mask says.
    PutMaskByte(mask, probe.CellCentre(mid, last), 0);
    // The field's own level count picks the file: level 6 of 2 files is lev000.
    files.Add("mv/lev000.raw", mask);

    CField field("mv", 2, 0);
    field.GoToLevel(6);
    field.DeleteInsects();
    RunUntilIdle(field);
    ASSERT_EQ(field.ColourAt(mid, 3), CField::kHole);
    CCell* second = field.GetCell(mid, 1);
    CCell* fourth = field.GetCell(mid, 4);
    const int fourthColour = fourth->GetColour();
    field.StartShift(1);
    EXPECT_EQ(field.GetState(), CField::kShifting);
    int frames = 0;
    while (!field.IsIdle() && frames < 2000)
    {
        field.Update(kDt);
        ++frames;
    }
    ASSERT_TRUE(field.IsIdle());
    EXPECT_EQ(field.GetCell(mid, 0), second);
    EXPECT_EQ(field.GetCell(mid, 3), fourth);
    EXPECT_EQ(field.ColourAt(mid, 3), CField::kHole) << "holes stay where they are";
    EXPECT_TRUE(fourth->IsHole());
    EXPECT_EQ(fourth->GetColour(), fourthColour);
    EXPECT_NE(field.ColourAt(mid, 2), CField::kHole);
    EXPECT_FLOAT_EQ(field.GetCell(mid, 0)->GetPosition().x, field.CellCentre(mid, 0).x);
    // The refilled last column takes the level's holes (a 0 byte is a hole).
    EXPECT_EQ(field.ColourAt(mid - 1, field.RowLength(mid - 1) - 1), CField::kHole);
    EXPECT_GE(field.ColourAt(mid, last), 0) << "the computer's start cell is never a hole";
    EXPECT_GE(field.ColourAt(mid + 1, field.RowLength(mid + 1) - 1), 0);
}
