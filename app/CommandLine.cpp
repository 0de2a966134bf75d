#include "app/CommandLine.h"

#include "app/BuildConfig.h"

#include <string>

ECommand ParseCommandLine(int argc, const char* const* argv)
{
    if (argc <= 1)
        return ECommand::RunGame;
    if (argc == 2 && std::string(argv[1]) == "--version")
        return ECommand::PrintVersion;
    if (argc == 2 && std::string(argv[1]) == "--help")
        return ECommand::PrintHelp;
    return ECommand::PrintUsage;
}

const char* GetVersionLine()
{
    static const std::string line = std::string("Zonvel ") + kZonvelVersion;
    return line.c_str();
}

const char* GetUsageLine()
{
    return "usage: zonvel [--help | --version]";
}

const char* GetHelpText()
{
    return "usage: zonvel [--help | --version]\n"
           "A hex colour-flood puzzle game among the flowers. Without arguments the game starts.\n"
           "\n"
           "  --help     print this help and exit\n"
           "  --version  print the version and exit\n"
           "\n"
           "The settings, the held game, the tables of the best players and the log are\n"
           "kept in $XDG_DATA_HOME/Quarnwick/Zonvel/ (without XDG_DATA_HOME, in\n"
           "~/.local/share/Quarnwick/Zonvel/). Only one copy of the game runs at a time.";
}
