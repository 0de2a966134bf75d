#include "app/Program.h"

#include "app/Application.h"
#include "app/BuildConfig.h"
#include "app/CommandLine.h"
#include "app/WindowPlacement.h"
#include "engine/AppSettings.h"
#include "engine/Log.h"
#include "engine/PackKey.h"
#include "engine/ResourceGroup.h"
#include "engine/ResourceManager.h"
#include "engine/SoundManager.h"
#include "engine/Sprite.h"
#include "engine/UserFiles.h"
#include "game/GameResources.h"
#include "game/TopTable.h"
#include "interface/InterfaceResources.h"
#include "interface/Intro.h"
#include "interface/MainMenu.h"
#include "interface/Notice.h"
#include "platform/DataFolder.h"
#include "platform/InstanceLock.h"
#include "platform/Mouse.h"
#include "platform/Window.h"
#include "ui/Frame.h"
#include "ui/Screen.h"

#include <cstdio>
#include <string>

namespace
{
constexpr const char* kTitle = "Zonvel";
constexpr const char* kLogFile = "game.log";
constexpr const char* kLockFile = "zonvel.lock";
constexpr const char* kAlreadyRunning = "Zonvel is already running.";
constexpr const char* kMainGroup = "main";
// The program between a finished start and its shutdown.
CProgram* g_running = nullptr;
} // namespace

CProgram::CProgram() = default;

CProgram::~CProgram()
{
    Shutdown();
}

bool CProgram::Start()
{
    CAppSettings& settings = GetAppSettings();
    m_save_settings = true;
    m_already_running = false;

    // Per-user folder and log first, so everything after can report there.
    // Without a per-user folder nothing is kept, not even the log: nothing
    // may land in the working folder.
    settings.m_data_folder = NPlatform::GetDataFolder();
    NUserFiles::ResetNotice();
    std::string lockError;
    if (settings.m_data_folder.empty())
    {
        std::fprintf(stderr, "Zonvel: %s (XDG_DATA_HOME and HOME are unset, empty or relative)\n",
                     NUserFiles::kNoFolderNotice);
        NUserFiles::RaiseNotice(NUserFiles::kNoFolderNotice);
    }
    else
    {
        // A second copy on the same files would overwrite the first one's
        // results at its exit: it says so and leaves every file alone.
        switch (m_lock.Acquire(settings.m_data_folder + kLockFile))
        {
        case NPlatform::CInstanceLock::EResult::HeldElsewhere:
            settings.m_data_folder.clear();
            m_already_running = true;
            std::fprintf(stderr, "Zonvel: %s\n", kAlreadyRunning);
            NPlatform::ShowMessage(kTitle, kAlreadyRunning);
            return false;
        case NPlatform::CInstanceLock::EResult::Unavailable:
            lockError = m_lock.GetError();
            break;
        case NPlatform::CInstanceLock::EResult::Held:
            break;
        }
        CLog::Open(settings.m_data_folder + kLogFile);
    }
    CLog::Write("%s", GetVersionLine());
    if (!lockError.empty())
        CLog::Write("Running without the lock against a second copy: %s", lockError.c_str());

    // Without data there is nothing to show: say so and open no window.
    std::string dataFolder;
    if (!m_data_folders.empty())
    {
        dataFolder = CResourceManager::FindDataFolder(m_data_folders);
        if (dataFolder.empty())
        {
            std::string looked;
            for (const std::string& folder : m_data_folders)
                looked += (looked.empty() ? "" : ", ") + folder;
            const std::string message =
                std::string("No game data (") + CResourceManager::kPackFileName + ") found in " + looked;
            std::fprintf(stderr, "Zonvel: %s\n", message.c_str());
            CLog::Write("%s", message.c_str());
            return false;
        }
    }

    m_resources = std::make_unique<CResourceManager>();
    m_resources->SetBaseFolder(dataFolder);
    SetResourceManager(m_resources.get());
    CResourceGroup::CreateGroup(kMainGroup, m_resources.get());

    CApplication* app = CApplication::Create();
    app->SetLogicalSize(CAppSettings::kLogicalWidth, CAppSettings::kLogicalHeight);
    m_resources->SetPackKey(kPackKey);
    // Without a pack every file is read loose.
    m_resources->OpenPack(m_resources->GetPath(CResourceManager::kPackFileName));
    m_started = true;

    settings.m_window_width = app->GetLogicalWidth();
    settings.m_window_height = app->GetLogicalHeight();
    settings.Load();

    // Keep a window saved on a larger screen (or edited) on this one.
    int screenWidth = 0, screenHeight = 0;
    NPlatform::GetScreenSize(screenWidth, screenHeight);
    NPlatform::SRect usable;
    NPlatform::GetUsableArea(usable);
    const SWindowPlacement placed = PlaceWindow(
        {settings.m_window_x, settings.m_window_y, settings.m_window_width, settings.m_window_height},
        screenWidth, screenHeight, usable);
    settings.m_window_x = placed.x;
    settings.m_window_y = placed.y;
    settings.m_window_width = placed.width;
    settings.m_window_height = placed.height;

    if (!app->CreateMainWindow(kTitle, settings.m_window_x, settings.m_window_y, settings.m_window_width,
                               settings.m_window_height))
    {
        // Nothing of this run is worth keeping: the settings file stays as it was.
        m_save_settings = false;
        const std::string message = "Cannot create the window (" + NPlatform::GetOpenWindowError() + ")";
        std::fprintf(stderr, "Zonvel: %s\n", message.c_str());
        CLog::Write("%s", message.c_str());
        return false;
    }
    if (settings.m_full_screen)
        app->SetFullScreen(app->GetLogicalWidth(), app->GetLogicalHeight());
    m_sound = std::make_unique<CSoundManager>();
    SetSoundManager(m_sound.get());

    // The intro shows while the rest loads.
    app->PushScreen(std::make_unique<NInterface::CIntro>());
    app->ApplyStackChanges();
    app->Render();
    app->Present();

    if (CSoundManager* sound = GetSoundManager())
    {
        sound->SetSoundEnabled(settings.m_sound);
        sound->SetMusicVolume(settings.m_music_volume);
        sound->SetSoundInvert(settings.m_sound_invert);
    }
    settings.m_music.Stop();

    // The menu replaces the intro as the only screen, then takes up the saved game.
    auto menu = std::make_unique<NInterface::CMainMenu>();
    m_menu = menu.get();
    app->CloseAll();
    app->PushScreen(std::move(menu));
    app->ApplyStackChanges();
    m_menu->LoadGameFile();

    // The program draws its own pointer.
    if (CSprite* cursor = m_menu->GetResources()->GetCursor())
    {
        m_pointer = std::make_unique<CSprite>(*cursor);
        m_pointer->SetBlend(true);
        m_pointer->SetFlip(true);
        CScreen::SetPointerSprite(m_pointer.get());
    }
    if (CScreen::GetPointerSprite())
        NPlatform::ShowSystemCursor(false);
    // The notice of a failed save shows over every screen.
    app->SetOverlay(std::make_unique<NInterface::CNotice>());
    settings.SetLiveStateSource(&CProgram::TakeLiveState);
    g_running = this;
    NPlatform::SetDisplayLostHandler(&CProgram::OnDisplayLost);
    return true;
}

void CProgram::TakeLiveState(CAppSettings& settings)
{
    if (const IFrame* frame = IFrame::Instance())
    {
        settings.m_minimised = frame->IsMinimized();
        settings.m_full_screen = frame->IsFullScreen();
        // The windowed place and size, also from full screen: the next start
        // opens the window the player sized and goes full screen from there.
        int left = 0, top = 0, width = 0, height = 0;
        frame->GetWindowedRect(left, top, width, height);
        settings.m_window_x = left;
        settings.m_window_y = top;
        if (width > 0 && height > 0)
        {
            settings.m_window_width = width;
            settings.m_window_height = height;
        }
    }
    if (CSoundManager* sound = GetSoundManager())
        settings.m_sound_invert = sound->IsSoundInvert();
}

NInterface::CMainMenu* CProgram::GetMainMenu() const
{
    CApplication* app = CApplication::Instance();
    return app && app->Holds(m_menu) ? m_menu : nullptr;
}

void CProgram::OnDisplayLost()
{
    CLog::Write("The connection to the display was lost");
    // Everything a normal exit would keep: the held game, the top table and
    // the settings (the window's last known place needs no display).
    if (NInterface::CMainMenu* menu = g_running ? g_running->GetMainMenu() : nullptr)
    {
        menu->SaveGameFile();
        if (NGame::CTopTable* table = menu->GetTopTable())
            table->Write();
    }
    if (g_running && g_running->m_save_settings)
        GetAppSettings().SaveNow();
    CLog::Close();
}

std::vector<std::string> CProgram::GetDataFolderCandidates(const std::string& programFolder)
{
    if (programFolder.empty())
        return {};
    return {programFolder, programFolder + kDataFolderFromProgram};
}

int CProgram::Main()
{
    int status = kExitStartFailed;
    if (Start())
        status = Run();
    else if (m_already_running)
        status = 0; // not a failure: the game the player wanted is there
    Shutdown();
    return status;
}

int CProgram::Run()
{
    CApplication* app = CApplication::Instance();
    return app ? app->Run(&GetAppSettings().m_music) : 0;
}

void CProgram::Shutdown()
{
    if (!m_started)
        return;
    m_started = false;
    CAppSettings& settings = GetAppSettings();
    CApplication* app = CApplication::Instance();

    if (GetMainMenu())
    {
        m_menu->SaveGameFile();
        if (app)
            app->CloseAll(); // the menu goes last, writing the top table
        m_menu = nullptr;
    }
    NPlatform::SetDisplayLostHandler(nullptr);
    g_running = nullptr;
    NGame::CGameResources::Release();

    if (m_save_settings)
        settings.SaveNow();
    settings.SetLiveStateSource(nullptr);
    settings.m_music.Stop();

    if (app)
    {
        app->ShowMainWindow(false);
        app->CloseAll();
        app->SetOverlay(nullptr);
    }
    CScreen::SetPointerSprite(nullptr);
    m_pointer.reset();
    NPlatform::ShowSystemCursor(true);
    CResourceGroup::DeleteGroup(kMainGroup);
    SetResourceManager(nullptr);
    m_resources.reset();
    SetSoundManager(nullptr);
    m_sound.reset();
    CApplication::Destroy(); // window, input and GL context, display mode
    CLog::Close();
    m_lock.Release();
}
