// The program's home screen and the hub of the screen flow. It stays at the
// bottom of the screen stack for the whole run, owns the interface resources,
// the top-7 table, the held game and every window it opens, and decides what
// comes next whenever one of them closes. It also writes and reads saved.dat.
#pragma once

#include "engine/FrameCopy.h"
#include "game/GameOwner.h"
#include "interface/InterfaceInsect.h"
#include "ui/KeptScreen.h"
#include "ui/LayoutScreen.h"
#include "ui/SimpleButton.h"

#include <memory>
#include <string>

class CKeyValueFile;

namespace NGame
{
class CGame;
class CTopTable;
} // namespace NGame

namespace NInterface
{
using NGame::CTopTable;
class CContinueDlg;
class CCustomLevelWnd;
class CEnterNameDlg;
class CHelpWnd;
class CInterfaceResources;
class COptionsWnd;
class CTopWnd;

class CMainMenu : public CLayoutScreen, private NGame::IGameOwner
{
public:
    static constexpr const char* kLayoutFile = "mui/main_wnd.txt";
    static constexpr const char* kSavedGameFile = "saved.dat";
    static constexpr const char* kSavedGameKey = "stashfile!#&";
    static constexpr int kSavedGameKeyLength = 12;
    static constexpr const char* kGameName = "zonvel game";
    static constexpr const char* kMenuMusic = "music/menu.xm";

    CMainMenu();
    ~CMainMenu() override;

    void Update(float dt) override;                               // slot 1
    void Render() override;                                       // slot 2
    void Activate() override;                                     // slot 3
    void OnKeyDown(int virtualKey) override;
    // B backs out of every window but this one: it would end the program.
    void OnPadButton(int button) override;                      // slot 4
    void OnControl(CControl* sender) override;                    // slot 10
    void OnDialogClosed(int result, std::unique_ptr<CScreen> dialog) override; // slot 11
    void OnScreenClosed(std::unique_ptr<CScreen> closed) override;             // slot 12
    void OnCloseRequest() override;                               // slot 13

    // saved.dat in the user's data folder. Saving replaces the file whole
    // (never a half-written one); loading holds the game only when every
    // value in the file is sound. Saving at exit first enters the result of a
    // finished game that was never recorded (the window closed on "GAME OVER"
    // or during the name entry).
    bool SaveGameFile();
    void LoadGameFile();
    // The saved-game contents of a held game (or of none).
    static void BuildSavedGame(CKeyValueFile& file, const NGame::CGame* game);
    // A game restored from saved-game contents; null when they hold none.
    static std::unique_ptr<NGame::CGame> RestoreGame(const CKeyValueFile& file, CTopTable* topTable);

    NGame::CGame* GetHeldGame() const { return m_game.Get(); }
    // Replaces the held game (tests, and a game restored elsewhere) and becomes its owner.
    void HoldGame(std::unique_ptr<NGame::CGame> game);
    // Shows the held game (Continue); nothing when none is held or it is shown.
    void ShowHeldGame();
    CTopTable* GetTopTable() const { return m_top_table.get(); }
    // The windows and dialogs while shown (the custom level window also after).
    CContinueDlg* GetContinueDialog() const { return m_continue_dlg; }
    CEnterNameDlg* GetNameDialog() const { return m_name_dlg; }
    CCustomLevelWnd* GetCustomLevelWindow() const { return m_custom_wnd.Get(); }
    CHelpWnd* GetHelpWindow() const { return m_help_wnd; }
    CTopWnd* GetTopWindow() const { return m_top_wnd; }
    COptionsWnd* GetOptionsWindow() const { return m_options_wnd; }
    CInterfaceResources* GetResources() const { return m_resources.get(); }
    const CInterfaceInsect::Swarm& GetDragons() const { return m_dragons; }

    CSimpleButton* GetGameButton() const { return m_game_btn.get(); }
    CSimpleButton* GetQuitButton() const { return m_quit_game_btn.get(); }
    CSimpleButton* GetHelpButton() const { return m_help_btn.get(); }
    CSimpleButton* GetTopButton() const { return m_top_btn.get(); }
    CSimpleButton* GetOptionsButton() const { return m_options_btn.get(); }
    CSimpleButton* GetMakerButton() const { return m_qk_btn.get(); }
    CSimpleButton* GetGiftButton() const { return m_gift_btn.get(); }
    CSimpleButton* GetContinueButton() const { return m_continue_btn.get(); }

    static std::string SavedGamePath();

private:
    std::unique_ptr<CSimpleButton> AddButton(const CKeyValueFile& layout, const char* name, const char* picture);
    void SetView();
    void OpenCustomLevelWindow();
    void StartNewGame();
    void OpenPage(const std::string& page);
    // Pushes a one-time window and returns it, to be known while it is shown.
    template <class T>
    T* Show(std::unique_ptr<T> window);
    // Writes the held game now, between the saves at exit, keeping the
    // generator's sequence as it was (enciphering reseeds it).
    void SaveGameNow() const;
    bool WriteSavedGame() const;
    // A finished game whose qualifying result is not in the table yet gets it now.
    void RecordFinishedResult();

    void OnPositionRecorded(const NGame::CGame& game) override;
    void OnGameFinished(const NGame::CGame& game) override;
    CScreen* OpenNameEntry(const NGame::CGame& game) override;
    std::string GetEnteredName(const CScreen& entry) const override;
    void OnNameEntryClosed(std::unique_ptr<CScreen> entry) override;

    std::unique_ptr<CInterfaceResources> m_resources;
    std::unique_ptr<CTopTable> m_top_table;
    CKeptScreen<NGame::CGame> m_game;
    CKeptScreen<CCustomLevelWnd> m_custom_wnd; // keeps the last choices
    // Shown by the frame; null once closed.
    COptionsWnd* m_options_wnd = nullptr;
    CHelpWnd* m_help_wnd = nullptr;
    CTopWnd* m_top_wnd = nullptr;
    CContinueDlg* m_continue_dlg = nullptr;
    CEnterNameDlg* m_name_dlg = nullptr; // over the finished game
    CInterfaceInsect::Swarm m_dragons;
    // The background as drawn, shown texel for pixel: cheaper than filtering the picture each frame.
    CFrameCopy m_background_copy;

    std::unique_ptr<CSimpleButton> m_game_btn;
    std::unique_ptr<CSimpleButton> m_game_adv_btn;
    std::unique_ptr<CSimpleButton> m_game_custom_btn;
    std::unique_ptr<CSimpleButton> m_continue_btn;
    std::unique_ptr<CSimpleButton> m_quit_game_btn;
    std::unique_ptr<CSimpleButton> m_help_btn;
    std::unique_ptr<CSimpleButton> m_top_btn;
    std::unique_ptr<CSimpleButton> m_options_btn;
    std::unique_ptr<CSimpleButton> m_qk_btn;
    std::unique_ptr<CSimpleButton> m_gift_btn;
    std::unique_ptr<CSimpleButton> m_fullscreen_btn;
    std::unique_ptr<CSimpleButton> m_mini_btn;
};
} // namespace NInterface
