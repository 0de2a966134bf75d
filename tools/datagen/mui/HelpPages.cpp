#include "HelpPages.h"

#include "../Images.h"
#include "Illustrations.h"
#include "Paint.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace NDataGen::NMui
{
namespace
{
constexpr double kPi = 3.14159265358979323846;

// The page area of the help window's background (inside its paper board).
constexpr double kPageLeft = 64, kPageRight = 736, kPageBottom = 456; // a flower border lies below
constexpr double kTitleSize = 36, kBodySize = 20, kSmallSize = 17;

struct SRgba
{
    double r, g, b, a;
};
constexpr SRgba kTitleColour{0.16, 0.42, 0.12, 1};
constexpr SRgba kBodyColour{0.27, 0.17, 0.08, 1};
constexpr SRgba kAccentColour{0.62, 0.25, 0.05, 1};

std::string Num(double v)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", std::round(v * 1000) / 1000);
    return text;
}

class CPageWriter
{
public:
    explicit CPageWriter(const SFontMetrics& font) : m_font(font) {}

    void BeginPage(const std::string& title)
    {
        m_xml += " <page>\n";
        m_pictures.clear();
        m_y = 84;
        Text(title, kPageLeft, m_y, kPageRight - kPageLeft, kTitleSize, kTitleColour);
        m_y += 46;
    }
    void EndPage()
    {
        m_xml += " </page>\n";
        if (m_y > kPageBottom + kBodySize)
            std::fprintf(stderr, "datagen: a help page runs past the page (%g)\n", m_y);
    }

    // A wrapped text block; (x, y) is the left end of its first base line. Returns the lines used.
    int Text(const std::string& text, double x, double y, double width, double size, SRgba colour)
    {
        if (text.find("//") != std::string::npos || text.find('<') != std::string::npos)
            std::fprintf(stderr, "datagen: help text cannot hold '//' or '<': %s\n", text.c_str());
        int lines = static_cast<int>(WrapText(m_font, text, width, size).size());
        m_xml += "  <block font_size=\"" + Num(size) + "\" width=\"" + Num(width) + "\" height=\"" +
                 std::to_string(lines) + "\">" + Pos(x, y) + Colour(colour) + "<text>" + text + "</text></block>\n";
        return lines;
    }
    // A paragraph at the running position of the page.
    void Paragraph(const std::string& text, double x = kPageLeft, double width = kPageRight - kPageLeft,
                   double size = kBodySize, SRgba colour = kBodyColour)
    {
        // A paragraph that would run into a picture beside it starts below the picture instead.
        const double lines = static_cast<double>(WrapText(m_font, text, width, size).size());
        for (const SBox& p : m_pictures)
            if (x < p.right && x + width > p.left && m_y - size < p.bottom + 4 && m_y + lines * size > p.top)
                m_y = std::max(m_y, p.bottom + 4 + size);
        Text(text, x, m_y, width, size, colour);
        m_y += lines * size + size * 0.6;
    }
    // A sprite centred at (x, y), drawn at width x height.
    void Image(const std::string& spr, const std::string& name, double x, double y, double w, double h, int group,
               bool animated, int frameTime)
    {
        m_pictures.push_back({x - w / 2, y - h / 2, x + w / 2, y + h / 2});
        m_xml += "  <block width=\"" + Num(w) + "\" height=\"" + Num(h) + "\">" + Pos(x, y) +
                 "<image name=\"" + name + "\" animated=\"" + (animated ? "1" : "0") + "\" frame_time=\"" +
                 std::to_string(frameTime) + "\" group=\"" + std::to_string(group) + "\">" + spr +
                 "</image></block>\n";
    }

    double& Y() { return m_y; }
    std::string Document() const { return "// The help book: one element per page, one per block.\n<help>\n" + m_xml + "</help>\n"; }

private:
    static std::string Pos(double x, double y)
    {
        return "<pos x=\"" + Num(x) + "\" y=\"" + Num(y) + "\" z=\"0\"></pos>";
    }
    static std::string Colour(SRgba c)
    {
        return "<font_color r=\"" + Num(c.r) + "\" g=\"" + Num(c.g) + "\" b=\"" + Num(c.b) + "\" a=\"" + Num(c.a) +
               "\"></font_color>";
    }

    struct SBox
    {
        double left, top, right, bottom;
    };

    const SFontMetrics& m_font;
    std::vector<SBox> m_pictures; // of the current page
    std::string m_xml;
    double m_y = 0;
};

struct SBonusHelp
{
    const char* file;  // the game's button picture under dat/bonus_btn/
    const char* name;
    const char* price;
    const char* text;
};

const SBonusHelp kBonuses[11] = {
    {"single_repaint", "Repaint one flower", "1 cent",
     "An insect repaints one free flower in the colour of your zone."},
    {"zone_repaint", "Repaint a field", "2 cents",
     "A random group of free flowers takes the colour of your zone."},
    {"free_randomize", "Shuffle free flowers", "3 cents", "Every flower that belongs to nobody gets a new colour."},
    {"forward3", "Step forward", "5 cents", "Your zone moves one flower further along the middle row."},
    {"forward6", "Three steps forward", "10 cents", "Your zone moves three flowers further along the middle row."},
    {"self_repaint", "Repaint your zone", "15 cents", "Your zone takes a random colour, a free move for you."},
    {"skip_move", "Skip a turn", "25 cents", "The computer misses its next turn."},
    {"backward3", "Push back two", "30 cents", "The computer's zone loses up to two flowers in every row."},
    {"backward6", "Push back four", "40 cents", "The computer's zone loses up to four flowers in every row."},
    {"apponent_randomize", "Scramble the opponent", "50 cents",
     "Every flower of the computer's zone gets a random colour."},
    {"life", "Extra life", "$1", "You get one more life."},
};

// The bonus button pictures come from the game art; a help sprite shows their first (normal) frame.
// Without them the help shows badges of its own.
void AddBonusPictures(CDataWriter& out, std::vector<std::pair<std::string, double>>& sprites)
{
    bool fallback = false;
    for (const SBonusHelp& b : kBonuses)
    {
        std::string picture = std::string("dat/bonus_btn/") + b.file + ".tga";
        auto found = out.Files().find(picture);
        if (found == out.Files().end() || found->second.size() < 18)
        {
            fallback = true;
            break;
        }
        const Bytes& tga = found->second;
        double w = tga[12] + 256 * tga[13], h = (tga[14] + 256 * tga[15]) / 4.0;
        std::string spr = std::string("mui/help/bonus_") + b.file + ".spr";
        // four button frames: group 0 is the bottom band, the normal frame
        out.AddText(spr, "file_name " + picture + "\ngroups 4\nframes 1\ntex_wrap 0\ntex_dynamic 1\n");
        sprites.push_back({spr, h > 0 ? w / h : 1});
    }
    if (!fallback)
        return;
    sprites.clear();
    AddSpriteSheet(out, "mui/help/bonuses.spr", "mui/help/bonuses.tga", 11, 1, 64, 64,
                   [](cairo_t* cr, int group, int, double w, double h) {
                       cairo_arc(cr, w / 2, h / 2, w * 0.44, 0, 2 * kPi);
                       VerticalGradient(cr, 0, h, {0.45, 0.78, 0.30}, {0.22, 0.50, 0.15});
                       cairo_fill_preserve(cr);
                       SetColour(cr, NPalette::kWoodDark);
                       cairo_set_line_width(cr, 3);
                       cairo_stroke(cr);
                       STextStyle style;
                       style.size = FitSize(cr, EFont::Bold, kBonuses[group].price, 20, w * 0.72);
                       style.fill = NPalette::kWhite;
                       style.outline = 1.5;
                       style.outlineColour = NPalette::kTitle;
                       style.align = EAlign::Centre;
                       DrawText(cr, kBonuses[group].price, w / 2, h / 2 + 7, style);
                   });
    for (int i = 0; i < 11; ++i)
        sprites.push_back({"mui/help/bonuses.spr", 1.0});
}

void AddCoins(CDataWriter& out)
{
    AddSpriteSheet(out, "mui/help/coins.spr", "mui/help/coins.tga", 5, 8, 48, 48,
                   [](cairo_t* cr, int group, int frame, double w, double h) {
                       DrawCoin(cr, w / 2, h / 2, w * 0.45, group, frame / 16.0);
                   });
}

void AddHeart(CDataWriter& out)
{
    AddSpriteSheet(out, "mui/help/heart.spr", "mui/help/heart.tga", 1, 8, 64, 64,
                   [](cairo_t* cr, int, int frame, double w, double h) {
                       double beat = 1 + 0.08 * std::sin(frame * 2 * kPi / 8);
                       cairo_translate(cr, w / 2, h / 2 + 2);
                       cairo_scale(cr, beat, beat);
                       cairo_move_to(cr, 0, 20);
                       cairo_curve_to(cr, -34, -4, -20, -30, 0, -14);
                       cairo_curve_to(cr, 20, -30, 34, -4, 0, 20);
                       cairo_close_path(cr);
                       VerticalGradient(cr, -24, 20, {1.0, 0.45, 0.45}, {0.80, 0.10, 0.15});
                       cairo_fill_preserve(cr);
                       SetColour(cr, {0.45, 0.05, 0.05});
                       cairo_set_line_width(cr, 2.5);
                       cairo_stroke(cr);
                       cairo_arc(cr, -9, -9, 4, 0, 2 * kPi);
                       cairo_set_source_rgba(cr, 1, 1, 1, 0.7);
                       cairo_fill(cr);
                   });
}
} // namespace

void GenerateHelp(CDataWriter& out, const SFontMetrics& font)
{
    std::vector<std::pair<std::string, double>> bonusSprites;
    AddBonusPictures(out, bonusSprites);
    AddCoins(out);
    AddHeart(out);
    CPageWriter w(font);
    const double textRight = 500; // beside the pictures on the right

    w.BeginPage("The goal");
    w.Image("dat/hints/gameplay.spr", "help_gameplay", 622, 200, 192, 144, 0, true, 900);
    w.Paragraph("The garden is a field of flowers in six colours. Your zone starts at the middle of the left edge, "
                "the computer's at the middle of the right edge.",
                kPageLeft, textRight - kPageLeft);
    w.Paragraph("On your turn click a flower of the colour you want next to your zone. Your whole zone takes that "
                "colour and grows over every touching flower of it.",
                kPageLeft, textRight - kPageLeft);
    w.Paragraph("Free flowers that the computer can no longer reach become yours as well. Then the computer "
                "moves in the same way.");
    w.Paragraph("When every flower belongs to a zone the level ends: own at least as many flowers as the "
                "computer and you win it.",
                kPageLeft, kPageRight - kPageLeft, kBodySize, kAccentColour);
    w.EndPage();

    w.BeginPage("Choosing a colour");
    w.Image("dat/hints/half.spr", "help_half", 640, 210, 160, 120, 2, true, 500);
    w.Paragraph("You cannot choose the colour of your own zone or the colour of the computer's zone.",
                kPageLeft, textRight + 30 - kPageLeft);
    w.Paragraph("The raised flower shows whose turn it is. While you rest the mouse on a flower, the flowers your "
                "move would take are drawn with a dark rim.",
                kPageLeft, textRight + 30 - kPageLeft);
    w.Paragraph("Flowers too small? Hold the right mouse button over the field and the flower under the pointer "
                "grows.");
    w.Paragraph("Look ahead: a colour that opens the way into a big region of the field is often worth more than "
                "a few flowers now.");
    w.EndPage();

    w.BeginPage("Coins and money");
    w.Paragraph("At the start of every level insects fly over the garden and drop coins on flowers. Capture a "
                "flower with a coin and the coin is yours.");
    static const char* const kCoinNames[5] = {"1 cent", "5 cents", "10 cents", "25 cents", "$1"};
    for (int k = 0; k < 5; ++k)
    {
        double cx = 140 + k * 130;
        w.Image("mui/help/coins.spr", "help_coin" + std::to_string(k), cx, w.Y() + 26, 56, 56, k, true, 90);
        double tw = MeasureText(font, kCoinNames[k], kSmallSize);
        w.Text(kCoinNames[k], cx - tw / 2, w.Y() + 84, 200, kSmallSize, kBodyColour);
    }
    w.Y() += 118;
    w.Paragraph("Your money is shown in yellow under your flower count. Spend it on bonuses with the bonus "
                "buttons; rest the mouse on a button to read what it does.");
    w.Paragraph("Money you do not spend buys a new life when you run out of lives.");
    w.EndPage();

    const int perPage[3] = {4, 4, 3};
    int bonus = 0;
    for (int page = 0; page < 3; ++page)
    {
        w.BeginPage("Bonuses (" + std::to_string(page + 1) + " of 3)");
        w.Y() -= 4;
        for (int i = 0; i < perPage[page]; ++i, ++bonus)
        {
            const SBonusHelp& b = kBonuses[bonus];
            double aspect = bonusSprites[bonus].second;
            double ph = 52, pw = ph * aspect;
            if (pw > 110)
            {
                pw = 110;
                ph = pw / aspect;
            }
            bool ownBadges = bonusSprites[bonus].first == "mui/help/bonuses.spr";
            w.Image(bonusSprites[bonus].first, std::string("help_bonus_") + b.file, kPageLeft + 55, w.Y() + 8, pw,
                    ph, ownBadges ? bonus : 0, false, 60);
            double left = kPageLeft + 130;
            w.Text(std::string(b.name) + " - " + b.price, left, w.Y(), kPageRight - left, kBodySize, kTitleColour);
            int lines = w.Text(b.text, left, w.Y() + 24, kPageRight - left, kSmallSize, kBodyColour);
            w.Y() += std::max(84.0, 24 + lines * kSmallSize + 30);
        }
        w.EndPage();
    }

    w.BeginPage("Lives and levels");
    w.Image("mui/help/heart.spr", "help_heart", 660, 150, 64, 64, 0, true, 120);
    w.Paragraph("Win a level and you go on to the next one; there are 100 levels in every kind of game.",
                kPageLeft, 560 - kPageLeft);
    w.Paragraph("Lose a level and it costs one life; then you play the level again. Your lives are shown at the "
                "bottom left.",
                kPageLeft, 560 - kPageLeft);
    w.Paragraph("With no life left, a new life is bought for $1 when you have the money. Without it the game is "
                "over, and a good score enters the top 7.");
    w.Paragraph("The classic game and the advanced game each have their own levels and their own top 7. A new "
                "game can start at any level you have already reached.");
    w.EndPage();

    w.BeginPage("Good to know");
    w.Image("mui/dragon.spr", "help_dragon", 650, 170, 64, 64, 1, true, 40);
    w.Paragraph("Press Esc or the menu button to go back to the main menu. Your game waits for you: Play offers "
                "to continue it, even after you quit the program.",
                kPageLeft, 570 - kPageLeft);
    w.Paragraph("In the options you can set the music volume and switch the sound, the hints, the dragonflies "
                "and full screen on or off. Symbols on the flowers and a line around each zone help when colours "
                "are hard to tell apart.");
    w.Paragraph("No mouse? Arrows, Tab and Enter or Space work everywhere, on the board too; a gamepad's "
                "d-pad, A, B and shoulder buttons as well.");
    w.Paragraph("Have fun in the garden!", kPageLeft, kPageRight - kPageLeft, kBodySize, kAccentColour);
    w.EndPage();

    out.AddText("mui/help.xml", w.Document());
}
} // namespace NDataGen::NMui
