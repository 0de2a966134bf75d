// The board on its own: built from a scripted random source, played and
// written out with no field, sprite or window behind it.
#include "game/Board.h"

#include <gtest/gtest.h>

#include <vector>

using namespace NGame;

namespace
{
// Hands out the scripted numbers in turn, then zeros; counts the draws.
struct SScript
{
    std::vector<int> numbers;
    size_t next = 0;
    int operator()() { return next < numbers.size() ? numbers[next++] : (++next, 0); }
};

// A board of level 0 whose every colour is drawn from one cycle of 0..5.
CBoard CycledBoard(int& draws)
{
    CBoard board(
        [&draws]
        {
            ++draws;
            return draws % CBoard::kColourCount;
        });
    board.Build(
        0, [](int, int) { return false; }, [](int, int) {});
    return board;
}

// Every cell of the board repainted with colour.
void Paint(CBoard& board, int colour)
{
    for (int r = 0; r < board.GetRows(); ++r)
        for (int c = 0; c < board.RowLength(r); ++c)
            board.SetColour(r, c, colour);
}
} // namespace

TEST(Board, BuildDrawsEachCellsColourBeforeTheNextCellIsMade)
{
    std::vector<int> numbers(2000);
    for (size_t i = 0; i < numbers.size(); ++i)
        numbers[i] = static_cast<int>(i * 7 % 13);
    SScript script{numbers};
    CBoard board([&script] { return script(); });
    std::vector<int> drawsBeforeEachCell;
    board.Build(
        5, [](int, int) { return true; },
        [&](int, int) { drawsBeforeEachCell.push_back(static_cast<int>(script.next)); });
    const int cells = board.GetGrid().GetCellCount();
    ASSERT_EQ(static_cast<int>(drawsBeforeEachCell.size()), cells);
    EXPECT_EQ(drawsBeforeEachCell.front(), 1) << "the first cell is made right after its colour";
    const int mid = board.GetMid(), last = board.GetColumns() - 1;
    EXPECT_FALSE(board.IsHole(mid, 0)) << "a start cell is never a hole, whatever the mask says";
    EXPECT_FALSE(board.IsHole(mid, last));
    EXPECT_TRUE(board.IsHole(0, 0));
    EXPECT_NE(board.ColourAt(mid, last), board.ColourOf(mid, 0));
    for (const auto& [r, c] : {std::pair{mid, 0}, {mid, 1}, {mid - 1, 0}, {mid + 1, 0}})
        EXPECT_NE(board.ColourOf(r, c), board.ColourAt(mid, last)) << r << "," << c;
    EXPECT_EQ(board.CountPlayableCells(), 2);
}

TEST(Board, FillFinishesAtOnceCapturingWhatTheOpponentCannotReach)
{
    int draws = 0;
    CBoard board = CycledBoard(draws);
    const int mid = board.GetMid(), last = board.GetColumns() - 1;
    board.RegisterStart(mid, 0);
    board.RegisterStart(mid, last);
    Paint(board, 1);
    board.SetColour(mid, 0, 0);
    board.SetColour(mid, last, 2);
    // A corner cell of its own colour, far from the opponent, carrying a coin.
    board.SetColour(0, 0, 4);
    board.SetCoin(0, 0, 3);
    EXPECT_FALSE(board.IsFull());

    const int drawsBefore = draws;
    const std::vector<int> changed = board.Fill(mid, 0, 1);
    EXPECT_EQ(draws, drawsBefore) << "a move draws nothing";
    EXPECT_EQ(static_cast<int>(changed.size()), board.CountPlayableCells() - 1);
    EXPECT_EQ(board.ColourAt(0, 0), 1) << "the enclosed corner is captured";
    EXPECT_EQ(board.ZoneSize(mid, 0), board.CountPlayableCells() - 1);
    EXPECT_TRUE(board.IsFull()) << "full the moment the move is made";
    EXPECT_EQ(board.CoinAt(0, 0), 3) << "coins wait for whoever shows the flips";
    board.CollectCoin(0, 0);
    ASSERT_EQ(board.GetCollectedCoins().size(), 1u);
    EXPECT_EQ(board.GetCollectedCoins()[0].kind, 3);
    EXPECT_EQ(board.CoinAt(0, 0), CBoard::kNoCoin);

    EXPECT_TRUE(board.Fill(mid, 0, 1).empty()) << "the zone's own colour is refused";
    EXPECT_TRUE(board.Fill(mid, 0, CBoard::kColourCount).empty());
    EXPECT_TRUE(board.Fill(-1, 0, 4).empty());
    // The sides are kept to other colours before they fill.
    EXPECT_FALSE(board.IsColourAllowed(1));
    EXPECT_FALSE(board.IsColourAllowed(2));
    EXPECT_TRUE(board.IsColourAllowed(4));
}

TEST(Board, TheSavedTextRoundTripsAndRefusesDamage)
{
    int draws = 0;
    CBoard board = CycledBoard(draws);
    board.SetHole(0, 0, true);
    board.SetCoin(1, 1, 2);
    const std::string text = board.FormatState();
    EXPECT_EQ(text.substr(0, 7), "000 50 ");

    int level = -1;
    std::vector<CBoard::SSavedCell> cells;
    ASSERT_TRUE(CBoard::ParseState(text, level, cells));
    EXPECT_EQ(level, 0);
    const CHexGrid& grid = board.GetGrid();
    ASSERT_EQ(static_cast<int>(cells.size()), grid.GetCellCount());
    EXPECT_TRUE(cells[0].hole);
    EXPECT_EQ(cells[grid.Index(1, 1)].coin, 2);
    EXPECT_EQ(cells[grid.Index(1, 1)].colour, board.ColourAt(1, 1));

    std::vector<CBoard::SSavedCell> untouched(1);
    EXPECT_FALSE(CBoard::ParseState(text.substr(0, text.size() / 2), level, untouched)) << "runs out";
    EXPECT_FALSE(CBoard::ParseState("", level, untouched));
    std::string badColour = text;
    badColour[5] = '7';
    EXPECT_FALSE(CBoard::ParseState(badColour, level, untouched));
    // A hole at the human's start.
    board.SetHole(board.GetMid(), 0, true);
    const std::string holeAtStart = board.FormatState();
    EXPECT_FALSE(CBoard::ParseState(holeAtStart, level, untouched));
    EXPECT_EQ(untouched.size(), 1u) << "a refusal changes nothing";
}

TEST(Board, AShiftKeepsHolesInPlaceAndRefillsTheLastPlaceOfEachRow)
{
    int draws = 0;
    CBoard board = CycledBoard(draws);
    const int mid = board.GetMid(), length = board.RowLength(mid);
    board.SetHole(mid, 2, true);
    const int second = board.ColourAt(mid, 1);
    board.ShiftHoles();
    EXPECT_TRUE(board.IsHole(mid, 3)) << "the cell about to slide onto the hole takes it";
    EXPECT_FALSE(board.IsHole(mid, 2));
    board.ShiftLeft();
    EXPECT_EQ(board.ColourAt(mid, 0), second);
    EXPECT_TRUE(board.IsHole(mid, 2)) << "the hole stayed in place";
    EXPECT_FALSE(board.IsPresent(mid, length - 1));
    EXPECT_EQ(board.ColourAt(mid, length - 1), CBoard::kOutside);
    std::vector<int> snapshot;
    board.Snapshot(snapshot);
    EXPECT_EQ(snapshot[board.GetGrid().Index(mid, length - 1)], CBoard::kHole)
        << "an empty place reads as a hole";

    int made = 0;
    const int drawsBefore = draws;
    board.Refill([](int, int) { return false; }, [&](int, int) { ++made; });
    EXPECT_EQ(made, board.GetRows()) << "one new cell at the end of every row";
    EXPECT_EQ(draws - drawsBefore, made) << "one colour drawn per new cell";
    EXPECT_TRUE(board.IsUsable(mid, length - 1));
}
