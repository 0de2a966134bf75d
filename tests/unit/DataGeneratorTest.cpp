// The data generator is deterministic: two runs write the same bytes, loose
// files and pack alike, and every machine writes the pack recorded below.
#include "DataTestUtil.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

using namespace NDataTest;

namespace
{
// FNV-1a (64-bit) of build/data.pk. The data set changes only on purpose: when
// a change to the generator or its art changes it, the failing test prints the
// new value; put it here in the same commit.
constexpr uint64_t kDataPackDigest = 0x067b45b4f4938482ull;

uint64_t Digest(const std::string& bytes)
{
    uint64_t hash = 0xcbf29ce484222325ull;
    for (unsigned char byte : bytes)
    {
        hash ^= byte;
        hash *= 0x100000001b3ull;
    }
    return hash;
}

std::string Hex(uint64_t value)
{
    char text[32];
    std::snprintf(text, sizeof(text), "0x%016llxull", static_cast<unsigned long long>(value));
    return text;
}

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

TEST(DataGenerator, PackIsTheOneEveryMachineBuilds)
{
    // A machine lacking a font file, or with other rendering libraries, draws
    // other pixels: the pack then differs from the recorded one.
    const std::string pack = ReadAll(BuildDir() + "/data.pk");
    ASSERT_GT(pack.size(), 1000u);
    EXPECT_EQ(Hex(Digest(pack)), Hex(kDataPackDigest))
        << "data.pk differs from the recorded data set; if the change is intended, set kDataPackDigest in "
           "tests/unit/DataGeneratorTest.cpp to the value above";
}

TEST(DataGenerator, RefusesToRunWithoutItsFonts)
{
    std::string generator = BuildDir() + "/tools/datagen/zonvel_datagen";
    CTempFolder out("nofonts"), fonts("emptyfonts");
    const std::string log = (out.Path() / "stderr.txt").string();
    const std::string command = "ZONVEL_FONT_DIR=" + fonts.Path().string() + " " + generator + " " +
                                out.Path().string() + " 2>" + log;
    EXPECT_NE(std::system(command.c_str()), 0);
    const std::string messages = ReadAll(log);
    EXPECT_NE(messages.find("cannot open font " + fonts.Path().string() + "/DejaVuSansCondensed-Bold.ttf"),
              std::string::npos)
        << messages;
    EXPECT_FALSE(std::filesystem::exists(out.Path() / "data.pk"));
}
