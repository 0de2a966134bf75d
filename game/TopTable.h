// The seven best results of each kind of game, kept in the enciphered top7.tbl of
// the user's data folder. Once a file is opened, every new result is written at
// once, so a crash never loses a result. Names that the key/value writer cannot
// carry ('"' or "//") never reach the file.
#pragma once

#include <string>
#include <vector>

class CKeyValueFile;

namespace NGame
{
class CTopTable
{
  public:
    static constexpr int kPlaces = 7;
    static constexpr const char* kFileName = "top7.tbl";
    static constexpr const char* kCipherKey = "rvzuqt&!&2871";
    static constexpr int kCipherKeyLength = 13;
    static constexpr const char* kDefaultName = "Nemo";

    struct SRecord
    {
        std::string name;
        int points = 0;
    };

    // Every record starts with an empty name and 0 points; Load follows.
    explicit CTopTable(int tableCount);

    // Missing keys give "Nemo" and 0.
    void Load(const CKeyValueFile& file);
    void Save(CKeyValueFile& file) const;

    // Reads the enciphered table file (a missing or unreadable one gives the
    // "Nemo" tables) and keeps the path for the writes that follow.
    void Open(const std::string& path);
    // Writes every record to the opened path, replacing the old file only once
    // the new one is whole. False when nothing was opened or the write failed
    // (a failure is logged and the player told, see NUserFiles).
    bool Write() const;

    // Strictly more points than the seventh place.
    bool Qualifies(int table, int points) const;
    // The new record replaces the seventh and rises above records with fewer
    // points, so it ends below equal ones. Written at once when a file is open.
    void Add(int table, int points, const std::string& name);

    std::string GetName(int table, int place) const;
    int GetPoints(int table, int place) const;
    int GetTableCount() const { return static_cast<int>(m_tables.size()); }

    // Whether the key/value file carries the name unchanged: no '"' (values are
    // quoted without escapes) and no "//" (a comment even inside quotes).
    static bool IsStorableName(const std::string& name);
    // The name with every '"' and every '/' that follows another dropped.
    static std::string MakeStorable(const std::string& name);

  private:
    bool IsValid(int table, int place) const;

    std::vector<std::vector<SRecord>> m_tables;
    std::string m_path; // empty until Open
};
} // namespace NGame
