// The troop types' base values: the combat file, what a missing or broken file leaves, and the empty losses
// record a realm saves.
#include <gtest/gtest.h>

#include <string>

#include "armies/combat_stats.h"
#include "datalang/definition_file.h"
#include "datalang/parser.h"
#include "datalang/script_tree.h"
#include "realms/text_keys.h"
#include "support/scratch.h"

#include "foundation/safeguards.h"

namespace {

class CombatStats : public ::testing::Test {
protected:
    void TearDown() override { CCombatStats::Shutdown(); }

    static void ExpectAllZero()
    {
        for (int type = 0; type < kTroopTypeCount; ++type) {
            EXPECT_EQ(CCombatStats::GetCoySize(type), 0) << type;
            EXPECT_EQ(CCombatStats::GetBaseAttValue(type), 0.0f) << type;
            EXPECT_EQ(CCombatStats::GetBaseDefValue(type), 0.0f) << type;
            EXPECT_EQ(CCombatStats::GetBaseShockValue(type), 0.0f) << type;
            EXPECT_EQ(CCombatStats::GetBaseMoraleValue(type), 0.0f) << type;
            EXPECT_EQ(CCombatStats::GetUpkeep(type), 0.0f) << type;
        }
    }
};

TEST_F(CombatStats, WithoutAFileEveryValueIsZero)
{
    ExpectAllZero();
    EXPECT_FALSE(CCombatStats::InitFromFile("/nonexistent/combat.txt"));
    ExpectAllZero();
}

TEST_F(CombatStats, BlocksSetOnlyTheTypesTheyNameAndALaterBlockOverwrites)
{
    ASSERT_EQ(LoadFailure(CCombatStats::InitFromFile,
                  "attack = { archers = 5.9 }\n"
                  "size = { heavy_cav = 50 archers = 150 }\n"
                  "defence = { pikemen = 6 } shock = { heavy_cav = 10 } morale = { heavy_inf = 5 }\n"
                  "upkeep = { light_cav = 15 }\n"
                  "size = { archers = 120 }\n"
                  "}\n"),
        "");
    for (int type = 0; type < kTroopTypeCount; ++type)
        EXPECT_EQ(CCombatStats::GetBaseAttValue(type), type == ARCHERS ? 5.0f : 0.0f) << "whole numbers only";
    EXPECT_EQ(CCombatStats::GetCoySize(HEAVY_CAVALRY), 50);
    EXPECT_EQ(CCombatStats::GetCoySize(ARCHERS), 120);
    EXPECT_EQ(CCombatStats::GetBaseDefValue(PIKEMEN), 6.0f);
    EXPECT_EQ(CCombatStats::GetBaseShockValue(HEAVY_CAVALRY), 10.0f);
    EXPECT_EQ(CCombatStats::GetBaseMoraleValue(HEAVY_INFANTRY), 5.0f);
    EXPECT_EQ(CCombatStats::GetUpkeep(LIGHT_CAVALRY), 15.0f);
    EXPECT_EQ(CCombatStats::GetCoySize(kTroopTypeCount), 0);
}

TEST_F(CombatStats, BrokenFilesAreRefusedAndLeaveTheTablesAsTheyWere)
{
    ASSERT_EQ(LoadFailure(CCombatStats::InitFromFile, "size = { archers = 150 }\n"), "");
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        { "armour = { archers = 3 }\n", "(unknown lhs in combatstats file)" },
        { "attack = 5\n", "(unknown lhs in combatstats file)" },
        { "size = { archers = 1e30 }\n", "(combat value out of range in combatstats file)" },
        { "size = { archers = -5 }\n", "(combat value out of range in combatstats file)" },
        { "size = { knights = 5 }\n", "(unknown lhs in scenario file (military composition))" },
    };
    for (const auto& c : cases) {
        EXPECT_NE(LoadFailure(CCombatStats::InitFromFile, c.text).find(c.message), std::string::npos)
            << c.text;
        EXPECT_EQ(CCombatStats::GetCoySize(ARCHERS), 150) << c.text;
    }
}

TEST_F(CombatStats, BaseEquipmentIsNamedByTroopType)
{
    PutTexts({ { "ARCHERS_BASE_WEAPON_NAME", "Bow" }, { "MILITIA_BASE_ARMOR_NAME", "Smock" } });
    EXPECT_STREQ(CCombatStats::GetBaseWeaponName(ARCHERS), "Bow");
    EXPECT_STREQ(CCombatStats::GetBaseArmorName(MILITIA), "Smock");
    EXPECT_STREQ(CCombatStats::GetBaseWeaponName(kTroopTypeCount), "");
    EXPECT_STREQ(CCombatStats::GetBaseArmorName(-1), "");
}

TEST(Losses, TheBlockIsReadPastWhateverItHoldsAndWritesEmpty)
{
    support::ScratchFile file("a = 1 nested = { b = { c = 2 } } }\nafter = 3\n");
    CLexer::InitTokens();
    CRZParser parser(file.Path(), "r");
    CRZLosses losses;
    EXPECT_EQ(losses.ParseFields(parser), 0);
    ASSERT_EQ(parser.ParseSimpleStatement(), 1);
    EXPECT_STREQ(parser.value.text, "3") << "the statement after the block is the reader's next";
    CLScript* script = losses.GetScript();
    ASSERT_NE(script, nullptr);
    ASSERT_NE(script->GetSList(), nullptr);
    EXPECT_EQ(script->GetSList()->GetSize(), 0);
    delete script;
}

} // namespace
