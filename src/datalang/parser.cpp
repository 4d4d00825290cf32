// The parser core: statements, list readers, the parse error and the token writer.
#include "datalang/parser.h"

#include <cstdio>
#include <cstring>

#include "foundation/utilities.h"

#include "foundation/safeguards.h"

int (*CRZParser::_pTagToID)(const char*) = nullptr;

namespace {

// Copies the type and the text up to its terminator: a whole token is 516 bytes, its text rarely a dozen.
void TakeToken(CToken& to, const CToken& from)
{
    to.type = from.type;
    std::memcpy(to.text, from.text, std::strlen(from.text) + 1);
}

} // namespace

CRZParser::CRZParser(const char* file, const char* mode)
    : lexer(nullptr)
    , pCountry(nullptr)
    , szScenarioName {}
    , bTitlesLinked(0)
    , bChildrenLinked(0)
{
    lexer = new CLexer(file, mode);
}

CRZParser::CRZParser(std::FILE* output, const char* name)
    : lexer(nullptr)
    , pCountry(nullptr)
    , szScenarioName {}
    , bTitlesLinked(0)
    , bChildrenLinked(0)
{
    lexer = new CLexer(output, name);
}

CRZParser::~CRZParser()
{
    delete lexer;
}

int CRZParser::ParseSimpleStatement()
{
    const CToken* next = lexer->peek();
    if (next->type == TT_CLOSE_BRACE)
        return 0;
    if (next->type == TT_EOF || !lexer->getTok())
        return -1;
    TakeToken(key, lexer->GetToken());
    if (!lexer->getTok())
        return -1;
    if (lexer->GetToken().type != TT_EQUALS)
        return -2;
    TakeToken(op, lexer->GetToken());
    if (!lexer->getTok())
        return -1;
    TakeToken(value, lexer->GetToken());
    return 1;
}

bool CRZParser::CloseBlock()
{
    return TakeClosingBrace("unexpected end of file, \"}\" missing");
}

bool CRZParser::TakeClosingBrace(const char* endOfFileMessage)
{
    const CToken* next = lexer->peek();
    if (next->type == TT_EOF)
        ParseError(endOfFileMessage);
    if (next->type != TT_CLOSE_BRACE)
        return false;
    lexer->getTok();
    return true;
}

int CRZParser::ParseListValues(CList<int>& list)
{
    while (!TakeClosingBrace("unexpected end of file in a list of numbers")) {
        if (lexer->peek()->type != TT_NUMBER)
            ParseError("not a number in a list of numbers");
        lexer->getTok();
        const int number = TextToInt(lexer->GetToken().text);
        if (number != 0 || !list.Contains(0))
            list.Append(number);
        if (lexer->peek()->type == TT_COMMA)
            lexer->getTok();
    }
    return 0;
}

int CRZParser::ParseCountryListValues(CList<int>& list)
{
    while (!TakeClosingBrace("unexpected end of file in a list of countries")) {
        lexer->getTok();
        if (lexer->GetToken().type != TT_COMMA)
            list.Append(_pTagToID ? _pTagToID(lexer->GetToken().text) : 0);
    }
    return 0;
}

void CRZParser::ParseError(const char* message) const
{
    CLexer::RaiseError(message, key.text, op.text, value.text, lexer->GetLine() + 1, lexer->GetFileName());
}

int CRZParser::Write(const CToken& out)
{
    std::FILE* stream = lexer ? lexer->GetOutput() : nullptr;
    if (!stream)
        return -2;
    const bool bare = out.type == TT_QUOTE || out.type == TT_STRING || out.type == TT_LINEFEED
        || out.type == TT_INDENT || out.type == TT_BLANK;
    if (std::fputs(out.text, stream) < 0 || (!bare && std::fputc(' ', stream) == EOF))
        return -2;
    return 0;
}

int CRZParser::Write(CRZTokenType type)
{
    const char* text = CLexer::GetString(type);
    if (!text)
        return -2;
    CToken out;
    out.Init(type, text);
    return Write(out);
}

int CRZParser::WriteMany(CRZTokenType type, int count)
{
    for (int i = 0; i < count; ++i)
        if (const int result = Write(type))
            return result;
    return 0;
}
