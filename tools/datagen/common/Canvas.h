// Shared drawing helpers of the data generator: a seeded random source, the
// palette, DejaVu text through FreeType and a few vector shapes. Everything
// here is deterministic: no clock, no global random state.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>

namespace NDataGen
{
// Small seeded generator for art variety (never the program's own one).
class CRng
{
public:
    explicit CRng(uint32_t seed) : m_state(seed * 2654435761u + 0x9E3779B9u)
    {
        // xorshift never leaves 0, and its first outputs from nearby seeds look alike.
        if (m_state == 0)
            m_state = 1;
        for (int i = 0; i < 8; ++i)
            Next();
    }
    uint32_t Next();
    // Uniform in [lo, hi).
    double Range(double lo, double hi);
    int Int(int n) { return static_cast<int>(Next() % static_cast<uint32_t>(n)); }

private:
    uint32_t m_state;
};

struct SColour
{
    double r, g, b, a = 1.0;
};

SColour Rgb(uint32_t hex, double alpha = 1.0);
SColour Mix(const SColour& a, const SColour& b, double t);
SColour Lighter(const SColour& c, double t); // towards white
SColour Darker(const SColour& c, double t);  // towards black
SColour Grey(const SColour& c);              // same lightness, no hue

void SetColour(cairo_t* cr, const SColour& c);
void SetColour(cairo_t* cr, const SColour& c, double alpha);

// The six cell colours, in colour-number order; also the game's palette.
SColour FlowerColour(int colour);
namespace NPalette
{
constexpr uint32_t kInk = 0x2B2140;      // outlines and dark text
constexpr uint32_t kLeaf = 0x4FA84A;     // meadow green
constexpr uint32_t kLeafDark = 0x2E6F35;
constexpr uint32_t kSky = 0x8FD6F5;
constexpr uint32_t kCream = 0xFFF6DC;
constexpr uint32_t kGold = 0xF6C431;
constexpr uint32_t kButton = 0x5B8DEF;   // button face
constexpr uint32_t kButtonDark = 0x2F56B0;
} // namespace NPalette

enum class EFont
{
    Sans,
    SansBold,
    SansCondensedBold,
    SerifBold,
};

// Selects a DejaVu face at a pixel size (faces are loaded once).
void SetFont(cairo_t* cr, EFont font, double size);
double TextWidth(cairo_t* cr, const std::string& text);
// Adds the text outline to the path, centred on x with its ink box centred on y.
void TextPathCentred(cairo_t* cr, const std::string& text, double x, double y);
// Fills the text with a dark outline around it (readable on any background).
void DrawLabel(cairo_t* cr, const std::string& text, double x, double y, const SColour& fill,
               const SColour& outline, double outlineWidth);

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r);
// Regular hexagon with a corner pointing up, centred on (x, y).
void HexPath(cairo_t* cr, double x, double y, double radius);
void StarPath(cairo_t* cr, double x, double y, int points, double outer, double inner, double turn);
void HeartPath(cairo_t* cr, double x, double y, double size);

// Radial gradient from a lighter centre (offset up-left) to the colour.
cairo_pattern_t* BallGradient(double x, double y, double radius, const SColour& c);
} // namespace NDataGen
