// Entry point: creates the program-wide objects in their fixed order.
#include "app/CommandLine.h"
#include "app/Program.h"
#include "platform/DataFolder.h"

#include <cstdio>

namespace
{
constexpr int kExitUsage = 2;
} // namespace

int main(int argc, char** argv)
{
    switch (ParseCommandLine(argc, argv))
    {
    case ECommand::PrintHelp:
        std::printf("%s\n", GetHelpText());
        return 0;
    case ECommand::PrintVersion:
        std::printf("%s\n", GetVersionLine());
        return 0;
    case ECommand::PrintUsage:
        std::fprintf(stderr, "%s\n", GetUsageLine());
        return kExitUsage;
    case ECommand::RunGame:
        break;
    }

    CProgram program;
    program.SetDataFolders(CProgram::GetDataFolderCandidates(NPlatform::GetProgramFolder()));
    return program.Main();
}
