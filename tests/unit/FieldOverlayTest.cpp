// The zone outline of the colour-blind help: the edges it finds must be the
// cells' real borders, whatever lies beyond them (another colour, a hole,
// the board's rim).
#include "GameTestSupport.h"

#include "game/FieldOverlay.h"
#include "game/HexGrid.h"

#include <cmath>
#include <map>
#include <utility>

using namespace NGame;
using namespace NGameTest;

namespace
{
// How many edges meet at each corner, corners keyed to a tenth of a pixel.
std::map<std::pair<long, long>, int> CornerUse(const std::vector<SEdge>& edges)
{
    std::map<std::pair<long, long>, int> use;
    for (const SEdge& e : edges)
    {
        ++use[{std::lround(e.x0 * 10), std::lround(e.y0 * 10)}];
        ++use[{std::lround(e.x1 * 10), std::lround(e.y1 * 10)}];
    }
    return use;
}

bool IsClosedLine(const std::vector<SEdge>& edges)
{
    for (const auto& [corner, count] : CornerUse(edges))
        if (count % 2 != 0)
            return false;
    return true;
}
} // namespace

TEST(ZoneBorder, ALoneFlowerIsRingedByItsSixEdgesOfOneLength)
{
    CTestResources resources;
    auto field = IdleField(0);
    PaintAll(*field, 1);
    const int mid = field->GetRows() / 2;
    field->SetCellColour(mid, 5, 3);
    const std::vector<SEdge> edges = ZoneBorder(*field, mid, 5);
    ASSERT_EQ(edges.size(), 6u);
    EXPECT_TRUE(IsClosedLine(edges));
    const CVector4 centre = field->CellCentre(mid, 5);
    // The row pitch is rounded to whole pixels: the hexagons are regular to a few percent.
    const float side = field->GetCellWidth() / std::sqrt(3.0f);
    for (const SEdge& e : edges)
    {
        EXPECT_NEAR(std::hypot(e.x1 - e.x0, e.y1 - e.y0), side, side * 0.03f);
        EXPECT_NEAR(std::hypot(e.x0 - centre.x, e.y0 - centre.y), side, side * 0.03f);
    }
}

TEST(ZoneBorder, NeighboursOfOneColourShareNoEdgeAndUpperRowsCount)
{
    CTestResources resources;
    auto field = IdleField(0);
    PaintAll(*field, 1);
    const int mid = field->GetRows() / 2;
    // Two along the row and one in the row above, touching both.
    field->SetCellColour(mid, 5, 3);
    field->SetCellColour(mid, 6, 3);
    field->SetCellColour(mid - 1, 5, 3);
    const std::vector<SEdge> edges = ZoneBorder(*field, mid, 6);
    // 3 cells x 6 edges, less 2 for each of the 3 shared edges.
    EXPECT_EQ(edges.size(), 12u);
    EXPECT_TRUE(IsClosedLine(edges));
}

TEST(ZoneBorder, TheRimAndHolesBoundAZoneOfTheWholeBoard)
{
    CTestResources resources;
    auto field = IdleField(0);
    PaintAll(*field, 2);
    const CHexGrid& grid = field->GetGrid();
    int rimEdges = 0;
    for (int i = 0; i < grid.GetCellCount(); ++i)
        for (int n : grid.Neighbours(i))
            rimEdges += n == CHexGrid::kNoCell ? 1 : 0;
    std::vector<SEdge> edges = ZoneBorder(*field, 0, 0);
    EXPECT_EQ(static_cast<int>(edges.size()), rimEdges);
    EXPECT_TRUE(IsClosedLine(edges));

    const int mid = field->GetRows() / 2;
    field->SetCellHole(mid, 4, true);
    edges = ZoneBorder(*field, 0, 0);
    EXPECT_EQ(static_cast<int>(edges.size()), rimEdges + 6);
    EXPECT_TRUE(ZoneBorder(*field, mid, 4).empty()) << "a hole belongs to no zone";
    EXPECT_TRUE(ZoneBorder(*field, -1, 0).empty());
}
