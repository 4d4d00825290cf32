// Traits: the types read from the traits file, what a set of traits adds up to, the saved form of a set and
// the loads that must be refused.
#include <gtest/gtest.h>

#include <string>

#include "characters/trait.h"
#include "datalang/block_round_trip.h"
#include "datalang/definition_file.h"

#include "foundation/safeguards.h"

namespace {

const char* const kTraits = "chaste = {\n"
                            "  antithesis = { lustful = yes }\n"
                            "  opinion = { chaste = 2 lustful = -3.5 }\n"
                            "  opinion_of = 1.25\n"
                            "  attributes = { diplomacy = 1 health = -1 }\n"
                            "  periodic_score = { piety = 0.5 }\n"
                            "}\n"
                            "wise = {\n"
                            "  opinion = { lustful = -1 wise = 1 }\n"
                            "  opinion_of = 2\n"
                            "  attributes = { diplomacy = 2 stewardship = 3 }\n"
                            "  periodic_score = { prestige = 1 piety = 0.25 }\n"
                            "}\n"
                            "lustful = { antithesis = { chaste = yes } }\n";

class Traits : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(LoadFailure(CTraitType::InitFromFile, kTraits), ""); }
    void TearDown() override { CTraitType::Shutdown(); }
};

TEST(TraitKeys, KeywordsGiveTheirNumbersAndTwoTraitsTheirOwnTextWords)
{
    const struct {
        const char* word;
        int id;
    } keywords[] = { { "chaste", 0 }, { "heretic", 27 }, { "plagueinfested", 29 }, { "emperor", 77 },
        { "sunni", 85 }, { "shiite", 86 }, { "user_defined_c", 93 }, { "shortbow", kTraitCount } };
    for (const auto& k : keywords)
        EXPECT_EQ(GetTraitType(TokenOf(k.word)), k.id) << k.word;

    const struct {
        int id;
        const char* prefix;
        const char* key;
    } keys[]
        = { { 0, "TRAIT_NAME_", "TRAIT_NAME_CHASTE" }, { 29, "TRAIT_NAME_", "TRAIT_NAME_PLAGUE_INFESTED" },
              { 37, "TRAIT_DESC_", "TRAIT_DESC_CLUB_FOOTED" }, { 87, "TRAIT_DESC_", "TRAIT_DESC_SHY" },
              { 94, "TRAIT_NAME_", "TRAIT_NAME_" }, { -1, "TRAIT_NAME_", "TRAIT_NAME_" } };
    for (const auto& k : keys) {
        char key[64];
        CTraitType::GetTextKey(k.id, k.prefix, key, sizeof key);
        EXPECT_STREQ(key, k.key) << k.id;
    }
}

TEST_F(Traits, ASetAddsUpTheOpinionsAttributesAndScoresOfItsTraits)
{
    EXPECT_TRUE(CTraitType::Get(0)->GetAntithesis().Exists(1));
    EXPECT_EQ(CTraitType::Get(93)->GetID(), 93);
    EXPECT_EQ(CTraitType::Get(94), nullptr);

    CTraitTuple bearer;
    bearer.Add(0);
    bearer.Add(18);
    CTraitTuple other;
    other.Add(1);
    other.Add(18);
    // chaste of lustful -3.5, chaste of wise 0, wise of lustful -1, wise of wise 1.
    EXPECT_FLOAT_EQ(bearer.GetOpinionOf(other), -3.5f);
    EXPECT_FLOAT_EQ(bearer.GetOpinionOf(), 3.25f);
    const CAttributeTuple attributes = bearer.GetAttributeModifier();
    EXPECT_EQ(attributes.GetDiplomacy(), 3);
    EXPECT_EQ(attributes.GetStewardship(), 3);
    EXPECT_EQ(attributes.GetHealth(), -1);
    const CSimpleScore score = bearer.GetPeriodicScoreModifier();
    EXPECT_FLOAT_EQ(score.GetPrestige(), 1.0f);
    EXPECT_FLOAT_EQ(score.GetPiety(), 0.75f);

    const CTraitTuple none;
    EXPECT_EQ(none.GetOpinionOf(), 0.0f);
    EXPECT_EQ(none.GetOpinionOf(bearer), 0.0f);
    EXPECT_EQ(bearer.GetOpinionOf(none), 0.0f);
    EXPECT_EQ(none.GetAttributeModifier().GetDiplomacy(), 0);
    EXPECT_TRUE(none.GetPeriodicScoreModifier().IsZero());
}

TEST(TraitSet, SavesTheTraitsHeldInNumberOrderAndReadsOnlyYes)
{
    CTraitTuple traits;
    traits.Add(86);
    traits.Add(3);
    traits.Add(94);
    CTraitTuple back;
    std::string written;
    ReadBack(traits, back, &written);
    EXPECT_EQ(back, traits);
    EXPECT_LT(written.find("lazy = yes"), written.find("shiite = yes")) << written;
    EXPECT_EQ(written.find("no"), std::string::npos) << written;

    CTraitTuple read;
    EXPECT_EQ(ReadBlock(read, "chaste = no shy = yes }"), 0);
    EXPECT_FALSE(read.Exists(0));
    EXPECT_TRUE(read.Exists(87));
    EXPECT_EQ(ReadBlock(read, "shy = no }"), 0);
    EXPECT_TRUE(read.Exists(87));
    EXPECT_NE(FatalMessageOf([&] { ReadBlock(read, "looted = yes }"); }).find("(Unknown trait type)"),
        std::string::npos);
}

TEST(TraitFile, BrokenFilesAreRefusedWithTheirLineAndLeaveTheTableAsItWas)
{
    ASSERT_EQ(LoadFailure(CTraitType::InitFromFile, "shy = { opinion_of = 4 }\n"), "");
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        { "shy = { opinion_of = 1 }\nsheep = { }\n", "(unknown lhs in trait file)" },
        { "shy = {\n  opinion_of = 1\n  opinion_on = 1\n}\n", "(unknown lhs in trait file)" },
        { "shy = { opinion = { looted = 1 } }\n", "(Unknown trait type)" },
        { "shy = { antithesis = { lazy = yes sheep = yes } }\n", "(Unknown trait type)" },
        { "shy = { attributes = { wisdom = 1 } }\n", "(unknown lhs in scenario file (attributes))" },
        { "shy = { periodic_score = { silver = 1 } }\n", "(unknown lhs in scenario file (score))" },
        { "shy = { antithesis = lazy }\n", "(unknown lhs in trait file)" },
        { "shy = { opinion_of = 1 }\n}\n", "(unknown lhs in trait file)" },
    };
    for (const auto& c : cases) {
        const std::string failure = LoadFailure(CTraitType::InitFromFile, c.text);
        EXPECT_NE(failure.find(c.message), std::string::npos) << c.text << failure;
        EXPECT_NE(failure.find("Line = "), std::string::npos) << failure;
        EXPECT_FLOAT_EQ(CTraitType::Get(87)->GetOpinionOf(), 4.0f) << c.text;
    }
    CTraitType::Shutdown();
}

} // namespace
