#include "tests/e2e/Playing.h"

#include "engine/AppSettings.h"
#include "game/Field.h"
#include "platform/DataFolder.h"
#include "tests/e2e/Harness.h"
#include "tests/e2e/MenuArt.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <vector>

namespace NE2e
{
void PrepareInstall(CHarness& harness, bool hints)
{
    ASSERT_TRUE(InstallDataSet(harness, hints));
}

std::pair<int, int> BestNeighbour(const NGame::CField& field)
{
    std::vector<int> grid;
    field.Snapshot(grid);
    const NGame::CHexGrid& hex = field.GetGrid();
    hex.Flood(grid, hex.Index(field.GetMid(), 0), -7);
    int count[NGame::CField::kColourCount] = {};
    int cell[NGame::CField::kColourCount];
    std::fill(std::begin(cell), std::end(cell), -1);
    for (int index = 0; index < hex.GetCellCount(); ++index)
        if (grid[index] == -7)
            for (int next : hex.Neighbours(index))
                if (next >= 0 && grid[next] >= 0 && field.IsColourAllowed(grid[next]))
                {
                    ++count[grid[next]];
                    cell[grid[next]] = next;
                }
    int best = -1;
    for (int colour = 0; colour < NGame::CField::kColourCount; ++colour)
        if (cell[colour] >= 0 && (best < 0 || count[colour] > count[best]))
            best = colour;
    if (best < 0)
        return {-1, -1};
    return {hex.RowOf(cell[best]), hex.ColumnOf(cell[best])};
}
} // namespace NE2e
