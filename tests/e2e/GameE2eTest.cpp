// A level of the game played in the real window with the data set of the
// build: tutorial panels, the move preview, a bonus, the level's end and the
// next level, then Escape. A driver looks at the game each frame and scripts
// the next mouse events, as a player watching the screen would.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/Application.h"
#include "engine/AppSettings.h"
#include "engine/Random.h"
#include "game/BoardCache.h"
#include "game/Field.h"
#include "game/Game.h"
#include "game/GameResources.h"
#include "game/HintPanel.h"
#include "game/Player.h"
#include "platform/DataFolder.h"
#include "tests/e2e/Harness.h"
#include "tests/e2e/Playing.h"
#include "ui/Hint.h"
#include "ui/SimpleButton.h"

namespace
{
using NE2e::BestNeighbour;
using NE2e::CHarness;
using NE2e::SImage;
using NE2e::SRgb;
using namespace NGame;

std::string BuildDir()
{
    std::string shots = ZONVEL_E2E_SHOTS_DIR;
    return shots.substr(0, shots.rfind('/'));
}

// Why a played level cannot run here; empty when it can.
std::string WhyNoLevelCanBePlayed()
{
    if (!CHarness::HasDisplay())
        return "needs an X display (run through test.sh)";
    if (!std::filesystem::exists(BuildDir() + "/data.pk"))
        return "the data set has not been generated";
    return {};
}

// Pixels in the box that match the test.
template <typename Test> int Count(const SImage& image, int x0, int y0, int x1, int y1, Test test)
{
    int n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            n += test(image.At(x, y));
    return n;
}

// The widest board, whose frame costs are measured, so the copy holds most flowers.
constexpr int kScriptedLevel = 89;
// Where a flower in flight overlaps a still neighbour held in the copy, the
// two blend in the other order: a few pixels of petal edges, never more.
constexpr int kPixelTolerance = 6;
constexpr int kMostDifferingPixels = 100; // of 480,000
constexpr int kLargestDifference = 64;

bool IsWhite(SRgb c)
{
    return c.r > 220 && c.g > 220 && c.b > 220;
}

bool IsYellow(SRgb c)
{
    return c.r > 200 && c.g > 200 && c.b < 90;
}

class CDriver
{
  public:
    CDriver(CHarness& harness, CGame& game) : m_harness(harness), m_game(game) {}

    void OnFrame(int frame)
    {
        // Escape has closed the game screen, and nobody below keeps it here.
        if (m_done)
            return;
        const CField& field = *m_game.GetField();
        // The computer's turn, with the cursor still on the player's last cell:
        // no preview then.
        if (!m_computer_shot && m_moves > 1 && m_game.GetCurrentSide() == 1 && field.IsIdle())
        {
            m_computer_shot = true;
            m_harness.Capture(frame + 1, "computer-turn");
            m_last_capture = frame + 1;
        }
        if (frame < m_busy_until || m_done)
            return;
        // Nothing to look at while cells flip: run the game faster than it is drawn.
        if (!field.IsIdle() && !field.IsFull() && frame > m_last_capture + 2)
            for (int i = 0; i < kExtraUpdates && !field.IsIdle(); ++i)
                m_game.Update(16.0f);
        const auto& panels = m_game.GetHintPanels();
        if (!panels.empty())
        {
            bool shown = true;
            for (const auto& panel : panels)
                shown = shown && panel->GetAlpha() >= 1.0f && !panel->IsClosing();
            if (!shown)
                return;
            if (m_tutorial_shots == 0)
            {
                m_harness.Capture(frame + 1, "tutorial");
                m_harness.At(frame + 1,
                             [this]
                             {
                                 m_tutorial_panels = m_game.GetHintPanels().size();
                                 m_picture_while_shown =
                                     HintPicture(m_game.GetHintPanels().front()->GetIndex());
                             });
            }
            ++m_tutorial_shots;
            // A press anywhere off the check box closes the panel.
            m_harness.LButtonDown(frame + 2, 400, 8);
            m_harness.LButtonUp(frame + 3, 400, 8);
            if (m_tutorial_shots == 1)
            {
                m_harness.Capture(frame + 12, "tutorial-closing");
                m_last_capture = frame + 12;
                m_harness.At(frame + 40,
                             [this]
                             {
                                 m_first_panel_left = true;
                                 for (const auto& panel : m_game.GetHintPanels())
                                     m_first_panel_left = m_first_panel_left && panel->GetIndex() != 0;
                                 m_picture_after_closing = HintPicture(0);
                             });
            }
            m_busy_until = frame + 4;
            return;
        }

        if (field.IsFull())
        {
            if (!field.IsIdle() || m_game.GetMessageAlpha() < 1.0f || m_level_end_shot)
                return;
            m_level_end_shot = true;
            m_ended_level = m_game.GetLevelNumber();
            m_life_lost = m_game.IsLifeLost();
            m_harness.Capture(frame + 1, "level-end");
            m_harness.LButtonDown(frame + 2, 400, 300);
            m_harness.LButtonUp(frame + 3, 400, 300);
            m_busy_until = frame + 4;
            return;
        }

        if (m_level_end_shot)
        {
            if (m_game.GetCurrentSide() == 0 && field.IsIdle())
            {
                m_next_level = m_game.GetLevelNumber();
                m_game_over = m_game.IsGameOver();
                m_harness.Capture(frame + 1, "next-level");
                m_harness.KeyDown(frame + 2, 27);
                m_harness.At(frame + 4,
                             [this] { m_closed = m_harness.GetApp()->GetCurrentScreen() != &m_game; });
                m_harness.Quit(frame + 6);
                m_done = true;
            }
            return;
        }

        if (m_game.GetCurrentSide() != 0)
            return;
        // The tutorial shows its panels one after the other at the first turn.
        const CGameResources* resources = GetGameResources();
        if (!field.IsIdle() || !m_game.GetActiveBonuses().empty() ||
            m_game.GetPlayer()->GetState() != CPlayer::kMayMove ||
            (resources && m_game.GetNextTutorialHint() < resources->GetLastHintIndex()))
            return;

        if (m_bonus_state == 1)
        {
            // The bonus has finished: compare the board.
            std::vector<int> now;
            field.Snapshot(now);
            m_bonus_changed = now != m_before_bonus;
            m_harness.Capture(frame + 1, "bonus-done");
            m_bonus_state = 2;
        }
        if (m_moves == 2 && m_bonus_state == 0 && !m_game.GetBonusButton(CGame::kZoneRepaint)->IsDisabled())
        {
            const CSimpleButton& button = *m_game.GetBonusButton(CGame::kZoneRepaint);
            const int x = static_cast<int>(button.GetPosition().x + button.GetWidth() / 2);
            const int y = static_cast<int>(button.GetPosition().y + button.GetHeight() / 2);
            field.Snapshot(m_before_bonus);
            m_money_before_bonus = m_game.GetPlayer()->GetMoney();
            m_harness.MouseMove(frame + 1, x, y);
            m_harness.Capture(frame + 3, "bonus-tooltip");
            m_last_capture = frame + 20;
            m_harness.LButtonDown(frame + 4, x, y);
            m_harness.LButtonUp(frame + 5, x, y);
            m_harness.At(frame + 5,
                         [this]
                         {
                             m_bonus_bought = !m_game.GetActiveBonuses().empty();
                             m_money_after_bonus = m_game.GetPlayer()->GetMoney();
                         });
            m_harness.Capture(frame + 20, "bonus-flying");
            m_bonus_state = 1;
            m_busy_until = frame + 6;
            return;
        }

        const auto [row, col] = BestNeighbour(field);
        if (row < 0)
            return;
        const CVector4 centre = field.CellCentre(row, col);
        const int x = static_cast<int>(centre.x), y = static_cast<int>(centre.y);
        m_harness.MouseMove(frame + 1, x, y);
        if (m_moves == 0)
        {
            m_preview_x = x;
            m_preview_y = y;
            m_harness.Capture(frame + 4, "preview");
        }
        m_harness.LButtonDown(frame + 5, x, y);
        m_harness.LButtonUp(frame + 6, x, y);
        ++m_moves;
        m_busy_until = frame + 7;
    }

    static bool HintPicture(int index)
    {
        CGameResources* resources = GetGameResources();
        return resources && index >= 0 && index < static_cast<int>(resources->GetHintRecords().size()) &&
               resources->GetHintRecords()[static_cast<size_t>(index)].texture != nullptr;
    }

    static constexpr int kExtraUpdates = 8;
    CHarness& m_harness;
    CGame& m_game;
    int m_last_capture = 0;
    int m_busy_until = 0;
    bool m_done = false;
    int m_moves = 0;
    int m_tutorial_shots = 0;
    size_t m_tutorial_panels = 0;
    bool m_first_panel_left = false;
    bool m_picture_while_shown = false;
    bool m_picture_after_closing = true;
    bool m_computer_shot = false;
    int m_bonus_state = 0;
    std::vector<int> m_before_bonus;
    bool m_bonus_bought = false;
    bool m_bonus_changed = false;
    int m_money_before_bonus = 0;
    int m_money_after_bonus = 0;
    bool m_level_end_shot = false;
    int m_ended_level = -1;
    bool m_life_lost = false;
    int m_next_level = -1;
    bool m_closed = false;
    bool m_game_over = true;
    int m_preview_x = 0;
    int m_preview_y = 0;
};

TEST(GameE2e, FirstLevelPlayedWithTheMouseToTheNextLevel)
{
    if (const std::string why = WhyNoLevelCanBePlayed(); !why.empty())
        GTEST_SKIP() << why;

    CHarness harness;
    ASSERT_TRUE(NE2e::InstallDataSet(harness, true));
    ASSERT_TRUE(harness.Start());
    CGameResources& resources = CGameResources::Instance();
    CHint::SetFont(&resources);
    {
        auto made = std::make_unique<CGame>(CGameResources::kClassic, nullptr);
        made->StartAtLevel(0);
        CGame& game = *harness.Show(std::move(made));
        bool pictureBeforePanels = false;
        for (size_t i = 0; i < resources.GetHintRecords().size(); ++i)
            pictureBeforePanels = pictureBeforePanels || CDriver::HintPicture(static_cast<int>(i));
        CDriver driver(harness, game);
        const int kFrames = 4000;
        for (int frame = 1; frame < kFrames; ++frame)
            harness.At(frame, [&driver, frame] { driver.OnFrame(frame); });
        harness.Run(kFrames);
        std::printf("frames drawn: %d, moves: %d\n", harness.GetFramesRun(), driver.m_moves);

        EXPECT_GE(driver.m_tutorial_shots, 1);
        EXPECT_EQ(driver.m_tutorial_panels, 1u);
        EXPECT_TRUE(driver.m_first_panel_left);
        // The panels' large pictures are read while a panel shows them, not before, not after.
        EXPECT_FALSE(pictureBeforePanels);
        EXPECT_TRUE(driver.m_picture_while_shown);
        EXPECT_FALSE(driver.m_picture_after_closing);
        EXPECT_GT(driver.m_moves, 2);
        EXPECT_TRUE(driver.m_bonus_bought);
        EXPECT_EQ(driver.m_money_before_bonus - driver.m_money_after_bonus,
                  resources.GetPrice(CGameResources::kPriceZoneRepaint));
        EXPECT_TRUE(driver.m_bonus_changed);
        EXPECT_TRUE(driver.m_level_end_shot);
        EXPECT_EQ(driver.m_next_level, driver.m_life_lost ? 0 : 1);
        EXPECT_TRUE(driver.m_computer_shot);
        EXPECT_TRUE(driver.m_closed) << "Escape closes the game screen";
        EXPECT_FALSE(driver.m_game_over) << "the game may be continued";

        // The preview: dark rims appear around the cells the move would add.
        if (const SImage* preview = harness.GetCapture("preview"))
        {
            const SRgb centre = preview->At(driver.m_preview_x, driver.m_preview_y);
            EXPECT_FALSE(IsWhite(centre));
        }
        if (const SImage* end = harness.GetCapture("level-end"))
        {
            EXPECT_GT(Count(*end, 76, 16, 130, 42, IsWhite), 10) << "player's zone size";
            EXPECT_GT(Count(*end, 714, 16, 780, 42, IsWhite), 10) << "computer's zone size";
            EXPECT_GT(Count(*end, 70, 476, 100, 502, IsWhite), 5) << "lives";
            EXPECT_GT(Count(*end, 714, 526, 760, 552, IsWhite), 5) << "level";
            EXPECT_GT(Count(*end, 64, 68, 160, 92, IsYellow), 10) << "money";
            EXPECT_GT(Count(*end, 200, 260, 600, 302, IsWhite), 200) << "level message";
        }
        else
            ADD_FAILURE() << "no level-end picture";
    }
    CHint::SetFont(nullptr);
    CGameResources::Release();
    harness.Shutdown();
}
// One scripted stretch of a level, the same each time for the same seed: the
// board appearing, quiet, a hovered cell with its preview, the flips of the
// player's move and the computer's. The frames it captured, by name.
struct SScriptedLevel
{
    std::map<std::string, SImage> shots;
    size_t heldWhenQuiet = 0;
    int takes = 0;
};

SScriptedLevel PlayScriptedLevel(CHarness& harness, bool cached)
{
    SScriptedLevel played;
    CBoardCache::SetEnabled(cached);
    if (!harness.Start())
        return played;
    CGameResources& resources = CGameResources::Instance();
    CHint::SetFont(&resources);
    NRandom::Seed(20261208);
    auto made = std::make_unique<CGame>(CGameResources::kClassic, nullptr);
    made->StartAtLevel(kScriptedLevel);
    CGame& game = *harness.Show(std::move(made));
    const std::vector<std::pair<int, std::string>> shots = {
        {20, "appearing"}, {200, "quiet"},    {216, "hovered"}, {226, "flipping"},
        {250, "flipped"},  {330, "computer"}, {420, "settled"}, {470, "hovered-again"}};
    for (const auto& [frame, name] : shots)
        harness.Capture(frame, name);
    harness.At(200, [&] { played.heldWhenQuiet = game.GetField()->GetBoardCache().GetHeldCount(); });
    harness.At(205,
               [&]
               {
                   const auto [row, col] = BestNeighbour(*game.GetField());
                   if (row < 0)
                       return;
                   const CVector4 centre = game.GetField()->CellCentre(row, col);
                   const int x = static_cast<int>(centre.x), y = static_cast<int>(centre.y);
                   harness.MouseMove(206, x, y);
                   harness.LButtonDown(220, x, y);
                   harness.LButtonUp(221, x, y);
                   // Back over the board, a few cells off, for the second preview.
                   harness.MouseMove(460, x + 40, y);
               });
    harness.At(470, [&] { played.takes = game.GetField()->GetBoardCache().GetTakeCount(); });
    harness.Quit(472);
    harness.Run(500);
    for (const auto& [frame, name] : shots)
        if (const SImage* shot = harness.GetCapture(name))
            played.shots[name] = *shot;
    CHint::SetFont(nullptr);
    CGameResources::Release();
    harness.Shutdown();
    harness.ClearScript();
    return played;
}

TEST(GameE2e, TheBoardDrawnFromItsCopyLooksAsTheBoardDrawnWhole)
{
    if (const std::string why = WhyNoLevelCanBePlayed(); !why.empty())
        GTEST_SKIP() << why;

    CHarness harness;
    ASSERT_TRUE(NE2e::InstallDataSet(harness, false));
    const SScriptedLevel whole = PlayScriptedLevel(harness, false);
    const SScriptedLevel copied = PlayScriptedLevel(harness, true);
    CBoardCache::SetEnabled(true);

    EXPECT_GT(copied.heldWhenQuiet, 300u) << "the quiet board is drawn from the copy";
    EXPECT_GT(copied.takes, 2) << "the copy was taken again as the board changed";
    EXPECT_LT(copied.takes, 120) << "not every frame";
    ASSERT_EQ(whole.shots.size(), 8u);
    ASSERT_EQ(copied.shots.size(), 8u);
    for (const auto& [name, picture] : whole.shots)
    {
        const SImage& other = copied.shots.at(name);
        ASSERT_EQ(picture.width, other.width);
        ASSERT_EQ(picture.height, other.height);
        int differing = 0, largest = 0;
        for (size_t i = 0; i < picture.rgba.size(); i += 4)
        {
            int difference = 0;
            for (size_t k = 0; k < 3; ++k)
                difference = std::max(difference, std::abs(picture.rgba[i + k] - other.rgba[i + k]));
            largest = std::max(largest, difference);
            differing += difference > kPixelTolerance;
        }
        std::printf("%s: %d pixels differ by more than %d, largest difference %d\n", name.c_str(), differing,
                    kPixelTolerance, largest);
        EXPECT_LE(differing, kMostDifferingPixels) << name;
        EXPECT_LE(largest, kLargestDifference) << name;
    }
}
} // namespace
