// zonvel_framecost: the whole process's CPU per frame at the frame's 60 fps in
// a real window, for the game screen on the widest board with the mouse on the
// field (--game) or for the same window drawing one full-window textured quad
// per frame and nothing else (--bare), in a window of the given size (800 x 600
// unless --size says otherwise). tools/framecost.sh runs them under Xvfb.
// --no-cache draws the whole board every frame, as before the board cache.
//   zonvel_framecost --game|--bare [--frames N] [--data DIR] [--size WxH] [--no-cache]
#include "app/Application.h"
#include "app/Program.h"
#include "engine/AppSettings.h"
#include "engine/GLHeaders.h"
#include "engine/ImageDecoder.h"
#include "engine/Texture.h"
#include "game/BoardCache.h"
#include "game/Field.h"
#include "game/Game.h"
#include "game/GameResources.h"
#include "game/Player.h"
#include "platform/Events.h"
#include "platform/Window.h"
#include "ui/Control.h"
#include "ui/Screen.h"
#include "ui/View.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

namespace
{
constexpr int kWidestLevel = 89;

double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The process's resident memory now (VmRSS), as the menu's measurement reads it.
double ResidentMegabytes()
{
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (!status)
        return 0.0;
    char line[256];
    double kilobytes = 0.0;
    while (std::fgets(line, sizeof line, status))
        if (std::sscanf(line, "VmRSS: %lf", &kilobytes) == 1)
            break;
    std::fclose(status);
    return kilobytes / 1024.0;
}

double ThreadCpuMicroseconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e6 + static_cast<double>(t.tv_nsec) / 1e3;
}

// The game screen timing its own Update and Render on the main thread: our
// code and the GL calls it makes; the driver's rasterising threads are not in it.
class CTimedGame : public NGame::CGame
{
  public:
    using CGame::CGame;
    void Update(float dt) override
    {
        const double start = ThreadCpuMicroseconds();
        CGame::Update(dt);
        m_frame = ThreadCpuMicroseconds() - start;
    }
    void Render() override
    {
        const double start = ThreadCpuMicroseconds();
        CGame::Render();
        m_times.push_back(m_frame + ThreadCpuMicroseconds() - start);
    }
    void Report() const
    {
        std::vector<double> times = m_times;
        if (times.empty())
            return;
        std::sort(times.begin(), times.end());
        std::printf("game: Update + Render on the main thread, median %.3f ms, 99th percentile %.3f ms\n",
                    times[times.size() / 2] / 1000.0,
                    times[std::min(times.size() - 1, times.size() * 99 / 100)] / 1000.0);
    }

  private:
    double m_frame = 0.0;
    std::vector<double> m_times;
};

// The reference: one textured quad over the whole window, as a bare window would draw.
class CQuadScreen : public CScreen
{
  public:
    CQuadScreen()
    {
        // A 256 x 256 checker, uploaded once.
        NImageDecoder::SImage image;
        image.width = image.height = 256;
        image.components = 4;
        image.pixels.resize(256 * 256 * 4);
        for (int i = 0; i < 256 * 256; ++i)
        {
            const uint8_t v = ((i % 256) / 32 + (i / 256) / 32) % 2 ? 200 : 60;
            image.pixels[i * 4] = v;
            image.pixels[i * 4 + 1] = v;
            image.pixels[i * 4 + 2] = 255 - v;
            image.pixels[i * 4 + 3] = 255;
        }
        m_texture.LoadImage(image, false, false);
    }
    void Render() override
    {
        CView::ApplyLogicalViewport();
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0.0, 800.0, 600.0, 0.0, -50.0, 50.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glEnable(GL_TEXTURE_2D);
        m_texture.Bind();
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        glBegin(GL_TRIANGLE_STRIP);
        glTexCoord2f(0.0f, 0.0f);
        glVertex2f(0.0f, 0.0f);
        glTexCoord2f(1.0f, 0.0f);
        glVertex2f(800.0f, 0.0f);
        glTexCoord2f(0.0f, 1.0f);
        glVertex2f(0.0f, 600.0f);
        glTexCoord2f(1.0f, 1.0f);
        glVertex2f(800.0f, 600.0f);
        glEnd();
    }

  private:
    CTexture m_texture;
};
} // namespace

int main(int argc, char** argv)
{
    bool game = false, bare = false;
    int frames = 1200;
    int width = 800, height = 600;
    std::string data = ".";
    for (int i = 1; i < argc; ++i)
    {
        if (!std::strcmp(argv[i], "--game"))
            game = true;
        else if (!std::strcmp(argv[i], "--bare"))
            bare = true;
        else if (!std::strcmp(argv[i], "--no-cache"))
            NGame::CBoardCache::SetEnabled(false);
        else if (!std::strcmp(argv[i], "--frames") && i + 1 < argc)
            frames = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--data") && i + 1 < argc)
            data = argv[++i];
        else if (!std::strcmp(argv[i], "--size") && i + 1 < argc)
        {
            if (std::sscanf(argv[++i], "%dx%d", &width, &height) != 2)
                width = 0;
        }
    }
    if (game == bare || frames <= 0 || width < NPlatform::kMinWindowWidth || height < NPlatform::kMinWindowHeight ||
        chdir(data.c_str()) != 0)
    {
        std::fprintf(stderr, "usage: zonvel_framecost --game|--bare [--frames N] [--data DIR] [--size WxH] [--no-cache]\n");
        return 2;
    }

    CAppSettings& settings = GetAppSettings();
    settings.m_full_screen = false;
    settings.m_hints = false;
    CProgram program;
    if (!program.Start())
        return 1;
    CApplication* app = CApplication::Instance();
    NPlatform::MoveWindow(0, 0, width, height);
    NPlatform::SEvent resized;
    resized.type = NPlatform::EEventType::Resize;
    resized.x = width;
    resized.y = height;
    app->HandleEvent(resized);

    std::unique_ptr<CScreen> screen;
    if (game)
    {
        NGame::CGameResources::Instance();
        auto gameScreen = std::make_unique<CTimedGame>(NGame::CGameResources::kClassic, nullptr);
        gameScreen->StartAtLevel(kWidestLevel);
        const NGame::CField& field = *gameScreen->GetField();
        // The mouse rests on a cell the player may pick, so the preview runs.
        int cx = 400, cy = 300;
        for (int c = field.GetColumns() / 2; c > 0; --c)
            if (field.IsColourAllowed(field.ColourAt(field.GetMid(), c)))
            {
                const CVector4 centre = field.CellCentre(field.GetMid(), c);
                cx = static_cast<int>(centre.x);
                cy = static_cast<int>(centre.y);
                break;
            }
        CControl::SetCursorSource(
            [cx, cy](int& x, int& y)
            {
                x = cx;
                y = cy;
            });
        screen = std::move(gameScreen);
    }
    else
        screen = std::make_unique<CQuadScreen>();
    const CScreen* measured = screen.get();
    app->PushScreen(std::move(screen));

    // Measured from the first frame on, so start-up is left out.
    double cpuStart = 0.0;
    auto wallStart = std::chrono::steady_clock::now();
    app->SetFrameObserver(
        [&](int frame)
        {
            if (frame == 0)
            {
                cpuStart = CpuSeconds();
                wallStart = std::chrono::steady_clock::now();
            }
            if (frame == frames)
                app->Quit();
        });
    program.Run();
    const double cpu = CpuSeconds() - cpuStart;
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
    std::printf("%s%s at %dx%d: %d frames, %.1f fps, process CPU %.3f ms per frame (%.1f %% of one core), "
                "resident %.1f MB\n",
                game ? "game" : "bare", game && !NGame::CBoardCache::IsEnabled() ? " uncached" : "",
                app->GetWindowWidth(), app->GetWindowHeight(), frames, frames / wall, cpu * 1000.0 / frames,
                100.0 * cpu / wall, ResidentMegabytes());
    if (game)
        static_cast<const CTimedGame*>(measured)->Report();
    app->SetFrameObserver(nullptr);
    CControl::SetCursorSource(nullptr);
    app->CloseAll();
    if (game)
        NGame::CGameResources::Release();
    program.Shutdown();
    return 0;
}
