// End-to-end harness: runs the real start-up, frame, window and GL context with
// a script of input events delivered at given frames, and captures frames.
// Each harness works in a fresh temporary folder (working folder and per-user
// data folder) that it removes again. One harness per test process.
//
//   NE2e::CHarness harness;                  // temp working and data folders
//   harness.WriteFile("mui/bgs/intro.jpg", NE2e::MakeJpeg(1024, 1024, colour));
//   ASSERT_TRUE(harness.Start());            // real start-up: window, GL, intro
//   auto* screen = harness.Show(std::make_unique<CMyScreen>()); // optional: the screen under test
//   harness.LButtonDown(3, 120, 80);         // before frame 3 is drawn
//   harness.Capture(5, "after-click");       // frame 5 -> e2e-shots/<test>-after-click.png
//   harness.Quit(6);
//   harness.Run();
//   EXPECT_TRUE(NE2e::Near(harness.GetCapture("after-click")->At(120, 80), {255, 0, 0}));
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/Program.h"
#include "platform/EventSource.h"
#include "tests/e2e/Image.h"

class CApplication;
class CScreen;

namespace NE2e
{
class CHarness : public NPlatform::IEventSource
{
public:
    CHarness();
    ~CHarness() override;

    // The program's working folder (data files go here) and per-user folder.
    const std::string& GetWorkDir() const { return m_work_dir; }
    std::string GetDataFolder() const;
    // Writes a file under the working folder, making its folders.
    bool WriteFile(const std::string& relativePath, const std::vector<uint8_t>& bytes);

    // Script. frame = how many frames have been drawn when the event arrives,
    // so an event at frame N is handled before frame N is drawn. Mouse
    // positions are client pixels of the window as it is at that moment.
    // A change of the real window's size (by the window manager, xdotool or
    // full screen) reaches the frame as it would from the desktop.
    void KeyDown(int frame, int virtualKey);
    void Char(int frame, uint16_t character);
    void MouseMove(int frame, int x, int y);
    void LButtonDown(int frame, int x, int y);
    void LButtonUp(int frame, int x, int y);
    void RButtonDown(int frame, int x, int y); // held for the input state only
    void RButtonUp(int frame, int x, int y);
    void HoldModifiers(int frame, uint32_t mkFlags); // kMkShift / kMkControl
    void Activate(int frame, bool active);        // frame 0: active (already scheduled)
    void ToggleFullScreen(int frame);             // F11 or Alt+Enter
    void Close(int frame, bool altF4);
    void Quit(int frame);

    // After frame N is drawn (before the swap): keep it as `name` and save it
    // as <build>/e2e-shots/<test>-<name>.png.
    void Capture(int frame, const std::string& name);
    // After frame N is drawn: run a check or an action.
    void At(int frame, std::function<void()> action);
    const SImage* GetCapture(const std::string& name) const;
    std::string GetShotPath(const std::string& name) const;

    // The real start-up (window, GL, intro screen). False without a display.
    // Without a settings file in the per-user folder the window is 800 x 600,
    // not the full screen a fresh install opens in.
    bool Start();
    // The main loop until the script quits or closes, at most maxFrames frames.
    int Run(int maxFrames = 600);
    void Shutdown();
    // Forgets every scripted event, capture and action, so a harness can start
    // the program again (frames count from 0 in every run).
    void ClearScript();

    CProgram& GetProgram() { return m_program; }
    CApplication* GetApp() const;
    // Pushes a screen the test made and shows it at once; the frame owns it.
    template <class T>
    T* Show(std::unique_ptr<T> screen)
    {
        T* shown = screen.get();
        PushAndApply(std::move(screen));
        return shown;
    }
    void PushAndApply(std::unique_ptr<CScreen> screen);
    int GetFramesRun() const { return m_frames_run; }

    // NPlatform::IEventSource
    bool Poll(NPlatform::SEvent& event) override;
    void GetCursorDesktop(int& x, int& y) override;
    uint32_t GetHeldFlags() override;

    static bool HasDisplay();

private:
    enum class EKind
    {
        Message,
        MouseMessage,
        RightDown,
        Modifiers,
    };
    struct SStep
    {
        int frame = 0;
        EKind kind = EKind::Message;
        NPlatform::SEvent event;
        uint32_t flags = 0;
    };
    void Add(int frame, EKind kind, const NPlatform::SEvent& event, uint32_t flags = 0);
    void Mouse(int frame, NPlatform::EEventType type, int x, int y);
    void OnFrame(int frame);
    static void KeepGraphicsLibrariesLoaded();

    std::string m_root;
    std::string m_work_dir;
    std::string m_previous_dir;
    std::string m_previous_xdg;
    bool m_had_xdg = false;
    std::vector<SStep> m_script; // kept in frame order
    size_t m_next = 0;
    std::multimap<int, std::string> m_captures;
    std::multimap<int, std::function<void()>> m_actions;
    std::map<std::string, SImage> m_images;
    int m_cursor_x = 0;
    int m_cursor_y = 0;
    uint32_t m_held = 0;
    int m_frames_run = 0;
    int m_max_frames = 0;
    bool m_started = false;
    CProgram m_program;
};

// The generated data set linked beside the program, as run.sh has it, and
// settings for a windowed 800 x 600 start at (40, 30). False when the settings
// cannot be saved.
bool InstallDataSet(CHarness& harness, bool hints);
} // namespace NE2e
