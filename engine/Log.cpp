#include "engine/Log.h"

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
    FILE* f = std::fopen(path.c_str(), "w");
    if (!f)
        return false;
    std::fclose(f);
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
    FILE* f = std::fopen(g_path.c_str(), "a+");
    if (!f)
        return;
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
