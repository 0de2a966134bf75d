#include "engine/Texture.h"
#include "engine/GLHeaders.h"
#include "engine/ResourceManager.h"

#include "FoundationTestUtil.h"

#include <gtest/gtest.h>

namespace
{
// Pictures served from memory, as a pack would.
class TextureTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_FALSE(NGL::IsContextAvailable());
        m_manager.AddMemoryEntry("mui/font.tga", NTestUtil::MakeSolidTarga(32, 16), false);
        m_manager.AddMemoryEntry("mui/bgs/intro.jpg", NTestUtil::MakeSolidJpeg(40, 20, 3), false);
        m_manager.AddMemoryEntry("mui/bgs/alpha.jpg", NTestUtil::MakeSolidJpeg(40, 20, 1), false);
        m_manager.AddMemoryEntry("mui/bgs/small.jpg", NTestUtil::MakeSolidJpeg(8, 8, 1), false);
        m_manager.AddMemoryEntry("mui/broken.tga", {0, 0, 2}, false);
    }

    CResourceManager m_manager;
};
} // namespace

TEST_F(TextureTest, DecodesWithoutAContextAndDrawsNothing)
{
    CTexture texture;
    ASSERT_TRUE(texture.LoadFromResource(&m_manager, "MUI\\Font.TGA", false, false));
    EXPECT_EQ(texture.GetWidth(), 32);
    EXPECT_EQ(texture.GetHeight(), 16);
    EXPECT_EQ(texture.GetComponents(), 4);
    EXPECT_EQ(texture.GetGLName(), 0u);
    texture.Bind();
    texture.Draw(10, 10, 0);
    texture.Release();
}

TEST_F(TextureTest, DecoderFollowsTheLastCharacterOfTheName)
{
    CTexture texture;
    EXPECT_TRUE(texture.LoadFromResource(&m_manager, "mui/bgs/intro.jpg", true, true));
    EXPECT_EQ(texture.GetWidth(), 40);
    EXPECT_EQ(texture.GetComponents(), 3);

    CTexture other;
    EXPECT_TRUE(other.LoadFromResource(&m_manager, "mui/picture.bmp", false, false));
    EXPECT_EQ(other.GetWidth(), 0);
    EXPECT_TRUE(other.LoadFromResource(&m_manager, "", false, false));
}

TEST_F(TextureTest, FailedLoadKeepsWhatTheTextureHad)
{
    CTexture texture;
    ASSERT_TRUE(texture.LoadFromResource(&m_manager, "mui/font.tga", false, false));
    EXPECT_FALSE(texture.LoadFromResource(&m_manager, "mui/broken.tga", false, false));
    EXPECT_FALSE(texture.LoadFromResource(&m_manager, "mui/missing.jpg", false, false));
    EXPECT_FALSE(texture.LoadFromResource(&m_manager, "mui/missing.dds", false, false));
    EXPECT_EQ(texture.GetWidth(), 32);
}

TEST_F(TextureTest, GreyJpegAsColourPictureIsExpanded)
{
    CTexture texture;
    ASSERT_TRUE(texture.LoadFromResource(&m_manager, "mui/bgs/alpha.jpg", false, false));
    EXPECT_EQ(texture.GetComponents(), 3);
}

TEST_F(TextureTest, ColourWithAlphaFileGivesRgba)
{
    CTexture texture;
    ASSERT_TRUE(texture.LoadWithAlpha(&m_manager, "mui/bgs/intro.jpg", "mui/bgs/alpha.jpg", false, true));
    EXPECT_EQ(texture.GetComponents(), 4);
    EXPECT_EQ(texture.GetWidth(), 40);

    CTexture mismatched;
    EXPECT_FALSE(mismatched.LoadWithAlpha(&m_manager, "mui/bgs/intro.jpg", "mui/bgs/small.jpg", false, true));
    EXPECT_FALSE(mismatched.LoadWithAlpha(&m_manager, "mui/bgs/intro.jpg", "mui/bgs/intro.jpg", false, true));
    EXPECT_FALSE(mismatched.LoadWithAlpha(&m_manager, "mui/bgs/intro.jpg", "missing.jpg", false, true));
    EXPECT_EQ(mismatched.GetComponents(), 0);
}

TEST_F(TextureTest, DdsSizeIsRecorded)
{
    std::vector<uint8_t> dds(128, 0);
    dds[0] = 'D', dds[1] = 'D', dds[2] = 'S', dds[3] = ' ';
    dds[12] = 4; // height
    dds[16] = 8; // width
    dds[80] = 4; // four-character code follows
    dds[84] = 'D', dds[85] = 'X', dds[86] = 'T', dds[87] = '1';
    dds.resize(128 + 16);
    m_manager.AddMemoryEntry("dat/tex.dds", dds, false);
    CTexture texture;
    ASSERT_TRUE(texture.LoadFromResource(&m_manager, "dat/tex.DDS", true, false));
    EXPECT_EQ(texture.GetWidth(), 8);
    EXPECT_EQ(texture.GetHeight(), 4);
    EXPECT_EQ(texture.GetComponents(), 4) << "DXT1 keeps its one-bit alpha";
}
