#include "game/FieldOverlay.h"

#include "engine/GLHeaders.h"
#include "game/Field.h"

#include <cmath>

namespace NGame
{
namespace
{
// The shape of a cell seen from its centre, in units of the column pitch (x)
// and the row pitch (y): the grid is a regular hex grid stretched to those.
// Corners clockwise from the top; direction k's neighbour shares corners k and k + 1.
constexpr float kCornerX[6] = {0.0f, 0.5f, 0.5f, 0.0f, -0.5f, -0.5f};
constexpr float kCornerY[6] = {-2.0f / 3, -1.0f / 3, 1.0f / 3, 2.0f / 3, 1.0f / 3, -1.0f / 3};
// Neighbour directions: up-right, right, down-right, down-left, left, up-left.
constexpr float kStepX[6] = {0.5f, 1.0f, 0.5f, -0.5f, -1.0f, -0.5f};
constexpr float kStepY[6] = {-1.0f, 0.0f, 1.0f, 1.0f, 0.0f, -1.0f};

constexpr float kSymbolScale = 0.22f; // of the cell width, the mark's half size

// The colour a cell shows: its flower's group, or a hole.
int ShownColour(const CField& field, int row, int col)
{
    const CCell* cell = field.GetCell(row, col);
    if (cell == nullptr || cell->IsHole())
        return CField::kHole;
    return cell->GetFlower().GetGroup();
}

void Vertex(float x, float y)
{
    glVertex2f(x, y);
}

void SymbolPath(int colour, float x, float y, float s)
{
    switch (colour)
    {
    case 0: // dot
        glBegin(GL_TRIANGLE_FAN);
        for (int i = 0; i < 12; ++i)
            Vertex(x + s * 0.8f * std::cos(i * 0.5236f), y + s * 0.8f * std::sin(i * 0.5236f));
        glEnd();
        break;
    case 1: // triangle
        glBegin(GL_TRIANGLES);
        Vertex(x, y - s), Vertex(x + s, y + s * 0.8f), Vertex(x - s, y + s * 0.8f);
        glEnd();
        break;
    case 2: // square
        glBegin(GL_TRIANGLE_STRIP);
        Vertex(x - s * 0.75f, y - s * 0.75f), Vertex(x + s * 0.75f, y - s * 0.75f);
        Vertex(x - s * 0.75f, y + s * 0.75f), Vertex(x + s * 0.75f, y + s * 0.75f);
        glEnd();
        break;
    case 3: // cross
        glBegin(GL_QUADS);
        Vertex(x - s, y - s * 0.3f), Vertex(x + s, y - s * 0.3f), Vertex(x + s, y + s * 0.3f), Vertex(x - s, y + s * 0.3f);
        Vertex(x - s * 0.3f, y - s), Vertex(x + s * 0.3f, y - s), Vertex(x + s * 0.3f, y + s), Vertex(x - s * 0.3f, y + s);
        glEnd();
        break;
    case 4: // diamond
        glBegin(GL_QUADS);
        Vertex(x, y - s), Vertex(x + s, y), Vertex(x, y + s), Vertex(x - s, y);
        glEnd();
        break;
    default: // bar
        glBegin(GL_QUADS);
        Vertex(x - s, y - s * 0.35f), Vertex(x + s, y - s * 0.35f), Vertex(x + s, y + s * 0.35f), Vertex(x - s, y + s * 0.35f);
        glEnd();
        break;
    }
}
} // namespace

std::vector<SEdge> ZoneBorder(const CField& field, int row, int col)
{
    std::vector<SEdge> edges;
    const CHexGrid& grid = field.GetGrid();
    if (!grid.IsInside(row, col) || ShownColour(field, row, col) < 0)
        return edges;
    std::vector<int> shown(grid.GetCellCount());
    for (int i = 0; i < grid.GetCellCount(); ++i)
        shown[i] = ShownColour(field, grid.RowOf(i), grid.ColumnOf(i));
    constexpr int kZone = -100;
    grid.Flood(shown, grid.Index(row, col), kZone);

    const float w = field.GetCellWidth();
    const float rowPitch = field.CellCentre(grid.GetMid() + 1, 0).y - field.CellCentre(grid.GetMid(), 0).y;
    for (int i = 0; i < grid.GetCellCount(); ++i)
    {
        if (shown[i] != kZone)
            continue;
        const CVector4 c = field.CellCentre(grid.RowOf(i), grid.ColumnOf(i));
        for (int k = 0; k < 6; ++k)
        {
            // The neighbour in direction k, found by position (rows shift by
            // half a cell): holes and the rim are outside the zone as much as other colours.
            const int nr = grid.RowOf(i) + static_cast<int>(kStepY[k]);
            const float nx = c.x + kStepX[k] * w;
            const int nc = static_cast<int>(std::lround((nx - field.CellCentre(nr, 0).x) / w));
            if (grid.IsInside(nr, nc) && shown[grid.Index(nr, nc)] == kZone)
                continue;
            const int a = k, b = (k + 1) % 6;
            edges.push_back({c.x + kCornerX[a] * w, c.y + kCornerY[a] * rowPitch, c.x + kCornerX[b] * w,
                             c.y + kCornerY[b] * rowPitch});
        }
    }
    return edges;
}

void DrawZoneBorder(const std::vector<SEdge>& edges, bool player)
{
    if (!NGL::IsContextAvailable() || edges.empty())
        return;
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    const float under = player ? 0.0f : 1.0f;
    for (const float width : {3.5f, 1.5f})
    {
        const float shade = width > 2.0f ? under : 1.0f - under;
        glLineWidth(width);
        glColor4f(shade, shade, shade, width > 2.0f ? 0.7f : 1.0f);
        glBegin(GL_LINES);
        for (const SEdge& e : edges)
            Vertex(e.x0, e.y0), Vertex(e.x1, e.y1);
        glEnd();
    }
    glLineWidth(1.0f);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glEnable(GL_TEXTURE_2D);
}

void DrawFlowerSymbols(const CField& field)
{
    if (!NGL::IsContextAvailable())
        return;
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    const CHexGrid& grid = field.GetGrid();
    // A dark mark on a light rim, so it reads on every petal colour.
    for (const bool rim : {true, false})
    {
        for (int i = 0; i < grid.GetCellCount(); ++i)
        {
            const CCell* cell = field.GetCell(grid.RowOf(i), grid.ColumnOf(i));
            // Flipping flowers change colour half-way: the mark waits for the rest.
            if (cell == nullptr || cell->IsHole() || cell->GetState() == CCell::kRepainting || cell->GetAlpha() <= 0.0f)
                continue;
            const int colour = cell->GetFlower().GetGroup();
            if (colour < 0 || colour >= CField::kColourCount)
                continue;
            const float s = cell->GetSize() * cell->GetScale() * kSymbolScale;
            const float shade = rim ? 1.0f : 0.1f;
            glColor4f(shade, shade, shade, cell->GetAlpha() * (rim ? 0.85f : 1.0f));
            const CVector4& p = cell->GetPosition();
            SymbolPath(colour, p.x, p.y, rim ? s + 1.2f : s);
        }
    }
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glEnable(GL_TEXTURE_2D);
}
} // namespace NGame
