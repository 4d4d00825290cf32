// Advances: the file of categories, groups and advances, the levels of a group, the equipment advances give
// and the advance sets of provinces and divisions.
#include <gtest/gtest.h>

#include <string>

#include "datalang/block_round_trip.h"
#include "datalang/definition_file.h"
#include "realms/advance.h"
#include "realms/text_keys.h"

#include "foundation/safeguards.h"

namespace {

const char* const kAdvances
    = "category = {\n"
      "  id = 3\n"
      "  group = {\n"
      "    id = 12\n"
      "    shortbow = { }\n"
      "    longbow = { weapon = { attack = { archers = 4 } archers = { pikemen = 1.5 } } }\n"
      "    composite_longbow = { armor = { defence = { archers = 2 } } }\n"
      "    reinforced_longbow = { siege = 1.5 }\n"
      "    marksman_longbow = { combat_multiplier = { shock = { militia = 2 } } }\n"
      "  }\n"
      "  group = { id = 22 sheep = { lasting_effects = { tolls = 1.25 } } }\n"
      "}\n"
      "category = { group = { hill_fort = { } } }\n";

class Advances : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(LoadFailure(CAdvanceType::InitFromFile, kAdvances), ""); }
    void TearDown() override { CAdvanceType::Shutdown(); }
};

TEST(AdvanceKeys, KeywordsGiveTheirNumbers)
{
    EXPECT_EQ(GetAdvanceType(TokenOf("sheep")), 73);
    EXPECT_EQ(GetAdvanceType(TokenOf("hill_fort")), 45);
    EXPECT_EQ(GetAdvanceType(TokenOf("critical_thinking")), 149);
    EXPECT_EQ(GetAdvanceType(TokenOf("mine")), kAdvanceCount);
}

TEST_F(Advances, GroupsNumberTheirAdvancesByCategoryAndLevel)
{
    const CAdvanceTypeGroup* group = CAdvanceTypeGroup::GetGroup(12);
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->GetCategory(), 3);
    EXPECT_EQ(group->GetAdvanceTypeFromLevel(2), 2);
    EXPECT_EQ(group->GetAdvanceTypeFromLevel(5), kAdvanceCount);
    EXPECT_EQ(CAdvanceTypeGroup::GetGroup(22)->GetAdvanceTypeFromLevel(1), kAdvanceCount);
    EXPECT_EQ(CAdvanceTypeGroup::GetGroups().GetSize(), 3);
    EXPECT_EQ(CAdvanceTypeGroup::GetGroup(7), nullptr);
    EXPECT_EQ(CAdvanceType::Get(73)->GetGroup(), 22);
    EXPECT_EQ(CAdvanceType::Get(73)->GetCategory(), 3);
    // Read before any "id" of its own: both numbers are still unset.
    EXPECT_EQ(CAdvanceType::Get(45)->GetGroup(), -1);
    EXPECT_EQ(CAdvanceType::Get(45)->GetCategory(), -1);
    EXPECT_EQ(CAdvanceType::Get(100)->GetID(), kAdvanceCount);

    const struct {
        int held;
        int next;
    } levels[] = { { -1, 1 }, { 0, 1 }, { 1, 2 }, { 2, 3 }, { 3, 4 }, { 4, 4 }, { 73, 1 } };
    for (const auto& l : levels) {
        CAdvanceTuple tuple;
        tuple.Add(l.held);
        EXPECT_EQ(tuple.GetNextLevelToDevelopInGroup(12), l.next) << l.held;
    }
}

TEST_F(Advances, EquipmentAndEffectsTexts)
{
    const CWeapon* weapon = CAdvanceType::Get(1)->GetWeapon();
    ASSERT_NE(weapon, nullptr);
    EXPECT_FLOAT_EQ(weapon->GetAttackValue(ARCHERS), 4.0f);
    EXPECT_FLOAT_EQ(weapon->GetAttackMultiplier(ARCHERS, PIKEMEN), 1.5f);
    EXPECT_FLOAT_EQ(weapon->GetAttackMultiplier(MILITIA, PIKEMEN), 1.0f);
    EXPECT_FLOAT_EQ(weapon->GetSuitability(ARCHERS), 4.0f * 7.5f);
    EXPECT_FLOAT_EQ(CAdvanceType::Get(2)->GetArmor()->GetDefenceValue(ARCHERS), 2.0f);
    EXPECT_FLOAT_EQ(CAdvanceType::Get(4)->GetCombatMultiplier()->GetShockMultiplier(MILITIA), 2.0f);
    EXPECT_FLOAT_EQ(CAdvanceType::Get(4)->GetCombatMultiplier()->GetMoraleMultiplier(MILITIA), 1.0f);
    EXPECT_EQ(CAdvanceType::Get(0)->GetWeapon(), nullptr);

    PutTexts({ { "ADV_SIEGE", "Siege" }, { "ADV_ATTACK", "attack" }, { "ADV_ATTACKMUL", "%s against" },
        { "TTYPE_ARCHERS", "Archers" }, { "TTYPE_PIKEMEN", "Pikemen" }, { "TOLL_MODIFIER", "Tolls" },
        { "SHEEP_NAME", "Sheep" }, { "NO_SUCH_ADVANCE_NAME", "None" } });
    EXPECT_STREQ(CAdvanceType::Get(0)->GetEffects(), "");
    EXPECT_STREQ(CAdvanceType::Get(3)->GetEffects(), "Siege +2\n");
    EXPECT_STREQ(CAdvanceType::Get(1)->GetEffects(), "Archers attack +4\nArchers against Pikemen +50\\% \n");
    EXPECT_STREQ(CAdvanceType::Get(73)->GetEffects(), "Tolls +25\\%\n");
    EXPECT_STREQ(CAdvanceType::Get(73)->GetName(), "Sheep");
    EXPECT_STREQ(CAdvanceType::Get(100)->GetName(), "None");
}

TEST(AdvanceSet, SavesInNumberOrderAndTestsWholeSets)
{
    CAdvanceTuple advances;
    advances.Add(140);
    advances.Add(3);
    advances.Add(150);
    CAdvanceTuple back;
    std::string written;
    ReadBack(advances, back, &written);
    EXPECT_EQ(back, advances);
    EXPECT_LT(written.find("reinforced_longbow = yes"), written.find("clerical_celibacy = yes")) << written;

    EXPECT_EQ(ReadBlock(back, "longbow = no reinforced_longbow = no sheep = yes }"), 0);
    EXPECT_FALSE(back.Exists(1));
    EXPECT_TRUE(back.Exists(3)) << "a value other than yes leaves a held advance held";
    EXPECT_TRUE(back.HasAll(advances));
    EXPECT_FALSE(advances.HasAll(back));
    EXPECT_TRUE(back.HasAll(CAdvanceTuple()));
    EXPECT_NE(FatalMessageOf([&] { ReadBlock(back, "mine = yes }"); }).find("(Unknown )"), std::string::npos);
}

TEST(AdvanceFile, BrokenFilesAreRefusedWithTheirLineAndLeaveTheTableAsItWas)
{
    ASSERT_EQ(
        LoadFailure(CAdvanceType::InitFromFile, "category = { group = { id = 4 mace = { siege = 3 } } }\n"),
        "");
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        { "category = { group = { id = 1 shortbow = { } longbow = { } composite_longbow = { }\n"
          "  reinforced_longbow = { } marksman_longbow = { }\n  slinged_javelin = { } } }\n",
            "(more than five advances in a group in advance file)" },
        { "group = { }\n", "(unknown lhs in advance file)" },
        { "category = { level = 1 }\n", "(unknown lhs in advance file)" },
        { "category = { group = { mine = { } } }\n", "(unknown lhs in advance file)" },
        { "category = { group = { mace = { cost = 1 } } }\n", "(unknown lhs in advance file)" },
        { "category = { group = { mace = { weapon = { speed = { } } } } }\n",
            "(unknown lhs in advances file (weapon))" },
        { "category = { group = { mace = { armor = { attack = { } } } } }\n",
            "(unknown lhs in advances file (armor))" },
        { "category = { group = { mace = { combat_multiplier = { defence = { } } } } }\n",
            "(unknown lhs in advances file (combat multiplier))" },
        { "category = { group = { mace = { lasting_effects = { taxes = 1 } } } }\n",
            "(unknown lhs in CModifier)" },
        { "category = { group = { mace = { weapon = { attack = 5 } } } }\n",
            "(unknown lhs in advances file (weapon))" },
        { "category = { group = { mace = { weapon = { attack = { knights = 5 } } } } }\n",
            "(military composition)" },
    };
    for (const auto& c : cases) {
        const std::string failure = LoadFailure(CAdvanceType::InitFromFile, c.text);
        EXPECT_NE(failure.find(c.message), std::string::npos) << c.text << failure;
        EXPECT_NE(failure.find("Line = "), std::string::npos) << failure;
        EXPECT_FLOAT_EQ(CAdvanceType::Get(27)->GetSiege(), 3.0f) << c.text;
        EXPECT_EQ(CAdvanceTypeGroup::GetGroups().GetSize(), 1) << c.text;
    }
    CAdvanceType::Shutdown();
    EXPECT_EQ(CAdvanceTypeGroup::GetGroups().GetSize(), 0);
}

} // namespace
