// The user's settings, kept in the enciphered dx.cfg in the data folder: loaded
// at start, written whenever an option or a best level changes and at exit.
// Screens read and change the fields directly.
#pragma once

#include <functional>
#include <string>

#include "engine/Music.h"
#include "engine/SoundManager.h"

class CAppSettings
{
public:
    static constexpr const char* kFileName = "dx.cfg";
    static constexpr const char* kCipherKey = "zup";
    static constexpr int kCipherKeyLength = 3;
    static constexpr int kLogicalWidth = 800;
    static constexpr int kLogicalHeight = 600;

    // Reads data folder + dx.cfg; a missing file keeps every field as it is.
    bool Load();
    // Writes data folder + dx.cfg (never losing the previous file on a failed
    // write). Refresh the window and sound fields below first.
    bool Save() const;
    // The window and sound fields refreshed from the running program (through
    // the source the program installed), then Save(): for a save mid-run.
    bool SaveNow();
    void SetLiveStateSource(std::function<void(CAppSettings&)> source);
    // Raises the best level of a game type (0 classic, else advanced) and
    // saves at once; false when the record already was as high.
    bool RaiseBestLevel(int gameType, int level);
    // data folder + name; empty without a per-user folder (nothing is kept then).
    std::string UserFilePath(const char* name) const;

    int m_window_width = 0;
    int m_window_height = 0;
    int m_window_x = 0;
    int m_window_y = 0;
    bool m_full_screen = true;
    // The program's one music playlist.
    NAudio::Music m_music;
    int m_back_key = 27;
    int m_confirm_key = 13;
    bool m_sound = true;
    bool m_hints = true;
    bool m_show_dragons = true;
    bool m_sound_invert = false;
    // Help for players who do not tell the colours apart: a mark on every
    // flower, a line around each side's zone. Both off for a new player.
    bool m_flower_symbols = false;
    bool m_outline_zones = false;
    int m_music_volume = CSoundManager::kDefaultMusicVolume; // the options window's slider, 0..64
    int m_classic_level = 3;
    int m_adv_level = 3;
    // Per-user folder, ending in '/'.
    std::string m_data_folder;

    // Refreshed by the frame before Save(): while minimised the window size
    // and position are left out of the file.
    bool m_minimised = false;

private:
    std::function<void(CAppSettings&)> m_live_state;
};

CAppSettings& GetAppSettings();
