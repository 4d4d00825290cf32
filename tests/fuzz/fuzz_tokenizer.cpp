// libFuzzer target over the tokenizer and the parser core: any bytes must end in tokens, a located
// parse error or the end of the file, never a hang or a memory fault.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

#include "datalang/parser.h"
#include "fuzz_input_file.h"
#include "platform/win/win32.h"

#include "foundation/safeguards.h"

namespace {

// Nesting deeper than this is walked over by brace counting, so the harness's own recursion stays small.
constexpr int kMaxDepth = 64;

int OptionQuery(const char* name)
{
    return name[0] == 'a' || name[0] == 'A';
}

int TagToID(const char* tag)
{
    return stricmp(tag, "FRA") == 0 ? 1 : 0;
}

void SkipBlock(CRZParser& parser)
{
    for (int depth = 1; depth > 0;) {
        if (!parser.lexer->getTok())
            parser.ParseError("unexpected end of file in a skipped block");
        const std::uint32_t type = parser.lexer->GetToken().type;
        depth += type == TT_OPEN_BRACE ? 1 : type == TT_CLOSE_BRACE ? -1 : 0;
    }
}

// The reader pattern of every record, with the list readers for blocks that start with a number or a tag.
void ReadBlock(CRZParser& parser, int depth)
{
    for (;;) {
        const int result = parser.ParseSimpleStatement();
        if (result == 1) {
            if (parser.value.type != TT_OPEN_BRACE)
                continue;
            const CToken* next = parser.lexer->peek();
            CList<int> list;
            if (depth >= kMaxDepth)
                SkipBlock(parser);
            else if (next->type == TT_NUMBER)
                parser.ParseListValues(list);
            else if (parser.key.type == 93)
                parser.ParseCountryListValues(list);
            else
                ReadBlock(parser, depth + 1);
        } else if (parser.CloseBlock()) {
            return;
        }
    }
}

void ReadFile(const char* path)
{
    CRZParser parser(path, "r");
    for (;;) {
        const int result = parser.ParseSimpleStatement();
        if (result == -1)
            return;
        if (result == 0)
            parser.lexer->getTok(); // a stray "}" at the top level
        else if (result == 1 && parser.value.type == TT_OPEN_BRACE)
            ReadBlock(parser, 1);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool hooked = [] {
        CLexer::_pIsParseOption = OptionQuery;
        CRZParser::_pTagToID = TagToID;
        return true;
    }();
    (void)hooked;
    const char* path = WriteFuzzInput("tokenizer", data, size);
    if (!path)
        return 0;
    try {
        ReadFile(path);
    } catch (int) {
        // A located parse error: the expected end of a bad file.
    }
    return 0;
}
