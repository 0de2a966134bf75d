// zonvel_loudness: how loud the music and the sound effects come out of the
// real program at a new player's settings. The program runs with the generated
// data set in a window, its sound going to SDL's disk driver, through a script:
// the menu for twenty seconds, Play, Start, then six moves on the board. The
// session is played three times: music alone (effects switched off), effects
// alone (music volume 0) and both, and the loudness of each part is printed.
//   zonvel_loudness [--keep DIR]    (under an X server; tools/loudness.sh runs it)
// --keep leaves the three recordings (raw 16-bit stereo, 44100 Hz) in DIR.
#include "app/Application.h"
#include "engine/AppSettings.h"
#include "engine/SoundManager.h"
#include "game/Field.h"
#include "game/Game.h"
#include "interface/CustomLevelWnd.h"
#include "interface/MainMenu.h"
#include "platform/DataFolder.h"
#include "tests/e2e/Harness.h"
#include "tests/e2e/MenuArt.h"
#include "ui/SimpleButton.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace
{
namespace fs = std::filesystem;

constexpr int kRate = 44100;
constexpr int kChannels = 2;
constexpr int kMenuFrames = 1200; // twenty seconds of menu music (its quiet opening and more) before the first click
constexpr int kMoveEveryFrames = 150;
constexpr int kMoves = 6;

enum class EPart
{
    Music,
    Effects,
    Mix,
};

// Sample positions (per channel) of the recording when the script reached them.
struct SMarks
{
    size_t menuFrom = 0, menuTo = 0, gameFrom = 0, end = 0;
};

struct SLevel
{
    double rmsDb = -120.0, peakDb = -120.0;
    int clipped = 0;
};

double Db(double linear)
{
    return linear > 0.0 ? 20.0 * std::log10(linear) : -120.0;
}

SLevel Measure(const std::vector<int16_t>& samples, size_t from, size_t to)
{
    from = std::min(from * kChannels, samples.size());
    to = std::min(to * kChannels, samples.size());
    SLevel level;
    double sum = 0.0;
    int peak = 0;
    for (size_t i = from; i < to; ++i)
    {
        const int s = samples[i];
        sum += static_cast<double>(s) * s;
        peak = std::max(peak, std::abs(s));
        if (s >= 32767 || s <= -32768)
            ++level.clipped;
    }
    if (to > from)
        level.rmsDb = Db(std::sqrt(sum / static_cast<double>(to - from)) / 32768.0);
    level.peakDb = Db(peak / 32768.0);
    return level;
}

// Where the disk driver has got to, in samples per channel.
size_t RecordedSamples(const std::string& raw)
{
    std::error_code error;
    const auto bytes = fs::file_size(raw, error);
    return error ? 0 : static_cast<size_t>(bytes) / (2 * kChannels);
}

void Click(NE2e::CHarness& harness, int frame, int x, int y)
{
    harness.MouseMove(frame, x, y);
    harness.LButtonDown(frame + 1, x, y);
    harness.LButtonUp(frame + 2, x, y);
}

void ClickButton(NE2e::CHarness& harness, int frame, const CSimpleButton& button)
{
    Click(harness, frame, static_cast<int>(button.GetPosition().x + button.GetWidth() / 2),
          static_cast<int>(button.GetPosition().y + button.GetHeight() / 2));
}

// A click on the first cell whose colour the player may take.
void PlayAMove(NE2e::CHarness& harness, int frame)
{
    harness.At(frame, [&harness, frame] {
        NGame::CGame* game = harness.GetProgram().GetMainMenu()->GetHeldGame();
        if (game == nullptr || harness.GetApp()->GetCurrentScreen() != game)
            return;
        const NGame::CField& field = *game->GetField();
        for (int r = 0; r < field.GetRows(); ++r)
            for (int c = 0; c < field.RowLength(r); ++c)
                if (field.IsColourAllowed(field.ColourAt(r, c)))
                {
                    const CVector4 centre = field.CellCentre(r, c);
                    Click(harness, frame + 1, static_cast<int>(centre.x), static_cast<int>(centre.y));
                    return;
                }
    });
}

// One scripted session; false when the program did not start or reach the game.
bool Record(EPart part, const std::string& raw, SMarks& marks)
{
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", raw.c_str(), 1);
    NE2e::CHarness harness;
    std::error_code ignored;
    for (const char* folder : {"mui", "dat", "music", "wav", "web"})
        fs::create_directory_symlink(NE2e::BuildFolder() + "/" + folder, harness.GetWorkDir() + "/" + folder,
                                     ignored);
    // A new player's settings, in a window, without the tutorial panels that
    // would take the first clicks on the board.
    CAppSettings& settings = GetAppSettings();
    settings = CAppSettings();
    settings.m_data_folder = NPlatform::GetDataFolder();
    settings.m_full_screen = false;
    settings.m_window_width = CAppSettings::kLogicalWidth;
    settings.m_window_height = CAppSettings::kLogicalHeight;
    settings.m_hints = false;
    if (!settings.Save() || !harness.Start())
        return false;
    CSoundManager* sound = GetSoundManager();
    NInterface::CMainMenu* menu = harness.GetProgram().GetMainMenu();
    if (sound == nullptr || !sound->IsDeviceOpen() || menu == nullptr)
        return false;
    if (part == EPart::Music)
        sound->SetSoundEnabled(false);
    else if (part == EPart::Effects)
        sound->SetMusicVolume(0);

    // The first second holds the start of the track; the menu is measured after it.
    harness.At(60, [&] { marks.menuFrom = RecordedSamples(raw); });
    harness.At(kMenuFrames, [&] { marks.menuTo = RecordedSamples(raw); });
    ClickButton(harness, kMenuFrames, *menu->GetGameButton());
    bool inGame = false;
    harness.At(kMenuFrames + 60, [&] {
        if (NInterface::CCustomLevelWnd* window = menu->GetCustomLevelWindow())
            ClickButton(harness, kMenuFrames + 61, *window->GetOkButton());
    });
    const int gameFrom = kMenuFrames + 120;
    harness.At(gameFrom, [&] {
        inGame = menu->GetHeldGame() != nullptr && harness.GetApp()->GetCurrentScreen() == menu->GetHeldGame();
        marks.gameFrom = RecordedSamples(raw);
    });
    for (int move = 0; move < kMoves; ++move)
        PlayAMove(harness, gameFrom + 60 + move * kMoveEveryFrames);
    const int last = gameFrom + 60 + kMoves * kMoveEveryFrames;
    harness.At(last, [&] { marks.end = RecordedSamples(raw); });
    harness.Quit(last + 1);
    harness.Run(last + 100);
    harness.Shutdown();
    return inGame;
}

std::vector<int16_t> ReadRaw(const std::string& raw)
{
    std::ifstream in(raw, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<int16_t> samples(bytes.size() / 2);
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<int16_t>(static_cast<uint8_t>(bytes[2 * i]) |
                                          (static_cast<uint8_t>(bytes[2 * i + 1]) << 8));
    return samples;
}
} // namespace

int main(int argc, char** argv)
{
    std::string keep;
    for (int i = 1; i < argc; ++i)
    {
        if (!std::strcmp(argv[i], "--keep") && i + 1 < argc)
            keep = argv[++i];
        else
        {
            std::fprintf(stderr, "usage: zonvel_loudness [--keep DIR]\n");
            return 2;
        }
    }
    if (!NE2e::CHarness::HasDisplay() || !NE2e::CMenuArt::IsDataSetBuilt())
    {
        std::fprintf(stderr, "zonvel_loudness needs an X display and the generated data set\n");
        return 1;
    }
    const std::string folder = keep.empty() ? fs::temp_directory_path().string() : keep;
    fs::create_directories(folder);
    const std::string tag = keep.empty() ? "-" + std::to_string(getpid()) : "";
    struct SRun
    {
        EPart part;
        const char* name;
        std::string raw;
        SMarks marks;
        std::vector<int16_t> samples;
    };
    std::vector<SRun> runs = {{EPart::Music, "music", {}, {}, {}},
                              {EPart::Effects, "effects", {}, {}, {}},
                              {EPart::Mix, "mix", {}, {}, {}}};
    for (SRun& run : runs)
    {
        run.raw = (fs::path(folder) / ("loudness-" + std::string(run.name) + tag + ".raw")).string();
        fs::remove(run.raw);
        if (!Record(run.part, run.raw, run.marks))
        {
            std::fprintf(stderr, "the %s session did not reach the game\n", run.name);
            return 1;
        }
        run.samples = ReadRaw(run.raw);
        if (keep.empty())
            fs::remove(run.raw);
    }

    const SRun& music = runs[0];
    const SRun& effects = runs[1];
    const SRun& mix = runs[2];
    const SLevel menuMusic = Measure(music.samples, music.marks.menuFrom, music.marks.menuTo);
    const SLevel gameMusic = Measure(music.samples, music.marks.gameFrom, music.marks.end);
    const SLevel gameEffects = Measure(effects.samples, effects.marks.gameFrom, effects.marks.end);
    const SLevel menuMix = Measure(mix.samples, mix.marks.menuFrom, mix.marks.menuTo);
    const SLevel gameMix = Measure(mix.samples, mix.marks.gameFrom, mix.marks.end);
    const double musicPeak = std::max(menuMusic.peakDb, gameMusic.peakDb);

    std::printf("At a new player's settings (music volume %d of 64, sounds on), dBFS:\n",
                CAppSettings().m_music_volume);
    std::printf("  music, menu         RMS %6.1f   peak %6.1f\n", menuMusic.rmsDb, menuMusic.peakDb);
    std::printf("  music, game         RMS %6.1f   peak %6.1f\n", gameMusic.rmsDb, gameMusic.peakDb);
    std::printf("  effects, %d moves                 peak %6.1f\n", kMoves, gameEffects.peakDb);
    std::printf("  both, menu          RMS %6.1f   peak %6.1f\n", menuMix.rmsDb, menuMix.peakDb);
    std::printf("  both, game          RMS %6.1f   peak %6.1f\n", gameMix.rmsDb, gameMix.peakDb);
    std::printf("  effects' peak above the music's peak: %+.1f dB\n", gameEffects.peakDb - musicPeak);
    std::printf("  clipped samples: %d\n", menuMix.clipped + gameMix.clipped);
    if (!keep.empty())
        std::printf("recordings: %s/loudness-{music,effects,mix}.raw (s16le, stereo, %d Hz)\n", keep.c_str(),
                    kRate);
    return 0;
}
