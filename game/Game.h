// The game in progress and the screen it is played on: one game of one type
// from its first level until the player leaves it or it is over. It owns the
// field, both sides, the active bonuses, the hint panels and its buttons; the
// main menu owns the game and keeps it alive while the player is in the menu.
#pragma once

#include "game/CellCursor.h"
#include "ui/Screen.h"

#include <memory>
#include <utility>
#include <string>
#include <vector>

class CKeyValueFile;
class CSimpleButton;
class CSprite;

namespace NGame
{
class CBonus;
class CField;
class CHintPanel;
class CPlayer;
class CTopTable;
class IGameOwner;

class CGame : public CScreen
{
  public:
    // The buttons in the order of the purchase table (and of the prices).
    enum EBonusButton
    {
        kSingleRepaint,
        kZoneRepaint,
        kFreeRandomize,
        kForward1,
        kForward3,
        kSelfRepaint,
        kSkipMove,
        kBackward2,
        kBackward4,
        kApponentRandomize,
        kLife,
        kBonusCount
    };
    static constexpr int kLastLevel = 99;
    // The total score stops here rather than wrapping; a saved game above it is refused.
    static constexpr int kMaxTotalScore = 999'999'999;
    static constexpr int kWrongColourHintsMax = 2;
    static constexpr float kMessageFadeStep = 0.02f; // per drawn frame
    static const char* const kButtonLayoutFile;
    static const char* const kTooltips[kBonusCount];
    static const char* const kPlaylist[5];

    // topTable is borrowed (null: no name entry at game over).
    CGame(int gameType, CTopTable* topTable);
    ~CGame() override;

    void StartAtLevel(int level);

    // The saved-game keys of the game and its field: the last recorded
    // position with the money, lives and total score the player had in it,
    // never the live totals beside an older board. LoadGame refuses a file
    // whose values this game could not have written; the game is then unusable.
    virtual bool SaveGame(CKeyValueFile& file) const;
    virtual bool LoadGame(const CKeyValueFile& file);
    // Who is told of recorded positions and of the game's end (not owned; null: nobody).
    void SetOwner(IGameOwner* owner) { m_owner = owner; }
    // Enters a finished game's result into the top table once: with the name
    // typed so far in an open name entry, else "Nemo". The owner drops the
    // held game first. False when there was nothing (more) to record.
    bool RecordResult();
    int GetLevelNumber() const;
    // Total score plus the player's zone as it stands.
    int GetCurrentScore() const;
    bool IsGameOver() const { return m_game_over; }
    bool IsScoreRecorded() const { return m_score_recorded; }
    int GetGameType() const { return m_game_type; }

    void Update(float dt) override;
    void Render() override;
    void Activate() override;
    void OnKeyDown(int virtualKey) override;
    // The shoulders walk the bonus bar, Start goes back to the menu.
    void OnPadButton(int button) override;
    void OnMouseMove(int x, int y, uint32_t keyFlags) override;
    void OnLButtonUp(int x, int y, uint32_t keyFlags) override;
    void OnLButtonDown(int x, int y, uint32_t keyFlags) override;
    void OnControl(CControl* sender) override;
    void OnDialogClosed(int result, std::unique_ptr<CScreen> dialog) override;
    void OnCloseRequest() override;

    // The computer's difficulty (0..5) for a level number of the classic and duel games.
    static int DifficultyForLevel(int level);

    // State for the tools, the tests and the saved game.
    CField* GetField() const { return m_field.get(); }
    const std::vector<std::unique_ptr<CPlayer>>& GetSides() const { return m_sides; }
    CPlayer* GetPlayer() const { return m_sides.empty() ? nullptr : m_sides[0].get(); }
    int GetCurrentSide() const { return m_current_side; }
    int GetTotalScore() const { return m_total_score; }
    bool IsLifeLost() const { return m_life_lost; }
    bool IsSkipPending() const { return m_pending_skip; }
    // Money, lives and total score as they were when the field last recorded its position.
    struct SRecordedTotals
    {
        int money = 0;
        int lives = 0;
        int total_score = 0;
        int record_count = -1; // the field's record count they belong to
    };
    const SRecordedTotals& GetRecordedTotals() const { return m_recorded; }
    bool IsResultSoundPlayed() const { return m_result_sound; }
    const std::vector<std::unique_ptr<CBonus>>& GetActiveBonuses() const { return m_bonuses; }
    const std::vector<std::unique_ptr<CHintPanel>>& GetHintPanels() const { return m_hint_panels; }
    int GetNextTutorialHint() const { return m_next_tutorial_hint; }
    int GetWrongColourHints() const { return m_wrong_colour_hints; }
    float GetMessageAlpha() const { return m_message_alpha; }
    CSimpleButton* GetBonusButton(int button) const { return m_bonus_buttons[button].get(); }
    CSimpleButton* GetMainMenuButton() const { return m_main_menu_button.get(); }
    CScreen* GetNameDialog() const { return m_name_dialog; }
    // Whether the bonus of a button may be bought now (the button's enabled state).
    bool CanBuy(int button) const;
    // The position the player is pointing at for the move preview, in layout units.
    static void GetPreviewCursor(int& x, int& y);
    // The keyboard's and the pad's cell on the board (hidden while the mouse points).
    const CCellCursor& GetCellCursor() const { return m_cell_cursor; }

    // The tutorial's panels, in the order the hint records hold them; the
    // record after the last of these is the wrong-colour hint.
    enum ETutorialHint
    {
        kHintGoal = 0,
        kHintChoosingAColour = 1,
        kHintPlayersFlowers = 2, // the head-up display's three panels, shown together
        kHintComputersFlowers = 3,
        kHintScoreAndLevel = 4,
        kHintWinningAndLosing = 5,
        kHintMoney = 6, // shown with the first coin's panel
        kHintFirstCoin = 7,
        kHintBonuses = 8,
        kHintMagnifier = 9,
    };

  protected:
    void CreateSides();
    void RebuildLevel();
    void ShowHint(int index);

  private:
    // The player's best level so far in the settings, raised to the field's level.
    void RecordBestLevel() const;
    // The cell under the cursor while the right button is held on a board
    // that magnifies, else (-1, -1).
    std::pair<int, int> MagnifiedCell() const;
    bool IsPlayersTurnWithIdleField() const;
    // The field is full and no bonus acts any more: the level may be judged and left.
    bool IsLevelJudged() const;
    void UpdateStartCells();
    void RunTutorial();
    void UpdateBonuses(float dt);
    void GiveTurn();
    // Takes the totals with a position the field has just recorded, and tells the owner.
    void NoteRecordedPosition();
    void JudgeLevel();
    // Forgets everything that belonged to the level just left.
    void ClearLevelState();
    void PlayResultSound(int sound);
    void RefreshButtons();
    bool Buy(int button);
    // Game over with the field idle: the name entry when the score qualifies,
    // else the field vanishes and the screen closes.
    void EndGame();
    bool AsksForName() const;
    void CloseScreen();

    // Keys on the board: arrows move the cell cursor, Enter or Space play its
    // cell, close the hint panels or continue after a level, Tab goes into the
    // bonus bar and back.
    void OnBoardKey(int virtualKey);
    // A click of the player at a layout position: a move, or the wrong-colour hint.
    void PlayAt(int x, int y);
    // "click to continue": the next level or the end of the game, once the level was judged.
    void ContinueAfterLevel();

    void DrawHeadUpDisplay() const;
    // The marks and zone lines of the colour-blind options, when they are on.
    void DrawColourHelp() const;
    void DrawMovePreview();
    void DrawMessages();
    void DrawTooltip() const;

    int m_game_type = 0;
    CTopTable* m_top_table = nullptr; // not owned
    CScreen* m_name_dialog = nullptr; // the owner's name entry, only while it is open
    std::unique_ptr<CField> m_field;
    std::vector<std::unique_ptr<CPlayer>> m_sides; // 0 the player, 1 the computer
    int m_current_side = 0;
    bool m_game_over = false;
    bool m_life_lost = false;
    int m_press_x = -1;
    int m_press_y = -1;
    int m_total_score = 0;
    bool m_score_recorded = false;
    std::unique_ptr<CSimpleButton> m_main_menu_button;
    std::unique_ptr<CSimpleButton> m_bonus_buttons[kBonusCount];
    bool m_pending_skip = false;
    std::vector<std::unique_ptr<CBonus>> m_bonuses; // in purchase order
    std::vector<std::unique_ptr<CHintPanel>> m_hint_panels;
    CCellCursor m_cell_cursor;
    bool m_result_sound = false;
    int m_next_tutorial_hint = 0;
    IGameOwner* m_owner = nullptr; // not owned
    SRecordedTotals m_recorded;
    bool m_level_scored = false; // the judged level's zone is in the total score
    int m_wrong_colour_hints = 0;
    float m_message_alpha = 0.0f;
    std::unique_ptr<CSprite> m_marker;
    // Move preview work grids, kept between frames so drawing allocates nothing.
    std::vector<int> m_preview_zone;
    std::vector<int> m_preview_grown;
};
} // namespace NGame
