// Every level number of every set, built by the real field from the generated
// masks: both starts playable, every playable cell reachable, at least half playable.
#include "DataTestUtil.h"

#include "engine/KeyValueFile.h"
#include "game/Field.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

using namespace NDataTest;

namespace
{
class CPackInstalled
{
public:
    CPackInstalled() : m_previous(GetResourceManager()) { SetResourceManager(&Pack()); }
    ~CPackInstalled() { SetResourceManager(m_previous); }

private:
    CResourceManager* m_previous;
};

bool MaskPlayableAt(const std::vector<uint8_t>& mask, const CVector4& centre)
{
    size_t index = static_cast<size_t>(centre.x) + 800 * static_cast<size_t>(centre.y);
    return index < mask.size() && mask[index] != 0;
}

void CheckSet(const std::string& set)
{
    CPackInstalled installed;
    CKeyValueFile game;
    ASSERT_TRUE(game.LoadResource(&Pack(), "dat/game.txt"));
    int count = game.GetInt("m_levels_" + set, 0);
    ASSERT_GT(count, 0);
    std::string dir = "dat/levels_" + set;
    NGame::CField field(dir, count, set == "classic" ? 0 : 1);
    for (int level = 0; level < 100; ++level)
    {
        field.GoToLevel(level);
        int rows = field.GetRows(), mid = rows / 2, last = field.GetColumns() - 1;
        SCOPED_TRACE(set + " level " + std::to_string(level) + ", " + std::to_string(field.GetColumns()) +
                     " columns");

        // The field keeps its start cells whatever the mask says, so the mask itself is checked there.
        char name[64];
        std::snprintf(name, sizeof(name), "%s/lev%03d.raw", dir.c_str(), level % count);
        std::vector<uint8_t> mask = Pack().Load(name).GetBytes();
        ASSERT_EQ(mask.size(), 800u * 600u);
        EXPECT_TRUE(MaskPlayableAt(mask, field.CellCentre(mid, 0)));
        EXPECT_TRUE(MaskPlayableAt(mask, field.CellCentre(mid, last)));
        EXPECT_GE(field.ColourAt(mid, 0), 0);
        EXPECT_GE(field.ColourAt(mid, last), 0);

        int total = 0, playable = field.CountPlayableCells();
        for (int r = 0; r < rows; ++r)
            total += field.RowLength(r);
        EXPECT_GE(playable * 2, total);

        // Breadth-first over playable cells from both starts, with the field's own neighbours.
        const NGame::CHexGrid& grid = field.GetGrid();
        std::vector<char> seen(grid.GetCellCount(), 0);
        std::deque<int> queue{grid.Index(mid, 0), grid.Index(mid, last)};
        int reached = 0;
        while (!queue.empty())
        {
            int index = queue.front();
            queue.pop_front();
            if (seen[index] || field.ColourAt(grid.RowOf(index), grid.ColumnOf(index)) < 0)
                continue;
            seen[index] = 1;
            ++reached;
            for (int n : grid.Neighbours(index))
                if (n != NGame::CHexGrid::kNoCell)
                    queue.push_back(n);
        }
        EXPECT_EQ(reached, playable);
    }
}
} // namespace

TEST(DataLevels, ClassicSetHoldsAtEveryLevelNumber) { CheckSet("classic"); }
TEST(DataLevels, DuelSetHoldsAtEveryLevelNumber) { CheckSet("duel"); }
TEST(DataLevels, MovingSetHoldsAtEveryLevelNumber) { CheckSet("moving"); }
