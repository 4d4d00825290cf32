// The script writer: the save-file layout of lists, the form of numbers, strings, keywords and identities,
// and what a failed token write does.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>

#include "datalang/block_keywords.h"
#include "datalang/script_text.h"
#include "datalang/script_tree.h"
#include "foundation/calendar_date.h"

namespace {

std::string Text(CLScript* node, int indent = 0)
{
    std::unique_ptr<CLScript> owned(node);
    return WrittenText(*owned, indent);
}

CLSList* ListOfSymbols(int count)
{
    CLSList* list = new CLSList;
    for (int i = 0; i < count; ++i)
        list->Append(new CLSymbol(KW_X, new CLInteger(i)));
    return list;
}

const char* TagOf(int index)
{
    return index == 7 ? "FRA" : nullptr;
}

} // namespace

TEST(ScriptWriter, ListLayoutFollowsDepthLengthAndFirstElement)
{
    EXPECT_EQ(Text(new CLSList), "{ } ");
    // More than three statements near the top: one per line, the brace on its own line at their depth.
    EXPECT_EQ(Text(ListOfSymbols(4)), "{ \n    x = 0 \n    x = 1 \n    x = 2 \n    x = 3 \n    } ");
    EXPECT_EQ(Text(ListOfSymbols(4), 1),
        "{ \n        x = 0 \n        x = 1 \n        x = 2 \n        x = 3 \n        } ");
    EXPECT_EQ(Text(ListOfSymbols(4), 3), "{ x = 0 x = 1 x = 2 x = 3 } ");
    EXPECT_EQ(Text(ListOfSymbols(3)), "{ x = 0 x = 1 x = 2 } ");
    CLSList* numbers = new CLSList;
    for (int i = 1; i <= 5; ++i)
        numbers->Append(new CLInteger(i));
    EXPECT_EQ(Text(numbers), "{ 1 2 3 4 5 } ");
}

TEST(ScriptWriter, RecordWrappedInASymbolLaysOutNestedBlocks)
{
    CDate date(0, 0, 1066);
    CLSList* record = new CLSList;
    record->Append(new CLSymbol(static_cast<CRZTokenType>(128), new CLIdentifier("ABC")));
    record->Append(new CLSymbol("capital", new CLInteger(3)));
    record->Append(new CLSymbol("gold", new CLFloat(0.25f)));
    record->Append(new CLSymbol("flag", new CLBool(true)));
    record->Append(new CLSymbol(KW_DAY, date.GetScript()));
    EXPECT_EQ(Text(new CLSymbol(static_cast<CRZTokenType>(93), record)),
        "country = { \n"
        "    tag = ABC \n"
        "    capital = 3 \n"
        "    gold = 0.250 \n"
        "    flag = yes \n"
        "    day = { year = 1066 month = january day = 0 } \n"
        "    } ");
}

TEST(ScriptWriter, NumbersAndTruthValues)
{
    struct Case {
        float value;
        const char* text;
    };
    const Case cases[] = {
        { 0.5f, "0.500 " },
        { 1.0005f, "1.000 " },
        { -0.0004f, "-0.000 " },
        { -12.25f, "-12.250 " },
        { 1e10f, "10000000000.000 " },
    };
    for (const Case& c : cases)
        EXPECT_EQ(Text(new CLFloat(c.value)), c.text) << c.value;
    EXPECT_EQ(Text(new CLInteger(-42)), "-42 ");
    EXPECT_EQ(Text(new CLBool(true)), "yes ");
    EXPECT_EQ(Text(new CLBool(false)), "no ");
}

TEST(ScriptWriter, NotANumberWritesZeroWithOneAssertionLine)
{
    testing::internal::CaptureStderr();
    const std::string text = Text(new CLFloat(std::numeric_limits<float>::quiet_NaN()));
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_EQ(text, "0.000 ");
    // Other lines may come from opening the data folder; exactly one is the assertion.
    const std::size_t first = log.find("!isnan(Float)");
    EXPECT_NE(first, std::string::npos) << log;
    EXPECT_EQ(log.find("!isnan(Float)", first + 1), std::string::npos) << log;
}

TEST(ScriptWriter, IdentitiesAsBlocksAndRealmsAsTags)
{
    EXPECT_EQ(Text(new CLID(CRZID(10, 5))), "{ type = 10 id = 5 } ");
    // Numbers past 2^31 print as signed and read back through the same 32 bits.
    EXPECT_EQ(Text(new CLID(CRZID(10, 0xFFFFFFFDu))), "{ type = 10 id = -3 } ");

    EXPECT_EQ(Text(new CLID(CRZID(RZTYPE_COUNTRY, 7))), "NONE ");
    CLID::_pIDToTag = TagOf;
    EXPECT_EQ(Text(new CLID(CRZID(RZTYPE_COUNTRY, 7))), "FRA ");
    EXPECT_EQ(Text(new CLID(CRZID(RZTYPE_TITLE, 7))), "FRA ");
    EXPECT_EQ(Text(new CLID(CRZID(RZTYPE_COUNTRY, 8))), "NONE ");
    CLID::_pIDToTag = nullptr;
}

TEST(ScriptWriter, StringsWordsAndKeywords)
{
    EXPECT_EQ(Text(new CLString("Some text")), "\"Some text\" ");
    EXPECT_EQ(Text(new CLIdentifier("Some_word")), "Some_word ");
    EXPECT_EQ(Text(new CLIdentifier(KW_JANUARY)), "january ");
    EXPECT_EQ(Text(new CLSymbol(KW_YEAR, new CLInteger(1066))), "year = 1066 ");
    // A tag with no spelling cannot be written.
    int result = 0;
    CLIdentifier unknown(static_cast<CRZTokenType>(65));
    WrittenText(unknown, 0, &result);
    EXPECT_EQ(result, -2);
}

TEST(ScriptWriter, StringWithQuotesReadsBackAsOneString)
{
    CLSymbol symbol("name", new CLString("Jean \"the Good\" of \"Valois\""));
    const std::string text = WrittenText(symbol);
    EXPECT_EQ(text, "name = \"Jean 'the Good' of 'Valois'\" ");

    support::ScratchFile file(text + "}");
    CRZParser parser(file.Path(), "r");
    ASSERT_EQ(parser.ParseSimpleStatement(), 1);
    EXPECT_STREQ(parser.value.text, "Jean 'the Good' of 'Valois'");
    EXPECT_EQ(parser.ParseSimpleStatement(), 0);
}

TEST(ScriptWriter, FailedWriteStopsTheListBeforeItsBrace)
{
    // A parser opened for reading has no output: the first token fails and nothing follows it.
    support::ScratchFile file("");
    CRZParser reader(file.Path(), "r");
    std::unique_ptr<CLSList> list(ListOfSymbols(4));
    EXPECT_EQ(list->Write(reader, 0), -2);
    CLSymbol symbol(KW_X, new CLInteger(1));
    EXPECT_EQ(symbol.Write(reader, 0), -2);
    // The symbol's temporary assignment gave its holds back.
    EXPECT_EQ(symbol.GetValue()->GetRefCount(), 1);
    CLScript base(CLT_NONE);
    EXPECT_EQ(base.Write(reader, 0), 0);
}
