#include "GameTestSupport.h"

#include "game/BonusApponentRandomize.h"
#include "game/BonusBackward3.h"
#include "game/BonusForward3.h"
#include "game/BonusFreeRandomize.h"
#include "game/BonusLife.h"
#include "game/BonusSelfRepaint.h"
#include "game/BonusSimpleRepaint.h"
#include "game/BonusSkipMove.h"
#include "game/BonusZoneRepaint.h"
#include "game/Player.h"

using namespace NGame;
using namespace NGameTest;

namespace
{
class BonusTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        m_field = IdleField(6);
        m_mid = m_field->GetMid();
        m_last = m_field->GetColumns() - 1;
        m_human = std::make_unique<CPlayer>(m_mid, 0, m_field.get());
        m_computer = std::make_unique<CPlayer>(m_mid, m_last, m_field.get());
        PaintAll(*m_field, kPlayer);
        Set(*m_field, m_mid, m_last, kOpponent);
    }

    // Steps bonus and field together; calls onApplied once, in the frame the effect happened.
    template <typename F> int Run(CBonus& bonus, F onApplied)
    {
        bool seen = false;
        int frames = 0;
        while (frames < 5000)
        {
            ++frames;
            const bool finished = bonus.Update(kDt);
            if (bonus.IsApplied() && !seen)
            {
                seen = true;
                onApplied();
            }
            if (finished)
                break;
            m_field->Update(kDt);
        }
        RunUntilIdle(*m_field);
        return frames;
    }
    int Run(CBonus& bonus)
    {
        return Run(bonus, [] {});
    }

    // The zones on their start cells, the middle row between them in two
    // colours that alternate, every other cell in colour 3.
    void FreeMiddleRow()
    {
        PaintAll(*m_field, 3);
        Set(*m_field, m_mid, 0, kPlayer);
        Set(*m_field, m_mid, m_last, kOpponent);
        for (int c = 1; c < m_last; ++c)
            Set(*m_field, m_mid, c, c % 2 == 1 ? 4 : 2);
    }

    static constexpr int kPlayer = 1;
    static constexpr int kOpponent = 5;
    std::unique_ptr<CField> m_field;
    std::unique_ptr<CPlayer> m_human, m_computer;
    int m_mid = 0, m_last = 0;
};
} // namespace

TEST_F(BonusTest, SingleRepaintTakesTheOnlyCandidateAndItsCoinUnpaid)
{
    Set(*m_field, 0, 4, 3);
    m_field->SetCellCoin(0, 4, 4);
    ASSERT_TRUE(CBonusSimpleRepaint::HasCandidate(*m_field));
    CBonusSimpleRepaint bonus(m_field.get());
    EXPECT_EQ(bonus.GetTargetRow(), 0);
    EXPECT_EQ(bonus.GetTargetColumn(), 4);
    int appliedAlready = -1;
    const int frames = Run(bonus, [&] { appliedAlready = m_field->ColourAt(0, 4); });
    EXPECT_EQ(appliedAlready, kPlayer) << "painted in the frame the insect lands";
    EXPECT_LT(frames, 5000);
    EXPECT_EQ(m_field->ColourAt(0, 4), kPlayer);
    EXPECT_EQ(m_field->GetCellCoin(0, 4), -1);
    EXPECT_TRUE(m_field->GetCollectedCoins().empty());
    EXPECT_GE(bonus.GetInsect()->GetPosition().x, 800.0f) << "finished once the insect left";
}

TEST_F(BonusTest, SingleRepaintWhoseTargetWentStaleFliesToTheCellItPaints)
{
    Set(*m_field, 0, 4, 3);
    CBonusSimpleRepaint bonus(m_field.get());
    ASSERT_EQ(bonus.GetTargetRow(), 0);
    // Another bonus takes the target into the player's zone while the insect
    // flies, and leaves a new candidate far from it.
    Set(*m_field, 0, 4, kPlayer);
    const int row = m_field->GetRows() - 1, col = m_field->RowLength(row) - 2;
    Set(*m_field, row, col, 3);
    CVector4 landedAt;
    Run(bonus, [&] { landedAt = bonus.GetInsect()->GetPosition(); });
    EXPECT_EQ(bonus.GetTargetRow(), row);
    EXPECT_EQ(bonus.GetTargetColumn(), col);
    EXPECT_EQ(m_field->ColourAt(row, col), kPlayer);
    const CVector4 cell = m_field->CellCentre(row, col);
    EXPECT_NEAR(landedAt.x, cell.x, 1.0f);
    EXPECT_NEAR(landedAt.y, cell.y, 1.0f);
}

TEST_F(BonusTest, BonusesNeedingACandidateSayBeforehandAndOtherwiseDoNothing)
{
    // Every free cell already has the player's colour: nothing to repaint.
    EXPECT_FALSE(CBonusSimpleRepaint::HasCandidate(*m_field));
    const std::string before = m_field->FormatFieldState();
    CBonusSimpleRepaint single(m_field.get());
    EXPECT_TRUE(single.Update(kDt));
    CBonusZoneRepaint zone(m_field.get());
    EXPECT_TRUE(zone.Update(kDt));
    // The player's zone covers all but the opponent: no free cell at all.
    Set(*m_field, m_mid, 0, kPlayer);
    EXPECT_FALSE(CBonusFreeRandomize::HasCandidate(*m_field));
    CBonusFreeRandomize randomize(m_field.get());
    EXPECT_TRUE(randomize.Update(kDt));
    EXPECT_EQ(m_field->FormatFieldState(), before);
}

TEST_F(BonusTest, ZoneRepaintFloodsTheTargetsRegionIntoThePlayersColour)
{
    Set(*m_field, 0, 4, 3);
    Set(*m_field, 0, 5, 3);
    Set(*m_field, 1, 5, 3);
    CBonusZoneRepaint bonus(m_field.get());
    Run(bonus);
    EXPECT_EQ(m_field->ColourAt(0, 4), kPlayer);
    EXPECT_EQ(m_field->ColourAt(0, 5), kPlayer);
    EXPECT_EQ(m_field->ColourAt(1, 5), kPlayer);
}

TEST_F(BonusTest, FreeRandomizeRecoloursFreeCellsAndCellsJoiningAZoneLoseTheirCoins)
{
    // Colour 0 is a zone colour like any other.
    for (int zone : {kPlayer, 0})
    {
        PaintAll(*m_field, zone);
        Set(*m_field, m_mid, m_last, kOpponent);
        // Free space: the top three rows, each cell with a coin.
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < m_field->RowLength(r); ++c)
            {
                Set(*m_field, r, c, r == 1 ? 2 : 3);
                m_field->SetCellCoin(r, c, 1);
            }
        ASSERT_TRUE(CBonusFreeRandomize::HasCandidate(*m_field));
        CBonusFreeRandomize bonus(m_field.get());
        Run(bonus);
        std::vector<int> snapshot;
        CBonus::TakeSnapshot(m_field->GetBoard(), snapshot);
        CBonus::MarkPlayerZone(m_field->GetBoard(), snapshot, kMarkZone);
        int joined = 0, stillFree = 0, recoloured = 0;
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < m_field->RowLength(r); ++c)
            {
                const bool inZone = snapshot[m_field->GetGrid().Index(r, c)] == -4;
                if (inZone)
                {
                    ++joined;
                    EXPECT_EQ(m_field->GetCellCoin(r, c), -1) << "zone colour " << zone;
                }
                else
                {
                    ++stillFree;
                    EXPECT_EQ(m_field->GetCellCoin(r, c), 1);
                }
                recoloured += m_field->ColourAt(r, c) != (r == 1 ? 2 : 3);
            }
        EXPECT_GT(joined, 0);
        EXPECT_GT(stillFree, 0);
        EXPECT_GT(recoloured, 0);
        EXPECT_EQ(m_field->ColourAt(m_mid, m_last), kOpponent);
    }
}

TEST_F(BonusTest, ForwardPassesOverTheOpponentsCellAndPaintsTheFirstAndThird)
{
    PaintAll(*m_field, kOpponent);
    for (int c = 0; c < 3; ++c)
        Set(*m_field, m_mid, c, kPlayer);
    Set(*m_field, m_mid, 3, 3);
    Set(*m_field, m_mid, 5, 2);
    m_field->SetCellCoin(m_mid, 3, 2);
    ASSERT_TRUE(CBonusForward3::CanMoveForward(m_field.get()));
    CBonusForward3 bonus(m_field.get(), 3);
    EXPECT_EQ(bonus.GetFrontColumn(), 2);
    Run(bonus);
    EXPECT_EQ(m_field->ColourAt(m_mid, 3), kPlayer);
    EXPECT_EQ(m_field->ColourAt(m_mid, 4), kOpponent);
    EXPECT_EQ(m_field->ColourAt(m_mid, 5), kPlayer);
    EXPECT_EQ(m_field->ColourAt(m_mid, 6), kOpponent);
    EXPECT_EQ(m_field->GetCellCoin(m_mid, 3), -1);
}

TEST_F(BonusTest, ForwardOnAFreeMiddleRowPaintsExactlyItsNumberOfCells)
{
    FreeMiddleRow();
    CBonusForward3 three(m_field.get(), 3);
    Run(three);
    for (int c = 1; c <= 3; ++c)
        EXPECT_EQ(m_field->ColourAt(m_mid, c), kPlayer) << c;
    EXPECT_EQ(m_field->ColourAt(m_mid, 4), 2) << "a fourth cell was painted";
    CBonusForward3 one(m_field.get(), 1);
    EXPECT_EQ(one.GetFrontColumn(), 3);
    Run(one);
    EXPECT_EQ(m_field->ColourAt(m_mid, 4), kPlayer);
    EXPECT_EQ(m_field->ColourAt(m_mid, 5), 4);
}

// Another bonus of the same turn can move the front while the insect flies:
// the advance starts from the front as it is on landing, not as it was bought.
TEST_F(BonusTest, ForwardStartsFromTheFrontAsItIsWhenItLands)
{
    ASSERT_GE(m_last, 8);
    FreeMiddleRow();
    CBonusForward3 bonus(m_field.get(), 3);
    ASSERT_EQ(bonus.GetFrontColumn(), 0);
    Set(*m_field, m_mid, 1, kPlayer);
    Set(*m_field, m_mid, 2, kPlayer);
    Run(bonus);
    for (int c = 3; c <= 5; ++c)
        EXPECT_EQ(m_field->ColourAt(m_mid, c), kPlayer) << c;
    EXPECT_EQ(m_field->ColourAt(m_mid, 6), 2) << "three cells beyond the front on landing, no more";
}

TEST_F(BonusTest, ForwardStopsAtAHoleAndCannotStartAgainstOneOrTheOpponent)
{
    PaintAll(*m_field, 3);
    Set(*m_field, m_mid, 0, kPlayer);
    Set(*m_field, m_mid, m_last, kOpponent);
    MakeHole(*m_field, m_mid, 2);
    CBonusForward3 bonus(m_field.get(), 3);
    Run(bonus);
    EXPECT_EQ(m_field->ColourAt(m_mid, 1), kPlayer);
    EXPECT_EQ(m_field->ColourAt(m_mid, 3), 3) << "the advance stopped at the hole";
    EXPECT_FALSE(CBonusForward3::CanMoveForward(m_field.get()));
    m_field->SetCellHole(m_mid, 2, false);
    Set(*m_field, m_mid, 2, kOpponent);
    Set(*m_field, m_mid, 3, kOpponent);
    for (int c = 3; c <= m_last; ++c)
        Set(*m_field, m_mid, c, kOpponent);
    EXPECT_FALSE(CBonusForward3::CanMoveForward(m_field.get()));
    Set(*m_field, m_mid, 2, 4);
    EXPECT_TRUE(CBonusForward3::CanMoveForward(m_field.get()));
}

TEST_F(BonusTest, SelfRepaintGivesTheZoneAnAllowedColour)
{
    PaintAll(*m_field, 3);
    Set(*m_field, m_mid, 0, kPlayer);
    Set(*m_field, m_mid, m_last, kOpponent);
    CBonusSelfRepaint bonus(m_field.get());
    Run(bonus);
    const int colour = m_field->ColourAt(m_mid, 0);
    EXPECT_NE(colour, kPlayer);
    EXPECT_NE(colour, kOpponent);
    if (colour == 3)
        EXPECT_EQ(m_field->ZoneSize(m_mid, 0), m_field->CountPlayableCells() - 1);
    else
        EXPECT_EQ(m_field->ZoneSize(m_mid, 0), 1);
}

TEST_F(BonusTest, SkipMoveDimsTheOpponentsStartOnLanding)
{
    CBonusSkipMove bonus(m_field.get());
    CCell* start = m_field->GetCell(m_mid, m_last);
    EXPECT_TRUE(start->IsLit());
    bool litAtLanding = true;
    Run(bonus, [&] { litAtLanding = start->IsLit(); });
    EXPECT_FALSE(litAtLanding);
    EXPECT_LE(start->GetAlpha(), 0.3f);
}

TEST_F(BonusTest, BackwardPaintsTheOpponentsLeftmostCellsPerRowButNeverItsStart)
{
    PaintAll(*m_field, 3);
    Set(*m_field, m_mid, 0, kPlayer);
    for (int c = m_last - 2; c <= m_last; ++c)
        Set(*m_field, m_mid, c, kOpponent);
    Set(*m_field, m_mid - 1, m_last - 1, kOpponent);
    std::vector<bool> changed;
    CBonusBackward3 bonus(m_field.get(), 4);
    Run(bonus,
        [&]
        {
            for (auto [r, c] : {std::pair{m_mid, m_last - 2},
                                {m_mid, m_last - 1},
                                {m_mid - 1, m_last - 1},
                                {m_mid, m_last}})
                changed.push_back(m_field->GetCell(r, c)->IsChanged());
        });
    EXPECT_EQ(changed, (std::vector<bool>{true, true, true, false}));
    EXPECT_EQ(m_field->ColourAt(m_mid, m_last), kOpponent);

    // Two per row: only the two leftmost of a longer row.
    for (int c = m_last - 4; c <= m_last; ++c)
        Set(*m_field, m_mid, c, kOpponent);
    CBonusBackward3 two(m_field.get(), 2);
    changed.clear();
    Run(two,
        [&]
        {
            for (int c = m_last - 4; c <= m_last; ++c)
                changed.push_back(m_field->GetCell(m_mid, c)->IsChanged());
        });
    EXPECT_EQ(changed, (std::vector<bool>{true, true, false, false, false}));
}

TEST_F(BonusTest, OpponentRandomizeRepaintsTheWholeZoneButTheStartAsAWave)
{
    PaintAll(*m_field, 3);
    Set(*m_field, m_mid, 0, kPlayer);
    for (int c = m_last - 5; c <= m_last; ++c)
        Set(*m_field, m_mid, c, kOpponent);
    std::vector<float> delays;
    bool startChanged = true;
    CBonusApponentRandomize bonus(m_field.get());
    Run(bonus,
        [&]
        {
            for (int c = m_last - 5; c < m_last; ++c)
            {
                EXPECT_TRUE(m_field->GetCell(m_mid, c)->IsChanged());
                delays.push_back(m_field->GetCell(m_mid, c)->GetDelay());
            }
            startChanged = m_field->GetCell(m_mid, m_last)->IsChanged();
        });
    EXPECT_FALSE(startChanged);
    ASSERT_EQ(delays.size(), 5u);
    EXPECT_GT(delays.front(), delays.back()) << "the farthest cell flips last";
}

TEST_F(BonusTest, LifeIsGivenWhenTheInsectLandsNotWhenBought)
{
    CBonusLife bonus(m_field.get(), m_human.get());
    EXPECT_EQ(m_human->GetLives(), 3);
    bonus.Update(kDt);
    EXPECT_EQ(m_human->GetLives(), 3);
    int livesAtLanding = 0;
    Run(bonus, [&] { livesAtLanding = m_human->GetLives(); });
    EXPECT_EQ(livesAtLanding, 4);
    EXPECT_EQ(m_human->GetLives(), 4) << "given exactly once";
    const CVector4 landing = bonus.GetInsect()->GetTarget();
    EXPECT_GE(landing.x, 800.0f);
}

TEST_F(BonusTest, OpponentRandomizeTakesAColourDrawForEveryHoleInTurn)
{
    struct CExposed : CBonusApponentRandomize
    {
        using CBonusApponentRandomize::Apply;
        using CBonusApponentRandomize::CBonusApponentRandomize;
    };
    PaintAll(*m_field, 3);
    Set(*m_field, m_mid, 0, kPlayer);
    for (int c = m_last - 3; c <= m_last; ++c)
        Set(*m_field, m_mid, c, kOpponent);
    MakeHole(*m_field, 0, 2);
    MakeHole(*m_field, m_mid + 1, 4);
    CExposed bonus(m_field.get());
    NRandom::Seed(77);
    bonus.Apply();
    const uint32_t after = NRandom::GetState();
    // Three zone cells besides the start, then the two holes.
    NRandom::Seed(77);
    for (int i = 0; i < 5; ++i)
        NRandom::Rand();
    EXPECT_EQ(after, NRandom::GetState());
    EXPECT_EQ(m_field->ColourAt(0, 2), CField::kHole);
    EXPECT_EQ(m_field->ColourAt(m_mid + 1, 4), CField::kHole);
}
