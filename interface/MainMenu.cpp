#include "interface/MainMenu.h"

#include "engine/AppSettings.h"
#include "engine/GLHeaders.h"
#include "engine/KeyValueFile.h"
#include "engine/Log.h"
#include "engine/Random.h"
#include "engine/ResourceManager.h"
#include "engine/SoundManager.h"
#include "engine/Texture.h"
#include "engine/UserFiles.h"
#include "game/Game.h"
#include "game/GameResources.h"
#include "game/TopTable.h"
#include "interface/ContinueDlg.h"
#include "interface/CustomLevelWnd.h"
#include "interface/EnterNameDlg.h"
#include "interface/HelpWnd.h"
#include "interface/InterfaceResources.h"
#include "interface/OptionsWnd.h"
#include "interface/TopWnd.h"
#include "interface/WindowArt.h"
#include "platform/Events.h"
#include "platform/Gamepad.h"
#include "platform/Shell.h"
#include "ui/Frame.h"

namespace NInterface
{
namespace
{
void PlayMenuMusicOnly(bool restart)
{
    NAudio::Music& music = GetAppSettings().m_music;
    music.SetPlaylist({CMainMenu::kMenuMusic});
    if (restart)
        music.Stop();
    if (restart || !music.IsPlaying())
        music.Play(-1);
}
} // namespace

CMainMenu::CMainMenu() : CLayoutScreen(800.0f, 600.0f)
{
    SetMovable(true);

    m_resources = std::make_unique<CInterfaceResources>();
    m_resources->Load();

    CKeyValueFile layout;
    layout.LoadResource(GetResourceManager(), kLayoutFile);
    m_game_btn = AddButton(layout, "m_game_btn", "m_new_game_btn");
    m_game_adv_btn = AddButton(layout, "m_game_adv_btn", "m_new_game_adv_btn");
    m_game_custom_btn = AddButton(layout, "m_game_custom_btn", "m_new_game_custom_btn");
    m_continue_btn = AddButton(layout, "m_continue_btn", "m_continue_btn");
    m_quit_game_btn = AddButton(layout, "m_quit_game_btn", "m_quit_game_btn");
    m_help_btn = AddButton(layout, "m_help_btn", "m_help_btn");
    m_top_btn = AddButton(layout, "m_top_btn", "m_top7_btn");
    m_options_btn = AddButton(layout, "m_options_btn", "m_options_btn");
    m_qk_btn = AddButton(layout, "m_qk_btn", "m_qk_btn");
    m_gift_btn = AddButton(layout, "m_gift_btn", "m_gift_btn");
    m_fullscreen_btn = AddButton(layout, "m_fullscreen_btn", "m_fullscreen_btn");
    m_mini_btn = AddButton(layout, "m_mini_btn", "m_mini_btn");
    m_game_adv_btn->SetVisible(false);
    m_game_custom_btn->SetVisible(false);
    m_fullscreen_btn->SetVisible(false);
    m_mini_btn->SetVisible(false);
    // Hidden buttons never take the focus; the order runs down the menu, then
    // along the bottom.
    SetFocusOrder({m_game_btn.get(), m_help_btn.get(), m_top_btn.get(), m_options_btn.get(),
                   m_quit_game_btn.get(), m_qk_btn.get(), m_gift_btn.get()},
                  m_game_btn.get());

    CInterfaceInsect::CreateSwarm(m_dragons, m_resources->GetDragon());

    const CAppSettings& settings = GetAppSettings();
    if (CSoundManager* sound = GetSoundManager())
    {
        sound->SetMusicVolume(settings.m_music_volume);
        sound->SetSoundEnabled(settings.m_sound);
    }

    m_top_table = std::make_unique<CTopTable>(2);
    m_top_table->Open(settings.UserFilePath(CTopTable::kFileName));

    m_continue_btn->SetVisible(false);
}

CMainMenu::~CMainMenu()
{
    m_top_table->Write();
    m_controls.clear();
    m_game_btn.reset();
    m_game_adv_btn.reset();
    m_game_custom_btn.reset();
    m_continue_btn.reset();
    m_quit_game_btn.reset();
    m_help_btn.reset();
    m_top_btn.reset();
    m_options_btn.reset();
    m_qk_btn.reset();
    m_gift_btn.reset();
    m_fullscreen_btn.reset();
    m_mini_btn.reset();
    // Shown windows and dialogs are the frame's, which deletes them first.
    m_game.Drop();
    m_custom_wnd.Drop();
    m_dragons.clear();
    m_resources.reset();
    m_top_table.reset();
}

std::unique_ptr<CSimpleButton> CMainMenu::AddButton(const CKeyValueFile& layout, const char* name,
                                                    const char* picture)
{
    auto button = std::make_unique<CSimpleButton>(this, m_resources->GetTexture(picture));
    button->LoadLayout(layout, name);
    AddControl(button.get());
    return button;
}

void CMainMenu::SetView()
{
    IFrame* app = IFrame::Instance();
    if (app)
        SetLayoutSize(static_cast<float>(app->GetLogicalWidth()),
                      static_cast<float>(app->GetLogicalHeight()));
    SetupWindowView(m_layout_width, m_layout_height);
    if (NGL::IsContextAvailable())
        glLoadIdentity();
}

void CMainMenu::Activate()
{
    SetView();
    IFrame* app = IFrame::Instance();
    SetMovable(!(app && app->IsFullScreen()));
    CScreen::Activate();
    PlayMenuMusicOnly(false);
}

void CMainMenu::Update(float dt)
{
    CScreen::Update(dt);
    UpdatePointer(dt);
    CInterfaceInsect::UpdateSwarm(m_dragons, dt);
}

void CMainMenu::Render()
{
    const bool gl = NGL::IsContextAvailable();
    if (gl)
    {
        glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glPushMatrix();
        glEnable(GL_TEXTURE_2D);
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        if (m_background_copy.FitsViewport())
            m_background_copy.Draw();
        else
        {
            DrawWindowBackground(m_resources->GetTexture("m_main_window_back"));
            m_background_copy.Take();
        }
    }
    m_continue_btn->SetVisible(false);
    CScreen::Render();
    CInterfaceInsect::DrawSwarm(m_dragons);
    if (gl)
        glPopMatrix();
    GetAppSettings().m_music.Update();
    DrawPointer();
}

void CMainMenu::OnKeyDown(int virtualKey)
{
    if (HandleFocusKey(virtualKey))
        return;
    const CAppSettings& settings = GetAppSettings();
    if (virtualKey == settings.m_back_key)
    {
        OnCloseRequest();
    }
    else if (virtualKey == settings.m_confirm_key)
    {
        GetAppSettings().m_music.Stop();
        IFrame* app = IFrame::Instance();
        if (app && app->IsFullScreen())
        {
            app->LeaveFullScreen();
            SetMovable(true);
            SetView();
        }
        if (app)
            app->Minimize();
    }
    CScreen::OnKeyDown(virtualKey);
}

void CMainMenu::OnPadButton(int button)
{
    if (static_cast<NPlatform::EPadButton>(button) != NPlatform::EPadButton::B)
        CScreen::OnPadButton(button);
}

void CMainMenu::OpenCustomLevelWindow()
{
    // The game's pictures and levels are read when a game is first near, not
    // at start: the menu alone holds only its own.
    NGame::CGameResources::Instance();
    if (!m_custom_wnd)
        m_custom_wnd.Hold(std::make_unique<CCustomLevelWnd>(m_layout_width, m_layout_height));
    if (IFrame* app = IFrame::Instance())
        app->PushScreen(m_custom_wnd.Lend());
}

void CMainMenu::OpenPage(const std::string& page)
{
    // The pages lie beside the data the game was started with.
    const CResourceManager* resources = GetResourceManager();
    const std::string address =
        NPlatform::LocalPageAddress(resources ? resources->GetBaseFolder() : "", page);
    if (address.empty())
    {
        CLog::Write("The page %s is not in the game's data", page.c_str());
        return;
    }
    // Anything but a browser (an editor in a terminal) would only cover the
    // game: the window then stays as it is, and the log says where the page is.
    if (!NPlatform::IsWebBrowserSet())
    {
        CLog::Write("No web browser opens web pages here; the page is %s", address.c_str());
        return;
    }
    GetAppSettings().m_music.Stop();
    if (IFrame* app = IFrame::Instance())
        app->Minimize();
    if (!NPlatform::OpenAddress(address))
        CLog::Write("The page %s could not be opened", address.c_str());
}

void CMainMenu::OnControl(CControl* sender)
{
    CScreen::OnControl(sender);
    IFrame* app = IFrame::Instance();
    if (sender == m_game_btn.get())
    {
        if (m_game)
        {
            auto dialog =
                std::make_unique<CContinueDlg>(m_game->GetLevelNumber() + 1, m_game->GetCurrentScore());
            dialog->SetVirtualSize(800, 600);
            dialog->SetDimming(false);
            dialog->SetPanelPosition(144, 44);
            dialog->SetPanelSize(512, 512);
            m_continue_dlg = dialog.get();
            if (app)
                app->PushDialog(std::move(dialog));
        }
        else
        {
            OpenCustomLevelWindow();
        }
    }
    else if (sender == m_quit_game_btn.get())
    {
        OnCloseRequest();
    }
    else if (sender == m_help_btn.get())
    {
        m_help_wnd = Show(std::make_unique<CHelpWnd>(m_layout_width, m_layout_height));
    }
    else if (sender == m_top_btn.get())
    {
        m_top_wnd = Show(std::make_unique<CTopWnd>(m_layout_width, m_layout_height, m_top_table.get()));
    }
    else if (sender == m_options_btn.get())
    {
        m_options_wnd = Show(std::make_unique<COptionsWnd>(m_layout_width, m_layout_height));
    }
    else if (sender == m_qk_btn.get())
    {
        OpenPage(m_resources->GetMakerAddress());
    }
    else if (sender == m_gift_btn.get())
    {
        OpenPage(m_resources->GetGiftsAddress());
    }
}

void CMainMenu::OnDialogClosed(int, std::unique_ptr<CScreen> dialog)
{
    // Whatever shows next reads its own background again.
    m_resources->ReleaseWindowPictures();
    if (!m_continue_dlg || dialog.get() != m_continue_dlg)
        return;
    const int choice = m_continue_dlg->GetChoice();
    m_continue_dlg = nullptr;
    switch (choice)
    {
    case CContinueDlg::kContinue:
        ShowHeldGame();
        break;
    case CContinueDlg::kNewGame:
        OpenCustomLevelWindow();
        break;
    default:
        break;
    }
}

void CMainMenu::ShowHeldGame()
{
    if (IFrame* app = IFrame::Instance())
        app->PushScreen(m_game.Lend());
}

void CMainMenu::StartNewGame()
{
    HoldGame(std::make_unique<NGame::CGame>(m_custom_wnd->GetGameType(), m_top_table.get()));
    m_game->StartAtLevel(m_custom_wnd->GetLevel());
    ShowHeldGame();
}

void CMainMenu::OnScreenClosed(std::unique_ptr<CScreen> closed)
{
    // Whatever shows next reads its own background again.
    m_resources->ReleaseWindowPictures();
    if (m_game.TakeBack(closed))
    {
        PlayMenuMusicOnly(true);
        if (m_game->IsGameOver())
        {
            // Left on "GAME OVER" before the name was asked for: the result still counts.
            RecordFinishedResult();
            const bool recorded = m_game->IsScoreRecorded();
            const int gameType = m_game->GetGameType();
            m_game.Drop();
            if (recorded)
            {
                auto table = std::make_unique<CTopWnd>(m_layout_width, m_layout_height, m_top_table.get());
                table->SetPage(gameType);
                m_top_wnd = Show(std::move(table));
            }
        }
        // Written now as well as at exit, so a crash or a killed process does
        // not lose the game (and a finished one is not offered again).
        SaveGameNow();
    }
    else if (m_custom_wnd.TakeBack(closed))
    {
        if (m_custom_wnd->IsStartRequested())
            StartNewGame();
    }
    // The one-time windows go with the closed screen.
    else if (closed.get() == m_options_wnd)
    {
        m_options_wnd = nullptr;
    }
    else if (closed.get() == m_help_wnd)
    {
        m_help_wnd = nullptr;
    }
    else if (closed.get() == m_top_wnd)
    {
        m_top_wnd = nullptr;
    }
}

template <class T> T* CMainMenu::Show(std::unique_ptr<T> window)
{
    T* shown = window.get();
    if (IFrame* app = IFrame::Instance())
        app->PushScreen(std::move(window));
    return shown;
}

void CMainMenu::OnCloseRequest()
{
    if (IFrame* app = IFrame::Instance())
        app->PostClose();
}

void CMainMenu::HoldGame(std::unique_ptr<NGame::CGame> game)
{
    m_game.Hold(std::move(game));
    if (m_game)
        m_game->SetOwner(this);
}

void CMainMenu::OnPositionRecorded(const NGame::CGame& game)
{
    if (&game == m_game.Get())
        SaveGameNow();
}

void CMainMenu::OnGameFinished(const NGame::CGame& game)
{
    if (&game == m_game.Get())
        SaveGameNow();
}

CScreen* CMainMenu::OpenNameEntry(const NGame::CGame& game)
{
    if (&game != m_game.Get())
        return nullptr;
    auto dialog = std::make_unique<CEnterNameDlg>();
    dialog->SetVirtualSize(800, 600);
    dialog->SetDimming(false);
    dialog->SetPanelPosition(144, 172);
    dialog->SetPanelSize(512, 256);
    m_name_dlg = dialog.get();
    if (IFrame* app = IFrame::Instance())
        app->PushDialog(std::move(dialog));
    return m_name_dlg;
}

std::string CMainMenu::GetEnteredName(const CScreen& entry) const
{
    return &entry == m_name_dlg ? m_name_dlg->GetName() : std::string();
}

void CMainMenu::OnNameEntryClosed(std::unique_ptr<CScreen> entry)
{
    // Whatever shows next reads its own background again.
    m_resources->ReleaseWindowPictures();
    if (entry.get() == m_name_dlg)
        m_name_dlg = nullptr;
}

void CMainMenu::RecordFinishedResult()
{
    if (m_game)
        m_game->RecordResult();
}

std::string CMainMenu::SavedGamePath()
{
    return GetAppSettings().UserFilePath(kSavedGameFile);
}

void CMainMenu::BuildSavedGame(CKeyValueFile& file, const NGame::CGame* game)
{
    file.Clear();
    file.SetString("menudata.gamename", kGameName);
    // A finished game is never offered again, even when the program ends
    // before its screen closed.
    if (game && !game->IsGameOver())
        game->SaveGame(file);
}

bool CMainMenu::SaveGameFile()
{
    RecordFinishedResult();
    return WriteSavedGame();
}

bool CMainMenu::WriteSavedGame() const
{
    CKeyValueFile file;
    BuildSavedGame(file, m_game.Get());
    return NUserFiles::Save(file, SavedGamePath(), kSavedGameKey, kSavedGameKeyLength, "The game");
}

void CMainMenu::SaveGameNow() const
{
    const uint32_t state = NRandom::GetState();
    WriteSavedGame(); // a failure is logged and shown by the writer
    NRandom::Seed(state);
}

std::unique_ptr<NGame::CGame> CMainMenu::RestoreGame(const CKeyValueFile& file, CTopTable* topTable)
{
    auto game = std::make_unique<NGame::CGame>(0, topTable);
    if (!game->LoadGame(file))
        return nullptr;
    return game;
}

void CMainMenu::LoadGameFile()
{
    // Whatever the file holds, no other game stays held.
    m_game.Drop();
    CKeyValueFile file;
    if (!NUserFiles::Load(file, SavedGamePath(), kSavedGameKey, kSavedGameKeyLength, "menudata.gamename"))
        return;
    if (!file.HasKey("gamedata.gametype"))
        return;                        // a finished game left nothing to continue
    NGame::CGameResources::Instance(); // a game is near
    HoldGame(RestoreGame(file, m_top_table.get()));
}
} // namespace NInterface
