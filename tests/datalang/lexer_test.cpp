// The tokenizer: token kinds, comments, strings, conditional lines, look-ahead, line counting, and
// bad input that must end in a located error rather than an overrun or a hang.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "datalang/lexer.h"
#include "foundation/fatal_error.h"
#include "platform/win/win32.h"
#include "support/fatal_message.h"
#include "support/scratch.h"

namespace {

using Tokens = std::vector<std::pair<int, std::string>>;

Tokens Lex(const std::string& text)
{
    support::ScratchFile file(text);
    CLexer lexer(file.Path(), "r");
    Tokens tokens;
    while (lexer.getTok() && tokens.size() < 10000)
        tokens.emplace_back(static_cast<int>(lexer.GetToken().type), lexer.GetToken().text);
    return tokens;
}

// The message of the fatal error that lexing the text raises, or "" when it raises none.
std::string LexError(const std::string& text)
{
    return support::FatalMessageOf([&] { Lex(text); });
}

const char* gOptionOn = "";
int OptionQuery(const char* name)
{
    return stricmp(name, gOptionOn) == 0;
}

} // namespace

TEST(Lexer, SplitsStatementsIntoTokens)
{
    EXPECT_EQ(Lex("a=b"), (Tokens { { 1256, "a" }, { 1, "=" }, { 1256, "b" } }));
    EXPECT_EQ(Lex("a = {b}"), (Tokens { { 1256, "a" }, { 1, "=" }, { 3, "{" }, { 1256, "b" }, { 4, "}" } }));
    EXPECT_EQ(Lex("(x,y)"), (Tokens { { 5, "(" }, { 326, "x" }, { 8, "," }, { 327, "y" }, { 6, ")" } }));
    EXPECT_EQ(Lex("Country = Yes"), (Tokens { { 93, "Country" }, { 1, "=" }, { 141, "Yes" } }));
    EXPECT_EQ(Lex(""), Tokens {});
    EXPECT_EQ(Lex(" \t\r\n\v\f "), Tokens {});
}

TEST(Lexer, ClassifiesWords)
{
    struct Case {
        const char* word;
        int type;
    } cases[] = {
        { "12", 1253 },
        { "-3", 1253 },
        { "1.5", 1253 },
        { "1066.1.1", 1253 },
        { "-", 1253 },
        { "3a", 1256 },
        { "+5", 1256 },
        { "db\\x<y>:z/w", 1256 },
        { "\xC4sa", 1256 },
        { "datepurchased", 102 },
        { "countrys", 1256 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(Lex(c.word), (Tokens { { c.type, c.word } })) << c.word;
}

TEST(Lexer, SkipsCommentsToTheLineEnd)
{
    for (const char* mark : { "#", ";", "!" }) {
        const std::string text = std::string("p ") + mark + " remark = { \"\nq";
        EXPECT_EQ(Lex(text), (Tokens { { 1256, "p" }, { 1256, "q" } })) << mark;
    }
    // A comment mark ends a word and starts the comment.
    EXPECT_EQ(Lex("p#remark\n"), (Tokens { { 1256, "p" } }));
    EXPECT_EQ(Lex("p # a comment that the file ends"), (Tokens { { 1256, "p" } }));
}

TEST(Lexer, QuotedStringIsOneToken)
{
    EXPECT_EQ(
        Lex("name = \"a {b} = c\nd\""), (Tokens { { 88, "name" }, { 1, "=" }, { 1256, "a {b} = c\nd" } }));
    EXPECT_EQ(Lex("\"country\" \"12\" \"\""), (Tokens { { 1256, "country" }, { 1256, "12" }, { 1256, "" } }));
    // A stray quote runs to the end of the file.
    EXPECT_EQ(Lex("a \"b c"), (Tokens { { 1256, "a" }, { 1256, "b c" } }));
    EXPECT_EQ(Lex("a\"b\""), (Tokens { { 1256, "a" }, { 1256, "b" } }));
}

TEST(Lexer, WordCutOffByTheEndOfTheFileIsDelivered)
{
    EXPECT_EQ(Lex("a = b"), (Tokens { { 1256, "a" }, { 1, "=" }, { 1256, "b" } }));
}

TEST(Lexer, WordsAcrossTheReadBuffer)
{
    // The file is read in stretches of 64 KiB; words, their ending blanks and delimiters may fall on the
    // seam.
    for (std::size_t pad = 65530; pad < 65540; ++pad) {
        const std::string text = std::string(pad, ' ') + "abcdefgh\nij=k";
        EXPECT_EQ(Lex(text), (Tokens { { 1256, "abcdefgh" }, { 1256, "ij" }, { 1, "=" }, { 1256, "k" } }))
            << pad;
    }
    const std::string longWord = std::string(65400, '\n') + std::string(600, 'w');
    const std::string message = LexError(longWord);
    EXPECT_NE(
        message.find("(word longer than 511 characters) '" + std::string(511, 'w') + "  ' Line = 65401"),
        std::string::npos);
}

TEST(Lexer, PeekShowsTheNextTokenWithoutTakingIt)
{
    support::ScratchFile file("a } b");
    CLexer lexer(file.Path(), "r");
    ASSERT_EQ(lexer.getTok(), 1);
    EXPECT_EQ(lexer.peek()->type, 4u);
    EXPECT_EQ(lexer.peek()->type, 4u);
    ASSERT_EQ(lexer.getTok(), 1);
    EXPECT_STREQ(lexer.GetToken().text, "}");
    ASSERT_EQ(lexer.getTok(), 1);
    EXPECT_STREQ(lexer.GetToken().text, "b");
    EXPECT_EQ(lexer.peek()->type, 1260u);
    EXPECT_EQ(lexer.getTok(), 0);
    EXPECT_EQ(lexer.getTok(), 0);
    EXPECT_EQ(lexer.peek()->type, 1260u);
}

TEST(Lexer, CountsLinesOutsideStrings)
{
    support::ScratchFile file("a = b\nc = {\n\"x\ny\"\n# note\nd");
    CLexer lexer(file.Path(), "r");
    std::vector<int> lines;
    while (lexer.getTok())
        lines.push_back(lexer.GetLine());
    // The blank ending "b" is consumed with it; line feeds inside the string are not counted.
    EXPECT_EQ(lines, (std::vector<int> { 0, 0, 1, 1, 1, 1, 2, 4 }));
}

TEST(Lexer, ConditionalLinesFollowTheParseOption)
{
    CLexer::_pIsParseOption = OptionQuery;
    const std::string text = "a\n\xA4IFNOT hard\nb\n\xA4# else\n\xA4"
                             "ELSE\nc\n\xA4# end\nd\n";
    gOptionOn = "";
    EXPECT_EQ(Lex(text), (Tokens { { 1256, "a" }, { 1256, "b" }, { 1256, "d" } }));
    gOptionOn = "HARD";
    EXPECT_EQ(Lex(text), (Tokens { { 1256, "a" }, { 1256, "c" }, { 1256, "d" } }));
    // The rest of the line after a closing mark is read as tokens.
    EXPECT_EQ(Lex("\xA4IFNOT hard\nskipped\xA4 e f\n"), (Tokens { { 1256, "e" }, { 1256, "f" } }));
    CLexer::_pIsParseOption = nullptr;
    EXPECT_EQ(Lex(text), (Tokens { { 1256, "a" }, { 1256, "b" }, { 1256, "d" } }));
}

TEST(Lexer, BadInputEndsInALocatedError)
{
    struct Case {
        std::string text;
        const char* message;
        int line;
    } cases[] = {
        { "a\n" + std::string(2000, 'w'), "word longer than 511 characters", 2 },
        { "\"" + std::string(600, 's') + "\"", "quoted string longer than 511 characters", 1 },
        { "\n\xA4I " + std::string(10000, 'c') + "\n", "conditional line longer than 8191 characters", 2 },
        { "a\n\xA4\nb = c\n", "conditional line too short for its directive", 3 },
        { "\xA4IF\n", "conditional line without an option name", 2 },
    };
    for (const Case& c : cases) {
        const std::string message = LexError(c.text);
        EXPECT_NE(message.find(std::string("ERROR : (") + c.message + ")"), std::string::npos) << message;
        EXPECT_NE(message.find("Line = " + std::to_string(c.line) + " file = /"), std::string::npos)
            << message;
    }
    // 511 characters is still a token.
    EXPECT_EQ(Lex(std::string(511, 'w'))[0].second.size(), 511u);
}

TEST(Lexer, MissingFileAndOverlongNameAreFatal)
{
    try {
        CLexer lexer("/tmp/no such folder/none.txt", "r");
        FAIL();
    } catch (int) {
        EXPECT_STREQ(GetAssertMessage(), "Couldn't open file:/tmp/no such folder/none.txt\n");
    }
    const std::string longName = "/tmp/" + std::string(300, 'n');
    try {
        CLexer lexer(longName.c_str(), "r");
        FAIL();
    } catch (int) {
        EXPECT_NE(
            std::string(GetAssertMessage()).find("file name longer than 255 characters"), std::string::npos);
    }
}

TEST(Lexer, RandomBytesEndWithoutHangOrOverrun)
{
    std::mt19937 random(1234);
    for (int round = 0; round < 200; ++round) {
        std::string bytes(static_cast<std::size_t>(random() % 4000), '\0');
        for (char& b : bytes)
            b = static_cast<char>(random() % 256);
        // Some rounds carry many conditional marks and quotes to reach those paths.
        if (round % 2)
            for (int i = 0; i < 20 && !bytes.empty(); ++i)
                bytes[random() % bytes.size()] = (i % 2) ? '\xA4' : '"';
        try {
            Lex(bytes);
        } catch (int code) {
            EXPECT_EQ(code, -1);
        }
    }
}
