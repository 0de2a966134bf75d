// The per-user folder for settings, log, saved game and top table. It follows
// XDG_DATA_HOME, which tests point at a temporary folder.
#pragma once

#include <string>

namespace NPlatform
{
// Creates the folder if needed; the path ends in '/'. Empty if it cannot be made.
std::string GetDataFolder();
} // namespace NPlatform
