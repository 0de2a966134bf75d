#include "engine/KeyValueFile.h"

#include "engine/Cipher.h"
#include "engine/ResourceManager.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace
{
// Opens a new file for writing, never through a link nor into a file that is
// already there. Whatever sits at the name (the leftover of a killed run, or
// something planted) is removed first: removing a link leaves its target alone.
FILE* CreateExclusive(const std::string& path)
{
    const int flags = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC;
    int fd = ::open(path.c_str(), flags, 0600);
    if (fd < 0 && errno == EEXIST)
    {
        if (::unlink(path.c_str()) == 0 || errno == ENOENT)
            fd = ::open(path.c_str(), flags, 0600);
        else
            errno = EEXIST;
    }
    if (fd < 0)
        return nullptr;
    FILE* f = ::fdopen(fd, "wb");
    if (!f)
        ::close(fd);
    return f;
}

bool IsSpace(uint8_t c)
{
    return c == '\t' || c == '\n' || c == '\r' || c == ' ';
}

// Every "//" and the rest of its line become blanks, quoted or not.
void BlankComments(std::vector<uint8_t>& text)
{
    size_t n = text.size();
    for (size_t i = 1; i < n; ++i)
    {
        if (text[i - 1] != '/' || text[i] != '/')
            continue;
        size_t j = i - 1;
        while (j < n && text[j] != '\n')
            text[j++] = ' ';
        i = j;
    }
}

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes)
{
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return false;
    bytes.clear();
    uint8_t chunk[8192];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof(chunk), f)) > 0)
        bytes.insert(bytes.end(), chunk, chunk + got);
    bool ok = !std::ferror(f);
    std::fclose(f);
    return ok;
}

bool NeedsQuotes(const std::string& value)
{
    if (value.empty())
        return true;
    for (unsigned char c : value)
        if (IsSpace(c))
            return true;
    return false;
}
bool HasCommentMark(const std::string& text)
{
    return text.find("//") != std::string::npos;
}
} // namespace

bool CKeyValueFile::IsWritable(const std::string& key, const std::string& value)
{
    if (key.empty() || HasCommentMark(key) || HasCommentMark(value))
        return false;
    for (unsigned char c : key)
        if (IsSpace(c))
            return false;
    // A quoted value ends at its first quote; a bare one starting with a quote
    // would be read as a quoted one.
    if (NeedsQuotes(value))
        return value.find('"') == std::string::npos;
    return value[0] != '"';
}

bool CKeyValueFile::IsWritable() const
{
    for (const auto& [key, value] : m_entries)
        if (!IsWritable(key, value))
            return false;
    return true;
}

bool CKeyValueFile::LoadFile(const std::string& path, bool clear, const char* cipherKey, int keyLength)
{
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(path, bytes))
        return false;
    return Parse(bytes.data(), bytes.size(), clear, cipherKey, keyLength);
}

bool CKeyValueFile::LoadResource(CResourceManager* resourceManager, const std::string& name, bool clear,
                                 const char* cipherKey, int keyLength)
{
    CFileBuffer buffer =
        resourceManager ? resourceManager->Load(name) : CResourceManager::LoadLooseFile(name);
    if (buffer.IsEmpty())
        return false;
    return Parse(buffer.GetData(), buffer.GetSize(), clear, cipherKey, keyLength);
}

bool CKeyValueFile::Parse(const std::string& text, bool clear)
{
    return Parse(reinterpret_cast<const uint8_t*>(text.data()), text.size(), clear);
}

bool CKeyValueFile::Parse(const uint8_t* bytes, size_t length, bool clear, const char* cipherKey,
                          int keyLength)
{
    // The cipher counts in int; nothing the program writes comes near that.
    if ((bytes == nullptr && length > 0) || length > static_cast<size_t>(INT_MAX))
        return false;
    std::vector<uint8_t> text;
    if (cipherKey)
    {
        // An undecipherable file counts as missing: the entries stay as they were.
        CCipher cipher;
        if (!cipher.Decode(bytes, static_cast<int>(length), text, cipherKey, keyLength))
            return false;
    }
    else if (length > 0)
    {
        text.assign(bytes, bytes + length);
    }
    if (clear)
        m_entries.clear();
    BlankComments(text);

    size_t n = text.size();
    size_t pos = 0;
    for (;;)
    {
        while (pos < n && IsSpace(text[pos]))
            ++pos;
        size_t keyStart = pos;
        while (pos < n && !IsSpace(text[pos]))
            ++pos;
        if (pos == keyStart)
            break;
        std::string key(text.begin() + keyStart, text.begin() + pos);
        while (pos < n && IsSpace(text[pos]))
            ++pos;
        std::string value;
        if (pos < n && text[pos] == '"')
        {
            size_t start = ++pos;
            while (pos < n && text[pos] != '"')
                ++pos;
            value.assign(text.begin() + start, text.begin() + pos);
            if (pos < n)
                ++pos; // the closing quote
        }
        else
        {
            size_t start = pos;
            while (pos < n && !IsSpace(text[pos]))
                ++pos;
            value.assign(text.begin() + start, text.begin() + pos);
        }
        m_entries[key] = value;
    }
    return true;
}

std::string CKeyValueFile::BuildText() const
{
    std::string text;
    for (const auto& [key, value] : m_entries)
    {
        text += key;
        text += ' ';
        // Empty values are quoted too: written bare, the reader would take the
        // next line's key as the value.
        if (NeedsQuotes(value))
            text += '"' + value + '"';
        else
            text += value;
        text += '\n';
    }
    return text;
}

bool CKeyValueFile::SaveFile(const std::string& path, const char* cipherKey, int keyLength,
                             std::string* failure) const
{
    auto fail = [failure](const std::string& what)
    {
        if (failure)
            *failure = what;
        return false;
    };
    // Refused before the file is touched: a damaged file would lose more than
    // the one entry.
    if (!IsWritable())
        return fail("an entry of " + path + " would not read back unchanged");
    std::string text = BuildText();
    std::vector<uint8_t> bytes(text.begin(), text.end());
    if (cipherKey)
    {
        std::vector<uint8_t> enciphered;
        CCipher cipher;
        if (!cipher.Encode(bytes.data(), static_cast<int>(bytes.size()), enciphered, cipherKey, keyLength))
            return fail("cannot encipher " + path);
        bytes.swap(enciphered);
    }

    // Write beside the target and rename over it, so a failure at any point
    // leaves the previous file whole.
    std::string temp = path + ".tmp";
    FILE* f = CreateExclusive(temp);
    if (!f)
        return fail("cannot create " + temp + ": " + std::strerror(errno));
    // The first error is the one worth reporting: later steps fail because of it.
    int error = 0;
    auto step = [&error](bool ok)
    {
        if (!ok && error == 0)
            error = errno != 0 ? errno : EIO;
    };
    errno = 0;
    step(bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size());
    // On disk before it replaces the old file.
    step(std::fflush(f) == 0);
    step(fsync(fileno(f)) == 0);
    step(std::fclose(f) == 0);
    if (error != 0)
    {
        std::remove(temp.c_str());
        return fail("cannot write " + temp + ": " + std::strerror(error));
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0)
    {
        error = errno;
        std::remove(temp.c_str());
        return fail("cannot replace " + path + ": " + std::strerror(error));
    }
    return true;
}

std::string CKeyValueFile::GetString(const std::string& key, const std::string& def) const
{
    auto it = m_entries.find(key);
    return it == m_entries.end() ? def : it->second;
}

int CKeyValueFile::GetInt(const std::string& key, int def) const
{
    auto it = m_entries.find(key);
    return it == m_entries.end() ? def : ToInt(it->second);
}

bool CKeyValueFile::GetBool(const std::string& key, bool def) const
{
    auto it = m_entries.find(key);
    return it == m_entries.end() ? def : ToBool(it->second);
}

float CKeyValueFile::GetFloat(const std::string& key, float def) const
{
    auto it = m_entries.find(key);
    return it == m_entries.end() ? def : ToFloat(it->second);
}

CVector4 CKeyValueFile::GetVector(const std::string& name) const
{
    return CVector4(ToFloat(GetString(name + ".x", "0")), ToFloat(GetString(name + ".y", "0")),
                    ToFloat(GetString(name + ".z", "0")), 1.0f);
}

void CKeyValueFile::SetString(const std::string& key, const std::string& value)
{
    m_entries[key] = value;
}

void CKeyValueFile::SetInt(const std::string& key, int value)
{
    char text[32];
    std::snprintf(text, sizeof(text), "%i", value);
    m_entries[key] = text;
}

void CKeyValueFile::SetFloat(const std::string& key, float value)
{
    char text[64];
    std::snprintf(text, sizeof(text), "%f", static_cast<double>(value));
    m_entries[key] = text;
}

int ToInt(const std::string& s)
{
    // As "%d" reads it, but out-of-range numbers clamp instead of being undefined.
    errno = 0;
    char* end = nullptr;
    long v = std::strtol(s.c_str(), &end, 10);
    if (end == s.c_str())
        return 0;
    if (v > INT_MAX)
        return INT_MAX;
    if (v < INT_MIN)
        return INT_MIN;
    return static_cast<int>(v);
}

bool ToBool(const std::string& s)
{
    return ToInt(s) != 0;
}

float ToFloat(const std::string& s)
{
    char* end = nullptr;
    float v = std::strtof(s.c_str(), &end);
    return end == s.c_str() ? 0.0f : v;
}
