// Province effects: the types read from the effects file, the effects a province holds and the sum of
// their modifiers.
#include <gtest/gtest.h>

#include <string>

#include "datalang/block_round_trip.h"
#include "datalang/definition_file.h"
#include "realms/province_effect.h"

#include "foundation/safeguards.h"

namespace {

TEST(ProvinceEffects, KeywordsGiveTheirNumbers)
{
    const struct {
        const char* word;
        int id;
    } cases[] = { { "looted", 0 }, { "heretic", 1 }, { "pneumonic_plague", 5 }, { "malaria", 6 },
        { "typhoid_fever", 9 }, { "revolt", 14 }, { "chaste", kEffectCount }, { "plains", kEffectCount } };
    for (const auto& c : cases)
        EXPECT_EQ(GetProvinceEffectType(TokenOf(c.word)), c.id) << c.word;
}

TEST(ProvinceEffects, TheModifierOfASetSumsTheEffectsHeld)
{
    ASSERT_EQ(LoadFailure(CProvinceEffectType::InitFromFile,
                  "poor = { effects = { tolls = 0.9 } }\n"
                  "rich = { effects = { tolls = 0.8 supportable = 2 } }\n"
                  "malaria = { effects = { attrition = 0.03 } }\n"),
        "");
    EXPECT_EQ(CProvinceEffectType::Get(13)->GetID(), 13);
    EXPECT_EQ(CProvinceEffectType::Get(15), nullptr);

    CProvinceEffectTuple effects;
    EXPECT_FLOAT_EQ(effects.GetModifier().tollsFactor, 1.0f);
    EXPECT_FLOAT_EQ(effects.GetModifier().attrition, 0.0f);
    effects.Add(11);
    effects.Add(13);
    EXPECT_FLOAT_EQ(effects.GetModifier().tollsFactor, 0.72f);
    EXPECT_FLOAT_EQ(effects.GetModifier().supportable, 2.0f);
    effects.Remove(13);
    EXPECT_FLOAT_EQ(effects.GetModifier().tollsFactor, 0.9f);
    CProvinceEffectType::Shutdown();
}

TEST(ProvinceEffects, SetsSaveInNumberOrderAndReadNoAsAbsent)
{
    CProvinceEffectTuple effects;
    effects.Add(13);
    effects.Add(6);
    CProvinceEffectTuple back;
    std::string written;
    ReadBack(effects, back, &written);
    EXPECT_EQ(back, effects);
    EXPECT_LT(written.find("malaria = yes"), written.find("rich = yes")) << written;

    EXPECT_EQ(ReadBlock(back, "rich = no }"), 0);
    EXPECT_FALSE(back.Exists(13));
    EXPECT_TRUE(back.Exists(6));
    EXPECT_NE(FatalMessageOf([&] { ReadBlock(back, "mine = yes }"); }).find("(Unknown )"), std::string::npos);
}

TEST(ProvinceEffectFile, BrokenFilesAreRefusedWithTheirLineAndLeaveTheTableAsItWas)
{
    ASSERT_EQ(
        LoadFailure(CProvinceEffectType::InitFromFile, "revolt = { effects = { demesne = 0.5 } }\n"), "");
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        { "revolt = { effects = { } }\nplague = { effects = { } }\n",
            "(unknown lhs in ProvinceEffect file)" },
        { "revolt = {\n  effect = { }\n}\n", "(unknown lhs in ProvinceEffect file)" },
        { "revolt = { effects = { taxes = 1 } }\n", "(unknown lhs in CModifier)" },
        { "revolt = { effects = 1 }\n", "(unknown lhs in ProvinceEffect file)" },
    };
    for (const auto& c : cases) {
        const std::string failure = LoadFailure(CProvinceEffectType::InitFromFile, c.text);
        EXPECT_NE(failure.find(c.message), std::string::npos) << c.text << failure;
        EXPECT_NE(failure.find("Line = "), std::string::npos) << failure;
        EXPECT_FLOAT_EQ(CProvinceEffectType::Get(14)->GetModifier().demesne, 0.5f) << c.text;
    }
    CProvinceEffectType::Shutdown();
}

} // namespace
