// Compressed pictures through the real OpenGL driver: what the texture holds
// once uploaded, read back from the driver.
#include <gtest/gtest.h>

#include <cstring>

#include "app/Application.h"
#include "engine/GLHeaders.h"
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
    const uint8_t red[8] = {0x00, 0xF8, 0x00, 0x00, 0, 0, 0, 0};          // c0 > c1: index 0 is red
    const uint8_t clear[8] = {0x1F, 0x00, 0x00, 0xF8, 0xFF, 0xFF, 0xFF, 0xFF}; // c0 <= c1: index 3 is transparent
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
} // namespace

TEST(TextureE2e, Dxt1KeepsItsTransparentTexelsAndComesUpTheRightWay)
{
    if (!CHarness::HasDisplay())
        GTEST_SKIP() << "needs an X display (run through test.sh)";
    CHarness harness;
    ASSERT_TRUE(harness.WriteFile("dat/sign.dds", RedOverTransparent()));
    ASSERT_TRUE(harness.Start());
    CTextureScreen screen;
    harness.GetApp()->PushScreen(&screen);
    bool compressed = false, loaded = false;
    std::vector<uint8_t> rgba(4 * 8 * 4, 0x55);
    CTexture texture;
    harness.At(1, [&] {
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
