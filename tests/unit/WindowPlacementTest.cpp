// The window opens where the settings put it, but always whole and within
// reach on this desktop.
#include "app/WindowPlacement.h"

#include <gtest/gtest.h>

namespace
{
const NPlatform::SRect kDesktop{0, 0, 1920, 1080};
// A desktop with a panel of 32 pixels at the top.
const NPlatform::SRect kUnderPanel{0, 32, 1920, 1080};
} // namespace

TEST(WindowPlacement, WindowThatFitsStaysWhereItWas)
{
    const SWindowPlacement placed = PlaceWindow({100, 200, 800, 600}, 1920, 1080, kUnderPanel);
    EXPECT_EQ(placed.x, 100);
    EXPECT_EQ(placed.y, 200);
    EXPECT_EQ(placed.width, 800);
    EXPECT_EQ(placed.height, 600);
}

TEST(WindowPlacement, OversizedWindowShrinksToTheUsableAreaWithItsCorners)
{
    // Beyond what the system accepts at all, and merely larger than the screen.
    for (SWindowPlacement saved : {SWindowPlacement{0, 0, 20000, 17000}, SWindowPlacement{40, 40, 5000, 4000}})
    {
        const SWindowPlacement placed = PlaceWindow(saved, 1920, 1080, kUnderPanel);
        EXPECT_EQ(placed.width, 1920);
        EXPECT_EQ(placed.height, 1048);
        EXPECT_EQ(placed.x, 0);
        EXPECT_EQ(placed.y, 32) << "not under the panel";
    }
}

TEST(WindowPlacement, WindowOffTheDesktopComesBackWhole)
{
    SWindowPlacement placed = PlaceWindow({3000, 2500, 800, 600}, 1920, 1080, kDesktop);
    EXPECT_EQ(placed.x, 1120);
    EXPECT_EQ(placed.y, 480);
    placed = PlaceWindow({-500, -300, 800, 600}, 1920, 1080, kDesktop);
    EXPECT_EQ(placed.x, 0);
    EXPECT_EQ(placed.y, 0);
    // Near the edge of a larger screen: halved first, as before.
    placed = PlaceWindow({1300, 0, 800, 600}, 1600, 1080, kDesktop);
    EXPECT_EQ(placed.x, 650);
}

TEST(WindowPlacement, UnknownDesktopLeavesThePlacementAlone)
{
    const SWindowPlacement placed = PlaceWindow({10, 20, 5000, 4000}, 0, 0, NPlatform::SRect{});
    EXPECT_EQ(placed.width, 5000);
    EXPECT_EQ(placed.height, 4000);
}

TEST(WindowPlacement, ASavedSizeBelowTheMinimumOpensAtTheMinimum)
{
    const SWindowPlacement placed = PlaceWindow({100, 100, 150, 120}, 1920, 1080, kDesktop);
    EXPECT_EQ(placed.width, NPlatform::kMinWindowWidth);
    EXPECT_EQ(placed.height, NPlatform::kMinWindowHeight);
    // A size the player chose above the minimum stays.
    const SWindowPlacement chosen = PlaceWindow({100, 100, 1280, 720}, 1920, 1080, kDesktop);
    EXPECT_EQ(chosen.width, 1280);
    EXPECT_EQ(chosen.height, 720);
}
