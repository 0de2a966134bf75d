#include "platform/DataFolder.h"

#include <SDL.h>

namespace NPlatform
{
std::string GetDataFolder()
{
    char* path = SDL_GetPrefPath("Quarnwick", "Zonvel");
    if (!path)
        return {};
    std::string result(path);
    SDL_free(path);
    if (!result.empty() && result.back() != '/')
        result += '/';
    return result;
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
