// Plays levels and whole games with the real rules classes, frame by frame
// at dt 16: the computer side against a scripted human. Checks invariants as
// it goes and counts every violation; the trace goes to standard output.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace NGame
{
class CBoard;
class CField;
class CPlayer;
} // namespace NGame

namespace NSim
{
struct SOptions
{
    int firstLevel = 0;
    int lastLevel = 99;
    int difficulty = -1; // -1: every difficulty (levels) or the game's table (games)
    uint32_t seed = 1;
    int games = 0;    // 0: play each level on its own
    int soak = 0;     // > 0: this many levels cycling through every set, level size and difficulty
    int soakFrom = 0; // where in that cycle to start, so runs in parallel can share it
    int gameType = 0; // 0 classic, 1 duel, 2 moving; -1 all three
    bool randomHuman = false;
    bool screen = false; // whole games through the game screen's rules
    int buyOneIn = 4;    // the scripted human buys on about one turn in this many
    bool trace = false;
    bool verbose = false;
};

struct SLevelResult
{
    bool won = false;
    int humanZone = 0;
    int computerZone = 0;
    int moves = 0;
    int frames = 0;
};

class CSimulation
{
  public:
    explicit CSimulation(const SOptions& options);

    // Runs what the options ask for; returns the number of violations.
    int Run();

    // Difficulty the game gives the computer for a level number.
    static int DifficultyForLevel(int level);

    // One level from its first frame to the frame it is full, with fresh sides.
    SLevelResult PlayOneLevel(int gameType, int level, int difficulty);
    int GetViolations() const { return m_violations; }

  private:
    // What a side's move must leave intact, taken as its turn opens.
    struct SMoveCheck
    {
        bool open = false;
        int mover = 0;
        std::vector<int> before;
        std::vector<char> moverZone;
        std::vector<char> otherZone;
    };

    void RunLevels(int gameType);
    void RunSoak();
    void OpenMoveCheck(SMoveCheck& check, const NGame::CBoard& board, int mover,
                       const NGame::CPlayer& moverSide, const NGame::CPlayer& otherSide) const;
    void CloseMoveCheck(SMoveCheck& check, const NGame::CBoard& board, const NGame::CPlayer& moverSide,
                        const NGame::CPlayer& otherSide, int gameType, int level, int difficulty);
    void Stall(int gameType, int level, int difficulty, const std::string& what);
    void RunGame(int gameType);
    // One game through CGame from its first level to game over (or the frame
    // budget), clicking and buying as a player would; false on a stall.
    bool RunScreenGame(int gameType, int game);
    SLevelResult PlayLevel(int gameType, int level, int difficulty, int& money, int& lives);
    int ChooseHumanColour(const NGame::CBoard& board, const NGame::CPlayer& human);
    void Trace(const NGame::CField& field, int gameType, bool human, int strength, int colour,
               const std::string& before, const std::string& after) const;
    void Violation(int gameType, int level, int difficulty, const std::string& what);
    void CheckTextRoundTrip(const NGame::CField& field, int gameType, int level, int difficulty);

    SOptions m_options;
    std::mt19937 m_human_random;
    int m_violations = 0;
    int m_stalls = 0;
    long long m_moves_checked = 0;
    long long m_levels_played = 0;
    long long m_frames = 0;
    long long m_moves = 0;
    int m_human_wins = 0;
    int m_passes = 0;
    int m_unfinished = 0;
};
} // namespace NSim
