// The program's start-up and shutdown: the program-wide objects are created
// in one fixed order and released in the reverse order. app/main.cpp and the
// end-to-end tests run exactly this sequence.
#pragma once

#include <memory>

class CResourceManager;
namespace NInterface
{
class CIntro;
}

class CProgram
{
public:
    CProgram();
    ~CProgram();
    CProgram(const CProgram&) = delete;
    CProgram& operator=(const CProgram&) = delete;

    // The whole run: start, main loop, shutdown. The process exit status:
    // 0, or kExitStartFailed when no window could be made.
    static constexpr int kExitStartFailed = 1;
    int Main();
    // Everything up to the main loop. False when no window could be made
    // (the reason is on stderr and in the log).
    bool Start();
    // The main loop; returns when the program is to end.
    int Run();
    // Saves what must be kept and releases everything; safe to call twice.
    void Shutdown();

    NInterface::CIntro* GetIntro() const { return m_intro.get(); }

private:
    std::unique_ptr<CResourceManager> m_resources;
    std::unique_ptr<NInterface::CIntro> m_intro;
    bool m_started = false;
    bool m_save_settings = true; // false after a failed start
};
