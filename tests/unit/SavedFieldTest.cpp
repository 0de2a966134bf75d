// The field's saved-game keys: what is written once a position was recorded
// (level 0 included), and which files are refused before anything is trusted.
#include "GameTestSupport.h"

#include "engine/AppSettings.h"
#include "engine/KeyValueFile.h"

namespace
{
using NGame::CField;
using NGameTest::CTestResources;
using NGameTest::RunUntilIdle;

// A recorded field of the level in the set, with a coin on one cell.
std::unique_ptr<CField> RecordedField(const std::string& dir, int advanced, int level)
{
    NRandom::Seed(7);
    auto field = std::make_unique<CField>(dir, 4, advanced);
    field->GoToLevel(level);
    field->DeleteInsects();
    RunUntilIdle(*field);
    field->SetCellCoin(field->GetMid(), 2, 3);
    field->RecordFieldState();
    return field;
}

TEST(SavedField, NothingIsWrittenBeforeTheFirstRecordButLevelZeroIsWrittenAfterIt)
{
    CTestResources resources;
    NRandom::Seed(3);
    CField field("dat/levels_classic", 4, 0);
    CKeyValueFile file;
    EXPECT_FALSE(field.SaveState(file));
    EXPECT_TRUE(file.GetEntries().empty());

    RunUntilIdle(field);
    ASSERT_EQ(field.GetLevelNumber(), 0);
    EXPECT_TRUE(field.SaveState(file));
    EXPECT_EQ(file.GetString("gamedata.dir_pattern", ""), "dat/levels_classic/lev%03d.raw");
    EXPECT_EQ(file.GetInt("gamedata.level_num", -1), 0);
    EXPECT_EQ(file.GetInt("gamedata.levels_count", -1), 4);
    EXPECT_EQ(file.GetInt("gamedata.m_game_type", -1), 0);
    EXPECT_EQ(file.GetString("gamedata.fieldstate", "").substr(0, 4), "000 ");
}

TEST(SavedField, RoundTripRestoresSetLevelCellsAndCoinsWithoutInsects)
{
    CTestResources resources;
    for (int advanced : {0, 1})
    {
        const std::string dir = advanced ? "dat/levels_duel" : "dat/levels_classic";
        auto field = RecordedField(dir, advanced, 3);
        CKeyValueFile file;
        ASSERT_TRUE(field->SaveState(file));
        // Through the written text, as the file carries it.
        CKeyValueFile read;
        ASSERT_TRUE(read.Parse(file.BuildText()));

        NRandom::Seed(11);
        CField restored("dat/levels_moving", 1, 0);
        ASSERT_TRUE(restored.LoadState(read));
        EXPECT_EQ(restored.GetLevelDir(), dir);
        EXPECT_EQ(restored.GetAdvanced(), advanced);
        EXPECT_EQ(restored.GetLevelCount(), 4);
        EXPECT_EQ(restored.GetLevelNumber(), 3);
        EXPECT_TRUE(restored.GetInsects().empty());
        EXPECT_EQ(restored.GetCellCoin(restored.GetMid(), 2), 3);
        EXPECT_EQ(restored.FormatFieldState(), field->GetFieldState());
    }
}

TEST(SavedField, DamagedOrForeignValuesAreRefused)
{
    CTestResources resources;
    auto field = RecordedField("dat/levels_duel", 1, 3);
    CKeyValueFile good;
    ASSERT_TRUE(field->SaveState(good));
    struct SDamage
    {
        const char* key;
        const char* value; // null: the key is removed
    };
    const SDamage damages[] = {
        {"gamedata.fieldstate", nullptr},
        {"gamedata.fieldstate", ""},
        {"gamedata.fieldstate", "003 01 02"},
        {"gamedata.dir_pattern", nullptr},
        {"gamedata.dir_pattern", "%s%s%s%s%n"},
        {"gamedata.dir_pattern", "dat/levels_duel/lev%s.raw"},
        {"gamedata.dir_pattern", "/etc/lev%03d.raw"},
        {"gamedata.dir_pattern", "dat/levels_duel/../../lev%03d.raw"},
        {"gamedata.level_num", "4"},
        {"gamedata.level_num", "-1"},
        {"gamedata.levels_count", nullptr},
        {"gamedata.levels_count", "0"},
        {"gamedata.levels_count", "-5"},
        {"gamedata.m_game_type", "7"},
    };
    for (const SDamage& damage : damages)
    {
        CKeyValueFile file = good;
        if (damage.value)
            file.SetString(damage.key, damage.value);
        else
            file.Remove(damage.key);
        NRandom::Seed(11);
        CField target("dat/levels_classic", 2, 0);
        EXPECT_FALSE(target.LoadState(file)) << damage.key << " = " << (damage.value ? damage.value : "(none)");
    }
    // A level beyond the last one of a game, with a text that matches it.
    auto far = RecordedField("dat/levels_classic", 0, 100);
    CKeyValueFile farFile;
    ASSERT_TRUE(far->SaveState(farFile));
    CField target("dat/levels_classic", 2, 0);
    EXPECT_FALSE(target.LoadState(farFile));
}
} // namespace
