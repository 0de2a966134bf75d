// Reads named data files whole: from the open resource pack when it holds the
// name, else from the loose file. A missing file gives an empty buffer, never an error.
// Loose names are relative to the base folder, the one place that says where the data is.
#pragma once

#include "engine/FileBuffer.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

class CResourceManager
{
  public:
    // Pack entry names must be shorter than this (the pack format's limit).
    static constexpr size_t kMaxNameLength = 100;
    static constexpr size_t kMaxKeyLength = 4096;
    // The pack's file name in a data folder.
    static constexpr const char* kPackFileName = "data.pk";

    CFileBuffer Load(const std::string& name) const;

    // The folder that data names are relative to; empty means the working
    // folder. A folder without a trailing '/' gets one.
    void SetBaseFolder(const std::string& folder);
    const std::string& GetBaseFolder() const { return m_base_folder; }
    // Where a data name lies on disk: base folder + name as written.
    std::string GetPath(const std::string& name) const { return m_base_folder + name; }

    // The first of the folders that holds the game data, in a pack or loose;
    // empty when none does.
    static std::string FindDataFolder(const std::vector<std::string>& candidates);

    void SetPackKey(const std::string& key) { m_pack_key = key; }
    const std::string& GetPackKey() const { return m_pack_key; }
    // False when the file cannot be opened or is not a pack. Entries whose
    // name or data run past the end of the file are dropped; those before stay.
    bool OpenPack(const std::string& path);
    const std::string& GetPackPath() const { return m_pack_path; }

    // Pack builder: adds (or replaces) an entry held in memory; false for an
    // empty name or one of kMaxNameLength bytes or more. Names are stored lower-cased.
    bool AddMemoryEntry(const std::string& name, std::vector<uint8_t> data, bool scrambled);
    // Writes every entry held in memory as a pack, scrambling the flagged ones
    // with the pack key; the held data stays plain.
    bool SavePack(const std::string& path) const;

    bool HasEntry(const std::string& name) const { return m_entries.count(NormaliseName(name)) != 0; }
    size_t GetEntryCount() const { return m_entries.size(); }
    std::vector<std::string> GetEntryNames() const;

    // Lower-case, backslashes to forward slashes.
    static std::string NormaliseName(const std::string& name);
    // The loose file of a data name below a folder ("" = the working folder).
    static CFileBuffer LoadLooseFile(const std::string& name, const std::string& folder = {});
    // Same operation scrambles and unscrambles; an empty key leaves data as it is.
    static void Scramble(uint8_t* data, size_t size, const std::string& key);

  private:
    struct SEntry
    {
        uint32_t size = 0;
        uint32_t offset = 0;
        uint8_t flag = 0;
        std::string name;
        // Set only for entries added by the pack builder.
        std::shared_ptr<const std::vector<uint8_t>> memory;
    };

    std::string m_base_folder;
    std::string m_pack_path;
    std::string m_pack_key;
    std::map<std::string, SEntry> m_entries;
};

// The program-wide resource manager; null in tests and tools that run without one.
CResourceManager* GetResourceManager();
void SetResourceManager(CResourceManager* resourceManager);
