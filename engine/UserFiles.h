// Reading and writing the per-user files (settings, saved game, top table).
// A file that is there but cannot be read is moved aside, never overwritten;
// every failed write is logged with its reason, and the first failure of a
// run (or having no per-user folder at all) leaves one notice for the player.
#pragma once

#include <string>

class CKeyValueFile;

namespace NUserFiles
{
// Reads an enciphered file. False when it is missing or unreadable; an
// unreadable one is renamed to path + ".bad" (the next write would destroy
// it) and the log says so. The cipher takes any bytes, so a file counts as
// read only when its text holds a key beginning with keyPrefix, which every
// file the game writes does.
bool Load(CKeyValueFile& file, const std::string& path, const char* cipherKey, int keyLength,
          const std::string& keyPrefix);

// Writes an enciphered file whole or not at all. On failure the log gets
// "<what> not saved: <reason>" and the player's notice is raised. An empty
// path (no per-user folder) writes nothing and says nothing more.
bool Save(const CKeyValueFile& file, const std::string& path, const char* cipherKey, int keyLength,
          const char* what);

// The one line to show the player; only the first notice of a run counts.
void RaiseNotice(const std::string& text);
// The notice waiting to be shown, handed out once; empty when none waits.
std::string TakeNotice();
// Forgets that a notice was given (a new run, in tests).
void ResetNotice();

constexpr const char* kNotSavedNotice = "Your progress could not be saved: the disk is full or read-only";
constexpr const char* kNoFolderNotice = "No folder to save in: nothing of this game will be kept";
} // namespace NUserFiles
