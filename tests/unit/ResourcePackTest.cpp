#include "engine/PackKey.h"
#include "engine/ResourceManager.h"

#include "FoundationTestUtil.h"

#include <gtest/gtest.h>

#include <cstring>
#include <type_traits>
#include <utility>

// A size read from a file stays a size all the way to the readers: an int
// would turn a 2 GB file's size negative.
static_assert(std::is_same_v<decltype(std::declval<const CFileBuffer&>().GetSize()), size_t>);

using NTestUtil::Bytes;
using NTestUtil::CTempDir;

namespace
{
void PutU32(std::vector<uint8_t>& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// One pack entry in the file format, written by hand.
void PutEntry(std::vector<uint8_t>& out, const std::string& name, const std::string& data, char flag = 'n')
{
    PutU32(out, static_cast<uint32_t>(name.size()));
    out.insert(out.end(), name.begin(), name.end());
    PutU32(out, static_cast<uint32_t>(data.size()));
    out.push_back(static_cast<uint8_t>(flag));
    out.insert(out.end(), data.begin(), data.end());
}

std::vector<uint8_t> PackHeader(uint32_t count)
{
    std::vector<uint8_t> out = {'L', 'B'};
    PutU32(out, count);
    return out;
}

std::string AsText(const CFileBuffer& buffer)
{
    return buffer.AsString();
}
} // namespace

TEST(ResourcePack, NamesAreLowerCasedWithForwardSlashes)
{
    EXPECT_EQ(CResourceManager::NormaliseName("MUI\\Font.TGA"), "mui/font.tga");
    EXPECT_EQ(CResourceManager::NormaliseName("dat/game.txt"), "dat/game.txt");
    EXPECT_EQ(CResourceManager::NormaliseName("AZ\\Zone\\ABC_XYZ.Spr"), "az/zone/abc_xyz.spr");
}

TEST(ResourcePack, BuiltPackReadsBackPlainAndScrambledEntries)
{
    CTempDir dir;
    std::string path = dir.File("data.pk");
    std::string secret = "m_bonus_price_life 500\nsecret text repeated secret text repeated";
    std::vector<uint8_t> binary(5000);
    for (size_t i = 0; i < binary.size(); ++i)
        binary[i] = static_cast<uint8_t>(i * 7);
    {
        CResourceManager builder;
        builder.SetPackKey(kPackKey);
        ASSERT_TRUE(builder.AddMemoryEntry("dat/game.txt", Bytes(secret), true));
        ASSERT_TRUE(builder.AddMemoryEntry("Mui/Font.tga", binary, false));
        ASSERT_TRUE(builder.AddMemoryEntry("empty.txt", {}, true));
        // The builder reads its own entries as they are.
        EXPECT_EQ(AsText(builder.Load("DAT\\GAME.TXT")), secret);
        ASSERT_TRUE(builder.SavePack(path));
        std::vector<uint8_t> first = NTestUtil::ReadBytes(path);
        // Saving again gives the same bytes: the held data was not scrambled in place.
        ASSERT_TRUE(builder.SavePack(path));
        EXPECT_EQ(NTestUtil::ReadBytes(path), first);
        std::string raw(first.begin(), first.end());
        EXPECT_EQ(raw.find("secret text"), std::string::npos);
        EXPECT_NE(raw.find("mui/font.tga"), std::string::npos);
    }
    CResourceManager reader;
    reader.SetPackKey(kPackKey);
    ASSERT_TRUE(reader.OpenPack(path));
    EXPECT_EQ(reader.GetEntryCount(), 3u);
    EXPECT_EQ(AsText(reader.Load("Dat\\Game.txt")), secret);
    EXPECT_EQ(reader.Load("mui/font.tga").GetBytes(), binary);
    EXPECT_TRUE(reader.Load("empty.txt").IsEmpty());

    // Without the key the scrambled entry stays scrambled.
    CResourceManager noKey;
    ASSERT_TRUE(noKey.OpenPack(path));
    EXPECT_NE(AsText(noKey.Load("dat/game.txt")), secret);
    EXPECT_EQ(noKey.Load("dat/game.txt").GetSize(), secret.size());
}

TEST(ResourcePack, PackEntryWinsOverLooseFileAndMissingNamesFallBack)
{
    CTempDir dir;
    std::string loose = dir.File("dat.txt");
    ASSERT_TRUE(NTestUtil::WriteText(loose, "loose"));
    ASSERT_TRUE(NTestUtil::WriteText(dir.File("other.txt"), "other"));
    CResourceManager builder;
    ASSERT_TRUE(builder.AddMemoryEntry(loose, Bytes("packed"), false));
    ASSERT_TRUE(builder.SavePack(dir.File("data.pk")));

    CResourceManager reader;
    ASSERT_TRUE(reader.OpenPack(dir.File("data.pk")));
    EXPECT_EQ(AsText(reader.Load(loose)), "packed");
    EXPECT_EQ(AsText(reader.Load(dir.File("other.txt"))), "other");
    EXPECT_TRUE(reader.Load(dir.File("missing.txt")).IsEmpty());
}

TEST(ResourcePack, StoredNameWithBackslashIsNeverFound)
{
    CTempDir dir;
    std::vector<uint8_t> pack = PackHeader(2);
    PutEntry(pack, "DAT\\X.TXT", "hidden");
    PutEntry(pack, "DAT/Y.TXT", "found");
    ASSERT_TRUE(NTestUtil::WriteBytes(dir.File("p.pk"), pack));
    CResourceManager reader;
    ASSERT_TRUE(reader.OpenPack(dir.File("p.pk")));
    EXPECT_TRUE(reader.Load("dat\\x.txt").IsEmpty());
    EXPECT_EQ(AsText(reader.Load("dat\\y.txt")), "found");
}

TEST(ResourcePack, ScrambleIsItsOwnInverseAndRepeatsEveryKeyLength)
{
    // Key "abc": the two tables are b c a and a b c, so zeros become 3 1 2 3 1 2.
    std::vector<uint8_t> zeros(6, 0);
    CResourceManager::Scramble(zeros.data(), zeros.size(), "abc");
    EXPECT_EQ(zeros, (std::vector<uint8_t>{3, 1, 2, 3, 1, 2}));

    std::vector<uint8_t> data(1000);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<uint8_t>(i);
    std::vector<uint8_t> original = data;
    CResourceManager::Scramble(data.data(), data.size(), kPackKey);
    EXPECT_NE(data, original);
    CResourceManager::Scramble(data.data(), data.size(), kPackKey);
    EXPECT_EQ(data, original);

    std::vector<uint8_t> blank(58, 0);
    CResourceManager::Scramble(blank.data(), blank.size(), kPackKey);
    EXPECT_TRUE(std::equal(blank.begin(), blank.begin() + 29, blank.begin() + 29));
}

TEST(ResourcePack, RejectsWhatIsNotAPack)
{
    CTempDir dir;
    CResourceManager reader;
    EXPECT_FALSE(reader.OpenPack(dir.File("missing.pk")));
    ASSERT_TRUE(NTestUtil::WriteBytes(dir.File("bad.pk"), Bytes("XB\x01\x00\x00\x00")));
    EXPECT_FALSE(reader.OpenPack(dir.File("bad.pk")));
    ASSERT_TRUE(NTestUtil::WriteBytes(dir.File("one.pk"), Bytes("L")));
    EXPECT_FALSE(reader.OpenPack(dir.File("one.pk")));
}

TEST(ResourcePack, DamagedPackKeepsTheEntriesBeforeTheDamage)
{
    CTempDir dir;
    struct SCase
    {
        const char* what;
        std::vector<uint8_t> pack;
        size_t kept;
    };
    std::vector<SCase> cases;
    {
        std::vector<uint8_t> p = PackHeader(3);
        PutEntry(p, "a.txt", "A");
        PutEntry(p, std::string(100, 'n'), "long name");
        PutEntry(p, "c.txt", "C");
        cases.push_back({"name of 100 bytes", p, 1});
    }
    {
        std::vector<uint8_t> p = PackHeader(2);
        PutEntry(p, "a.txt", "A");
        PutEntry(p, std::string(99, 'n'), "ok");
        cases.push_back({"name of 99 bytes", p, 2});
    }
    {
        std::vector<uint8_t> p = PackHeader(0xFFFFFFFF);
        PutEntry(p, "a.txt", "A");
        cases.push_back({"count past the end", p, 1});
    }
    {
        std::vector<uint8_t> p = PackHeader(2);
        PutEntry(p, "a.txt", "A");
        PutEntry(p, "b.txt", "0123456789");
        p.resize(p.size() - 3);
        cases.push_back({"data past the end", p, 1});
    }
    {
        std::vector<uint8_t> p = PackHeader(2);
        PutEntry(p, "a.txt", "A");
        PutU32(p, 0xFFFFFFF0);
        cases.push_back({"huge name length", p, 1});
    }
    {
        std::vector<uint8_t> p = PackHeader(1);
        PutU32(p, 5);
        p.insert(p.end(), {'a', 'b'});
        cases.push_back({"name cut short", p, 0});
    }
    {
        std::vector<uint8_t> p = {'L', 'B', 1};
        cases.push_back({"count cut short", p, 0});
    }
    for (const SCase& c : cases)
    {
        std::string path = dir.File("damaged.pk");
        ASSERT_TRUE(NTestUtil::WriteBytes(path, c.pack));
        CResourceManager reader;
        bool ok = reader.OpenPack(path);
        EXPECT_EQ(reader.GetEntryCount(), c.kept) << c.what;
        EXPECT_EQ(ok, c.kept == 2) << c.what;
        if (c.kept > 0)
        {
            EXPECT_EQ(AsText(reader.Load("a.txt")), "A") << c.what;
        }
        EXPECT_TRUE(reader.Load("b.txt").IsEmpty()) << c.what;
    }
}

TEST(ResourcePack, BuilderRefusesNamesThePackCannotHold)
{
    CResourceManager builder;
    EXPECT_FALSE(builder.AddMemoryEntry(std::string(100, 'x'), Bytes("a"), false));
    EXPECT_FALSE(builder.AddMemoryEntry("", Bytes("a"), false));
    EXPECT_TRUE(builder.AddMemoryEntry(std::string(99, 'x'), Bytes("a"), false));
    EXPECT_EQ(builder.GetEntryCount(), 1u);
}

TEST(ResourcePack, LoadOfMissingFileIsEmpty)
{
    CResourceManager manager;
    EXPECT_TRUE(manager.Load("no/such/file.txt").IsEmpty());
    SetResourceManager(&manager);
    EXPECT_EQ(GetResourceManager(), &manager);
    SetResourceManager(nullptr);
}
