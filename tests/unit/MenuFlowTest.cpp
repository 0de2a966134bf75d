// The main menu as the hub of the screen flow, driven through its own buttons
// and the real windows, and the saved game it writes and reads: round trips
// through saved.dat and every file that must be refused.
#include "GameTestSupport.h"
#include "MenuTestSupport.h"

#include "engine/Cipher.h"
#include "engine/KeyValueFile.h"
#include "game/Game.h"
#include "game/Player.h"
#include "interface/ContinueDlg.h"
#include "interface/CustomLevelWnd.h"
#include "interface/EnterNameDlg.h"
#include "interface/MainMenu.h"
#include "interface/HelpWnd.h"
#include "interface/InterfaceResources.h"
#include "engine/Texture.h"
#include "interface/OptionsWnd.h"
#include "game/TopTable.h"
#include "interface/TopWnd.h"

#include <fstream>
#include <functional>
#include <iterator>

namespace
{
using NGame::CField;
using NGame::CGame;
using NInterface::CContinueDlg;
using NInterface::CMainMenu;
using NMenuTest::MenuTest;

std::vector<uint8_t> ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// A field-state text of the level with every cell's colour from the function.
std::string BoardText(int level, const std::function<int(int row, int col, int rows, int columns)>& colour)
{
    const NGame::SLevelLayout layout = NGame::SLevelLayout::ForLevel(level);
    char buffer[16];
    std::snprintf(buffer, sizeof(buffer), "%03d ", level);
    std::string text = buffer;
    const int mid = layout.rows / 2;
    for (int r = 0; r < layout.rows; ++r)
        for (int c = 0; c < layout.columns - std::abs(mid - r); ++c)
        {
            std::snprintf(buffer, sizeof(buffer), "%02d ", colour(r, c, layout.rows, layout.columns));
            text += buffer;
        }
    return text;
}

class MenuFlowTest : public MenuTest
{
protected:
    void SetUp() override
    {
        MenuTest::SetUp();
        m_game_resources = std::make_unique<NGameTest::CTestResources>();
        NRandom::Seed(1);
        m_menu = Show(std::make_unique<CMainMenu>());
    }
    void TearDown() override
    {
        App()->CloseAll();
        m_menu = nullptr;
        m_game_resources.reset();
        MenuTest::TearDown();
    }
    static CApplication* App() { return CApplication::Instance(); }
    CScreen* Current() const { return App()->GetInputTarget(); }
    // What Continue does: the held game shown (at once).
    void ShowHeldGame()
    {
        m_menu->ShowHeldGame();
        App()->ApplyStackChanges();
    }
    // Closes everything over the menu, each closing handed down as the frame does.
    static void BackToTheMenu()
    {
        while (App()->GetDialogCount() > 0 || App()->GetScreenCount() > 1)
            App()->CloseTop(true);
    }

    // Frames until the held game's field stands still (its level laid out).
    void SettleGame()
    {
        CGame* game = m_menu->GetHeldGame();
        for (int frame = 0; frame < 5000 && !game->GetField()->IsIdle(); ++frame)
            game->Update(16.0f);
    }
    // Menu, custom level window, start: a new game of the kind at the level.
    CGame* StartFromMenu(bool classic, int level)
    {
        Click(*m_menu, *m_menu->GetGameButton());
        NextFrame(); // the window or dialog shows at the next frame
        NInterface::CCustomLevelWnd* window = m_menu->GetCustomLevelWindow();
        EXPECT_EQ(Current(), window);
        if (classic != (window->GetGameType() == 0))
            Click(*window, classic ? *window->GetClassicBox() : *window->GetAdvancedBox());
        window->GetLevelTrackBar()->SetValue(static_cast<float>(level));
        window->Render(); // the lock follows the slider
        Click(*window, *window->GetOkButton());
        NextFrame();
        return m_menu->GetHeldGame();
    }
    void BackToMenu()
    {
        Current()->OnKeyDown(NPlatform::kVkEscape);
        NextFrame();
        ASSERT_EQ(Current(), m_menu);
    }
    // A saved game at the last level on a board the player fills with one move.
    CKeyValueFile LastLevelFile(int totalScore)
    {
        CKeyValueFile file;
        file.SetString("menudata.gamename", "zonvel game");
        file.SetInt("gamedata.gametype", 0);
        file.SetInt("gamedata.totalscore", totalScore);
        file.SetInt("gamedata.playermoney", 0);
        file.SetInt("gamedata.playerlifes", 1);
        file.SetString("gamedata.fieldstate", BoardText(99, [](int r, int c, int rows, int columns) {
                           const int mid = rows / 2;
                           if (r == mid && c == 0)
                               return 2;
                           return r == mid && c == columns - 1 ? 1 : 0;
                       }));
        file.SetString("gamedata.dir_pattern", "dat/levels_classic/lev%03d.raw");
        file.SetInt("gamedata.level_num", 99);
        file.SetInt("gamedata.levels_count", 1);
        file.SetInt("gamedata.m_game_type", 0);
        return file;
    }
    // Plays the held last-level game to its end: the winning move, the click
    // that ends the game, the click that hands the score over, and the field
    // vanishing. Returns whether the name was asked for.
    bool PlayToTheEnd()
    {
        CGame* game = m_menu->GetHeldGame();
        CField& field = *game->GetField();
        EXPECT_TRUE(field.Fill(field.GetMid(), 0, 0));
        for (int frame = 0; frame < 5000 && !(field.IsIdle() && field.IsFull()); ++frame)
            game->Update(16.0f);
        EXPECT_TRUE(field.IsFull());
        for (int click = 0; click < 2; ++click)
        {
            game->OnLButtonDown(5, 5, 0);
            game->OnLButtonUp(5, 5, 0);
        }
        EXPECT_TRUE(game->IsGameOver());
        NextFrame();
        const bool asked = game->GetNameDialog() != nullptr;
        if (asked)
        {
            EXPECT_EQ(Current(), game->GetNameDialog());
            Current()->OnKeyDown(NPlatform::kVkReturn);
            NextFrame();
        }
        for (int frame = 0; frame < 5000 && Current() == game; ++frame)
            NextFrame();
        return asked;
    }

    // A held last-level game with the score, played to its "GAME OVER" board.
    CGame* GameOverBoard(int totalScore)
    {
        m_menu->HoldGame(CMainMenu::RestoreGame(LastLevelFile(totalScore), m_menu->GetTopTable()));
        EXPECT_TRUE(m_menu->SaveGameFile()); // as the start-up found it
        CGame* game = m_menu->GetHeldGame();
        ShowHeldGame();
        CField& field = *game->GetField();
        EXPECT_TRUE(field.Fill(field.GetMid(), 0, 0));
        for (int frame = 0; frame < 5000 && !(field.IsIdle() && field.IsFull()); ++frame)
            game->Update(16.0f);
        game->OnLButtonDown(5, 5, 0);
        game->OnLButtonUp(5, 5, 0);
        EXPECT_TRUE(game->IsGameOver());
        return game;
    }
    // The top table as the next start reads it.
    NGame::CTopTable TableOnDisk() const
    {
        NGame::CTopTable table(2);
        table.Open((m_data_folder / NGame::CTopTable::kFileName).string());
        return table;
    }
    bool SavedFileHoldsAGame() const
    {
        CKeyValueFile saved;
        saved.LoadFile(SavedGamePath(), true, CMainMenu::kSavedGameKey, CMainMenu::kSavedGameKeyLength);
        return saved.HasKey("gamedata.gametype");
    }

    std::unique_ptr<NGameTest::CTestResources> m_game_resources;
    CMainMenu* m_menu = nullptr; // the frame's bottom screen
};

TEST_F(MenuFlowTest, NewGameGoesThroughTheCustomLevelWindowAndBackLeavesItHeld)
{
    EXPECT_EQ(m_menu->GetGameButton()->GetWidth() > 0, true) << "menu pictures missing";
    // Closing the window without starting returns to the menu with nothing held.
    Click(*m_menu, *m_menu->GetGameButton());
    NextFrame(); // the window or dialog shows at the next frame
    ASSERT_EQ(Current(), m_menu->GetCustomLevelWindow());
    Current()->OnKeyDown(NPlatform::kVkEscape);
    NextFrame();
    EXPECT_EQ(Current(), m_menu);
    EXPECT_EQ(m_menu->GetHeldGame(), nullptr);

    CGame* game = StartFromMenu(true, 2);
    ASSERT_NE(game, nullptr);
    EXPECT_EQ(Current(), game);
    EXPECT_EQ(game->GetGameType(), 0);
    EXPECT_EQ(game->GetLevelNumber(), 2);
    BackToMenu();
    EXPECT_EQ(m_menu->GetHeldGame(), game);
    // Leaving a game writes it at once, not only at exit.
    CKeyValueFile saved;
    ASSERT_TRUE(saved.LoadFile(SavedGamePath(), true, CMainMenu::kSavedGameKey, CMainMenu::kSavedGameKeyLength));
    EXPECT_EQ(saved.GetInt("gamedata.gametype", -1), 0);
}

TEST_F(MenuFlowTest, HeldGameOffersContinueNewGameAndCancel)
{
    CGame* game = StartFromMenu(false, 1);
    ASSERT_NE(game, nullptr);
    SettleGame();
    BackToMenu();

    // Cancel: the dialog goes, the game stays.
    Click(*m_menu, *m_menu->GetGameButton());
    NextFrame(); // the window or dialog shows at the next frame
    CContinueDlg* dialog = m_menu->GetContinueDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(Current(), dialog);
    EXPECT_EQ(dialog->GetLevel(), 2);
    EXPECT_EQ(dialog->GetScore(), game->GetCurrentScore());
    EXPECT_GT(dialog->GetScore(), 0) << "the player's zone counts";
    dialog->Render();
    EXPECT_TRUE(dialog->IsDimming()) << "the menu behind darkens";
    Current()->OnKeyDown(NPlatform::kVkEscape);
    NextFrame();
    EXPECT_EQ(m_menu->GetContinueDialog(), nullptr);
    EXPECT_EQ(Current(), m_menu);
    EXPECT_EQ(m_menu->GetHeldGame(), game);

    // Continue: the same game again.
    Click(*m_menu, *m_menu->GetGameButton());
    NextFrame(); // the window or dialog shows at the next frame
    Click(*Current(), static_cast<int>(m_menu->GetContinueDialog()->GetContinueButton()->GetPosition().x + 144) + 4,
          static_cast<int>(m_menu->GetContinueDialog()->GetContinueButton()->GetPosition().y + 44) + 4);
    NextFrame();
    EXPECT_EQ(Current(), game);
    BackToMenu();

    // New game: the custom level window; starting there drops the held game.
    Click(*m_menu, *m_menu->GetGameButton());
    NextFrame(); // the window or dialog shows at the next frame
    Click(*Current(), static_cast<int>(m_menu->GetContinueDialog()->GetNewGameButton()->GetPosition().x + 144) + 4,
          static_cast<int>(m_menu->GetContinueDialog()->GetNewGameButton()->GetPosition().y + 44) + 4);
    NextFrame();
    ASSERT_EQ(Current(), m_menu->GetCustomLevelWindow());
    Click(*Current(), *m_menu->GetCustomLevelWindow()->GetClassicBox());
    Click(*Current(), *m_menu->GetCustomLevelWindow()->GetOkButton());
    NextFrame();
    ASSERT_NE(m_menu->GetHeldGame(), nullptr);
    EXPECT_EQ(Current(), m_menu->GetHeldGame());
    EXPECT_EQ(m_menu->GetHeldGame()->GetGameType(), 0);
}

TEST_F(MenuFlowTest, FinishedGameIsDroppedAndTheTopWindowOpensOnlyForARecordedResult)
{
    // Without a place in the table: straight back to the menu.
    for (int i = 0; i < 7; ++i)
        m_menu->GetTopTable()->Add(0, 1000000, "Best");
    m_menu->HoldGame(CMainMenu::RestoreGame(LastLevelFile(10), m_menu->GetTopTable()));
    ASSERT_NE(m_menu->GetHeldGame(), nullptr);
    ShowHeldGame();
    EXPECT_FALSE(PlayToTheEnd());
    EXPECT_EQ(m_menu->GetHeldGame(), nullptr);
    EXPECT_EQ(Current(), m_menu);
    EXPECT_EQ(m_menu->GetTopWindow(), nullptr);
    // Nothing to continue after the restart either.
    CKeyValueFile saved;
    ASSERT_TRUE(saved.LoadFile(SavedGamePath(), true, CMainMenu::kSavedGameKey, CMainMenu::kSavedGameKeyLength));
    EXPECT_FALSE(saved.HasKey("gamedata.gametype"));

    // With one: the top window on that game's table.
    m_menu->GetTopTable()->Add(1, 5, "Low"); // the advanced table has room
    CKeyValueFile advanced = LastLevelFile(10);
    advanced.SetInt("gamedata.gametype", 1);
    advanced.SetString("gamedata.dir_pattern", "dat/levels_duel/lev%03d.raw");
    advanced.SetInt("gamedata.m_game_type", 1);
    m_menu->HoldGame(CMainMenu::RestoreGame(advanced, m_menu->GetTopTable()));
    ShowHeldGame();
    EXPECT_TRUE(PlayToTheEnd());
    EXPECT_EQ(m_menu->GetHeldGame(), nullptr);
    ASSERT_NE(m_menu->GetTopWindow(), nullptr);
    EXPECT_EQ(Current(), m_menu->GetTopWindow());
    EXPECT_EQ(m_menu->GetTopWindow()->GetPage(), 1);
    EXPECT_EQ(m_menu->GetTopTable()->GetName(1, 0), "Nemo");
    Current()->OnKeyDown(NPlatform::kVkEscape);
    NextFrame();
    EXPECT_EQ(Current(), m_menu);
    EXPECT_EQ(m_menu->GetTopWindow(), nullptr);
}

TEST_F(MenuFlowTest, TheNameEntryDropsTheFinishedGameBeforeItsResultIsWritten)
{
    CGame* game = GameOverBoard(40);
    const int score = game->GetTotalScore();
    ASSERT_TRUE(SavedFileHoldsAGame()) << "the last position before the final move";
    game->OnLButtonDown(5, 5, 0);
    game->OnLButtonUp(5, 5, 0);
    NextFrame();
    ASSERT_EQ(Current(), game->GetNameDialog());
    Current()->OnKeyDown(NPlatform::kVkReturn);
    NextFrame();
    // Killed now, while the field vanishes: the result is kept and the game is not offered again.
    EXPECT_FALSE(SavedFileHoldsAGame());
    EXPECT_EQ(TableOnDisk().GetPoints(0, 0), score);
    CMainMenu next;
    next.LoadGameFile();
    EXPECT_EQ(next.GetHeldGame(), nullptr);
}

TEST_F(MenuFlowTest, EveryWayOfLeavingAFinishedGameRecordsItsResultOnce)
{
    struct SWay
    {
        const char* what;
        std::function<void(CGame&)> leave;
        const char* name;
    };
    CMainMenu* menu = m_menu;
    const SWay ways[] = {
        {"Escape on the game-over board", [](CGame& game) { game.OnKeyDown(NPlatform::kVkEscape); NextFrame(); },
         "Nemo"},
        {"the main-menu button there", [](CGame& game) { game.OnControl(game.GetMainMenuButton()); NextFrame(); },
         "Nemo"},
        {"quitting the program there", [menu](CGame&) { menu->SaveGameFile(); menu->SaveGameFile(); }, "Nemo"},
        {"closing the window during the name entry",
         [menu](CGame& game) {
             game.OnLButtonDown(5, 5, 0);
             game.OnLButtonUp(5, 5, 0);
             ASSERT_NE(game.GetNameDialog(), nullptr);
             for (char c : std::string("Zed"))
                 game.GetNameDialog()->OnChar(static_cast<unsigned char>(c), 1);
             // What the exit does: save, then everything goes.
             menu->SaveGameFile();
             menu->SaveGameFile();
         },
         "Zed"},
    };
    int start = 50;
    for (const SWay& way : ways)
    {
        SCOPED_TRACE(way.what);
        CGame* game = GameOverBoard(++start);
        const int score = game->GetTotalScore();
        way.leave(*game);
        if (m_menu->GetHeldGame())
            m_menu->GetHeldGame()->Update(16.0f);
        const NGame::CTopTable table = TableOnDisk();
        int entries = 0;
        for (int place = 0; place < NGame::CTopTable::kPlaces; ++place)
            if (table.GetPoints(0, place) == score)
            {
                ++entries;
                EXPECT_EQ(table.GetName(0, place), way.name);
            }
        EXPECT_EQ(entries, 1);
        EXPECT_FALSE(SavedFileHoldsAGame());
        BackToTheMenu();
    }
}

TEST_F(MenuFlowTest, HelpOptionsAndTopWindowsOpenAndAreDeletedWhenClosed)
{
    struct SCase
    {
        CSimpleButton* (CMainMenu::*button)() const;
        std::function<CScreen*()> window;
    };
    CMainMenu* menu = m_menu;
    const SCase cases[] = {
        {&CMainMenu::GetHelpButton, [menu] { return static_cast<CScreen*>(menu->GetHelpWindow()); }},
        {&CMainMenu::GetOptionsButton, [menu] { return static_cast<CScreen*>(menu->GetOptionsWindow()); }},
        {&CMainMenu::GetTopButton, [menu] { return static_cast<CScreen*>(menu->GetTopWindow()); }},
    };
    for (const SCase& c : cases)
    {
        Click(*m_menu, *(m_menu->*c.button)());
        NextFrame();
        ASSERT_NE(c.window(), nullptr);
        EXPECT_EQ(Current(), c.window());
        Current()->OnKeyDown(NPlatform::kVkEscape);
        NextFrame();
        EXPECT_EQ(Current(), m_menu);
        EXPECT_EQ(c.window(), nullptr);
    }
}

TEST_F(MenuFlowTest, AWindowReadsItsBackgroundWhenItShowsAndTheMenuLetsItGoWhenItCloses)
{
    NInterface::CInterfaceResources* resources = m_menu->GetResources();
    const char* const backgrounds[] = {"m_options_window_back", "m_help_window_back", "m_top_window_back",
                                       "m_cust_lev_wnd", "m_continue_dlg_back"};
    for (const char* name : backgrounds)
        EXPECT_FALSE(resources->IsLoaded(name)) << name << " read before its window shows";
    EXPECT_TRUE(resources->IsLoaded("m_main_window_back"));

    Click(*m_menu, *m_menu->GetOptionsButton());
    NextFrame();
    Current()->Render();
    EXPECT_TRUE(resources->IsLoaded("m_options_window_back"));
    ASSERT_NE(resources->GetTexture("m_options_window_back"), nullptr);
    EXPECT_GT(resources->GetTexture("m_options_window_back")->GetWidth(), 0);
    EXPECT_FALSE(resources->IsLoaded("m_help_window_back"));
    Current()->OnKeyDown(NPlatform::kVkEscape);
    NextFrame();
    EXPECT_FALSE(resources->IsLoaded("m_options_window_back"));

    // Shown again, read again.
    Click(*m_menu, *m_menu->GetOptionsButton());
    NextFrame();
    Current()->Render();
    EXPECT_TRUE(resources->IsLoaded("m_options_window_back"));
}

TEST_F(MenuFlowTest, EscapeAndTheQuitButtonAskTheWindowToClose)
{
    for (int way = 0; way < 2; ++way)
    {
        NPlatform::ClearPostedEvents();
        if (way == 0)
            m_menu->OnKeyDown(NPlatform::kVkEscape);
        else
            Click(*m_menu, *m_menu->GetQuitButton());
        NextFrame(); // the window or dialog shows at the next frame
        NPlatform::SEvent event;
        ASSERT_TRUE(NPlatform::PollEvent(event));
        EXPECT_EQ(event.type, NPlatform::EEventType::Close);
        EXPECT_FALSE(event.f4Held);
    }
}

// ---- The saved game ----

class SavedGameTest : public MenuFlowTest
{
protected:
    // What the next start finds: a fresh menu reading saved.dat.
    std::unique_ptr<CMainMenu> Restart()
    {
        EXPECT_TRUE(m_menu->SaveGameFile());
        auto menu = std::make_unique<CMainMenu>();
        menu->LoadGameFile();
        return menu;
    }
};

TEST_F(SavedGameTest, GameOnItsFirstLevelIsRestored)
{
    CGame* game = StartFromMenu(false, 0);
    ASSERT_NE(game, nullptr);
    SettleGame();
    const std::string board = game->GetField()->GetFieldState();
    // Written as soon as the level is laid out, before any exit.
    CKeyValueFile early;
    ASSERT_TRUE(early.LoadFile(SavedGamePath(), true, CMainMenu::kSavedGameKey, CMainMenu::kSavedGameKeyLength));
    EXPECT_EQ(early.GetString("gamedata.fieldstate", ""), board);
    auto next = Restart();
    ASSERT_NE(next->GetHeldGame(), nullptr);
    EXPECT_EQ(next->GetHeldGame()->GetLevelNumber(), 0);
    EXPECT_EQ(next->GetHeldGame()->GetField()->FormatFieldState(), board);
}

TEST_F(SavedGameTest, RestoredGameKeepsMoneyLivesScoreAndCoinsWithThePlayerToMoveAndNoTutorial)
{
    CGame* game = StartFromMenu(true, 2);
    ASSERT_NE(game, nullptr);
    SettleGame();
    CField& field = *game->GetField();
    field.SetCellCoin(field.GetMid(), 3, 4);
    field.SetCellCoin(1, 1, 0);
    game->GetPlayer()->AddMoney(137 - game->GetPlayer()->GetMoney());
    game->GetPlayer()->SetLives(2);
    field.RecordFieldState();
    game->Update(16.0f); // the game takes its totals with the position
    const std::string board = field.GetFieldState();

    auto next = Restart();
    CGame* restored = next->GetHeldGame();
    ASSERT_NE(restored, nullptr);
    EXPECT_EQ(restored->GetGameType(), 0);
    EXPECT_EQ(restored->GetLevelNumber(), 2);
    EXPECT_EQ(restored->GetField()->FormatFieldState(), board);
    EXPECT_EQ(restored->GetField()->GetCellCoin(field.GetMid(), 3), 4);
    EXPECT_EQ(restored->GetPlayer()->GetMoney(), 137);
    EXPECT_EQ(restored->GetPlayer()->GetLives(), 2);
    EXPECT_EQ(restored->GetTotalScore(), game->GetTotalScore());
    EXPECT_EQ(restored->GetCurrentSide(), 0);
    EXPECT_EQ(restored->GetPlayer()->GetState(), NGame::CPlayer::kMayMove);
    EXPECT_EQ(restored->GetNextTutorialHint(), NGame::GetGameResources()->GetLastHintIndex());
    EXPECT_EQ(restored->GetWrongColourHints(), 0);
}

TEST_F(SavedGameTest, LeavingRightAfterAMoveRestoresThePositionBeforeItWithItsMoney)
{
    CGame* game = StartFromMenu(true, 2);
    ASSERT_NE(game, nullptr);
    SettleGame();
    CField& field = *game->GetField();
    const int mid = field.GetMid();
    // A dollar coin on the cell beside the player's start, in a colour the player may take.
    int colour = 0;
    while (colour == field.ColourAt(mid, 0) || colour == field.ColourAt(mid, field.GetColumns() - 1))
        ++colour;
    NGameTest::Set(field, mid, 1, colour);
    field.SetCellCoin(mid, 1, 4);
    field.RecordFieldState();
    game->Update(16.0f); // the game takes its totals with the position
    const int money = game->GetPlayer()->GetMoney();
    const std::string board = field.GetFieldState();

    const CVector4 centre = field.CellCentre(mid, 1);
    Click(*game, static_cast<int>(centre.x), static_cast<int>(centre.y));
    ASSERT_EQ(game->GetPlayer()->GetMoney(), money + 100) << "the move collected the coin";
    BackToMenu(); // Escape before the turn came back: the move was never recorded

    auto next = Restart();
    CGame* restored = next->GetHeldGame();
    ASSERT_NE(restored, nullptr);
    EXPECT_EQ(restored->GetField()->FormatFieldState(), board);
    EXPECT_EQ(restored->GetField()->GetCellCoin(mid, 1), 4);
    EXPECT_EQ(restored->GetPlayer()->GetMoney(), money) << "the coin is on the board, not in the purse too";
    EXPECT_EQ(restored->GetTotalScore(), game->GetTotalScore());
}

TEST_F(SavedGameTest, TotalsAtTheirCeilingsLoadAndStayThereWhileValuesBeyondAreRefused)
{
    CKeyValueFile file = LastLevelFile(CGame::kMaxTotalScore - 1);
    file.SetInt("gamedata.playermoney", NGame::CPlayer::kMaxMoney);
    file.SetInt("gamedata.playerlifes", NGame::CPlayer::kMaxLives);
    m_menu->HoldGame(CMainMenu::RestoreGame(file, m_menu->GetTopTable()));
    CGame* game = m_menu->GetHeldGame();
    ASSERT_NE(game, nullptr);
    ShowHeldGame();
    CField& field = *game->GetField();
    ASSERT_TRUE(field.Fill(field.GetMid(), 0, 0));
    for (int frame = 0; frame < 5000 && !(field.IsIdle() && field.IsFull()); ++frame)
        game->Update(16.0f);
    EXPECT_EQ(game->GetTotalScore(), CGame::kMaxTotalScore);
    EXPECT_EQ(game->GetPlayer()->GetMoney(), NGame::CPlayer::kMaxMoney);

    for (const auto& [key, value] : {std::pair{"gamedata.totalscore", CGame::kMaxTotalScore + 1},
                                     std::pair{"gamedata.playermoney", NGame::CPlayer::kMaxMoney + 1},
                                     std::pair{"gamedata.playerlifes", NGame::CPlayer::kMaxLives + 1},
                                     std::pair{"gamedata.totalscore", 2147483647}})
    {
        CKeyValueFile beyond = LastLevelFile(10);
        beyond.SetInt(key, value);
        EXPECT_EQ(CMainMenu::RestoreGame(beyond, m_menu->GetTopTable()), nullptr) << key << " " << value;
    }
}

TEST_F(SavedGameTest, MovingGameRoundTripsAndAFinishedGameIsNotOffered)
{
    auto moving = std::make_unique<CGame>(2, m_menu->GetTopTable());
    moving->StartAtLevel(1);
    CGame* game = moving.get();
    m_menu->HoldGame(std::move(moving));
    SettleGame();
    auto next = Restart();
    ASSERT_NE(next->GetHeldGame(), nullptr);
    EXPECT_EQ(next->GetHeldGame()->GetGameType(), 2);
    EXPECT_EQ(next->GetHeldGame()->GetField()->GetLevelDir(), "dat/levels_moving");
    EXPECT_EQ(next->GetHeldGame()->GetField()->FormatFieldState(), game->GetField()->GetFieldState());
    next.reset();

    // A game over that is still on screen when the program ends.
    for (int i = 0; i < 7; ++i)
        m_menu->GetTopTable()->Add(0, 1000000, "Best");
    m_menu->HoldGame(CMainMenu::RestoreGame(LastLevelFile(10), m_menu->GetTopTable()));
    ShowHeldGame();
    CField& field = *m_menu->GetHeldGame()->GetField();
    field.Fill(field.GetMid(), 0, 0);
    for (int frame = 0; frame < 5000 && !(field.IsIdle() && field.IsFull()); ++frame)
        m_menu->GetHeldGame()->Update(16.0f);
    m_menu->GetHeldGame()->OnLButtonDown(5, 5, 0);
    m_menu->GetHeldGame()->OnLButtonUp(5, 5, 0);
    ASSERT_TRUE(m_menu->GetHeldGame()->IsGameOver());
    EXPECT_EQ(Restart()->GetHeldGame(), nullptr);
}

TEST_F(SavedGameTest, FilesOfTheOlderRuleLoadAndALevelZeroGameWithoutBoardIsNotHeld)
{
    // Written as before: keys sorted, the field's keys only past level 0.
    CKeyValueFile file = LastLevelFile(10);
    ASSERT_TRUE(file.SaveFile(SavedGamePath(), CMainMenu::kSavedGameKey, CMainMenu::kSavedGameKeyLength));
    m_menu->LoadGameFile();
    ASSERT_NE(m_menu->GetHeldGame(), nullptr);
    EXPECT_EQ(m_menu->GetHeldGame()->GetLevelNumber(), 99);

    for (const char* key : {"gamedata.fieldstate", "gamedata.dir_pattern", "gamedata.level_num",
                            "gamedata.levels_count", "gamedata.m_game_type"})
        file.Remove(key);
    ASSERT_TRUE(file.SaveFile(SavedGamePath(), CMainMenu::kSavedGameKey, CMainMenu::kSavedGameKeyLength));
    m_menu->LoadGameFile();
    EXPECT_EQ(m_menu->GetHeldGame(), nullptr);
}

TEST_F(SavedGameTest, DamagedFilesHoldNoGameAndLeaveTheOtherFilesAlone)
{
    // Settings and table files as the program keeps them.
    GetAppSettings().Save();
    m_menu->GetTopTable()->Add(0, 77, "Kept");
    const std::string settingsPath = m_data_folder.string() + "/dx.cfg";
    const std::string tablePath = m_data_folder.string() + "/top7.tbl";
    const std::vector<uint8_t> settingsBefore = ReadBytes(settingsPath);
    const std::vector<uint8_t> tableBefore = ReadBytes(tablePath);
    ASSERT_FALSE(settingsBefore.empty());
    ASSERT_FALSE(tableBefore.empty());

    auto enciphered = [](const CKeyValueFile& file) {
        const std::string text = file.BuildText();
        std::vector<uint8_t> out;
        CCipher::EncodeWithRotation(reinterpret_cast<const uint8_t*>(text.data()), static_cast<int>(text.size()), 3,
                                    out, CMainMenu::kSavedGameKey, CMainMenu::kSavedGameKeyLength);
        return out;
    };
    auto with = [this](const char* key, const char* value) {
        CKeyValueFile file = LastLevelFile(10);
        file.SetString(key, value);
        return file;
    };
    CKeyValueFile otherKey = LastLevelFile(10);
    std::vector<uint8_t> wrongKey;
    const std::string text = otherKey.BuildText();
    CCipher::EncodeWithRotation(reinterpret_cast<const uint8_t*>(text.data()), static_cast<int>(text.size()), 3,
                                wrongKey, "zup", 3);
    const std::vector<std::vector<uint8_t>> files = {
        {},
        {0x00},
        {0xff, 0xfe, 0x10, 0x99, 0x00, 0x01, 0x02},
        wrongKey,
        enciphered(with("gamedata.gametype", "3")),
        enciphered(with("gamedata.gametype", "-1")),
        enciphered(with("gamedata.playermoney", "-5")),
        enciphered(with("gamedata.playerlifes", "-1")),
        enciphered(with("gamedata.totalscore", "-100")),
        enciphered(with("gamedata.fieldstate", "099 07 07 07")),
        enciphered(with("gamedata.fieldstate", "099 zz")),
        enciphered(with("gamedata.dir_pattern", "%s%s%s%s%s%s%n")),
        enciphered(with("gamedata.dir_pattern", "dat/levels_classic/lev%999999999d.raw")),
        enciphered(with("gamedata.levels_count", "0")),
        enciphered(with("gamedata.level_num", "250")),
    };
    for (size_t i = 0; i < files.size(); ++i)
    {
        WriteBytes(SavedGamePath(), files[i]);
        m_menu->HoldGame(std::make_unique<CGame>(0, nullptr));
        m_menu->LoadGameFile();
        EXPECT_EQ(m_menu->GetHeldGame(), nullptr) << "file " << i;
    }
    EXPECT_EQ(ReadBytes(settingsPath), settingsBefore);
    EXPECT_EQ(ReadBytes(tablePath), tableBefore);
    EXPECT_EQ(m_menu->GetTopTable()->GetName(0, 0), "Kept");
}
} // namespace
