#include "engine/Log.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <vector>

namespace
{
std::string g_path; // empty while no log is open
}

bool CLog::Open(const std::string& path)
{
    g_path.clear();
    if (path.empty())
        return false;
    // Emptied by making it anew: a link or a second name planted at the path
    // would have the truncation land on another file. Removing a link leaves
    // its target alone.
    int fd = -1;
    if (::unlink(path.c_str()) == 0 || errno == ENOENT)
    {
        fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    }
    else
    {
        // A folder that refuses changes may still hold a writable log, which
        // is then the one place a failed save can be reported: emptied in
        // place, when it is a plain file of one name.
        fd = ::open(path.c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC);
        struct stat info{};
        if (fd >= 0 && (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_nlink != 1 ||
                        ::ftruncate(fd, 0) != 0))
        {
            ::close(fd);
            fd = -1;
        }
    }
    if (fd < 0)
        return false;
    ::close(fd);
    g_path = path;
    return true;
}

void CLog::Write(const char* format, ...)
{
    if (g_path.empty() || format == nullptr)
        return;
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::vector<char> text(length > 0 ? static_cast<size_t>(length) + 1 : 1, '\0');
    if (length > 0)
        std::vsnprintf(text.data(), text.size(), format, args);
    va_end(args);

    // Opened and closed for every line, so each line is on disk even after a crash.
    // Never through a link, even one put there after the start.
    const int fd = ::open(g_path.c_str(), O_WRONLY | O_APPEND | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return;
    FILE* f = ::fdopen(fd, "a");
    if (!f)
    {
        ::close(fd);
        return;
    }
    std::fputs(text.data(), f);
    std::fputc('\n', f);
    std::fclose(f);
}

void CLog::Close()
{
    Write("Closing Log");
}

const std::string& CLog::GetPath()
{
    return g_path;
}
