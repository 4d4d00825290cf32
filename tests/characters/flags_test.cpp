// Scripted flags: setting, increasing within 16 bits, testing, and the saved block.
#include <gtest/gtest.h>

#include <string>

#include "characters/flags.h"
#include "datalang/block_round_trip.h"

TEST(Flags, SetIncreaseAndTestIgnoreLetterCase)
{
    CFlags flags;
    flags.SetFlag("Crowned", 2);
    flags.IncFlag("CROWNED", 3);
    ASSERT_NE(flags.Find("crowned"), nullptr);
    EXPECT_EQ(flags.Find("crowned")->value, 5);
    EXPECT_STREQ(flags.Find("crowned")->name, "Crowned");
    EXPECT_TRUE(flags.IsGreaterThan("crowned", 5));
    EXPECT_FALSE(flags.IsGreaterThan("crowned", 6));
    // Increasing a missing flag starts it at the delta.
    flags.IncFlag("raids", -4);
    EXPECT_EQ(flags.Find("raids")->value, -4);
    // An empty name is no flag.
    flags.SetFlag("", 1);
    flags.IncFlag(nullptr, 1);
    EXPECT_FALSE(flags.IsGreaterThan("", 0));
    EXPECT_EQ(flags.Find(""), nullptr);
}

TEST(Flags, TestingAMissingFlagLeavesAZeroFlagThatIsSaved)
{
    CFlags flags;
    EXPECT_EQ(flags.Find("plague"), nullptr);
    EXPECT_FALSE(flags.IsGreaterThan("plague", 1));
    ASSERT_NE(flags.Find("plague"), nullptr);
    EXPECT_EQ(flags.Find("plague")->value, 0);
    EXPECT_EQ(WrittenBlock(flags), "key = { plague = 0 } ");
    // A threshold of 0 or below holds for the new flag.
    EXPECT_TRUE(flags.IsGreaterThan("famine", 0));
}

TEST(Flags, IncreasingStopsAtTheEndsOfSixteenBits)
{
    struct Case {
        int start;
        int delta;
        int expected;
    };
    const Case cases[] = {
        { 32760, 7, 32767 },
        { 32760, 8, 32767 },
        { 32767, 1, 32767 },
        { 0, 2147483647, 32767 },
        { -32760, -9, -32768 },
        { -32768, -2147483647 - 1, -32768 },
        { 32767, -65535, -32768 },
        { 100, -50, 50 },
    };
    for (const Case& c : cases) {
        CFlags flags;
        flags.SetFlag("f", c.start);
        flags.IncFlag("f", c.delta);
        EXPECT_EQ(flags.Find("f")->value, c.expected) << c.start << " + " << c.delta;
    }
}

TEST(Flags, LongNamesAreCutToTheirFirst255Characters)
{
    CFlags flags;
    const std::string longName(300, 'x');
    flags.IncFlag(longName.c_str(), 1);
    flags.IncFlag(longName.c_str(), 1);
    const CFlag* flag = flags.Find(std::string(255, 'X').c_str());
    ASSERT_NE(flag, nullptr);
    EXPECT_EQ(flag->value, 2);
    EXPECT_EQ(std::string(flag->name).size(), 255u);
}

TEST(Flags, BlockRoundTrip)
{
    CFlags flags;
    ASSERT_EQ(ReadBlock(flags, "zeal = yes Apostasy = no crusades = 70000 crusades = 4 bad = -2 }"), 0);
    // "yes" is written back as 1; a name read twice is one flag with the later value; 70000 is cut to
    // its low 16 bits before the second entry replaces it.
    EXPECT_EQ(WrittenBlock(flags),
        "key = { \n    Apostasy = 0 \n    bad = -2 \n    crusades = 4 \n    zeal = 1 \n    } ");
    CFlags read;
    ReadBack(flags, read);
    EXPECT_EQ(WrittenBlock(read), WrittenBlock(flags));
    EXPECT_EQ(read.Find("ZEAL")->value, 1);

    CFlags wide;
    ASSERT_EQ(ReadBlock(wide, "many = 70000 }"), 0);
    EXPECT_EQ(wide.Find("many")->value, 4464);
    wide.RemoveAll();
    EXPECT_EQ(wide.Find("many"), nullptr);
    EXPECT_EQ(WrittenBlock(wide), "key = { } ");
}
