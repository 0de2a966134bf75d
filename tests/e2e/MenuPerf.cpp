// Side-by-side figures for the menu against a bare window on the same X server:
//   zonvel_menu_perf menu   the real start-up with the data set; prints the
//                           wall-clock time of the menu's first frame, resident
//                           memory at the menu, and processor time per second
//                           while active and while inactive;
//   zonvel_menu_perf bare   a window with a GL context drawing one full-window
//                           textured quad per 16 ms frame: memory and processor time.
// Run from the build folder; tools/menu_perf.sh runs both and a reference program.
#include "engine/AppSettings.h"
#include "engine/GLHeaders.h"
#include "interface/MainMenu.h"
#include "platform/Clock.h"
#include "platform/DataFolder.h"
#include "platform/Window.h"
#include "tests/e2e/Harness.h"
#include "tests/e2e/MenuArt.h"

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace
{
double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double WallSeconds()
{
    return std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch()).count();
}

double SteadySeconds()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

long ResidentKb()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::atol(line.c_str() + 6);
    return -1;
}

// CPU share of one core over an interval.
struct SInterval
{
    double cpu = 0, wall = 0;
    void Begin()
    {
        cpu = CpuSeconds();
        wall = SteadySeconds();
    }
    double Share() const { return (CpuSeconds() - cpu) / (SteadySeconds() - wall) * 100.0; }
};

int RunMenu()
{
    NE2e::CHarness harness;
    std::error_code ignored;
    for (const char* folder : {"mui", "dat", "music", "wav", "web"})
        std::filesystem::create_directory_symlink(NE2e::BuildFolder() + "/" + folder,
                                                  harness.GetWorkDir() + "/" + folder, ignored);
    CAppSettings& settings = GetAppSettings();
    settings.m_data_folder = NPlatform::GetDataFolder();
    settings.m_full_screen = false;
    settings.m_window_width = 800;
    settings.m_window_height = 600;
    settings.Save();
    const double started = WallSeconds();
    if (!harness.Start())
        return 1;
    double firstFrame = 0;
    long resident = 0;
    SInterval active, inactive;
    double activeShare = 0, inactiveShare = 0;
    harness.At(0, [&] { firstFrame = WallSeconds(); });
    harness.At(60, [&] {
        resident = ResidentKb();
        active.Begin();
    });
    harness.At(360, [&] { activeShare = active.Share(); });
    harness.Activate(361, false);
    harness.At(370, [&] { inactive.Begin(); });
    harness.At(420, [&] { inactiveShare = inactive.Share(); });
    harness.Quit(421);
    harness.Run(500);
    harness.Shutdown();
    std::printf("menu first_frame_epoch %.3f start_to_first_frame_ms %.0f rss_kb %ld cpu_active_pct %.1f "
                "cpu_inactive_pct %.2f\n",
                firstFrame, (firstFrame - started) * 1000.0, resident, activeShare, inactiveShare);
    return 0;
}

int RunBare()
{
    if (!NPlatform::OpenWindow("bare", 0, 0, 800, 600))
        return 1;
    NPlatform::ShowWindow(true);
    NGL::SetContextAvailable(true);
    std::vector<uint8_t> pixels(1024 * 1024 * 4);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = static_cast<uint8_t>(i * 7);
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1024, 1024, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    glViewport(0, 0, 800, 600);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 800, 600, 0, -50, 50);
    glMatrixMode(GL_MODELVIEW);
    glEnable(GL_TEXTURE_2D);
    SInterval interval;
    long resident = 0;
    double share = 0;
    for (int frame = 0; frame < 360; ++frame)
    {
        const uint32_t t0 = NPlatform::GetTicks();
        glClear(GL_COLOR_BUFFER_BIT);
        glBegin(GL_TRIANGLE_STRIP);
        glTexCoord2f(0, 0);
        glVertex2f(0, 0);
        glTexCoord2f(0, 1);
        glVertex2f(0, 600);
        glTexCoord2f(1, 0);
        glVertex2f(800, 0);
        glTexCoord2f(1, 1);
        glVertex2f(800, 600);
        glEnd();
        NPlatform::SwapWindow();
        if (frame == 60)
        {
            resident = ResidentKb();
            interval.Begin();
        }
        const uint32_t now = NPlatform::GetTicks();
        if (now - t0 < 16)
            NPlatform::SleepMs(16 - (now - t0) + 1);
    }
    share = interval.Share();
    glDeleteTextures(1, &texture);
    NGL::SetContextAvailable(false);
    NPlatform::CloseWindow();
    std::printf("bare rss_kb %ld cpu_active_pct %.1f\n", resident, share);
    return 0;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "bare") == 0)
        return RunBare();
    return RunMenu();
}
