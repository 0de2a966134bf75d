// The About and Gifts pages: found where the game's data is, never outside
// it, and handed only to a web browser.
#include "platform/Shell.h"

#include "FoundationTestUtil.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;
using NTestUtil::CEnvironment;
using NTestUtil::CTempDir;

TEST(LocalPage, PageInsideTheDataFolderGivesItsFileAddress)
{
    CTempDir dir;
    fs::create_directories(dir.File("share/zonvel/web"));
    ASSERT_TRUE(NTestUtil::WriteText(dir.File("share/zonvel/web/about.html"), "<html></html>"));
    const std::string folder = dir.File("share/zonvel") + "/";
    EXPECT_EQ(NPlatform::LocalPageAddress(folder, "web/about.html"), "file://" + folder + "web/about.html");
    EXPECT_EQ(NPlatform::LocalPageAddress(dir.File("share/zonvel"), "web/about.html"),
              "file://" + folder + "web/about.html");
    EXPECT_EQ(NPlatform::LocalPageAddress(folder, "web/gifts.html"), "") << "missing";

    // Loose data is read from the working folder when no folder is given.
    const fs::path previous = fs::current_path();
    fs::current_path(folder);
    EXPECT_EQ(NPlatform::LocalPageAddress("", "web/about.html"), "file://" + folder + "web/about.html");
    fs::current_path(previous);
}

TEST(LocalPage, NameThatLeavesTheDataFolderGivesNoAddress)
{
    CTempDir dir;
    fs::create_directories(dir.File("data/a"));
    ASSERT_TRUE(NTestUtil::WriteText(dir.File("x.html"), "outside"));
    ASSERT_TRUE(NTestUtil::WriteText(dir.File("data/x.html"), "inside"));
    const std::string folder = dir.File("data") + "/";
    ASSERT_NE(NPlatform::LocalPageAddress(folder, "x.html"), "");
    for (const std::string& name : std::vector<std::string>{"../x.html", "a/../../x.html", "a/../x.html", dir.File("x.html"), "/etc/passwd", "file:x.html",
          "C:x.html", "http://example.com/x.html", ""})
        EXPECT_EQ(NPlatform::LocalPageAddress(folder, name), "") << name;
}

TEST(LocalPage, OnlyADesktopEntryOfAWebBrowserCounts)
{
    CTempDir dir;
    fs::create_directories(dir.File("home/applications"));
    fs::create_directories(dir.File("system/applications"));
    ASSERT_TRUE(NTestUtil::WriteText(dir.File("home/applications/browser.desktop"),
                                     "[Desktop Entry]\nName=Browser\nCategories=Network;WebBrowser;\n"));
    ASSERT_TRUE(NTestUtil::WriteText(dir.File("system/applications/editor.desktop"),
                                     "[Desktop Entry]\nName=Editor\nTerminal=true\nCategories=Utility;TextEditor;\n"
                                     "[Desktop Action web]\nCategories=WebBrowser;\n"));
    // The user's own entry hides the system's of the same name.
    ASSERT_TRUE(NTestUtil::WriteText(dir.File("system/applications/browser.desktop"),
                                     "[Desktop Entry]\nCategories=Game;\n"));
    ASSERT_TRUE(NTestUtil::WriteText(dir.File("system/applications/web.desktop"),
                                     "[Desktop Entry]\nCategories=Network;WebBrowser\n"));
    CEnvironment home("XDG_DATA_HOME", dir.File("home").c_str());
    CEnvironment system("XDG_DATA_DIRS", (dir.File("missing") + ":" + dir.File("system")).c_str());

    EXPECT_TRUE(NPlatform::IsWebBrowserEntry("browser.desktop"));
    EXPECT_TRUE(NPlatform::IsWebBrowserEntry("web.desktop"));
    EXPECT_FALSE(NPlatform::IsWebBrowserEntry("editor.desktop"));
    EXPECT_FALSE(NPlatform::IsWebBrowserEntry("missing.desktop"));
    EXPECT_FALSE(NPlatform::IsWebBrowserEntry(""));
    EXPECT_FALSE(NPlatform::IsWebBrowserEntry("../home/applications/browser.desktop"));
}
