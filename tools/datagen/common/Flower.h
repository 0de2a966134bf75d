// The game's flowers, hole tile and coins as vector drawings centred on the
// origin, y down. Shared by the game sprites and the hint illustrations.
#pragma once

#include <cairo.h>

namespace NDataGen
{
// One flower of colour 0..5 within radius; each colour has its own petal
// shape. twist turns the petals (radians) for the flip animation.
void DrawFlower(cairo_t* cr, int colour, double radius, double twist = 0.0);
// A sunken patch of soil: clearly no flower.
void DrawHoleTile(cairo_t* cr, double radius);
// Coin kinds 0..4 (1, 5, 10, 25, 100 cents). spin is the turn about the
// vertical axis in radians: 0 shows the face, pi the back.
void DrawCoin(cairo_t* cr, int kind, double radius, double spin);
// The coin's radius relative to the largest (kind 4).
double CoinScale(int kind);
} // namespace NDataGen
