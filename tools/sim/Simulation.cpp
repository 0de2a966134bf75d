#include "Simulation.h"

#include "engine/Random.h"
#include "game/AIPlayer.h"
#include "game/Field.h"
#include "game/GameResources.h"
#include "game/MovingPlayer.h"
#include "game/Player.h"

#include <cstdio>
#include <memory>
#include <vector>

namespace NSim
{
namespace
{
constexpr float kDt = 16.0f;
constexpr int kMaxFramesPerLevel = 400000;
constexpr int kMaxMovingMoves = 400;
// A move that adds no cell to either zone is possible (a pass, a side walled
// in); this many in a row means the game is stuck.
constexpr int kMaxMovesWithoutProgress = 100;
constexpr int kMaxStateOneFrames = 3; // a side given the turn on an idle field moves (or passes) at once
const char* const kSetNames[3] = {"classic", "duel", "moving"};

int LevelCount(int gameType)
{
    NGame::CGameResources* resources = NGame::GetGameResources();
    return resources ? resources->GetLevelCount(gameType) : 1;
}

// 1 for every cell of the connected same-colour region around the start cell.
std::vector<char> ZoneMask(const NGame::CHexGrid& grid, const std::vector<int>& snapshot, int start)
{
    std::vector<int> marked = snapshot;
    grid.Flood(marked, start, -100);
    std::vector<char> zone(marked.size(), 0);
    if (snapshot[start] < 0)
        return zone; // a hole or nothing: no zone at all
    for (size_t i = 0; i < marked.size(); ++i)
        zone[i] = marked[i] == -100;
    return zone;
}

int ZonedCells(const NGame::CBoard& board, const NGame::CPlayer& a, const NGame::CPlayer& b)
{
    return board.ZoneSize(a.GetStartRow(), a.GetStartColumn()) +
           board.ZoneSize(b.GetStartRow(), b.GetStartColumn());
}
} // namespace

CSimulation::CSimulation(const SOptions& options) : m_options(options), m_human_random(options.seed) {}

int CSimulation::DifficultyForLevel(int level)
{
    if (level < 30)
    {
        static constexpr int kByMod13[13] = {0, 1, 0, 1, 1, 2, 2, 2, 3, 3, 4, 4, 5};
        return kByMod13[level % 13];
    }
    if (level < 60)
    {
        static constexpr int kByMod10[10] = {1, 1, 2, 2, 3, 3, 4, 4, 5, 5};
        return kByMod10[level % 10];
    }
    if (level < 85)
    {
        static constexpr int kByMod4[4] = {2, 4, 5, 5};
        return kByMod4[level % 4];
    }
    return 5;
}

void CSimulation::Violation(int gameType, int level, int difficulty, const std::string& what)
{
    ++m_violations;
    std::fprintf(stderr, "VIOLATION set=%s level=%d difficulty=%d: %s\n", kSetNames[gameType], level,
                 difficulty, what.c_str());
}

void CSimulation::Stall(int gameType, int level, int difficulty, const std::string& what)
{
    ++m_stalls;
    Violation(gameType, level, difficulty, what);
}

void CSimulation::OpenMoveCheck(SMoveCheck& check, const NGame::CBoard& board, int mover,
                                const NGame::CPlayer& moverSide, const NGame::CPlayer& otherSide) const
{
    const NGame::CHexGrid& grid = board.GetGrid();
    check.open = true;
    check.mover = mover;
    board.Snapshot(check.before);
    check.moverZone =
        ZoneMask(grid, check.before, grid.Index(moverSide.GetStartRow(), moverSide.GetStartColumn()));
    check.otherZone =
        ZoneMask(grid, check.before, grid.Index(otherSide.GetStartRow(), otherSide.GetStartColumn()));
}

void CSimulation::CloseMoveCheck(SMoveCheck& check, const NGame::CBoard& board,
                                 const NGame::CPlayer& moverSide, const NGame::CPlayer& otherSide,
                                 int gameType, int level, int difficulty)
{
    check.open = false;
    ++m_moves_checked;
    const NGame::CHexGrid& grid = board.GetGrid();
    std::vector<int> after;
    board.Snapshot(after);
    const char* mover = check.mover == 0 ? "human" : "computer";
    auto broken = [&](const std::string& what)
    { Violation(gameType, level, difficulty, std::string("after a move of the ") + mover + ": " + what); };
    if (after.size() != check.before.size())
        return broken("the board changed its size");

    for (size_t i = 0; i < after.size(); ++i)
        if (after[i] != NGame::CField::kHole && (after[i] < 0 || after[i] >= NGame::CField::kColourCount))
            return broken("cell " + std::to_string(i) + " holds " + std::to_string(after[i]));

    const int moverStart = grid.Index(moverSide.GetStartRow(), moverSide.GetStartColumn());
    const int otherStart = grid.Index(otherSide.GetStartRow(), otherSide.GetStartColumn());
    if (after[moverStart] < 0 || after[otherStart] < 0)
        return broken("a start cell is not playable");
    const std::vector<char> moverZone = ZoneMask(grid, after, moverStart);
    const std::vector<char> otherZone = ZoneMask(grid, after, otherStart);
    for (size_t i = 0; i < after.size(); ++i)
        if (check.moverZone[i] && !moverZone[i])
            return broken("the mover's zone lost cell " + std::to_string(i));

    // Only the moving game lets a side take the other's colour; there the
    // zones may join and the other zone is then the mover's own.
    if (moverZone[otherStart])
    {
        if (gameType != NGame::CGameResources::kMoving)
            broken("the zones joined");
        return;
    }
    for (size_t i = 0; i < after.size(); ++i)
    {
        if (check.otherZone[i] && !otherZone[i])
            return broken("the other zone lost cell " + std::to_string(i));
        // Repainted outside the mover's old zone: captured.
        if (check.moverZone[i] || after[i] == check.before[i])
            continue;
        bool touches = otherZone[i] != 0;
        for (int neighbour : grid.Neighbours(static_cast<int>(i)))
            touches = touches || (neighbour != NGame::CHexGrid::kNoCell && otherZone[neighbour]);
        if (touches)
            return broken("captured cell " + std::to_string(i) + " touches the other zone");
    }
}

void CSimulation::Trace(const NGame::CField& field, int gameType, bool human, int strength, int colour,
                        const std::string& before, const std::string& after) const
{
    // The field-state text holds only digits and spaces: nothing to escape.
    std::printf(
        "{\"level\":%d,\"set\":\"%s\",\"mover\":\"%s\",\"strength\":%d,\"colour\":%d,\"before\":\"%s\","
        "\"after\":\"%s\"}\n",
        field.GetLevelNumber(), kSetNames[gameType], human ? "human" : "computer", strength, colour,
        before.c_str(), after.c_str());
}

int CSimulation::ChooseHumanColour(const NGame::CBoard& board, const NGame::CPlayer& human)
{
    bool present[NGame::CBoard::kColourCount] = {};
    for (int r = 0; r < board.GetRows(); ++r)
        for (int c = 0; c < board.RowLength(r); ++c)
        {
            const int colour = board.ColourAt(r, c);
            if (colour >= 0)
                present[colour] = true;
        }
    const bool moving = dynamic_cast<const NGame::CMovingPlayer*>(&human) != nullptr;
    std::vector<int> choices;
    for (int colour = 0; colour < NGame::CBoard::kColourCount; ++colour)
    {
        const bool mayPick = moving ? colour != human.GetZoneColour() : board.IsColourAllowed(colour);
        if (present[colour] && mayPick)
            choices.push_back(colour);
    }
    if (choices.empty())
        return -1;
    if (m_options.randomHuman)
        return choices[std::uniform_int_distribution<size_t>(0, choices.size() - 1)(m_human_random)];
    // Greedy: the colour that makes the zone largest, ties to the lowest. In
    // the moving game the zone is measured as the shift leaves it: column 0
    // falls off and the next cell of the middle row becomes the start.
    const NGame::CHexGrid& grid = board.GetGrid();
    const int start = grid.Index(human.GetStartRow(), human.GetStartColumn());
    std::vector<int> snapshot;
    int best = -1, bestSize = -1;
    for (int colour : choices)
    {
        board.Snapshot(snapshot);
        grid.Flood(snapshot, start, colour);
        int size = 0;
        if (moving)
        {
            for (int r = 0; r < board.GetRows(); ++r)
                snapshot[grid.Index(r, 0)] = NGame::CBoard::kHole;
            const int next = grid.Index(human.GetStartRow(), human.GetStartColumn() + 1);
            size = snapshot[next] == colour ? grid.RegionSize(snapshot, next) : 0;
        }
        else
        {
            size = grid.RegionSize(snapshot, start);
        }
        if (size > bestSize)
        {
            bestSize = size;
            best = colour;
        }
    }
    return best;
}

void CSimulation::CheckTextRoundTrip(const NGame::CField& field, int gameType, int level, int difficulty)
{
    // Loading the recorded text into another field must give the same text back.
    const uint32_t state = NRandom::GetState();
    NGame::CField copy(NGame::CGameResources::GetLevelDirectory(gameType), LevelCount(gameType),
                       gameType == 1);
    if (!copy.LoadFieldState(field.GetFieldState()) || copy.FormatFieldState() != field.GetFieldState())
        Violation(gameType, level, difficulty, "field-state text does not round-trip");
    NRandom::Seed(state);
}

SLevelResult CSimulation::PlayLevel(int gameType, int level, int difficulty, int& money, int& lives)
{
    SLevelResult result;
    const bool moving = gameType == NGame::CGameResources::kMoving;
    NGame::CField field(NGame::CGameResources::GetLevelDirectory(gameType), LevelCount(gameType),
                        gameType == 1);
    field.GoToLevel(level);
    const int mid = field.GetRows() / 2, last = field.GetColumns() - 1;
    std::unique_ptr<NGame::CPlayer> human;
    if (moving)
        human = std::make_unique<NGame::CMovingPlayer>(mid, 0, &field);
    else
        human = std::make_unique<NGame::CPlayer>(mid, 0, &field);
    NGame::CAIPlayer computer(mid, last, &field, moving ? 0 : difficulty);
    human->AddMoney(money - human->GetMoney());
    human->SetLives(lives);
    NGame::CPlayer* sides[2] = {human.get(), &computer};
    int current = 0;
    human->SetState(NGame::CPlayer::kMayMove);

    bool judged = false;
    // Judged the moment the field becomes full, as the game does (the moving
    // game shifts once more afterwards).
    auto judge = [&]()
    {
        judged = true;
        result.humanZone = field.ZoneSize(mid, 0);
        result.computerZone = field.ZoneSize(mid, last);
        result.won = result.humanZone >= result.computerZone;
        // In the moving game the refilled start cell of the computer may join the
        // human's zone: there the two zones together must cover the field.
        int zonedTotal = result.humanZone + result.computerZone;
        if (moving)
        {
            std::vector<int> snapshot;
            field.Snapshot(snapshot);
            const NGame::CHexGrid& grid = field.GetGrid();
            zonedTotal = grid.Flood(snapshot, grid.Index(mid, 0), -4);
            if (snapshot[grid.Index(mid, last)] >= 0)
                zonedTotal += grid.Flood(snapshot, grid.Index(mid, last), -4);
        }
        if (field.IsFull() && zonedTotal != field.CountPlayableCells())
            Violation(gameType, level, difficulty,
                      "zones " + std::to_string(result.humanZone) + " + " +
                          std::to_string(result.computerZone) + " do not add up to " +
                          std::to_string(field.CountPlayableCells()) + " playable cells");
    };
    SMoveCheck check;
    bool checkedText = false;
    int stateOneFrames = 0, movesWithoutProgress = 0;
    int zoned = ZonedCells(field.GetBoard(), *human, computer);
    // A moving level fills only when the zones take the whole board while a
    // fresh column enters after every move; it may never happen, which the
    // rules allow, so such a level is counted as unfinished, not as a fault.
    const int maxMoves = moving ? kMaxMovingMoves : 4 * field.CountPlayableCells() + 50;
    while (!(field.IsFull() && field.IsIdle()))
    {
        if (++result.frames > kMaxFramesPerLevel || result.moves > maxMoves)
        {
            if (moving && result.moves > maxMoves)
            {
                ++m_unfinished;
                if (m_options.verbose)
                    std::fprintf(stderr, "moving level %d not filled after %d moves\n", level, result.moves);
            }
            else
            {
                Stall(gameType, level, difficulty, "level did not end within bounds");
            }
            break;
        }
        NGame::CPlayer& side = *sides[current];
        const bool turnOpen =
            side.GetState() == NGame::CPlayer::kMayMove && field.IsIdle() && !field.IsFull();
        std::string before;
        if (turnOpen && m_options.trace)
            before = field.FormatFieldState();
        if (turnOpen && !check.open)
            OpenMoveCheck(check, field.GetBoard(), current, side, *sides[1 - current]);

        // The human's click arrives before the frame's update, as window messages do.
        if (turnOpen && current == 0)
        {
            const int colour = ChooseHumanColour(field.GetBoard(), side);
            if (colour >= 0)
            {
                int row = -1, col = -1;
                for (int r = 0; r < field.GetRows() && row < 0; ++r)
                    for (int c = 0; c < field.RowLength(r); ++c)
                        if (field.ColourAt(r, c) == colour)
                        {
                            row = r;
                            col = c;
                            break;
                        }
                const CVector4 centre = field.CellCentre(row, col);
                side.OnClick(static_cast<int>(centre.x), static_cast<int>(centre.y));
                if (side.GetState() != NGame::CPlayer::kMoved)
                    Violation(gameType, level, difficulty, "human click on an allowed colour was refused");
                else
                {
                    ++result.moves;
                    if (m_options.trace)
                        Trace(field, gameType, true, computer.GetStrength(), colour, before,
                              field.FormatFieldState());
                }
            }
        }

        field.Update(kDt);
        if (field.IsFull() && !judged)
            judge();
        const int stateBefore = side.GetState();
        side.Update();
        if (current == 1 && stateBefore == NGame::CPlayer::kMayMove &&
            side.GetState() == NGame::CPlayer::kMoved)
        {
            ++result.moves;
            if (m_options.trace)
                Trace(field, gameType, false, computer.GetStrength(), field.ColourAt(mid, last), before,
                      field.FormatFieldState());
        }
        if (current == 0 && stateBefore == NGame::CPlayer::kMayMove &&
            side.GetState() == NGame::CPlayer::kWaiting)
            ++m_passes;

        if (!checkedText && field.IsIdle())
        {
            checkedText = true;
            CheckTextRoundTrip(field, gameType, level, difficulty);
        }

        // A side holding the turn on an idle, unfinished field must act at once.
        if (side.GetState() == NGame::CPlayer::kMayMove && field.IsIdle() && !field.IsFull())
        {
            if (++stateOneFrames > kMaxStateOneFrames)
            {
                Stall(gameType, level, difficulty, current == 0 ? "human stalls" : "computer stalls");
                break;
            }
        }
        else
        {
            stateOneFrames = 0;
        }

        // Turn change, as the game gives it.
        if (side.GetState() == NGame::CPlayer::kWaiting)
        {
            if (check.open)
                CloseMoveCheck(check, field.GetBoard(), side, *sides[1 - current], gameType, level,
                               difficulty);
            const int now = ZonedCells(field.GetBoard(), *human, computer);
            movesWithoutProgress = now > zoned ? 0 : movesWithoutProgress + 1;
            zoned = now;
            if (movesWithoutProgress > kMaxMovesWithoutProgress)
            {
                Stall(gameType, level, difficulty, "no zone grows any more");
                break;
            }
            if (moving)
            {
                field.RecordFieldState();
                side.SetState(NGame::CPlayer::kMayMove);
                field.StartShift(1);
            }
            else
            {
                current = (current + 1) % 2;
                if (current == 0)
                    field.RecordFieldState();
                field.SetCellLit(sides[current]->GetStartRow(), sides[current]->GetStartColumn(), true);
                sides[current]->SetState(NGame::CPlayer::kMayMove);
            }
        }
    }

    // The move that filled the field leaves its side in "moved".
    if (check.open && field.IsFull() && field.IsIdle())
        CloseMoveCheck(check, field.GetBoard(), *sides[check.mover], *sides[1 - check.mover], gameType, level,
                       difficulty);
    if (!judged)
        judge();
    for (int r = 0; r < field.GetRows(); ++r)
        for (int c = 0; c < field.RowLength(r); ++c)
        {
            const int colour = field.ColourAt(r, c);
            if (colour != NGame::CField::kHole && (colour < 0 || colour >= NGame::CField::kColourCount))
                Violation(gameType, level, difficulty, "cell without a colour");
        }
    money = human->GetMoney();
    lives = human->GetLives();
    ++m_levels_played;
    m_frames += result.frames;
    m_moves += result.moves;
    m_human_wins += result.won;
    if (m_options.verbose)
        std::fprintf(stderr, "%s level %d difficulty %d: human %d computer %d, %d moves, %d frames\n",
                     kSetNames[gameType], level, difficulty, result.humanZone, result.computerZone,
                     result.moves, result.frames);
    return result;
}

SLevelResult CSimulation::PlayOneLevel(int gameType, int level, int difficulty)
{
    int money = NGame::CPlayer::kStartMoney, lives = NGame::CPlayer::kStartLives;
    return PlayLevel(gameType, level, difficulty, money, lives);
}

void CSimulation::RunLevels(int gameType)
{
    for (int level = m_options.firstLevel; level <= m_options.lastLevel; ++level)
    {
        const int first = m_options.difficulty >= 0 ? m_options.difficulty : 0;
        const int last = m_options.difficulty >= 0 ? m_options.difficulty : 5;
        for (int difficulty = first; difficulty <= last; ++difficulty)
        {
            int money = NGame::CPlayer::kStartMoney, lives = NGame::CPlayer::kStartLives;
            PlayLevel(gameType, level, difficulty, money, lives);
        }
    }
}

void CSimulation::RunSoak()
{
    // Set fastest, then difficulty, then level in strides of 37 (prime to 100),
    // so a short run already spans the sets, strengths and board sizes; the
    // first 1800 levels meet every combination once, later rounds get other
    // boards from the running random state.
    constexpr int kLevelsPerSet = 100, kDifficulties = 6, kLevelStride = 37;
    for (int i = m_options.soakFrom; i < m_options.soakFrom + m_options.soak; ++i)
    {
        const int gameType = i % 3;
        const int difficulty = (i / 3) % kDifficulties;
        const int level = (i / (3 * kDifficulties)) * kLevelStride % kLevelsPerSet;
        int money = NGame::CPlayer::kStartMoney, lives = NGame::CPlayer::kStartLives;
        PlayLevel(gameType, level, difficulty, money, lives);
        const int played = i + 1 - m_options.soakFrom;
        if (m_options.verbose && played % 1000 == 0)
            std::fprintf(stderr, "soak: %d levels, %lld moves checked, %d violations\n", played,
                         m_moves_checked, m_violations);
    }
}

void CSimulation::RunGame(int gameType)
{
    NGame::CGameResources* resources = NGame::GetGameResources();
    const int lifePrice = resources ? resources->GetPrice(NGame::CGameResources::kPriceLife) : 100;
    int money = NGame::CPlayer::kStartMoney, lives = NGame::CPlayer::kStartLives;
    int level = m_options.firstLevel, replays = 0;
    while (level <= m_options.lastLevel)
    {
        const int difficulty = m_options.difficulty >= 0 ? m_options.difficulty : DifficultyForLevel(level);
        const SLevelResult result = PlayLevel(gameType, level, difficulty, money, lives);
        if (gameType == NGame::CGameResources::kMoving || result.won)
        {
            ++level;
            replays = 0;
            continue;
        }
        if (lives > 0)
            --lives;
        else if (money >= lifePrice)
            money -= lifePrice; // the bought life is spent on the replay at once
        else
        {
            std::fprintf(stderr, "%s game over at level %d (money %d)\n", kSetNames[gameType], level, money);
            return;
        }
        if (++replays > 1000)
        {
            Violation(gameType, level, difficulty, "game never ends");
            return;
        }
    }
    std::fprintf(stderr, "%s game completed up to level %d with %d lives and %d cents\n", kSetNames[gameType],
                 m_options.lastLevel, lives, money);
}

int CSimulation::Run()
{
    NRandom::Seed(m_options.seed);
    if (m_options.soak > 0)
        RunSoak();
    for (int gameType = 0; gameType < 3 && m_options.soak == 0; ++gameType)
    {
        if (m_options.gameType >= 0 && gameType != m_options.gameType)
            continue;
        if (m_options.games > 0 && m_options.screen)
            for (int game = 0; game < m_options.games; ++game)
                RunScreenGame(gameType, game);
        else if (m_options.games > 0)
            for (int game = 0; game < m_options.games; ++game)
                RunGame(gameType);
        else
            RunLevels(gameType);
    }
    std::fprintf(
        stderr,
        "levels played %lld, moves %lld (checked %lld), frames %lld, human won %d, human passes %d, moving "
        "levels not filled %d, stalls %d, violations %d\n",
        m_levels_played, m_moves, m_moves_checked, m_frames, m_human_wins, m_passes, m_unfinished, m_stalls,
        m_violations);
    return m_violations;
}
} // namespace NSim
