#include "engine/UserFiles.h"

#include "engine/KeyValueFile.h"
#include "engine/Log.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace NUserFiles
{
namespace
{
bool g_raised = false;
std::string g_waiting;
} // namespace

bool Load(CKeyValueFile& file, const std::string& path, const char* cipherKey, int keyLength,
          const std::string& keyPrefix)
{
    if (path.empty())
        return false;
    struct stat info{};
    if (::lstat(path.c_str(), &info) != 0)
        return false; // missing: the first start
    if (file.LoadFile(path, true, cipherKey, keyLength))
    {
        const auto& entries = file.GetEntries();
        auto known = entries.lower_bound(keyPrefix);
        if (known != entries.end() && known->first.rfind(keyPrefix, 0) == 0)
            return true;
        file.Clear();
    }
    const std::string aside = path + ".bad";
    if (std::rename(path.c_str(), aside.c_str()) == 0)
        CLog::Write("%s could not be read; it is kept as %s", path.c_str(), aside.c_str());
    else
        CLog::Write("%s could not be read, nor kept aside: %s", path.c_str(), std::strerror(errno));
    return false;
}

bool Save(const CKeyValueFile& file, const std::string& path, const char* cipherKey, int keyLength,
          const char* what)
{
    if (path.empty())
        return false;
    std::string failure;
    if (file.SaveFile(path, cipherKey, keyLength, &failure))
        return true;
    CLog::Write("%s not saved: %s", what, failure.c_str());
    RaiseNotice(kNotSavedNotice);
    return false;
}

void RaiseNotice(const std::string& text)
{
    if (g_raised)
        return;
    g_raised = true;
    g_waiting = text;
}

std::string TakeNotice()
{
    std::string text;
    text.swap(g_waiting);
    return text;
}

void ResetNotice()
{
    g_raised = false;
    g_waiting.clear();
}
} // namespace NUserFiles
