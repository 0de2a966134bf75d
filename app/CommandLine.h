// The program's command line. The game takes no arguments; --version is the
// one option, and anything else earns the usage line and a failure status.
#pragma once

enum class ECommand
{
    RunGame,
    PrintVersion,
    PrintUsage,
};

ECommand ParseCommandLine(int argc, const char* const* argv);

// "Zonvel 1.0.0": the answer to --version and the log's first line.
const char* GetVersionLine();
const char* GetUsageLine();
