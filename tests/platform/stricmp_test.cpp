// stricmp folds ASCII letters only and answers exactly -1, 0 or 1.
#include <gtest/gtest.h>

#include "platform/win/win32.h"

TEST(Stricmp, FoldsAsciiAndAnswersSign)
{
    struct Case {
        const char* a;
        const char* b;
        int want;
    } cases[] = {
        { "", "", 0 },
        { "abc", "ABC", 0 },
        { "a", "", 1 },
        { "", "a", -1 },
        { "abc", "abd", -1 },
        { "Zeta", "alpha", 1 },
        { "\xC0", "\xE0", -1 },
        { "\xE0", "a", -1 },
        { "[", "a", -1 },
        { "ab", "abc", -1 },
        { "COUNTRY", "Country", 0 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(stricmp(c.a, c.b), c.want) << c.a << " vs " << c.b;
}
