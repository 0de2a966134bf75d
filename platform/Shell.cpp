#include "platform/Shell.h"

#include "platform/DataFolder.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>
#include <vector>

namespace NPlatform
{
namespace
{
// The folders desktop entries live in, most personal first.
std::vector<std::string> ApplicationFolders()
{
    std::vector<std::string> folders;
    const std::string home = ChooseDataHome(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
    if (!home.empty())
        folders.push_back(home + "applications/");
    const char* dirs = std::getenv("XDG_DATA_DIRS");
    std::stringstream list(dirs && *dirs ? dirs : "/usr/local/share/:/usr/share/");
    std::string dir;
    while (std::getline(list, dir, ':'))
        if (!dir.empty() && dir.front() == '/')
            folders.push_back(dir + (dir.back() == '/' ? "" : "/") + "applications/");
    return folders;
}

bool ListsWebBrowser(std::istream& entry)
{
    std::string line;
    bool inMainGroup = false;
    while (std::getline(entry, line))
    {
        if (!line.empty() && line.front() == '[')
            inMainGroup = line.rfind("[Desktop Entry]", 0) == 0;
        else if (inMainGroup && line.rfind("Categories=", 0) == 0)
        {
            std::stringstream categories(line.substr(11));
            std::string category;
            while (std::getline(categories, category, ';'))
                if (category == "WebBrowser")
                    return true;
            return false;
        }
    }
    return false;
}
} // namespace

bool OpenAddress(const std::string& address)
{
    return SDL_OpenURL(address.c_str()) == 0;
}

std::string LocalPageAddress(const std::string& folder, const std::string& relativePath)
{
    namespace fs = std::filesystem;
    const fs::path relative(relativePath);
    // Only plain relative names: a page must stay inside the data set.
    if (relativePath.empty() || relative.is_absolute() || relativePath.find(':') != std::string::npos)
        return {};
    for (const fs::path& part : relative)
        if (part == "..")
            return {};
    std::error_code error;
    const fs::path root = folder.empty() ? fs::current_path(error) : fs::path(folder);
    if (root.empty())
        return {};
    const fs::path page = root / relative;
    if (!fs::is_regular_file(page, error))
        return {};
    return "file://" + fs::absolute(page, error).lexically_normal().string();
}

std::string GetHtmlHandler()
{
    FILE* pipe = ::popen("xdg-mime query default text/html 2>/dev/null", "r");
    if (!pipe)
        return {};
    char line[512] = {};
    const bool read = std::fgets(line, sizeof line, pipe) != nullptr;
    ::pclose(pipe);
    std::string handler = read ? line : "";
    while (!handler.empty() && (handler.back() == '\n' || handler.back() == ' '))
        handler.pop_back();
    return handler;
}

bool IsWebBrowserEntry(const std::string& desktopId)
{
    if (desktopId.empty() || desktopId.find('/') != std::string::npos)
        return false;
    for (const std::string& folder : ApplicationFolders())
    {
        std::ifstream entry(folder + desktopId);
        // The first folder that holds the entry decides, as for the desktop.
        if (entry)
            return ListsWebBrowser(entry);
    }
    return false;
}

bool IsWebBrowserSet()
{
    return IsWebBrowserEntry(GetHtmlHandler());
}
} // namespace NPlatform
