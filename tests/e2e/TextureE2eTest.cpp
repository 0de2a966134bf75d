// Compressed pictures through the real OpenGL driver: what the texture holds
// once uploaded, read back from the driver.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "app/Application.h"
#include "engine/FrameCopy.h"
#include "engine/GLHeaders.h"
#include "engine/ResourceManager.h"
#include "engine/Sprite.h"
#include "engine/SpriteBatch.h"
#include "engine/Texture.h"
#include "tests/e2e/Harness.h"
#include "ui/Screen.h"

namespace
{
using NE2e::CHarness;

void PutU32(std::vector<uint8_t>& out, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

// A 4 x 8 DXT1 picture: the top block opaque red, the bottom block in the
// three-colour mode with every texel transparent.
std::vector<uint8_t> RedOverTransparent()
{
    std::vector<uint8_t> file(128, 0);
    std::memcpy(file.data(), "DDS ", 4);
    PutU32(file, 4, 124);
    PutU32(file, 8, 0x1007);
    PutU32(file, 12, 8); // height
    PutU32(file, 16, 4); // width
    PutU32(file, 76, 32);
    PutU32(file, 80, 0x4);
    std::memcpy(file.data() + 84, "DXT1", 4);
    const uint8_t red[8] = {0x00, 0xF8, 0x00, 0x00, 0, 0, 0, 0}; // c0 > c1: index 0 is red
    const uint8_t clear[8] = {0x1F, 0x00, 0x00, 0xF8,
                              0xFF, 0xFF, 0xFF, 0xFF}; // c0 <= c1: index 3 is transparent
    file.insert(file.end(), red, red + 8);
    file.insert(file.end(), clear, clear + 8);
    return file;
}
// Blue, with the texture drawn 50 times its size at (100, 100) over it.
class CTextureScreen : public CScreen
{
  public:
    CTexture* m_texture = nullptr;
    void Render() override
    {
        glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        CScreen::Render();
        if (!m_texture)
            return;
        glEnable(GL_TEXTURE_2D);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        m_texture->Bind();
        glPushMatrix();
        glTranslatef(100.0f, 100.0f, 0.0f);
        glScalef(50.0f, 50.0f, 1.0f);
        m_texture->Draw(0.0f, 0.0f, 0.0f);
        glPopMatrix();
        glDisable(GL_BLEND);
        glDisable(GL_TEXTURE_2D);
    }
};

// A 32-bit targa of 2 x 2 frames of 32 x 32: discs of four colours whose edges
// fade out, as flowers do, each with a dark mark on one side.
std::vector<uint8_t> SoftDiscs()
{
    const int size = 64;
    std::vector<uint8_t> bytes = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, size, 0, size, 0, 32, 8};
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
        {
            const int frame = (x / 32) + 2 * (y / 32);
            const float dx = static_cast<float>(x % 32) - 15.5f, dy = static_cast<float>(y % 32) - 15.5f;
            const float edge = std::clamp(15.0f - std::sqrt(dx * dx + dy * dy), 0.0f, 3.0f) / 3.0f;
            const uint8_t alpha = static_cast<uint8_t>(255.0f * edge);
            // A dark mark towards one side shows which way a disc is turned.
            const bool mark = dx > 6.0f && std::fabs(dy) < 4.0f;
            const uint8_t r = mark        ? 0
                              : frame & 1 ? 250
                                          : 30,
                          g = mark        ? 0
                              : frame & 2 ? 220
                                          : 60,
                          b = mark         ? 0
                              : frame == 0 ? 240
                                           : 20;
            bytes.insert(bytes.end(), {b, g, r, alpha});
        }
    return bytes;
}

// Grey, then forty turned, scaled, fading sprites of every frame: one by one as
// CSprite::Draw under the matrix, or all at once through a batch.
class CSpritesScreen : public CScreen
{
  public:
    CSprite* m_sprite = nullptr;
    bool m_batched = false;
    void Render() override
    {
        glClearColor(0.5f, 0.5f, 0.5f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        CScreen::Render();
        if (!m_sprite || !m_sprite->GetTexture())
            return;
        glEnable(GL_TEXTURE_2D);
        m_sprite->GetTexture()->Bind();
        CSpriteBatch batch;
        for (int i = 0; i < 40; ++i)
        {
            CSprite sprite = *m_sprite;
            sprite.SetFrame(i % 2);
            sprite.SetGroup((i / 2) % 2);
            const float size = 30.0f + static_cast<float>(i % 7) * 9.0f;
            sprite.SetSize(size, size);
            sprite.SetPosition(0.0f, 0.0f, 0.0f);
            const CVector4 at(60.0f + static_cast<float>(i % 10) * 70.0f,
                              80.0f + static_cast<float>(i / 10) * 110.0f, 0.0f);
            const float angle = static_cast<float>(i) * 23.0f,
                        alpha = 0.4f + static_cast<float>(i % 4) * 0.2f;
            if (m_batched)
            {
                batch.Add(sprite, at, angle, 1.0f, 1.0f, 1.0f, alpha);
                continue;
            }
            glPushMatrix();
            glTranslatef(at.x, at.y, at.z);
            glRotatef(angle, 0.0f, 0.0f, 1.0f);
            glColor4f(1.0f, 1.0f, 1.0f, alpha);
            sprite.Draw(false);
            glPopMatrix();
        }
        batch.Flush();
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        glDisable(GL_TEXTURE_2D);
    }
};
// The sprites in a viewport away from the window's corner, as a letterboxed
// window has it, read back; then the copy taken of them drawn over a cleared
// window and read back again, all in one frame.
class CCopiedScreen : public CSpritesScreen
{
  public:
    std::vector<uint8_t> m_drawn, m_copied;
    bool m_taken = false;
    void Render() override
    {
        glViewport(37, 21, 700, 500);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0.0, 800.0, 600.0, 0.0, -50.0, 50.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        CSpritesScreen::Render();
        if (!m_sprite || m_taken)
            return;
        m_drawn = ReadWindow();
        CFrameCopy copy;
        m_taken = copy.Take();
        glClearColor(0.5f, 0.5f, 0.5f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        copy.Draw();
        m_copied = ReadWindow();
        copy.Release();
    }
    static std::vector<uint8_t> ReadWindow()
    {
        std::vector<uint8_t> pixels(800 * 600 * 4);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, 800, 600, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    }
};
// The real start-up with the discs as a sprite file, and a screen of the test
// that is given the sprite, blended, once the window is up (frame 1). Null
// when the start failed.
template <class TScreen> TScreen* ShowDiscs(CHarness& harness, CSprite& sprite)
{
    const std::string spr = "file_name dat/discs.tga frames 2 groups 2\n";
    if (!harness.WriteFile("dat/discs.tga", SoftDiscs()) ||
        !harness.WriteFile("dat/discs.spr", std::vector<uint8_t>(spr.begin(), spr.end())) || !harness.Start())
        return nullptr;
    TScreen* screen = harness.Show(std::make_unique<TScreen>());
    harness.At(1,
               [&sprite, screen]
               {
                   if (!sprite.Load(GetResourceManager(), "dat/discs.spr"))
                       return;
                   sprite.SetBlend(true);
                   screen->m_sprite = &sprite;
               });
    return screen;
}
} // namespace

TEST(TextureE2e, AFrameCopyShowsTheViewportItWasTakenFromPixelForPixel)
{
    if (!CHarness::HasDisplay())
        GTEST_SKIP() << "needs an X display (run through test.sh)";
    CHarness harness;
    CSprite sprite;
    CCopiedScreen* shown = ShowDiscs<CCopiedScreen>(harness, sprite);
    ASSERT_NE(shown, nullptr);
    CCopiedScreen& screen = *shown;
    harness.Quit(4);
    harness.Run();
    screen.m_sprite = nullptr;
    const bool taken = screen.m_taken;
    const std::vector<uint8_t> drawn = std::move(screen.m_drawn), copied = std::move(screen.m_copied);
    harness.GetApp()->CloseAll();
    harness.Shutdown();

    ASSERT_TRUE(taken);
    ASSERT_EQ(drawn.size(), copied.size());
    int different = 0, sprites = 0;
    for (size_t i = 0; i < drawn.size(); i += 4)
    {
        different += drawn[i] != copied[i] || drawn[i + 1] != copied[i + 1] || drawn[i + 2] != copied[i + 2];
        sprites += drawn[i] != drawn[0] || drawn[i + 1] != drawn[1] || drawn[i + 2] != drawn[2];
    }
    EXPECT_GT(sprites, 20000) << "the sprites were drawn";
    EXPECT_EQ(different, 0);
}

TEST(TextureE2e, ABatchOfSpritesDrawsWhatTheyDrawOneByOne)
{
    if (!CHarness::HasDisplay())
        GTEST_SKIP() << "needs an X display (run through test.sh)";
    CHarness harness;
    CSprite sprite;
    CSpritesScreen* shown = ShowDiscs<CSpritesScreen>(harness, sprite);
    ASSERT_NE(shown, nullptr);
    CSpritesScreen& screen = *shown;
    harness.Capture(3, "one-by-one");
    harness.At(4, [&] { screen.m_batched = true; });
    harness.Capture(6, "batched");
    harness.Quit(7);
    harness.Run();
    screen.m_sprite = nullptr;
    harness.GetApp()->CloseAll();
    harness.Shutdown();

    const NE2e::SImage* single = harness.GetCapture("one-by-one");
    const NE2e::SImage* batched = harness.GetCapture("batched");
    ASSERT_NE(single, nullptr);
    ASSERT_NE(batched, nullptr);
    ASSERT_EQ(single->rgba.size(), batched->rgba.size());
    int drawn = 0, different = 0;
    for (int y = 0; y < single->height; ++y)
        for (int x = 0; x < single->width; ++x)
        {
            const NE2e::SRgb a = single->At(x, y), b = batched->At(x, y);
            if (!NE2e::Near(a, {128, 128, 128}, 4))
                ++drawn;
            if (!NE2e::Near(a, b, 12))
                ++different;
        }
    EXPECT_GT(drawn, 20000) << "the sprites were drawn";
    // The batch turns corners on the processor, the driver under the matrix:
    // at most a rounding's difference along some edges.
    EXPECT_LT(different, drawn / 200) << different << " of " << drawn << " drawn pixels differ";
}

TEST(TextureE2e, Dxt1KeepsItsTransparentTexelsAndComesUpTheRightWay)
{
    if (!CHarness::HasDisplay())
        GTEST_SKIP() << "needs an X display (run through test.sh)";
    CHarness harness;
    ASSERT_TRUE(harness.WriteFile("dat/sign.dds", RedOverTransparent()));
    ASSERT_TRUE(harness.Start());
    CTextureScreen& screen = *harness.Show(std::make_unique<CTextureScreen>());
    bool compressed = false, loaded = false;
    std::vector<uint8_t> rgba(4 * 8 * 4, 0x55);
    CTexture texture;
    harness.At(1,
               [&]
               {
                   const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
                   compressed = extensions && std::strstr(extensions, "GL_EXT_texture_compression_s3tc");
                   if (!compressed)
                       return;
                   loaded = texture.LoadFromResource(nullptr, "dat/sign.dds", false, false);
                   texture.Bind();
                   glPixelStorei(GL_PACK_ALIGNMENT, 1);
                   glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
                   screen.m_texture = &texture;
               });
    harness.Capture(3, "sign");
    harness.Quit(4);
    harness.Run();
    screen.m_texture = nullptr;
    harness.GetApp()->CloseAll();
    texture.Release();
    harness.Shutdown();
    if (!compressed)
        GTEST_SKIP() << "the OpenGL driver has no S3TC";
    ASSERT_TRUE(loaded);
    // Rows come bottom first, as for targa and JPEG: first the transparent block.
    for (int row = 0; row < 8; ++row)
    {
        const uint8_t* texel = &rgba[static_cast<size_t>(row) * 4 * 4];
        if (row < 4)
        {
            EXPECT_EQ(texel[3], 0) << "row " << row << " should be transparent";
        }
        else
        {
            EXPECT_EQ(texel[3], 255) << "row " << row;
            EXPECT_GT(texel[0], 200) << "row " << row << " should be red";
            EXPECT_LT(texel[2], 50) << "row " << row;
        }
    }
    // Drawn upright: red above, and the background shows through below.
    const NE2e::SImage* shot = harness.GetCapture("sign");
    ASSERT_NE(shot, nullptr);
    EXPECT_TRUE(NE2e::Near(shot->At(200, 200), {255, 0, 0}));
    EXPECT_TRUE(NE2e::Near(shot->At(200, 400), {0, 0, 255}));
    EXPECT_TRUE(NE2e::Near(shot->At(600, 300), {0, 0, 255}));
}
