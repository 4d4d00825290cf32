// The keyword table: every id and spelling, the free ids, case-insensitive lookup and a shallow tree.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "datalang/keyword_table.h"
#include "datalang/lexer.h"

namespace {

const std::set<int> kFreeIds
    = { 65, 66, 143, 144, 145, 147, 221, 222, 227, 228, 229, 231, 232, 237, 238, 242, 243, 244, 248, 249, 250,
          253, 254, 257, 258, 259, 260, 261, 294, 295, 393, 394, 396, 403, 595, 596, 597, 735, 756 };

std::string Upper(std::string s)
{
    for (char& c : s)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return s;
}

} // namespace

TEST(KeywordTable, CoversEveryIdOnceExceptTheFreeOnes)
{
    std::set<int> ids;
    for (const tokDescriptorEntry& entry : tokDescriptor) {
        EXPECT_GE(entry.id, 11u);
        EXPECT_LE(entry.id, 1252u);
        EXPECT_TRUE(ids.insert(static_cast<int>(entry.id)).second) << "id twice: " << entry.id;
        EXPECT_EQ(kFreeIds.count(static_cast<int>(entry.id)), 0u) << entry.id;
    }
    EXPECT_EQ(ids.size() + kFreeIds.size(), 1252u - 10u);
}

TEST(KeywordTable, EveryNameFoundInAnyCaseAndSpelledBack)
{
    CLexer::InitTokens();
    CLexer::InitTokens(); // a second call must not insert twice
    for (const tokDescriptorEntry& entry : tokDescriptor) {
        EXPECT_EQ(CLexer::_TokenTree.GetID(entry.name), static_cast<int>(entry.id)) << entry.name;
        EXPECT_EQ(CLexer::_TokenTree.GetID(Upper(entry.name).c_str()), static_cast<int>(entry.id))
            << entry.name;
        EXPECT_STREQ(CLexer::GetString(static_cast<int>(entry.id)), entry.name);
    }
    // 1203 names fit in 11 levels; the table's order must achieve that.
    EXPECT_LE(CLexer::_TokenTree.GetDepth(), 11);
}

TEST(KeywordTable, KnownIdsAndSpellings)
{
    CLexer::InitTokens();
    struct Case {
        const char* word;
        int id;
    } cases[] = {
        { "COUNTRY", 93 },
        { "Country", 93 },
        { "country", 93 },
        { "datepurchased", 102 },
        { "yes", 141 },
        { "no", 142 },
        { "character", 620 },
        { "worldmarket", 11 },
        { "id", 1252 },
        { "MAY_USE_ta", 49 },
        { "percentage_criminal_enterprise_occure", 750 },
        { "countrys", -1 },
        { "countr", -1 },
        { "", -1 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(CLexer::_TokenTree.GetID(c.word), c.id) << c.word;
    EXPECT_STREQ(CLexer::GetString(102), "datePurchased");
    EXPECT_STREQ(CLexer::GetString(104), "controllingCountry");
}

TEST(KeywordTable, SpellingsOfTheOtherTokenTypes)
{
    EXPECT_STREQ(CLexer::GetString(TT_EQUALS), "=");
    EXPECT_STREQ(CLexer::GetString(TT_QUOTE), "\"");
    EXPECT_STREQ(CLexer::GetString(TT_OPEN_BRACE), "{");
    EXPECT_STREQ(CLexer::GetString(TT_CLOSE_BRACE), "}");
    EXPECT_STREQ(CLexer::GetString(TT_COMMA), ",");
    EXPECT_STREQ(CLexer::GetString(TT_CONDITIONAL), "\xA4");
    EXPECT_STREQ(CLexer::GetString(TT_LINEFEED), "\n");
    EXPECT_STREQ(CLexer::GetString(TT_INDENT), "    ");
    EXPECT_STREQ(CLexer::GetString(TT_BLANK), " ");
    for (int none : { -1, 0, 7, 1253, 1254, 1255, 1256, 1260, 1261, 100000 })
        EXPECT_EQ(CLexer::GetString(none), nullptr) << none;
    for (int id : kFreeIds)
        EXPECT_EQ(CLexer::GetString(id), nullptr) << id;
}
