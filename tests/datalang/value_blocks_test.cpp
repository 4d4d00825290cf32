// The blocks of dates, identities, dated identity lists, points and attribute tuples: reading, the located
// errors of bad or cut-off blocks, and the round trip through the writer.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "datalang/attribute_tuple.h"
#include "datalang/block_keywords.h"
#include "datalang/block_round_trip.h"
#include "datalang/lexer.h"
#include "datalang/script_text.h"
#include "foundation/calendar_date.h"
#include "foundation/point_rect.h"
#include "foundation/ref.h"
#include "foundation/scripter.h"

namespace {

template <class T> int Read(T& value, const std::string& text)
{
    return ReadBlock(value, text);
}

template <class T> T RoundTrip(const T& value, std::string* written = nullptr)
{
    T result;
    ReadBack(value, result, written);
    return result;
}

std::string Where(const std::string& message)
{
    return message.substr(0, message.find(" '"));
}

} // namespace

TEST(ValueBlocks, KeywordIdsMatchTheKeywordTable)
{
    const std::pair<CRZTokenType, const char*> keywords[] = {
        { KW_YEAR, "year" },
        { KW_MONTH, "month" },
        { KW_DAY, "day" },
        { KW_JANUARY, "january" },
        { static_cast<CRZTokenType>(KW_JANUARY + 4), "may" },
        { KW_DECEMBER, "december" },
        { KW_TYPE, "type" },
        { KW_ID, "id" },
        { KW_X, "x" },
        { KW_Y, "y" },
        { KW_MARTIAL, "martial" },
        { KW_DIPLOMACY, "diplomacy" },
        { KW_INTRIGUE, "intrigue" },
        { KW_STEWARDSHIP, "stewardship" },
        { KW_HEALTH, "health" },
        { KW_FERTILITY, "fertility" },
        { KW_GOLD, "gold" },
        { KW_PRESTIGE, "prestige" },
        { KW_PIETY, "piety" },
        { KW_INCOME_TAX_PEASANTS, "income_tax_peasants" },
        { KW_INCOME_TAX_BURGERS, "income_tax_burgers" },
        { KW_INCOME_TAX_CLERGY, "income_tax_clergy" },
        { KW_INCOME_TAX_NOBLES, "income_tax_nobles" },
        { KW_INCOME_NEGOTIATIONS, "income_negotiations" },
        { KW_INCOME_BUILDINGS, "income_buildings" },
        { KW_PEASANTS, "peasants" },
        { KW_BURGHERS, "burghers" },
        { KW_CLERGY, "clergy" },
        { KW_NOBLES, "nobles" },
    };
    for (const auto& [id, name] : keywords)
        EXPECT_STREQ(CLexer::GetString(id), name) << id;
}

TEST(ValueBlocks, DateMonthAndDayAreClamped)
{
    struct Case {
        const char* body;
        int day, month, year;
    };
    const Case cases[] = {
        { "month = may }", 5, 4, 1100 },
        { "month = 14 }", 5, 11, 1100 },
        { "month = -3 }", 5, 0, 1100 },
        { "day = 45 }", 29, 6, 1100 },
        { "day = 200 }", 29, 6, 1100 },
        { "day = -1 }", 0, 6, 1100 },
        { "year = 1066 }", 5, 6, 1066 },
        { "year = soon }", 5, 6, 1100 },
        { "day = 3 year = 1200 day = 4 month = december }", 4, 11, 1200 },
        { "}", 5, 6, 1100 },
        // A statement without "=" is skipped.
        { "day 9 month = june }", 5, 5, 1100 },
    };
    for (const Case& c : cases) {
        CDate date(5, 6, 1100);
        EXPECT_EQ(Read(date, c.body), 0) << c.body;
        EXPECT_EQ(date, CDate(c.day, c.month, c.year)) << c.body;
    }
}

TEST(ValueBlocks, DateWithAnUnknownKeyAbandonsTheParse)
{
    CDate date;
    const std::string message = FatalMessageOf([&] { Read(date, "year = 1066\nhour = 3 }"); });
    EXPECT_EQ(Where(message), "ERROR : (Date : Unexpected field)");
    EXPECT_NE(message.find("Line = 2"), std::string::npos) << message;
}

TEST(ValueBlocks, DateScriptNamesTheMonthAndOutOfRangeMonthsAsJanuary)
{
    std::string text;
    EXPECT_EQ(RoundTrip(CDate(14, 8, 1066), &text), CDate(14, 8, 1066));
    EXPECT_EQ(text, "key = { year = 1066 month = september day = 14 } ");
    RoundTrip(CDate(0, 12, 1066), &text);
    EXPECT_EQ(text, "key = { year = 1066 month = january day = 0 } ");
    RoundTrip(CDate(0, -1, 1066), &text);
    EXPECT_EQ(text, "key = { year = 1066 month = january day = 0 } ");
}

TEST(ValueBlocks, IdentityBlock)
{
    CRZID id(3, 3);
    EXPECT_EQ(Read(id, "id = 7 type = 10 }"), 0);
    EXPECT_EQ(id, CRZID(10, 7));
    EXPECT_EQ(Read(id, "type = 70000 }"), 0);
    EXPECT_EQ(id.type, 4464);
    EXPECT_EQ(Read(id, "}"), 0);
    EXPECT_EQ(id, CRZID(4464, 7));
    // An unknown key stops at once, with what came before it already read.
    CRZID partial(1, 2);
    EXPECT_EQ(Read(partial, "type = 10 foo = 3 id = 9 }"), -2);
    EXPECT_EQ(partial, CRZID(10, 2));

    std::string text;
    EXPECT_EQ(RoundTrip(CRZID(10, 5), &text), CRZID(10, 5));
    EXPECT_EQ(text, "key = { type = 10 id = 5 } ");
    EXPECT_EQ(RoundTrip(REBEL_LEADER), REBEL_LEADER);
}

TEST(ValueBlocks, DatedIdentityListCarriesFieldsFromEntryToEntry)
{
    support::ScratchFile file("year = 1066 month = may day = 3 } 17 , day = 5 } 18\nmonth = 2 } 4 } rest");
    CRZParser parser(file.Path(), "r");
    CList<CRZTimeID> list;
    ASSERT_EQ(parser.ParseTimeIDList(RZTYPE_CHARACTER, list), 0);
    std::vector<CRZTimeID> entries;
    list.ForEach([&](CRZTimeID entry) { entries.push_back(entry); });
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0], CRZTimeID(CDate(3, 4, 1066), CRZID(RZTYPE_CHARACTER, 17)));
    EXPECT_EQ(entries[1], CRZTimeID(CDate(5, 4, 1066), CRZID(RZTYPE_CHARACTER, 18)));
    EXPECT_EQ(entries[2], CRZTimeID(CDate(5, 2, 1066), CRZID(RZTYPE_CHARACTER, 4)));
    EXPECT_STREQ(parser.GetLexer()->peek()->text, "rest");

    for (const char* bad : { "day = 1 } -4 }", "day = 1 } word }", "day = 1 }" }) {
        support::ScratchFile badFile(bad);
        CRZParser badParser(badFile.Path(), "r");
        CList<CRZTimeID> badList;
        EXPECT_EQ(badParser.ParseTimeIDList(RZTYPE_CHARACTER, badList), -2) << bad;
    }
}

TEST(ValueBlocks, AttributeBlockAndCompactForm)
{
    CAttributeTuple tuple(1, 1, 1, 1, 1, 1);
    EXPECT_EQ(Read(tuple, "fertility = 6 martial = 9 health = 2 martial = 3 }"), 0);
    EXPECT_EQ(tuple.GetMartial(), 3);
    EXPECT_EQ(tuple.GetDiplomacy(), 1);
    EXPECT_EQ(tuple.GetHealth(), 2);
    EXPECT_EQ(tuple.GetFertility(), 6);
    // A statement without "=" ends the block where it stands.
    CAttributeTuple cut;
    EXPECT_EQ(Read(cut, "martial = 4 intrigue 5 stewardship = 6 }"), 0);
    EXPECT_EQ(cut.GetMartial(), 4);
    EXPECT_EQ(cut.GetStewardship(), 0);

    const std::string message = FatalMessageOf([&] { Read(tuple, "age = 30 }"); });
    EXPECT_EQ(Where(message), "ERROR : (unknown lhs in scenario file (attributes))");

    CAttributeTuple compact;
    compact.AssignFromString("5.6.7.8.1.2");
    std::string text;
    const CAttributeTuple back = RoundTrip(compact, &text);
    EXPECT_EQ(text,
        "key = { \n    martial = 5 \n    diplomacy = 6 \n    intrigue = 7 \n    stewardship = 8 \n"
        "    health = 2 \n    fertility = 1 \n    } ");
    for (int which = 0; which < CAttributeTuple::COUNT; ++which)
        EXPECT_EQ(back.Get(which), compact.Get(which)) << which;
    EXPECT_EQ(back.GetFertility(), 1);
    EXPECT_EQ(back.GetHealth(), 2);
}

TEST(ValueBlocks, PointBlockSkipsUnknownKeys)
{
    CPoint point;
    EXPECT_EQ(Read(point, "x = 3 z = 1 y = 4 }"), 0);
    EXPECT_EQ(point, CPoint(3, 4));
    std::string text;
    EXPECT_EQ(RoundTrip(CPoint(-7, 12), &text), CPoint(-7, 12));
    EXPECT_EQ(text, "key = { x = -7 y = 12 } ");

    // The same through the interface lent to plain records.
    CLValueScripter<CPoint> scripter(point);
    std::unique_ptr<CLScript> tree(scripter.GetScript());
    EXPECT_EQ(WrittenText(*tree), "{ x = 3 y = 4 } ");
    EXPECT_EQ(Read(scripter, "y = 8 }"), 0);
    EXPECT_EQ(point, CPoint(3, 8));
}

// A block cut off anywhere ends with a located parse error or a clean result, never a hang or a read past
// the end.
TEST(ValueBlocks, EveryCutOffBlockEndsWithALocatedError)
{
    const std::string date = "year = 1066 month = may day = 3 }";
    const std::string id = "type = 10 id = 5 }";
    const std::string attributes = "martial = 1 diplomacy = 2 health = 3 }";
    const std::string point = "x = 1 y = 2 }";
    const std::string list = "year = 1066 } 17 day = 2 } 18 }";
    for (std::size_t cut = 0; cut + 1 < date.size(); ++cut) {
        CDate value;
        EXPECT_NE(
            FatalMessageOf([&] { Read(value, date.substr(0, cut)); }).find("Line = 1"), std::string::npos)
            << cut;
    }
    for (std::size_t cut = 0; cut + 1 < id.size(); ++cut) {
        CRZID value;
        EXPECT_NE(FatalMessageOf([&] { Read(value, id.substr(0, cut)); }), "") << cut;
    }
    for (std::size_t cut = 0; cut + 1 < attributes.size(); ++cut) {
        CAttributeTuple value;
        EXPECT_NE(FatalMessageOf([&] { Read(value, attributes.substr(0, cut)); }), "") << cut;
    }
    for (std::size_t cut = 0; cut + 1 < point.size(); ++cut) {
        CPoint value;
        EXPECT_NE(FatalMessageOf([&] { Read(value, point.substr(0, cut)); }), "") << cut;
    }
    for (std::size_t cut = 0; cut + 1 < list.size(); ++cut) {
        support::ScratchFile file(list.substr(0, cut));
        CRZParser parser(file.Path(), "r");
        CList<CRZTimeID> entries;
        int result = 0;
        const std::string message = FatalMessageOf([&] { result = parser.ParseTimeIDList(1, entries); });
        EXPECT_TRUE(!message.empty() || result == -2) << cut;
    }
}
