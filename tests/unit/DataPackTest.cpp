// The game half of the generated data set: every file is in data.pk and reads
// back with the engine's own readers, in the shapes the game screen expects.
#include "DataTestUtil.h"

#include "engine/KeyValueFile.h"
#include "engine/Sprite.h"
#include "engine/Texture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

using namespace NDataTest;

namespace
{
const char* const kBonusNames[11] = {"single_repaint", "zone_repaint", "free_randomize", "forward3",
                                     "forward6",       "self_repaint", "skip_move",      "backward3",
                                     "backward6",      "apponent_randomize", "life"};

CKeyValueFile ReadKeys(const std::string& name)
{
    CKeyValueFile file;
    EXPECT_TRUE(file.LoadResource(&Pack(), name)) << name;
    return file;
}

// Share of pixels in a rectangle (from the picture's top) with alpha above half.
double Coverage(const NImageDecoder::SImage& image, int x0, int y0, int w, int h)
{
    int inked = 0;
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x)
            inked += PixelFromTop(image, x, y)[3] > 128;
    return static_cast<double>(inked) / (w * h);
}

// Mean colour saturation (max - min channel) of the opaque pixels of a rectangle.
double Saturation(const NImageDecoder::SImage& image, int x0, int y0, int w, int h)
{
    double sum = 0;
    int count = 0;
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x)
        {
            const uint8_t* p = PixelFromTop(image, x, y);
            if (p[3] < 128)
                continue;
            sum += std::max({p[0], p[1], p[2]}) - std::min({p[0], p[1], p[2]});
            ++count;
        }
    return count ? sum / count : 0;
}
} // namespace

TEST(DataPack, GameDataFileHoldsLevelCountsAndThePricesTheTooltipsState)
{
    CKeyValueFile game = ReadKeys("dat/game.txt");
    for (const char* set : {"classic", "duel", "moving"})
        EXPECT_GE(game.GetInt(std::string("m_levels_") + set, 0), 20) << set;
    // The moving game's refill indexes its own folder with the classic count.
    EXPECT_GE(game.GetInt("m_levels_moving", 0), game.GetInt("m_levels_classic", 0));
    const int prices[11] = {1, 2, 3, 5, 10, 15, 25, 30, 40, 50, 100};
    for (int i = 0; i < 11; ++i)
        EXPECT_EQ(game.GetInt(std::string("m_bonus_price_") + kBonusNames[i], 0), prices[i]) << kBonusNames[i];
}

TEST(DataPack, EveryLevelFileOfEverySetIsAWholeScreenMask)
{
    CKeyValueFile game = ReadKeys("dat/game.txt");
    for (const char* set : {"classic", "duel", "moving"})
    {
        int count = game.GetInt(std::string("m_levels_") + set, 0);
        for (int i = 0; i < count; ++i)
        {
            char name[64];
            std::snprintf(name, sizeof(name), "dat/levels_%s/lev%03d.raw", set, i);
            EXPECT_EQ(Pack().Load(name).GetSize(), 800u * 600u) << name;
        }
        char extra[64];
        std::snprintf(extra, sizeof(extra), "dat/levels_%s/lev%03d.raw", set, count);
        EXPECT_FALSE(Pack().HasEntry(extra)) << "count in dat/game.txt is short for " << set;
    }
}

TEST(DataPack, ButtonsSitOnScreenInTheBarWithoutOverlapping)
{
    CKeyValueFile layout = ReadKeys("dat/bonuses_buttons.txt");
    struct SBox
    {
        std::string name;
        float x, y, w, h;
    };
    std::vector<SBox> boxes;
    auto add = [&](const std::string& key, const std::string& file) {
        ASSERT_TRUE(layout.HasKey(key + ".x") && layout.HasKey(key + ".y")) << key;
        NImageDecoder::SImage image;
        ASSERT_TRUE(DecodePicture(file, image)) << file;
        ASSERT_EQ(image.components, 4) << file;
        ASSERT_EQ(image.height % 4, 0) << file;
        CVector4 p = layout.GetVector(key);
        boxes.push_back({key, p.x, p.y, static_cast<float>(image.width), image.height / 4.0f});
    };
    add("m_main_menu_btn", "dat/maun_menu_btn.tga");
    for (const char* name : kBonusNames)
        add(std::string("m_bonus_") + name, std::string("dat/bonus_btn/") + name + ".tga");
    for (size_t i = 0; i < boxes.size(); ++i)
    {
        const SBox& a = boxes[i];
        EXPECT_TRUE(a.x >= 0 && a.y >= 0 && a.x + a.w <= 800 && a.y + a.h <= 600) << a.name;
        for (size_t j = i + 1; j < boxes.size(); ++j)
        {
            const SBox& b = boxes[j];
            bool apart = a.x + a.w <= b.x || b.x + b.w <= a.x || a.y + a.h <= b.y || b.y + b.h <= a.y;
            EXPECT_TRUE(apart) << a.name << " overlaps " << b.name;
        }
    }
}

TEST(DataPack, ControlPicturesKeepTheirFramesInDrawingOrder)
{
    // Frame 1 (normal) is the bottom band and frame 4 (disabled) the top one:
    // the disabled frame is the grey one.
    for (const char* name : kBonusNames)
    {
        NImageDecoder::SImage image;
        std::string file = std::string("dat/bonus_btn/") + name + ".tga";
        ASSERT_TRUE(DecodePicture(file, image)) << file;
        int h = image.height / 4;
        double disabled = Saturation(image, 0, 0, image.width, h);
        double normal = Saturation(image, 0, 3 * h, image.width, h);
        EXPECT_LT(disabled * 3, normal) << file;
    }
    NImageDecoder::SImage box;
    ASSERT_TRUE(DecodePicture("dat/hints_checkbox.tga", box));
    ASSERT_EQ(box.height % 4, 0);
    int h = box.height / 4;
    // States 3 and 4 (ticked) carry the tick: more ink than states 1 and 2.
    auto ink = [&](int frame) {
        int top = (4 - frame) * h;
        double dark = 0;
        for (int y = top; y < top + h; ++y)
            for (int x = 0; x < box.width; ++x)
            {
                const uint8_t* p = PixelFromTop(box, x, y);
                dark += p[3] > 128 && p[1] > p[0] + 40 && p[1] > p[2] + 40; // the green tick
            }
        return dark;
    };
    EXPECT_EQ(ink(1), 0);
    EXPECT_EQ(ink(2), 0);
    EXPECT_GT(ink(3), 10);
    EXPECT_GT(ink(4), 10);
}

TEST(DataPack, BackgroundIsTheCentredSquareTheGameScreenDraws)
{
    NImageDecoder::SImage bg;
    ASSERT_TRUE(DecodePicture("dat/game_bg.jpg", bg));
    EXPECT_EQ(bg.width, 1024);
    EXPECT_EQ(bg.height, 1024);
    EXPECT_EQ(bg.components, 3);
}

TEST(DataPack, SpritesLoadWithTheirGroupsAndFrames)
{
    struct SExpect
    {
        const char* name;
        int groups;   // 0 = at least one
        int frames;
    };
    const SExpect sprites[] = {{"dat/skin01.spr", 8, 16}, {"dat/bonus.spr", 5, 0}, {"dat/insects.spr", 0, 0},
                               {"dat/marker.spr", 0, 0},  {"dat/particles.spr", 0, 0}};
    for (const SExpect& e : sprites)
    {
        CSprite sprite;
        ASSERT_TRUE(sprite.Load(&Pack(), e.name)) << e.name;
        ASSERT_NE(sprite.GetTexture(), nullptr) << e.name;
        EXPECT_GT(sprite.GetWidth(), 0) << e.name;
        EXPECT_GT(sprite.GetHeight(), 0) << e.name;
        if (e.groups)
        {
            EXPECT_EQ(sprite.GetGroupCount(), e.groups) << e.name;
        }
        if (e.frames)
        {
            EXPECT_EQ(sprite.GetFrameCount(), e.frames) << e.name;
        }
        // Whole cells: the sheet divides evenly.
        EXPECT_EQ(sprite.GetTexture()->GetWidth() % sprite.GetFrameCount(), 0) << e.name;
        EXPECT_EQ(sprite.GetTexture()->GetHeight() % sprite.GetGroupCount(), 0) << e.name;
    }
}

TEST(DataPack, FlowerFramesFollowTheFlipAndTheHoleIsDim)
{
    CSprite skin;
    ASSERT_TRUE(skin.Load(&Pack(), "dat/skin01.spr"));
    CKeyValueFile spr = ReadKeys("dat/skin01.spr");
    NImageDecoder::SImage sheet;
    ASSERT_TRUE(DecodePicture(spr.GetString("file_name", ""), sheet));
    int frames = skin.GetFrameCount(), groups = skin.GetGroupCount();
    int cw = sheet.width / frames, ch = sheet.height / groups;
    // Group g is the g-th strip from the bottom of the picture.
    auto cover = [&](int group, int frame) { return Coverage(sheet, frame * cw, (groups - 1 - group) * ch, cw, ch); };
    for (int colour = 0; colour < 6; ++colour)
    {
        double full = cover(colour, 0);
        EXPECT_GT(full, 0.6) << colour;
        EXPECT_NEAR(cover(colour, frames - 1), full, 0.02) << colour;
        // Shrinks to the frame before the middle, where the colour changes, and grows back.
        for (int f = 1; f < frames / 2; ++f)
            EXPECT_LE(cover(colour, f), cover(colour, f - 1) + 1e-9) << colour << " frame " << f;
        for (int f = frames / 2; f < frames; ++f)
            EXPECT_GE(cover(colour, f), cover(colour, f - 1) - 1e-9) << colour << " frame " << f;
        EXPECT_LT(cover(colour, frames / 2 - 1), full * 0.2) << colour;
    }
    // The hole: present, and much darker than any flower.
    auto brightness = [&](int group) {
        double sum = 0;
        int n = 0;
        for (int y = (groups - 1 - group) * ch; y < (groups - group) * ch; ++y)
            for (int x = 0; x < cw; ++x)
            {
                const uint8_t* p = PixelFromTop(sheet, x, y);
                if (p[3] > 128)
                {
                    sum += (p[0] + p[1] + p[2]) / 3.0;
                    ++n;
                }
            }
        return n ? sum / n : 0.0;
    };
    EXPECT_GT(cover(7, 0), 0.5);
    for (int colour = 0; colour < 6; ++colour)
        EXPECT_LT(brightness(7) * 2, brightness(colour)) << colour;
}

TEST(DataPack, WebPagesOfTheMainMenuExistBesideTheProgram)
{
    for (const char* page : {"/web/about.html", "/web/gifts.html"})
        EXPECT_TRUE(std::filesystem::exists(BuildDir() + page)) << page;
    EXPECT_FALSE(Pack().HasEntry("web/about.html"));
}

TEST(DataPack, CoinKindsGrowWithTheirValue)
{
    CKeyValueFile spr = ReadKeys("dat/bonus.spr");
    NImageDecoder::SImage sheet;
    ASSERT_TRUE(DecodePicture(spr.GetString("file_name", ""), sheet));
    int groups = spr.GetInt("groups", 1), frames = spr.GetInt("frames", 1);
    ASSERT_EQ(groups, 5);
    int cw = sheet.width / frames, ch = sheet.height / groups;
    double previous = 0;
    for (int kind = 0; kind < 5; ++kind)
    {
        // Frame 0 shows the face; group k is the k-th strip from the bottom.
        double face = Coverage(sheet, 0, (groups - 1 - kind) * ch, cw, ch);
        EXPECT_GT(face, previous) << "kind " << kind;
        previous = face;
    }
}

TEST(DataPack, MarkerIsARingThatLeavesTheCellVisible)
{
    CKeyValueFile spr = ReadKeys("dat/marker.spr");
    NImageDecoder::SImage sheet;
    ASSERT_TRUE(DecodePicture(spr.GetString("file_name", ""), sheet));
    int frames = spr.GetInt("frames", 1), groups = spr.GetInt("groups", 1);
    int cw = sheet.width / frames, ch = sheet.height / groups;
    for (int f = 0; f < frames; ++f)
    {
        // Drawn at 1.2 cell widths: the inner 80 % holds the flower and stays clear.
        int inner = cw * 2 / 5;
        EXPECT_LT(Coverage(sheet, f * cw + cw / 2 - inner / 2, ch / 2 - inner / 2, inner, inner), 0.01) << f;
        EXPECT_GT(Coverage(sheet, f * cw, 0, cw, ch), 0.05) << f;
    }
}

TEST(DataPack, HeadUpDisplayNumbersSitOnDarkPlaques)
{
    // The game draws its numbers in white; the background under them must be dark enough.
    NImageDecoder::SImage bg;
    ASSERT_TRUE(DecodePicture("dat/game_bg.jpg", bg));
    struct SSpot
    {
        int x, y; // base line of the number on the 800 x 600 screen
    };
    for (SSpot s : {SSpot{80, 40}, SSpot{718, 40}, SSpot{67, 90}, SSpot{72, 500}, SSpot{81, 550}, SSpot{717, 550}})
    {
        double sum = 0;
        int n = 0;
        for (int y = s.y - 18; y < s.y - 4; ++y)
            for (int x = s.x + 4; x < s.x + 30; ++x)
            {
                const uint8_t* p = PixelFromTop(bg, x + 112, y + 212);
                sum += 0.3 * p[0] + 0.59 * p[1] + 0.11 * p[2];
                ++n;
            }
        EXPECT_LT(sum / n, 140) << s.x << "," << s.y;
    }
}
