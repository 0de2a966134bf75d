#include "app/Program.h"

#include "engine/AppSettings.h"
#include "app/Application.h"
#include "app/BuildConfig.h"
#include "app/CommandLine.h"
#include "engine/Log.h"
#include "engine/PackKey.h"
#include "engine/ResourceGroup.h"
#include "engine/ResourceManager.h"
#include "engine/SoundManager.h"
#include "engine/Sprite.h"
#include "game/GameResources.h"
#include "interface/InterfaceResources.h"
#include "interface/Intro.h"
#include "interface/MainMenu.h"
#include "platform/DataFolder.h"
#include "platform/Mouse.h"
#include "platform/Window.h"
#include "ui/Screen.h"

#include <cstdio>
#include <string>

namespace
{
constexpr const char* kTitle = "Zonvel";
constexpr const char* kLogFile = "game.log";
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

    // Per-user folder and log first, so everything after can report there.
    // Without a per-user folder no log is kept: it must not land in the
    // working folder.
    settings.m_data_folder = NPlatform::GetDataFolder();
    if (!settings.m_data_folder.empty())
        CLog::Open(settings.m_data_folder + kLogFile);
    CLog::Write("%s", GetVersionLine());

    // Without data there is nothing to show: say so and open no window.
    std::string dataFolder;
    if (!m_dataFolders.empty())
    {
        dataFolder = CResourceManager::FindDataFolder(m_dataFolders);
        if (dataFolder.empty())
        {
            std::string looked;
            for (const std::string& folder : m_dataFolders)
                looked += (looked.empty() ? "" : ", ") + folder;
            const std::string message = std::string("No game data (") + CResourceManager::kPackFileName +
                                        ") found in " + looked;
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

    // Keep a window saved near the edge of a larger screen on this one.
    int screenWidth = 0, screenHeight = 0;
    NPlatform::GetScreenSize(screenWidth, screenHeight);
    if (screenWidth <= settings.m_window_width / 2 + settings.m_window_x)
        settings.m_window_x /= 2;
    if (screenHeight <= settings.m_window_height / 2 + settings.m_window_y)
        settings.m_window_y /= 2;

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

    // The intro shows while the rest loads.
    m_intro = std::make_unique<NInterface::CIntro>();
    app->PushScreen(m_intro.get());
    app->Render();
    app->Present();

    if (CSoundManager* sound = GetSoundManager())
    {
        sound->SetSoundEnabled(settings.m_sound);
        sound->SetMusicVolume(settings.m_music_volume);
        sound->SetSoundInvert(settings.m_sound_invert);
    }
    settings.m_music.Stop();

    NGame::CGameResources::Instance();

    // The menu replaces the intro as the only screen, then takes up the saved game.
    m_menu = std::make_unique<NInterface::CMainMenu>();
    app->CloseAll();
    app->PushScreen(m_menu.get());
    m_menu->LoadGameFile();
    m_intro.reset();

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
    g_running = this;
    NPlatform::SetDisplayLostHandler(&CProgram::OnDisplayLost);
    return true;
}

void CProgram::OnDisplayLost()
{
    CLog::Write("The connection to the display was lost");
    if (g_running && g_running->m_menu)
        g_running->m_menu->SaveGameFile();
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
    const int status = Start() ? Run() : kExitStartFailed;
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

    if (m_menu)
    {
        m_menu->SaveGameFile();
        if (app)
            app->CloseAll();
        m_menu.reset(); // writes the top table
    }
    NPlatform::SetDisplayLostHandler(nullptr);
    g_running = nullptr;
    NGame::CGameResources::Release();

    if (m_save_settings)
    {
        if (app)
        {
            settings.m_minimised = app->IsMinimized();
            settings.m_full_screen = app->IsFullScreen();
            int left = 0, top = 0, right = 0, bottom = 0;
            app->GetWindowRect(left, top, right, bottom);
            settings.m_window_x = left;
            settings.m_window_y = top;
        }
        if (CSoundManager* sound = GetSoundManager())
            settings.m_sound_invert = sound->IsSoundInvert();
        settings.Save();
    }
    settings.m_music.Stop();

    if (app)
    {
        app->ShowMainWindow(false);
        app->CloseAll();
    }
    CScreen::SetPointerSprite(nullptr);
    m_pointer.reset();
    NPlatform::ShowSystemCursor(true);
    m_intro.reset();
    CResourceGroup::DeleteGroup(kMainGroup);
    SetResourceManager(nullptr);
    m_resources.reset();
    CApplication::Destroy(); // window, sound, input and GL context, display mode
    CLog::Close();
}
