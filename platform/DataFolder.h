// The per-user folder for settings, log, saved game and top table, after the
// XDG base directory rules: XDG_DATA_HOME when it is an absolute path, else
// HOME/.local/share; without either there is no folder and nothing is kept.
// Also the folder the program itself was started from.
#pragma once

#include <string>

namespace NPlatform
{
// The folder the per-user data lives below ("$XDG_DATA_HOME" or
// "$HOME/.local/share"), from the two variables' values (null when unset).
// Empty or relative values are ignored; empty when neither is usable.
std::string ChooseDataHome(const char* xdgDataHome, const char* home);
// data home + "Quarnwick/Zonvel/", created (mode 0700) if needed; the path
// ends in '/'. Empty when there is no usable data home or it cannot be made.
std::string GetDataFolder();
// The folder that holds the running executable, links resolved; the path
// ends in '/'. Empty if the system cannot tell.
std::string GetProgramFolder();
} // namespace NPlatform
