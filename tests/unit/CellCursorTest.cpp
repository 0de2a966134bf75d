// The cell cursor that keys and pads move over the board: along rows, to the
// nearest cell of the next row, around holes and never off the board.
#include "GameTestSupport.h"

#include "game/CellCursor.h"

#include <cmath>

using namespace NGame;
using namespace NGameTest;

TEST(CellCursor, StopsAtTheEndsOfARowAndAtTheTopAndBottomRows)
{
    CTestResources resources;
    auto field = IdleField(0);
    CCellCursor cursor;
    EXPECT_FALSE(cursor.Move(*field, 1, 0)) << "hidden: nothing moves";
    const int mid = field->GetRows() / 2;
    ASSERT_TRUE(cursor.Show(*field, mid, 0));
    EXPECT_FALSE(cursor.Move(*field, -1, 0));
    EXPECT_EQ(cursor.GetColumn(), 0);
    for (int i = 1; i < field->RowLength(mid); ++i)
        EXPECT_TRUE(cursor.Move(*field, 1, 0));
    EXPECT_FALSE(cursor.Move(*field, 1, 0));
    EXPECT_EQ(cursor.GetColumn(), field->RowLength(mid) - 1);
    while (cursor.Move(*field, 0, -1))
    {
    }
    EXPECT_EQ(cursor.GetRow(), 0);
    while (cursor.Move(*field, 0, 1))
    {
    }
    EXPECT_EQ(cursor.GetRow(), field->GetRows() - 1);
}

TEST(CellCursor, UpAndDownTakeTheNearestCellOfTheNextRow)
{
    CTestResources resources;
    auto field = IdleField(0);
    const int mid = field->GetRows() / 2;
    CCellCursor cursor;
    cursor.Show(*field, mid, 6);
    ASSERT_TRUE(cursor.Move(*field, 0, -1));
    EXPECT_EQ(cursor.GetRow(), mid - 1);
    const float from = field->CellCentre(mid, 6).x;
    EXPECT_NEAR(std::fabs(field->CellCentre(cursor.GetRow(), cursor.GetColumn()).x - from),
                field->GetCellWidth() / 2, 0.5f);
}

TEST(CellCursor, HolesAreSteppedOverAndAWholeRowOfThemToo)
{
    CTestResources resources;
    auto field = IdleField(0);
    const int mid = field->GetRows() / 2;
    field->SetCellHole(mid, 3, true);
    field->SetCellHole(mid, 4, true);
    CCellCursor cursor;
    cursor.Show(*field, mid, 2);
    ASSERT_TRUE(cursor.Move(*field, 1, 0));
    EXPECT_EQ(cursor.GetColumn(), 5);
    for (int c = 0; c < field->RowLength(mid - 1); ++c)
        field->SetCellHole(mid - 1, c, true);
    ASSERT_TRUE(cursor.Move(*field, 0, -1));
    EXPECT_EQ(cursor.GetRow(), mid - 2);
    // A cursor put on a hole lands on the nearest playable cell of its row.
    cursor.Show(*field, mid, 3);
    EXPECT_TRUE(cursor.GetColumn() == 2 || cursor.GetColumn() == 5);
    // A board changed under the cursor takes it back onto a flower.
    field->SetCellHole(mid, cursor.GetColumn(), true);
    cursor.Keep(*field);
    EXPECT_GE(field->ColourAt(cursor.GetRow(), cursor.GetColumn()), 0);
}
