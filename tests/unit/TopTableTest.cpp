#include "game/TopTable.h"

#include "engine/Cipher.h"
#include "engine/KeyValueFile.h"

#include "FoundationTestUtil.h"

#include <gtest/gtest.h>

#include <string>

using NGame::CTopTable;
using NTestUtil::CTempDir;

namespace
{
// Table 0 holds 900, 800, ..., 300 under the names P900 ... P300.
CTopTable Descending()
{
    CTopTable table(2);
    CKeyValueFile empty;
    table.Load(empty);
    for (int points = 300; points <= 900; points += 100)
        table.Add(0, points, "P" + std::to_string(points));
    return table;
}

std::string Plain(const std::string& path)
{
    std::vector<uint8_t> raw = NTestUtil::ReadBytes(path);
    std::vector<uint8_t> plain;
    CCipher cipher;
    cipher.Decode(raw.data(), static_cast<int>(raw.size()), plain, CTopTable::kCipherKey,
                  CTopTable::kCipherKeyLength);
    return std::string(plain.begin(), plain.end());
}
} // namespace

TEST(TopTable, AResultMustBeatTheSeventhPlaceStrictly)
{
    CTopTable table = Descending();
    EXPECT_TRUE(table.Qualifies(0, 350));
    EXPECT_FALSE(table.Qualifies(0, 300));
    EXPECT_FALSE(table.Qualifies(0, 0));
    // the other table is still all zeros
    EXPECT_TRUE(table.Qualifies(1, 1));
    EXPECT_FALSE(table.Qualifies(1, 0));
    // tables that do not exist take nothing
    EXPECT_FALSE(table.Qualifies(2, 1000));
    EXPECT_FALSE(table.Qualifies(-1, 1000));
}

TEST(TopTable, AddedResultsRiseAboveFewerPointsOnlyAndEqualOnesStayBelow)
{
    CTopTable table = Descending();
    table.Add(0, 350, "new");
    EXPECT_EQ(table.GetName(0, 6), "new");
    EXPECT_EQ(table.GetPoints(0, 5), 400);

    table.Add(0, 800, "second");
    EXPECT_EQ(table.GetName(0, 0), "P900");
    EXPECT_EQ(table.GetName(0, 1), "P800");
    EXPECT_EQ(table.GetName(0, 2), "second");
    EXPECT_EQ(table.GetPoints(0, 2), 800);
    EXPECT_EQ(table.GetName(0, 6), "P400"); // 350 dropped out
    const int expected[7] = {900, 800, 800, 700, 600, 500, 400};
    for (int r = 0; r < 7; ++r)
        EXPECT_EQ(table.GetPoints(0, r), expected[r]) << r;

    table.Add(0, 5000, "best");
    EXPECT_EQ(table.GetName(0, 0), "best");
    EXPECT_EQ(table.GetName(1, 0), "Nemo"); // the other table untouched
    // out of range adds and reads are harmless
    table.Add(5, 10, "x");
    EXPECT_EQ(table.GetName(5, 0), "");
    EXPECT_EQ(table.GetPoints(0, 7), 0);
}

TEST(TopTable, SaveAndLoadKeepEveryRecordWithSpacesInNames)
{
    CTopTable table(2);
    CKeyValueFile empty;
    table.Load(empty);
    table.Add(0, 120, "Anna Maria");
    table.Add(0, 77, " lead and trail ");
    table.Add(1, 400, "Bob");
    table.Add(1, -5, "below zero");
    table.Add(1, 9, "");

    CKeyValueFile file;
    table.Save(file);
    EXPECT_EQ(file.GetEntries().size(), 28u);
    EXPECT_EQ(file.GetString("top7.rec_name000000", ""), "Anna Maria");
    EXPECT_EQ(file.GetString("top7.rec_points001000", ""), "400");

    CTempDir dir;
    ASSERT_TRUE(file.SaveFile(dir.File("top7.tbl"), CTopTable::kCipherKey, CTopTable::kCipherKeyLength));
    CTopTable again(2);
    again.Open(dir.File("top7.tbl"));
    for (int t = 0; t < 2; ++t)
        for (int r = 0; r < 7; ++r)
        {
            EXPECT_EQ(again.GetName(t, r), table.GetName(t, r)) << t << r;
            EXPECT_EQ(again.GetPoints(t, r), table.GetPoints(t, r)) << t << r;
        }
    EXPECT_EQ(again.GetName(0, 1), " lead and trail ");
    EXPECT_EQ(again.GetName(1, 0), "Bob");
}

TEST(TopTable, MissingDamagedOrForeignFilesGiveTheNemoTables)
{
    CTempDir dir;
    auto expectFresh = [](const CTopTable& table, const char* what)
    {
        for (int t = 0; t < 2; ++t)
            for (int r = 0; r < 7; ++r)
            {
                EXPECT_EQ(table.GetName(t, r), "Nemo") << what;
                EXPECT_EQ(table.GetPoints(t, r), 0) << what;
            }
    };
    CTopTable missing(2);
    missing.Open(dir.File("none.tbl"));
    expectFresh(missing, "missing");

    ASSERT_TRUE(NTestUtil::WriteText(dir.File("garbage.tbl"), "\x01\xff\x13 not a table at all"));
    CTopTable garbage(2);
    garbage.Open(dir.File("garbage.tbl"));
    expectFresh(garbage, "garbage");

    ASSERT_TRUE(NTestUtil::WriteText(dir.File("empty.tbl"), ""));
    CTopTable empty(2);
    empty.Open(dir.File("empty.tbl"));
    expectFresh(empty, "empty");

    // the right keys under another cipher key read as garbage
    CKeyValueFile foreign;
    foreign.SetString("top7.rec_name000000", "Mallory");
    foreign.SetInt("top7.rec_points000000", 999);
    ASSERT_TRUE(foreign.SaveFile(dir.File("foreign.tbl"), "zup", 3));
    CTopTable wrongKey(2);
    wrongKey.Open(dir.File("foreign.tbl"));
    expectFresh(wrongKey, "wrong cipher key");

    // wrongly keyed entries are ignored; the rest falls back on the defaults
    CKeyValueFile misnamed;
    misnamed.SetString("top7.rec_name0_0", "Eve");
    misnamed.SetString("rec_points000000", "5");
    misnamed.SetString("top7.rec_points001006", "12");
    ASSERT_TRUE(
        misnamed.SaveFile(dir.File("misnamed.tbl"), CTopTable::kCipherKey, CTopTable::kCipherKeyLength));
    CTopTable partial(2);
    partial.Open(dir.File("misnamed.tbl"));
    EXPECT_EQ(partial.GetName(0, 0), "Nemo");
    EXPECT_EQ(partial.GetPoints(0, 0), 0);
    EXPECT_EQ(partial.GetPoints(1, 6), 12);
    EXPECT_EQ(partial.GetName(1, 6), "Nemo");
}

TEST(TopTable, EveryResultIsOnDiskRightAfterItIsAdded)
{
    CTempDir dir;
    const std::string path = dir.File("top7.tbl");
    CTopTable table(2);
    EXPECT_FALSE(table.Write()); // nothing opened yet
    table.Open(path);
    table.Add(1, 640, "Quick Save");
    // as a killed process would leave it: no Write at the end
    CTopTable reread(2);
    reread.Open(path);
    EXPECT_EQ(reread.GetName(1, 0), "Quick Save");
    EXPECT_EQ(reread.GetPoints(1, 0), 640);
    EXPECT_NE(Plain(path).find("top7.rec_name001000 \"Quick Save\"\n"), std::string::npos);

    // a folder that cannot be written keeps the table in memory and reports it
    CTopTable unwritable(2);
    unwritable.Open(dir.File("no/such/folder/top7.tbl"));
    unwritable.Add(0, 10, "kept");
    EXPECT_EQ(unwritable.GetName(0, 0), "kept");
    EXPECT_FALSE(unwritable.Write());
}

TEST(TopTable, EveryPrintableCharacterTheNameRuleAcceptsSurvivesTheFile)
{
    for (int c = 32; c <= 126; ++c)
    {
        const std::string ch(1, static_cast<char>(c));
        // alone, at both ends, doubled and between words
        for (const std::string& name : {ch, ch + "x", "x" + ch, ch + ch, "a " + ch + " b", ch + " " + ch})
        {
            SCOPED_TRACE("name [" + name + "]");
            const bool storable = CTopTable::IsStorableName(name);
            EXPECT_EQ(storable, c != '"' && !(c == '/' && name.find("//") != std::string::npos));
            CTopTable table(2);
            table.Load(CKeyValueFile());
            table.Add(0, 50, "before");
            table.Add(0, 40, name);
            table.Add(0, 30, "after");
            table.Add(1, 20, "other table");
            // the written text read back, as the enciphered file carries it byte for byte
            CKeyValueFile written;
            table.Save(written);
            CKeyValueFile file;
            ASSERT_TRUE(file.Parse(written.BuildText()));

            CTopTable reread(2);
            reread.Load(file);
            const std::string expected = storable ? name : CTopTable::MakeStorable(name);
            EXPECT_EQ(reread.GetName(0, 1), expected);
            EXPECT_EQ(reread.GetName(0, 0), "before");
            EXPECT_EQ(reread.GetName(0, 2), "after");
            EXPECT_EQ(reread.GetPoints(0, 2), 30);
            EXPECT_EQ(reread.GetName(0, 3), "Nemo");
            EXPECT_EQ(reread.GetPoints(0, 6), 0);
            EXPECT_EQ(reread.GetName(1, 0), "other table");
        }
    }
}

TEST(TopTable, NamesTheFileCannotCarryAreCleanedOnTheWayIn)
{
    EXPECT_EQ(CTopTable::MakeStorable("say \"hi\""), "say hi");
    EXPECT_EQ(CTopTable::MakeStorable("a//b///c"), "a/b/c");
    EXPECT_EQ(CTopTable::MakeStorable("/x/"), "/x/");
    EXPECT_TRUE(CTopTable::IsStorableName(CTopTable::MakeStorable("\"//\"//")));

    // a file edited by hand with a stray quote in a bare value does not spread
    CKeyValueFile file;
    ASSERT_TRUE(file.Parse("top7.rec_name000000 ab\"c\ntop7.rec_points000000 10\n"));
    CTopTable table(2);
    table.Load(file);
    EXPECT_EQ(table.GetName(0, 0), "abc");
    EXPECT_EQ(table.GetPoints(0, 0), 10);
}
