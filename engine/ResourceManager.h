// Reads named data files whole: from the open resource pack when it holds the
// name, else from the loose file. A missing file gives an empty buffer, never an error.
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

    CFileBuffer Load(const std::string& name) const;

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
    static CFileBuffer LoadLooseFile(const std::string& path);
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

    std::string m_pack_path;
    std::string m_pack_key;
    std::map<std::string, SEntry> m_entries;
};

// The program-wide resource manager; null in tests and tools that run without one.
CResourceManager* GetResourceManager();
void SetResourceManager(CResourceManager* resourceManager);
