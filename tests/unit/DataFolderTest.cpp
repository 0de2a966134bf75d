// Where the program's data is read from: the base folder of the resource
// manager, and the choice between the folder beside the program and the
// installed one.
#include "engine/ResourceManager.h"

#include "FoundationTestUtil.h"

#include <gtest/gtest.h>

#include <filesystem>

using NTestUtil::Bytes;
using NTestUtil::CTempDir;

namespace
{
std::string MakeFolder(const CTempDir& dir, const std::string& name)
{
    std::filesystem::create_directories(dir.File(name + "/dat"));
    return dir.File(name);
}

void WritePack(const std::string& folder, const std::string& name, const std::string& text)
{
    CResourceManager builder;
    ASSERT_TRUE(builder.AddMemoryEntry(name, Bytes(text), false));
    ASSERT_TRUE(builder.SavePack(folder + "/data.pk"));
}
} // namespace

TEST(DataFolder, LooseNamesAreReadBelowTheBaseFolderWhoseCaseIsKept)
{
    CTempDir dir;
    std::string folder = MakeFolder(dir, "Zonvel Data");
    ASSERT_TRUE(NTestUtil::WriteText(folder + "/dat/game.txt", "loose"));

    CResourceManager manager;
    manager.SetBaseFolder(folder); // no trailing slash: one is added
    EXPECT_EQ(manager.GetBaseFolder(), folder + "/");
    EXPECT_EQ(manager.GetPath("web/about.html"), folder + "/web/about.html");
    EXPECT_EQ(manager.Load("DAT\\Game.txt").AsString(), "loose");
    // The working folder is not consulted once a base folder is set.
    EXPECT_TRUE(manager.Load("game.txt").IsEmpty());
}

TEST(DataFolder, PackInTheBaseFolderWinsOverItsLooseFiles)
{
    CTempDir dir;
    std::string folder = MakeFolder(dir, "data");
    ASSERT_TRUE(NTestUtil::WriteText(folder + "/dat/game.txt", "loose"));
    WritePack(folder, "dat/game.txt", "packed");

    CResourceManager manager;
    manager.SetBaseFolder(folder + "/");
    ASSERT_TRUE(manager.OpenPack(manager.GetPath(CResourceManager::kPackFileName)));
    EXPECT_EQ(manager.Load("dat/game.txt").AsString(), "packed");
}

TEST(DataFolder, FirstFolderHoldingTheGameDataIsChosen)
{
    CTempDir dir;
    std::string empty = MakeFolder(dir, "empty");
    std::string packed = MakeFolder(dir, "packed");
    WritePack(packed, "dat/game.txt", "m_levels_classic 100");
    std::string loose = MakeFolder(dir, "loose");
    ASSERT_TRUE(NTestUtil::WriteText(loose + "/dat/game.txt", "m_levels_classic 100"));

    // Beside the program comes first, the installed folder after it.
    EXPECT_EQ(CResourceManager::FindDataFolder({empty, packed, loose}), packed + "/");
    EXPECT_EQ(CResourceManager::FindDataFolder({loose, packed}), loose + "/");
    EXPECT_EQ(CResourceManager::FindDataFolder({"", dir.File("missing"), loose}), loose + "/");
}

TEST(DataFolder, FolderWithoutUsableDataIsPassedOver)
{
    CTempDir dir;
    // A file named like the pack that is not one, and a pack without the game data.
    std::string broken = MakeFolder(dir, "broken");
    ASSERT_TRUE(NTestUtil::WriteText(broken + "/data.pk", "not a pack"));
    std::string partial = MakeFolder(dir, "partial");
    WritePack(partial, "mui/font.tga", "font");

    EXPECT_EQ(CResourceManager::FindDataFolder({broken, partial}), "");
    EXPECT_EQ(CResourceManager::FindDataFolder({}), "");
}
