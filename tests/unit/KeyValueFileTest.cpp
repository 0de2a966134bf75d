#include "engine/KeyValueFile.h"

#include "FoundationTestUtil.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

using NTestUtil::CTempDir;

TEST(KeyValueFile, QuotedValueKeepsItsSpacesOnOneLineOrMany)
{
    for (const char* text :
         {"a 1 b \"two words\" c 3", "a 1\nb \"two words\"\nc 3\n", "a\t1\r\nb  \"two words\"\r\nc 3"})
    {
        CKeyValueFile file;
        ASSERT_TRUE(file.Parse(text));
        EXPECT_EQ(file.GetEntries().size(), 3u) << text;
        EXPECT_EQ(file.GetString("a", ""), "1");
        EXPECT_EQ(file.GetString("b", ""), "two words");
        EXPECT_EQ(file.GetString("c", ""), "3");
    }
}

TEST(KeyValueFile, CommentsBlankToTheEndOfTheLineEvenInsideQuotes)
{
    CKeyValueFile file;
    file.Parse("a 1 // the first\nb 2//tight\n// whole line\nc 3");
    EXPECT_EQ(file.GetEntries().size(), 3u);
    EXPECT_EQ(file.GetString("b", ""), "2");

    // The closing quote is lost with the comment, so the value runs to the next quote.
    file.Parse("url \"http://x\"\nnext \"v\"");
    EXPECT_EQ(file.GetString("url", ""), "http:    \nnext ");
    EXPECT_EQ(file.GetString("v\"", "none"), "");
}

TEST(KeyValueFile, TextEndingEarlyIsReadAsFarAsItGoes)
{
    CKeyValueFile file;
    file.Parse("a 1 b \"never closed");
    EXPECT_EQ(file.GetString("b", ""), "never closed");
    file.Parse("a 1 lonely");
    EXPECT_TRUE(file.HasKey("lonely"));
    EXPECT_EQ(file.GetString("lonely", "x"), "");
    file.Parse("");
    EXPECT_TRUE(file.GetEntries().empty());
    file.Parse("k \"");
    EXPECT_EQ(file.GetString("k", "x"), "");
    file.Parse("/");
    EXPECT_EQ(file.GetString("/", "x"), "");
}

TEST(KeyValueFile, LaterKeyReplacesAndMapIsSorted)
{
    CKeyValueFile file;
    file.Parse("b 1 a 2 b 3");
    EXPECT_EQ(file.GetString("b", ""), "3");
    EXPECT_EQ(file.BuildText(), "a 2\nb 3\n");
}

TEST(KeyValueFile, LoadingWithoutClearKeepsOldKeys)
{
    CKeyValueFile file;
    file.Parse("old 1 both 1");
    file.Parse("both 2 new 3", false);
    EXPECT_EQ(file.GetString("old", ""), "1");
    EXPECT_EQ(file.GetString("both", ""), "2");
    EXPECT_EQ(file.GetString("new", ""), "3");
    file.Parse("only 1");
    EXPECT_FALSE(file.HasKey("old"));
}

TEST(KeyValueFile, TypedGettersUseDefaultsAndZeroForNonNumbers)
{
    CKeyValueFile file;
    file.Parse("k 0 n -12 f 2.5 word abc big 99999999999 pos.x 1.5 pos.y -2");
    EXPECT_EQ(file.GetInt("missing", 7), 7);
    EXPECT_FALSE(file.GetBool("k", true));
    EXPECT_TRUE(file.GetBool("n", false));
    EXPECT_EQ(file.GetInt("n", 0), -12);
    EXPECT_FLOAT_EQ(file.GetFloat("f", 0.0f), 2.5f);
    EXPECT_FLOAT_EQ(file.GetFloat("missing", 1.25f), 1.25f);
    EXPECT_EQ(file.GetInt("word", 5), 0);
    EXPECT_FLOAT_EQ(file.GetFloat("word", 5.0f), 0.0f);
    EXPECT_EQ(file.GetInt("big", 0), 2147483647);
    CVector4 pos = file.GetVector("pos");
    EXPECT_FLOAT_EQ(pos.x, 1.5f);
    EXPECT_FLOAT_EQ(pos.y, -2.0f);
    EXPECT_FLOAT_EQ(pos.z, 0.0f);
    EXPECT_FLOAT_EQ(pos.w, 1.0f);
    EXPECT_EQ(ToInt("12abc"), 12);
    EXPECT_TRUE(ToBool(" 3"));
    EXPECT_FLOAT_EQ(ToFloat(""), 0.0f);
}

TEST(KeyValueFile, WrittenFormQuotesValuesWithSpaces)
{
    CKeyValueFile file;
    file.SetString("b", "two words");
    file.SetInt("a", 1);
    EXPECT_EQ(file.BuildText(), "a 1\nb \"two words\"\n");

    // Values that would not read back bare are quoted too: an empty value
    // would otherwise swallow the next key.
    file.SetString("c", "");
    file.SetString("d", "tab\there");
    file.SetString("e", "last");
    CKeyValueFile copy;
    copy.Parse(file.BuildText());
    EXPECT_EQ(copy.GetEntries(), file.GetEntries());
}

TEST(KeyValueFile, WriterRefusesWhatWouldNotReadBackAndLeavesTheOldFile)
{
    CTempDir dir;
    const std::string path = dir.File("dx.cfg");
    CKeyValueFile good;
    good.SetString("name", "Ann");
    ASSERT_TRUE(good.SaveFile(path, "zup", 3));
    const std::vector<uint8_t> before = NTestUtil::ReadBytes(path);

    const std::vector<std::pair<std::string, std::string>> unreadable = {
        {"name", "\"quoted"}, {"name", "say \"hi\" now"}, {"url", "http://x"},
        {"a//b", "1"},         {"two words", "1"},          {"", "1"},
        {"tab\tkey", "1"},
    };
    for (const auto& [key, value] : unreadable)
    {
        CKeyValueFile bad = good;
        bad.SetString(key, value);
        EXPECT_FALSE(bad.IsWritable()) << key << " " << value;
        EXPECT_FALSE(bad.SaveFile(path, "zup", 3)) << key << " " << value;
        EXPECT_EQ(NTestUtil::ReadBytes(path), before);
    }
    // A quote inside a bare value and a single slash read back as they are.
    EXPECT_TRUE(CKeyValueFile::IsWritable("k", "a\"b"));
    EXPECT_TRUE(CKeyValueFile::IsWritable("k", "a/b /c/"));
}

TEST(KeyValueFile, EveryGeneratedMapTheWriterAcceptsReadsBackIdentical)
{
    // Bytes that matter to the reader and writer, and a few that do not.
    const std::string alphabet = std::string("ab/\" \t\n\r=") + '\0' + '\xFF';
    std::mt19937 random(13);
    auto text = [&](int maxLength)
    {
        std::string s;
        const int length = static_cast<int>(random() % static_cast<unsigned>(maxLength + 1));
        for (int i = 0; i < length; ++i)
            s += alphabet[random() % alphabet.size()];
        return s;
    };
    int accepted = 0, refused = 0;
    for (int round = 0; round < 20000; ++round)
    {
        CKeyValueFile file;
        const int entries = static_cast<int>(random() % 4);
        for (int i = 0; i < entries; ++i)
            file.SetString(text(3), text(6));
        if (!file.IsWritable())
        {
            ++refused;
            continue;
        }
        ++accepted;
        CKeyValueFile read;
        ASSERT_TRUE(read.Parse(file.BuildText()));
        ASSERT_EQ(read.GetEntries(), file.GetEntries()) << file.BuildText();
    }
    // Both outcomes are exercised in earnest.
    EXPECT_GT(accepted, 2000);
    EXPECT_GT(refused, 2000);
}

TEST(KeyValueFile, EncipheredFileRoundTripsAndWrongKeyFallsBackToDefaults)
{
    CTempDir dir;
    std::string path = dir.File("saved.dat");
    CKeyValueFile file;
    file.SetInt("m_level", 42);
    file.SetString("m_name", "Ann Bee");
    ASSERT_TRUE(file.SaveFile(path, "stashfile!#&", 12));
    std::vector<uint8_t> raw = NTestUtil::ReadBytes(path);
    EXPECT_EQ(raw.size(), file.BuildText().size() + 1);
    EXPECT_EQ(std::string(raw.begin(), raw.end()).find("m_level"), std::string::npos);

    CKeyValueFile read;
    ASSERT_TRUE(read.LoadFile(path, true, "stashfile!#&", 12));
    EXPECT_EQ(read.GetEntries(), file.GetEntries());

    CKeyValueFile wrong;
    wrong.LoadFile(path, true, "zup", 3);
    EXPECT_EQ(wrong.GetInt("m_level", -1), -1);
}

TEST(KeyValueFile, MissingOrUndecipherableFileLeavesEntriesAlone)
{
    CTempDir dir;
    CKeyValueFile file;
    file.Parse("keep 1");
    EXPECT_FALSE(file.LoadFile(dir.File("missing.txt")));
    EXPECT_EQ(file.GetString("keep", ""), "1");

    ASSERT_TRUE(NTestUtil::WriteBytes(dir.File("short.dat"), {7}));
    EXPECT_FALSE(file.LoadFile(dir.File("short.dat"), true, "zup", 3));
    ASSERT_TRUE(NTestUtil::WriteBytes(dir.File("empty.dat"), {}));
    EXPECT_FALSE(file.LoadFile(dir.File("empty.dat"), true, "zup", 3));
    ASSERT_TRUE(NTestUtil::WriteBytes(dir.File("rot.dat"), {200, 1, 2, 3}));
    EXPECT_FALSE(file.LoadFile(dir.File("rot.dat"), true, "zup", 3));
    EXPECT_EQ(file.GetString("keep", ""), "1");
}

TEST(KeyValueFile, FailedSaveKeepsThePreviousFile)
{
    CTempDir dir;
    std::string path = dir.File("top7.tbl");
    CKeyValueFile first;
    first.SetInt("score", 100);
    ASSERT_TRUE(first.SaveFile(path));
    std::vector<uint8_t> before = NTestUtil::ReadBytes(path);

    // The temporary file cannot be created: the write fails before touching the old file.
    std::filesystem::create_directory(path + ".tmp");
    CKeyValueFile second;
    second.SetInt("score", 5);
    EXPECT_FALSE(second.SaveFile(path));
    EXPECT_EQ(NTestUtil::ReadBytes(path), before);
    std::filesystem::remove(path + ".tmp");

    EXPECT_FALSE(second.SaveFile(dir.File("no/such/folder/file.txt")));

    // A successful save replaces the file and leaves nothing beside it.
    ASSERT_TRUE(second.SaveFile(path));
    CKeyValueFile read;
    ASSERT_TRUE(read.LoadFile(path));
    EXPECT_EQ(read.GetInt("score", 0), 5);
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
}

TEST(KeyValueFile, LoadResourceWithoutManagerReadsTheDisk)
{
    CTempDir dir;
    ASSERT_TRUE(NTestUtil::WriteText(dir.File("layout.txt"), "m_close_btn.x 10\nm_close_btn.y 20"));
    CKeyValueFile file;
    ASSERT_TRUE(file.LoadResource(nullptr, dir.File("layout.txt")));
    EXPECT_FLOAT_EQ(file.GetVector("m_close_btn").y, 20.0f);
    EXPECT_FALSE(file.LoadResource(nullptr, dir.File("none.txt")));
}
