// Military compositions: the order of the seven values, their saved block and the lines that describe them.
#include <gtest/gtest.h>

#include <string>

#include "armies/military_composition.h"
#include "datalang/block_round_trip.h"

#include "foundation/safeguards.h"

namespace {

TEST(MilitaryComposition, TheSevenValueFormTakesTheSavedKeyOrder)
{
    const CMilitaryComposition c(1, 2, 3, 4, 5, 6, 7.9f);
    EXPECT_EQ(c.Get(HEAVY_CAVALRY), 1);
    EXPECT_EQ(c.Get(ARCHER_CAVALRY), 3);
    EXPECT_EQ(c.Get(ARCHERS), 4);
    EXPECT_EQ(c.Get(HEAVY_INFANTRY), 5);
    EXPECT_EQ(c.Get(PIKEMEN), 6);
    EXPECT_EQ(c.Get(MILITIA), 7);
    EXPECT_FLOAT_EQ(c.GetValue(MILITIA), 7.9f);
    EXPECT_EQ(c.Get(7), 0);
    EXPECT_EQ(c.Get(-1), 0);
    EXPECT_EQ(CMilitaryComposition(true).Get(PIKEMEN), 1);
    EXPECT_EQ(CMilitaryComposition().Get(PIKEMEN), 0);
}

TEST(MilitaryComposition, BlocksKeepTheNonZeroValuesAndRefuseOtherKeys)
{
    CMilitaryComposition c;
    c.Set(ARCHERS, 300);
    c.Set(HEAVY_CAVALRY, 20);
    CMilitaryComposition back;
    std::string written;
    ReadBack(c, back, &written);
    EXPECT_EQ(back, c);
    EXPECT_EQ(written.find("militia"), std::string::npos) << written;
    EXPECT_LT(written.find("heavy_cav"), written.find("archers")) << written;

    EXPECT_EQ(
        WrittenBlock(CMilitaryComposition()).find('='), WrittenBlock(CMilitaryComposition()).rfind('='));
    EXPECT_NE(FatalMessageOf([&] {
        ReadBlock(back, "knights = 3 }");
    }).find("unknown lhs in scenario file (military composition)"),
        std::string::npos);
}

TEST(MilitaryComposition, SpecialInfoSkipsNeutralValues)
{
    CMilitaryComposition half(true);
    half.MemberwiseMultiplicationAndAssignment(CMilitaryComposition(1, 1, 1, 1, 1, 1.5f, 1));
    char text[256] = "";
    half.GetSpecialInfo("vs", text, sizeof text, true);
    // The text database is empty: a troop name reads as the unknown-string text.
    EXPECT_NE(std::string(text).find("vs "), std::string::npos) << text;
    EXPECT_NE(std::string(text).find("+50\\% \n"), std::string::npos) << text;
    EXPECT_EQ(std::string(text).find("+0"), std::string::npos) << text;

    char absolute[256] = "";
    CMilitaryComposition attack;
    attack.Set(ARCHERS, 4);
    attack.GetSpecialInfo("attack", absolute, sizeof absolute, false);
    EXPECT_NE(std::string(absolute).find(" attack +4\n"), std::string::npos) << absolute;
    EXPECT_EQ(
        std::string(absolute).find("attack", std::string(absolute).find("attack") + 1), std::string::npos);

    char tiny[8] = "";
    half.GetSpecialInfo("a long label", tiny, sizeof tiny, true);
    EXPECT_EQ(std::string(tiny).size(), sizeof tiny - 1);
}

TEST(MilitaryComposition, SumsDifferencesAndRoundingKeepWholeNonNegativeMen)
{
    CMilitaryComposition men(0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f);
    EXPECT_EQ(men.GetTotalSize(), 3) << "3.5 truncated";
    men += CMilitaryComposition(100, 0, 0, 2.9f, 0, 0, 0);
    EXPECT_EQ(men.Get(ARCHERS), 3);
    men -= CMilitaryComposition(10, 5, 0, 0, 0, 0, 0);
    EXPECT_FLOAT_EQ(men.GetValue(HEAVY_CAVALRY), 90.5f);
    EXPECT_EQ(men.GetValue(LIGHT_CAVALRY), 0.0f) << "never below nobody";
    men.Floor();
    EXPECT_EQ(men.GetValue(HEAVY_CAVALRY), 90.0f);
    EXPECT_EQ(men.GetValue(MILITIA), 0.0f);
    men.Cap(CMilitaryComposition(50, 50, 50, 50, 50, 50, 50));
    EXPECT_EQ(men.GetValue(HEAVY_CAVALRY), 50.0f);
    EXPECT_EQ(men.GetValue(ARCHERS), 3.0f);
    EXPECT_EQ((men *= 2.0f).GetValue(ARCHERS), 6.0f);
    EXPECT_EQ(men.GetValue(HEAVY_CAVALRY), 100.0f);
}

} // namespace
