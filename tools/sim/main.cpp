// zonvel_sim: plays levels or whole games with the real rules, no window.
//   --levels A-B  --difficulty N  --seed S  --games N  --set classic|duel|moving|all
//   --human greedy|random  --data DIR  --trace  --verbose
//   --screen: with --games, whole games through the game screen's rules, a
//             human who also buys bonuses, one summary line per game
//   --soak N [--soak-from K]  plays N levels cycling through every set, level size and
//                             difficulty, from place K of the cycle
// The trace (one JSON object per accepted move; with --screen, the saved-game
// keys each time the game records a position) is the only standard output;
// everything else goes to standard error. Exit status 1 on any violated invariant.
#include "Simulation.h"

#include "engine/AppSettings.h"
#include "engine/ResourceManager.h"
#include "engine/Sprite.h"
#include "game/GameResources.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace
{
int Usage()
{
    std::fprintf(stderr, "usage: zonvel_sim [--levels A-B] [--difficulty 0..5] [--seed S] [--games N]\n"
                         "                  [--set classic|duel|moving|all] [--human greedy|random]\n"
                         "                  [--data DIR] [--trace] [--verbose] [--screen] [--soak N] [--soak-from K]\n");
    return 2;
}

bool ParseInt(const char* text, int& value)
{
    char* end = nullptr;
    const long v = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || v < -1000000 || v > 1000000)
        return false;
    value = static_cast<int>(v);
    return true;
}

// The data set lies beside the program in the build folder; --data overrides.
std::filesystem::path DefaultDataFolder(const char* argv0)
{
    std::error_code error;
    std::filesystem::path exe = std::filesystem::canonical("/proc/self/exe", error);
    if (error)
        exe = argv0;
    return exe.parent_path();
}
} // namespace

int main(int argc, char** argv)
{
    NSim::SOptions options;
    std::filesystem::path data = DefaultDataFolder(argv[0]);
    for (int i = 1; i < argc; ++i)
    {
        const std::string arg = argv[i];
        const char* next = i + 1 < argc ? argv[i + 1] : nullptr;
        if (arg == "--trace")
            options.trace = true;
        else if (arg == "--screen")
            options.screen = true;
        else if (arg == "--verbose")
            options.verbose = true;
        else if (!next)
            return Usage();
        else if (arg == "--levels")
        {
            const std::string range = argv[++i];
            const size_t dash = range.find('-', 1);
            const std::string first = range.substr(0, dash);
            const std::string last = dash == std::string::npos ? first : range.substr(dash + 1);
            if (!ParseInt(first.c_str(), options.firstLevel) || !ParseInt(last.c_str(), options.lastLevel) ||
                options.firstLevel < 0 || options.lastLevel > 99 || options.firstLevel > options.lastLevel)
                return Usage();
        }
        else if (arg == "--difficulty")
        {
            if (!ParseInt(argv[++i], options.difficulty) || options.difficulty < 0 || options.difficulty > 5)
                return Usage();
        }
        else if (arg == "--seed")
        {
            int seed = 0;
            if (!ParseInt(argv[++i], seed))
                return Usage();
            options.seed = static_cast<uint32_t>(seed);
        }
        else if (arg == "--games")
        {
            if (!ParseInt(argv[++i], options.games) || options.games < 0)
                return Usage();
        }
        else if (arg == "--soak")
        {
            if (!ParseInt(argv[++i], options.soak) || options.soak < 1)
                return Usage();
        }
        else if (arg == "--soak-from")
        {
            if (!ParseInt(argv[++i], options.soakFrom) || options.soakFrom < 0)
                return Usage();
        }
        else if (arg == "--set")
        {
            const std::string set = argv[++i];
            if (set == "classic")
                options.gameType = 0;
            else if (set == "duel")
                options.gameType = 1;
            else if (set == "moving")
                options.gameType = 2;
            else if (set == "all")
                options.gameType = -1;
            else
                return Usage();
        }
        else if (arg == "--human")
        {
            const std::string human = argv[++i];
            if (human != "greedy" && human != "random")
                return Usage();
            options.randomHuman = human == "random";
        }
        else if (arg == "--data")
            data = argv[++i];
        else
            return Usage();
    }

    // Level masks, dat/game.txt and the flower sheet come from the data set
    // when it is there; without it every cell is playable and the flower has 16 frames.
    if (std::filesystem::is_directory(data / "dat") && chdir(data.c_str()) != 0)
        std::fprintf(stderr, "cannot enter %s\n", data.c_str());
    CResourceManager manager;
    SetResourceManager(&manager);
    NGame::CGameResources resources;
    resources.ReadGameData();
    CSprite flower;
    if (!std::filesystem::exists("dat/skin01.spr") || !flower.Load(&manager, "dat/skin01.spr") ||
        flower.GetFrameCount() < 2)
    {
        const std::string spr = "file_name none.tga\ngroups 8\nframes 16\n";
        manager.AddMemoryEntry("sim/skin01.spr", std::vector<uint8_t>(spr.begin(), spr.end()), false);
        flower.Load(&manager, "sim/skin01.spr");
    }
    resources.SetSprite(NGame::CGameResources::kSpriteFlower, &flower);
    NGame::SetGameResources(&resources);
    std::fprintf(stderr, "data: %s (flower %d frames; level files classic %d, duel %d, moving %d)\n",
                 std::filesystem::is_directory("dat") ? std::filesystem::current_path().c_str() : "none",
                 flower.GetFrameCount(), resources.GetLevelsClassic(), resources.GetLevelsDuel(),
                 resources.GetLevelsMoving());

    // No hint panels: the scripted player would only click them away.
    GetAppSettings().m_hints = false;
    NSim::CSimulation simulation(options);
    const int violations = simulation.Run();
    NGame::SetGameResources(nullptr);
    SetResourceManager(nullptr);
    std::fflush(stdout);
    return violations == 0 ? 0 : 1;
}
