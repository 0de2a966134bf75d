// The data generator is deterministic: two runs write the same bytes, loose
// files and pack alike.
#include "DataTestUtil.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

using namespace NDataTest;

namespace
{
std::string ReadAll(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class CTempFolder
{
public:
    explicit CTempFolder(const std::string& tag)
        : m_path(std::filesystem::temp_directory_path() /
                 ("zonvel_datagen_" + tag + "_" + std::to_string(::getpid())))
    {
        std::filesystem::remove_all(m_path);
        std::filesystem::create_directories(m_path);
    }
    ~CTempFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
};
} // namespace

TEST(DataGenerator, TwoRunsWriteTheSameBytes)
{
    std::string generator = BuildDir() + "/tools/datagen/zonvel_datagen";
    ASSERT_TRUE(std::filesystem::exists(generator));
    CTempFolder first("a"), second("b");
    ASSERT_EQ(std::system((generator + " " + first.Path().string() + " 2>/dev/null").c_str()), 0);
    ASSERT_EQ(std::system((generator + " " + second.Path().string() + " 2>/dev/null").c_str()), 0);

    std::string pack = ReadAll(first.Path() / "data.pk");
    ASSERT_GT(pack.size(), 1000u);
    EXPECT_TRUE(pack == ReadAll(second.Path() / "data.pk"));
    int files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(first.Path()))
    {
        if (!entry.is_regular_file())
            continue;
        auto relative = std::filesystem::relative(entry.path(), first.Path());
        EXPECT_TRUE(ReadAll(entry.path()) == ReadAll(second.Path() / relative)) << relative;
        ++files;
    }
    EXPECT_GT(files, 90);
}

TEST(DataGenerator, PackEntriesAreScrambledAndReadBackWithTheProgramKey)
{
    // Loose file and pack entry agree once unscrambled; the raw pack does not hold the plain text.
    std::string loose = ReadAll(BuildDir() + "/dat/game.txt");
    ASSERT_FALSE(loose.empty());
    EXPECT_EQ(Pack().Load("DAT\\Game.txt").AsString(), loose);
    EXPECT_EQ(ReadAll(BuildDir() + "/data.pk").find("m_levels_classic"), std::string::npos);
}
