// The 360-day calendar: arithmetic through the day count, comparisons, display scaling, ticks, text form.
#include "foundation/calendar_date.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {

void ExpectDate(const CDate& d, int year, int month, int day)
{
    EXPECT_EQ(d.year, year);
    EXPECT_EQ(d.month, month);
    EXPECT_EQ(d.day, day);
}

TEST(CDate, DayArithmeticCarriesThroughMonthsAndYears)
{
    CDate d(0, 0, 1066);
    d.AddDays(29);
    ExpectDate(d, 1066, 0, 29);
    d.AddDays(1);
    ExpectDate(d, 1066, 1, 0);
    d.AddDays(360);
    ExpectDate(d, 1067, 1, 0);
    d.AddDays(-31);
    ExpectDate(d, 1066, 11, 29);

    CDate m(29, 11, 1100);
    m.AddMonths(12);
    ExpectDate(m, 1101, 11, 29);
    m.AddMonths(-13);
    ExpectDate(m, 1100, 10, 29);
}

TEST(CDate, NegativeCountsTruncateTowardZero)
{
    CDate d;
    d.ConvertFromDays(-1);
    ExpectDate(d, 0, 0, -1);
    d.ConvertFromDays(-400);
    ExpectDate(d, -1, -1, -10);
    CDate e;
    e.AddDays(-400);
    EXPECT_EQ(e, d);
}

TEST(CDate, AddYearsMovesOnlyTheYear)
{
    CDate d(45, 14, 1200);
    d.AddYears(-3);
    ExpectDate(d, 1197, 14, 45);
}

TEST(CDate, DifferencesAreDurations)
{
    CDate a(10, 3, 1100);
    ExpectDate(a - a, 0, 0, 0);
    CDate b(5, 1, 1098);
    ExpectDate(a - b, 2, 2, 5);
    CDate back = b - a;
    ExpectDate(back, -2, -2, -5);
    ExpectDate(b + (a - b), 1100, 3, 10);
    CDate c = b;
    c += CDate(25, 0, 0);
    ExpectDate(c, 1098, 2, 0);
    c -= CDate(1, 0, 0);
    ExpectDate(c, 1098, 1, 29);
}

TEST(CDate, ComparisonIsLexicographic)
{
    struct Case {
        CDate a, b;
        bool greater, greaterEqual, equal;
    } cases[] = {
        { CDate(3, 4, 1100), CDate(3, 4, 1100), false, true, true },
        { CDate(0, 0, 1101), CDate(29, 11, 1100), true, true, false },
        { CDate(29, 11, 1100), CDate(0, 0, 1101), false, false, false },
        { CDate(0, 5, 1100), CDate(29, 4, 1100), true, true, false },
        { CDate(4, 5, 1100), CDate(3, 5, 1100), true, true, false },
        { CDate(-1, 0, 1100), CDate(0, 0, 1100), false, false, false },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.a > c.b, c.greater) << c.a.GetDays() << " vs " << c.b.GetDays();
        EXPECT_EQ(c.a >= c.b, c.greaterEqual) << c.a.GetDays() << " vs " << c.b.GetDays();
        EXPECT_EQ(c.a == c.b, c.equal) << c.a.GetDays() << " vs " << c.b.GetDays();
    }
}

TEST(CDate, JulianDaysScaleToRealMonthLength)
{
    struct Case {
        int day, month, expected;
    } cases[] = {
        { 29, 0, 29 },
        { 29, 3, 29 },
        { 29, 1, 27 },
        { 15, 0, 15 },
        { 0, 1, 0 },
        { 29, 11, 29 },
        { 29, 12, 29 }, // out-of-range month: no read past the table
        { 10, -1, 10 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(CDate(c.day, c.month, 1100).GetJulianDays(), c.expected) << c.day << "/" << c.month;
}

TEST(CDate, TicksCountFromTheStartDateAtTheClocksPace)
{
    CDate target(10, 0, 1067);
    EXPECT_EQ(target.ConvertToTicks(), 0);
    CDate start(0, 0, 1066);
    gDateTickSource.pStartDate = &start;
    gDateTickSource.GetTicksPerDay = [] { return 7; };
    EXPECT_EQ(target.ConvertToTicks(), 370 * 7);
    EXPECT_EQ(start.ConvertToTicks(), 0);
    gDateTickSource = CDateTickSource {};
}

TEST(CDate, TextFormRoundTripsEveryYear)
{
    char text[9];
    CDate(14, 8, 1066).GenerateString(text);
    EXPECT_STREQ(text, "10660814");
    for (int year = 0; year <= 9999; ++year) {
        CDate d(year % 30, year % 12, year);
        d.GenerateString(text);
        CDate back(1, 1, 1);
        back.AssignFromString(text);
        ASSERT_EQ(back, d) << text;
    }
}

TEST(CDate, ShortTextLeavesTheDateAndTextAlone)
{
    const char* texts[] = { "", "1066", "1066081" };
    for (const char* text : texts) {
        // Exactly sized heap copies, so that ASan sees any read or write past the text.
        size_t length = std::strlen(text);
        char* copy = new char[length + 1];
        std::memcpy(copy, text, length + 1);
        CDate d(3, 4, 1100);
        d.AssignFromString(copy);
        EXPECT_EQ(d, CDate(3, 4, 1100)) << text;
        EXPECT_STREQ(copy, text);
        delete[] copy;
    }
    char full[] = "11000315";
    CDate d;
    d.AssignFromString(full);
    EXPECT_EQ(d, CDate(15, 3, 1100));
    EXPECT_STREQ(full, "11000315");
}

TEST(CDate, OutOfRangeYearIsCutToTheBuffer)
{
    char text[10];
    std::memset(text, 'x', sizeof text);
    CDate(0, 0, 32000).GenerateString(text);
    EXPECT_EQ(std::strlen(text), 8u);
    EXPECT_EQ(text[9], 'x');
}

} // namespace
