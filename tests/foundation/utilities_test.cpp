// The text utilities: bounded copies, decimal and integer reading, the 8-bit conversions, the stopwatch.
#include <gtest/gtest.h>

#include <climits>

#include "foundation/utilities.h"

TEST(Utilities, CopyStringNeverPassesItsBound)
{
    char small[4] = { 'x', 'x', 'x', 'x' };
    EXPECT_TRUE(CopyString(small, "abc"));
    EXPECT_STREQ(small, "abc");
    EXPECT_FALSE(CopyString(small, "abcdef"));
    EXPECT_STREQ(small, "abc");
    EXPECT_TRUE(CopyString(small, ""));
    EXPECT_STREQ(small, "");
    char none = 'n';
    EXPECT_FALSE(CopyString(&none, "a", 0));
    EXPECT_EQ(none, 'n');
}

TEST(Utilities, ConversionsCopyUnchanged)
{
    char to[8];
    EXPECT_STREQ(toupperstring("lower", to), "lower");
    EXPECT_EQ(ConvertFromUnicode("\xE9t\xE9", to), to);
    EXPECT_STREQ(to, "\xE9t\xE9");
    EXPECT_STREQ(ConvertToUnicode("much too long", to), "much to");
    EXPECT_EQ(AsciiLower('Q'), 'q');
    EXPECT_EQ(AsciiLower('\xC9'), '\xC9');
}

TEST(Utilities, ReadsNumbers)
{
    EXPECT_EQ(qvx_atof("0.1"), 0.1f);
    EXPECT_EQ(qvx_atof("1e3"), 1000.0f);
    EXPECT_EQ(qvx_atof("  -2.5x"), -2.5f);
    EXPECT_EQ(qvx_atof("abc"), 0.0f);
    EXPECT_EQ(qvx_atof(""), 0.0f);
    EXPECT_EQ(TextToInt("42"), 42);
    EXPECT_EQ(TextToInt("-7x"), -7);
    EXPECT_EQ(TextToInt("1066.1.1"), 1066);
    EXPECT_EQ(TextToInt("-"), 0);
    EXPECT_EQ(TextToInt("99999999999999999999"), INT_MAX);
    EXPECT_EQ(TextToInt("-99999999999"), INT_MIN);
}

TEST(Utilities, CycleCounterLeavesTheElapsedTicks)
{
    CCycleCounter counter;
    counter.Start();
    const std::uint32_t started = counter.GetCount();
    EXPECT_LE(started, CCycleCounter::TickCount());
    counter.Stop();
    // Start and Stop follow each other at once: far less than a minute of ticks.
    EXPECT_LT(counter.GetCount(), 3600u);
}
