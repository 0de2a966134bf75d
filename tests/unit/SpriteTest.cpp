#include "engine/Sprite.h"
#include "engine/ResourceManager.h"
#include "engine/Texture.h"

#include "FoundationTestUtil.h"

#include <gtest/gtest.h>

namespace
{
class SpriteTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        m_manager.AddMemoryEntry("dat/wide.tga", NTestUtil::MakeSolidTarga(100, 30), false);
        m_manager.AddMemoryEntry("dat/odd.tga", NTestUtil::MakeSolidTarga(102, 31), false);
    }

    void AddSpr(const std::string& name, const std::string& text)
    {
        m_manager.AddMemoryEntry(name, NTestUtil::Bytes(text), false);
    }

    CResourceManager m_manager;
};
} // namespace

TEST_F(SpriteTest, OnlyAFileNameGivesOneCellOfTheWholePicture)
{
    AddSpr("dat/one.spr", "file_name dat/wide.tga\n");
    CSprite sprite;
    ASSERT_TRUE(sprite.Load(&m_manager, "dat/one.spr"));
    EXPECT_EQ(sprite.GetGroupCount(), 1);
    EXPECT_EQ(sprite.GetFrameCount(), 1);
    EXPECT_FLOAT_EQ(sprite.GetWidth(), 100.0f);
    EXPECT_FLOAT_EQ(sprite.GetHeight(), 30.0f);
    EXPECT_TRUE(sprite.OwnsTexture());
}

TEST_F(SpriteTest, CellSizeDropsTheRemainder)
{
    AddSpr("dat/a.spr", "file_name dat/wide.tga frames 4 groups 3");
    AddSpr("dat/b.spr", "file_name dat/odd.tga frames 4 groups 3");
    CSprite a, b;
    a.Load(&m_manager, "dat/a.spr");
    b.Load(&m_manager, "dat/b.spr");
    EXPECT_FLOAT_EQ(a.GetWidth(), 25.0f);
    EXPECT_FLOAT_EQ(a.GetHeight(), 10.0f);
    EXPECT_FLOAT_EQ(b.GetWidth(), 25.0f);
    EXPECT_FLOAT_EQ(b.GetHeight(), 10.0f);
}

TEST_F(SpriteTest, CountsBelowOneCountAsOne)
{
    AddSpr("dat/zero.spr", "file_name dat/wide.tga frames 0 groups -5");
    CSprite sprite;
    sprite.Load(&m_manager, "dat/zero.spr");
    EXPECT_EQ(sprite.GetFrameCount(), 1);
    EXPECT_EQ(sprite.GetGroupCount(), 1);
    EXPECT_FLOAT_EQ(sprite.GetWidth(), 100.0f);
    sprite.Advance(100);
    sprite.Draw(true);
    EXPECT_EQ(sprite.GetFrame(), 0);
}

TEST_F(SpriteTest, MissingDescriptionOrPictureGivesAnEmptySprite)
{
    CSprite sprite;
    EXPECT_FALSE(sprite.Load(&m_manager, "dat/none.spr"));
    EXPECT_FLOAT_EQ(sprite.GetWidth(), 0.0f);
    AddSpr("dat/nopic.spr", "file_name dat/none.tga frames 2");
    EXPECT_TRUE(sprite.Load(&m_manager, "dat/nopic.spr"));
    EXPECT_FLOAT_EQ(sprite.GetWidth(), 0.0f);
    sprite.Draw(true);

    CSprite blank;
    blank.Advance(16);
    blank.Draw(false);
}

TEST_F(SpriteTest, SetGroupAndSetFrameCheckOnlyTheUpperBound)
{
    AddSpr("dat/s.spr", "file_name dat/wide.tga frames 4 groups 3");
    CSprite sprite;
    sprite.Load(&m_manager, "dat/s.spr");
    sprite.SetGroup(2);
    EXPECT_EQ(sprite.GetGroup(), 2);
    sprite.SetGroup(3);
    EXPECT_EQ(sprite.GetGroup(), 0);
    sprite.SetFrame(2);
    EXPECT_EQ(sprite.GetFrame(), 2);
    EXPECT_EQ(sprite.GetElapsed(), 2 * CSprite::kDefaultFrameTime);
    sprite.SetFrame(4);
    EXPECT_EQ(sprite.GetFrame(), 0);
    EXPECT_EQ(sprite.GetElapsed(), 0);
    sprite.SetFrame(-1);
    EXPECT_EQ(sprite.GetFrame(), -1);
}

TEST_F(SpriteTest, AdvanceStepsOneFrameAfterTheFrameTimeIsExceeded)
{
    AddSpr("dat/s.spr", "file_name dat/wide.tga frames 4");
    CSprite sprite;
    sprite.Load(&m_manager, "dat/s.spr");
    // 50 ms frames in 16 ms steps: the fourth step (64 ms) moves on.
    for (int i = 0; i < 3; ++i)
        sprite.Advance(16);
    EXPECT_EQ(sprite.GetFrame(), 0);
    sprite.Advance(16);
    EXPECT_EQ(sprite.GetFrame(), 1);
    EXPECT_EQ(sprite.GetElapsed(), 0);
    // Never more than one frame per call, and it loops.
    sprite.Advance(1000);
    EXPECT_EQ(sprite.GetFrame(), 2);
    sprite.Advance(1000);
    sprite.Advance(1000);
    EXPECT_EQ(sprite.GetFrame(), 0);
    // A step exactly equal to the frame time does not advance.
    sprite.Advance(50);
    EXPECT_EQ(sprite.GetFrame(), 0);
}

TEST_F(SpriteTest, ReverseRunsBackwardsFromTheFirstToTheLastFrame)
{
    AddSpr("dat/s.spr", "file_name dat/wide.tga frames 4");
    CSprite sprite;
    sprite.Load(&m_manager, "dat/s.spr");
    sprite.SetReverse(true);
    sprite.ResetTime();
    EXPECT_EQ(sprite.GetElapsed(), 4 * CSprite::kDefaultFrameTime);
    sprite.Advance(1);
    EXPECT_EQ(sprite.GetFrame(), 3);
    sprite.SetFrameTime(10);
    sprite.Advance(11);
    EXPECT_EQ(sprite.GetFrame(), 2);
    sprite.SetReverse(false);
    sprite.ResetTime();
    EXPECT_EQ(sprite.GetElapsed(), 0);
}

TEST_F(SpriteTest, CopyBorrowsTheTextureAndKeepsItsOwnState)
{
    AddSpr("dat/s.spr", "file_name dat/wide.tga frames 4 groups 2");
    CSprite sprite;
    sprite.Load(&m_manager, "dat/s.spr");
    sprite.SetBlend(true);
    sprite.SetFrameTime(30);
    sprite.SetPosition(5, 6, 7);
    {
        CSpriteInstance copy(sprite);
        EXPECT_EQ(copy.GetTexture(), sprite.GetTexture());
        EXPECT_FALSE(copy.OwnsTexture());
        EXPECT_TRUE(copy.IsBlend());
        EXPECT_EQ(copy.GetFrameTime(), 30);
        EXPECT_FLOAT_EQ(copy.GetZ(), 7.0f);
        copy.SetGroup(1);
        copy.Advance(100);
        EXPECT_EQ(sprite.GetGroup(), 0);
        EXPECT_EQ(sprite.GetFrame(), 0);
    }
    // The copy is gone; the texture is still there.
    ASSERT_NE(sprite.GetTexture(), nullptr);
    EXPECT_EQ(sprite.GetTexture()->GetWidth(), 100);

    CSpriteInstance assigned;
    assigned = sprite;
    EXPECT_FALSE(assigned.OwnsTexture());
    EXPECT_EQ(assigned.GetFrameCount(), 4);

    // Assigning a copy back to its owner must not free the shared texture.
    assigned.SetFrame(3);
    sprite = assigned;
    EXPECT_TRUE(sprite.OwnsTexture());
    EXPECT_EQ(sprite.GetFrame(), 3);
    EXPECT_EQ(sprite.GetTexture()->GetWidth(), 100);
}

TEST_F(SpriteTest, ReloadKeepsTheTextureSoCopiesSeeTheNewPicture)
{
    AddSpr("dat/s.spr", "file_name dat/wide.tga");
    CSprite sprite;
    sprite.Load(&m_manager, "dat/s.spr");
    CSpriteInstance copy(sprite);
    CTexture* texture = sprite.GetTexture();
    AddSpr("dat/s.spr", "file_name dat/odd.tga");
    sprite.Load(&m_manager, "dat/s.spr");
    EXPECT_EQ(sprite.GetTexture(), texture);
    EXPECT_EQ(copy.GetTexture()->GetWidth(), 102);
}

TEST_F(SpriteTest, AlphaFileIsUsedOnlyWithANameOfFourCharacters)
{
    m_manager.AddMemoryEntry("c.jpg", NTestUtil::MakeSolidJpeg(16, 8, 3), false);
    m_manager.AddMemoryEntry("a.jpg", NTestUtil::MakeSolidJpeg(16, 8, 1), false);
    m_manager.AddMemoryEntry("a.j", NTestUtil::MakeSolidJpeg(16, 8, 1), false);
    AddSpr("with.spr", "file_name c.jpg file_alpha a.jpg frames 2 tex_dynamic 1");
    AddSpr("short.spr", "file_name c.jpg file_alpha a.j");
    CSprite with, without;
    with.Load(&m_manager, "with.spr");
    without.Load(&m_manager, "short.spr");
    EXPECT_EQ(with.GetTexture()->GetComponents(), 4);
    EXPECT_FLOAT_EQ(with.GetWidth(), 8.0f);
    EXPECT_EQ(without.GetTexture()->GetComponents(), 3);
}
