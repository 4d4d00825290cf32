// The tokenizer: whole-buffer byte scanning with a class table, the keyword tree and the token spellings.
#include "datalang/lexer.h"

#include <array>
#include <cstring>

#include "datalang/keyword_table.h"
#include "foundation/data_file.h"
#include "foundation/fatal_error.h"
#include "foundation/utilities.h"

#include "foundation/safeguards.h"

CText CLexer::_TokenTree;
int (*CLexer::_pIsParseOption)(const char*) = nullptr;

namespace {

constexpr std::size_t kReadChunk = 64 * 1024;

// How a byte behaves inside a word: part of it, a blank that ends it (consumed), or a delimiter that
// ends it and starts the next token.
enum ByteKind : unsigned char { BK_WORD, BK_BLANK, BK_DELIMITER };

constexpr bool IsBlank(int c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

constexpr int ClassOf(int c)
{
    switch (static_cast<signed char>(c)) {
    case ')':
        return TT_CLOSE_PAREN;
    case '"':
        return TT_QUOTE;
    case static_cast<signed char>(kConditionalMark):
        return TT_CONDITIONAL;
    case '!':
    case '#':
    case ';':
        return TT_COMMENT;
    case '(':
        return TT_OPEN_PAREN;
    case '=':
        return TT_EQUALS;
    case ',':
        return TT_COMMA;
    case '{':
        return TT_OPEN_BRACE;
    case '}':
        return TT_CLOSE_BRACE;
    default:
        return TT_WORD_START;
    }
}

constexpr std::array<unsigned char, 256> MakeByteKinds()
{
    std::array<unsigned char, 256> kinds {};
    for (int c = 0; c < 256; ++c)
        kinds[c] = IsBlank(c) ? BK_BLANK : ClassOf(c) != TT_WORD_START ? BK_DELIMITER : BK_WORD;
    return kinds;
}

constexpr std::array<unsigned char, 256> kByteKind = MakeByteKinds();

// Spellings by token type, built once from the keyword table.
struct CSpellings {
    const char* byType[TT_EOF + 1] = {};
    CSpellings()
    {
        static const char kMark[2] = { static_cast<char>(kConditionalMark), '\0' };
        byType[TT_EQUALS] = "=";
        byType[TT_QUOTE] = "\"";
        byType[TT_OPEN_BRACE] = "{";
        byType[TT_CLOSE_BRACE] = "}";
        byType[TT_OPEN_PAREN] = "(";
        byType[TT_CLOSE_PAREN] = ")";
        byType[TT_COMMA] = ",";
        byType[TT_COMMENT] = "#";
        byType[TT_CONDITIONAL] = kMark;
        byType[TT_LINEFEED] = "\n";
        byType[TT_INDENT] = "    ";
        byType[TT_BLANK] = " ";
        for (const tokDescriptorEntry& entry : tokDescriptor)
            byType[entry.id] = entry.name;
    }
};

} // namespace

int CLexer::isSingleCharTok(int c)
{
    return ClassOf(c);
}

const char* CLexer::GetString(int type)
{
    static const CSpellings spellings;
    if (type < 0 || type > TT_EOF)
        return nullptr;
    return spellings.byType[type];
}

void CLexer::InitTokens()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    char key[64];
    for (const tokDescriptorEntry& entry : tokDescriptor) {
        ConvertFromUnicode(entry.name, key);
        _TokenTree.Insert(key, entry.name, static_cast<int>(entry.id));
    }
}

void CLexer::RaiseError(
    const char* message, const char* key, const char* op, const char* value, int line, const char* file)
{
    static char text[1024];
    std::snprintf(text, sizeof text, "ERROR : (%s) '%s %s %s' Line = %d file = %s", message, key, op, value,
        line, file);
    _AssertRelease("%s", text);
}

void CLexer::Fail(const char* message) const
{
    RaiseError(message, token.text, "", "", line + 1, fileName);
}

CLexer::CLexer(const char* name, const char* mode)
    : CLexer(static_cast<std::FILE*>(nullptr), name)
{
    writing = mode[0] == 'w' || mode[0] == 'a';
    ownsFile = true;
    file = OpenDataFile(fileName, mode);
    if (!file)
        _AssertRelease("Couldn't open file:%s\n", name);
    if (!writing)
        buffer.reset(new unsigned char[kReadChunk]);
}

CLexer::CLexer(std::FILE* output, const char* name)
    : lastResult(0)
    , file(output)
    , token()
    , lookAhead(0)
    , skip(0)
    , line(0)
    , fileName {}
    , writing(true)
    , ownsFile(false)
    , pos(0)
    , length(0)
    , conditionalLine {}
{
    InitTokens();
    if (!CopyString(fileName, name))
        Fail("file name longer than 255 characters");
}

CLexer::~CLexer()
{
    if (file && ownsFile)
        std::fclose(file);
}

bool CLexer::Refill()
{
    if (!buffer)
        return false;
    length = std::fread(buffer.get(), 1, kReadChunk, file);
    pos = 0;
    return length > 0;
}

bool CLexer::SkipToMark()
{
    for (;;) {
        const int c = NextByte();
        if (c < 0)
            return false;
        if (c == '\n')
            ++line;
        else if (c == kConditionalMark)
            return true;
    }
}

bool CLexer::ReadConditionalLine()
{
    int n = 0;
    for (;;) {
        const int c = NextByte();
        if (c < 0)
            return false;
        if (c == '\n')
            break;
        if (n == kConditionalLineMax)
            Fail("conditional line longer than 8191 characters");
        conditionalLine[n++] = static_cast<char>(c);
    }
    conditionalLine[n] = '\0';
    ++line;
    // Reported here, not taken as the end of the file: everything after it would be lost unseen.
    if (n < 2)
        Fail("conditional line too short for its directive");

    if (conditionalLine[0] == 'I') {
        // The option is the word after the directive word.
        const char* name = conditionalLine;
        while (*name && !IsBlank(static_cast<unsigned char>(*name)))
            ++name;
        while (IsBlank(static_cast<unsigned char>(*name)))
            ++name;
        char option[kConditionalLineMax + 1];
        int used = 0;
        while (name[used] && !IsBlank(static_cast<unsigned char>(name[used]))) {
            option[used] = name[used];
            ++used;
        }
        option[used] = '\0';
        if (used == 0)
            Fail("conditional line without an option name");
        skip = _pIsParseOption ? (_pIsParseOption(option) != 0) : 0;
    } else if (conditionalLine[0] == 'E' || conditionalLine[1] == 'L') {
        skip = !skip;
    }
    return !skip || SkipToMark();
}

int CLexer::getTok()
{
    if (lookAhead) {
        lookAhead = 0;
        return lastResult;
    }
    for (;;) {
        int c = NextByte();
        while (c >= 0 && kByteKind[c] == BK_BLANK) {
            if (c == '\n')
                ++line;
            c = NextByte();
        }
        if (c < 0)
            return 0;

        token.text[0] = static_cast<char>(c);
        token.text[1] = '\0';
        const int kind = ClassOf(c);
        token.type = static_cast<std::uint32_t>(kind);
        switch (kind) {
        case TT_COMMENT:
            do {
                c = NextByte();
            } while (c >= 0 && c != '\n');
            if (c < 0)
                return 0;
            ++line;
            continue;
        case TT_CONDITIONAL:
            if (!ReadConditionalLine())
                return 0;
            continue;
        case TT_QUOTE: {
            int n = 0;
            while ((c = NextByte()) >= 0 && c != '"') {
                if (n == kTokenTextMax) {
                    token.text[n] = '\0';
                    Fail("quoted string longer than 511 characters");
                }
                token.text[n++] = static_cast<char>(c);
            }
            token.text[n] = '\0';
            token.type = TT_STRING;
            return 1;
        }
        case TT_WORD_START: {
            // Words are most of a file: scan each buffered stretch with the table and copy it at once.
            std::size_t n = 1;
            for (;;) {
                const unsigned char* start = buffer.get() + pos;
                const unsigned char* end = buffer.get() + length;
                const unsigned char* p = start;
                while (p < end && kByteKind[*p] == BK_WORD)
                    ++p;
                const std::size_t run = static_cast<std::size_t>(p - start);
                if (n + run > static_cast<std::size_t>(kTokenTextMax)) {
                    std::memcpy(token.text + n, start, kTokenTextMax - n);
                    token.text[kTokenTextMax] = '\0';
                    Fail("word longer than 511 characters");
                }
                std::memcpy(token.text + n, start, run);
                n += run;
                pos += run;
                if (p < end) {
                    if (*p == '\n')
                        ++line;
                    // A blank ending the word goes with it; a delimiter stays to start the next token.
                    if (kByteKind[*p] == BK_BLANK)
                        ++pos;
                    break;
                }
                if (!Refill())
                    break;
            }
            token.text[n] = '\0';
            token.type = static_cast<std::uint32_t>(isMultiCharTok());
            // A word that the end of the file cuts off is still a word: it is delivered.
            return 1;
        }
        default:
            return 1;
        }
    }
}

CToken* CLexer::peek()
{
    if (!lookAhead) {
        lastResult = getTok();
        if (lastResult == 0)
            token.type = TT_EOF;
        lookAhead = 1;
    }
    return &token;
}

int CLexer::isMultiCharTok() const
{
    const char first = AsciiLower(token.text[0]);
    // Every keyword starts with a letter, so only such words need the tree.
    if (first >= 'a' && first <= 'z') {
        const int id = _TokenTree.GetID(token.text);
        if (id >= 0)
            return id;
    }
    for (const char* p = token.text; *p; ++p)
        if (!((*p >= '0' && *p <= '9') || *p == '.' || *p == '-'))
            return TT_STRING;
    return TT_NUMBER;
}
