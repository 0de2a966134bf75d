#include "engine/AppSettings.h"

#include "engine/KeyValueFile.h"
#include "engine/UserFiles.h"

#include <algorithm>

namespace
{
// Narrower sizes are taken as a damaged file.
constexpr int kMinWindowSide = 100;
// A best-level record is the level after the last one reached, so finishing
// the last level (99) records 100.
constexpr int kMaxBestLevel = 100;
} // namespace

CAppSettings& GetAppSettings()
{
    static CAppSettings settings;
    return settings;
}

bool CAppSettings::Load()
{
    m_window_width = kLogicalWidth;
    m_window_height = kLogicalHeight;

    CKeyValueFile file;
    // Every key of the file begins so ("x" and "y" are never written alone).
    if (!NUserFiles::Load(file, UserFilePath(kFileName), kCipherKey, kCipherKeyLength, "m_"))
        return false;

    m_window_width = ToInt(file.GetString("m_window_width", "0"));
    m_window_height = ToInt(file.GetString("m_window_height", "0"));
    m_window_x = ToInt(file.GetString("x", "0"));
    m_window_y = ToInt(file.GetString("y", "0"));
    if (m_window_width < kMinWindowSide)
        m_window_width = kLogicalWidth;
    if (m_window_height < kMinWindowSide)
        m_window_height = kLogicalHeight;
    // Only exactly 1 switches these on.
    m_sound = ToInt(file.GetString("m_sound", "1")) == 1;
    m_hints = ToInt(file.GetString("m_hints", "1")) == 1;
    m_show_dragons = file.GetBool("m_show_dragons", true);
    m_sound_invert = file.GetBool("m_sound_invert", false);
    m_flower_symbols = file.GetBool("m_flower_symbols", false);
    m_outline_zones = file.GetBool("m_outline_zones", false);
    m_full_screen = ToInt(file.GetString("m_is_full_screen_loaded", "1")) != 0;
    // Kept to their ranges: an edited file must not hand the screens a
    // volume or a level they cannot show. The options window has always
    // written its slider's 0..64 here; only older readers took up to 100,
    // which now means the slider's top, full volume.
    m_music_volume = std::clamp(ToInt(file.GetString("m_music_volume", "40")), 0, CSoundManager::kMaxMusicVolume);
    m_adv_level = std::clamp(ToInt(file.GetString("m_adv_level", "3")), 0, kMaxBestLevel);
    m_classic_level = std::clamp(ToInt(file.GetString("m_classic_level", "3")), 0, kMaxBestLevel);
    return true;
}

std::string CAppSettings::UserFilePath(const char* name) const
{
    return m_data_folder.empty() ? std::string() : m_data_folder + name;
}

void CAppSettings::SetLiveStateSource(std::function<void(CAppSettings&)> source)
{
    m_live_state = std::move(source);
}

bool CAppSettings::SaveNow()
{
    if (m_live_state)
        m_live_state(*this);
    return Save();
}

bool CAppSettings::RaiseBestLevel(int gameType, int level)
{
    int& record = gameType == 0 ? m_classic_level : m_adv_level;
    if (level <= record)
        return false;
    record = level;
    // On disk at once: a crash must not take the opened level away.
    SaveNow();
    return true;
}

bool CAppSettings::Save() const
{
    CKeyValueFile file;
    // While minimised the size and position are not meaningful: the next
    // start falls back on 800 x 600 at (0, 0).
    if (!m_minimised)
    {
        file.SetInt("m_window_width", m_window_width);
        file.SetInt("m_window_height", m_window_height);
        file.SetInt("x", m_window_x);
        file.SetInt("y", m_window_y);
    }
    file.SetInt("m_sound", m_sound ? 1 : 0);
    file.SetInt("m_hints", m_hints ? 1 : 0);
    file.SetInt("m_sound_invert", m_sound_invert ? 1 : 0);
    file.SetInt("m_is_full_screen_loaded", m_full_screen ? 1 : 0);
    file.SetInt("m_music_volume", m_music_volume);
    file.SetInt("m_show_dragons", m_show_dragons ? 1 : 0);
    file.SetInt("m_flower_symbols", m_flower_symbols ? 1 : 0);
    file.SetInt("m_outline_zones", m_outline_zones ? 1 : 0);
    file.SetInt("m_adv_level", m_adv_level);
    file.SetInt("m_classic_level", m_classic_level);
    return NUserFiles::Save(file, UserFilePath(kFileName), kCipherKey, kCipherKeyLength, "Settings");
}
