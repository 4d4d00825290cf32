// Modifiers: reading definition blocks, combining and describing them.
#include <gtest/gtest.h>

#include <string>

#include "datalang/block_round_trip.h"
#include "realms/modifier.h"
#include "realms/text_keys.h"

namespace {

void ExpectDefault(const CModifier& m)
{
    EXPECT_FLOAT_EQ(m.scoreFactor.GetGold(), 1.0f);
    EXPECT_FLOAT_EQ(m.scoreFactor.GetPrestige(), 1.0f);
    EXPECT_FLOAT_EQ(m.scoreFactor.GetPiety(), 1.0f);
    EXPECT_FLOAT_EQ(m.buildTimeFactor, 1.0f);
    EXPECT_FLOAT_EQ(m.speedFactor, 1.0f);
    EXPECT_FLOAT_EQ(m.assassinationFactor, 1.0f);
    EXPECT_FLOAT_EQ(m.transportationCostFactor, 1.0f);
    EXPECT_FLOAT_EQ(m.demesne, 0.0f);
    EXPECT_FLOAT_EQ(m.tollsFactor, 1.0f);
    EXPECT_FLOAT_EQ(m.recruitmentFactor, 1.0f);
    EXPECT_FLOAT_EQ(m.attrition, 0.0f);
    EXPECT_FLOAT_EQ(m.supportable, 0.0f);
    EXPECT_TRUE(m.periodicScore.IsZero());
    EXPECT_TRUE(m.pillageScore.IsZero());
    for (int estate = 0; estate < CStandsTuple::COUNT; ++estate) {
        EXPECT_EQ(m.periodicLoyalty.Get(estate), 0.0f);
        EXPECT_EQ(m.loyalty.Get(estate), 0.0f);
    }
}

const char* const kEveryKey
    = "percentage_score = { gold = 1.2 prestige = 1.5 piety = 0.5 }\n"
      "percentage_build_time = 0.5 percentage_speed = 1.1\n"
      "percentage_assasination_success = 1.3 percentage_transportation_cost = 0.8\n"
      "demesne = 0.1 tolls = 1.2 speed = 1.25 attrition = 0.1 percentage_attrition = 0.2\n"
      "supportable = 2 periodic_score = { gold = 3 prestige = -1 }\n"
      "periodic_loyalty = { peasants = 0.01 nobles = -0.02 }\n"
      "pillage_score = { piety = 4 } loyalty = { clergy = 5 }\n"
      "regiment_skill_bonus = 3 research_bonus = 2 character_skill_bonus = 1 }";

} // namespace

TEST(Modifier, ReadsEveryKeyAndTheLaterAttritionWins)
{
    CModifier m;
    // A key whose id named another keyword would stop this read.
    ASSERT_EQ(ReadBlock(m, kEveryKey), 0);
    EXPECT_FLOAT_EQ(m.scoreFactor.GetGold(), 1.2f);
    EXPECT_FLOAT_EQ(m.speedFactor, 1.1f);
    EXPECT_FLOAT_EQ(m.recruitmentFactor, 1.25f);
    EXPECT_FLOAT_EQ(m.scoreFactor.GetPrestige(), 1.5f);
    EXPECT_FLOAT_EQ(m.scoreFactor.GetPiety(), 0.5f);
    EXPECT_FLOAT_EQ(m.buildTimeFactor, 0.5f);
    EXPECT_FLOAT_EQ(m.assassinationFactor, 1.3f);
    EXPECT_FLOAT_EQ(m.transportationCostFactor, 0.8f);
    EXPECT_FLOAT_EQ(m.demesne, 0.1f);
    EXPECT_FLOAT_EQ(m.tollsFactor, 1.2f);
    EXPECT_FLOAT_EQ(m.attrition, 0.2f);
    EXPECT_FLOAT_EQ(m.supportable, 2.0f);
    EXPECT_FLOAT_EQ(m.periodicScore.GetGold(), 3.0f);
    EXPECT_FLOAT_EQ(m.periodicScore.GetPrestige(), -1.0f);
    EXPECT_FLOAT_EQ(m.periodicLoyalty.GetPeasants(), 0.01f);
    EXPECT_FLOAT_EQ(m.periodicLoyalty.GetNobles(), -0.02f);
    EXPECT_FLOAT_EQ(m.pillageScore.GetPiety(), 4.0f);
    EXPECT_FLOAT_EQ(m.loyalty.GetClergy(), 5.0f);

    CModifier reversed;
    ASSERT_EQ(ReadBlock(reversed, "percentage_attrition = 0.2 attrition = 0.1 }"), 0);
    EXPECT_FLOAT_EQ(reversed.attrition, 0.1f);

    // Never saved: the script is an empty block.
    EXPECT_EQ(WrittenBlock(m), "key = { } ");
}

TEST(Modifier, UnknownKeysStopTheLoad)
{
    const std::pair<const char*, const char*> cases[] = {
        { "tolls = 1.1\nmoney = 3 }", "ERROR : (unknown lhs in CModifier)" },
        { "loyalty = 0.5 }", "ERROR : (unknown lhs in CModifier)" },
        { "periodic_score = { money = 1 } }", "ERROR : (unknown lhs in scenario file (score))" },
        { "loyalty = { gold = 1 } }", "ERROR : (unknown lhs in scenario file (score))" },
    };
    for (const auto& [body, error] : cases) {
        CModifier m;
        const std::string message = FatalMessageOf([&] { ReadBlock(m, body); });
        EXPECT_EQ(message.substr(0, message.find(" '")), error) << body;
    }
}

TEST(Modifier, FactorsMultiplyAndAmountsAdd)
{
    CModifier sum;
    sum += CModifier();
    ExpectDefault(sum);

    CModifier a;
    ASSERT_EQ(ReadBlock(a, kEveryKey), 0);
    CModifier total = a;
    total += a;
    EXPECT_FLOAT_EQ(total.tollsFactor, 1.44f);
    EXPECT_FLOAT_EQ(total.demesne, 0.2f);
    EXPECT_FLOAT_EQ(total.scoreFactor.GetGold(), 1.44f);
    EXPECT_FLOAT_EQ(total.scoreFactor.GetPiety(), 0.25f);
    EXPECT_FLOAT_EQ(total.buildTimeFactor, 0.25f);
    EXPECT_FLOAT_EQ(total.speedFactor, 1.21f);
    EXPECT_FLOAT_EQ(total.assassinationFactor, 1.69f);
    EXPECT_FLOAT_EQ(total.transportationCostFactor, 0.64f);
    EXPECT_FLOAT_EQ(total.recruitmentFactor, 1.5625f);
    EXPECT_FLOAT_EQ(total.attrition, 0.4f);
    EXPECT_FLOAT_EQ(total.supportable, 4.0f);
    EXPECT_FLOAT_EQ(total.periodicScore.GetGold(), 6.0f);
    EXPECT_FLOAT_EQ(total.periodicLoyalty.GetNobles(), -0.04f);
    EXPECT_FLOAT_EQ(total.pillageScore.GetPiety(), 8.0f);
    EXPECT_FLOAT_EQ(total.loyalty.GetClergy(), 10.0f);
    // The copy that was combined into stays as it was.
    EXPECT_FLOAT_EQ(a.tollsFactor, 1.2f);
}

TEST(Modifier, Description)
{
    PutTexts({ { "GOLD_BONUS", "Gold" }, { "PIETY_BONUS", "Piety" }, { "PRESTIGE_BONUS", "Prestige" },
        { "BUILDTIME_BONUS", "Build" }, { "SPEED_BONUS", "Speed" }, { "ASSASINATION_BONUS", "Assassins" },
        { "TOLL_MODIFIER", "Tolls" }, { "RECRUIT_MODIFIER", "Recruits" },
        { "ATTRITION_MODIFIER", "Attrition" }, { "SUPPORT_MODIFIER", "Support" },
        { "DEMESNE_MODIFIER", "Demesne" }, { "ABSOLUTE_GOLD_BONUS", "AGold" },
        { "ABSOLUTE_PRESTIGE_BONUS", "APrestige" }, { "PEASANTS_PERIODIC_LOYALTY_BONUS", "PPeasants" },
        { "NOBLES_PERIODIC_LOYALTY_BONUS", "PNobles" }, { "ABSOLUTE_PILLAGE_PIETY_BONUS", "Pillage" },
        { "CLERGY_LOYALTY_BONUS", "Clergy" } });
    EXPECT_STREQ(CModifier().GetDescription(), "");

    CModifier near;
    near.tollsFactor = 1.0005f;
    near.buildTimeFactor = 0.9995f;
    EXPECT_STREQ(near.GetDescription(), "");
    near.tollsFactor = 1.25f;
    EXPECT_STREQ(near.GetDescription(), "Tolls +25\\%\n");

    CModifier m;
    ASSERT_EQ(ReadBlock(m, kEveryKey), 0);
    EXPECT_STREQ(m.GetDescription(),
        "Gold +20\\%\nPiety -50\\%\nPrestige +50\\%\nBuild -50\\%\nSpeed +10\\%\nAssassins +30\\%\n"
        "Tolls +20\\%\nRecruits +25\\%\nAttrition +20\nSupport +2\nDemesne -10\nAGold +3\nAPrestige -1\n"
        "PPeasants +1.0\nPNobles -2.0\nPillage +4\nClergy +5\n");
}
