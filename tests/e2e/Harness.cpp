#include "tests/e2e/Harness.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <dlfcn.h>
#include <link.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "app/Application.h"
#include "engine/AppSettings.h"
#include "engine/GLHeaders.h"
#include "platform/DataFolder.h"
#include "platform/Events.h"
#include "platform/Window.h"
#include "tests/e2e/MenuArt.h"

namespace NE2e
{
namespace fs = std::filesystem;

CHarness::CHarness()
{
    std::string pattern = (fs::temp_directory_path() / "zonvel-e2e-XXXXXX").string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (mkdtemp(buffer.data()))
        m_root = buffer.data();
    m_work_dir = m_root + "/work";
    fs::create_directories(m_work_dir);
    fs::create_directories(m_root + "/data");

    const char* xdg = std::getenv("XDG_DATA_HOME");
    m_had_xdg = xdg != nullptr;
    if (xdg)
        m_previous_xdg = xdg;
    setenv("XDG_DATA_HOME", (m_root + "/data").c_str(), 1);
    m_previous_dir = fs::current_path().string();
    fs::current_path(m_work_dir);

    fs::create_directories(ZONVEL_E2E_SHOTS_DIR);
    Activate(0, true);
}

CHarness::~CHarness()
{
    Shutdown();
    NPlatform::SetEventSource(nullptr);
    std::error_code ignored;
    fs::current_path(m_previous_dir, ignored);
    if (m_had_xdg)
        setenv("XDG_DATA_HOME", m_previous_xdg.c_str(), 1);
    else
        unsetenv("XDG_DATA_HOME");
    if (!m_root.empty())
        fs::remove_all(m_root, ignored);
}

std::string CHarness::GetDataFolder() const
{
    return m_root + "/data/Quarnwick/Zonvel/";
}

bool CHarness::WriteFile(const std::string& relativePath, const std::vector<uint8_t>& bytes)
{
    fs::path path = fs::path(m_work_dir) / relativePath;
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

void CHarness::Add(int frame, EKind kind, const NPlatform::SEvent& event, uint32_t flags)
{
    SStep step{frame, kind, event, flags};
    // Stable: steps of one frame keep the order they were scripted in.
    auto at = std::upper_bound(m_script.begin() + static_cast<std::ptrdiff_t>(m_next), m_script.end(), frame,
                               [](int f, const SStep& s) { return f < s.frame; });
    m_script.insert(at, step);
}

void CHarness::KeyDown(int frame, int virtualKey)
{
    NPlatform::SEvent event;
    event.type = NPlatform::EEventType::KeyDown;
    event.key = virtualKey;
    Add(frame, EKind::Message, event);
}

void CHarness::Char(int frame, uint16_t character)
{
    NPlatform::SEvent event;
    event.type = NPlatform::EEventType::Char;
    event.character = character;
    Add(frame, EKind::Message, event);
}

void CHarness::Mouse(int frame, NPlatform::EEventType type, int x, int y)
{
    NPlatform::SEvent event;
    event.type = type;
    event.x = x;
    event.y = y;
    Add(frame, EKind::MouseMessage, event);
}

void CHarness::MouseMove(int frame, int x, int y)
{
    Mouse(frame, NPlatform::EEventType::MouseMove, x, y);
}

void CHarness::LButtonDown(int frame, int x, int y)
{
    Mouse(frame, NPlatform::EEventType::LButtonDown, x, y);
}

void CHarness::LButtonUp(int frame, int x, int y)
{
    Mouse(frame, NPlatform::EEventType::LButtonUp, x, y);
}

void CHarness::RButtonDown(int frame, int x, int y)
{
    NPlatform::SEvent event;
    event.x = x;
    event.y = y;
    Add(frame, EKind::RightDown, event);
}

void CHarness::RButtonUp(int frame, int x, int y)
{
    Mouse(frame, NPlatform::EEventType::RButtonUp, x, y);
}

void CHarness::HoldModifiers(int frame, uint32_t mkFlags)
{
    Add(frame, EKind::Modifiers, NPlatform::SEvent(), mkFlags);
}

void CHarness::ToggleFullScreen(int frame)
{
    NPlatform::SEvent event;
    event.type = NPlatform::EEventType::ToggleFullScreen;
    Add(frame, EKind::Message, event);
}

void CHarness::Activate(int frame, bool active)
{
    NPlatform::SEvent event;
    event.type = NPlatform::EEventType::Activate;
    event.active = active;
    Add(frame, EKind::Message, event);
}

void CHarness::Close(int frame, bool altF4)
{
    NPlatform::SEvent event;
    event.type = NPlatform::EEventType::Close;
    event.f4Held = altF4;
    Add(frame, EKind::Message, event);
}

void CHarness::Quit(int frame)
{
    NPlatform::SEvent event;
    event.type = NPlatform::EEventType::Quit;
    Add(frame, EKind::Message, event);
}

void CHarness::Capture(int frame, const std::string& name)
{
    m_captures.emplace(frame, name);
}

void CHarness::At(int frame, std::function<void()> action)
{
    m_actions.emplace(frame, std::move(action));
}

const SImage* CHarness::GetCapture(const std::string& name) const
{
    auto it = m_images.find(name);
    return it == m_images.end() ? nullptr : &it->second;
}

std::string CHarness::GetShotPath(const std::string& name) const
{
    std::string test = "e2e";
    if (const auto* info = ::testing::UnitTest::GetInstance()->current_test_info())
        test = std::string(info->test_suite_name()) + "." + info->name();
    return std::string(ZONVEL_E2E_SHOTS_DIR) + "/" + test + "-" + name + ".png";
}

bool CHarness::HasDisplay()
{
    const char* display = std::getenv("DISPLAY");
    return display && *display;
}

void CHarness::PushAndApply(std::unique_ptr<CScreen> screen)
{
    GetApp()->PushScreen(std::move(screen));
    GetApp()->ApplyStackChanges();
}

CApplication* CHarness::GetApp() const
{
    return CApplication::Instance();
}

// The GL libraries keep memory referenced from their own globals; when they
// are unloaded with the window, a sanitizer build reports that memory as
// leaked. Keeping them loaded until the process ends keeps the report clean.
void CHarness::KeepGraphicsLibrariesLoaded()
{
    std::vector<std::string> names;
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void* data) {
            std::string name = info->dlpi_name ? info->dlpi_name : "";
            if (name.find("_dri.so") != std::string::npos || name.find("libGL") != std::string::npos)
                static_cast<std::vector<std::string>*>(data)->push_back(name);
            return 0;
        },
        &names);
    for (const std::string& name : names)
        dlopen(name.c_str(), RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
}

bool CHarness::Start()
{
    NPlatform::SetEventSource(this);
    m_started = true;
    // A fresh install opens in full screen, which now works on any screen;
    // without a settings file of its own a test means the 800 x 600 window.
    if (!fs::exists(GetDataFolder() + CAppSettings::kFileName))
        GetAppSettings().m_full_screen = false;
    if (!m_program.Start())
        return false;
    KeepGraphicsLibrariesLoaded();
    // The cursor starts in the middle of the window.
    NPlatform::SRect rect = NPlatform::GetWindowRect();
    m_cursor_x = (rect.left + rect.right) / 2;
    m_cursor_y = (rect.top + rect.bottom) / 2;
    GetApp()->SetFrameObserver([this](int frame) { OnFrame(frame); });
    return true;
}

int CHarness::Run(int maxFrames)
{
    CApplication* app = GetApp();
    if (!app)
        return -1;
    m_max_frames = app->GetFrameCount() + maxFrames;
    return m_program.Run();
}

void CHarness::Shutdown()
{
    if (!m_started)
        return;
    m_started = false;
    if (CApplication* app = GetApp())
        app->SetFrameObserver(nullptr);
    m_program.Shutdown();
    NPlatform::SetEventSource(nullptr);
    NPlatform::ClearPostedEvents();
}

void CHarness::ClearScript()
{
    m_script.clear();
    m_next = 0;
    m_captures.clear();
    m_actions.clear();
    Activate(0, true);
}

void CHarness::OnFrame(int frame)
{
    m_frames_run = frame + 1;
    auto captures = m_captures.equal_range(frame);
    for (auto it = captures.first; it != captures.second; ++it)
    {
        CApplication* app = GetApp();
        SImage image;
        // The whole drawable, margins and all.
        image.width = app->GetScreenMapping().GetDrawableWidth();
        image.height = app->GetScreenMapping().GetDrawableHeight();
        std::vector<uint8_t> bottomUp(static_cast<size_t>(image.width) * static_cast<size_t>(image.height) * 4);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadBuffer(GL_BACK);
        glReadPixels(0, 0, image.width, image.height, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
        image.rgba.resize(bottomUp.size());
        size_t row = static_cast<size_t>(image.width) * 4;
        for (int y = 0; y < image.height; ++y)
            std::copy_n(bottomUp.data() + static_cast<size_t>(image.height - 1 - y) * row, row,
                        image.rgba.data() + static_cast<size_t>(y) * row);
        SavePng(image, GetShotPath(it->second));
        m_images[it->second] = std::move(image);
    }
    auto actions = m_actions.equal_range(frame);
    for (auto it = actions.first; it != actions.second; ++it)
        it->second();
}

bool CHarness::Poll(NPlatform::SEvent& event)
{
    CApplication* app = GetApp();
    int frame = app ? app->GetFrameCount() : 0;
    if (m_max_frames > 0 && frame >= m_max_frames)
    {
        // A script that never ends the program must not hang the test.
        m_max_frames = 0;
        event = NPlatform::SEvent();
        event.type = NPlatform::EEventType::Quit;
        return true;
    }
    if (app && app->HasWindow())
    {
        // The desktop's own events are flushed while a script drives the
        // program; a new window size must still reach the frame.
        const NPlatform::SRect rect = NPlatform::GetWindowRect();
        const int width = rect.right - rect.left, height = rect.bottom - rect.top;
        if (width != app->GetWindowWidth() || height != app->GetWindowHeight())
        {
            event = NPlatform::SEvent();
            event.type = NPlatform::EEventType::Resize;
            event.x = width;
            event.y = height;
            return true;
        }
    }
    while (m_next < m_script.size() && m_script[m_next].frame <= frame)
    {
        const SStep& step = m_script[m_next++];
        NPlatform::SRect rect = NPlatform::GetWindowRect();
        switch (step.kind)
        {
        case EKind::Modifiers:
            m_held = (m_held & ~(NPlatform::kMkShift | NPlatform::kMkControl)) | step.flags;
            continue;
        case EKind::RightDown:
            m_cursor_x = rect.left + step.event.x;
            m_cursor_y = rect.top + step.event.y;
            m_held |= NPlatform::kMkRButton;
            continue;
        case EKind::MouseMessage:
            event = step.event;
            m_cursor_x = rect.left + event.x;
            m_cursor_y = rect.top + event.y;
            if (event.type == NPlatform::EEventType::LButtonDown)
                m_held |= NPlatform::kMkLButton;
            else if (event.type == NPlatform::EEventType::LButtonUp)
                m_held &= ~NPlatform::kMkLButton;
            else if (event.type == NPlatform::EEventType::RButtonUp)
                m_held &= ~NPlatform::kMkRButton;
            event.keyFlags = m_held;
            return true;
        case EKind::Message:
            event = step.event;
            return true;
        }
    }
    return false;
}

void CHarness::GetCursorDesktop(int& x, int& y)
{
    x = m_cursor_x;
    y = m_cursor_y;
}

uint32_t CHarness::GetHeldFlags()
{
    return m_held;
}

bool InstallDataSet(CHarness& harness, bool hints)
{
    std::error_code ignored;
    for (const char* folder : {"mui", "dat", "music", "wav", "web"})
        fs::create_directory_symlink(BuildFolder() + "/" + folder, harness.GetWorkDir() + "/" + folder, ignored);
    CAppSettings& settings = GetAppSettings();
    settings = CAppSettings();
    settings.m_data_folder = NPlatform::GetDataFolder();
    settings.m_full_screen = false;
    settings.m_window_width = 800;
    settings.m_window_height = 600;
    settings.m_window_x = 40;
    settings.m_window_y = 30;
    settings.m_hints = hints;
    return settings.Save();
}
} // namespace NE2e

// Leaks of the system libraries SDL starts (D-Bus) that the program cannot
// free: the leak checker of sanitizer builds ignores them.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libdbus-1.so\n";
}
