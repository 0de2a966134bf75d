// The command line and where the program looks for its data.
#include "app/CommandLine.h"
#include "app/Program.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
ECommand Parse(std::initializer_list<const char*> arguments)
{
    std::vector<const char*> argv = {"zonvel"};
    argv.insert(argv.end(), arguments);
    return ParseCommandLine(static_cast<int>(argv.size()), argv.data());
}
} // namespace

TEST(CommandLine, OnlyNoArgumentsOrOneOptionAloneAreAccepted)
{
    EXPECT_EQ(Parse({}), ECommand::RunGame);
    EXPECT_EQ(Parse({"--version"}), ECommand::PrintVersion);
    EXPECT_EQ(Parse({"--help"}), ECommand::PrintHelp);
    for (auto wrong : {"-v", "-h", "", "--Version", "--version=1", "--helpme", "data.pk"})
        EXPECT_EQ(Parse({wrong}), ECommand::PrintUsage) << wrong;
    EXPECT_EQ(Parse({"--version", "--version"}), ECommand::PrintUsage);
    EXPECT_EQ(Parse({"--version", "extra"}), ECommand::PrintUsage);
    EXPECT_EQ(Parse({"--help", "--version"}), ECommand::PrintUsage);
}

TEST(CommandLine, HelpListsEveryOptionTheParserAcceptsAndWhereTheFilesAre)
{
    const std::string help = GetHelpText();
    EXPECT_EQ(help.rfind(std::string(GetUsageLine()) + "\n", 0), 0u) << help;
    for (const char* option : {"--help", "--version"})
    {
        EXPECT_NE(help.find(std::string("  ") + option + " "), std::string::npos) << option;
        EXPECT_NE(std::string(GetUsageLine()).find(option), std::string::npos) << option;
    }
    EXPECT_NE(help.find("Quarnwick/Zonvel/"), std::string::npos);
}

TEST(CommandLine, VersionLineNamesTheGameAndANumberedVersion)
{
    std::string line = GetVersionLine();
    ASSERT_EQ(line.rfind("Zonvel ", 0), 0u);
    std::string version = line.substr(7);
    ASSERT_FALSE(version.empty());
    EXPECT_EQ(version.find_first_not_of("0123456789."), std::string::npos) << version;
}

TEST(CommandLine, DataIsLookedForBesideTheProgramThenInTheInstalledFolder)
{
    auto folders = CProgram::GetDataFolderCandidates("/opt/games/bin/");
    ASSERT_EQ(folders.size(), 2u);
    EXPECT_EQ(folders[0], "/opt/games/bin/");
    EXPECT_EQ(folders[1].rfind("/opt/games/bin/", 0), 0u);
    EXPECT_TRUE(folders[1].ends_with("/zonvel/")) << folders[1];
    // An unknown program folder must not turn into the root folder.
    EXPECT_TRUE(CProgram::GetDataFolderCandidates("").empty());
}
