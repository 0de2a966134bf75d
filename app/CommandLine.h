// The program's command line. The game takes no arguments; --help and
// --version are the options, and anything else earns the usage line and a
// failure status.
#pragma once

enum class ECommand
{
    RunGame,
    PrintHelp,
    PrintVersion,
    PrintUsage,
};

ECommand ParseCommandLine(int argc, const char* const* argv);

// "Zonvel 1.0.0": the answer to --version and the log's first line.
const char* GetVersionLine();
// One line, for a wrong argument.
const char* GetUsageLine();
// The usage line, every option, and where the player's files are kept.
const char* GetHelpText();
