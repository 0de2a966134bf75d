#include "engine/ResourceGroup.h"
#include "engine/ResourceManager.h"
#include "engine/Sprite.h"
#include "engine/Texture.h"

#include "FoundationTestUtil.h"

#include <gtest/gtest.h>

namespace
{
class ResourceGroupTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        m_manager.AddMemoryEntry("mui/a.tga", NTestUtil::MakeSolidTarga(4, 2), false);
        m_manager.AddMemoryEntry("mui/b.tga", NTestUtil::MakeSolidTarga(8, 8), false);
        m_manager.AddMemoryEntry("mui/cursor.spr", NTestUtil::Bytes("file_name mui/b.tga frames 2"), false);
    }
    void TearDown() override { CResourceGroup::DeleteAllGroups(); }

    CResourceManager m_manager;
};
} // namespace

TEST_F(ResourceGroupTest, GroupsAreFoundByNameAndReplacedOnCreate)
{
    CResourceGroup* main = CResourceGroup::CreateGroup("main", &m_manager);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(CResourceGroup::GetGroup("main"), main);
    EXPECT_EQ(CResourceGroup::GetGroup("game"), nullptr);
    main->AddTexture("mui/a.tga", "a", false, false);
    CResourceGroup* again = CResourceGroup::CreateGroup("main", &m_manager);
    EXPECT_EQ(CResourceGroup::GetGroup("main"), again);
    EXPECT_EQ(again->GetTextureCount(), 0u);
    CResourceGroup::DeleteGroup("main");
    EXPECT_EQ(CResourceGroup::GetGroup("main"), nullptr);
    CResourceGroup::DeleteGroup("main");
}

TEST_F(ResourceGroupTest, FirstTextureOfANameWinsAndFailedLoadsStayRegistered)
{
    CResourceGroup* group = CResourceGroup::CreateGroup("main", &m_manager);
    CTexture* first = group->AddTexture("mui/a.tga", "m_close_btn", false, false);
    CTexture* second = group->AddTexture("mui/b.tga", "m_close_btn", false, false);
    EXPECT_NE(first, second);
    EXPECT_EQ(group->GetTexture("m_close_btn"), first);
    EXPECT_EQ(first->GetWidth(), 4);
    EXPECT_EQ(group->GetTexture("M_CLOSE_BTN"), nullptr);

    CTexture* missing = group->AddTexture("mui/none.tga", "m_none", false, false);
    ASSERT_NE(missing, nullptr);
    EXPECT_EQ(group->GetTexture("m_none"), missing);
    EXPECT_EQ(missing->GetWidth(), 0);
    EXPECT_EQ(group->GetTextureCount(), 3u);
}

TEST_F(ResourceGroupTest, SpritesAreRegisteredAndRemoved)
{
    CResourceGroup* group = CResourceGroup::CreateGroup("main", &m_manager);
    CSprite* cursor = group->AddSprite("mui/cursor.spr", "menu_cursor");
    ASSERT_NE(cursor, nullptr);
    EXPECT_EQ(group->GetSprite("menu_cursor"), cursor);
    EXPECT_FLOAT_EQ(cursor->GetWidth(), 4.0f);
    group->RemoveSprite(cursor);
    EXPECT_EQ(group->GetSprite("menu_cursor"), nullptr);
    EXPECT_EQ(group->GetSpriteCount(), 0u);
    group->RemoveSprite(nullptr);
}

TEST_F(ResourceGroupTest, ReloadReadsEveryRecordAgain)
{
    CResourceGroup* group = CResourceGroup::CreateGroup("main", &m_manager);
    CTexture* texture = group->AddTexture("mui/a.tga", "a", true, true);
    CSprite* sprite = group->AddSprite("mui/cursor.spr", "cursor");
    CSpriteInstance copy(*sprite);

    m_manager.AddMemoryEntry("mui/a.tga", NTestUtil::MakeSolidTarga(16, 2), false);
    m_manager.AddMemoryEntry("mui/b.tga", NTestUtil::MakeSolidTarga(20, 8), false);
    CResourceGroup::ReleaseAllGroups();
    EXPECT_EQ(group->GetTexture("a"), texture);
    CResourceGroup::ReloadAllGroups();
    EXPECT_EQ(texture->GetWidth(), 16);
    EXPECT_FLOAT_EQ(sprite->GetWidth(), 10.0f);
    EXPECT_EQ(copy.GetTexture()->GetWidth(), 20);
}

TEST_F(ResourceGroupTest, TextureWithAlphaIsReloadedWithItsAlpha)
{
    m_manager.AddMemoryEntry("c.jpg", NTestUtil::MakeSolidJpeg(8, 8, 3), false);
    m_manager.AddMemoryEntry("a.jpg", NTestUtil::MakeSolidJpeg(8, 8, 1), false);
    CResourceGroup* group = CResourceGroup::CreateGroup("game", &m_manager);
    CTexture* texture = group->AddTextureWithAlpha("c.jpg", "a.jpg", "hint", false, false);
    EXPECT_EQ(texture->GetComponents(), 4);
    group->ReloadAll();
    EXPECT_EQ(texture->GetComponents(), 4);
}
