// Every input in tests/corpus/TARGET/ goes through the same code the fuzz
// target TARGET runs: inputs that once crashed, hung or broke a reader stay
// fixed, and the readers are checked on a few dozen odd files on every run.
#include "FuzzTargets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace
{
const fs::path kCorpus = ZONVEL_CORPUS_DIR;

class CorpusReplay : public ::testing::TestWithParam<std::string>
{
};
} // namespace

TEST_P(CorpusReplay, EveryInputKeepsTheReaderSound)
{
    const fs::path folder = kCorpus / GetParam();
    if (!fs::is_directory(folder))
        GTEST_SKIP() << "no inputs for " << GetParam();
    int inputs = 0;
    for (const auto& entry : fs::directory_iterator(folder))
    {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
        EXPECT_TRUE(NFuzz::Run(GetParam(), bytes.data(), bytes.size())) << entry.path();
        ++inputs;
    }
    EXPECT_GT(inputs, 0);
}

INSTANTIATE_TEST_SUITE_P(Targets, CorpusReplay, ::testing::ValuesIn(NFuzz::TargetNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) { return info.param; });

TEST(CorpusReplayFolders, EveryFolderNamesATarget)
{
    // A misspelt folder would be skipped without a word.
    ASSERT_TRUE(fs::is_directory(kCorpus)) << kCorpus;
    const std::vector<std::string>& names = NFuzz::TargetNames();
    for (const auto& entry : fs::directory_iterator(kCorpus))
        EXPECT_NE(std::find(names.begin(), names.end(), entry.path().filename().string()), names.end())
            << entry.path();
}
