// Scores: arithmetic, the composite's totals, the player's text and the blocks of saved games.
#include <gtest/gtest.h>

#include <string>

#include "datalang/block_round_trip.h"
#include "realms/score.h"
#include "realms/text_keys.h"

namespace {

void ExpectScore(const CScore& score, float gold, float prestige, float piety)
{
    EXPECT_FLOAT_EQ(score.GetGold(), gold);
    EXPECT_FLOAT_EQ(score.GetPrestige(), prestige);
    EXPECT_FLOAT_EQ(score.GetPiety(), piety);
}

std::string ErrorOf(const std::string& message)
{
    return message.substr(0, message.find(" '"));
}

} // namespace

TEST(Score, SimpleArithmetic)
{
    CSimpleScore sum(1.0f, 2.0f, 3.0f);
    sum += CSimpleScore(0.5f, -2.0f, 1.0f);
    ExpectScore(sum, 1.5f, 0.0f, 4.0f);
    ExpectScore(-sum, -1.5f, 0.0f, -4.0f);
    ExpectScore(sum * 2.0f, 3.0f, 0.0f, 8.0f);
    CSimpleScore scaled(10.0f, 3.0f, 2.5f);
    EXPECT_EQ(&scaled.MemberwiseMultiplicationAndAssignment(CSimpleScore(0.5f, 1.0f, 2.0f)), &scaled);
    ExpectScore(scaled, 5.0f, 3.0f, 5.0f);
    EXPECT_TRUE(CSimpleScore().IsZero());
    EXPECT_FALSE(CSimpleScore(0.0f, 0.0f, -0.1f).IsZero());
}

TEST(Score, CompositeTotalsEveryPartAndCollapsesToIt)
{
    const CSimpleScore s(4.0f, 1.0f, 0.5f);
    const CCompositeScore single(VLST_NEGOTIATIONS, s);
    ExpectScore(CSimpleScore(single), 4.0f, 1.0f, 0.5f);
    ExpectScore(single.Get(VLST_NEGOTIATIONS), 4.0f, 1.0f, 0.5f);
    EXPECT_TRUE(single.Get(VLST_TAX_PEASANTS).IsZero());

    CCompositeScore many;
    for (int type = 0; type < VLST_COUNT; ++type)
        many.Add(static_cast<VLScoreType>(type), CSimpleScore(1.0f, 0.0f, 2.0f));
    ExpectScore(many, 9.0f, 0.0f, 18.0f);
    ExpectScore(-many, -9.0f, 0.0f, -18.0f);
    many.MemberwiseMultiplicationAndAssignment(CSimpleScore(2.0f, 1.0f, 0.5f));
    ExpectScore(many.Get(VLST_CONSTRUCTION), 2.0f, 0.0f, 1.0f);
    ExpectScore(many, 18.0f, 0.0f, 9.0f);
    // Types outside the nine parts read nothing and take nothing.
    many.Add(static_cast<VLScoreType>(9), s);
    EXPECT_TRUE(many.Get(static_cast<VLScoreType>(-1)).IsZero());
    ExpectScore(many, 18.0f, 0.0f, 9.0f);
}

TEST(Score, DescriptionNamesTheNonZeroParts)
{
    PutTexts({ { "SCOREGOLD", "gold" }, { "PRESTIGE", "prestige" }, { "PIETY", "piety" } });
    char text[128] = "stale";
    CSimpleScore().GetDesc(text);
    EXPECT_STREQ(text, "");
    CSimpleScore(10.0f, 0.0f, 2.5f).GetDesc(text);
    EXPECT_STREQ(text, "10.00 gold 2.50 piety ");
    CSimpleScore(-1.0f, 3.0f, 0.0f).GetDesc(text);
    EXPECT_STREQ(text, "-1.00 gold 3.00 prestige ");
    // A short buffer is cut, never overrun.
    char small[8];
    CSimpleScore(123456.0f, 1.0f, 1.0f).GetDesc(small);
    EXPECT_STREQ(small, "123456.");
}

TEST(Score, BlocksRoundTrip)
{
    struct Case {
        CSimpleScore score;
        const char* written;
    };
    const Case simple[] = {
        { CSimpleScore(), "key = { } " },
        { CSimpleScore(10.0f, 0.0f, 2.5f), "key = { gold = 10.000 piety = 2.500 } " },
        { CSimpleScore(-1.0f, 0.25f, -3.0f), "key = { gold = -1.000 prestige = 0.250 piety = -3.000 } " },
    };
    for (const Case& c : simple) {
        CSimpleScore read;
        std::string text;
        ReadBack(c.score, read, &text);
        EXPECT_EQ(text, c.written);
        ExpectScore(read, c.score.GetGold(), c.score.GetPrestige(), c.score.GetPiety());
    }
    // Parts a block leaves out keep what they were.
    CSimpleScore kept(7.0f, 7.0f, 7.0f);
    EXPECT_EQ(ReadBlock(kept, "piety = 1 }"), 0);
    ExpectScore(kept, 7.0f, 7.0f, 1.0f);

    // Parts that cancel make a zero total, yet both are written and read back.
    CCompositeScore cancelling(VLST_TAX_PEASANTS, CSimpleScore(5.0f, 0.0f, 0.0f));
    cancelling.Add(VLST_BUILDINGS, CSimpleScore(-5.0f, 0.0f, 0.0f));
    cancelling.Add(VLST_PLUNDER, CSimpleScore(1.0f, 0.0f, 0.0f));
    cancelling.Add(VLST_PLUNDER, CSimpleScore(-1.0f, 0.0f, 0.0f));
    EXPECT_TRUE(cancelling.IsZero());
    CCompositeScore read;
    std::string text;
    ReadBack(cancelling, read, &text);
    EXPECT_EQ(text, "key = { income_tax_peasants = { gold = 5.000 } income_buildings = { gold = -5.000 } } ");
    ExpectScore(read.Get(VLST_TAX_PEASANTS), 5.0f, 0.0f, 0.0f);
    ExpectScore(read.Get(VLST_BUILDINGS), -5.0f, 0.0f, 0.0f);

    // Plunder, contribution and construction count in totals but never reach the file.
    CCompositeScore unsaved(VLST_CONSTRUCTION, CSimpleScore(3.0f, 0.0f, 0.0f));
    unsaved.Add(VLST_PROVINCE, CSimpleScore(3.0f, 0.0f, 0.0f));
    EXPECT_EQ(WrittenBlock(unsaved), "key = { } ");

    CSimpleScore twice;
    EXPECT_EQ(ReadBlock(twice, "gold = 1 gold = 2.5 }"), 0);
    ExpectScore(twice, 2.5f, 0.0f, 0.0f);
}

TEST(Score, UnknownKeysAreParseErrors)
{
    const char* const simpleBodies[] = { "gold = 1\nmoney = 3 }", "peasants = 1 }" };
    for (const char* body : simpleBodies) {
        CSimpleScore score;
        EXPECT_EQ(ErrorOf(FatalMessageOf([&] { ReadBlock(score, body); })),
            "ERROR : (unknown lhs in scenario file (score))")
            << body;
    }
    const char* const compositeBodies[] = { "income_plunder = { gold = 1 } }",
        "income_buildings = { money = 1 } }", "income_buildings = 4 }" };
    for (const char* body : compositeBodies) {
        CCompositeScore score;
        EXPECT_EQ(ErrorOf(FatalMessageOf([&] { ReadBlock(score, body); })),
            "ERROR : (unknown lhs in scenario file (score))")
            << body;
    }
}
