// Whole games through the game screen's rules (CGame), without a window: the
// scripted player clicks cells, sometimes buys a bonus it can afford, and
// clicks on after every judged level until the game is over.
#include "Simulation.h"

#include "engine/KeyValueFile.h"
#include "game/Field.h"
#include "game/Game.h"
#include "game/GameResources.h"
#include "game/Player.h"
#include "ui/SimpleButton.h"

#include <algorithm>
#include <cstdio>
#include <tuple>
#include <vector>

namespace NSim
{
namespace
{
constexpr float kDt = 16.0f;
constexpr int kStallFrames = 10000;        // no progress for this long is a stall
constexpr long long kMaxFrames = 50000000; // a game of 100 levels needs far fewer
// A moving level can scroll on for ever without filling; the game then ends here.
constexpr int kMaxMovingMoves = 500;
const char* const kTypeNames[3] = {"classic", "duel", "moving"};

void ClickAt(NGame::CGame& game, int x, int y)
{
    game.OnLButtonDown(x, y, 0);
    game.OnLButtonUp(x, y, 0);
}

// One trace line with the saved-game keys as the game would write them now.
void TraceSavedGame(const NGame::CGame& game, int gameType, int gameIndex)
{
    CKeyValueFile file;
    game.SaveGame(file);
    std::string text;
    for (const char ch : file.BuildText())
    {
        if (ch == '\n')
            text += "\\n";
        else if (ch == '"' || ch == '\\')
            text += std::string("\\") + ch;
        else if (ch == '\r')
            text += "\\r";
        else
            text += ch;
    }
    std::printf("{\"set\":\"%s\",\"game\":%d,\"saved\":\"%s\"}\n", kTypeNames[gameType], gameIndex,
                text.c_str());
}
} // namespace

bool CSimulation::RunScreenGame(int gameType, int gameIndex)
{
    using NGame::CField;
    using NGame::CGame;
    using NGame::CPlayer;
    CGame game(gameType, nullptr);
    game.StartAtLevel(m_options.firstLevel);

    int levels = 0, won = 0, lost = 0, livesBought = 0, bonuses = 0;
    long long frames = 0;
    int quiet = 0;
    bool judged = false;
    int livesAtStart = game.GetPlayer()->GetLives();
    bool stalled = false;
    int levelMoves = 0;
    auto progress = [&game]
    {
        const CField& field = *game.GetField();
        const CPlayer& player = *game.GetPlayer();
        return std::make_tuple(game.GetLevelNumber(), field.GetState(), game.GetCurrentSide(),
                               player.GetState(), game.GetActiveBonuses().size(), player.GetMoney(),
                               field.ZoneSize(player.GetStartRow(), player.GetStartColumn()),
                               field.GetShiftCount());
    };
    auto last = progress();

    while (frames < kMaxFrames)
    {
        const CField& field = *game.GetField();
        // The screen closes itself once the last level has vanished.
        if (game.IsGameOver() && field.GetState() == CField::kGone)
            break;
        CPlayer& player = *game.GetPlayer();
        if (field.IsFull() && field.IsIdle() && game.GetActiveBonuses().empty())
        {
            if (!judged)
            {
                judged = true;
                ++levels;
                const bool levelLost =
                    gameType != NGame::CGameResources::kMoving && (game.IsLifeLost() || game.IsGameOver());
                levelLost ? ++lost : ++won;
                if (game.IsLifeLost() && livesAtStart == 0)
                    ++livesBought;
            }
            ClickAt(game, 400, 300);
        }
        else if (game.GetCurrentSide() == 0 && field.IsIdle() && !field.IsFull() &&
                 game.GetActiveBonuses().empty() && player.GetState() == CPlayer::kMayMove)
        {
            std::vector<int> affordable;
            for (int button = 0; button < CGame::kBonusCount; ++button)
                if (game.CanBuy(button))
                    affordable.push_back(button);
            const bool buy =
                !affordable.empty() && std::uniform_int_distribution<int>(0, std::max(1, m_options.buyOneIn) -
                                                                                 1)(m_human_random) == 0;
            if (buy)
            {
                const int button = affordable[std::uniform_int_distribution<size_t>(0, affordable.size() - 1)(
                    m_human_random)];
                const size_t before = game.GetActiveBonuses().size();
                game.OnControl(game.GetBonusButton(button));
                if (game.GetActiveBonuses().size() > before)
                    ++bonuses;
                else
                    Violation(gameType, game.GetLevelNumber(), -1, "an enabled bonus could not be bought");
            }
            else if (const int colour = ChooseHumanColour(field.GetBoard(), player); colour >= 0)
            {
                for (int r = 0, done = 0; r < field.GetRows() && !done; ++r)
                    for (int c = 0; c < field.RowLength(r); ++c)
                        if (field.ColourAt(r, c) == colour)
                        {
                            const CVector4 centre = field.CellCentre(r, c);
                            ClickAt(game, static_cast<int>(centre.x), static_cast<int>(centre.y));
                            done = 1;
                            break;
                        }
                if (player.GetState() == CPlayer::kMoved)
                {
                    ++m_moves;
                    ++levelMoves;
                }
                else
                    Violation(gameType, game.GetLevelNumber(), -1,
                              "a click on an allowed colour was refused");
            }
        }

        const int recordsBefore = game.GetField()->GetRecordCount();
        game.Update(kDt);
        game.Render(); // without a window this only steps the message fades
        ++frames;
        if (m_options.trace && game.GetField()->GetRecordCount() != recordsBefore)
            TraceSavedGame(game, gameType, gameIndex);
        if (m_options.verbose && frames % 100000 == 0)
            std::fprintf(stderr, "  frame %lld: level %d, field state %d, full %d, side %d, state %d\n",
                         frames, game.GetLevelNumber(), game.GetField()->GetState(),
                         game.GetField()->IsFull(), game.GetCurrentSide(), game.GetPlayer()->GetState());
        if (judged && game.GetField()->GetState() == CField::kAppearing)
        {
            judged = false;
            levelMoves = 0;
            livesAtStart = game.GetPlayer()->GetLives();
        }
        if (gameType == NGame::CGameResources::kMoving && levelMoves > kMaxMovingMoves)
        {
            ++m_unfinished;
            std::fprintf(stderr, "moving game %d: level %d not filled after %d moves\n", gameIndex,
                         game.GetLevelNumber(), levelMoves);
            break;
        }
        const auto now = progress();
        quiet = now == last ? quiet + 1 : 0;
        last = now;
        if (quiet >= kStallFrames)
        {
            stalled = true;
            ++m_stalls;
            Violation(gameType, game.GetLevelNumber(), -1, "no progress in 10000 frames");
            std::fprintf(stderr, "%s game %d stalled at level %d: field state %d, side %d\n",
                         kTypeNames[gameType], gameIndex, game.GetLevelNumber(), game.GetField()->GetState(),
                         game.GetCurrentSide());
            break;
        }
    }
    if (frames >= kMaxFrames)
        Violation(gameType, game.GetLevelNumber(), -1, "game never ends");
    m_levels_played += levels;
    m_frames += frames;
    std::fprintf(
        stderr,
        "%s game %d: levels played %d, won %d, lost %d, lives bought %d, bonuses bought %d, final score "
        "%d, last level %d, frames %lld%s\n",
        kTypeNames[gameType], gameIndex, levels, won, lost, livesBought, bonuses, game.GetTotalScore(),
        game.GetLevelNumber() + 1, frames, stalled ? ", STALLED" : "");
    return !stalled;
}
} // namespace NSim
