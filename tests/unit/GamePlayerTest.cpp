#include "GameTestSupport.h"

#include "game/AIPlayer.h"
#include "game/MovingPlayer.h"
#include "game/Player.h"

#include <algorithm>
#include <array>
#include <initializer_list>

using namespace NGame;
using namespace NGameTest;

namespace
{
// A proper three-colouring of the board from the given colours: every
// background region is a single cell.
void PaintBackground(CField& field, const int colours[3])
{
    const int mid = field.GetMid();
    for (int r = 0; r < field.GetRows(); ++r)
        for (int c = 0; c < field.RowLength(r); ++c)
        {
            const int axial = c + std::max(0, mid - r);
            Set(field, r, c, colours[((axial - r) % 3 + 3) % 3]);
        }
}

// Leaves only the listed cells (row, column, colour) playable.
void KeepOnly(CField& field, std::initializer_list<std::array<int, 3>> cells)
{
    for (int r = 0; r < field.GetRows(); ++r)
        for (int c = 0; c < field.RowLength(r); ++c)
            MakeHole(field, r, c);
    for (const auto& [r, c, colour] : cells)
    {
        field.SetCellHole(r, c, false);
        Set(field, r, c, colour);
    }
}

void ClickCell(CPlayer& side, const CField& field, int row, int col)
{
    const CVector4 centre = field.CellCentre(row, col);
    side.OnClick(static_cast<int>(centre.x), static_cast<int>(centre.y));
}

class SidesTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        m_field = IdleField(6);
        m_mid = m_field->GetMid();
        m_last = m_field->GetColumns() - 1;
    }

    CTestResources m_resources;
    std::unique_ptr<CField> m_field;
    int m_mid = 0, m_last = 0;
};
} // namespace

TEST_F(SidesTest, SidesJoinTheRegistryAndRegisterTheirStartsForTheirLifetime)
{
    const size_t before = CPlayer::GetRegistry().size();
    {
        CPlayer human(m_mid, 0, m_field.get());
        CAIPlayer computer(m_mid, m_last, m_field.get(), 3);
        EXPECT_EQ(CPlayer::GetRegistry().size(), before + 2);
        EXPECT_EQ(CPlayer::GetRegistry().back(), &computer);
        EXPECT_EQ(m_field->GetStartPoints(), (std::vector<int>{m_mid, 0, m_mid, m_last}));
        EXPECT_EQ(human.GetMoney(), 25);
        EXPECT_EQ(human.GetLives(), 3);
        EXPECT_EQ(human.GetState(), CPlayer::kWaiting);
        EXPECT_EQ(computer.GetStrength(), 4);
    }
    EXPECT_EQ(CPlayer::GetRegistry().size(), before);
    EXPECT_TRUE(m_field->GetStartPoints().empty());
}

TEST(Sides, DifficultyGivesStrengthAndSpendingNeedsTheMoney)
{
    EXPECT_EQ(CAIPlayer::StrengthForDifficulty(0), 2);
    EXPECT_EQ(CAIPlayer::StrengthForDifficulty(1), 2);
    EXPECT_EQ(CAIPlayer::StrengthForDifficulty(2), 2);
    EXPECT_EQ(CAIPlayer::StrengthForDifficulty(3), 4);
    EXPECT_EQ(CAIPlayer::StrengthForDifficulty(4), 4);
    EXPECT_EQ(CAIPlayer::StrengthForDifficulty(5), 5);
    CPlayer side(0, 0, nullptr);
    EXPECT_FALSE(side.TrySpend(26));
    EXPECT_EQ(side.GetMoney(), 25);
    EXPECT_TRUE(side.TrySpend(25));
    EXPECT_EQ(side.GetMoney(), 0);
    EXPECT_EQ(CPlayer::CoinValue(0) + CPlayer::CoinValue(1) + CPlayer::CoinValue(2) + CPlayer::CoinValue(3) +
                  CPlayer::CoinValue(4),
              141);
}

TEST_F(SidesTest, HumanMovePaysTheCapturedCoinsInTheSameClick)
{
    PaintAll(*m_field, 5);
    Set(*m_field, m_mid, 0, 1);
    Set(*m_field, m_mid, 1, 2);
    Set(*m_field, m_mid, 2, 2);
    m_field->SetCellCoin(m_mid, 1, 3);
    m_field->SetCellCoin(m_mid, 2, 0);
    m_field->SetCellCoin(0, 0, 4); // out of reach: not paid
    CPlayer human(m_mid, 0, m_field.get());
    CAIPlayer computer(m_mid, m_last, m_field.get(), 0);
    human.SetState(CPlayer::kMayMove);
    ClickCell(human, *m_field, 0, 5); // a computer-coloured cell: refused
    EXPECT_FALSE(human.WasClickAccepted());
    EXPECT_EQ(human.GetState(), CPlayer::kMayMove);
    ClickCell(human, *m_field, m_mid, 2);
    EXPECT_TRUE(human.WasClickAccepted());
    EXPECT_EQ(human.GetState(), CPlayer::kMoved);
    EXPECT_EQ(human.GetMoney(), 25 + 26);
    EXPECT_TRUE(m_field->GetCollectedCoins().empty());
    // Further clicks wait for the field and the turn.
    ClickCell(human, *m_field, m_mid, 5);
    EXPECT_EQ(human.GetMoney(), 51);
    human.Update();
    EXPECT_EQ(human.GetState(), CPlayer::kMoved);
    RunUntilIdle(*m_field);
    human.Update();
    EXPECT_EQ(human.GetState(), CPlayer::kWaiting);
}

TEST_F(SidesTest, HumanClicksOnOwnColourHolesOrBesideTheFieldChangeNothing)
{
    CPlayer human(m_mid, 0, m_field.get());
    CAIPlayer computer(m_mid, m_last, m_field.get(), 0);
    human.SetState(CPlayer::kMayMove);
    const std::string before = m_field->FormatFieldState();
    ClickCell(human, *m_field, m_mid, 0);
    EXPECT_FALSE(human.WasClickAccepted());
    ClickCell(human, *m_field, m_mid, m_last);
    EXPECT_FALSE(human.WasClickAccepted());
    MakeHole(*m_field, 0, 3);
    ClickCell(human, *m_field, 0, 3);
    EXPECT_FALSE(human.WasClickAccepted());
    human.OnClick(790, 5);
    EXPECT_TRUE(human.WasClickAccepted()) << "beside the field: silently ignored";
    m_field->SetCellHole(0, 3, false);
    EXPECT_EQ(m_field->FormatFieldState(), before);
    EXPECT_EQ(human.GetState(), CPlayer::kMayMove);
}

TEST_F(SidesTest, HumanWithNothingToPickPassesInsteadOfWaitingForEver)
{
    PaintAll(*m_field, 0);
    Set(*m_field, m_mid, m_last, 5);
    Set(*m_field, 0, 0, 5); // a free cell of the computer's colour, out of its reach
    CPlayer human(m_mid, 0, m_field.get());
    CAIPlayer computer(m_mid, m_last, m_field.get(), 0);
    human.SetState(CPlayer::kMayMove);
    EXPECT_FALSE(human.HasColourToPick());
    human.Update();
    EXPECT_EQ(human.GetState(), CPlayer::kWaiting);
    // The computer's move frees the colour, and the human can take the cell.
    computer.SetState(CPlayer::kMayMove);
    computer.Update();
    EXPECT_EQ(computer.GetState(), CPlayer::kMoved);
    RunUntilIdle(*m_field);
    EXPECT_TRUE(human.HasColourToPick());
}

TEST_F(SidesTest, WeakComputerTakesTheMostCellsTiesToTheLowestColour)
{
    const int background[3] = {0, 3, 4};
    PaintBackground(*m_field, background);
    Set(*m_field, m_mid, m_last, 5);
    // Two cells of 2 along the middle row, two of 1 up the edge, one of 1 below.
    Set(*m_field, m_mid, m_last - 1, 2);
    Set(*m_field, m_mid, m_last - 2, 2);
    Set(*m_field, m_mid - 1, m_last - 1, 1);
    Set(*m_field, m_mid - 2, m_last - 2, 1);
    Set(*m_field, m_mid + 1, m_last - 1, 3);
    CPlayer human(m_mid, 0, m_field.get());
    for (int difficulty : {0, 1, 2})
    {
        CAIPlayer computer(m_mid, m_last, m_field.get(), difficulty);
        const auto [colour, score] = computer.SearchBestColour();
        EXPECT_EQ(colour, 1) << difficulty;
        EXPECT_EQ(score, 3);
    }
    // One more cell of 2 makes it the larger move.
    Set(*m_field, m_mid, m_last - 3, 2);
    CAIPlayer computer(m_mid, m_last, m_field.get(), 0);
    EXPECT_EQ(computer.ChooseColour(), 2);
    // The human's colour is never chosen, however much it would take.
    Set(*m_field, m_mid + 1, m_last - 1, human.GetZoneColour());
    Set(*m_field, m_mid + 1, m_last - 2, human.GetZoneColour());
    Set(*m_field, m_mid + 1, m_last - 3, human.GetZoneColour());
    EXPECT_NE(computer.ChooseColour(), human.GetZoneColour());
}

TEST_F(SidesTest, StrongComputerPushesAlongTheMiddleRowTowardsTheHuman)
{
    const int background[3] = {0, 3, 4};
    PaintBackground(*m_field, background);
    Set(*m_field, m_mid, m_last, 5);
    // Six cells of 1 up the right edge, four of 2 along the middle row.
    for (int k = 1; k <= 6; ++k)
        Set(*m_field, m_mid - k, m_last - k, 1);
    for (int k = 1; k <= 4; ++k)
        Set(*m_field, m_mid, m_last - k, 2);
    CPlayer human(m_mid, 0, m_field.get());
    CAIPlayer weak(m_mid, m_last, m_field.get(), 0);
    EXPECT_EQ(weak.ChooseColour(), 1);
    CAIPlayer strong(m_mid, m_last, m_field.get(), 5);
    EXPECT_LT(strong.ZoneRatio(), 0.1f);
    strong.SearchBestColour();
    EXPECT_EQ(strong.SearchDepth(), 3);
    EXPECT_EQ(strong.ChooseColour(), 2);
    // Strength 4 early in a level looks two moves ahead and values far cells.
    CAIPlayer middle(m_mid, m_last, m_field.get(), 3);
    middle.SearchBestColour();
    EXPECT_EQ(middle.SearchDepth(), 2);
    EXPECT_EQ(middle.ChooseColour(), 1) << "the edge chain reaches farther from the start";
}

TEST_F(SidesTest, DepthFollowsTheShareOfTheBoardAlreadyInZones)
{
    PaintAll(*m_field, 3);
    Set(*m_field, m_mid, 0, 0);
    Set(*m_field, m_mid, m_last, 5);
    CPlayer human(m_mid, 0, m_field.get());
    CAIPlayer strong(m_mid, m_last, m_field.get(), 5);
    CAIPlayer middle(m_mid, m_last, m_field.get(), 4);
    // Human zone = everything but the computer's cell: ratio 1.
    Set(*m_field, m_mid, 0, 3);
    strong.SearchBestColour();
    middle.SearchBestColour();
    EXPECT_GE(strong.ZoneRatio(), 0.7f);
    EXPECT_EQ(strong.SearchDepth(), 1);
    EXPECT_EQ(middle.SearchDepth(), 1);
    // Half the board: strength 5 looks two moves ahead.
    int cells = 0;
    for (int r = 0; r < m_field->GetRows(); ++r)
        for (int c = 0; c < m_field->RowLength(r); ++c)
            if (r < m_mid - 1 && cells++ < m_field->CountPlayableCells() * 4 / 10)
                Set(*m_field, r, c, 1);
    strong.SearchBestColour();
    EXPECT_GE(strong.ZoneRatio(), 0.4f);
    EXPECT_LT(strong.ZoneRatio(), 0.7f);
    EXPECT_EQ(strong.SearchDepth(), 2);
}

TEST_F(SidesTest, LookAheadTakesTheColourThatOpensTheMostForTheNextMove)
{
    // Colour 1 gives two cells now; colour 2 one cell, but behind it a chain
    // of 3 that the next move takes, farther out.
    const int m = m_mid, l = m_last;
    KeepOnly(*m_field, {{m, 0, 0},
                        {m, l, 5},
                        {m - 1, l - 1, 1},
                        {m + 1, l - 1, 1},
                        {m, l - 1, 2},
                        {m, l - 2, 3},
                        {m, l - 3, 3},
                        {m, l - 4, 3}});
    CPlayer human(m, 0, m_field.get());
    {
        CAIPlayer weak(m, l, m_field.get(), 0);
        EXPECT_EQ(weak.ChooseColour(), 1);
    }
    CAIPlayer middle(m, l, m_field.get(), 3);
    EXPECT_EQ(middle.ChooseColour(), 2);
    EXPECT_LT(middle.ZoneRatio(), 0.4f);
    EXPECT_EQ(middle.SearchDepth(), 2);
}

TEST_F(SidesTest, ExactlyFourTenthsOfTheBoardInZonesEndsTheMiddleComputersLookAhead)
{
    // As above with a chain of 4, and a human zone of 5 plus two free cells
    // elsewhere: 6 of 15 cells in zones.
    const int m = m_mid, l = m_last;
    KeepOnly(*m_field, {{m, 0, 0},
                        {m, 1, 0},
                        {m, 2, 0},
                        {m - 1, 0, 0},
                        {m + 1, 0, 0},
                        {0, 0, 4},
                        {0, 2, 4},
                        {m, l, 5},
                        {m - 1, l - 1, 1},
                        {m + 1, l - 1, 1},
                        {m, l - 1, 2},
                        {m, l - 2, 3},
                        {m, l - 3, 3},
                        {m, l - 4, 3},
                        {m, l - 5, 3}});
    CPlayer human(m, 0, m_field.get());
    {
        // One move ahead, every cell counting 1: the two cells of colour 1.
        // Looking two ahead would take colour 2 and the chain behind it.
        CAIPlayer middle(m, l, m_field.get(), 3);
        EXPECT_EQ(middle.ChooseColour(), 1);
        EXPECT_EQ(middle.ZoneRatio(), 0.4f);
        EXPECT_EQ(middle.SearchDepth(), 1);
    }
    CAIPlayer strong(m, l, m_field.get(), 5);
    strong.SearchBestColour();
    EXPECT_EQ(strong.SearchDepth(), 2);
}

TEST_F(SidesTest, StrongComputerValuesCellsByTheCubeOfTheirWayTowardsTheHuman)
{
    // Colour 2: four cells along the middle row (h = 2, 4, 6, 8); colour 1:
    // seven up the right edge (h = 1 to 7). Cubed the middle row weighs more
    // (800 to 784), squared the edge would (140 to 120).
    const int m = m_mid, l = m_last;
    KeepOnly(*m_field, {{m, 0, 0}, {m, l, 5}});
    for (int k = 1; k <= 4; ++k)
    {
        m_field->SetCellHole(m, l - k, false);
        Set(*m_field, m, l - k, 2);
    }
    for (int k = 1; k <= 7; ++k)
    {
        m_field->SetCellHole(m - k, l - k, false);
        Set(*m_field, m - k, l - k, 1);
    }
    CPlayer human(m, 0, m_field.get());
    {
        CAIPlayer strong(m, l, m_field.get(), 5);
        EXPECT_EQ(strong.ChooseColour(), 2);
        EXPECT_GE(strong.ZoneRatio(), 0.1f);
        EXPECT_LT(strong.ZoneRatio(), 0.4f);
        EXPECT_EQ(strong.SearchDepth(), 3);
    }
    CAIPlayer weak(m, l, m_field.get(), 0);
    EXPECT_EQ(weak.ChooseColour(), 1) << "counting cells, the edge is longer";
}

TEST_F(SidesTest, WalledInComputerStillMovesWithTheColourThatTakesMost)
{
    const int background[3] = {1, 3, 4};
    PaintBackground(*m_field, background);
    // The human's zone runs along the middle row and rings the computer's cell.
    for (int c = 0; c < m_last; ++c)
        Set(*m_field, m_mid, c, 0);
    Set(*m_field, m_mid - 1, m_last - 1, 0);
    Set(*m_field, m_mid + 1, m_last - 1, 0);
    Set(*m_field, m_mid, m_last, 5);
    CPlayer human(m_mid, 0, m_field.get());
    for (int difficulty : {3, 5})
    {
        CAIPlayer computer(m_mid, m_last, m_field.get(), difficulty);
        EXPECT_EQ(computer.SearchBestColour().first, -1) << "no colour scores";
        EXPECT_EQ(computer.FallbackColour(), 1) << "all take nothing: the lowest allowed";
        computer.SetState(CPlayer::kMayMove);
        computer.Update();
        EXPECT_EQ(computer.GetState(), CPlayer::kMoved);
        EXPECT_EQ(computer.GetMovesMade(), 1);
        EXPECT_EQ(m_field->ColourAt(m_mid, m_last), 1);
        RunUntilIdle(*m_field);
        computer.Update();
        EXPECT_EQ(computer.GetState(), CPlayer::kWaiting);
        Set(*m_field, m_mid, m_last, 5);
    }
}

TEST_F(SidesTest, ComputerMoveLeavesNoCoinsBehindAndIgnoresClicks)
{
    PaintAll(*m_field, 3);
    Set(*m_field, m_mid, 0, 0);
    Set(*m_field, m_mid, m_last, 5);
    m_field->SetCellCoin(m_mid, m_last - 1, 4);
    CPlayer human(m_mid, 0, m_field.get());
    CAIPlayer computer(m_mid, m_last, m_field.get(), 0);
    computer.SetState(CPlayer::kMayMove);
    computer.OnClick(10, 300);
    EXPECT_EQ(computer.GetState(), CPlayer::kMayMove);
    computer.Update();
    EXPECT_EQ(m_field->ColourAt(m_mid, m_last), 3);
    EXPECT_TRUE(m_field->GetCollectedCoins().empty());
    EXPECT_EQ(m_field->GetCellCoin(m_mid, m_last - 1), -1);
    EXPECT_EQ(computer.GetMoney(), 25);
}

TEST_F(SidesTest, MovingSideMayPickTheOpponentsColourButNotItsOwn)
{
    PaintAll(*m_field, 3);
    Set(*m_field, m_mid, 0, 0);
    Set(*m_field, m_mid, 1, 5);
    Set(*m_field, m_mid, m_last, 5);
    m_field->SetCellCoin(m_mid, 1, 4);
    CMovingPlayer mover(m_mid, 0, m_field.get());
    CAIPlayer computer(m_mid, m_last, m_field.get(), 0);
    mover.SetState(CPlayer::kMayMove);
    ClickCell(mover, *m_field, m_mid, 0);
    EXPECT_EQ(mover.GetState(), CPlayer::kMayMove);
    ClickCell(mover, *m_field, m_mid, 1);
    EXPECT_EQ(mover.GetState(), CPlayer::kMoved);
    EXPECT_EQ(m_field->ColourAt(m_mid, 0), 5);
    EXPECT_EQ(mover.GetMoney(), 25) << "no coins counted in the moving game";
}
