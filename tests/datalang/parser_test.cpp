// The parser core: statements, list readers, the parse error text, block ends, and the token writer.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "datalang/parser.h"
#include "foundation/fatal_error.h"
#include "platform/win/win32.h"
#include "support/fatal_message.h"
#include "support/scratch.h"

namespace {

std::vector<int> Values(const CList<int>& list)
{
    std::vector<int> values;
    for (CList<int>::Iterator it = list.GetHead(); !it.IsEnd(); it++)
        values.push_back(*it);
    return values;
}

int TagToID(const char* tag)
{
    return stricmp(tag, "FRA") == 0 ? 7 : stricmp(tag, "ENG") == 0 ? 9 : 0;
}

// The reader loop every block reader uses, counting the statements of one block.
int ReadBlock(CRZParser& parser)
{
    int statements = 0;
    for (int guard = 0; guard < 1000; ++guard) {
        const int result = parser.ParseSimpleStatement();
        if (result == 1) {
            ++statements;
            if (parser.value.type == TT_OPEN_BRACE)
                ReadBlock(parser);
        } else if (parser.CloseBlock()) {
            return statements;
        }
    }
    ADD_FAILURE() << "reader loop did not end";
    return statements;
}

} // namespace

TEST(Parser, StatementResults)
{
    support::ScratchFile file("tag = FRA\nname \"x\" = 1 } ");
    CRZParser parser(file.Path(), "r");
    ASSERT_EQ(parser.ParseSimpleStatement(), 1);
    EXPECT_EQ(parser.key.type, 128u);
    EXPECT_STREQ(parser.op.text, "=");
    EXPECT_STREQ(parser.value.text, "FRA");
    // No "=": key and the token after it are consumed.
    EXPECT_EQ(parser.ParseSimpleStatement(), -2);
    EXPECT_EQ(parser.key.type, 88u);
    EXPECT_EQ(parser.ParseSimpleStatement(), -2);
    EXPECT_EQ(parser.ParseSimpleStatement(), 0);
    EXPECT_EQ(parser.ParseSimpleStatement(), 0);
    EXPECT_EQ(parser.GetLexer()->peek()->type, 4u);
    EXPECT_EQ(parser.GetLexer()->getTok(), 1);
    EXPECT_EQ(parser.ParseSimpleStatement(), -1);
    EXPECT_EQ(parser.ParseSimpleStatement(), -1);
}

TEST(Parser, StatementCutByTheEndOfTheFile)
{
    for (const char* text : { "a", "a =", "" }) {
        support::ScratchFile file(text);
        CRZParser parser(file.Path(), "r");
        EXPECT_EQ(parser.ParseSimpleStatement(), -1) << text;
    }
}

TEST(Parser, IntegerListKeepsOneZero)
{
    struct Case {
        const char* text;
        std::vector<int> want;
    } cases[] = {
        { "0 3 0 3 }", { 0, 3, 3 } },
        { "0,3,0,3}", { 0, 3, 3 } },
        { " 0 ,\n 3 , 0 ,3 , }", { 0, 3, 3 } },
        { "}", {} },
        { "-4 99999999999 }", { -4, 2147483647 } },
    };
    for (const Case& c : cases) {
        support::ScratchFile file(std::string(c.text) + " next");
        CRZParser parser(file.Path(), "r");
        CList<int> list;
        EXPECT_EQ(parser.ParseListValues(list), 0);
        EXPECT_EQ(Values(list), c.want) << c.text;
        // The "}" is consumed.
        EXPECT_STREQ(parser.GetLexer()->peek()->text, "next");
    }
}

TEST(Parser, CountryListTurnsTagsIntoNumbers)
{
    CRZParser::_pTagToID = TagToID;
    support::ScratchFile file("FRA, xyz eng } next");
    CRZParser parser(file.Path(), "r");
    CList<int> list;
    EXPECT_EQ(parser.ParseCountryListValues(list), 0);
    EXPECT_EQ(Values(list), (std::vector<int> { 7, 0, 9 }));
    EXPECT_STREQ(parser.GetLexer()->peek()->text, "next");
    CRZParser::_pTagToID = nullptr;
}

TEST(Parser, BadListsAndBlocksEndInALocatedError)
{
    struct Case {
        const char* text;
        int (*read)(CRZParser&);
        const char* message;
    } cases[] = {
        { "1 2\n3",
            [](CRZParser& p) {
                CList<int> list;
                return p.ParseListValues(list);
            },
            "ERROR : (unexpected end of file in a list of numbers) '  ' Line = 2 file = " },
        { "1 x 2 }",
            [](CRZParser& p) {
                CList<int> list;
                return p.ParseListValues(list);
            },
            "ERROR : (not a number in a list of numbers) '  ' Line = 1 file = " },
        { "FRA\nENG",
            [](CRZParser& p) {
                CList<int> list;
                return p.ParseCountryListValues(list);
            },
            "ERROR : (unexpected end of file in a list of countries) '  ' Line = 2 file = " },
        { "a = 1\nb = { c = 2 \n", [](CRZParser& p) { return ReadBlock(p); },
            "ERROR : (unexpected end of file, \"}\" missing) 'c = 2' Line = 3 file = " },
        { "a = 1 stray", [](CRZParser& p) { return ReadBlock(p); },
            "ERROR : (unexpected end of file, \"}\" missing) 'stray = 1' Line = 1 file = " },
    };
    for (const Case& c : cases) {
        support::ScratchFile file(c.text);
        CRZParser parser(file.Path(), "r");
        const std::string message = support::FatalMessageOf([&] { c.read(parser); });
        EXPECT_EQ(message, std::string(c.message) + file.Path()) << c.text;
    }
}

TEST(Parser, ReaderLoopReadsNestedBlocks)
{
    support::ScratchFile file("a = 1 junk x b = { c = 2 d = { } } e = \"s\" }");
    CRZParser parser(file.Path(), "r");
    EXPECT_EQ(ReadBlock(parser), 3);
    EXPECT_EQ(parser.ParseSimpleStatement(), -1);
}

TEST(Parser, ParseErrorText)
{
    support::ScratchFile file("country = {\n  tag = XYZ\n");
    CRZParser parser(file.Path(), "r");
    ASSERT_EQ(parser.ParseSimpleStatement(), 1);
    ASSERT_EQ(parser.ParseSimpleStatement(), 1);
    const std::string message = support::FatalMessageOf([&] { parser.ParseError("unknown tag"); });
    EXPECT_EQ(message, std::string("ERROR : (unknown tag) 'tag = XYZ' Line = 3 file = ") + file.Path());
    // A message far over the buffer is cut, never written past it.
    const std::string huge(5000, 'm');
    EXPECT_EQ(support::FatalMessageOf([&] { parser.ParseError(huge.c_str()); }).size(), 1023u);
}

TEST(Parser, WritesTokensWithTheirSpacing)
{
    support::ScratchFile file("");
    {
        CRZParser parser(file.Path(), "w");
        EXPECT_EQ(parser.Write(static_cast<CRZTokenType>(102)), 0);
        EXPECT_EQ(parser.Write(TT_EQUALS), 0);
        EXPECT_EQ(parser.Write(TT_OPEN_BRACE), 0);
        EXPECT_EQ(parser.Write(TT_LINEFEED), 0);
        EXPECT_EQ(parser.WriteMany(TT_INDENT, 2), 0);
        EXPECT_EQ(parser.Write(static_cast<CRZTokenType>(88)), 0);
        EXPECT_EQ(parser.Write(TT_EQUALS), 0);
        EXPECT_EQ(parser.Write(TT_QUOTE), 0);
        EXPECT_EQ(parser.Write(CToken("Jean le Bon")), 0);
        EXPECT_EQ(parser.Write(TT_QUOTE), 0);
        EXPECT_EQ(parser.Write(TT_BLANK), 0);
        EXPECT_EQ(parser.Write(CToken(-12)), 0);
        EXPECT_EQ(parser.Write(CToken(1.5f)), 0);
        EXPECT_EQ(parser.Write(CToken(true)), 0);
        EXPECT_EQ(parser.Write(CToken(false)), 0);
        EXPECT_EQ(parser.Write(TT_CLOSE_BRACE), 0);
        // Types without a spelling print nothing and fail.
        EXPECT_EQ(parser.Write(static_cast<CRZTokenType>(65)), -2);
        EXPECT_EQ(parser.WriteMany(TT_NUMBER, 3), -2);
    }
    std::ifstream in(file.Path(), std::ios::binary);
    std::stringstream written;
    written << in.rdbuf();
    EXPECT_EQ(written.str(), "datePurchased = { \n        name = \"Jean le Bon\" -12 1.500 yes no } ");

    CRZParser reader(file.Path(), "r");
    EXPECT_EQ(reader.Write(TT_EQUALS), -2);
}

TEST(Parser, DecimalThatIsNotANumberWritesZero)
{
    EXPECT_STREQ(CToken(std::numeric_limits<float>::quiet_NaN()).text, "0.000");
    EXPECT_STREQ(CToken(std::string(600, 'x').c_str()).text, std::string(511, 'x').c_str());
}
