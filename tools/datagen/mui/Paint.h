// Drawing helpers shared by the interface pictures: the palette, DejaVu text
// through FreeType, rounded boards, buttons' shapes and garden motifs. All
// drawing is deterministic (no clock, no unseeded randomness).
#pragma once

#include <cairo.h>

#include <string>
#include <vector>

namespace NDataGen::NMui
{
struct SColour
{
    double r, g, b;
};

// One warm garden palette for every window, control and panel.
namespace NPalette
{
inline constexpr SColour kSkyTop{0.42, 0.74, 0.93};
inline constexpr SColour kSkyLow{0.86, 0.95, 0.99};
inline constexpr SColour kGrassLight{0.55, 0.80, 0.30};
inline constexpr SColour kGrassDark{0.24, 0.56, 0.18};
inline constexpr SColour kPaper{1.00, 0.97, 0.87};
inline constexpr SColour kPaperEdge{0.93, 0.84, 0.64};
inline constexpr SColour kWood{0.66, 0.42, 0.22};
inline constexpr SColour kWoodDark{0.42, 0.25, 0.12};
inline constexpr SColour kInk{0.27, 0.17, 0.08};
inline constexpr SColour kTitle{0.16, 0.42, 0.12};
inline constexpr SColour kGold{1.00, 0.80, 0.20};
inline constexpr SColour kWhite{1.0, 1.0, 1.0};
} // namespace NPalette

enum class EFont
{
    Bold,
    Condensed, // the bitmap font: compact, so help pages hold more words
    Regular,
    Serif,
};

enum class EAlign
{
    Left,
    Centre,
    Right,
};

void SetColour(cairo_t* cr, SColour c, double alpha = 1.0);
SColour Mix(SColour a, SColour b, double t);
SColour Lighter(SColour c, double t);
SColour Darker(SColour c, double t);

// Selects a DejaVu face at the given pixel size on the context.
void SelectFont(cairo_t* cr, EFont font, double size);
double TextWidth(cairo_t* cr, const std::string& text);
// Largest size not above 'size' at which the text fits in maxWidth.
double FitSize(cairo_t* cr, EFont font, const std::string& text, double size, double maxWidth);

struct STextStyle
{
    EFont font = EFont::Bold;
    double size = 24;
    SColour fill = NPalette::kInk;
    double outline = 0; // width of a dark rim drawn under the fill
    SColour outlineColour = NPalette::kInk;
    double shadow = 0; // offset of a soft drop shadow
    EAlign align = EAlign::Left;
};
// (x, y) is the base line point: left end, centre or right end by align.
void DrawText(cairo_t* cr, const std::string& text, double x, double y, const STextStyle& style);

void RoundRect(cairo_t* cr, double x, double y, double w, double h, double r);
// Outline of the pointer arrow, tip at the origin, slightly tilted; closes the path.
void PointerArrowPath(cairo_t* cr);
// A vertical two-colour gradient as the current source.
void VerticalGradient(cairo_t* cr, double y0, double y1, SColour top, SColour bottom, double alpha = 1.0);

// A cream paper board with a wooden rim, as used by panels and windows.
void DrawBoard(cairo_t* cr, double x, double y, double w, double h, double radius);
// A flower of colour index 0..5; each colour has its own petal shape.
void DrawFlower(cairo_t* cr, double cx, double cy, double radius, int colour, double angle = 0);
void DrawLeaf(cairo_t* cr, double x, double y, double length, double angle, SColour c);
// Sky, hills and a flower meadow over the whole surface; seed varies the flowers.
void DrawGarden(cairo_t* cr, int width, int height, unsigned seed);

// Small deterministic generator for scattering decorations.
class CScatter
{
public:
    explicit CScatter(unsigned seed) : m_state(seed * 2654435761u + 12345u) {}
    double Next(); // 0 .. 1
    double Range(double lo, double hi) { return lo + (hi - lo) * Next(); }

private:
    unsigned m_state;
};

// Writes the surface as PNG into ZONVEL_MUI_PNG (a folder) when that is set, for looking at the art.
void DebugPng(cairo_surface_t* surface, const std::string& name);
} // namespace NDataGen::NMui

namespace NDataGen::NMui
{
// Word-wraps with the context's current font (select it first).
std::vector<std::string> WrapLines(cairo_t* cr, const std::string& text, double width);
// Draws wrapped text from the first base line y; returns the base line after the last line.
double DrawParagraph(cairo_t* cr, const std::string& text, double x, double y, double width, const STextStyle& style,
                     double lineHeight);
} // namespace NDataGen::NMui
