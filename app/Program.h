// The program's start-up and shutdown: the program-wide objects are created
// in one fixed order and released in the reverse order. app/main.cpp and the
// end-to-end tests run exactly this sequence.
//
// The services the layers below reach without being handed them, in the order
// Start makes or registers them (Shutdown undoes them in reverse):
//   settings        GetAppSettings()               engine, made on first use, loaded here
//   log             CLog::Open                     engine
//   resources       SetResourceManager             engine, owned here
//   frame           CApplication::Create / IFrame  app (window, GL context, input, stacks)
//   sound           SetSoundManager                engine, owned here, after the window
//   game pictures   NGame::CGameResources          game, made by the menu when a game is first near
//                                                  (a saved game, the custom level window); released here
//   main menu       pushed on the frame, which owns it and every screen over it
//   interface       NInterface::CInterfaceResources made by the main menu, which owns them
//   tool-tip font   CHint::SetFont                 ui, the interface resources' font
//   pointer sprite  CScreen::SetPointerSprite      ui, owned here
//   notice          CApplication::SetOverlay       app, owned by the frame
// The random generator (NRandom, engine) needs no making: the cipher reseeds it
// on every file it enciphers, and the board draws through the function it is given.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/InstanceLock.h"

class CAppSettings;
class CResourceManager;
class CSoundManager;
class CSprite;
namespace NInterface
{
class CMainMenu;
} // namespace NInterface

class CProgram
{
  public:
    CProgram();
    ~CProgram();
    CProgram(const CProgram&) = delete;
    CProgram& operator=(const CProgram&) = delete;

    // The folders to look for the game data in, in order. Without any, data
    // names are read from the working folder as they are (tests put their
    // own files there).
    void SetDataFolders(std::vector<std::string> folders) { m_data_folders = std::move(folders); }
    // Beside the program first, then the installed data folder.
    static std::vector<std::string> GetDataFolderCandidates(const std::string& programFolder);

    // The whole run: start, main loop, shutdown. The process exit status:
    // 0 (also when another copy already runs on the same per-user folder),
    // or kExitStartFailed when the start failed.
    static constexpr int kExitStartFailed = 1;
    int Main();
    // Everything up to the main loop. False when no data folder holds the
    // game data (then no window opens) or no window could be made; the
    // reason is on stderr and in the log.
    bool Start();
    // The main loop; returns when the program is to end.
    int Run();
    // Saves what must be kept and releases everything; safe to call twice.
    void Shutdown();

    // Whether the last Start stopped because another copy holds the per-user folder.
    bool IsAlreadyRunning() const { return m_already_running; }
    // Copies the running window's and sound's state into the settings, for a
    // save: minimised, full screen, place, sound invert.
    static void TakeLiveState(CAppSettings& settings);

    // The main menu from the end of the start to the shutdown; null once the
    // frame, which owns it, has let it go.
    NInterface::CMainMenu* GetMainMenu() const;

  private:
    // The display is gone: keep the held game, close the log; the process ends right after.
    static void OnDisplayLost();

    std::vector<std::string> m_data_folders;
    std::unique_ptr<CResourceManager> m_resources;
    std::unique_ptr<CSoundManager> m_sound;
    NInterface::CMainMenu* m_menu = nullptr;
    std::unique_ptr<CSprite> m_pointer;
    NPlatform::CInstanceLock m_lock;
    bool m_already_running = false;
    bool m_started = false;
    bool m_save_settings = true; // false after a failed start
};
