// Data texts filled in as formats: only suitable values fill specifiers, everything else prints as text.
#include <gtest/gtest.h>

#include <string>

#include "foundation/text_format.h"

TEST(TextFormat, FillsSuitableSpecifiersInOrder)
{
    struct Case {
        const char* format;
        std::string expected;
        std::string got;
    };
    const Case cases[] = {
        { "Move to %s for %.0f gold?", "Move to Uppland for 35 gold?",
            FormatDataText("Move to %s for %.0f gold?", { "Uppland", 35.0 }) },
        { "%s, then %s", "Leon, then Gascony",
            FormatDataText("%s, then %s", { "Leon", std::string("Gascony") }) },
        { "speed %d", "speed 7", FormatDataText("speed %d", { 7 }) },
        { "%5d|%-4s|%03i|%x|%c", "   42|ab  |007|ff|A",
            FormatDataText("%5d|%-4s|%03i|%x|%c", { 42, "ab", 7, 255, 65 }) },
        { "%.2s|%6.1f|%ld", "ab|  -2.5|-3", FormatDataText("%.2s|%6.1f|%ld", { "abc", -2.5, -3 }) },
        { "null text", "[]", FormatDataText("[%s]", { static_cast<const char*>(nullptr) }) },
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.got, c.expected) << c.format;
}

TEST(TextFormat, PrintsOtherSpecifiersAsTheyStand)
{
    struct Case {
        const char* label;
        std::string expected;
        std::string got;
    };
    const Case cases[] = {
        // One string for three specifiers: the second has no value left and %n is never filled.
        { "%s%s%n", "a%s%n", FormatDataText("%s%s%n", { "a" }) },
        { "%d for a string", "%d then x", FormatDataText("%d then %s", { "x" }) },
        { "string for a decimal", "cost %s 35.5", FormatDataText("cost %s %.1f", { 35.5 }) },
        { "lone %", "100%", FormatDataText("100%", { 1 }) },
        { "no values", "%d %s %f", FormatDataText("%d %s %f") },
        { "%p %*d", "%p %*d 3", FormatDataText("%p %*d %d", { 3 }) },
        { "huge width", "%100000d|%.500f|5", FormatDataText("%100000d|%.500f|%d", { 5, 1.0, 5 }) },
        { "trailing length", "%l", FormatDataText("%l", { 5 }) },
        { "unescaped colour code", "%777sOk", FormatDataText("%777sOk", { "x" }) },
        { "colour escapes", "%007usage %0779", FormatDataText("%%007usage %%077%d", { 9 }) },
        { "%%777 before a value", "%777Ok 3", FormatDataText("%%777Ok %d", { 3 }) },
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.got, c.expected) << c.label;
}

TEST(TextFormat, LongTextsAreNotCut)
{
    const std::string name(5000, 'n');
    const std::string filled = FormatDataText("<%s>", { name });
    EXPECT_EQ(filled.size(), 5002u);
    EXPECT_EQ(FormatDataText("%10s", { name }).size(), 5000u);
}
