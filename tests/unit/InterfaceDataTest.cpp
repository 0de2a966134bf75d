// Checks the generated interface data in the build folder with the engine's
// own readers: layouts, the picture list, the font picture's scan rules, the
// menu sprites, the hint records and the help book.
#include "engine/ImageDecoder.h"
#include "engine/KeyValueFile.h"
#include "engine/XmlNode.h"
#include "ui/BitmapText.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace
{
const std::string kBuild = ZONVEL_BUILD_DIR;

std::vector<uint8_t> ReadAll(const std::string& name)
{
    std::ifstream in(kBuild + "/" + name, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool Decode(const std::string& name, NImageDecoder::SImage& image)
{
    std::vector<uint8_t> bytes = ReadAll(name);
    if (bytes.empty())
        return false;
    const int size = static_cast<int>(bytes.size());
    if (name.size() > 4 && name.compare(name.size() - 4, 4, ".jpg") == 0)
        return NImageDecoder::DecodeJpeg(bytes.data(), size, image);
    return NImageDecoder::DecodeTarga(bytes.data(), size, image);
}

// Alpha at (x, y) of the upright picture (y downward); decoded rows run bottom to top.
int AlphaAt(const NImageDecoder::SImage& image, int x, int y)
{
    const size_t row = static_cast<size_t>(image.height - 1 - y);
    return image.pixels[(row * image.width + x) * 4 + 3];
}

CKeyValueFile Layout(const std::string& name)
{
    CKeyValueFile file;
    EXPECT_TRUE(file.LoadFile(kBuild + "/" + name)) << name;
    return file;
}

void ExpectPlaced(const CKeyValueFile& layout, const std::string& control, float width, float height)
{
    for (const char* axis : {".x", ".y", ".z"})
        EXPECT_TRUE(layout.HasKey(control + axis)) << control << axis;
    const float x = layout.GetFloat(control + ".x", -1), y = layout.GetFloat(control + ".y", -1);
    EXPECT_GE(x, 0) << control;
    EXPECT_GE(y, 0) << control;
    EXPECT_LT(x, width) << control;
    EXPECT_LT(y, height) << control;
}

// What the font reader finds in the picture: lines scanned top (high rows) down,
// a marker run first in each line, then one glyph per run of inked columns.
struct SScan
{
    int glyphs = 0;
    int lines = 0;
    std::vector<int> lineHeights;
    std::vector<int> widths; // texture width of each glyph quad, in pixels
};

SScan ScanFont(const NImageDecoder::SImage& image)
{
    const int w = image.width, h = image.height;
    auto ink = [&](int col, int row) { return image.pixels[(static_cast<size_t>(row) * w + col) * 4 + 3] != 0; };
    auto rowInk = [&](int row) {
        for (int c = 0; c < w; ++c)
            if (ink(c, row))
                return true;
        return false;
    };
    SScan scan;
    int t = h;
    for (;;)
    {
        int top = 0;
        for (int r = t - 1; r >= 0; --r)
            if (rowInk(r))
            {
                top = r;
                break;
            }
        int bottom = top;
        while (bottom > 0 && rowInk(bottom - 1))
            --bottom;
        if (top == 0)
            break;
        t = bottom;
        auto colInk = [&](int c) {
            for (int r = bottom; r <= top; ++r)
                if (ink(c, r))
                    return true;
            return false;
        };
        int c = 0;
        while (c < w && !colInk(c))
            ++c;
        while (c < w && colInk(c))
            ++c; // the marker
        ++scan.lines;
        scan.lineHeights.push_back(top - bottom);
        for (;;)
        {
            while (c < w && !colInk(c))
                ++c;
            if (c >= w - 1)
                break;
            const int start = c;
            while (c < w && colInk(c))
                ++c;
            scan.widths.push_back(c - start + 1);
            ++scan.glyphs;
        }
    }
    return scan;
}

// The help pages' word wrapping: lines end at carriage returns and where the width is reached.
int WrappedLines(const CBitmapText& font, const std::string& text, float width, float size)
{
    int lines = 0;
    std::string line, word;
    for (char c : text + '\r')
    {
        if (c != ' ' && c != '\r')
        {
            if (c != '\n')
                word += c;
            continue;
        }
        if (font.MeasureText(line.c_str(), size) + font.MeasureText(word.c_str(), size) >= width)
        {
            ++lines;
            line = word + ' ';
        }
        else
            line += word + ' ';
        word.clear();
        if (c == '\r')
        {
            ++lines;
            line.clear();
        }
    }
    return lines;
}
} // namespace

TEST(InterfaceData, LayoutsHoldEveryKeyTheirWindowsRead)
{
    const CKeyValueFile main = Layout("mui/main_wnd.txt");
    for (const char* c : {"m_game_btn", "m_game_adv_btn", "m_game_custom_btn", "m_continue_btn", "m_quit_game_btn",
                          "m_help_btn", "m_top_btn", "m_options_btn", "m_qk_btn", "m_gift_btn", "m_fullscreen_btn",
                          "m_mini_btn"})
        ExpectPlaced(main, c, 800, 600);
    const CKeyValueFile options = Layout("mui/options_wnd.txt");
    for (const char* c : {"m_close_btn", "m_musik_volume_track_bar", "m_sound_cb", "m_hints_cb", "m_dragons_cb", "m_fs_cb",
                          "m_symbols_cb", "m_outline_cb"})
        ExpectPlaced(options, c, 800, 600);
    const CKeyValueFile help = Layout("mui/help_wnd.txt");
    for (const char* c : {"m_close_btn", "m_next_btn", "m_prev_btn"})
        ExpectPlaced(help, c, 800, 600);
    const CKeyValueFile top = Layout("mui/top_wnd.txt");
    for (const char* c : {"m_close_btn", "m_next_btn", "m_prev_btn"})
        ExpectPlaced(top, c, 800, 600);
    for (const char* key : {"m_score_space", "m_num_space", "m_font_size"})
        EXPECT_TRUE(top.HasKey(key)) << key;
    for (int i = 1; i <= 7; ++i)
    {
        char key[32];
        std::snprintf(key, sizeof key, "string_pos_%02d", i);
        EXPECT_TRUE(top.HasKey(std::string(key) + ".x")) << key;
        EXPECT_TRUE(top.HasKey(std::string(key) + ".y")) << key;
        // rows run down the screen and stay on it
        const float y = top.GetFloat(std::string(key) + ".y", 0);
        EXPECT_GT(y, 155) << key;
        EXPECT_LT(y, 600) << key;
    }
    // dialogs place their controls inside their panels (512 x 512 and 512 x 256)
    const CKeyValueFile cont = Layout("mui/continue_dlg.txt");
    for (const char* c : {"m_continuesaved_btn", "m_startnew_btn", "m_cancel_btn"})
        ExpectPlaced(cont, c, 512, 512);
    const CKeyValueFile name = Layout("mui/entername_dlg.txt");
    ExpectPlaced(name, "m_ok_btn", 512, 256);
    EXPECT_TRUE(name.HasKey("m_enter_name_box.x"));
    EXPECT_TRUE(name.HasKey("m_enter_name_box.y"));
    const CKeyValueFile custom = Layout("mui/custom_wnd.txt");
    for (const char* c : {"m_close_btn", "m_ok_btn", "m_cb_classic", "m_cb_advanced", "m_level_track_bar"})
        ExpectPlaced(custom, c, 800, 600);
}

TEST(InterfaceData, PictureListNamesDecodablePicturesWithWholeFrames)
{
    CKeyValueFile list;
    ASSERT_TRUE(list.LoadFile(kBuild + "/mui/resourses.txt"));
    struct SEntry
    {
        const char* name;
        int frames; // 0 for a background
    };
    const SEntry entries[] = {
        {"m_qk_btn", 4}, {"m_new_game_btn", 4}, {"m_new_game_adv_btn", 4}, {"m_new_game_custom_btn", 4},
        {"m_continue_btn", 4}, {"m_quit_game_btn", 4}, {"m_ok_btn", 4}, {"m_help_btn", 4},
        {"m_enter_name_editbox", 2}, {"m_top7_btn", 4}, {"m_options_btn", 4}, {"m_mini_btn", 4},
        {"m_fullscreen_btn", 4}, {"m_help_next_btn", 4}, {"m_help_prev_btn", 4}, {"m_top_next_btn", 4},
        {"m_top_prev_btn", 4}, {"m_back_btn", 4}, {"m_cancel_btn", 4}, {"m_check_box", 4}, {"m_check_box2", 4},
        {"m_music_track_bar", 2}, {"m_visit_btn", 4}, {"m_start_btn", 4}, {"m_gift_btn", 4},
        {"m_continuesaved_btn", 4}, {"m_startnew_btn", 4}, {"m_main_window_back", 0}, {"m_options_window_back", 0},
        {"m_enter_name_dlg_back", -1}, {"m_continue_dlg_back", -1}, {"m_help_window_back", 0},
        {"m_top_window_back", 0}, {"m_moregames_wnd", 0}, {"m_cust_lev_wnd", 0}};
    for (const SEntry& e : entries)
    {
        const std::string file = list.GetString(e.name, "");
        ASSERT_FALSE(file.empty()) << e.name;
        NImageDecoder::SImage image;
        ASSERT_TRUE(Decode(file, image)) << e.name << " " << file;
        if (e.frames > 0)
            EXPECT_EQ(image.height % e.frames, 0) << e.name;
        else if (e.frames == 0)
        {
            // full-screen backgrounds are drawn as 1024 x 1024 around the 800 x 600 screen
            EXPECT_EQ(image.width, 1024) << e.name;
            EXPECT_EQ(image.height, 1024) << e.name;
        }
    }
    // the continue and name dialogs draw their panels at 512 x 512 and 512 x 256
    NImageDecoder::SImage panel;
    ASSERT_TRUE(Decode(list.GetString("m_continue_dlg_back", ""), panel));
    EXPECT_EQ(panel.width, 512);
    EXPECT_EQ(panel.height, 512);
    ASSERT_TRUE(Decode(list.GetString("m_enter_name_dlg_back", ""), panel));
    EXPECT_EQ(panel.width, 512);
    EXPECT_EQ(panel.height, 256);
    NImageDecoder::SImage other;
    EXPECT_TRUE(Decode("mui/locked.tga", other));
    EXPECT_TRUE(Decode("mui/bgs/intro.jpg", other));
    EXPECT_EQ(other.width, 1024);
    // the web pages are named relative to the program's folder; "//" would start a comment
    EXPECT_FALSE(list.GetString("m_qk_url", "").empty());
    EXPECT_FALSE(list.GetString("m_gift_url", "").empty());
}

namespace
{
// Mean of one colour channel (0 red, 1 green, 2 blue, 3 alpha) over frame k (1-based) of a control
// picture: frame k is the texture band (k-1)/N .. k/N, and texture row 0 is the picture's bottom.
double FrameMean(const NImageDecoder::SImage& image, int frames, int frame, int channel)
{
    const int frameH = image.height / frames;
    double sum = 0;
    for (int row = (frame - 1) * frameH; row < frame * frameH; ++row)
        for (int col = 0; col < image.width; ++col)
            sum += image.pixels[(static_cast<size_t>(row) * image.width + col) * 4 + channel];
    return sum / (static_cast<double>(frameH) * image.width);
}

double FrameLightness(const NImageDecoder::SImage& image, int frames, int frame)
{
    return FrameMean(image, frames, frame, 0) + FrameMean(image, frames, frame, 1) + FrameMean(image, frames, frame, 2);
}
} // namespace

TEST(InterfaceData, ControlPicturesStackTheirStatesInDrawingOrder)
{
    NImageDecoder::SImage button;
    ASSERT_TRUE(Decode("mui/btn/new_game.tga", button));
    ASSERT_EQ(button.components, 4);
    // normal (1) is green, hover (2) lighter, pressed (3) darker than hover, disabled (4) grey
    EXPECT_GT(FrameMean(button, 4, 1, 1), FrameMean(button, 4, 1, 0) + 20);
    EXPECT_GT(FrameLightness(button, 4, 2), FrameLightness(button, 4, 1));
    EXPECT_LT(FrameLightness(button, 4, 3), FrameLightness(button, 4, 2));
    EXPECT_LT(std::abs(FrameMean(button, 4, 4, 1) - FrameMean(button, 4, 4, 0)), 12);

    // check boxes: 1 and 2 unticked, 3 and 4 ticked (more ink in the box); 2 and 4 lit under the cursor
    for (const char* file : {"mui/btn/check_box.tga", "mui/btn/check_box2.tga"})
    {
        NImageDecoder::SImage box;
        ASSERT_TRUE(Decode(file, box)) << file;
        EXPECT_LT(FrameLightness(box, 4, 3), FrameLightness(box, 4, 1) - 10) << file;
        EXPECT_GT(FrameMean(box, 4, 2, 3), FrameMean(box, 4, 1, 3)) << file;
        EXPECT_GT(FrameMean(box, 4, 4, 3), FrameMean(box, 4, 3, 3)) << file;
    }
    // the edit box's focused frame (2) has a golden rim
    NImageDecoder::SImage edit;
    ASSERT_TRUE(Decode("mui/btn/enter_name_editbox.tga", edit));
    EXPECT_GT(FrameMean(edit, 2, 2, 0), FrameMean(edit, 2, 1, 0) + 10);
    // the thumb's two frames differ
    NImageDecoder::SImage thumb;
    ASSERT_TRUE(Decode("mui/btn/track_bar.tga", thumb));
    EXPECT_NE(FrameLightness(thumb, 2, 1), FrameLightness(thumb, 2, 2));
}

TEST(InterfaceData, FontPictureFollowsTheScanRules)
{
    const std::vector<uint8_t> bytes = ReadAll("mui/font.tga");
    ASSERT_GT(bytes.size(), 18u);
    const uint8_t header[12] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_TRUE(std::equal(header, header + 12, bytes.begin()));
    EXPECT_EQ(bytes[16], 32);
    NImageDecoder::SImage image;
    ASSERT_TRUE(NImageDecoder::DecodeTarga(bytes.data(), static_cast<int>(bytes.size()), image));
    // nothing inked in the bottom row (row 0)
    for (int c = 0; c < image.width; ++c)
        ASSERT_EQ(image.pixels[static_cast<size_t>(c) * 4 + 3], 0) << c;
    const SScan scan = ScanFont(image);
    EXPECT_EQ(scan.glyphs, 94);
    ASSERT_GE(scan.lines, 1);
    for (int h : scan.lineHeights)
        EXPECT_EQ(h, scan.lineHeights[0]) << "every line is equally tall";
    // tall enough to stay crisp at size 50
    EXPECT_GE(scan.lineHeights[0], 50);
    ASSERT_EQ(scan.widths.size(), 94u);
    // glyphs in code order: a wide 'W' and 'M', narrow '.', 'i' and '|'
    auto width = [&](char c) { return scan.widths[c - 33]; };
    EXPECT_GT(width('W'), width('i') * 2);
    EXPECT_GT(width('M'), width('.') * 2);
    EXPECT_GT(width('m'), width('l'));
    EXPECT_GT(width('0'), width('|'));
    // and the game's own font reader takes it
    std::vector<uint8_t> copy = bytes;
    CBitmapText font;
    EXPECT_TRUE(font.LoadFromImage(copy.data(), static_cast<int>(copy.size()), nullptr));
    EXPECT_GT(font.MeasureText("W", 20), font.MeasureText("i", 20));
}

TEST(InterfaceData, MenuSpritesHaveTheirLooksAndAPointerTipAtTheCentre)
{
    CKeyValueFile dragon;
    ASSERT_TRUE(dragon.LoadFile(kBuild + "/mui/dragon.spr"));
    EXPECT_EQ(dragon.GetInt("groups", 0), 3);
    EXPECT_GE(dragon.GetInt("frames", 0), 2);
    NImageDecoder::SImage sheet;
    ASSERT_TRUE(Decode(dragon.GetString("file_name", ""), sheet));
    EXPECT_EQ(sheet.height % 3, 0);
    EXPECT_EQ(sheet.width % dragon.GetInt("frames", 1), 0);

    CKeyValueFile cursor;
    ASSERT_TRUE(cursor.LoadFile(kBuild + "/mui/cursor.spr"));
    NImageDecoder::SImage pointer;
    ASSERT_TRUE(Decode(cursor.GetString("file_name", ""), pointer));
    const int cellW = pointer.width / cursor.GetInt("frames", 1);
    const int cellH = pointer.height / cursor.GetInt("groups", 1);
    const int cx = cellW / 2, cy = cellH / 2;
    // the sprite is drawn upright (flip set) and centred on the cursor: the tip sits on the
    // centre, the arrow's body runs down to the right of it and nothing lies above-left
    EXPECT_GT(AlphaAt(pointer, cx + 1, cy + 3), 128);
    EXPECT_GT(AlphaAt(pointer, cx + 6, cy + 12), 128);
    EXPECT_EQ(AlphaAt(pointer, cx - 6, cy - 6), 0);
    EXPECT_EQ(AlphaAt(pointer, cx + 6, cy - 6), 0);
}

TEST(InterfaceData, HintRecordsHaveTheirPanelsAndTheFirstPanelHoldsItsIllustrations)
{
    CXmlNode doc;
    ASSERT_TRUE(doc.Load(nullptr, kBuild + "/dat/hints/hints.xml"));
    const std::vector<CXmlNode*> records = doc.GetChildren();
    ASSERT_EQ(records.size(), 11u);
    for (size_t i = 0; i < records.size(); ++i)
    {
        char name[32];
        std::snprintf(name, sizeof name, "dat/hints/hint%02d.tga", static_cast<int>(i));
        NImageDecoder::SImage panel;
        ASSERT_TRUE(Decode(name, panel)) << name;
        const float x = records[i]->GetFloat("posx", -1), y = records[i]->GetFloat("posy", -1);
        const float cbx = records[i]->GetFloat("posxcb", -1), cby = records[i]->GetFloat("posycb", -1);
        EXPECT_GE(x, 0) << name;
        EXPECT_GE(y, 0) << name;
        // the check box lies on the panel, on an opaque part of the picture
        ASSERT_GE(cbx, 0) << name;
        ASSERT_GE(cby, 0) << name;
        ASSERT_LT(cbx + 16, panel.width) << name;
        ASSERT_LT(cby + 16, panel.height) << name;
        EXPECT_GT(AlphaAt(panel, static_cast<int>(cbx) + 16, static_cast<int>(cby) + 16), 200) << name;
        // and the panel stays on the 800 x 600 screen
        EXPECT_LE(x + cbx + 32, 800) << name;
        EXPECT_LE(y + cby + 32, 600) << name;
    }
    // the game draws the first panel's illustrations centred at these screen places
    NImageDecoder::SImage first;
    ASSERT_TRUE(Decode("dat/hints/hint00.tga", first));
    const int x0 = static_cast<int>(records[0]->GetFloat("posx", 0)), y0 = static_cast<int>(records[0]->GetFloat("posy", 0));
    for (auto [sx, sy] : {std::pair{573, 209}, std::pair{226, 224}, std::pair{219, 391}})
        EXPECT_GT(AlphaAt(first, sx - x0, sy - y0), 200) << sx << "," << sy;
    // the two animated illustrations alternate two frames per group
    for (const char* spr : {"dat/hints/gameplay.spr", "dat/hints/half.spr"})
    {
        CKeyValueFile desc;
        ASSERT_TRUE(desc.LoadFile(kBuild + "/" + spr));
        EXPECT_EQ(desc.GetInt("frames", 0), 2) << spr;
        NImageDecoder::SImage sheet;
        EXPECT_TRUE(Decode(desc.GetString("file_name", ""), sheet)) << spr;
    }
    for (const char* spr : {"dat/hints/skin01.spr", "dat/hints/bonus.spr"})
    {
        CKeyValueFile desc;
        ASSERT_TRUE(desc.LoadFile(kBuild + "/" + spr));
        NImageDecoder::SImage sheet;
        EXPECT_TRUE(Decode(desc.GetString("file_name", ""), sheet)) << spr;
    }
}

TEST(InterfaceData, HelpPagesParseAndEveryTextFitsItsBlock)
{
    CXmlNode doc;
    ASSERT_TRUE(doc.Load(nullptr, kBuild + "/mui/help.xml"));
    const std::vector<CXmlNode*> pages = doc.GetChildren();
    ASSERT_GE(pages.size(), 6u);
    std::vector<uint8_t> fontBytes = ReadAll("mui/font.tga");
    CBitmapText font;
    ASSERT_TRUE(font.LoadFromImage(fontBytes.data(), static_cast<int>(fontBytes.size()), nullptr));
    int bonusPictures = 0;
    for (CXmlNode* page : pages)
        for (CXmlNode* block : page->GetChildren())
        {
            const CXmlNode* pos = block->FindChild("pos");
            ASSERT_NE(pos, nullptr);
            const CVector4 p = pos->GetPosition();
            if (const CXmlNode* text = block->FindChild("text"))
            {
                const std::string t = text->GetText();
                for (unsigned char c : t)
                    ASSERT_TRUE((c >= 32 && c <= 126) || c == '\r' || c == '\n') << t;
                const float size = block->GetFloat("font_size", 0);
                const int height = static_cast<int>(block->GetFloat("height", 0));
                ASSERT_GT(size, 0);
                // every wrapped line is shown, and the last one stays on the page
                EXPECT_LE(WrappedLines(font, t, block->GetFloat("width", 0), size), height) << t;
                EXPECT_LT(p.y + (height - 1) * size, 466) << t; // above the page's flower border
            }
            if (const CXmlNode* image = block->FindChild("image"))
            {
                CKeyValueFile spr;
                ASSERT_TRUE(spr.LoadFile(kBuild + "/" + image->GetText())) << image->GetText();
                NImageDecoder::SImage sheet;
                EXPECT_TRUE(Decode(spr.GetString("file_name", ""), sheet)) << image->GetText();
                if (image->GetString("name", "").rfind("help_bonus_", 0) == 0)
                    ++bonusPictures;
            }
        }
    EXPECT_EQ(bonusPictures, 11);
}

namespace
{
struct SRect
{
    std::string name;
    float x0, y0, x1, y1;
};

// The screen rectangle a control takes: its picture's frame, widened by a check box's label.
SRect ControlRect(const CKeyValueFile& layout, const CKeyValueFile& pictures, const std::string& control,
                  const std::string& picture, int frames, float labelWidth = 0)
{
    NImageDecoder::SImage image;
    EXPECT_TRUE(Decode(pictures.GetString(picture, ""), image)) << picture;
    const float x = layout.GetFloat(control + ".x", 0), y = layout.GetFloat(control + ".y", 0);
    return {control, x, y, x + image.width + labelWidth, y + static_cast<float>(image.height) / frames};
}

void ExpectApartAndInside(const std::vector<SRect>& rects, float width, float height)
{
    for (size_t i = 0; i < rects.size(); ++i)
    {
        const SRect& a = rects[i];
        EXPECT_GE(a.x0, 0) << a.name;
        EXPECT_GE(a.y0, 0) << a.name;
        EXPECT_LE(a.x1, width) << a.name;
        EXPECT_LE(a.y1, height) << a.name;
        for (size_t j = i + 1; j < rects.size(); ++j)
        {
            const SRect& b = rects[j];
            const bool apart = a.x1 <= b.x0 || b.x1 <= a.x0 || a.y1 <= b.y0 || b.y1 <= a.y0;
            EXPECT_TRUE(apart) << a.name << " overlaps " << b.name;
        }
    }
}
} // namespace

TEST(InterfaceData, ShownControlsOfEveryWindowStayApartAndOnScreen)
{
    CKeyValueFile pictures;
    ASSERT_TRUE(pictures.LoadFile(kBuild + "/mui/resourses.txt"));
    const CKeyValueFile main = Layout("mui/main_wnd.txt");
    ExpectApartAndInside({ControlRect(main, pictures, "m_game_btn", "m_new_game_btn", 4),
                          ControlRect(main, pictures, "m_quit_game_btn", "m_quit_game_btn", 4),
                          ControlRect(main, pictures, "m_help_btn", "m_help_btn", 4),
                          ControlRect(main, pictures, "m_top_btn", "m_top7_btn", 4),
                          ControlRect(main, pictures, "m_options_btn", "m_options_btn", 4),
                          ControlRect(main, pictures, "m_qk_btn", "m_qk_btn", 4),
                          ControlRect(main, pictures, "m_gift_btn", "m_gift_btn", 4)},
                         800, 600);
    const CKeyValueFile options = Layout("mui/options_wnd.txt");
    ExpectApartAndInside({ControlRect(options, pictures, "m_close_btn", "m_back_btn", 4),
                          ControlRect(options, pictures, "m_musik_volume_track_bar", "m_music_track_bar", 2, 204),
                          ControlRect(options, pictures, "m_sound_cb", "m_check_box", 4, 110),
                          ControlRect(options, pictures, "m_hints_cb", "m_check_box", 4, 80),
                          ControlRect(options, pictures, "m_dragons_cb", "m_check_box", 4, 165),
                          ControlRect(options, pictures, "m_fs_cb", "m_check_box", 4, 165),
                          ControlRect(options, pictures, "m_symbols_cb", "m_check_box", 4, 240),
                          ControlRect(options, pictures, "m_outline_cb", "m_check_box", 4, 200)},
                         800, 600);
    const CKeyValueFile help = Layout("mui/help_wnd.txt");
    ExpectApartAndInside({ControlRect(help, pictures, "m_close_btn", "m_back_btn", 4),
                          ControlRect(help, pictures, "m_next_btn", "m_help_next_btn", 4),
                          ControlRect(help, pictures, "m_prev_btn", "m_help_prev_btn", 4)},
                         800, 600);
    const CKeyValueFile top = Layout("mui/top_wnd.txt");
    ExpectApartAndInside({ControlRect(top, pictures, "m_close_btn", "m_back_btn", 4),
                          ControlRect(top, pictures, "m_next_btn", "m_top_next_btn", 4),
                          ControlRect(top, pictures, "m_prev_btn", "m_top_prev_btn", 4)},
                         800, 600);
    // the last row of names stays above the close button
    EXPECT_LT(top.GetFloat("string_pos_07.y", 0), top.GetFloat("m_close_btn.y", 0));
    const CKeyValueFile cont = Layout("mui/continue_dlg.txt");
    ExpectApartAndInside({ControlRect(cont, pictures, "m_continuesaved_btn", "m_continuesaved_btn", 4),
                          ControlRect(cont, pictures, "m_startnew_btn", "m_startnew_btn", 4),
                          ControlRect(cont, pictures, "m_cancel_btn", "m_cancel_btn", 4)},
                         512, 512);
    // the dialog writes the score on base line 305 - 44 of the panel: the buttons start below it
    EXPECT_GT(cont.GetFloat("m_continuesaved_btn.y", 0), 305 - 44);
    const CKeyValueFile name = Layout("mui/entername_dlg.txt");
    ExpectApartAndInside({ControlRect(name, pictures, "m_ok_btn", "m_ok_btn", 4),
                          ControlRect(name, pictures, "m_enter_name_box", "m_enter_name_editbox", 2)},
                         512, 256);
    const CKeyValueFile custom = Layout("mui/custom_wnd.txt");
    std::vector<SRect> rects = {ControlRect(custom, pictures, "m_close_btn", "m_cancel_btn", 4),
                                ControlRect(custom, pictures, "m_ok_btn", "m_start_btn", 4),
                                ControlRect(custom, pictures, "m_cb_classic", "m_check_box2", 4, 220),
                                ControlRect(custom, pictures, "m_cb_advanced", "m_check_box2", 4, 220),
                                ControlRect(custom, pictures, "m_level_track_bar", "m_music_track_bar", 2, 495)};
    // what the window draws at fixed places: the preview, the lock and the level number
    rects.push_back({"preview", 173, 188, 173 + 800 * 0.262f, 188 + 600 * 0.262f});
    rects.push_back({"level number", 324, 401 - 40, 324 + 90, 401});
    ExpectApartAndInside(rects, 800, 600);
}

TEST(InterfaceData, HintPanelsLeaveTheValuesTheyExplainInSight)
{
    CXmlNode doc;
    ASSERT_TRUE(doc.Load(nullptr, kBuild + "/dat/hints/hints.xml"));
    const std::vector<CXmlNode*> records = doc.GetChildren();
    ASSERT_EQ(records.size(), 11u);
    // the head-up display's numbers: zone sizes, money, lives, score and level (base-line points)
    const std::pair<int, int> values[] = {{80, 40}, {718, 40}, {67, 90}, {72, 500}, {81, 550}, {717, 550}};
    for (size_t i = 0; i < records.size(); ++i)
    {
        char name[32];
        std::snprintf(name, sizeof name, "dat/hints/hint%02d.tga", static_cast<int>(i));
        NImageDecoder::SImage panel;
        ASSERT_TRUE(Decode(name, panel)) << name;
        const int x0 = static_cast<int>(records[i]->GetFloat("posx", 0));
        const int y0 = static_cast<int>(records[i]->GetFloat("posy", 0));
        for (auto [vx, vy] : values)
            for (int dx = 0; dx <= 20; dx += 10)
            {
                // the text of a value spans about 20 pixels right of and 20 above its base-line point
                const int x = vx + dx - x0, y = vy - 10 - y0;
                if (x >= 0 && y >= 0 && x < panel.width && y < panel.height)
                {
                    EXPECT_LT(AlphaAt(panel, x, y), 64) << name << " covers " << vx << "," << vy;
                }
            }
    }
}
