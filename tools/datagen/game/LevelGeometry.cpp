#include "LevelGeometry.h"

#include <cmath>
#include <deque>

namespace NDataGen
{
void SBoard::CellCentre(int row, int col, float& x, float& y) const
{
    float half = cellWidth / 2.0f;
    float originX = half + 12.0f;
    int d = row > mid ? row - mid : mid - row;
    x = originX + static_cast<float>(d) * half + static_cast<float>(col) * cellWidth;
    y = 282.0f + static_cast<float>(row - mid) * rowHeight;
}

SBoard BoardForColumns(int columns)
{
    SBoard b;
    b.columns = columns;
    b.cellWidth = 776.0f / static_cast<float>(columns);
    float half = b.cellWidth / 2.0f;
    b.rowHeight = half * std::sqrt(3.0f);
    b.rows = static_cast<int>(532.0f / b.rowHeight);
    if (b.rows % 2 == 0)
    {
        b.rows += 1;
        b.rowHeight = 532.0f / static_cast<float>(b.rows);
    }
    b.mid = b.rows / 2;
    return b;
}

int ColumnsForLevel(int level)
{
    int l = level % 100;
    int a = l / 18, b = (l % 18) / 6, c = l % 6;
    static const int kBase[3] = {21, 18, 30};
    return kBase[b] + c + 2 * a;
}

SMaskCheck CheckMask(const std::vector<uint8_t>& mask, const SBoard& board)
{
    SMaskCheck result;
    std::vector<std::vector<int>> playable(board.rows);
    for (int r = 0; r < board.rows; ++r)
    {
        playable[r].assign(board.RowLength(r), 0);
        for (int c = 0; c < board.RowLength(r); ++c)
        {
            float x, y;
            board.CellCentre(r, c, x, y);
            int xi = static_cast<int>(x), yi = static_cast<int>(y);
            bool inside = xi >= 0 && xi < kMaskWidth && yi >= 0 && yi < kMaskHeight;
            playable[r][c] = inside && mask[static_cast<size_t>(xi) + kMaskWidth * static_cast<size_t>(yi)] != 0;
            ++result.total;
            result.playable += playable[r][c];
        }
    }
    int mid = board.mid, last = board.columns - 1;
    result.startsPlayable = playable[mid][0] && playable[mid][1] && playable[mid - 1][0] && playable[mid + 1][0] &&
                            playable[mid][last];

    auto neighbours = [&](int r, int c, int out[6][2]) {
        int n = 0;
        auto add = [&](int rr, int cc) {
            out[n][0] = rr;
            out[n][1] = cc;
            ++n;
        };
        add(r - 1, c);
        add(r + 1, c);
        add(r, c - 1);
        add(r, c + 1);
        if (r < mid)
        {
            add(r - 1, c - 1);
            add(r + 1, c + 1);
        }
        else if (r == mid)
        {
            add(r - 1, c - 1);
            add(r + 1, c - 1);
        }
        else
        {
            add(r - 1, c + 1);
            add(r + 1, c - 1);
        }
    };
    std::vector<std::vector<int>> seen(board.rows);
    for (int r = 0; r < board.rows; ++r)
        seen[r].assign(board.RowLength(r), 0);
    std::deque<std::pair<int, int>> queue;
    queue.push_back({mid, 0});
    queue.push_back({mid, last});
    int reached = 0;
    while (!queue.empty())
    {
        auto [r, c] = queue.front();
        queue.pop_front();
        if (r < 0 || r >= board.rows || c < 0 || c >= board.RowLength(r) || seen[r][c] || !playable[r][c])
            continue;
        seen[r][c] = 1;
        ++reached;
        int n[6][2];
        neighbours(r, c, n);
        for (auto& p : n)
            queue.push_back({p[0], p[1]});
    }
    result.unreachable = result.playable - reached;
    return result;
}
} // namespace NDataGen
