#include "Levels.h"

#include "LevelGeometry.h"
#include "common/Canvas.h"

#include <cairo.h>

#include <cmath>
#include <cstdio>
#include <functional>

namespace NDataGen
{
namespace
{
constexpr double kCx = 400.0;
constexpr double kCy = 282.0;

// Painting on the mask: hole() cuts, ground() makes playable.
struct SPen
{
    cairo_t* cr;
    void Hole() { cairo_set_source_rgba(cr, 0, 0, 0, 0); }
    void Ground() { cairo_set_source_rgba(cr, 0, 0, 0, 1); }
    void Circle(double x, double y, double r)
    {
        cairo_new_sub_path(cr);
        cairo_arc(cr, x, y, r, 0, 2 * M_PI);
    }
    // Shape drawn at (x, y) and at its mirror images across the centre lines.
    void Mirrored4(double x, double y, const std::function<void(double, double)>& shape)
    {
        shape(x, y);
        shape(2 * kCx - x, y);
        shape(x, 2 * kCy - y);
        shape(2 * kCx - x, 2 * kCy - y);
    }
};

using Design = std::function<void(SPen&, CRng&, int)>;

// ---- Classic: open boards with symmetric obstacles.
const Design kClassic[] = {
    // Open meadow.
    [](SPen&, CRng&, int) {},
    // A pond in the middle.
    [](SPen& p, CRng& rng, int) {
        p.Hole();
        p.Circle(kCx, kCy, rng.Range(55, 95));
        cairo_fill(p.cr);
    },
    // Four ponds.
    [](SPen& p, CRng& rng, int) {
        p.Hole();
        double dx = rng.Range(120, 190), dy = rng.Range(95, 140), r = rng.Range(32, 50);
        p.Mirrored4(kCx - dx, kCy - dy, [&](double x, double y) { p.Circle(x, y, r); });
        cairo_fill(p.cr);
    },
    // A diamond.
    [](SPen& p, CRng& rng, int) {
        p.Hole();
        double w = rng.Range(80, 130), h = rng.Range(90, 150);
        cairo_move_to(p.cr, kCx, kCy - h);
        cairo_line_to(p.cr, kCx + w, kCy);
        cairo_line_to(p.cr, kCx, kCy + h);
        cairo_line_to(p.cr, kCx - w, kCy);
        cairo_close_path(p.cr);
        cairo_fill(p.cr);
    },
    // A star.
    [](SPen& p, CRng& rng, int) {
        p.Hole();
        StarPath(p.cr, kCx, kCy, 5 + rng.Int(2), rng.Range(110, 150), rng.Range(45, 60), 0);
        cairo_fill(p.cr);
    },
    // A ring with four gates around a central meadow.
    [](SPen& p, CRng& rng, int) {
        double r = rng.Range(140, 180), w = rng.Range(36, 50), gate = rng.Range(0.32, 0.45);
        cairo_set_line_width(p.cr, w);
        p.Hole();
        for (int i = 0; i < 4; ++i)
        {
            double a0 = M_PI / 2 * i + M_PI / 4 + gate, a1 = M_PI / 2 * (i + 1) + M_PI / 4 - gate;
            cairo_new_sub_path(p.cr);
            cairo_arc(p.cr, kCx, kCy, r, a0, a1);
            cairo_stroke(p.cr);
        }
    },
    // A cross of water.
    [](SPen& p, CRng& rng, int) {
        p.Hole();
        double arm = rng.Range(120, 170), w = rng.Range(28, 40);
        RoundedRect(p.cr, kCx - arm, kCy - w, 2 * arm, 2 * w, w);
        RoundedRect(p.cr, kCx - w, kCy - arm, 2 * w, 2 * arm, w);
        cairo_fill(p.cr);
    },
    // A grid of stepping-stone holes.
    [](SPen& p, CRng& rng, int) {
        p.Hole();
        double step = rng.Range(110, 140), r = rng.Range(18, 26);
        for (int iy = -2; iy <= 2; ++iy)
            for (int ix = -2; ix <= 2; ++ix)
                if ((ix + iy) % 2 == 0 && std::abs(ix) < 3)
                    p.Circle(kCx + ix * step, kCy + iy * step * 0.8, r);
        cairo_fill(p.cr);
    },
    // A flower-shaped pond.
    [](SPen& p, CRng& rng, int) {
        p.Hole();
        int petals = 5 + rng.Int(3);
        double d = rng.Range(60, 80), r = rng.Range(34, 44);
        for (int i = 0; i < petals; ++i)
        {
            double a = 2 * M_PI * i / petals - M_PI / 2;
            p.Circle(kCx + d * std::cos(a), kCy + d * std::sin(a), r);
        }
        cairo_fill(p.cr);
        p.Ground();
        p.Circle(kCx, kCy, d * 0.55);
        cairo_fill(p.cr);
    },
    // Two walls with a passage in the middle.
    [](SPen& p, CRng& rng, int) {
        p.Hole();
        double x = rng.Range(210, 280), w = rng.Range(30, 44), gap = rng.Range(70, 110);
        for (double wx : {x, 2 * kCx - x})
        {
            RoundedRect(p.cr, wx - w / 2, 10, w, kCy - gap - 10, w / 2);
            RoundedRect(p.cr, wx - w / 2, kCy + gap, w, 590 - kCy - gap, w / 2);
        }
        cairo_fill(p.cr);
    },
    // A heart.
    [](SPen& p, CRng& rng, int) {
        p.Hole();
        HeartPath(p.cr, kCx, kCy + 10, rng.Range(200, 250));
        cairo_fill(p.cr);
    },
    // A hexagon ring open to both starts.
    [](SPen& p, CRng& rng, int) {
        double r = rng.Range(150, 185), w = rng.Range(34, 44);
        p.Hole();
        cairo_set_line_width(p.cr, w);
        cairo_set_line_join(p.cr, CAIRO_LINE_JOIN_ROUND);
        HexPath(p.cr, kCx, kCy, r);
        cairo_stroke(p.cr);
        p.Ground();
        cairo_rectangle(p.cr, 0, kCy - 55, 800, 110);
        cairo_fill(p.cr);
    },
    // Two crescent moons facing each other.
    [](SPen& p, CRng& rng, int) {
        double r = rng.Range(85, 110), d = rng.Range(130, 160);
        for (double side : {-1.0, 1.0})
        {
            cairo_push_group(p.cr);
            cairo_set_source_rgba(p.cr, 0, 0, 0, 1);
            p.Circle(kCx + side * d, kCy, r);
            cairo_fill(p.cr);
            cairo_set_operator(p.cr, CAIRO_OPERATOR_CLEAR);
            p.Circle(kCx + side * (d - r * 0.55), kCy, r * 0.85);
            cairo_fill(p.cr);
            cairo_pattern_t* moon = cairo_pop_group(p.cr);
            cairo_set_operator(p.cr, CAIRO_OPERATOR_SOURCE);
            // Cut where the group is opaque.
            cairo_set_source_rgba(p.cr, 0, 0, 0, 0);
            cairo_mask(p.cr, moon);
            cairo_pattern_destroy(moon);
        }
    },
    // Scattered hexagonal ponds, mirrored.
    [](SPen& p, CRng& rng, int) {
        p.Hole();
        for (int i = 0; i < 4; ++i)
        {
            double x = rng.Range(150, 370), y = rng.Range(60, 260), r = rng.Range(22, 34);
            p.Mirrored4(x, y, [&](double mx, double my) { HexPath(p.cr, mx, my, r); });
        }
        cairo_fill(p.cr);
    },
};

// ---- Duel: islands joined by bridges, arenas.
const Design kDuel[] = {
    // Three islands in a row.
    [](SPen& p, CRng& rng, int) {
        p.Hole();
        cairo_paint(p.cr);
        p.Ground();
        double r = rng.Range(150, 185), rs = rng.Range(150, 190);
        p.Circle(150, kCy, rs);
        p.Circle(650, kCy, rs);
        p.Circle(kCx, kCy, r);
        cairo_fill(p.cr);
        RoundedRect(p.cr, 100, kCy - 60, 600, 120, 40);
        cairo_fill(p.cr);
    },
    // Two halves with three bridges.
    [](SPen& p, CRng& rng, int) {
        p.Hole();
        double w = rng.Range(50, 80);
        cairo_rectangle(p.cr, kCx - w / 2, 0, w, 600);
        cairo_fill(p.cr);
        p.Ground();
        double b = rng.Range(55, 75);
        for (double y : {kCy - 170.0, kCy, kCy + 170.0})
            cairo_rectangle(p.cr, kCx - w, y - b / 2, 2 * w, b);
        cairo_fill(p.cr);
    },
    // Arena: a ring of ground around a central pond, open to both sides.
    [](SPen& p, CRng& rng, int) {
        p.Hole();
        p.Circle(kCx, kCy, rng.Range(80, 120));
        cairo_fill(p.cr);
        double dx = rng.Range(230, 280), dy = rng.Range(170, 210), r = rng.Range(30, 45);
        p.Mirrored4(kCx - dx, kCy - dy, [&](double x, double y) { p.Circle(x, y, r); });
        cairo_fill(p.cr);
    },
    // Four islands around a central one.
    [](SPen& p, CRng& rng, int) {
        p.Hole();
        cairo_paint(p.cr);
        p.Ground();
        double r = rng.Range(120, 145);
        p.Circle(kCx, kCy, r);
        double dx = rng.Range(200, 240), dy = rng.Range(130, 160);
        p.Mirrored4(kCx - dx, kCy - dy, [&](double x, double y) { p.Circle(x, y, rng.Range(105, 120)); });
        p.Circle(90, kCy, 140);
        p.Circle(710, kCy, 140);
        cairo_fill(p.cr);
        cairo_set_line_width(p.cr, 90);
        p.Mirrored4(kCx - dx, kCy - dy, [&](double x, double y) {
            cairo_move_to(p.cr, x, y);
            cairo_line_to(p.cr, kCx, kCy);
            cairo_move_to(p.cr, x, y);
            cairo_line_to(p.cr, x < kCx ? 90 : 710, kCy);
        });
        cairo_stroke(p.cr);
    },
    // Zig-zag river with fords.
    [](SPen& p, CRng& rng, int) {
        p.Hole();
        double amp = rng.Range(40, 70), w = rng.Range(34, 46);
        cairo_set_line_width(p.cr, w);
        for (double sx : {-1.0, 1.0})
        {
            double x0 = kCx + sx * rng.Range(150, 170);
            cairo_move_to(p.cr, x0, 0);
            for (int i = 1; i <= 6; ++i)
                cairo_line_to(p.cr, x0 + ((i % 2) ? amp : -amp) * sx, i * 100.0);
        }
        cairo_stroke(p.cr);
        p.Ground();
        double b = rng.Range(80, 100);
        cairo_rectangle(p.cr, 150, kCy - b / 2, 500, b);
        cairo_rectangle(p.cr, 150, 90 - b / 2, 500, b);
        cairo_rectangle(p.cr, 150, 474 - b / 2, 500, b);
        cairo_fill(p.cr);
    },
    // Honeycomb of hex ponds.
    [](SPen& p, CRng& rng, int) {
        p.Hole();
        double r = rng.Range(34, 44), step = rng.Range(150, 175);
        for (int iy = -1; iy <= 1; ++iy)
            for (int ix = -2; ix <= 2; ++ix)
            {
                double x = kCx + ix * step + (iy != 0 ? step / 2 : 0);
                if (std::abs(x - kCx) < 300)
                    HexPath(p.cr, x, kCy + iy * step * 0.8, r);
            }
        cairo_fill(p.cr);
    },
    // Hourglass: the middle pinched between two wedges.
    [](SPen& p, CRng& rng, int) {
        p.Hole();
        double gap = rng.Range(70, 100), w = rng.Range(110, 160);
        cairo_move_to(p.cr, kCx - w, 0);
        cairo_line_to(p.cr, kCx + w, 0);
        cairo_line_to(p.cr, kCx, kCy - gap);
        cairo_close_path(p.cr);
        cairo_move_to(p.cr, kCx - w, 600);
        cairo_line_to(p.cr, kCx + w, 600);
        cairo_line_to(p.cr, kCx, kCy + gap);
        cairo_close_path(p.cr);
        cairo_fill(p.cr);
    },
    // Two rings, one around each start.
    [](SPen& p, CRng& rng, int) {
        p.Hole();
        double r = rng.Range(140, 170), w = rng.Range(34, 44);
        cairo_set_line_width(p.cr, w);
        for (double x : {170.0, 630.0})
        {
            double open = rng.Range(0.6, 0.8);
            double toward = x < kCx ? 0.0 : M_PI;
            cairo_new_sub_path(p.cr);
            cairo_arc(p.cr, x, kCy, r, toward + open, toward + 2 * M_PI - open);
            cairo_stroke(p.cr);
        }
    },
    // Stepping islands: a chain of round meadows across the water.
    [](SPen& p, CRng& rng, int) {
        p.Hole();
        cairo_paint(p.cr);
        p.Ground();
        double r = rng.Range(95, 115), wave = rng.Range(60, 100);
        for (int i = 0; i <= 6; ++i)
        {
            double x = 60 + i * 680 / 6.0;
            p.Circle(x, kCy + ((i % 2) ? wave : -wave) * (i == 0 || i == 6 ? 0 : 1), r);
            p.Circle(x, kCy - ((i % 2) ? wave : -wave) * (i == 0 || i == 6 ? 0 : 1), r);
        }
        cairo_fill(p.cr);
    },
    // The four corners flooded, a diamond-shaped meadow.
    [](SPen& p, CRng& rng, int) {
        p.Hole();
        double cut = rng.Range(170, 220);
        cairo_move_to(p.cr, 0, 0);
        cairo_line_to(p.cr, kCx - 20, 0);
        cairo_line_to(p.cr, 0, kCy - cut * 0.4);
        cairo_close_path(p.cr);
        cairo_move_to(p.cr, 800, 0);
        cairo_line_to(p.cr, kCx + 20, 0);
        cairo_line_to(p.cr, 800, kCy - cut * 0.4);
        cairo_close_path(p.cr);
        cairo_move_to(p.cr, 0, 600);
        cairo_line_to(p.cr, kCx - 20, 600);
        cairo_line_to(p.cr, 0, kCy + cut * 0.4);
        cairo_close_path(p.cr);
        cairo_move_to(p.cr, 800, 600);
        cairo_line_to(p.cr, kCx + 20, 600);
        cairo_line_to(p.cr, 800, kCy + cut * 0.4);
        cairo_close_path(p.cr);
        cairo_fill(p.cr);
        p.Circle(kCx, kCy, rng.Range(40, 60));
        cairo_fill(p.cr);
    },
};

// ---- Moving: corridors that scroll by, gates and pillars.
const Design kMoving[] = {
    // Open field.
    [](SPen&, CRng&, int) {},
    // Two long corridors.
    [](SPen& p, CRng& rng, int) {
        p.Hole();
        double w = rng.Range(26, 36);
        for (double y : {kCy - rng.Range(110, 140), kCy + rng.Range(110, 140)})
            for (double x = rng.Range(30, 80); x < 760; x += rng.Range(200, 260))
                RoundedRect(p.cr, x, y - w / 2, rng.Range(110, 150), w, w / 2);
        cairo_fill(p.cr);
    },
    // Rows of pillars.
    [](SPen& p, CRng& rng, int) {
        p.Hole();
        double step = rng.Range(120, 150), r = rng.Range(20, 28);
        for (double x = 170; x < 700; x += step)
            for (int iy = -2; iy <= 2; ++iy)
                if (iy != 0)
                    p.Circle(x + (iy % 2 ? step / 2 : 0), kCy + iy * 100, r);
        cairo_fill(p.cr);
    },
    // Gates: vertical walls with openings that alternate.
    [](SPen& p, CRng& rng, int) {
        p.Hole();
        double w = rng.Range(26, 34);
        int i = 0;
        for (double x = 180; x < 660; x += rng.Range(140, 170), ++i)
        {
            double gapY = (i % 2 == 0) ? kCy - 120 : kCy + 120;
            double gap = 90;
            RoundedRect(p.cr, x - w / 2, 20, w, gapY - gap / 2 - 20, w / 2);
            RoundedRect(p.cr, x - w / 2, gapY + gap / 2, w, 580 - gapY - gap / 2, w / 2);
        }
        cairo_fill(p.cr);
        p.Ground();
        cairo_rectangle(p.cr, 0, kCy - 45, 800, 90); // the middle row stays open
        cairo_fill(p.cr);
    },
    // Waves.
    [](SPen& p, CRng& rng, int) {
        p.Hole();
        double amp = rng.Range(25, 40), w = rng.Range(24, 32), len = rng.Range(160, 220);
        cairo_set_line_width(p.cr, w);
        cairo_set_line_cap(p.cr, CAIRO_LINE_CAP_ROUND);
        for (double y0 : {kCy - 160, kCy + 160})
        {
            for (double x0 = 60; x0 < 700; x0 += len + 70)
            {
                cairo_move_to(p.cr, x0, y0);
                for (double t = 0; t <= 1.0; t += 0.05)
                    cairo_line_to(p.cr, x0 + t * len, y0 + amp * std::sin(t * 2 * M_PI));
                cairo_stroke(p.cr);
            }
        }
    },
    // Scattered rocks.
    [](SPen& p, CRng& rng, int) {
        p.Hole();
        for (int i = 0; i < 16; ++i)
            p.Circle(rng.Range(150, 650), rng.Range(40, 560), rng.Range(16, 30));
        cairo_fill(p.cr);
    },
    // Chevron hedges pointing the way the board scrolls.
    [](SPen& p, CRng& rng, int) {
        p.Hole();
        double w = rng.Range(24, 32), reach = rng.Range(90, 120);
        cairo_set_line_width(p.cr, w);
        cairo_set_line_cap(p.cr, CAIRO_LINE_CAP_ROUND);
        for (double x = 200; x < 640; x += rng.Range(150, 180))
            for (double y : {kCy - 170, kCy + 170})
            {
                cairo_move_to(p.cr, x + 40, y - reach / 2);
                cairo_line_to(p.cr, x, y);
                cairo_line_to(p.cr, x + 40, y + reach / 2);
            }
        cairo_stroke(p.cr);
    },
    // A river along the board with fords.
    [](SPen& p, CRng& rng, int) {
        p.Hole();
        double w = rng.Range(30, 40), y = kCy + (rng.Int(2) ? 1 : -1) * rng.Range(120, 160);
        cairo_set_line_width(p.cr, w);
        cairo_move_to(p.cr, 0, y);
        for (double x = 0; x <= 800; x += 20)
            cairo_line_to(p.cr, x, y + 22 * std::sin(x / 60.0));
        cairo_stroke(p.cr);
        p.Ground();
        for (double x = rng.Range(100, 160); x < 760; x += rng.Range(170, 220))
            cairo_rectangle(p.cr, x, y - 60, rng.Range(70, 90), 120);
        cairo_fill(p.cr);
    },
};

const Design* DesignFor(int set, int index, int& kinds)
{
    switch (set)
    {
    case 0: kinds = static_cast<int>(std::size(kClassic)); return &kClassic[index % kinds];
    case 1: kinds = static_cast<int>(std::size(kDuel)); return &kDuel[index % kinds];
    default: kinds = static_cast<int>(std::size(kMoving)); return &kMoving[index % kinds];
    }
}

std::vector<uint8_t> RenderMask(const Design& design, uint32_t seed, int level)
{
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_A8, kMaskWidth, kMaskHeight);
    cairo_t* cr = cairo_create(surface);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_rgba(cr, 0, 0, 0, 1);
    cairo_paint(cr);
    SPen pen{cr};
    CRng rng(seed);
    design(pen, rng, level);
    // Both start areas always stay playable.
    pen.Ground();
    pen.Circle(40, kCy, 75);
    pen.Circle(760, kCy, 75);
    cairo_fill(cr);
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    std::vector<uint8_t> mask(static_cast<size_t>(kMaskWidth) * kMaskHeight);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < kMaskHeight; ++y)
        for (int x = 0; x < kMaskWidth; ++x)
            mask[static_cast<size_t>(y) * kMaskWidth + x] = data[y * stride + x] ? 255 : 0;
    cairo_surface_destroy(surface);
    return mask;
}

bool ValidAtEveryWidth(const std::vector<uint8_t>& mask)
{
    for (int columns = kMinColumns; columns <= kMaxColumns; ++columns)
    {
        SMaskCheck check = CheckMask(mask, BoardForColumns(columns));
        // A margin over the one-half rule keeps the boards roomy.
        if (!check.startsPlayable || check.unreachable != 0 || check.playable * 5 < check.total * 3)
            return false;
    }
    return true;
}
} // namespace

void AddLevels(CDataWriter& out)
{
    static const char* kFolders[3] = {"dat/levels_classic", "dat/levels_duel", "dat/levels_moving"};
    for (int set = 0; set < 3; ++set)
    {
        for (int i = 0; i < kLevelsPerSet; ++i)
        {
            int kinds = 0;
            const Design* design = DesignFor(set, i, kinds);
            std::vector<uint8_t> mask;
            bool ok = false;
            // Variants of the design until one holds at every width.
            for (uint32_t attempt = 0; attempt < 40 && !ok; ++attempt)
            {
                mask = RenderMask(*design, 1000u * set + 37u * i + 7919u * attempt + 1, i);
                ok = ValidAtEveryWidth(mask);
            }
            if (!ok)
            {
                std::fprintf(stderr, "datagen: %s level %d kept as an open field\n", kFolders[set], i);
                mask = RenderMask(kClassic[0], 1, i);
            }
            char name[64];
            std::snprintf(name, sizeof(name), "%s/lev%03d.raw", kFolders[set], i);
            out.Add(name, std::move(mask));
        }
    }
}
} // namespace NDataGen
