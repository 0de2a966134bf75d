// Small pictures shared by the hint panels and the help pages: a miniature
// flower field with zones, coins, and the sprite-sheet writer.
#pragma once

#include "../DataWriter.h"
#include "Paint.h"

#include <functional>
#include <string>
#include <vector>

namespace NDataGen::NMui
{
// A little hexagonal field of flowers; colours[r][c] in 0..5, -1 for none.
struct SMiniField
{
    int rows = 0, columns = 0;
    std::vector<std::vector<int>> colours;
    std::vector<std::vector<int>> owner; // 0 none, 1 the player, 2 the opponent

    SMiniField(int rowCount, int columnCount, unsigned seed);
    std::vector<std::pair<int, int>> Neighbours(int r, int c) const;
    // The connected cells of (r, c)'s colour.
    std::vector<std::pair<int, int>> Zone(int r, int c) const;
    // The player's move: the zone of (r, c) takes 'colour' and absorbs what touches it.
    void Fill(int r, int c, int colour, int who);
};

// Draws the field with cells 'step' apart, centred at (cx, cy); owned zones get a glowing rim when 'glow'.
void DrawMiniField(cairo_t* cr, const SMiniField& field, double cx, double cy, double step, bool glow);
double MiniFieldWidth(const SMiniField& field, double step);

// Coin kinds 0..4 (1, 5, 10, 25, 100 cents); 'turn' 0..1 spins the coin about its vertical axis.
void DrawCoin(cairo_t* cr, double cx, double cy, double radius, int kind, double turn);
// The game's pointer arrow with its tip at (x, y).
void DrawPointerArrow(cairo_t* cr, double x, double y, double scale);

// Writes picture + .spr for a sheet of groups x frames cells; draw(cr, group, frame, w, h) draws one upright
// cell at the origin (group 0 is stored as the bottom strip, as sprites read it).
using CellFn = std::function<void(cairo_t*, int group, int frame, double w, double h)>;
void AddSpriteSheet(CDataWriter& out, const std::string& sprFile, const std::string& pictureFile, int groups,
                    int frames, int cellW, int cellH, const CellFn& draw);
} // namespace NDataGen::NMui
