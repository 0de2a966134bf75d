#include "Illustrations.h"

#include "../Images.h"
#include "common/Flower.h"

#include <algorithm>
#include <cmath>

namespace NDataGen::NMui
{
namespace
{
constexpr double kPi = 3.14159265358979323846;
}

SMiniField::SMiniField(int rowCount, int columnCount, unsigned seed)
    : rows(rowCount), columns(columnCount), colours(rowCount, std::vector<int>(columnCount)),
      owner(rowCount, std::vector<int>(columnCount, 0))
{
    CScatter rnd(seed);
    for (auto& row : colours)
        for (int& c : row)
            c = static_cast<int>(rnd.Range(0, 6)) % 6;
}

std::vector<std::pair<int, int>> SMiniField::Neighbours(int r, int c) const
{
    // rows alternate their offset: odd rows sit half a cell to the right
    int shift = r % 2;
    const int d[6][2] = {{0, -1}, {0, 1}, {-1, shift - 1}, {-1, shift}, {1, shift - 1}, {1, shift}};
    std::vector<std::pair<int, int>> result;
    for (const auto& o : d)
    {
        int nr = r + o[0], nc = c + o[1];
        if (nr >= 0 && nr < rows && nc >= 0 && nc < columns)
            result.push_back({nr, nc});
    }
    return result;
}

std::vector<std::pair<int, int>> SMiniField::Zone(int r, int c) const
{
    std::vector<std::pair<int, int>> zone{{r, c}};
    std::vector<std::vector<bool>> seen(rows, std::vector<bool>(columns, false));
    seen[r][c] = true;
    for (size_t i = 0; i < zone.size(); ++i)
        for (auto [nr, nc] : Neighbours(zone[i].first, zone[i].second))
            if (!seen[nr][nc] && colours[nr][nc] == colours[r][c])
            {
                seen[nr][nc] = true;
                zone.push_back({nr, nc});
            }
    return zone;
}

void SMiniField::Fill(int r, int c, int colour, int who)
{
    for (auto [zr, zc] : Zone(r, c))
        colours[zr][zc] = colour;
    for (auto [zr, zc] : Zone(r, c))
        owner[zr][zc] = who;
}

double MiniFieldWidth(const SMiniField& field, double step)
{
    return (field.columns - 1 + 0.5) * step;
}

void DrawMiniField(cairo_t* cr, const SMiniField& field, double cx, double cy, double step, bool glow)
{
    double rowStep = step * 0.87;
    double x0 = cx - MiniFieldWidth(field, step) / 2, y0 = cy - (field.rows - 1) * rowStep / 2;
    auto centre = [&](int r, int c) {
        return std::pair<double, double>{x0 + c * step + (r % 2) * step / 2, y0 + r * rowStep};
    };
    // owned zones: a soft coloured bed under the flowers
    for (int who = 1; who <= 2; ++who)
        for (int r = 0; r < field.rows; ++r)
            for (int c = 0; c < field.columns; ++c)
                if (field.owner[r][c] == who)
                {
                    auto [x, y] = centre(r, c);
                    cairo_arc(cr, x, y, step * 0.62, 0, 2 * kPi);
                    if (who == 1)
                        cairo_set_source_rgba(cr, 1.0, 0.95, 0.4, glow ? 0.95 : 0.55);
                    else
                        cairo_set_source_rgba(cr, 0.55, 0.75, 1.0, glow ? 0.8 : 0.5);
                    cairo_fill(cr);
                }
    for (int r = 0; r < field.rows; ++r)
        for (int c = 0; c < field.columns; ++c)
        {
            auto [x, y] = centre(r, c);
            if (field.colours[r][c] >= 0)
                DrawFlower(cr, x, y, step * 0.5, field.colours[r][c], 0.2 * (r + c));
        }
}

void DrawCoin(cairo_t* cr, double cx, double cy, double radius, int kind, double turn)
{
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    NDataGen::DrawCoin(cr, kind, radius * NDataGen::CoinScale(kind), turn * 2 * kPi);
    cairo_restore(cr);
}

void DrawPointerArrow(cairo_t* cr, double x, double y, double scale)
{
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, scale, scale);
    PointerArrowPath(cr);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(cr, 2.4);
    SetColour(cr, {0.12, 0.22, 0.06});
    cairo_stroke_preserve(cr);
    VerticalGradient(cr, 0, 28, {1.0, 1.0, 0.85}, {0.98, 0.80, 0.20});
    cairo_fill(cr);
    cairo_restore(cr);
}

void AddSpriteSheet(CDataWriter& out, const std::string& sprFile, const std::string& pictureFile, int groups,
                    int frames, int cellW, int cellH, const CellFn& draw)
{
    cairo_surface_t* s = NewSurface(cellW * frames, cellH * groups);
    cairo_t* cr = cairo_create(s);
    for (int g = 0; g < groups; ++g)
        for (int f = 0; f < frames; ++f)
        {
            cairo_save(cr);
            cairo_translate(cr, f * cellW, (groups - 1 - g) * cellH);
            cairo_rectangle(cr, 0, 0, cellW, cellH);
            cairo_clip(cr);
            draw(cr, g, f, cellW, cellH);
            cairo_restore(cr);
        }
    cairo_destroy(cr);
    DebugPng(s, pictureFile);
    out.Add(pictureFile, EncodeTga(s, true));
    cairo_surface_destroy(s);
    out.AddText(sprFile, "file_name " + pictureFile + "\ngroups " + std::to_string(groups) + "\nframes " +
                             std::to_string(frames) + "\ntex_wrap 0\ntex_dynamic 1\n");
}
} // namespace NDataGen::NMui
