// The game screen's own CPU per frame on the widest board (43 columns, level
// number 89): Update plus Render on the player's turn with the mouse resting
// on a cell, so the move preview floods its grids every frame. No window: the
// GL calls are skipped, so the driver's rasterising is left out. Reports the
// median and the 99th percentile of the frame times as counters.
#include "engine/Random.h"
#include "engine/ResourceManager.h"
#include "engine/Sprite.h"
#include "game/Field.h"
#include "game/Game.h"
#include "game/GameResources.h"
#include "game/Player.h"
#include "ui/Control.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

namespace
{
constexpr float kDt = 16.0f;
constexpr int kWidestLevel = 89;

void GameScreenFrame(benchmark::State& state)
{
    CResourceManager manager;
    const std::string spr = "file_name none.tga\ngroups 8\nframes 16\n";
    manager.AddMemoryEntry("bench/skin01.spr", std::vector<uint8_t>(spr.begin(), spr.end()), false);
    CSprite flower;
    flower.Load(&manager, "bench/skin01.spr");
    NGame::CGameResources resources;
    resources.SetSprite(NGame::CGameResources::kSpriteFlower, &flower);
    NGame::CGameResources* previous = NGame::GetGameResources();
    NGame::SetGameResources(&resources);
    NRandom::Seed(3);
    {
        NGame::CGame game(NGame::CGameResources::kClassic, nullptr);
        game.StartAtLevel(kWidestLevel);
        const NGame::CField& field = *game.GetField();
        for (int i = 0;
             i < 100000 && !(field.IsIdle() && game.GetPlayer()->GetState() == NGame::CPlayer::kMayMove); ++i)
            game.Update(kDt);
        // The cursor on the middle of the board: a cell of some colour the player may pick.
        int cx = 0, cy = 0;
        for (int c = field.GetColumns() / 2; c > 0 && cx == 0; --c)
            if (field.IsColourAllowed(field.ColourAt(field.GetMid(), c)))
            {
                const CVector4 centre = field.CellCentre(field.GetMid(), c);
                cx = static_cast<int>(centre.x);
                cy = static_cast<int>(centre.y);
            }
        CControl::SetCursorSource(
            [cx, cy](int& x, int& y)
            {
                x = cx;
                y = cy;
            });
        std::vector<double> times;
        times.reserve(1 << 16);
        for (auto _ : state)
        {
            const auto start = std::chrono::steady_clock::now();
            game.Update(kDt);
            game.Render();
            times.push_back(
                std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
        }
        std::sort(times.begin(), times.end());
        if (!times.empty())
        {
            state.counters["median_us"] = times[times.size() / 2];
            state.counters["p99_us"] = times[std::min(times.size() - 1, times.size() * 99 / 100)];
        }
        state.counters["columns"] = field.GetColumns();
        CControl::SetCursorSource(nullptr);
    }
    NGame::SetGameResources(previous);
}
BENCHMARK(GameScreenFrame)->Unit(benchmark::kMicrosecond)->MinTime(2.0);
} // namespace
