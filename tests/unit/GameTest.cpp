// The game flow on a real field without a window: turns, judgement, score,
// purchases, button states, clicks and hint panels.
#include "GameTestSupport.h"

#include "engine/AppSettings.h"
#include "engine/KeyValueFile.h"
#include "game/AIPlayer.h"
#include "game/Bonus.h"
#include "game/Game.h"
#include "game/GameOwner.h"
#include "game/HintPanel.h"
#include "game/Player.h"
#include "interface/EnterNameDlg.h"
#include "platform/Events.h"
#include "game/TopTable.h"
#include "ui/BitmapText.h"
#include "ui/Hint.h"
#include "ui/Control.h"
#include "ui/SimpleButton.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

using namespace NGame;
using namespace NGameTest;

namespace
{
std::string ReadBuildFile(const std::string& name)
{
    std::ifstream in(std::string(ZONVEL_BUILD_DIR) + "/" + name, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Game resources with the data set's prices (a life costs 100 cents); the
// hint records only when asked, since they hold up the first clicks.
class GameTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        m_resources.Resources().ParseGameData(ReadBuildFile("dat/game.txt"));
        ASSERT_EQ(m_resources.Resources().GetPrice(CGameResources::kPriceLife), 100);
        m_hints_setting = GetAppSettings().m_hints;
        GetAppSettings().m_hints = true;
        NRandom::Seed(7);
        // Level masks are loose files read from the working folder: start in an
        // empty one, so boards are whole wherever the binary is run from.
        m_previous_dir = std::filesystem::current_path().string();
        const std::filesystem::path empty = std::filesystem::path(::testing::TempDir()) / "zonvel-no-data";
        std::filesystem::create_directories(empty);
        std::filesystem::current_path(empty);
    }
    void TearDown() override
    {
        GetAppSettings().m_hints = m_hints_setting;
        std::filesystem::current_path(m_previous_dir);
    }

    // Level masks come from the data set in the build folder.
    void UseDataSetLevels() { std::filesystem::current_path(ZONVEL_BUILD_DIR); }

    void LoadHintRecords() { m_resources.Resources().ParseHints(ReadBuildFile("dat/hints/hints.xml")); }

    std::unique_ptr<CGame> NewGame(int type, int level)
    {
        auto game = std::make_unique<CGame>(type, nullptr);
        game->StartAtLevel(level);
        return game;
    }

    static void Frames(CGame& game, int n)
    {
        for (int i = 0; i < n; ++i)
        {
            game.Update(kDt);
            game.Render();
        }
    }

    template <typename Pred> static bool RunUntil(CGame& game, Pred pred, int maxFrames = 5000)
    {
        for (int i = 0; i < maxFrames; ++i)
        {
            if (pred())
                return true;
            game.Update(kDt);
            game.Render();
        }
        return pred();
    }

    static bool PlayersTurnIdle(const CGame& game)
    {
        return game.GetCurrentSide() == 0 && game.GetField()->IsIdle() &&
               game.GetPlayer()->GetState() == CPlayer::kMayMove;
    }

    static void Click(CGame& game, int x, int y)
    {
        game.OnLButtonDown(x, y, 0);
        game.OnLButtonUp(x, y, 0);
    }

    static void ClickCell(CGame& game, int row, int col)
    {
        const CVector4 centre = game.GetField()->CellCentre(row, col);
        Click(game, static_cast<int>(centre.x), static_cast<int>(centre.y));
    }

    // A cell of an allowed colour next to the player's zone, or (-1, -1).
    static std::pair<int, int> AllowedNeighbour(const CGame& game)
    {
        const CField& field = *game.GetField();
        std::vector<int> grid;
        field.Snapshot(grid);
        const CHexGrid& hex = field.GetGrid();
        const int start = hex.Index(field.GetMid(), 0);
        hex.Flood(grid, start, -7);
        for (int index = 0; index < hex.GetCellCount(); ++index)
            if (grid[index] == -7)
                for (int next : hex.Neighbours(index))
                    if (next >= 0 && grid[next] >= 0 && field.IsColourAllowed(grid[next]))
                        return {hex.RowOf(next), hex.ColumnOf(next)};
        return {-1, -1};
    }

    // Lays the board out so that one click on (mid, 1) fills it with the
    // player's zone holding `playerCells` cells (every cell playable).
    static void LayOutEnding(CGame& game, int playerCells)
    {
        CField& field = *game.GetField();
        std::vector<std::pair<float, int>> byX;
        for (int index = 0; index < field.GetGrid().GetCellCount(); ++index)
        {
            const int r = field.GetGrid().RowOf(index), c = field.GetGrid().ColumnOf(index);
            byX.push_back({field.CellCentre(r, c).x + 0.001f * r, index});
        }
        std::sort(byX.begin(), byX.end());
        for (size_t i = 0; i < byX.size(); ++i)
        {
            const int index = byX[i].second;
            Set(field, field.GetGrid().RowOf(index), field.GetGrid().ColumnOf(index),
                static_cast<int>(i) < playerCells ? 0 : 1);
        }
        Set(field, field.GetMid(), 1, 2);
    }

    // Plays the player's last move of a laid-out ending and waits for the judgement.
    void FinishLevel(CGame& game, int playerCells)
    {
        ASSERT_TRUE(RunUntil(game, [&] { return PlayersTurnIdle(game); }));
        LayOutEnding(game, playerCells);
        ClickCell(game, game.GetField()->GetMid(), 1);
        ASSERT_TRUE(RunUntil(game, [&] { return game.GetField()->IsFull() && game.GetField()->IsIdle(); }));
        Frames(game, 2);
    }

    // The click after the judgement, then on to the next level's first turn.
    static void Continue(CGame& game)
    {
        Click(game, 400, 300);
        RunUntil(game, [&] { return game.GetField()->GetState() == CField::kAppearing; });
    }

    CTestResources m_resources;
    bool m_hints_setting = true;
    std::string m_previous_dir;
};
} // namespace

// ---- turn order ----

TEST_F(GameTest, TurnPassesToTheComputerAndBackAndRecordsThePositionForThePlayer)
{
    UseDataSetLevels();
    auto game = NewGame(0, 4);
    ASSERT_TRUE(RunUntil(*game, [&] { return PlayersTurnIdle(*game); }));
    const std::string before = game->GetField()->GetFieldState();
    const auto [row, col] = AllowedNeighbour(*game);
    ASSERT_GE(row, 0);
    ClickCell(*game, row, col);
    EXPECT_EQ(game->GetPlayer()->GetState(), CPlayer::kMoved);
    ASSERT_TRUE(RunUntil(*game, [&] { return game->GetCurrentSide() == 1; }));
    const auto* computer = static_cast<const CAIPlayer*>(game->GetSides()[1].get());
    ASSERT_TRUE(RunUntil(*game, [&] { return game->GetCurrentSide() == 0; }));
    EXPECT_EQ(computer->GetMovesMade(), 1);
    EXPECT_EQ(game->GetPlayer()->GetState(), CPlayer::kMayMove);
    EXPECT_NE(game->GetField()->GetFieldState(), before);
}

TEST_F(GameTest, SkipMoveKeepsThePlayerOnTurnOnceAndCannotBeBoughtTwice)
{
    UseDataSetLevels();
    auto game = NewGame(0, 4);
    game->GetPlayer()->AddMoney(100);
    ASSERT_TRUE(RunUntil(*game, [&] { return PlayersTurnIdle(*game); }));
    Frames(*game, 1);
    ASSERT_FALSE(game->GetBonusButton(CGame::kSkipMove)->IsDisabled());
    game->OnControl(game->GetBonusButton(CGame::kSkipMove));
    EXPECT_TRUE(game->IsSkipPending());
    const int money = game->GetPlayer()->GetMoney();
    game->OnControl(game->GetBonusButton(CGame::kSkipMove));
    EXPECT_EQ(game->GetPlayer()->GetMoney(), money);
    EXPECT_EQ(game->GetActiveBonuses().size(), 1u);
    Frames(*game, 1);
    EXPECT_TRUE(game->GetBonusButton(CGame::kSkipMove)->IsDisabled());

    ASSERT_TRUE(RunUntil(*game, [&] { return game->GetActiveBonuses().empty() && PlayersTurnIdle(*game); }));
    const auto [row, col] = AllowedNeighbour(*game);
    ClickCell(*game, row, col);
    ASSERT_EQ(game->GetPlayer()->GetState(), CPlayer::kMoved);
    ASSERT_TRUE(RunUntil(*game, [&] { return game->GetPlayer()->GetState() == CPlayer::kMayMove; }));
    EXPECT_EQ(game->GetCurrentSide(), 0);
    EXPECT_FALSE(game->IsSkipPending());
    // The next move hands the turn over as usual.
    const auto [row2, col2] = AllowedNeighbour(*game);
    ClickCell(*game, row2, col2);
    EXPECT_TRUE(RunUntil(*game, [&] { return game->GetCurrentSide() == 1; }));
}

// ---- judgement, lives, money and score ----

TEST_F(GameTest, WonLevelMovesOnWithMoneyAndLivesAndAddsTheZoneOnce)
{
    auto game = NewGame(0, 2);
    FinishLevel(*game, 200);
    const int p = game->GetField()->ZoneSize(game->GetField()->GetMid(), 0);
    EXPECT_EQ(p, 200);
    EXPECT_FALSE(game->IsLifeLost());
    EXPECT_TRUE(game->IsResultSoundPlayed());
    Frames(*game, 30);
    EXPECT_EQ(game->GetTotalScore(), 200);
    const int money = game->GetPlayer()->GetMoney();
    Continue(*game);
    EXPECT_EQ(game->GetLevelNumber(), 3);
    EXPECT_EQ(game->GetPlayer()->GetLives(), 3);
    EXPECT_EQ(game->GetPlayer()->GetMoney(), money);
    EXPECT_EQ(game->GetTotalScore(), 200);
    EXPECT_FALSE(game->IsResultSoundPlayed());
}

TEST_F(GameTest, APlayedOrRestoredLevelRaisesTheBestLevelOfItsSetOnly)
{
    CAppSettings& settings = GetAppSettings();
    const int classic = settings.m_classic_level, advanced = settings.m_adv_level;
    settings.m_classic_level = 0;
    settings.m_adv_level = 0;
    auto game = NewGame(0, 2);
    EXPECT_EQ(settings.m_classic_level, 0) << "starting a level records nothing";
    FinishLevel(*game, 200);
    Frames(*game, 30);
    Continue(*game);
    EXPECT_EQ(settings.m_classic_level, 4) << "level 3 (shown as 4) reached";
    EXPECT_EQ(settings.m_adv_level, 0);
    ASSERT_TRUE(RunUntil(*game, [&] { return game->GetField()->GetSavedLevelNumber() == 3; }));

    CKeyValueFile saved;
    ASSERT_TRUE(game->SaveGame(saved));
    settings.m_classic_level = 1;
    CGame restored(1, nullptr);
    ASSERT_TRUE(restored.LoadGame(saved));
    EXPECT_EQ(settings.m_classic_level, 4) << "a restored game counts as reached";
    EXPECT_EQ(settings.m_adv_level, 0);
    settings.m_classic_level = 50;
    CGame again(0, nullptr);
    ASSERT_TRUE(again.LoadGame(saved));
    EXPECT_EQ(settings.m_classic_level, 50) << "never lowered";
    settings.m_classic_level = classic;
    settings.m_adv_level = advanced;
}

TEST_F(GameTest, TieCountsAsWon)
{
    int level = 0;
    auto cellCount = [](int l)
    {
        const SLevelLayout layout = SLevelLayout::ForLevel(l);
        return CHexGrid(layout.rows, layout.columns).GetCellCount();
    };
    while (cellCount(level) % 2 != 0)
        ++level;
    auto game = NewGame(0, level);
    const int cells = game->GetField()->GetGrid().GetCellCount();
    ASSERT_EQ(cells % 2, 0);
    FinishLevel(*game, cells / 2);
    EXPECT_EQ(game->GetField()->ZoneSize(game->GetField()->GetMid(), 0), cells / 2);
    EXPECT_FALSE(game->IsLifeLost());
    EXPECT_FALSE(game->IsGameOver());
    Continue(*game);
    EXPECT_EQ(game->GetLevelNumber(), level + 1);
}

TEST_F(GameTest, LostLevelWithLivesIsReplayedWithOneLifeLessAndStillScores)
{
    auto game = NewGame(0, 2);
    game->GetPlayer()->SetLives(2);
    FinishLevel(*game, 30);
    EXPECT_TRUE(game->IsLifeLost());
    EXPECT_EQ(game->GetTotalScore(), 30);
    Continue(*game);
    EXPECT_EQ(game->GetLevelNumber(), 2);
    EXPECT_EQ(game->GetPlayer()->GetLives(), 1);
    EXPECT_FALSE(game->IsLifeLost());
}

TEST_F(GameTest, LostLevelWithoutLivesBuysALifeWhenTheMoneySuffices)
{
    auto game = NewGame(0, 2);
    game->GetPlayer()->SetLives(0);
    game->GetPlayer()->AddMoney(150 - game->GetPlayer()->GetMoney());
    FinishLevel(*game, 30);
    EXPECT_TRUE(game->IsLifeLost());
    EXPECT_FALSE(game->IsGameOver());
    EXPECT_EQ(game->GetPlayer()->GetMoney(), 50);
    Frames(*game, 20); // judged every frame, paid once
    EXPECT_EQ(game->GetPlayer()->GetMoney(), 50);
    Continue(*game);
    EXPECT_EQ(game->GetLevelNumber(), 2);
    EXPECT_EQ(game->GetPlayer()->GetLives(), 0);
    EXPECT_EQ(game->GetPlayer()->GetMoney(), 50);
}

TEST_F(GameTest, LostLevelWithoutLivesOrMoneyEndsTheGameWithTheMoneyUntouched)
{
    auto game = NewGame(0, 2);
    game->GetPlayer()->SetLives(0);
    game->GetPlayer()->AddMoney(99 - game->GetPlayer()->GetMoney());
    FinishLevel(*game, 30);
    EXPECT_TRUE(game->IsGameOver());
    EXPECT_FALSE(game->IsLifeLost());
    EXPECT_EQ(game->GetPlayer()->GetMoney(), 99);
    // The click lets the level vanish; no top table, so no name is asked for.
    Click(*game, 400, 300);
    EXPECT_TRUE(RunUntil(*game, [&] { return game->GetField()->GetState() == CField::kGone; }));
    Frames(*game, 3);
    EXPECT_EQ(game->GetLevelNumber(), 2);
    EXPECT_FALSE(game->IsScoreRecorded());
}

// What the main menu does for a game it holds: the name entry, and the order of the writes.
class CRecordingOwner : public IGameOwner
{
  public:
    void OnPositionRecorded(const CGame&) override {}
    // The table as it stands when the held game is to be dropped.
    void OnGameFinished(const CGame&) override { m_top_when_finished = m_table ? m_table->GetPoints(1, 0) : -1; }
    CScreen* OpenNameEntry(const CGame&) override
    {
        m_entry = std::make_unique<NInterface::CEnterNameDlg>();
        return m_entry.get();
    }
    std::string GetEnteredName(const CScreen& entry) const override
    {
        return static_cast<const NInterface::CEnterNameDlg&>(entry).GetName();
    }
    void OnNameEntryClosed(std::unique_ptr<CScreen> entry) override { m_returned = std::move(entry); }

    NGame::CTopTable* m_table = nullptr;
    std::unique_ptr<NInterface::CEnterNameDlg> m_entry;
    int m_top_when_finished = -1;
    std::unique_ptr<CScreen> m_returned;
};

TEST_F(GameTest, GameOverWithAQualifyingScoreAsksItsOwnerForANameAndRecordsIt)
{
    NGame::CTopTable table(2);
    table.Add(1, 5, "Ann");
    auto game = std::make_unique<CGame>(1, &table);
    CRecordingOwner owner;
    owner.m_table = &table;
    game->SetOwner(&owner);
    game->StartAtLevel(2);
    game->GetPlayer()->SetLives(0);
    game->GetPlayer()->AddMoney(-game->GetPlayer()->GetMoney());
    FinishLevel(*game, 30);
    ASSERT_TRUE(game->IsGameOver());
    EXPECT_EQ(game->GetNameDialog(), nullptr);
    Click(*game, 400, 300);
    CScreen* dialog = game->GetNameDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(game->GetField()->IsIdle()); // the field waits for the name
    Click(*game, 400, 300);
    EXPECT_EQ(game->GetNameDialog(), dialog);
    game->OnDialogClosed(1, std::move(owner.m_entry)); // an empty name
    EXPECT_EQ(game->GetNameDialog(), nullptr);
    EXPECT_EQ(owner.m_returned.get(), dialog) << "the closed entry goes back to its owner";
    EXPECT_TRUE(game->IsScoreRecorded());
    EXPECT_EQ(owner.m_top_when_finished, 5) << "the owner drops the held game before the table is written";
    EXPECT_EQ(table.GetName(1, 0), "Nemo");
    EXPECT_EQ(table.GetPoints(1, 0), 30);
    EXPECT_EQ(table.GetName(1, 1), "Ann");
    EXPECT_TRUE(RunUntil(*game, [&] { return game->GetField()->GetState() == CField::kGone; }));
}

TEST_F(GameTest, GameOverBelowTheTableOrInTheMovingGameAsksForNoName)
{
    NGame::CTopTable table(2);
    for (int i = 0; i < 7; ++i)
        table.Add(0, 1000, "Best");
    auto game = std::make_unique<CGame>(0, &table);
    game->StartAtLevel(2);
    game->GetPlayer()->SetLives(0);
    game->GetPlayer()->AddMoney(-game->GetPlayer()->GetMoney());
    FinishLevel(*game, 30);
    ASSERT_TRUE(game->IsGameOver());
    Click(*game, 400, 300);
    EXPECT_EQ(game->GetNameDialog(), nullptr);
    EXPECT_FALSE(game->GetField()->IsIdle());

    // The table keeps no moving games: the last level's end closes without a name.
    auto moving = std::make_unique<CGame>(2, &table);
    moving->StartAtLevel(CGame::kLastLevel);
    ASSERT_TRUE(RunUntil(*moving, [&] { return PlayersTurnIdle(*moving); }));
    LayOutEnding(*moving, 100);
    ClickCell(*moving, moving->GetField()->GetMid(), 1);
    ASSERT_TRUE(
        RunUntil(*moving, [&] { return moving->GetField()->IsFull() && moving->GetField()->IsIdle(); }));
    Click(*moving, 400, 300);
    ASSERT_TRUE(moving->IsGameOver());
    Click(*moving, 400, 300);
    EXPECT_EQ(moving->GetNameDialog(), nullptr);
    // It leaves instead of starting a level past the last one.
    EXPECT_TRUE(RunUntil(*moving, [&] { return moving->GetField()->GetState() == CField::kGone; }));
    Frames(*moving, 5);
    EXPECT_EQ(moving->GetLevelNumber(), CGame::kLastLevel);
}

TEST_F(GameTest, CompletingTheLastLevelEndsTheGameInsteadOfAdvancing)
{
    auto game = NewGame(0, 99);
    FinishLevel(*game, game->GetField()->GetGrid().GetCellCount() - 40);
    EXPECT_FALSE(game->IsGameOver());
    Click(*game, 400, 300);
    EXPECT_TRUE(game->IsGameOver());
    EXPECT_TRUE(game->GetField()->IsIdle()); // this click only shows "GAME OVER"
    Click(*game, 400, 300);
    EXPECT_TRUE(RunUntil(*game, [&] { return game->GetField()->GetState() == CField::kGone; }));
    Frames(*game, 3);
    EXPECT_EQ(game->GetLevelNumber(), 99);
}

TEST_F(GameTest, CurrentScoreAddsThePlayersZoneToTheTotal)
{
    auto game = NewGame(0, 2);
    FinishLevel(*game, 100);
    Continue(*game);
    const CField& field = *game->GetField();
    EXPECT_EQ(game->GetCurrentScore(), 100 + field.ZoneSize(field.GetMid(), 0));
}

TEST_F(GameTest, MovingGameNeverScoresOrJudges)
{
    auto game = NewGame(2, 0);
    ASSERT_TRUE(RunUntil(*game, [&] { return PlayersTurnIdle(*game); }));
    for (int move = 0; move < 20 && !game->GetField()->IsFull(); ++move)
    {
        const auto [row, col] = AllowedNeighbour(*game);
        if (row < 0)
            break;
        ClickCell(*game, row, col);
        RunUntil(*game, [&] { return PlayersTurnIdle(*game) || game->GetField()->IsFull(); });
        EXPECT_EQ(game->GetCurrentSide(), 0);
    }
    EXPECT_EQ(game->GetTotalScore(), 0);
    EXPECT_FALSE(game->IsLifeLost());
    EXPECT_EQ(game->GetPlayer()->GetLives(), 3);
}

TEST_F(GameTest, DifficultyFollowsTheLevelTable)
{
    const int expected[][2] = {{0, 0},  {1, 1},  {2, 0},  {7, 2},  {12, 5}, {13, 0}, {29, 1}, {30, 1},
                               {35, 3}, {59, 5}, {60, 2}, {61, 4}, {63, 5}, {84, 2}, {85, 5}, {99, 5}};
    for (const auto& e : expected)
        EXPECT_EQ(CGame::DifficultyForLevel(e[0]), e[1]) << "level " << e[0];
    auto game = NewGame(1, 35);
    EXPECT_EQ(static_cast<const CAIPlayer*>(game->GetSides()[1].get())->GetStrength(),
              CAIPlayer::StrengthForDifficulty(3));
}

// ---- purchases and button states ----

TEST_F(GameTest, PurchasesAreRefusedOffThePlayersIdleTurn)
{
    UseDataSetLevels();
    auto game = NewGame(0, 4);
    game->GetPlayer()->AddMoney(1000);
    // Appearing: busy.
    const int money = game->GetPlayer()->GetMoney();
    game->OnControl(game->GetBonusButton(CGame::kLife));
    EXPECT_EQ(game->GetPlayer()->GetMoney(), money);
    ASSERT_TRUE(RunUntil(*game, [&] { return PlayersTurnIdle(*game); }));
    // The computer's turn.
    const auto [row, col] = AllowedNeighbour(*game);
    ClickCell(*game, row, col);
    const int afterMove = game->GetPlayer()->GetMoney();
    ASSERT_TRUE(RunUntil(*game, [&] { return game->GetCurrentSide() == 1; }));
    game->OnControl(game->GetBonusButton(CGame::kLife));
    EXPECT_EQ(game->GetPlayer()->GetMoney(), afterMove);
    EXPECT_TRUE(game->GetActiveBonuses().empty());
    ASSERT_TRUE(RunUntil(*game, [&] { return PlayersTurnIdle(*game); }));
    // Too little money.
    game->GetPlayer()->AddMoney(-game->GetPlayer()->GetMoney() + 99);
    Frames(*game, 1);
    EXPECT_TRUE(game->GetBonusButton(CGame::kLife)->IsDisabled());
    game->OnControl(game->GetBonusButton(CGame::kLife));
    EXPECT_EQ(game->GetPlayer()->GetMoney(), 99);
    // Enough: paid at once, the life comes when the insect lands.
    game->GetPlayer()->AddMoney(1);
    Frames(*game, 1);
    EXPECT_FALSE(game->GetBonusButton(CGame::kLife)->IsDisabled());
    const int lives = game->GetPlayer()->GetLives();
    game->OnControl(game->GetBonusButton(CGame::kLife));
    EXPECT_EQ(game->GetPlayer()->GetMoney(), 0);
    EXPECT_EQ(game->GetPlayer()->GetLives(), lives);
    ASSERT_TRUE(RunUntil(*game, [&] { return game->GetActiveBonuses().empty(); }));
    EXPECT_EQ(game->GetPlayer()->GetLives(), lives + 1);
}

TEST_F(GameTest, PurchasesAreRefusedOnAFullFieldAndAfterGameOver)
{
    auto game = NewGame(0, 2);
    game->GetPlayer()->SetLives(0);
    FinishLevel(*game, 30);
    game->GetPlayer()->AddMoney(1000);
    Frames(*game, 1);
    for (int i = 0; i < CGame::kBonusCount; ++i)
        EXPECT_TRUE(game->GetBonusButton(i)->IsDisabled()) << i;
    const int money = game->GetPlayer()->GetMoney();
    game->OnControl(game->GetBonusButton(CGame::kSingleRepaint));
    EXPECT_EQ(game->GetPlayer()->GetMoney(), money);
}

TEST_F(GameTest, ButtonsFollowMoneyAndWhatTheBonusCouldActOn)
{
    auto game = NewGame(0, 2);
    ASSERT_TRUE(RunUntil(*game, [&] { return PlayersTurnIdle(*game); }));
    game->GetPlayer()->AddMoney(-game->GetPlayer()->GetMoney() + 10);
    Frames(*game, 1);
    // 10 cents: the four cheapest (forward 3 costs exactly 10) and nothing dearer.
    for (int i = 0; i < CGame::kBonusCount; ++i)
        EXPECT_EQ(game->GetBonusButton(i)->IsDisabled(), i > CGame::kForward3) << i;

    // Every free cell in the player's colour: the repaints have nothing to act on.
    CField& field = *game->GetField();
    const int last = field.GetColumns() - 1;
    PaintAll(field, 0);
    for (int r = 0; r < field.GetRows(); ++r)
        Set(field, r, field.RowLength(r) - 1, 1);
    Set(field, field.GetMid(), last - 1, 1);
    Set(field, field.GetMid(), 1, 3);
    Set(field, field.GetMid(), 0, 2);
    // Player zone: the start cell alone (2); the rest free or the computer's.
    game->GetPlayer()->AddMoney(1000);
    Frames(*game, 1);
    EXPECT_FALSE(game->GetBonusButton(CGame::kSingleRepaint)->IsDisabled());
    PaintAll(field, 2);
    for (int r = 0; r < field.GetRows(); ++r)
        Set(field, r, field.RowLength(r) - 1, 1);
    // The player's zone now holds every cell but the right edge: no free cell.
    Frames(*game, 1);
    const int money = game->GetPlayer()->GetMoney();
    EXPECT_TRUE(game->GetBonusButton(CGame::kSingleRepaint)->IsDisabled());
    EXPECT_TRUE(game->GetBonusButton(CGame::kZoneRepaint)->IsDisabled());
    EXPECT_TRUE(game->GetBonusButton(CGame::kFreeRandomize)->IsDisabled());
    game->OnControl(game->GetBonusButton(CGame::kZoneRepaint));
    EXPECT_EQ(game->GetPlayer()->GetMoney(), money);
    EXPECT_TRUE(game->GetActiveBonuses().empty());
}

// The zone repaint picks its target when bought; a free randomize bought in
// the same turn may join that target to the computer's zone before it lands.
// It must then never flood the computer's zone into the player's colour.
TEST_F(GameTest, ZoneRepaintNeverFloodsAZoneThatSwallowedItsTarget)
{
    UseDataSetLevels();
    int merged = 0;
    for (uint32_t seed = 0; seed < 300; ++seed)
    {
        NRandom::Seed(seed);
        auto game = NewGame(0, static_cast<int>(seed % 40));
        game->GetPlayer()->AddMoney(1000);
        ASSERT_TRUE(RunUntil(*game, [&] { return PlayersTurnIdle(*game); }));
        Frames(*game, 1);
        game->OnControl(game->GetBonusButton(CGame::kZoneRepaint));
        game->OnControl(game->GetBonusButton(CGame::kFreeRandomize));
        ASSERT_TRUE(RunUntil(*game, [&] { return game->GetActiveBonuses().empty(); }));
        const CField& field = *game->GetField();
        const int computerColour = field.ColourAt(field.GetMid(), field.GetColumns() - 1);
        merged += computerColour == field.ColourAt(field.GetMid(), 0);
    }
    EXPECT_EQ(merged, 0);
}

TEST_F(GameTest, CoinsTheComputersRecheckCapturesAreNotPaidToThePlayer)
{
    auto game = NewGame(0, 2);
    ASSERT_TRUE(RunUntil(*game, [&] { return PlayersTurnIdle(*game); }));
    CField& field = *game->GetField();
    const int mid = field.GetMid(), last = field.GetColumns() - 1;
    // The player's zone is its start cell; the computer's is its start cell
    // plus a pocket (mid, last - 1) that only the computer touches, coloured 4
    // so that the self repaint cannot bring it to the player.
    PaintAll(field, 3);
    for (int r = 0; r < field.GetRows(); ++r)
        for (int c = 0; c < field.RowLength(r); ++c)
            field.SetCellCoin(r, c, -1);
    Set(field, mid, 0, 0);
    Set(field, mid, last, 1);
    Set(field, mid, last - 1, 4);
    for (int r = mid - 1; r <= mid + 1; ++r)
        for (int c = 0; c < field.RowLength(r); ++c)
            if (field.ColourAt(r, c) == 3 && (c >= field.RowLength(r) - 3))
                Set(field, r, c, 1);
    // Surround the pocket with the computer's cells so it is enclosed by them.
    field.SetCellCoin(mid, last - 1, 4);
    game->GetPlayer()->AddMoney(-game->GetPlayer()->GetMoney() + 100);
    Frames(*game, 1);
    game->OnControl(game->GetBonusButton(CGame::kSkipMove));
    ASSERT_TRUE(RunUntil(*game, [&] { return game->GetActiveBonuses().empty(); }));
    Frames(*game, 1);
    // Whatever the recheck gave the computer is not in the list for the player's next move.
    for (const SCollectedCoin& coin : field.GetCollectedCoins())
        EXPECT_NE(coin.kind, 4);
}

// ---- nothing of one level acts on the next ----

TEST_F(GameTest, ALevelEndedUnderAFlyingBonusIsJudgedAndLeftOnlyOnceItLanded)
{
    auto game = NewGame(0, 2);
    ASSERT_TRUE(RunUntil(*game, [&] { return PlayersTurnIdle(*game); }));
    game->GetPlayer()->AddMoney(1000);
    const int lives = game->GetPlayer()->GetLives();
    Frames(*game, 1);
    game->OnControl(game->GetBonusButton(CGame::kLife));
    ASSERT_EQ(game->GetActiveBonuses().size(), 1u);
    LayOutEnding(*game, 200);
    CField& field = *game->GetField();
    ASSERT_TRUE(field.Fill(field.GetMid(), 0, 2));
    ASSERT_TRUE(RunUntil(*game, [&] { return field.IsFull() && field.IsIdle(); }));
    ASSERT_FALSE(game->GetActiveBonuses().empty()) << "the insect is still flying";
    EXPECT_EQ(game->GetTotalScore(), 0) << "not judged while a bonus acts";
    Click(*game, 400, 300);
    Frames(*game, 5);
    EXPECT_EQ(field.GetState(), CField::kIdle) << "the click to continue waits for the bonus";

    ASSERT_TRUE(RunUntil(*game, [&] { return game->GetActiveBonuses().empty(); }));
    Frames(*game, 2);
    EXPECT_EQ(game->GetTotalScore(), 200);
    EXPECT_EQ(game->GetPlayer()->GetLives(), lives + 1);
    const int records = field.GetRecordCount();
    Continue(*game);
    EXPECT_EQ(game->GetLevelNumber(), 3);
    // The new level lays itself out whole: every insect lands and leaves, and its start is recorded.
    ASSERT_TRUE(RunUntil(*game, [&] { return field.IsIdle(); }));
    EXPECT_TRUE(field.GetInsects().empty());
    EXPECT_EQ(field.GetRecordCount(), records + 1);
    EXPECT_EQ(game->GetTotalScore(), 200);
    EXPECT_EQ(game->GetPlayer()->GetLives(), lives + 1);
}

TEST_F(GameTest, ASkipBoughtOnTheLastTurnOfALevelIsGoneOnTheNext)
{
    auto game = NewGame(0, 2);
    ASSERT_TRUE(RunUntil(*game, [&] { return PlayersTurnIdle(*game); }));
    game->GetPlayer()->AddMoney(1000);
    Frames(*game, 1);
    game->OnControl(game->GetBonusButton(CGame::kSkipMove));
    ASSERT_TRUE(game->IsSkipPending());
    ASSERT_TRUE(RunUntil(*game, [&] { return game->GetActiveBonuses().empty(); }));
    // The level ends before the player's next move used the skip.
    LayOutEnding(*game, 200);
    CField& field = *game->GetField();
    ASSERT_TRUE(field.Fill(field.GetMid(), 0, 2));
    ASSERT_TRUE(RunUntil(*game, [&] { return field.IsFull() && field.IsIdle(); }));
    Frames(*game, 2);
    Continue(*game);
    ASSERT_TRUE(RunUntil(*game, [&] { return PlayersTurnIdle(*game); }));
    EXPECT_FALSE(game->IsSkipPending());
    Frames(*game, 1);
    EXPECT_FALSE(game->GetBonusButton(CGame::kSkipMove)->IsDisabled());
    const auto [row, col] = AllowedNeighbour(*game);
    ASSERT_GE(row, 0);
    ClickCell(*game, row, col);
    EXPECT_TRUE(RunUntil(*game, [&] { return game->GetCurrentSide() == 1; })) << "the computer plays its first turn";
}

TEST_F(GameTest, TotalsStopAtTheirCeilingsInsteadOfWrapping)
{
    auto game = NewGame(0, 2);
    CPlayer& player = *game->GetPlayer();
    player.AddMoney(CPlayer::kMaxMoney);
    player.AddMoney(100);
    EXPECT_EQ(player.GetMoney(), CPlayer::kMaxMoney);
    player.AddMoney(-2 * CPlayer::kMaxMoney);
    EXPECT_EQ(player.GetMoney(), 0);
    player.SetLives(CPlayer::kMaxLives + 1);
    EXPECT_EQ(player.GetLives(), CPlayer::kMaxLives);
}

// ---- clicks, tutorial and hint panels ----

TEST_F(GameTest, OnlyAReleaseNearThePressIsAClick)
{
    UseDataSetLevels();
    auto game = NewGame(0, 4);
    ASSERT_TRUE(RunUntil(*game, [&] { return PlayersTurnIdle(*game); }));
    const auto [row, col] = AllowedNeighbour(*game);
    const CVector4 centre = game->GetField()->CellCentre(row, col);
    const int x = static_cast<int>(centre.x), y = static_cast<int>(centre.y);
    game->OnLButtonDown(x - 3, y, 0);
    game->OnLButtonUp(x, y, 0);
    EXPECT_EQ(game->GetPlayer()->GetState(), CPlayer::kMayMove);
    game->OnLButtonDown(x - 2, y + 2, 0);
    game->OnLButtonUp(x, y, 0);
    EXPECT_EQ(game->GetPlayer()->GetState(), CPlayer::kMoved);
}

TEST_F(GameTest, AClickDuringABonusIsIgnored)
{
    UseDataSetLevels();
    auto game = NewGame(0, 4);
    game->GetPlayer()->AddMoney(100);
    ASSERT_TRUE(RunUntil(*game, [&] { return PlayersTurnIdle(*game); }));
    Frames(*game, 1);
    game->OnControl(game->GetBonusButton(CGame::kLife));
    const auto [row, col] = AllowedNeighbour(*game);
    ClickCell(*game, row, col);
    EXPECT_EQ(game->GetPlayer()->GetState(), CPlayer::kMayMove);
}

TEST_F(GameTest, TutorialShowsItsPanelsInOrderAndEachPressClosesThem)
{
    UseDataSetLevels();
    LoadHintRecords();
    auto game = NewGame(0, 0);
    std::vector<std::vector<int>> shown;
    for (int round = 0; round < 12; ++round)
    {
        if (!RunUntil(
                *game, [&] { return !game->GetHintPanels().empty(); }, 400))
            break;
        std::vector<int> indices;
        for (const auto& panel : game->GetHintPanels())
            indices.push_back(panel->GetIndex());
        shown.push_back(indices);
        // A press on the field closes the panels; its click is not taken as a move.
        const auto [row, col] = AllowedNeighbour(*game);
        if (row >= 0 && PlayersTurnIdle(*game))
        {
            ClickCell(*game, row, col);
            EXPECT_EQ(game->GetPlayer()->GetState(), CPlayer::kMayMove);
        }
        else
            Click(*game, 5, 5);
        ASSERT_TRUE(RunUntil(
            *game, [&] { return game->GetHintPanels().empty(); }, 100));
        // A move, so that the next turn comes.
        if (RunUntil(
                *game, [&] { return PlayersTurnIdle(*game); }, 600))
        {
            const auto [r, c] = AllowedNeighbour(*game);
            if (r >= 0)
                ClickCell(*game, r, c);
        }
    }
    const std::vector<std::vector<int>> expected = {{0}, {1}, {2, 3, 4}, {5}, {6, 7}, {8}, {9}};
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(game->GetNextTutorialHint(), 10);
}

TEST_F(GameTest, HintPanelCheckBoxTogglesWithoutClosingAndTheSettingFollowsIt)
{
    UseDataSetLevels();
    LoadHintRecords();
    auto game = NewGame(0, 0);
    ASSERT_TRUE(RunUntil(*game, [&] { return !game->GetHintPanels().empty(); }));
    CHintPanel& panel = *game->GetHintPanels().front();
    Frames(*game, 25);
    EXPECT_GE(panel.GetAlpha(), 1.0f);
    // Without its picture the box is a single point.
    const CVector4& box = panel.GetCheckBox().GetPosition();
    const int bx = static_cast<int>(box.x), by = static_cast<int>(box.y);
    game->OnMouseMove(bx, by, 0);
    game->OnLButtonDown(bx, by, 0);
    game->OnLButtonUp(bx, by, 0);
    EXPECT_FALSE(panel.GetCheckBox().IsChecked());
    EXPECT_FALSE(panel.IsClosing());
    EXPECT_TRUE(GetAppSettings().m_hints); // only when the panel has gone
    game->OnMouseMove(10, 10, 0);
    Click(*game, 10, 10);
    EXPECT_TRUE(panel.IsClosing());
    ASSERT_TRUE(RunUntil(
        *game, [&] { return game->GetHintPanels().empty(); }, 50));
    EXPECT_FALSE(GetAppSettings().m_hints);
    Frames(*game, 20);
    EXPECT_TRUE(game->GetHintPanels().empty());
}

TEST_F(GameTest, WrongColourHintShowsAtMostTwice)
{
    UseDataSetLevels();
    // One record: no tutorial, and it is the wrong-colour hint.
    m_resources.Resources().ParseHints("<hints><hint posx=\"10\" posy=\"20\"/></hints>");
    auto game = NewGame(0, 4);
    const CField& field = *game->GetField();
    int shown = 0;
    for (int attempt = 0; attempt < 4; ++attempt)
    {
        ASSERT_TRUE(RunUntil(*game, [&] { return game->GetHintPanels().empty() && PlayersTurnIdle(*game); }));
        ClickCell(*game, field.GetMid(), 0); // the own zone's colour
        shown += static_cast<int>(game->GetHintPanels().size());
        Click(*game, 5, 5);
    }
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(game->GetWrongColourHints(), 2);
}

// A press may come at any point of the fade-in; the panel must still go.
TEST_F(GameTest, HintPanelClosedAtAnyPointOfItsFadeFinishes)
{
    LoadHintRecords();
    for (int shownFor = 0; shownFor < 30; ++shownFor)
    {
        CHintPanel panel(1, nullptr);
        for (int i = 0; i < shownFor; ++i)
            panel.Update(kDt);
        panel.OnLButtonDown(5, 5, 0);
        int frames = 0;
        while (!panel.Update(kDt) && frames < 100)
            ++frames;
        EXPECT_LE(frames, 25) << "closed after " << shownFor << " frames";
    }
}

TEST_F(GameTest, HintsSettingOffLeavesNoPanelOnScreen)
{
    UseDataSetLevels();
    LoadHintRecords();
    GetAppSettings().m_hints = false;
    auto game = NewGame(0, 0);
    for (int i = 0; i < 300; ++i)
    {
        game->Update(kDt);
        EXPECT_TRUE(game->GetHintPanels().empty());
    }
}

TEST_F(GameTest, LevelMessagesFadeInOverFiftyDrawnFrames)
{
    auto game = NewGame(0, 2);
    FinishLevel(*game, 200);
    const float start = game->GetMessageAlpha();
    int frames = 0;
    while (game->GetMessageAlpha() < 1.0f && frames < 200)
    {
        game->Render();
        ++frames;
    }
    EXPECT_LE(start, 0.1f);
    EXPECT_NEAR(frames + start / CGame::kMessageFadeStep, 50, 1);
    // Updates alone do not fade it.
    Click(*game, 400, 300);
    const float before = game->GetMessageAlpha();
    game->Update(kDt);
    EXPECT_EQ(game->GetMessageAlpha(), before);
    game->Render();
    EXPECT_LT(game->GetMessageAlpha(), before);
}

// The preview grows the cell under the mouse on the player's turn only.
TEST_F(GameTest, PreviewFollowsTheMouseOnlyOnThePlayersIdleTurn)
{
    UseDataSetLevels();
    auto game = NewGame(0, 4);
    ASSERT_TRUE(RunUntil(*game, [&] { return PlayersTurnIdle(*game); }));
    const auto [row, col] = AllowedNeighbour(*game);
    const CVector4 centre = game->GetField()->CellCentre(row, col);
    CControl::SetCursorSource([&centre](int& x, int& y) {
        x = static_cast<int>(centre.x);
        y = static_cast<int>(centre.y);
    });
    const float size = game->GetField()->GetCell(row, col)->GetSize();
    game->Render();
    EXPECT_GT(game->GetField()->GetCell(row, col)->GetSize(), size);

    ClickCell(*game, row, col);
    ASSERT_TRUE(RunUntil(*game, [&] { return game->GetCurrentSide() == 1; }));
    const auto [r2, c2] = AllowedNeighbour(*game);
    const CVector4 other = game->GetField()->CellCentre(r2, c2);
    CControl::SetCursorSource([&other](int& x, int& y) {
        x = static_cast<int>(other.x);
        y = static_cast<int>(other.y);
    });
    const float before = game->GetField()->GetCell(r2, c2)->GetSize();
    game->Render();
    EXPECT_EQ(game->GetField()->GetCell(r2, c2)->GetSize(), before);
    CControl::SetCursorSource(nullptr);
}

// ---- head-up display ----

namespace
{
// The texts the game screen writes in a frame, by where they start; the
// outlines' half-transparent black copies are left out.
std::map<std::pair<int, int>, std::string> DrawnTexts(CGame& game)
{
    std::map<std::pair<int, int>, std::string> texts;
    CBitmapText::SetDrawObserver([&texts](const CBitmapText::SDrawnText& t) {
        if (t.r + t.g + t.b > 0.0f || t.a == 1.0f)
            texts[{static_cast<int>(t.x), static_cast<int>(t.y)}] = t.text;
    });
    game.Render();
    CBitmapText::SetDrawObserver(nullptr);
    return texts;
}
} // namespace

TEST_F(GameTest, HeadUpDisplayShowsBothZonesScoreMoneyLivesAndTheLevelCountedFromOne)
{
    auto game = NewGame(0, 0);
    ASSERT_TRUE(RunUntil(*game, [&] { return PlayersTurnIdle(*game); }));
    const auto [row, col] = AllowedNeighbour(*game);
    ClickCell(*game, row, col);
    ASSERT_TRUE(RunUntil(*game, [&] { return game->GetCurrentSide() == 1; }));
    ASSERT_TRUE(RunUntil(*game, [&] { return PlayersTurnIdle(*game); }));

    CPlayer& player = *game->GetPlayer();
    const CPlayer& computer = *game->GetSides()[1];
    const CField& field = *game->GetField();
    player.AddMoney(5 - player.GetMoney());
    player.SetLives(4);
    auto texts = DrawnTexts(*game);
    const int playerZone = field.ZoneSize(player.GetStartRow(), player.GetStartColumn());
    const int computerZone = field.ZoneSize(computer.GetStartRow(), computer.GetStartColumn());
    ASSERT_NE(playerZone, computerZone) << "the test needs zones of different sizes";
    EXPECT_EQ((texts[{80, 40}]), std::to_string(playerZone)) << "the player's zone, top left";
    EXPECT_EQ((texts[{718, 40}]), std::to_string(computerZone)) << "the computer's zone, top right";
    EXPECT_EQ((texts[{67, 90}]), "$0,05");
    EXPECT_EQ((texts[{72, 500}]), "4");
    EXPECT_EQ((texts[{81, 550}]), "0");
    EXPECT_EQ((texts[{717, 550}]), "1") << "the first level reads 1";

    player.AddMoney(95);
    EXPECT_EQ((DrawnTexts(*game)[{67, 90}]), "$1,00");

    // A won level: the score shown is the one won, the next level reads 2.
    FinishLevel(*game, 200);
    Continue(*game);
    ASSERT_GT(game->GetTotalScore(), 0);
    texts = DrawnTexts(*game);
    EXPECT_EQ((texts[{81, 550}]), std::to_string(game->GetTotalScore()));
    EXPECT_EQ((texts[{717, 550}]), "2");
}

// The tooltip looks only at the mouse: a player who cannot afford a bonus
// still learns what it does.
TEST_F(GameTest, TooltipShowsOverADisabledBonusButton)
{
    CBitmapText font;
    CHint::SetFont(&font);
    auto game = NewGame(0, 0);
    ASSERT_TRUE(RunUntil(*game, [&] { return PlayersTurnIdle(*game); }));
    ASSERT_TRUE(game->GetPlayer()->TrySpend(game->GetPlayer()->GetMoney()));
    Frames(*game, 1);
    const CSimpleButton& button = *game->GetBonusButton(0);
    ASSERT_TRUE(button.IsDisabled()) << "no money, no single repaint";
    const CVector4 at = button.GetPosition();
    CControl::SetCursorSource([&at](int& x, int& y) {
        x = static_cast<int>(at.x);
        y = static_cast<int>(at.y);
    });
    bool shown = false;
    for (const auto& [where, text] : DrawnTexts(*game))
        shown = shown || text == "Repaint one flower into the color of your zone (1 cent)";
    EXPECT_TRUE(shown);

    CControl::SetCursorSource([](int& x, int& y) { x = y = -100; });
    for (const auto& [where, text] : DrawnTexts(*game))
        EXPECT_EQ(text.find("cent"), std::string::npos) << "no tooltip away from the buttons: " << text;
    CControl::SetCursorSource(nullptr);
    CHint::SetFont(nullptr);
}

// ---- keys on the board ----

TEST_F(GameTest, KeysMoveTheCellCursorPlayItsCellAndContinueAfterTheLevel)
{
    auto game = NewGame(0, 0);
    ASSERT_TRUE(RunUntil(*game, [&] { return PlayersTurnIdle(*game); }));
    LayOutEnding(*game, game->GetField()->GetGrid().GetCellCount() - 10);
    const int mid = game->GetField()->GetMid();
    game->OnKeyDown(NPlatform::kVkRight);
    ASSERT_TRUE(game->GetCellCursor().IsShown()) << "the first key shows the cursor on the start cell";
    EXPECT_EQ(game->GetCellCursor().GetRow(), mid);
    EXPECT_EQ(game->GetCellCursor().GetColumn(), 0);
    game->OnKeyDown(NPlatform::kVkRight);
    EXPECT_EQ(game->GetCellCursor().GetColumn(), 1);
    game->OnKeyDown(NPlatform::kVkReturn);
    ASSERT_TRUE(RunUntil(*game, [&] { return game->GetField()->IsFull() && game->GetField()->IsIdle(); }));
    Frames(*game, 2);
    EXPECT_FALSE(game->IsLifeLost());
    game->OnKeyDown(NPlatform::kVkSpace);
    EXPECT_FALSE(game->GetField()->IsIdle()) << "Space continues: the level vanishes";
    ASSERT_TRUE(RunUntil(*game, [&] { return game->GetField()->GetLevelNumber() == 1; }));
}

TEST_F(GameTest, KeysAndMouseMixAndTabWalksIntoTheBonusBarAndBack)
{
    auto game = NewGame(0, 0);
    ASSERT_TRUE(RunUntil(*game, [&] { return PlayersTurnIdle(*game); }));
    game->GetPlayer()->AddMoney(500);
    Frames(*game, 1);
    game->OnKeyDown(NPlatform::kVkDown);
    EXPECT_TRUE(game->GetCellCursor().IsShown());
    game->OnMouseMove(300, 300, 0);
    EXPECT_FALSE(game->GetCellCursor().IsShown()) << "the mouse points again";

    game->OnKeyDown(NPlatform::kVkTab);
    ASSERT_EQ(game->GetFocus(), game->GetBonusButton(0));
    game->OnKeyDown(NPlatform::kVkRight);
    EXPECT_NE(game->GetFocus(), game->GetBonusButton(0));
    EXPECT_FALSE(game->GetCellCursor().IsShown()) << "arrows walk the bar, not the board";
    const int money = game->GetPlayer()->GetMoney();
    game->OnKeyDown(NPlatform::kVkReturn);
    EXPECT_LT(game->GetPlayer()->GetMoney(), money) << "Enter buys the focused bonus";
    game->OnKeyDown(NPlatform::kVkUp);
    EXPECT_EQ(game->GetFocus(), nullptr) << "Up leaves the bar";
    game->OnKeyDown(NPlatform::kVkLeft);
    EXPECT_TRUE(game->GetCellCursor().IsShown());
    // A click still plays as ever, the cursor notwithstanding.
    game->OnLButtonDown(5, 5, 0);
    EXPECT_FALSE(CScreen::IsKeyboardInUse());
    CScreen::SetKeyboardInUse(false);
}

TEST_F(GameTest, EnterClosesTheHintPanelsWithoutPlaying)
{
    UseDataSetLevels();
    LoadHintRecords();
    auto game = NewGame(0, 0);
    ASSERT_TRUE(RunUntil(*game, [&] { return !game->GetHintPanels().empty(); }, 400));
    game->OnKeyDown(NPlatform::kVkReturn);
    for (const auto& panel : game->GetHintPanels())
        EXPECT_TRUE(panel->IsClosing());
    EXPECT_EQ(game->GetPlayer()->GetState(), CPlayer::kMayMove);
    ASSERT_TRUE(RunUntil(*game, [&] { return game->GetHintPanels().empty(); }, 100));
    CScreen::SetKeyboardInUse(false);
}
