// The program's log, game.log in the data folder: emptied at start, and every
// line appended with the file opened and closed again so it survives a crash.
#pragma once

#include <string>

class CLog
{
  public:
    // Creates or empties the file; false if it cannot be created (later writes do nothing).
    static bool Open(const std::string& path);
    static void Write(const char* format, ...) __attribute__((format(printf, 1, 2)));
    // Writes the line "Closing Log".
    static void Close();
    static const std::string& GetPath();
};
