#include "engine/Log.h"

#include "FoundationTestUtil.h"

#include <gtest/gtest.h>

namespace
{
std::string ReadText(const std::string& path)
{
    std::vector<uint8_t> bytes = NTestUtil::ReadBytes(path);
    return std::string(bytes.begin(), bytes.end());
}
} // namespace

TEST(Log, OpenEmptiesTheFileAndEachWriteAppendsOneLine)
{
    NTestUtil::CTempDir dir;
    std::string path = dir.File("game.log");
    ASSERT_TRUE(NTestUtil::WriteText(path, "left from the last run\n"));
    ASSERT_TRUE(CLog::Open(path));
    EXPECT_EQ(ReadText(path), "");
    CLog::Write("level %d of %s", 3, "classic");
    // Each line is on disk at once, not only when the log is closed.
    EXPECT_EQ(ReadText(path), "level 3 of classic\n");
    CLog::Write("%s", std::string(5000, 'x').c_str());
    CLog::Close();
    EXPECT_EQ(ReadText(path), "level 3 of classic\n" + std::string(5000, 'x') + "\nClosing Log\n");
}

TEST(Log, UncreatableLogIgnoresWrites)
{
    NTestUtil::CTempDir dir;
    EXPECT_FALSE(CLog::Open(dir.File("no/folder/game.log")));
    CLog::Write("lost");
    CLog::Close();
    EXPECT_TRUE(CLog::GetPath().empty());
}
