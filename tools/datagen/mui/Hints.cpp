#include "Hints.h"

#include "../Images.h"
#include "Illustrations.h"
#include "Paint.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

namespace NDataGen::NMui
{
namespace
{
constexpr double kPi = 3.14159265358979323846;

// Where the game screen draws the first panel's four illustrations (their centres).
constexpr double kGameplayX = 573, kGameplayY = 209;
constexpr double kHalfX = 226, kHalfY = 224;
constexpr double kFlowerX = 219, kFlowerY = 391;
constexpr int kGameplayW = 192, kGameplayH = 144;
constexpr int kHalfW = 160, kHalfH = 120;
constexpr int kFlowerCell = 64, kCoinCell = 32, kCoinFrames = 8;

// The places of the head-up display on the game screen.
constexpr double kPlayerZoneX = 134, kPlayerZoneY = 30;
constexpr double kOpponentZoneX = 666, kOpponentZoneY = 30;
constexpr double kMoneyX = 100, kMoneyY = 90;
constexpr double kLivesX = 84, kLivesY = 500;
constexpr double kScoreX = 130, kScoreY = 536;
constexpr double kLevelX = 690, kLevelY = 536;

// The first insect's coin on level 0 (row rows / 3, column 4); the game moves the coin
// panel's top-left corner onto the coin of whatever level it is shown on.
constexpr double kFirstCoinX = 234, kFirstCoinY = 188;

struct SPoint
{
    double x, y;
};

struct SHint
{
    double x, y, w, h;              // the panel body on the game screen
    const char* title;
    const char* body;
    std::vector<SPoint> pointers;   // speech-bubble tails toward parts of the screen
};

int PowerOfTwo(int v)
{
    int p = 16;
    while (p < v)
        p *= 2;
    return p;
}

// The size of the game's hint check box frame, from the picture the game art made (when present).
std::pair<int, int> CheckBoxSize(const CDataWriter& out)
{
    auto found = out.Files().find("dat/hints_checkbox.tga");
    if (found != out.Files().end() && found->second.size() > 18)
    {
        const Bytes& b = found->second;
        int w = b[12] + 256 * b[13], h = (b[14] + 256 * b[15]) / 4;
        if (w > 0 && h > 0)
            return {w, h};
    }
    return {32, 32};
}

void Tail(cairo_t* cr, double px, double py, double pw, double ph, SPoint tip)
{
    // the tail leaves the panel from the point of its body nearest the tip
    double bx = std::clamp(tip.x, px + 24, px + pw - 24), by = std::clamp(tip.y, py + 24, py + ph - 24);
    double dx = tip.x - bx, dy = tip.y - by, len = std::hypot(dx, dy);
    if (len < 1)
        return;
    double nx = -dy / len * 13, ny = dx / len * 13;
    cairo_move_to(cr, bx + nx, by + ny);
    cairo_line_to(cr, tip.x, tip.y);
    cairo_line_to(cr, bx - nx, by - ny);
    cairo_close_path(cr);
}

struct SPanelPicture
{
    cairo_surface_t* surface;
    cairo_t* cr;
    double originX, originY; // the picture's top-left corner on the game screen
};

// The bubble: cream body, green rim, tails; the context is left in game-screen coordinates.
SPanelPicture DrawPanel(const SHint& hint, int extraRight = 0, int extraBottom = 0)
{
    // room for the rim and the shadow around the body; a tail's tip sits 2 pixels inside the picture
    double left = hint.x - 6, top = hint.y - 6, right = hint.x + hint.w + extraRight + 8,
           bottom = hint.y + hint.h + extraBottom + 10;
    for (SPoint p : hint.pointers)
    {
        left = std::min(left, p.x - 2);
        top = std::min(top, p.y - 2);
        right = std::max(right, p.x + 2);
        bottom = std::max(bottom, p.y + 2);
    }
    SPanelPicture pic{};
    pic.originX = std::floor(left);
    pic.originY = std::floor(top);
    pic.surface = NewSurface(PowerOfTwo(static_cast<int>(right - pic.originX)),
                             PowerOfTwo(static_cast<int>(bottom - pic.originY)));
    cairo_t* cr = pic.cr = cairo_create(pic.surface);
    cairo_translate(cr, -pic.originX, -pic.originY);
    const SColour rim{0.22, 0.55, 0.16};
    // shadow
    cairo_save(cr);
    cairo_translate(cr, 4, 6);
    RoundRect(cr, hint.x, hint.y, hint.w, hint.h, 18);
    for (SPoint p : hint.pointers)
        Tail(cr, hint.x, hint.y, hint.w, hint.h, p);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.28);
    cairo_fill(cr);
    cairo_restore(cr);
    for (SPoint p : hint.pointers)
        Tail(cr, hint.x, hint.y, hint.w, hint.h, p);
    SetColour(cr, rim);
    cairo_set_line_width(cr, 6);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
    RoundRect(cr, hint.x, hint.y, hint.w, hint.h, 18);
    cairo_stroke(cr);
    // body and tails filled one by one: a tail winds the other way round than the body
    for (SPoint p : hint.pointers)
    {
        Tail(cr, hint.x, hint.y, hint.w, hint.h, p);
        VerticalGradient(cr, hint.y, hint.y + hint.h, {1.0, 0.99, 0.92}, {0.98, 0.93, 0.78});
        cairo_fill(cr);
    }
    RoundRect(cr, hint.x, hint.y, hint.w, hint.h, 18);
    VerticalGradient(cr, hint.y, hint.y + hint.h, {1.0, 0.99, 0.92}, {0.98, 0.93, 0.78});
    cairo_fill(cr);
    for (SPoint p : hint.pointers)
    {
        Tail(cr, hint.x, hint.y, hint.w, hint.h, p);
        VerticalGradient(cr, hint.y, hint.y + hint.h, {1.0, 0.99, 0.92}, {0.98, 0.93, 0.78});
        cairo_fill(cr);
    }
    return pic;
}

void DrawTitle(cairo_t* cr, const SHint& hint, double baseLine)
{
    DrawFlower(cr, hint.x + 26, baseLine - 8, 11, 2);
    STextStyle title;
    title.size = FitSize(cr, EFont::Bold, hint.title, 21, hint.w - 60);
    title.fill = NPalette::kTitle;
    DrawText(cr, hint.title, hint.x + 44, baseLine, title);
}

STextStyle BodyStyle(double size = 16, EAlign align = EAlign::Left)
{
    STextStyle s;
    s.font = EFont::Regular;
    s.size = size;
    s.fill = NPalette::kInk;
    s.align = align;
    return s;
}

// The check box caption and the closing note along the panel's bottom; returns the check box place (panel-relative).
SPoint DrawFooter(cairo_t* cr, const SHint& hint, std::pair<int, int> box)
{
    double boxX = 16, boxY = hint.h - box.second - 10;
    STextStyle note = BodyStyle(14);
    note.font = EFont::Bold;
    note.fill = {0.35, 0.30, 0.20};
    DrawText(cr, "Show hints", hint.x + boxX + box.first + 6, hint.y + boxY + box.second / 2.0 + 5, note);
    // narrow panels have no room for the closing note beside the caption
    if (hint.w >= 300)
    {
        note.font = EFont::Regular;
        note.align = EAlign::Right;
        DrawText(cr, "Click to close", hint.x + hint.w - 16, hint.y + boxY + box.second / 2.0 + 5, note);
    }
    return {boxX, boxY};
}

std::string Record(const SPanelPicture& pic, const SHint& hint, SPoint box)
{
    char text[160];
    std::snprintf(text, sizeof text, "  <hint posx=\"%d\" posy=\"%d\" posxcb=\"%d\" posycb=\"%d\"></hint>\n",
                  static_cast<int>(pic.originX), static_cast<int>(pic.originY),
                  static_cast<int>(std::lround(hint.x - pic.originX + box.x)),
                  static_cast<int>(std::lround(hint.y - pic.originY + box.y)));
    return text;
}

void Finish(CDataWriter& out, SPanelPicture& pic, int index)
{
    cairo_destroy(pic.cr);
    char name[32];
    std::snprintf(name, sizeof name, "dat/hints/hint%02d.tga", index);
    DebugPng(pic.surface, name);
    out.Add(name, EncodeTga(pic.surface, true));
    cairo_surface_destroy(pic.surface);
}

// ---- The four illustrations of the first panel ----

// One move per group: frame 0 the field and the flower about to be clicked, frame 1 after the move.
void AddGameplay(CDataWriter& out)
{
    std::vector<SMiniField> states;
    std::vector<std::pair<int, int>> clicks;
    SMiniField field(5, 8, 11);
    int mid = 2;
    field.owner[mid][0] = 1;
    for (auto [r, c] : field.Zone(mid, 0))
        field.owner[r][c] = 1;
    for (int move = 0; move < 3; ++move)
    {
        states.push_back(field);
        // the colour touching the zone most often, and one flower of it to click
        int count[6] = {};
        std::pair<int, int> click{mid, 1};
        for (auto [r, c] : field.Zone(mid, 0))
            for (auto [nr, nc] : field.Neighbours(r, c))
                if (field.owner[nr][nc] == 0)
                    ++count[field.colours[nr][nc]];
        int best = static_cast<int>(std::max_element(count, count + 6) - count);
        for (auto [r, c] : field.Zone(mid, 0))
            for (auto [nr, nc] : field.Neighbours(r, c))
                if (field.owner[nr][nc] == 0 && field.colours[nr][nc] == best && nc >= click.second)
                    click = {nr, nc};
        clicks.push_back(click);
        field.Fill(mid, 0, best, 1);
        states.push_back(field);
    }
    AddSpriteSheet(out, "dat/hints/gameplay.spr", "dat/hints/gameplay.tga", 3, 2, kGameplayW, kGameplayH,
                   [&](cairo_t* cr, int group, int frame, double w, double h) {
                       RoundRect(cr, 3, 3, w - 6, h - 6, 14);
                       VerticalGradient(cr, 0, h, {0.50, 0.74, 0.36}, {0.33, 0.56, 0.22});
                       cairo_fill_preserve(cr);
                       SetColour(cr, {0.2, 0.4, 0.12});
                       cairo_set_line_width(cr, 2.5);
                       cairo_stroke(cr);
                       const SMiniField& f = states[group * 2 + frame];
                       double step = 21;
                       DrawMiniField(cr, f, w / 2, h / 2, step, frame == 1);
                       if (frame == 0)
                       {
                           auto [r, c] = clicks[group];
                           double x0 = w / 2 - MiniFieldWidth(f, step) / 2, y0 = h / 2 - (f.rows - 1) * step * 0.87 / 2;
                           DrawPointerArrow(cr, x0 + c * step + (r % 2) * step / 2 + 2, y0 + r * step * 0.87 + 2, 0.9);
                       }
                   });
}

// The field shared between the two sides: the zones grow until one owns more than half.
void AddHalf(CDataWriter& out)
{
    AddSpriteSheet(out, "dat/hints/half.spr", "dat/hints/half.tga", 3, 2, kHalfW, kHalfH,
                   [&](cairo_t* cr, int group, int frame, double w, double h) {
                       RoundRect(cr, 3, 3, w - 6, h - 6, 12);
                       VerticalGradient(cr, 0, h, {0.50, 0.74, 0.36}, {0.33, 0.56, 0.22});
                       cairo_fill_preserve(cr);
                       SetColour(cr, {0.2, 0.4, 0.12});
                       cairo_set_line_width(cr, 2.5);
                       cairo_stroke(cr);
                       SMiniField f(5, 7, 23);
                       // the player's zone (red, from the left) and the opponent's (blue, from the right)
                       int mine[3] = {2, 3, 4}, theirs[3] = {1, 2, 3};
                       for (int r = 0; r < f.rows; ++r)
                           for (int c = 0; c < f.columns; ++c)
                           {
                               int reach = std::abs(r - 2) / 2;
                               if (c < mine[group] - reach)
                               {
                                   f.colours[r][c] = 0;
                                   f.owner[r][c] = 1;
                               }
                               else if (c >= f.columns - theirs[group] + reach)
                               {
                                   f.colours[r][c] = 2;
                                   f.owner[r][c] = 2;
                               }
                               else if (f.colours[r][c] == 0 || f.colours[r][c] == 2)
                               {
                                   // free flowers in the other four colours
                                   static const int kFree[4] = {1, 3, 4, 5};
                                   f.colours[r][c] = kFree[(r * 3 + c) % 4];
                               }
                           }
                       DrawMiniField(cr, f, w / 2, h / 2 - 6, 19, frame == 1);
                       // the middle line: whoever owns more than half wins
                       cairo_move_to(cr, w / 2, 10);
                       cairo_line_to(cr, w / 2, h - 10);
                       double dash[2] = {5, 4};
                       cairo_set_dash(cr, dash, 2, 0);
                       cairo_set_source_rgba(cr, 1, 1, 1, 0.85);
                       cairo_set_line_width(cr, 2);
                       cairo_stroke(cr);
                       cairo_set_dash(cr, nullptr, 0, 0);
                   });
}

void AddFlowerAndCoin(CDataWriter& out)
{
    AddSpriteSheet(out, "dat/hints/skin01.spr", "dat/hints/skin01.tga", 1, 1, kFlowerCell, kFlowerCell,
                   [](cairo_t* cr, int, int, double w, double h) { DrawFlower(cr, w / 2, h / 2, w * 0.46, 2); });
    AddSpriteSheet(out, "dat/hints/bonus.spr", "dat/hints/bonus.tga", 1, kCoinFrames, kCoinCell, kCoinCell,
                   [](cairo_t* cr, int, int frame, double w, double h) {
                       DrawCoin(cr, w / 2, h / 2, w * 0.44, 3, static_cast<double>(frame) / kCoinFrames / 2);
                   });
}

// ---- The panels ----

int BodyLines(const SHint& hint)
{
    cairo_surface_t* s = NewSurface(8, 8);
    cairo_t* cr = cairo_create(s);
    SelectFont(cr, EFont::Regular, 16);
    int lines = static_cast<int>(WrapLines(cr, hint.body, hint.w - 36).size());
    cairo_destroy(cr);
    cairo_surface_destroy(s);
    return lines;
}

std::optional<SPoint> BonusButtonsCentre(const CDataWriter& out)
{
    // the bonus buttons' layout comes from the game art; aim the bonus hint at their middle
    auto found = out.Files().find("dat/bonuses_buttons.txt");
    if (found == out.Files().end())
        return std::nullopt;
    std::string text(found->second.begin(), found->second.end());
    double sx = 0, top = 1e9;
    int n = 0;
    size_t pos = 0;
    while ((pos = text.find("m_bonus_", pos)) != std::string::npos)
    {
        size_t end = text.find_first_of(" \t", pos);
        if (end == std::string::npos)
            break;
        std::string key = text.substr(pos, end - pos);
        double v = std::atof(text.c_str() + end);
        if (key.size() > 2 && key.compare(key.size() - 2, 2, ".x") == 0)
        {
            sx += v;
            ++n;
        }
        else if (key.size() > 2 && key.compare(key.size() - 2, 2, ".y") == 0)
            top = std::min(top, v);
        pos = end;
    }
    if (n == 0)
        return std::nullopt;
    // just above the middle of the buttons (whose top-left corners these are)
    return SPoint{sx / n + 20, top - 4};
}
} // namespace

void GenerateHints(CDataWriter& out, const SFontMetrics& /*font*/)
{
    AddGameplay(out);
    AddHalf(out);
    AddFlowerAndCoin(out);
    std::pair<int, int> box = CheckBoxSize(out);
    std::string xml = "// Hint panels in the order the game shows them; the last is the wrong-colour hint.\n<hints>\n";

    // Panel 0: the goal, around the four illustrations the game draws on it.
    {
        SHint hint{110, 84, 580, 440, "Welcome to Zonvel!", "", {}};
        SPanelPicture pic = DrawPanel(hint);
        cairo_t* cr = pic.cr;
        STextStyle title;
        title.size = 28;
        title.fill = NPalette::kWhite;
        title.outline = 2.5;
        title.outlineColour = NPalette::kTitle;
        title.align = EAlign::Centre;
        DrawText(cr, hint.title, hint.x + hint.w / 2, hint.y + 40, title);
        // frames under the illustrations, which the game draws at fixed screen places
        for (auto [cx, cy, w, h] : {std::array<double, 4>{kHalfX, kHalfY, kHalfW, kHalfH},
                                    std::array<double, 4>{kGameplayX, kGameplayY, kGameplayW, kGameplayH}})
        {
            RoundRect(cr, cx - w / 2 - 4, cy - h / 2 - 4, w + 8, h + 8, 16);
            SetColour(cr, {0.85, 0.76, 0.55});
            cairo_fill(cr);
        }
        cairo_arc(cr, kFlowerX, kFlowerY, 38, 0, 2 * kPi);
        SetColour(cr, {0.85, 0.76, 0.55});
        cairo_fill(cr);
        STextStyle body = BodyStyle(15.5);
        double midLeft = kHalfX + kHalfW / 2 + 12, midRight = kGameplayX - kGameplayW / 2 - 12;
        DrawParagraph(cr, "Your zone starts at the left edge, the computer's at the right.",
                      midLeft, kHalfY - 36, midRight - midLeft, BodyStyle(15.5, EAlign::Centre), 20);
        double below = std::max(kHalfY + kHalfH / 2, kGameplayY + kGameplayH / 2) + 30;
        DrawParagraph(cr,
                      "Click a flower touching your zone: your zone takes its colour and grows over the touching "
                      "flowers of that colour.",
                      hint.x + 24, below, hint.w - 48, body, 20);
        DrawParagraph(cr,
                      "Insects drop coins on flowers. Capture those flowers to collect the money for bonuses.",
                      kFlowerX + 48, kFlowerY - 8, hint.x + hint.w - 24 - (kFlowerX + 48), body, 20);
        STextStyle goal = BodyStyle(17, EAlign::Centre);
        goal.font = EFont::Bold;
        goal.fill = NPalette::kTitle;
        DrawParagraph(cr, "When the field is full, own at least as many flowers as the computer to win the level!",
                      hint.x + 30, kFlowerY + 60, hint.w - 60, goal, 21);
        SPoint cb = DrawFooter(cr, hint, box);
        xml += Record(pic, hint, cb);
        Finish(out, pic, 0);
    }

    std::optional<SPoint> bonus = BonusButtonsCentre(out);
    const std::vector<SHint> hints = {
        // 1: choosing a colour, beside the player's start flower
        {80, 300, 330, 150, "Choosing a colour",
         "Click any flower of the colour you want next to your zone. You cannot take your own colour or the "
         "computer's.",
         {{34, 282}}},
        // 2, 3, 4: the head-up display, shown together
        {150, 24, 240, 112, "Your flowers", "How many flowers your zone holds.", {{kPlayerZoneX, kPlayerZoneY}}},
        {410, 24, 240, 112, "Computer's flowers", "How many flowers the computer's zone holds.",
         {{kOpponentZoneX, kOpponentZoneY}}},
        {250, 380, 300, 100, "Score and level", "Your score is at the bottom left, the level at the bottom right.",
         {{kScoreX + 20, kScoreY}, {kLevelX - 20, kLevelY}}},
        // 5: winning, losing, lives
        {150, 300, 360, 168, "Winning and losing",
         "When the field is full the bigger zone wins. Win to reach the next level; lose and a life is gone "
         "(lives: bottom left) and you play the level again.",
         {{kLivesX + 16, kLivesY - 12}}},
        // 6 and 7: money, and the first coin (the game moves panel 7 onto the coin's flower)
        {150, 20, 320, 112, "Your money", "Coins you capture add up here. Spend them on bonuses.",
         {{kMoneyX + 20, kMoneyY - 8}}},
        {kFirstCoinX + 22, kFirstCoinY + 18, 320, 126, "A coin!",
         "An insect dropped a coin on this flower. Capture the flower to collect it: 1, 5, 10, 25 cents or a "
         "whole dollar.",
         {{kFirstCoinX + 2, kFirstCoinY + 2}}},
        // 8: bonuses
        {230, 372, 340, 150, "Bonuses",
         "The bonus buttons buy help with your money. Rest the mouse on a button to read what it does and "
         "what it costs.",
         bonus ? std::vector<SPoint>{*bonus} : std::vector<SPoint>{}},
        // 9: the magnifier
        {230, 200, 340, 140, "Magnifier",
         "Flowers too small? Hold the right mouse button over the field to magnify the flower under the pointer.",
         {}},
        // 10: the wrong-colour hint
        {220, 210, 360, 132, "Not this colour",
         "This flower has your own colour or the computer's. Choose a flower of another colour.", {}},
    };
    for (size_t i = 0; i < hints.size(); ++i)
    {
        const SHint& hint = hints[i];
        int index = static_cast<int>(i) + 1;
        SHint placed = hint;
        placed.h = std::max(hint.h, 50 + BodyLines(placed) * 20.0 + box.second + 20);
        SPanelPicture pic = DrawPanel(placed);
        cairo_t* cr = pic.cr;
        DrawTitle(cr, placed, placed.y + 30);
        DrawParagraph(cr, placed.body, placed.x + 18, placed.y + 56, placed.w - 36, BodyStyle(), 20);
        if (index == 9)
        {
            // a mouse with its right button lit
            double mx = placed.x + placed.w - 36, my = placed.y + 26;
            RoundRect(cr, mx - 14, my - 18, 28, 40, 13);
            SetColour(cr, {0.95, 0.95, 0.95});
            cairo_fill_preserve(cr);
            SetColour(cr, {0.3, 0.3, 0.3});
            cairo_set_line_width(cr, 1.5);
            cairo_stroke(cr);
            cairo_rectangle(cr, mx, my - 17, 13, 16);
            SetColour(cr, {1.0, 0.55, 0.1});
            cairo_fill(cr);
        }
        SPoint cb = DrawFooter(cr, placed, box);
        xml += Record(pic, placed, cb);
        Finish(out, pic, index);
    }
    xml += "</hints>\n";
    out.AddText("dat/hints/hints.xml", xml);
}
} // namespace NDataGen::NMui
