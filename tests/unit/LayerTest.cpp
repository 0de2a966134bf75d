// The layers only point down: platform <- engine <- ui <- game <- interface <- app.
// Reads every source file's includes and names the file and line of each one
// that runs upward, closes a cycle, pulls SDL in outside the platform layer,
// or takes the rules library beyond itself and the standard library.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace
{
struct SInclude
{
    std::string target; // resolved path relative to the root, or the header as written
    int line = 0;
    bool system = false;
};

// The folders each layer may include from; tools, tests and benchmarks may use any.
const std::map<std::string, std::set<std::string>>& AllowedLayers()
{
    static const std::map<std::string, std::set<std::string>> allowed = {
        {"platform", {"platform"}},
        {"engine", {"engine", "platform"}},
        {"ui", {"ui", "engine", "platform"}},
        {"game", {"game", "ui", "engine", "platform"}},
        {"interface", {"interface", "game", "ui", "engine", "platform"}},
        {"app", {"app", "interface", "game", "ui", "engine", "platform"}},
    };
    return allowed;
}

std::string TopFolder(const std::string& relative)
{
    size_t slash = relative.find('/');
    return slash == std::string::npos ? std::string() : relative.substr(0, slash);
}

bool IsSource(const fs::path& path)
{
    std::string ext = path.extension().string();
    return ext == ".cpp" || ext == ".h";
}

// The platform layer's own tests talk to SDL to drive it.
bool MayIncludeSdl(const std::string& relative)
{
    return TopFolder(relative) == "platform" || relative.rfind("tests/unit/Platform", 0) == 0;
}

// The rules library's files (zonvel_rules in CMakeLists.txt) and its tests:
// they build without a window, so they include only each other and the
// standard library, never a sprite, GL, input or settings header.
bool IsRulesFile(const std::string& relative)
{
    static const std::set<std::string> kRules = {"game/Board", "game/ComputerSearch", "game/HexGrid"};
    const fs::path path(relative);
    return kRules.count((path.parent_path() / path.stem()).generic_string()) > 0 ||
           relative.rfind("tests/rules/", 0) == 0;
}

bool IsWindowHeader(const std::string& header)
{
    return header.rfind("GL/", 0) == 0 || header.rfind("SDL", 0) == 0;
}

class CIncludeGraph
{
  public:
    explicit CIncludeGraph(const fs::path& root) : m_root(root)
    {
        for (const char* folder :
             {"platform", "engine", "ui", "game", "interface", "app", "tools", "tests", "bench"})
        {
            if (!fs::is_directory(root / folder))
                continue;
            for (const auto& entry : fs::recursive_directory_iterator(root / folder))
                if (entry.is_regular_file() && IsSource(entry.path()))
                    m_files[fs::relative(entry.path(), root).generic_string()] = {};
        }
        for (auto& [file, includes] : m_files)
            includes = ReadIncludes(file);
    }

    size_t FileCount() const { return m_files.size(); }

    std::vector<std::string> Problems() const
    {
        std::vector<std::string> problems;
        for (const auto& [file, includes] : m_files)
            for (const SInclude& include : includes)
                CheckOne(file, include, problems);
        FindCycles(problems);
        return problems;
    }

  private:
    std::vector<SInclude> ReadIncludes(const std::string& file) const
    {
        static const std::regex directive(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])");
        std::vector<SInclude> includes;
        std::ifstream in(m_root / file);
        std::string text;
        for (int line = 1; std::getline(in, text); ++line)
        {
            std::smatch match;
            if (!std::regex_search(text, match, directive))
                continue;
            SInclude include;
            include.line = line;
            include.system = match[1] == "<";
            include.target = match[2];
            if (!include.system)
            {
                // A quoted include is found beside the file first, then from the root.
                std::string beside =
                    (fs::path(file).parent_path() / include.target).lexically_normal().generic_string();
                if (m_files.count(beside))
                    include.target = beside;
            }
            includes.push_back(include);
        }
        return includes;
    }

    void CheckOne(const std::string& file, const SInclude& include, std::vector<std::string>& problems) const
    {
        std::string where = file + ":" + std::to_string(include.line) + ": ";
        std::string header = fs::path(include.target).filename().string();
        if (header.rfind("SDL", 0) == 0 && !MayIncludeSdl(file))
            problems.push_back(where + "SDL header <" + include.target + "> outside the platform layer");
        if (IsRulesFile(file) &&
            (include.system ? IsWindowHeader(include.target)
                            : m_files.count(include.target) && !IsRulesFile(include.target)))
            problems.push_back(where + "the rules may not include " + include.target);
        if (include.system)
            return;
        auto allowed = AllowedLayers().find(TopFolder(file));
        if (allowed == AllowedLayers().end() || !m_files.count(include.target))
            return;
        std::string layer = TopFolder(include.target);
        if (AllowedLayers().count(layer) && !allowed->second.count(layer))
            problems.push_back(where + TopFolder(file) + "/ may not include " + include.target);
    }

    // Depth-first search over the project's own includes; each cycle is
    // reported once, by the include that closes it.
    void FindCycles(std::vector<std::string>& problems) const
    {
        std::map<std::string, int> state; // 0 new, 1 on the path, 2 done
        std::vector<std::string> path;
        std::function<void(const std::string&)> visit = [&](const std::string& file)
        {
            state[file] = 1;
            path.push_back(file);
            for (const SInclude& include : m_files.at(file))
            {
                if (include.system || !m_files.count(include.target))
                    continue;
                int seen = state[include.target];
                if (seen == 1)
                {
                    std::string cycle;
                    auto from = std::find(path.begin(), path.end(), include.target);
                    for (auto it = from; it != path.end(); ++it)
                        cycle += *it + " -> ";
                    problems.push_back(file + ":" + std::to_string(include.line) + ": include cycle " +
                                       cycle + include.target);
                }
                else if (seen == 0)
                    visit(include.target);
            }
            path.pop_back();
            state[file] = 2;
        };
        for (const auto& entry : m_files)
            if (state[entry.first] == 0)
                visit(entry.first);
    }

    fs::path m_root;
    std::map<std::string, std::vector<SInclude>> m_files;
};

std::string Joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

class LayerCheck : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        m_root =
            fs::temp_directory_path() /
            ("zonvel_layers_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(m_root);
    }
    void TearDown() override { fs::remove_all(m_root); }

    void Write(const std::string& relative, const std::string& text)
    {
        fs::create_directories((m_root / relative).parent_path());
        std::ofstream(m_root / relative) << text;
    }

    fs::path m_root;
};
} // namespace

TEST(Layers, NoIncludeRunsUpwardClosesACycleOrPullsInSdl)
{
    CIncludeGraph graph(ZONVEL_SOURCE_DIR);
    ASSERT_GT(graph.FileCount(), 100u);
    std::vector<std::string> problems = graph.Problems();
    EXPECT_TRUE(problems.empty()) << Joined(problems);
}

TEST_F(LayerCheck, UpwardIncludeIsNamedWithItsFileAndLine)
{
    Write("app/Application.h", "#pragma once\n");
    Write("ui/Screen.h", "#pragma once\n");
    Write("ui/Screen.cpp", "#include \"ui/Screen.h\"\n\n#include \"app/Application.h\"\n");
    Write("game/Field.cpp", "#include \"ui/Screen.h\"\n");
    std::vector<std::string> problems = CIncludeGraph(m_root).Problems();
    ASSERT_EQ(problems.size(), 1u) << Joined(problems);
    EXPECT_EQ(problems[0], "ui/Screen.cpp:3: ui/ may not include app/Application.h");
}

TEST_F(LayerCheck, TheMenusUseTheGameButTheGameNeverTheMenus)
{
    Write("game/Game.h", "#include \"game/TopTable.h\"\n");
    Write("game/TopTable.h", "#pragma once\n");
    Write("game/GameEnd.cpp", "#include \"game/Game.h\"\n#include \"interface/EnterNameDlg.h\"\n");
    Write("interface/EnterNameDlg.h", "#pragma once\n");
    Write("interface/MainMenu.cpp", "#include \"game/Game.h\"\n#include \"app/Program.h\"\n");
    Write("app/Program.h", "#pragma once\n");
    std::vector<std::string> problems = CIncludeGraph(m_root).Problems();
    ASSERT_EQ(problems.size(), 2u) << Joined(problems);
    EXPECT_EQ(problems[0], "game/GameEnd.cpp:2: game/ may not include interface/EnterNameDlg.h");
    EXPECT_EQ(problems[1], "interface/MainMenu.cpp:2: interface/ may not include app/Program.h");
}

TEST_F(LayerCheck, CycleBetweenFilesIsReportedEvenWithinOneLayer)
{
    Write("engine/A.h", "#pragma once\n#include \"engine/B.h\"\n");
    Write("engine/B.h", "#pragma once\n#include \"engine/C.h\"\n");
    Write("engine/C.h", "#pragma once\n#include \"engine/A.h\"\n");
    std::vector<std::string> problems = CIncludeGraph(m_root).Problems();
    ASSERT_EQ(problems.size(), 1u) << Joined(problems);
    EXPECT_NE(problems[0].find("include cycle engine/A.h -> engine/B.h -> engine/C.h -> engine/A.h"),
              std::string::npos)
        << problems[0];
}

TEST_F(LayerCheck, SdlOutsideThePlatformLayerIsRefused)
{
    Write("platform/Window.cpp", "#include <SDL.h>\n");
    Write("tests/unit/PlatformEventsTest.cpp", "#include <SDL.h>\n");
    Write("tools/sheet/main.cpp", "#include <cstdio>\n#include <SDL2/SDL_video.h>\n");
    std::vector<std::string> problems = CIncludeGraph(m_root).Problems();
    ASSERT_EQ(problems.size(), 1u) << Joined(problems);
    EXPECT_EQ(problems[0],
              "tools/sheet/main.cpp:2: SDL header <SDL2/SDL_video.h> outside the platform layer");
}

TEST_F(LayerCheck, TheRulesIncludeOnlyTheRulesAndTheStandardLibrary)
{
    Write("engine/Sprite.h", "#pragma once\n");
    Write("game/HexGrid.h", "#pragma once\n#include <vector>\n");
    Write("game/Board.h", "#pragma once\n#include \"game/HexGrid.h\"\n");
    Write("game/Board.cpp", "#include \"game/Board.h\"\n#include \"engine/Sprite.h\"\n");
    Write("game/ComputerSearch.cpp", "#include \"game/Board.h\"\n#include <GL/gl.h>\n");
    Write("game/Field.cpp", "#include \"game/Board.h\"\n#include \"engine/Sprite.h\"\n");
    Write("tests/rules/BoardTest.cpp", "#include \"game/Board.h\"\n#include <gtest/gtest.h>\n");
    std::vector<std::string> problems = CIncludeGraph(m_root).Problems();
    ASSERT_EQ(problems.size(), 2u) << Joined(problems);
    EXPECT_EQ(problems[0], "game/Board.cpp:2: the rules may not include engine/Sprite.h");
    EXPECT_EQ(problems[1], "game/ComputerSearch.cpp:2: the rules may not include GL/gl.h");
}
