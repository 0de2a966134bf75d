// Flat key/value text files (layouts, data files, sprite descriptions and the
// enciphered per-user files). Readers never fail on a missing key: every getter takes a default.
#pragma once

#include "engine/Vector4.h"

#include <cstdint>
#include <map>
#include <string>

class CResourceManager;

class CKeyValueFile
{
  public:
    using Entries = std::map<std::string, std::string>;

    // False when the file cannot be opened (entries untouched) or, with a
    // cipher key, when the bytes cannot be deciphered.
    bool LoadFile(const std::string& path, bool clear = true, const char* cipherKey = nullptr,
                  int keyLength = 0);
    // Reads through the resource manager (straight from disk when null).
    bool LoadResource(CResourceManager* resourceManager, const std::string& name, bool clear = true,
                      const char* cipherKey = nullptr, int keyLength = 0);
    bool Parse(const uint8_t* bytes, size_t length, bool clear = true, const char* cipherKey = nullptr,
               int keyLength = 0);
    bool Parse(const std::string& text, bool clear = true);

    // Writes beside the target first (path + ".tmp", created anew: never
    // written through a link) and renames over it, so a failed write never
    // loses the previous file. False without writing anything when an
    // entry would not read back unchanged (see IsWritable). On failure,
    // 'failure' (when given) says what failed and why, for the log.
    bool SaveFile(const std::string& path, const char* cipherKey = nullptr, int keyLength = 0,
                  std::string* failure = nullptr) const;
    // The written form: one "key value" line per entry in key order.
    std::string BuildText() const;
    // Whether the written form reads back as exactly this pair: a key of
    // non-blank bytes, and no "//" (a comment) or quote the reader would take
    // as a delimiter.
    static bool IsWritable(const std::string& key, const std::string& value);
    bool IsWritable() const;

    std::string GetString(const std::string& key, const std::string& def) const;
    int GetInt(const std::string& key, int def) const;
    bool GetBool(const std::string& key, bool def) const;
    float GetFloat(const std::string& key, float def) const;
    // Position stored as name.x, name.y, name.z (missing components 0), w = 1.
    CVector4 GetVector(const std::string& name) const;

    void SetString(const std::string& key, const std::string& value);
    void SetInt(const std::string& key, int value);
    void SetFloat(const std::string& key, float value);

    bool HasKey(const std::string& key) const { return m_entries.count(key) != 0; }
    void Remove(const std::string& key) { m_entries.erase(key); }
    void Clear() { m_entries.clear(); }
    const Entries& GetEntries() const { return m_entries; }

  private:
    Entries m_entries;
};

// Conversions of a value string; text that is not a number gives 0.
int ToInt(const std::string& s);
bool ToBool(const std::string& s);
float ToFloat(const std::string& s);
