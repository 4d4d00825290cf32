// The base victory points' list: numbers in source order with or without commas, short lists that keep the
// rest, the written list read back, and the errors that abandon the load.
#include <gtest/gtest.h>

#include <string>

#include "datalang/block_round_trip.h"
#include "realms/base_vp.h"

#include "foundation/safeguards.h"

namespace {

TEST(BaseVP, NumbersFillTheSourcesInOrderAndReadBackAsWritten)
{
    CRZBaseVP points;
    EXPECT_EQ(ReadBlock(points, "1.5, 2 -3 4 5 6 7.25 }"), 0);
    EXPECT_FLOAT_EQ(points.Get(0), 1.5f);
    EXPECT_FLOAT_EQ(points.Get(2), -3.0f);
    EXPECT_FLOAT_EQ(points.Get(6), 7.25f);
    EXPECT_FLOAT_EQ(points.Get(7), 0.0f);

    EXPECT_EQ(ReadBlock(points, "9, 8 }"), 0);
    EXPECT_FLOAT_EQ(points.Get(0), 9.0f);
    EXPECT_FLOAT_EQ(points.Get(1), 8.0f);
    EXPECT_FLOAT_EQ(points.Get(2), -3.0f); // a short list leaves the rest as it was

    CRZBaseVP back;
    std::string written;
    ReadBack(points, back, &written);
    for (int source = 0; source < kBaseVPSourceCount; ++source)
        EXPECT_FLOAT_EQ(back.Get(source), points.Get(source)) << written;
}

TEST(BaseVP, AnEighthNumberOrAnythingElseAbandonsTheLoad)
{
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        { "1 2 3 4 5 6 7 8 }", "Too many values for basevp" },
        { "1 gold 3 }", "basevp: Unexpected field" },
        { "1 = 3 }", "basevp: Unexpected field" },
        { "1 2", "basevp: Unexpected field" },
    };
    for (const auto& c : cases) {
        CRZBaseVP points;
        const std::string message = FatalMessageOf([&] { ReadBlock(points, c.text); });
        EXPECT_NE(message.find(c.message), std::string::npos) << c.text << ": " << message;
    }
}

} // namespace
