#include "platform/DataFolder.h"

#include <SDL.h>

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>

namespace NPlatform
{
namespace
{
bool IsAbsolute(const char* path)
{
    return path != nullptr && path[0] == '/';
}

// Every missing folder of the path, as the XDG rules ask: readable by the user only.
bool MakeFolders(const std::string& path)
{
    for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1))
        if (::mkdir(path.substr(0, slash).c_str(), 0700) != 0 && errno != EEXIST)
            return false;
    struct stat info{};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}
} // namespace

std::string ChooseDataHome(const char* xdgDataHome, const char* home)
{
    std::string chosen;
    if (IsAbsolute(xdgDataHome))
        chosen = xdgDataHome;
    else if (IsAbsolute(home))
        chosen = std::string(home) + (std::string(home).back() == '/' ? "" : "/") + ".local/share";
    if (!chosen.empty() && chosen.back() != '/')
        chosen += '/';
    return chosen;
}

std::string GetDataFolder()
{
    const std::string home = ChooseDataHome(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
    if (home.empty())
        return {};
    const std::string folder = home + "Quarnwick/Zonvel/";
    return MakeFolders(folder) ? folder : std::string();
}

std::string GetProgramFolder()
{
    char* path = SDL_GetBasePath();
    if (!path)
        return {};
    std::string result(path);
    SDL_free(path);
    if (!result.empty() && result.back() != '/')
        result += '/';
    return result;
}
} // namespace NPlatform
