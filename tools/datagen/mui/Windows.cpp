#include "Windows.h"

#include "../Images.h"
#include "Controls.h"
#include "Paint.h"

#include <cmath>
#include <cstdio>

namespace NDataGen::NMui
{
namespace
{
constexpr double kPi = 3.14159265358979323846;
// Window backgrounds are 1024 x 1024 pictures drawn from (-112, -212) to (912, 812).
constexpr int kBackSize = 1024;
constexpr double kBackLeft = -112, kBackTop = -212;

// ---- The layout tables (the one source for layout files and pictures) ----

const SLayout kMainLayout{
    "mui/main_wnd.txt",
    {{"m_game_btn", 272, 214},
     {"m_game_adv_btn", 272, 284},
     {"m_game_custom_btn", 272, 354},
     {"m_continue_btn", 272, 214},
     {"m_quit_game_btn", 272, 494},
     {"m_help_btn", 272, 284},
     {"m_top_btn", 272, 354},
     {"m_options_btn", 272, 424},
     {"m_qk_btn", 24, 520},
     {"m_gift_btn", 648, 520},
     {"m_fullscreen_btn", 762, 6},
     {"m_mini_btn", 726, 6}},
    {}};

// Options: slider travel and check-box label widths are fixed by the window.
constexpr float kVolumeTravel = 204;
struct SCheckCaption
{
    const char* control;
    float labelWidth;
    const char* caption;
};
const SCheckCaption kOptionChecks[] = {{"m_sound_cb", 110, "Sound"},
                                       {"m_hints_cb", 80, "Hints"},
                                       {"m_dragons_cb", 165, "Dragons"},
                                       {"m_fs_cb", 165, "Full screen"},
                                       {"m_symbols_cb", 240, "Symbols on flowers"},
                                       {"m_outline_cb", 200, "Outline zones"}};
const SLayout kOptionsLayout{"mui/options_wnd.txt",
                             {{"m_close_btn", 272, 492},
                              {"m_musik_volume_track_bar", 344, 196},
                              {"m_sound_cb", 300, 252},
                              {"m_hints_cb", 300, 292},
                              {"m_dragons_cb", 300, 332},
                              {"m_fs_cb", 300, 372},
                              {"m_symbols_cb", 300, 412},
                              {"m_outline_cb", 300, 452}},
                             {}};

const SLayout kHelpLayout{"mui/help_wnd.txt",
                          {{"m_close_btn", 272, 526}, {"m_next_btn", 688, 526}, {"m_prev_btn", 48, 526}},
                          {}};

constexpr float kTopFontSize = 28, kTopNumSpace = 46, kTopScoreSpace = 300;
constexpr float kTopRowX = 236, kTopFirstRowY = 224, kTopRowPitch = 42;
constexpr float kTopTitleBaseLine = 155; // fixed by the window
SLayout TopLayout()
{
    SLayout layout{"mui/top_wnd.txt",
                   {{"m_close_btn", 272, 502}, {"m_next_btn", 600, 104}, {"m_prev_btn", 136, 104}},
                   {{"m_font_size", kTopFontSize}, {"m_num_space", kTopNumSpace}, {"m_score_space", kTopScoreSpace}}};
    for (int i = 1; i <= 7; ++i)
    {
        char key[32];
        std::snprintf(key, sizeof key, "string_pos_%02d", i);
        layout.values.push_back({std::string(key) + ".x", kTopRowX});
        layout.values.push_back({std::string(key) + ".y", kTopFirstRowY + (i - 1) * kTopRowPitch});
    }
    return layout;
}

// The continue dialog's panel is 512 x 512; its level and score texts are drawn
// by the dialog at panel-relative left edges 162/164 and base lines 231/261.
constexpr int kContinueSize = 512;
constexpr float kContinueTextLeft = 162, kContinueLevelBase = 275 - 44, kContinueScoreBase = 305 - 44;
const SLayout kContinueLayout{"mui/continue_dlg.txt",
                              {{"m_continuesaved_btn", 128, 290}, {"m_startnew_btn", 128, 356}, {"m_cancel_btn", 128, 422}},
                              {}};

constexpr int kEnterNameW = 512, kEnterNameH = 256;
const SLayout kEnterNameLayout{"mui/entername_dlg.txt", {{"m_ok_btn", 192, 176}, {"m_enter_name_box", 128, 98}}, {}};

// Custom level window: the preview, the lock and the level number are placed by the window itself.
constexpr float kPreviewX = 173, kPreviewY = 188, kPreviewW = 800 * 0.262f, kPreviewH = 600 * 0.262f;
constexpr float kLevelNumberX = 324, kLevelNumberBase = 401, kLevelNumberSize = 40;
constexpr float kLockX = 120, kLockY = 210;
constexpr float kLevelTravel = 495;
constexpr float kModeLabelWidth = 220;
const SLayout kCustomLayout{"mui/custom_wnd.txt",
                            {{"m_close_btn", 140, 508},
                             {"m_ok_btn", 404, 508},
                             {"m_cb_classic", 432, 206},
                             {"m_cb_advanced", 432, 256},
                             {"m_level_track_bar", 136, 436}},
                            {}};

const SControlPlace& Place(const SLayout& layout, const std::string& name)
{
    for (const SControlPlace& p : layout.controls)
        if (p.name == name)
            return p;
    std::fprintf(stderr, "datagen: layout %s has no %s\n", layout.file.c_str(), name.c_str());
    static SControlPlace none{"", 0, 0};
    return none;
}

std::string Number(float v)
{
    char text[32];
    if (v == std::floor(v))
        std::snprintf(text, sizeof text, "%d", static_cast<int>(v));
    else
        std::snprintf(text, sizeof text, "%.3f", v);
    return text;
}

// ---- Drawing ----

struct SCanvas
{
    cairo_surface_t* surface;
    cairo_t* cr;
};

SCanvas NewBackground(unsigned seed)
{
    SCanvas c{NewSurface(kBackSize, kBackSize), nullptr};
    c.cr = cairo_create(c.surface);
    DrawGarden(c.cr, kBackSize, kBackSize, seed);
    // from here on the context works in layout coordinates
    cairo_translate(c.cr, -kBackLeft, -kBackTop);
    return c;
}

void Finish(CDataWriter& out, SCanvas c, const std::string& name, bool jpeg)
{
    cairo_destroy(c.cr);
    DebugPng(c.surface, name);
    out.Add(name, jpeg ? EncodeJpeg(c.surface, 92) : EncodeTga(c.surface, true));
    cairo_surface_destroy(c.surface);
}

void DrawLogo(cairo_t* cr, double cx, double baseLine, double size)
{
    const std::string title = "Zonvel";
    STextStyle style;
    style.font = EFont::Bold;
    style.size = size;
    style.align = EAlign::Centre;
    cairo_save(cr);
    SelectFont(cr, EFont::Bold, size);
    double w = TextWidth(cr, title);
    // flowers peeking out behind the letters
    for (int i = 0; i < 6; ++i)
    {
        double x = cx - w / 2 + w * (i + 0.5) / 6;
        double y = baseLine - size * (i % 2 ? 0.95 : 0.78);
        DrawLeaf(cr, x, y + size * 0.1, size * 0.35, -kPi / 2 - 0.6 + 0.25 * i, NPalette::kGrassLight);
        DrawFlower(cr, x, y, size * 0.2, i, 0.3 * i);
    }
    // thick rim, then a warm gradient fill with a light top edge
    cairo_move_to(cr, cx - w / 2 + 4, baseLine + 5);
    cairo_text_path(cr, title.c_str());
    cairo_set_source_rgba(cr, 0, 0, 0, 0.3);
    cairo_fill(cr);
    cairo_move_to(cr, cx - w / 2, baseLine);
    cairo_text_path(cr, title.c_str());
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(cr, size * 0.12);
    SetColour(cr, {0.18, 0.35, 0.08});
    cairo_stroke_preserve(cr);
    cairo_set_line_width(cr, size * 0.06);
    SetColour(cr, {1, 1, 0.9});
    cairo_stroke_preserve(cr);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, baseLine - size * 0.75, 0, baseLine);
    cairo_pattern_add_color_stop_rgb(p, 0, 1.0, 0.88, 0.30);
    cairo_pattern_add_color_stop_rgb(p, 0.55, 0.98, 0.55, 0.12);
    cairo_pattern_add_color_stop_rgb(p, 1, 0.88, 0.25, 0.15);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    cairo_restore(cr);
}

STextStyle TitleStyle(double size)
{
    STextStyle s;
    s.size = size;
    s.fill = NPalette::kWhite;
    s.outline = size * 0.08;
    s.outlineColour = NPalette::kTitle;
    s.shadow = 2;
    s.align = EAlign::Centre;
    return s;
}

STextStyle InkStyle(double size, EAlign align = EAlign::Left)
{
    STextStyle s;
    s.size = size;
    s.fill = NPalette::kInk;
    s.align = align;
    return s;
}

void DrawMain(CDataWriter& out)
{
    SCanvas c = NewBackground(1);
    cairo_t* cr = c.cr;
    DrawLogo(cr, 400, 160, 118);
    // soft board behind the button column
    const SControlPlace& first = Place(kMainLayout, "m_game_btn");
    const SControlPlace& last = Place(kMainLayout, "m_quit_game_btn");
    RoundRect(cr, first.x - 22, first.y - 16, kButtonW + 44, last.y + kButtonH - first.y + 30, 24);
    cairo_set_source_rgba(cr, 1, 0.98, 0.9, 0.45);
    cairo_fill_preserve(cr);
    cairo_set_source_rgba(cr, 0.42, 0.25, 0.12, 0.5);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    Finish(out, c, "mui/bgs/main.jpg", true);
}

void DrawOptions(CDataWriter& out)
{
    SCanvas c = NewBackground(2);
    cairo_t* cr = c.cr;
    DrawBoard(cr, 180, 80, 440, 480, 28);
    DrawText(cr, "Options", 400, 150, TitleStyle(46));
    const SControlPlace& track = Place(kOptionsLayout, "m_musik_volume_track_bar");
    DrawText(cr, "Music", track.x - 12, track.y + kThumbH / 2.0 + 9, InkStyle(26, EAlign::Right));
    DrawGroove(cr, track.x, track.y, kVolumeTravel);
    // quiet and loud marks at the ends of the groove
    STextStyle small = InkStyle(14, EAlign::Centre);
    DrawText(cr, "quiet", track.x + kThumbW / 2.0, track.y + kThumbH + 16, small);
    DrawText(cr, "loud", track.x + kThumbW / 2.0 + kVolumeTravel, track.y + kThumbH + 16, small);
    for (const SCheckCaption& check : kOptionChecks)
    {
        const SControlPlace& p = Place(kOptionsLayout, check.control);
        DrawCheckCaption(cr, p.x, p.y, check.labelWidth, check.caption);
    }
    Finish(out, c, "mui/bgs/options.jpg", true);
}

void DrawHelp(CDataWriter& out)
{
    SCanvas c = NewBackground(3);
    DrawBoard(c.cr, 28, 16, 744, 500, 30);
    // a flower border along the bottom of the page, below the help texts
    for (int i = 0; i < 24; ++i)
    {
        double x = 62 + i * 29.5, y = 478 + (i % 2) * 4;
        DrawLeaf(c.cr, x, y + 2, 16, i % 2 ? -0.4 : -2.7, NPalette::kGrassLight);
        DrawFlower(c.cr, x, y, 11, i % 6, i * 0.5);
    }
    Finish(out, c, "mui/bgs/help.jpg", true);
}

void DrawTop(CDataWriter& out, const SLayout& layout)
{
    SCanvas c = NewBackground(4);
    cairo_t* cr = c.cr;
    double left = kTopRowX - kTopNumSpace - 30, right = kTopRowX + kTopScoreSpace + 120;
    DrawBoard(cr, left - 30, 80, right - left + 60, 584 - 80, 28);
    // the title ribbon the window writes its title on
    double ribbonTop = kTopTitleBaseLine - kTopFontSize * 1.4 - 12, ribbonBottom = kTopTitleBaseLine + 12;
    double rl = 210, rr = 590;
    cairo_move_to(cr, rl - 30, ribbonTop + 10);
    cairo_line_to(cr, rl + 10, ribbonTop + 10);
    cairo_line_to(cr, rl + 10, ribbonBottom + 10);
    cairo_line_to(cr, rl - 30, ribbonBottom + 10);
    cairo_line_to(cr, rl - 14, (ribbonTop + ribbonBottom) / 2 + 10);
    cairo_close_path(cr);
    cairo_move_to(cr, rr + 30, ribbonTop + 10);
    cairo_line_to(cr, rr - 10, ribbonTop + 10);
    cairo_line_to(cr, rr - 10, ribbonBottom + 10);
    cairo_line_to(cr, rr + 30, ribbonBottom + 10);
    cairo_line_to(cr, rr + 14, (ribbonTop + ribbonBottom) / 2 + 10);
    cairo_close_path(cr);
    SetColour(cr, {0.55, 0.12, 0.10});
    cairo_fill(cr);
    RoundRect(cr, rl, ribbonTop, rr - rl, ribbonBottom - ribbonTop, 8);
    VerticalGradient(cr, ribbonTop, ribbonBottom, {0.95, 0.35, 0.25}, {0.75, 0.18, 0.14});
    cairo_fill_preserve(cr);
    SetColour(cr, {0.45, 0.08, 0.06});
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    // seven rows: striped bands, medals for the first three places
    static const SColour kMedal[3] = {{1.0, 0.82, 0.2}, {0.82, 0.84, 0.88}, {0.85, 0.55, 0.3}};
    for (int i = 0; i < 7; ++i)
    {
        float baseLine = 0, x = 0;
        char key[32];
        std::snprintf(key, sizeof key, "string_pos_%02d.y", i + 1);
        for (auto& [k, v] : layout.values)
            if (k == key)
                baseLine = v;
        std::snprintf(key, sizeof key, "string_pos_%02d.x", i + 1);
        for (auto& [k, v] : layout.values)
            if (k == key)
                x = v;
        double top = baseLine - kTopFontSize - 5, h = kTopFontSize + 11;
        // dark bands, so that the window's white outlined names read well
        RoundRect(cr, x - kTopNumSpace - 36, top, kTopNumSpace + kTopScoreSpace + 146, h, h / 2);
        if (i < 3)
            VerticalGradient(cr, top, top + h, Darker(kMedal[i], 0.22), Darker(kMedal[i], 0.45));
        else
            SetColour(cr, i % 2 ? SColour{0.22, 0.42, 0.16} : SColour{0.27, 0.49, 0.20});
        cairo_fill(cr);
        if (i < 3)
        {
            double mx = x - kTopNumSpace - 20, my = top + h / 2;
            cairo_arc(cr, mx, my, 11, 0, 2 * kPi);
            SetColour(cr, kMedal[i]);
            cairo_fill_preserve(cr);
            SetColour(cr, Darker(kMedal[i], 0.4));
            cairo_set_line_width(cr, 1.5);
            cairo_stroke(cr);
        }
    }
    Finish(out, c, "mui/bgs/top.jpg", true);
}

void DrawContinue(CDataWriter& out)
{
    SCanvas c{NewSurface(kContinueSize, kContinueSize), nullptr};
    c.cr = cairo_create(c.surface);
    cairo_t* cr = c.cr;
    DrawBoard(cr, 4, 4, kContinueSize - 12, kContinueSize - 12, 30);
    for (int i = 0; i < 6; ++i)
        DrawFlower(cr, 60 + i * 78, 40, 13, i, i * 0.4);
    DrawText(cr, "Welcome back!", 256, 110, TitleStyle(42));
    DrawText(cr, "Your garden is waiting for you.", 256, 152, InkStyle(20, EAlign::Centre));
    // plate under the level and score texts the dialog writes
    RoundRect(cr, kContinueTextLeft - 26, kContinueLevelBase - 30, 260, kContinueScoreBase - kContinueLevelBase + 36, 16);
    VerticalGradient(cr, kContinueLevelBase - 30, kContinueScoreBase + 6, {0.30, 0.55, 0.20}, {0.20, 0.40, 0.12});
    cairo_fill_preserve(cr);
    SetColour(cr, NPalette::kWoodDark);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    Finish(out, c, "mui/bgs/continue.tga", false);
}

void DrawEnterName(CDataWriter& out)
{
    SCanvas c{NewSurface(kEnterNameW, kEnterNameH), nullptr};
    c.cr = cairo_create(c.surface);
    cairo_t* cr = c.cr;
    DrawBoard(cr, 4, 4, kEnterNameW - 12, kEnterNameH - 12, 26);
    DrawFlower(cr, 46, 46, 18, 2);
    DrawFlower(cr, kEnterNameW - 54, 46, 18, 4);
    DrawText(cr, "New record!", 256, 58, TitleStyle(36));
    DrawText(cr, "Enter your name:", 256, 88, InkStyle(20, EAlign::Centre));
    Finish(out, c, "mui/bgs/enter_name.tga", false);
}

void DrawCustom(CDataWriter& out)
{
    SCanvas c = NewBackground(5);
    cairo_t* cr = c.cr;
    DrawBoard(cr, 90, 36, 620, 548, 30);
    DrawText(cr, "Choose your game", 400, 104, TitleStyle(40));
    // preview frame
    double m = 5;
    RoundRect(cr, kPreviewX - m - 3, kPreviewY - m - 3, kPreviewW + 2 * m + 6, kPreviewH + 2 * m + 6, 12);
    SetColour(cr, NPalette::kWoodDark);
    cairo_fill(cr);
    RoundRect(cr, kPreviewX - m, kPreviewY - m, kPreviewW + 2 * m, kPreviewH + 2 * m, 9);
    VerticalGradient(cr, kPreviewY - m, kPreviewY + kPreviewH + m, {0.55, 0.75, 0.40}, {0.35, 0.55, 0.25});
    cairo_fill(cr);
    cairo_rectangle(cr, kPreviewX, kPreviewY, kPreviewW, kPreviewH);
    SetColour(cr, {0.16, 0.30, 0.12});
    cairo_fill(cr);
    DrawText(cr, "Preview", kPreviewX + kPreviewW / 2, kPreviewY - m - 10, InkStyle(18, EAlign::Centre));
    // the two kinds of game
    const SControlPlace& classic = Place(kCustomLayout, "m_cb_classic");
    const SControlPlace& advanced = Place(kCustomLayout, "m_cb_advanced");
    DrawText(cr, "Kind of game", classic.x, classic.y - 16, InkStyle(18));
    DrawCheckCaption(cr, classic.x, classic.y, kModeLabelWidth, "Classic game");
    DrawCheckCaption(cr, advanced.x, advanced.y, kModeLabelWidth, "Advanced game");
    STextStyle note = InkStyle(15);
    note.font = EFont::Regular;
    DrawText(cr, "Levels you have reached", advanced.x, advanced.y + 72, note);
    DrawText(cr, "are open to start from.", advanced.x, advanced.y + 92, note);
    // the level number plate
    DrawText(cr, "Level", kLevelNumberX - 14, kLevelNumberBase - 8, InkStyle(28, EAlign::Right));
    RoundRect(cr, kLevelNumberX - 10, kLevelNumberBase - kLevelNumberSize - 3, 100, kLevelNumberSize + 6, 12);
    VerticalGradient(cr, kLevelNumberBase - kLevelNumberSize - 3, kLevelNumberBase + 8, {0.30, 0.55, 0.20},
                     {0.18, 0.38, 0.10});
    cairo_fill_preserve(cr);
    SetColour(cr, NPalette::kWoodDark);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    // the level slider's groove with a tick every ten levels
    const SControlPlace& track = Place(kCustomLayout, "m_level_track_bar");
    double x0 = track.x + kThumbW / 2.0, cy = track.y + kThumbH / 2.0;
    SetColour(cr, NPalette::kWoodDark, 0.7);
    cairo_set_line_width(cr, 2);
    for (int tick = 0; tick <= 10; ++tick)
    {
        int level = tick == 0 ? 0 : tick * 10 - 1;
        double x = x0 + kLevelTravel * level / 99.0;
        cairo_move_to(cr, x, cy + 10);
        cairo_line_to(cr, x, cy + 16);
        cairo_stroke(cr);
        DrawText(cr, std::to_string(level + 1), x, cy + 32, InkStyle(13, EAlign::Centre));
    }
    DrawGroove(cr, track.x, track.y, kLevelTravel);
    Finish(out, c, "mui/bgs/custom.jpg", true);
}

void DrawMoreGames(CDataWriter& out)
{
    SCanvas c = NewBackground(6);
    DrawBoard(c.cr, 150, 120, 500, 360, 28);
    DrawText(c.cr, "More games", 400, 200, TitleStyle(44));
    DrawText(c.cr, "New gardens are growing.", 400, 290, InkStyle(24, EAlign::Centre));
    DrawText(c.cr, "Come back soon!", 400, 330, InkStyle(24, EAlign::Centre));
    Finish(out, c, "mui/bgs/moregames.jpg", true);
}

void DrawIntro(CDataWriter& out)
{
    SCanvas c = NewBackground(7);
    cairo_t* cr = c.cr;
    DrawLogo(cr, 400, 270, 150);
    DrawText(cr, "a flower flood puzzle", 400, 330, TitleStyle(30));
    RoundRect(cr, 300, 500, 200, 44, 22);
    cairo_set_source_rgba(cr, 0.2, 0.35, 0.1, 0.6);
    cairo_fill(cr);
    DrawText(cr, "Loading...", 400, 530, TitleStyle(24));
    Finish(out, c, "mui/bgs/intro.jpg", true);
}

// The lock over the preview of a level not reached yet, drawn with its top-left corner at (120, 210).
void DrawLock(CDataWriter& out)
{
    SCanvas c{NewSurface(512, 256), nullptr};
    c.cr = cairo_create(c.surface);
    cairo_t* cr = c.cr;
    cairo_translate(cr, -kLockX, -kLockY);
    // the veil fades in from the picture's top edge, which lies inside the preview
    cairo_rectangle(cr, kPreviewX, kLockY, kPreviewW, kPreviewY + kPreviewH - kLockY);
    cairo_pattern_t* veil = cairo_pattern_create_linear(0, kLockY, 0, kLockY + 40);
    cairo_pattern_add_color_stop_rgba(veil, 0, 0.1, 0.08, 0.05, 0.0);
    cairo_pattern_add_color_stop_rgba(veil, 1, 0.1, 0.08, 0.05, 0.55);
    cairo_set_source(cr, veil);
    cairo_fill(cr);
    cairo_pattern_destroy(veil);
    double cx = kPreviewX + kPreviewW / 2, cy = kPreviewY + kPreviewH / 2 + 6;
    // shackle
    cairo_arc(cr, cx, cy - 14, 22, kPi, 2 * kPi);
    cairo_line_to(cr, cx + 22, cy);
    cairo_move_to(cr, cx - 22, cy);
    cairo_line_to(cr, cx - 22, cy - 14);
    cairo_set_line_width(cr, 11);
    SetColour(cr, {0.35, 0.35, 0.38});
    cairo_stroke_preserve(cr);
    cairo_set_line_width(cr, 6);
    SetColour(cr, {0.78, 0.80, 0.84});
    cairo_stroke(cr);
    // body
    RoundRect(cr, cx - 34, cy - 4, 68, 54, 10);
    VerticalGradient(cr, cy - 4, cy + 50, {1.0, 0.84, 0.30}, {0.80, 0.52, 0.10});
    cairo_fill_preserve(cr);
    SetColour(cr, {0.45, 0.28, 0.05});
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    cairo_arc(cr, cx, cy + 18, 7, 0, 2 * kPi);
    cairo_move_to(cr, cx - 4, cy + 20);
    cairo_line_to(cr, cx - 5, cy + 38);
    cairo_line_to(cr, cx + 5, cy + 38);
    cairo_line_to(cr, cx + 4, cy + 20);
    SetColour(cr, {0.35, 0.2, 0.05});
    cairo_fill(cr);
    DrawText(cr, "Not reached yet", cx, kPreviewY + kPreviewH - 8, TitleStyle(17));
    Finish(out, c, "mui/locked.tga", false);
}
} // namespace

std::string LayoutText(const SLayout& layout)
{
    std::string text = "// " + layout.file.substr(4) + ": control places in the 800 x 600 layout space\n";
    for (const SControlPlace& p : layout.controls)
    {
        text += p.name + ".x " + Number(p.x) + "\n";
        text += p.name + ".y " + Number(p.y) + "\n";
        text += p.name + ".z 0\n";
    }
    for (const auto& [key, value] : layout.values)
        text += key + " " + Number(value) + "\n";
    return text;
}

void GenerateWindows(CDataWriter& out)
{
    const SLayout top = TopLayout();
    for (const SLayout* layout :
         {&kMainLayout, &kOptionsLayout, &kHelpLayout, &top, &kContinueLayout, &kEnterNameLayout, &kCustomLayout})
        out.AddText(layout->file, LayoutText(*layout));
    DrawMain(out);
    DrawOptions(out);
    DrawHelp(out);
    DrawTop(out, top);
    DrawContinue(out);
    DrawEnterName(out);
    DrawCustom(out);
    DrawMoreGames(out);
    DrawIntro(out);
    DrawLock(out);
}
} // namespace NDataGen::NMui
