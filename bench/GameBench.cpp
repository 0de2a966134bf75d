// Timings of the rules: the computer's move per strength on the smallest and
// the largest board, early and late in a level; a move (Fill); building a
// level; one whole simulated level. No window, no data set needed.
#include "Simulation.h"

#include "engine/Random.h"
#include "engine/ResourceManager.h"
#include "engine/Sprite.h"
#include "game/AIPlayer.h"
#include "game/Field.h"
#include "game/GameResources.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace
{
constexpr float kDt = 16.0f;
constexpr int kSmallestLevel = 6; // 18 columns
constexpr int kLargestLevel = 89; // 43 columns, the widest any level number gives

// Game resources with a 16-frame flower, as the simulator uses without a data set.
struct SResources
{
    SResources()
    {
        const std::string spr = "file_name none.tga\ngroups 8\nframes 16\n";
        manager.AddMemoryEntry("bench/skin01.spr", std::vector<uint8_t>(spr.begin(), spr.end()), false);
        flower.Load(&manager, "bench/skin01.spr");
        resources.SetSprite(NGame::CGameResources::kSpriteFlower, &flower);
        NGame::SetGameResources(&resources);
    }
    CResourceManager manager;
    CSprite flower;
    NGame::CGameResources resources;
};

SResources& Resources()
{
    static SResources resources;
    return resources;
}

void RunUntilIdle(NGame::CField& field)
{
    for (int i = 0; i < 100000 && !field.IsIdle(); ++i)
        field.Update(kDt);
}

// Phases of a level: early (fresh board), deep (the zones hold just under
// 40 %, the largest board the three-move search still sees) and late (the
// zones hold half the board).
enum EPhase
{
    kEarly = 0,
    kLate = 1,
    kDeep = 2,
};

// A level with both sides, played on by greedy moves of both to the phase.
struct SPosition
{
    SPosition(int level, int difficulty, int phase)
    {
        Resources();
        NRandom::Seed(12345);
        field = std::make_unique<NGame::CField>("bench/no-levels", 1, 0);
        field->GoToLevel(level);
        field->DeleteInsects();
        RunUntilIdle(*field);
        const int mid = field->GetMid();
        human = std::make_unique<NGame::CAIPlayer>(mid, 0, field.get(), 0);
        computer = std::make_unique<NGame::CAIPlayer>(mid, field->GetColumns() - 1, field.get(), difficulty);
        const float target = phase == kLate ? 0.5f : (phase == kDeep ? 0.33f : 0.0f);
        while (computer->ZoneRatio() < target && !field->IsFull())
        {
            for (NGame::CAIPlayer* side : {human.get(), computer.get()})
            {
                side->SetState(NGame::CPlayer::kMayMove);
                side->MakeMove();
                RunUntilIdle(*field);
            }
        }
    }
    std::unique_ptr<NGame::CField> field;
    std::unique_ptr<NGame::CAIPlayer> human; // the greedy strength-2 search stands in for the human
    std::unique_ptr<NGame::CAIPlayer> computer;
};

void ComputerMove(benchmark::State& state)
{
    const int difficulty = static_cast<int>(state.range(0));
    const int level = static_cast<int>(state.range(1));
    SPosition position(level, difficulty, static_cast<int>(state.range(2)));
    int colour = 0;
    for (auto _ : state)
    {
        colour = position.computer->ChooseColour();
        benchmark::DoNotOptimize(colour);
    }
    position.computer->SearchBestColour();
    state.counters["depth"] = position.computer->SearchDepth();
    state.counters["ratio"] = position.computer->ZoneRatio();
    state.counters["columns"] = position.field->GetColumns();
}
// Strengths 2, 4 and 5 are the difficulties 2, 3 and 5.
BENCHMARK(ComputerMove)
    ->ArgNames({"difficulty", "level", "phase"})
    ->ArgsProduct({{2, 3, 5}, {kSmallestLevel, kLargestLevel}, {kEarly, kLate}})
    ->Args({5, kSmallestLevel, kDeep})
    ->Args({5, kLargestLevel, kDeep})
    ->Unit(benchmark::kMicrosecond);

void Fill(benchmark::State& state)
{
    SPosition position(static_cast<int>(state.range(0)), 5, kLate);
    NGame::CField& field = *position.field;
    const int mid = field.GetMid();
    std::vector<int> saved;
    field.Snapshot(saved);
    const NGame::CHexGrid& grid = field.GetGrid();
    int colour = 0;
    for (auto _ : state)
    {
        state.PauseTiming();
        for (int i = 0; i < grid.GetCellCount(); ++i)
        {
            const int row = grid.RowOf(i), col = grid.ColumnOf(i);
            if (saved[i] >= 0)
                field.SetCellColour(row, col, saved[i]);
            field.GetCell(row, col)->SetChanged(false);
            field.SetCellCoin(row, col, -1);
        }
        field.GetCollectedCoins().clear();
        colour = 0;
        while (!field.IsColourAllowed(colour))
            ++colour;
        state.ResumeTiming();
        benchmark::DoNotOptimize(field.Fill(mid, 0, colour));
    }
}
BENCHMARK(Fill)->ArgName("level")->Arg(kSmallestLevel)->Arg(kLargestLevel)->Unit(benchmark::kMicrosecond);

void BuildLevel(benchmark::State& state)
{
    Resources();
    NRandom::Seed(1);
    NGame::CField field("bench/no-levels", 1, 0);
    const int level = static_cast<int>(state.range(0));
    for (auto _ : state)
        field.GoToLevel(level);
}
BENCHMARK(BuildLevel)
    ->ArgName("level")
    ->Arg(kSmallestLevel)
    ->Arg(kLargestLevel)
    ->Unit(benchmark::kMicrosecond);

void SimulatedLevel(benchmark::State& state)
{
    Resources();
    NSim::SOptions options;
    NSim::CSimulation simulation(options);
    const int level = static_cast<int>(state.range(0));
    NRandom::Seed(1);
    int frames = 0, moves = 0;
    for (auto _ : state)
    {
        const NSim::SLevelResult result = simulation.PlayOneLevel(0, level, 5);
        frames = result.frames;
        moves = result.moves;
    }
    state.counters["frames"] = frames;
    state.counters["moves"] = moves;
}
BENCHMARK(SimulatedLevel)
    ->ArgName("level")
    ->Arg(kSmallestLevel)
    ->Arg(kLargestLevel)
    ->Unit(benchmark::kMillisecond);
} // namespace

BENCHMARK_MAIN();
