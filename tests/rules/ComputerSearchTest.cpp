// The computer's search on a bare board: no field, no side objects, no window.
#include "game/ComputerSearch.h"

#include <gtest/gtest.h>

using namespace NGame;

namespace
{
// Level 0, human start (mid, 0) in colour 0, computer start (mid, last) in
// colour 2, every other cell in colour fill; both starts registered.
CBoard TwoSidedBoard(int fill)
{
    CBoard board([draw = 0]() mutable { return ++draw; });
    board.Build(
        0, [](int, int) { return false; }, [](int, int) {});
    for (int r = 0; r < board.GetRows(); ++r)
        for (int c = 0; c < board.RowLength(r); ++c)
            board.SetColour(r, c, fill);
    const int mid = board.GetMid(), last = board.GetColumns() - 1;
    board.SetColour(mid, 0, 0);
    board.SetColour(mid, last, 2);
    board.RegisterStart(mid, 0);
    board.RegisterStart(mid, last);
    return board;
}
} // namespace

TEST(ComputerSearch, TakesTheColourBehindItsNeighboursWhenLookingAheadAndTheNearOneWhenNot)
{
    CBoard board = TwoSidedBoard(1);
    const int mid = board.GetMid(), last = board.GetColumns() - 1;
    // A ring of colour 4 around the computer's start, colour 1 behind it.
    const CHexGrid& grid = board.GetGrid();
    for (int n : grid.Neighbours(grid.Index(mid, last)))
        if (n != CHexGrid::kNoCell)
            board.SetColour(grid.RowOf(n), grid.ColumnOf(n), 4);
    CComputerSearch weak(mid, last, 2);
    EXPECT_EQ(weak.ChooseColour(board), 4) << "one move ahead only the ring scores";
    CComputerSearch strong(mid, last, 5);
    EXPECT_EQ(strong.ChooseColour(board), 4);
    EXPECT_EQ(strong.SearchDepth(), 3) << "the zones hold almost nothing yet";
    EXPECT_LT(strong.ZoneRatio(board), 0.1f);
    board.SetColour(mid, last, 4);
    EXPECT_EQ(strong.ChooseColour(board), 1) << "through the ring to the open board";
}

TEST(ComputerSearch, NeverPlaysAForbiddenColourEvenWhenNothingGrows)
{
    // Everything but the computer's start in the human's colour: nothing may be taken.
    CBoard board = TwoSidedBoard(0);
    const int mid = board.GetMid(), last = board.GetColumns() - 1;
    for (int strength : {2, 4, 5})
    {
        CComputerSearch search(mid, last, strength);
        const int colour = search.ChooseColour(board);
        EXPECT_TRUE(board.IsColourAllowed(colour)) << "strength " << strength << " chose " << colour;
        EXPECT_EQ(search.FallbackColour(board), 1) << "the lowest allowed colour, none grows the zone";
    }
    EXPECT_EQ(CComputerSearch(mid, last, 5).ChooseColour(CBoard([] { return 0; })), -1)
        << "an unbuilt board has no start";
}
