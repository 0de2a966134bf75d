// The per-user folder for settings, log, saved game and top table. It follows
// XDG_DATA_HOME, which tests point at a temporary folder. Also the folder the
// program itself was started from.
#pragma once

#include <string>

namespace NPlatform
{
// Creates the folder if needed; the path ends in '/'. Empty if it cannot be made.
std::string GetDataFolder();
// The folder that holds the running executable, links resolved; the path
// ends in '/'. Empty if the system cannot tell.
std::string GetProgramFolder();
} // namespace NPlatform
