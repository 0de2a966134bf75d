#include "platform/Shell.h"

#include <SDL.h>

#include <filesystem>
#include <system_error>
#include <vector>

namespace NPlatform
{
bool OpenAddress(const std::string& address)
{
    return SDL_OpenURL(address.c_str()) == 0;
}

std::string LocalPageAddress(const std::string& relativePath)
{
    namespace fs = std::filesystem;
    const fs::path relative(relativePath);
    // Only plain relative names: a page must stay inside the data set.
    if (relativePath.empty() || relative.is_absolute() || relativePath.find(':') != std::string::npos)
        return {};
    for (const fs::path& part : relative)
        if (part == "..")
            return {};
    std::vector<fs::path> roots;
    std::error_code error;
    roots.push_back(fs::current_path(error));
    if (char* base = SDL_GetBasePath())
    {
        roots.emplace_back(base);
        SDL_free(base);
    }
    for (const fs::path& root : roots)
    {
        const fs::path page = root / relative;
        if (!root.empty() && fs::is_regular_file(page, error))
            return "file://" + fs::absolute(page, error).lexically_normal().string();
    }
    return {};
}

bool OpenLocalPage(const std::string& relativePath)
{
    const std::string address = LocalPageAddress(relativePath);
    return !address.empty() && OpenAddress(address);
}
} // namespace NPlatform
