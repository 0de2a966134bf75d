#include "app/CommandLine.h"

#include "app/BuildConfig.h"

#include <string>

ECommand ParseCommandLine(int argc, const char* const* argv)
{
    if (argc <= 1)
        return ECommand::RunGame;
    if (argc == 2 && std::string(argv[1]) == "--version")
        return ECommand::PrintVersion;
    return ECommand::PrintUsage;
}

const char* GetVersionLine()
{
    static const std::string line = std::string("Zonvel ") + kZonvelVersion;
    return line.c_str();
}

const char* GetUsageLine()
{
    return "usage: zonvel [--version]";
}
