#include "engine/ResourceManager.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace
{
CResourceManager* g_resource_manager = nullptr;

constexpr uint8_t kScrambledFlag = 'y';
// Every data set holds this file; the game cannot start without it.
constexpr const char* kGameDataFile = "dat/game.txt";

bool ReadExactly(FILE* f, void* out, size_t size)
{
    return std::fread(out, 1, size, f) == size;
}

bool ReadU32(FILE* f, uint32_t& value)
{
    uint8_t b[4];
    if (!ReadExactly(f, b, 4))
        return false;
    value = static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 |
            static_cast<uint32_t>(b[2]) << 16 | static_cast<uint32_t>(b[3]) << 24;
    return true;
}

bool WriteU32(FILE* f, uint32_t value)
{
    uint8_t b[4] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                    static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)};
    return std::fwrite(b, 1, 4, f) == 4;
}

std::string ToLower(std::string s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

std::string ForwardSlashes(std::string s)
{
    std::replace(s.begin(), s.end(), '\\', '/');
    return s;
}

CFileBuffer ReadFile(const std::string& path)
{
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return {};
    std::vector<uint8_t> bytes;
    uint8_t chunk[16384];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof(chunk), f)) > 0)
        bytes.insert(bytes.end(), chunk, chunk + got);
    bool ok = !std::ferror(f);
    std::fclose(f);
    return ok ? CFileBuffer(std::move(bytes)) : CFileBuffer();
}
} // namespace

CResourceManager* GetResourceManager()
{
    return g_resource_manager;
}

void SetResourceManager(CResourceManager* resourceManager)
{
    g_resource_manager = resourceManager;
}

std::string CResourceManager::NormaliseName(const std::string& name)
{
    return ForwardSlashes(ToLower(name));
}

CFileBuffer CResourceManager::LoadLooseFile(const std::string& name, const std::string& folder)
{
    // Data files are stored under lower-case names; the name as written is
    // tried as well because file names here are case-sensitive. The folder
    // is a real path and keeps its case.
    std::string normalised = NormaliseName(name);
    CFileBuffer buffer = ReadFile(folder + normalised);
    if (buffer.IsEmpty())
    {
        std::string slashed = ForwardSlashes(name);
        if (slashed != normalised)
            buffer = ReadFile(folder + slashed);
    }
    return buffer;
}

void CResourceManager::SetBaseFolder(const std::string& folder)
{
    m_base_folder = folder;
    if (!m_base_folder.empty() && m_base_folder.back() != '/')
        m_base_folder += '/';
}

std::string CResourceManager::FindDataFolder(const std::vector<std::string>& candidates)
{
    // A folder holds the data when the game data file can be read from it,
    // through its pack or loose: a stray or broken data.pk does not count.
    for (const std::string& candidate : candidates)
    {
        if (candidate.empty())
            continue;
        CResourceManager probe;
        probe.SetBaseFolder(candidate);
        probe.OpenPack(probe.GetPath(kPackFileName));
        if (!probe.Load(kGameDataFile).IsEmpty())
            return probe.GetBaseFolder();
    }
    return {};
}

CFileBuffer CResourceManager::Load(const std::string& name) const
{
    std::string normalised = NormaliseName(name);
    auto it = m_entries.find(normalised);
    if (it == m_entries.end())
        return LoadLooseFile(name, m_base_folder);

    const SEntry& entry = it->second;
    if (entry.memory)
        return CFileBuffer(*entry.memory);

    FILE* f = std::fopen(m_pack_path.c_str(), "rb");
    if (!f)
        return {};
    std::vector<uint8_t> bytes(entry.size);
    size_t got = 0;
    if (std::fseek(f, static_cast<long>(entry.offset), SEEK_SET) == 0)
        got = std::fread(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    // The pack changed since it was opened: hand back only what is there.
    bytes.resize(got);
    if (entry.flag == kScrambledFlag && !m_pack_key.empty())
        Scramble(bytes.data(), bytes.size(), m_pack_key);
    return CFileBuffer(std::move(bytes));
}

bool CResourceManager::OpenPack(const std::string& path)
{
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return false;
    m_pack_path = path;
    char magic[2];
    if (!ReadExactly(f, magic, 2) || magic[0] != 'L' || magic[1] != 'B')
    {
        std::fclose(f);
        return false;
    }
    long fileSize = -1;
    if (std::fseek(f, 0, SEEK_END) == 0)
        fileSize = std::ftell(f);
    if (fileSize < 0 || static_cast<unsigned long>(fileSize) > UINT32_MAX || std::fseek(f, 2, SEEK_SET) != 0)
    {
        std::fclose(f);
        return false;
    }

    m_entries.clear();
    uint32_t count = 0;
    bool ok = ReadU32(f, count);
    // Counts, names and sizes are checked against the file's length: a damaged
    // pack keeps the entries before the damage and reports failure.
    for (uint32_t i = 0; ok && i < count; ++i)
    {
        uint32_t nameLength = 0;
        char name[kMaxNameLength];
        SEntry entry;
        if (!ReadU32(f, nameLength) || nameLength >= kMaxNameLength || !ReadExactly(f, name, nameLength) ||
            !ReadU32(f, entry.size) || !ReadExactly(f, &entry.flag, 1))
        {
            ok = false;
            break;
        }
        long offset = std::ftell(f);
        if (offset < 0 || static_cast<uint64_t>(offset) + entry.size > static_cast<uint64_t>(fileSize))
        {
            ok = false;
            break;
        }
        entry.offset = static_cast<uint32_t>(offset);
        entry.name = ToLower(std::string(name, nameLength));
        std::string key = entry.name;
        m_entries[key] = std::move(entry);
        if (std::fseek(f, offset + static_cast<long>(m_entries[key].size), SEEK_SET) != 0)
            ok = false;
    }
    std::fclose(f);
    return ok;
}

bool CResourceManager::AddMemoryEntry(const std::string& name, std::vector<uint8_t> data, bool scrambled)
{
    if (name.empty() || name.size() >= kMaxNameLength || data.size() > UINT32_MAX)
        return false;
    SEntry entry;
    entry.name = ToLower(name);
    entry.size = static_cast<uint32_t>(data.size());
    entry.flag = scrambled ? kScrambledFlag : 'n';
    entry.memory = std::make_shared<const std::vector<uint8_t>>(std::move(data));
    m_entries[entry.name] = std::move(entry);
    return true;
}

bool CResourceManager::SavePack(const std::string& path) const
{
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    bool ok = std::fwrite("LB", 1, 2, f) == 2;
    uint32_t count = 0;
    for (const auto& [name, entry] : m_entries)
        if (entry.memory)
            ++count;
    ok = ok && WriteU32(f, count);
    for (const auto& [name, entry] : m_entries)
    {
        if (!ok)
            break;
        if (!entry.memory)
            continue;
        ok = WriteU32(f, static_cast<uint32_t>(name.size())) &&
             std::fwrite(name.data(), 1, name.size(), f) == name.size() && WriteU32(f, entry.size) &&
             std::fwrite(&entry.flag, 1, 1, f) == 1;
        // Scramble a copy: the held data stays plain, so saving twice gives the same pack.
        std::vector<uint8_t> data = *entry.memory;
        if (entry.flag == kScrambledFlag)
            Scramble(data.data(), data.size(), m_pack_key);
        ok = ok && (data.empty() || std::fwrite(data.data(), 1, data.size(), f) == data.size());
    }
    ok = (std::fclose(f) == 0) && ok;
    return ok;
}

std::vector<std::string> CResourceManager::GetEntryNames() const
{
    std::vector<std::string> names;
    names.reserve(m_entries.size());
    for (const auto& entry : m_entries)
        names.push_back(entry.first);
    return names;
}

void CResourceManager::Scramble(uint8_t* data, size_t size, const std::string& key)
{
    size_t n = std::min(key.size(), kMaxKeyLength);
    if (n == 0 || data == nullptr)
        return;
    // Key characters count as small signed numbers, summed modulo 2^32.
    auto keyChar = [&](size_t j)
    { return static_cast<uint32_t>(static_cast<int32_t>(static_cast<signed char>(key[j]))); };
    uint32_t sum = 0;
    for (size_t j = 0; j < n; ++j)
        sum += keyChar(j);
    uint32_t second = n > 1 ? keyChar(1) : 0;
    // Two passes, each with its own table; their XOR is applied in one, a
    // key-length run at a time, since packs hold tens of megabytes.
    std::vector<uint8_t> table(n, 0);
    for (uint32_t t : {0u, second})
        for (size_t j = 0; j < n; ++j)
            table[j] ^= static_cast<uint8_t>(key[(keyChar(j) + sum + t) % n]);
    for (size_t i = 0; i < size; i += n)
    {
        const size_t run = std::min(n, size - i);
        for (size_t j = 0; j < run; ++j)
            data[i + j] ^= table[j];
    }
}
