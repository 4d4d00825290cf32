// The estates tuple: normalising, clamping, arithmetic and its block.
#include <gtest/gtest.h>

#include <string>

#include "characters/stands_tuple.h"
#include "datalang/block_round_trip.h"

namespace {

void ExpectTuple(const CStandsTuple& tuple, float peasants, float burghers, float clergy, float nobles)
{
    EXPECT_FLOAT_EQ(tuple.GetPeasants(), peasants);
    EXPECT_FLOAT_EQ(tuple.GetBurghers(), burghers);
    EXPECT_FLOAT_EQ(tuple.GetClergy(), clergy);
    EXPECT_FLOAT_EQ(tuple.GetNobles(), nobles);
}

} // namespace

TEST(StandsTuple, Normalize)
{
    struct Case {
        CStandsTuple in;
        CStandsTuple out;
    };
    const Case cases[] = {
        { CStandsTuple(), CStandsTuple(0.25f, 0.25f, 0.25f, 0.25f) },
        { CStandsTuple(0.5f, 0.5f, 0.5f, 0.5f), CStandsTuple(0.25f, 0.25f, 0.25f, 0.25f) },
        // Within 0.001 of 1 is left as it is.
        { CStandsTuple(0.5005f, 0.5f, 0.0f, 0.0f), CStandsTuple(0.5005f, 0.5f, 0.0f, 0.0f) },
        { CStandsTuple(1.0f, 0.0f, 0.0f, 3.0f), CStandsTuple(0.25f, 0.0f, 0.0f, 0.75f) },
        // A sum near zero is no scale to divide by.
        { CStandsTuple(0.5f, -0.5f, 0.0005f, 0.0f), CStandsTuple(0.25f, 0.25f, 0.25f, 0.25f) },
    };
    for (const Case& c : cases) {
        CStandsTuple tuple = c.in;
        tuple.Normalize();
        ExpectTuple(tuple, c.out.GetPeasants(), c.out.GetBurghers(), c.out.GetClergy(), c.out.GetNobles());
    }
}

TEST(StandsTuple, AddAndLimitHoldEveryEstateBetweenZeroAndOne)
{
    CStandsTuple tuple;
    tuple.Add(2, 5.0f);
    ExpectTuple(tuple, 0.0f, 0.0f, 1.0f, 0.0f);
    CStandsTuple negative(-0.5f, 0.3f, 2.0f, -1.0f);
    negative.Add(1, 0.1f);
    ExpectTuple(negative, 0.0f, 0.4f, 1.0f, 0.0f);
    // An estate outside 0..3 adds nothing but still clamps.
    CStandsTuple outside(-1.0f, 0.5f, 0.5f, 0.5f);
    outside.Add(7, 1.0f);
    ExpectTuple(outside, 0.0f, 0.5f, 0.5f, 0.5f);
    EXPECT_EQ(outside.Get(-1), 0.0f);
}

TEST(StandsTuple, Arithmetic)
{
    CStandsTuple sum(0.1f, 0.2f, 0.3f, 0.4f);
    sum += CStandsTuple(1.0f, 1.0f, 1.0f, 1.0f);
    ExpectTuple(sum, 1.1f, 1.2f, 1.3f, 1.4f);
    ExpectTuple(sum * 2.0f, 2.2f, 2.4f, 2.6f, 2.8f);
    ExpectTuple(
        CStandsTuple(0.5f, 0.3f, 0.1f, 0.1f).MemberwiseMultiplication(CStandsTuple(1.0f, 0.5f, 2.0f, 0.0f)),
        0.5f, 0.15f, 0.2f, 0.0f);
}

TEST(StandsTuple, BlockRoundTripAndErrors)
{
    CStandsTuple read;
    std::string text;
    ReadBack(CStandsTuple(0.5f, 0.0f, 0.125f, -1.0f), read, &text);
    EXPECT_EQ(text,
        "key = { \n    peasants = 0.500 \n    burghers = 0.000 \n    clergy = 0.125 \n    nobles = -1.000 \n "
        "   } ");
    ExpectTuple(read, 0.5f, 0.0f, 0.125f, -1.0f);

    CStandsTuple partial(0.1f, 0.1f, 0.1f, 0.1f);
    EXPECT_EQ(ReadBlock(partial, "nobles = 0.7 clergy = 0.2 nobles = 0.6 }"), 0);
    ExpectTuple(partial, 0.1f, 0.1f, 0.2f, 0.6f);

    const std::string message = FatalMessageOf([&] { ReadBlock(partial, "peasants = 1\ngold = 2 }"); });
    EXPECT_EQ(message.substr(0, message.find(" '")), "ERROR : (unknown lhs in scenario file (score))");
    EXPECT_NE(message.find("Line = 2"), std::string::npos) << message;
}
