// zonvel_sheet: draws every picture and every sprite group and frame of the
// data set through the engine's own CTexture and CSprite drawing and writes
// PNG contact sheets, so that orientation and frame order are seen as the game
// shows them. Usage: zonvel_sheet [DATA_FOLDER [OUTPUT_FOLDER]]; reads
// DATA_FOLDER/data.pk (or the loose files there) and writes OUTPUT_FOLDER
// (default DATA_FOLDER/sheets). Needs a display (xvfb-run is enough).
#include "engine/GLHeaders.h"
#include "engine/KeyValueFile.h"
#include "engine/PackKey.h"
#include "engine/ResourceManager.h"
#include "engine/Sprite.h"
#include "engine/Texture.h"
#include "platform/Window.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace
{
constexpr int kCanvas = 1024;

struct SContext
{
    CResourceManager* resources = nullptr;
    std::string outputFolder;
    int failures = 0;
};

// Sprites whose users draw them with the flip flag set.
bool DrawnFlipped(const std::string& name)
{
    return name == "dat/marker.spr" || name.rfind("dat/hints/", 0) == 0 || name == "mui/dragon.spr" ||
           name == "mui/cursor.spr" || name.rfind("mui/help/", 0) == 0;
}

// Pictures the controls cut into stacked frames (frame 1 the bottom band).
int ControlFrames(const std::string& name)
{
    if (name.rfind("dat/bonus_btn/", 0) == 0 || name == "dat/maun_menu_btn.tga" || name == "dat/hints_checkbox.tga")
        return 4;
    if (name.rfind("mui/btn/", 0) == 0)
    {
        // The slider's thumb and the edit box have two frames; buttons and check boxes four.
        if (name.find("track_bar") != std::string::npos || name.find("editbox") != std::string::npos)
            return 2;
        return 4;
    }
    return 0;
}

void BeginFrame(int width, int height)
{
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, width, height, 0, -50, 50);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_ALPHA_TEST);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    // Checkerboard so transparency shows.
    glDisable(GL_TEXTURE_2D);
    glBegin(GL_QUADS);
    for (int y = 0; y < height; y += 16)
        for (int x = 0; x < width; x += 16)
        {
            float c = ((x + y) / 16) % 2 ? 0.62f : 0.52f;
            glColor3f(c, c + 0.04f, c);
            glVertex2f(x, y);
            glVertex2f(x + 16, y);
            glVertex2f(x + 16, y + 16);
            glVertex2f(x, y + 16);
        }
    glEnd();
    glColor4f(1, 1, 1, 1);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_TEXTURE_2D);
}

struct SLabel
{
    double x, y;
    std::string text;
    double size = 11;   // the head-up display's numbers are drawn larger, in white
};

// Reads the frame back and writes it with its labels as a PNG.
void Save(const SContext& ctx, const std::string& file, int width, int height, const std::vector<SLabel>& labels)
{
    std::vector<uint8_t> pixels(static_cast<size_t>(width) * height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    unsigned char* data = cairo_image_surface_get_data(surface);
    int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < height; ++y)
    {
        const uint8_t* src = &pixels[static_cast<size_t>(height - 1 - y) * width * 4];
        uint32_t* dst = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride);
        for (int x = 0; x < width; ++x)
            dst[x] = (uint32_t(src[x * 4]) << 16) | (uint32_t(src[x * 4 + 1]) << 8) | src[x * 4 + 2];
    }
    cairo_surface_mark_dirty(surface);
    cairo_t* cr = cairo_create(surface);
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    for (const SLabel& l : labels)
    {
        cairo_set_font_size(cr, l.size);
        cairo_move_to(cr, l.x, l.y);
        cairo_text_path(cr, l.text.c_str());
        cairo_set_source_rgb(cr, 0, 0, 0);
        cairo_set_line_width(cr, 3);
        cairo_stroke_preserve(cr);
        if (l.size > 11)
            cairo_set_source_rgb(cr, 1, 1, 1);
        else
            cairo_set_source_rgb(cr, 1, 1, 0.6);
        cairo_fill(cr);
    }
    cairo_destroy(cr);
    std::string path = ctx.outputFolder + "/" + file;
    cairo_surface_write_to_png(surface, path.c_str());
    cairo_surface_destroy(surface);
}

std::string SheetName(const std::string& dataName)
{
    std::string s = dataName;
    std::replace(s.begin(), s.end(), '/', '_');
    return s + ".png";
}

void PictureSheet(SContext& ctx, const std::string& name)
{
    CTexture texture;
    if (!texture.LoadFromResource(ctx.resources, name, false, false) || texture.GetWidth() == 0)
    {
        std::fprintf(stderr, "sheet: %s does not decode\n", name.c_str());
        ++ctx.failures;
        return;
    }
    int frames = ControlFrames(name);
    double scale = std::min(1.0, 980.0 / std::max(texture.GetWidth(), texture.GetHeight()));
    if (frames > 0 && texture.GetWidth() < 200)
        scale = 2.0;
    int w = static_cast<int>(texture.GetWidth() * scale), h = static_cast<int>(texture.GetHeight() * scale);
    int width = std::min(kCanvas, w + 40 + (frames ? (w + 20) * frames + 20 : 0));
    int height = std::min(kCanvas, h + 40);
    BeginFrame(width, height);
    std::vector<SLabel> labels{{4, 14, name + "  " + std::to_string(texture.GetWidth()) + "x" +
                                           std::to_string(texture.GetHeight())}};
    texture.Bind();
    glPushMatrix();
    glTranslatef(20, 20, 0);
    glScalef(scale, scale, 1);
    texture.Draw(0, 0, 0); // upright, as the engine draws every picture
    glPopMatrix();
    if (frames > 0)
    {
        // Each frame as the controls cut it: frame k is the band v (k-1)/N .. k/N.
        float fh = h / static_cast<float>(frames);
        static const char* kStates[4] = {"1 normal", "2 hover", "3 pressed", "4 disabled"};
        bool buttonStates = frames == 4 && name.find("check") == std::string::npos;
        for (int k = 1; k <= frames; ++k)
        {
            float x = 40 + w + (k - 1) * (w + 20), y = 20;
            float vt = k / static_cast<float>(frames), vb = (k - 1) / static_cast<float>(frames);
            glBegin(GL_TRIANGLE_STRIP);
            glTexCoord2f(0, vt);
            glVertex2f(x, y);
            glTexCoord2f(0, vb);
            glVertex2f(x, y + fh);
            glTexCoord2f(1, vt);
            glVertex2f(x + w, y);
            glTexCoord2f(1, vb);
            glVertex2f(x + w, y + fh);
            glEnd();
            labels.push_back({x, y + fh + 14, buttonStates ? kStates[k - 1] : std::to_string(k)});
        }
    }
    Save(ctx, SheetName(name), width, height, labels);
}

void SpriteSheet(SContext& ctx, const std::string& name)
{
    CSprite sprite;
    if (!sprite.Load(ctx.resources, name) || !sprite.GetTexture() || sprite.GetTexture()->GetGLName() == 0)
    {
        std::fprintf(stderr, "sheet: sprite %s does not load\n", name.c_str());
        ++ctx.failures;
        return;
    }
    int groups = sprite.GetGroupCount(), frames = sprite.GetFrameCount();
    float fw = sprite.GetWidth(), fh = sprite.GetHeight();
    float cell = std::max(fw, fh);
    float scale = std::min(1.0f, 940.0f / ((cell + 8) * frames));
    scale = std::min(scale, 900.0f / ((cell + 8) * groups));
    float pitch = (cell + 8) * scale;
    int width = std::min(kCanvas, static_cast<int>(60 + pitch * frames + 10));
    int height = std::min(kCanvas, static_cast<int>(40 + pitch * groups + 10));
    BeginFrame(width, height);
    bool flip = DrawnFlipped(name);
    std::vector<SLabel> labels{{4, 14, name + (flip ? "  (drawn with flip)" : "  (drawn without flip)") + "  " +
                                           std::to_string(groups) + " groups x " + std::to_string(frames) + " frames"}};
    CSprite copy(sprite);
    copy.SetFlip(flip);
    copy.SetBlend(true);
    copy.SetSize(fw * scale, fh * scale);
    for (int g = 0; g < groups; ++g)
    {
        labels.push_back({4, 40 + pitch * g + pitch / 2 + 4, "g" + std::to_string(g)});
        for (int f = 0; f < frames; ++f)
        {
            copy.SetGroup(g);
            copy.SetFrame(f);
            copy.SetPosition(60 + pitch * f + pitch / 2, 40 + pitch * g + pitch / 2, 0);
            copy.Draw(true);
        }
    }
    for (int f = 0; f < frames; ++f)
        labels.push_back({60 + pitch * f + 2, 34, std::to_string(f)});
    Save(ctx, SheetName(name), width, height, labels);
}

// The game screen as the game composes it: background, a field of flowers
// with holes and coins, insects, the marker and the buttons from their layout.
void GameScreenSheet(const SContext& ctx)
{
    CTexture background;
    background.LoadFromResource(ctx.resources, "dat/game_bg.jpg", false, true);
    CSprite flowers, coins, insects, marker;
    flowers.Load(ctx.resources, "dat/skin01.spr");
    coins.Load(ctx.resources, "dat/bonus.spr");
    insects.Load(ctx.resources, "dat/insects.spr");
    marker.Load(ctx.resources, "dat/marker.spr");
    CFileBuffer mask = ctx.resources->Load("dat/levels_classic/lev002.raw");

    BeginFrame(800, 600);
    background.Bind();
    glBegin(GL_TRIANGLE_STRIP);
    glTexCoord2f(0, 1);
    glVertex2f(-112, -212);
    glTexCoord2f(0, 0);
    glVertex2f(-112, 812);
    glTexCoord2f(1, 1);
    glVertex2f(912, -212);
    glTexCoord2f(1, 0);
    glVertex2f(912, 812);
    glEnd();

    // Level 2: 23 columns.
    int columns = 23;
    float cw = 776.0f / columns, hw = cw / 2, rh = hw * std::sqrt(3.0f);
    int rows = static_cast<int>(532.0f / rh);
    if (rows % 2 == 0)
    {
        rows += 1;
        rh = 532.0f / rows;
    }
    int mid = rows / 2;
    uint32_t seed = 1;
    auto rnd = [&seed](int n) {
        seed = seed * 214013u + 2531011u;
        return static_cast<int>((seed >> 16) & 0x7FFF) % n;
    };
    CSprite flower(flowers), coin(coins);
    flower.SetBlend(true);
    coin.SetBlend(true);
    for (int r = 0; r < rows; ++r)
    {
        int len = columns - std::abs(mid - r);
        for (int c = 0; c < len; ++c)
        {
            float x = hw + 12 + std::abs(r - mid) * hw + c * cw, y = 282 + (r - mid) * rh;
            size_t index = static_cast<size_t>(x) + 800 * static_cast<size_t>(y);
            bool hole = mask.GetSize() == 800 * 600 && mask.GetData()[index] == 0;
            // Zones of one colour at both starts, as after a few moves.
            int colour = rnd(6);
            if (r >= mid - 1 && r <= mid + 1 && c < 3)
                colour = 2;
            if (r >= mid - 1 && r <= mid + 1 && c >= len - 3)
                colour = 0;
            flower.SetGroup(hole ? 7 : colour);
            flower.SetFrame(0);
            flower.SetSize(cw, cw);
            flower.SetPosition(0, 0, 0);
            glPushMatrix();
            glTranslatef(x, y, 0);
            glRotatef(static_cast<float>(rnd(360)), 0, 0, 1);
            flower.Draw(true);
            glPopMatrix();
            if (!hole && rnd(9) == 0)
            {
                coin.SetGroup(rnd(5));
                coin.SetFrame(rnd(16));
                coin.SetSize(cw, cw); // coins are drawn at the cell's size
                coin.SetPosition(x, y, 0);
                coin.Draw(true);
            }
        }
    }
    // The marker over one cell, drawn after the field as the game screen does.
    {
        int r = mid - 3, c = 6;
        float x = hw + 12 + std::abs(r - mid) * hw + c * cw, y = 282 + (r - mid) * rh;
        CSprite ring(marker);
        ring.SetFlip(true);
        ring.SetBlend(true);
        ring.SetSize(cw * 1.2f, cw * 1.2f);
        ring.SetPosition(x, y, 0);
        ring.Draw(true);
    }
    // Insects flying in different headings.
    CSprite insect(insects);
    insect.SetBlend(true);
    const float headings[3] = {0, 60, 200};
    for (int g = 0; g < insects.GetGroupCount() && g < 3; ++g)
    {
        insect.SetGroup(g);
        insect.SetFrame(g * 2);
        insect.SetPosition(0, 0, 0);
        glPushMatrix();
        glTranslatef(300 + 100 * g, 160 + 40 * g, 0);
        glRotatef(headings[g], 0, 0, 1);
        insect.Draw(true);
        glPopMatrix();
    }

    // Buttons at their layout positions, frame 1.
    CKeyValueFile layout;
    layout.LoadResource(ctx.resources, "dat/bonuses_buttons.txt");
    const char* names[12] = {"m_main_menu_btn", "m_bonus_single_repaint", "m_bonus_zone_repaint",
                             "m_bonus_free_randomize", "m_bonus_forward3", "m_bonus_forward6",
                             "m_bonus_self_repaint", "m_bonus_skip_move", "m_bonus_backward3",
                             "m_bonus_backward6", "m_bonus_apponent_randomize", "m_bonus_life"};
    const char* files[12] = {"dat/maun_menu_btn.tga", "dat/bonus_btn/single_repaint.tga",
                             "dat/bonus_btn/zone_repaint.tga", "dat/bonus_btn/free_randomize.tga",
                             "dat/bonus_btn/forward3.tga", "dat/bonus_btn/forward6.tga",
                             "dat/bonus_btn/self_repaint.tga", "dat/bonus_btn/skip_move.tga",
                             "dat/bonus_btn/backward3.tga", "dat/bonus_btn/backward6.tga",
                             "dat/bonus_btn/apponent_randomize.tga", "dat/bonus_btn/life.tga"};
    for (int i = 0; i < 12; ++i)
    {
        CTexture t;
        t.LoadFromResource(ctx.resources, files[i], false, false);
        CVector4 p = layout.GetVector(names[i]);
        float w = t.GetWidth(), h = t.GetHeight() / 4.0f;
        int frame = i == 3 ? 2 : (i == 9 ? 4 : 1); // show a hovered and a disabled one too
        float vt = frame / 4.0f, vb = (frame - 1) / 4.0f;
        t.Bind();
        glBegin(GL_TRIANGLE_STRIP);
        glTexCoord2f(0, vt);
        glVertex2f(p.x, p.y);
        glTexCoord2f(0, vb);
        glVertex2f(p.x, p.y + h);
        glTexCoord2f(1, vt);
        glVertex2f(p.x + w, p.y);
        glTexCoord2f(1, vb);
        glVertex2f(p.x + w, p.y + h);
        glEnd();
    }
    // Where the head-up display's numbers go (base lines), as plain labels.
    std::vector<SLabel> labels{{80, 40, "123", 24}, {718, 40, "117", 24}, {67, 90, "$1,25", 22},
                               {72, 500, "3", 24},  {81, 550, "4520", 24}, {717, 550, "3", 24}};
    Save(ctx, "game_screen.png", 800, 600, labels);
}

// Each level set as the player meets it: every mask built into a small board
// of flowers (holes as group 7) at the width of the level number that first uses it.
void LevelSetSheet(const SContext& ctx, const std::string& set, int count)
{
    CSprite flowers;
    flowers.Load(ctx.resources, "dat/skin01.spr");
    CSprite flower(flowers);
    flower.SetBlend(true);
    const int perRow = 5, tileW = 200, tileH = 150;
    int tilesDown = (count + perRow - 1) / perRow;
    int width = perRow * (tileW + 4), height = std::min(kCanvas, 20 + tilesDown * (tileH + 4));
    BeginFrame(width, height);
    std::vector<SLabel> labels{{4, 14, "dat/levels_" + set}};
    for (int i = 0; i < count; ++i)
    {
        char name[64];
        std::snprintf(name, sizeof(name), "dat/levels_%s/lev%03d.raw", set.c_str(), i);
        CFileBuffer mask = ctx.resources->Load(name);
        if (mask.GetSize() != 800 * 600)
            continue;
        int l = i % 100, a = l / 18, b = (l % 18) / 6, c = l % 6;
        const int base[3] = {21, 18, 30};
        int columns = base[b] + c + 2 * a;
        float cw = 776.0f / columns, hw = cw / 2, rh = hw * std::sqrt(3.0f);
        int rows = static_cast<int>(532.0f / rh);
        if (rows % 2 == 0)
        {
            rows += 1;
            rh = 532.0f / rows;
        }
        int mid = rows / 2;
        float ox = (i % perRow) * (tileW + 4), oy = 20 + (i / perRow) * (tileH + 4);
        glPushMatrix();
        glTranslatef(ox, oy, 0);
        glScalef(0.25f, 0.25f, 1);
        for (int r = 0; r < rows; ++r)
            for (int col = 0; col < columns - std::abs(mid - r); ++col)
            {
                float x = hw + 12 + std::abs(r - mid) * hw + col * cw, y = 282 + (r - mid) * rh;
                bool hole = mask.GetData()[static_cast<size_t>(x) + 800 * static_cast<size_t>(y)] == 0;
                flower.SetGroup(hole ? 7 : (r * 7 + col * 3) % 6);
                flower.SetSize(cw, cw);
                flower.SetPosition(x, y, 0);
                flower.Draw(true);
            }
        glPopMatrix();
        labels.push_back({ox + 2, oy + 12, std::to_string(i) + " (" + std::to_string(columns) + ")"});
    }
    Save(ctx, "levels_" + set + ".png", width, height, labels);
}

bool EndsWith(const std::string& s, const std::string& end)
{
    return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}
} // namespace

int main(int argc, char** argv)
{
    std::string dataFolder = argc > 1 ? argv[1] : ".";
    SContext ctx;
    ctx.outputFolder = argc > 2 ? argv[2] : dataFolder + "/sheets";
    std::filesystem::create_directories(ctx.outputFolder);

    CResourceManager resources;
    resources.SetPackKey(kPackKey);
    if (!resources.OpenPack(dataFolder + "/data.pk"))
    {
        std::fprintf(stderr, "sheet: no %s/data.pk\n", dataFolder.c_str());
        return 1;
    }
    ctx.resources = &resources;

    // The program's own hidden window gives the GL context the engine draws with.
    if (!NPlatform::OpenWindow("zonvel_sheet", 0, 0, kCanvas, kCanvas))
    {
        std::fprintf(stderr, "sheet: no window with a GL context (is there a display?)\n");
        return 1;
    }
    NGL::SetContextAvailable(true);
    glReadBuffer(GL_BACK);

    int count = 0;
    for (const std::string& name : resources.GetEntryNames())
    {
        if (EndsWith(name, ".spr"))
            SpriteSheet(ctx, name);
        else if (EndsWith(name, ".tga") || EndsWith(name, ".jpg"))
        {
            // Sprite sheets' own pictures are shown through their sprites.
            std::string base = name.substr(0, name.size() - 4);
            if (resources.HasEntry(base + ".spr"))
                continue;
            PictureSheet(ctx, name);
        }
        else
            continue;
        ++count;
    }
    GameScreenSheet(ctx);
    CKeyValueFile game;
    game.LoadResource(&resources, "dat/game.txt");
    for (const char* set : {"classic", "duel", "moving"})
        LevelSetSheet(ctx, set, game.GetInt(std::string("m_levels_") + set, 0));
    std::fprintf(stderr, "sheet: %d sheets and game_screen.png in %s\n", count, ctx.outputFolder.c_str());

    NGL::SetContextAvailable(false);
    NPlatform::CloseWindow();
    return ctx.failures == 0 ? 0 : 1;
}
