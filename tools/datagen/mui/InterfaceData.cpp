// The interface half of the data set: everything under mui/ and the hint
// panels under dat/hints/.
#include "../Sections.h"
#include "Controls.h"
#include "Creatures.h"
#include "Font.h"
#include "HelpPages.h"
#include "Hints.h"
#include "Windows.h"
#include "game/Web.h"

#include <string>
#include <utility>
#include <vector>

namespace NDataGen
{
namespace
{
using namespace NMui;

// Every interface picture by its resource name, with the file that holds it.
struct SPicture
{
    const char* name;
    const char* file;
};

const SPicture kPictures[] = {
    {"m_qk_btn", "mui/btn/qk.tga"},
    {"m_new_game_btn", "mui/btn/new_game.tga"},
    {"m_new_game_adv_btn", "mui/btn/new_game_adv.tga"},
    {"m_new_game_custom_btn", "mui/btn/new_game_custom.tga"},
    {"m_continue_btn", "mui/btn/continue.tga"},
    {"m_quit_game_btn", "mui/btn/quit_game.tga"},
    {"m_ok_btn", "mui/btn/ok.tga"},
    {"m_help_btn", "mui/btn/help.tga"},
    {"m_enter_name_editbox", "mui/btn/enter_name_editbox.tga"},
    {"m_top7_btn", "mui/btn/top7.tga"},
    {"m_options_btn", "mui/btn/options.tga"},
    {"m_mini_btn", "mui/btn/mini.tga"},
    {"m_fullscreen_btn", "mui/btn/fullscreen.tga"},
    {"m_help_next_btn", "mui/btn/help_next.tga"},
    {"m_help_prev_btn", "mui/btn/help_prev.tga"},
    {"m_top_next_btn", "mui/btn/top_next.tga"},
    {"m_top_prev_btn", "mui/btn/top_prev.tga"},
    {"m_back_btn", "mui/btn/back.tga"},
    {"m_cancel_btn", "mui/btn/cancel.tga"},
    {"m_check_box", "mui/btn/check_box.tga"},
    {"m_check_box2", "mui/btn/check_box2.tga"},
    {"m_music_track_bar", "mui/btn/track_bar.tga"},
    {"m_visit_btn", "mui/btn/visit.tga"},
    {"m_start_btn", "mui/btn/start.tga"},
    {"m_gift_btn", "mui/btn/gift.tga"},
    {"m_continuesaved_btn", "mui/btn/continuesaved.tga"},
    {"m_startnew_btn", "mui/btn/startnew.tga"},
    {"m_main_window_back", "mui/bgs/main.jpg"},
    {"m_options_window_back", "mui/bgs/options.jpg"},
    {"m_enter_name_dlg_back", "mui/bgs/enter_name.tga"},
    {"m_continue_dlg_back", "mui/bgs/continue.tga"},
    {"m_help_window_back", "mui/bgs/help.jpg"},
    {"m_top_window_back", "mui/bgs/top.jpg"},
    {"m_moregames_wnd", "mui/bgs/moregames.jpg"},
    {"m_cust_lev_wnd", "mui/bgs/custom.jpg"},
    {"m_font_tex", "mui/font.tga"},
    {"m_locked", "mui/locked.tga"},
};

// The two web pages of the main menu (written by the game art beside the program) are
// named relative to the program's folder: a "file://" address cannot be stored in a
// key/value file, where "//" starts a comment.
const char* const kMakerPage = kAboutPage;

std::string ResourceList()
{
    std::string text = "// Interface pictures by name; the windows load each under its name.\n";
    for (const SPicture& p : kPictures)
        text += std::string(p.name) + " " + p.file + "\n";
    text += "// Pages opened by the main menu's web buttons, relative to the program's folder.\n";
    text += std::string("m_qk_url ") + kMakerPage + "\n";
    text += std::string("m_gift_url ") + kGiftsPage + "\n";
    return text;
}

void GenerateControls(CDataWriter& out)
{
    struct STextButton
    {
        const char* file;
        const char* caption;
        int width;
        EButtonColour colour;
    };
    const STextButton buttons[] = {
        {"mui/btn/new_game.tga", "Play", kButtonW, EButtonColour::Green},
        {"mui/btn/new_game_adv.tga", "Advanced game", kButtonW, EButtonColour::Green},
        {"mui/btn/new_game_custom.tga", "Custom game", kButtonW, EButtonColour::Green},
        {"mui/btn/continue.tga", "Continue", kButtonW, EButtonColour::Green},
        {"mui/btn/quit_game.tga", "Quit", kButtonW, EButtonColour::Orange},
        {"mui/btn/help.tga", "How to play", kButtonW, EButtonColour::Green},
        {"mui/btn/top7.tga", "Top 7", kButtonW, EButtonColour::Green},
        {"mui/btn/options.tga", "Options", kButtonW, EButtonColour::Green},
        {"mui/btn/back.tga", "Back", kButtonW, EButtonColour::Orange},
        {"mui/btn/cancel.tga", "Cancel", kButtonW, EButtonColour::Orange},
        {"mui/btn/start.tga", "Start", kButtonW, EButtonColour::Green},
        {"mui/btn/continuesaved.tga", "Continue game", kButtonW, EButtonColour::Green},
        {"mui/btn/startnew.tga", "New game", kButtonW, EButtonColour::Blue},
        {"mui/btn/ok.tga", "OK", kSmallButtonW, EButtonColour::Green},
    };
    for (const STextButton& b : buttons)
        out.Add(b.file, MakeTextButton(b.caption, b.width, b.width == kButtonW ? kButtonH : kSmallButtonH, b.colour,
                                       b.file));
    out.Add("mui/btn/qk.tga",
            MakeIconTextButton("About", EIcon::Globe, kSmallButtonW, kSmallButtonH, EButtonColour::Blue, "mui/btn/qk"));
    out.Add("mui/btn/gift.tga",
            MakeIconTextButton("Gifts", EIcon::Gift, kSmallButtonW, kSmallButtonH, EButtonColour::Blue, "mui/btn/gift"));
    out.Add("mui/btn/visit.tga",
            MakeIconTextButton("Visit", EIcon::Globe, kSmallButtonW, kSmallButtonH, EButtonColour::Blue, "mui/btn/visit"));
    out.Add("mui/btn/help_next.tga", MakeArrowButton(EArrow::Right, "mui/btn/help_next"));
    out.Add("mui/btn/help_prev.tga", MakeArrowButton(EArrow::Left, "mui/btn/help_prev"));
    out.Add("mui/btn/top_next.tga", MakeArrowButton(EArrow::Right, "mui/btn/top_next"));
    out.Add("mui/btn/top_prev.tga", MakeArrowButton(EArrow::Left, "mui/btn/top_prev"));
    out.Add("mui/btn/mini.tga", MakeIconButton(EIcon::Minimise, "mui/btn/mini"));
    out.Add("mui/btn/fullscreen.tga", MakeIconButton(EIcon::FullScreen, "mui/btn/fullscreen"));
    out.Add("mui/btn/check_box.tga", MakeCheckBox(false, "mui/btn/check_box"));
    out.Add("mui/btn/check_box2.tga", MakeCheckBox(true, "mui/btn/check_box2"));
    out.Add("mui/btn/track_bar.tga", MakeThumb("mui/btn/track_bar"));
    out.Add("mui/btn/enter_name_editbox.tga", MakeEditBox("mui/btn/enter_name_editbox"));
}
} // namespace

void GenerateInterfaceData(CDataWriter& out)
{
    SFontMetrics font;
    out.Add("mui/font.tga", BuildFontPicture(font));
    out.AddText("mui/resourses.txt", ResourceList());
    GenerateControls(out);
    GenerateWindows(out);
    GenerateCreatures(out);
    GenerateHelp(out, font);
    GenerateHints(out, font);
}
} // namespace NDataGen
