// ReadBlockStatements, the loop that the readers of small blocks share: each "key = value" statement goes to
// a handler until the block's closing "}", and the end of the file inside the block is a located parse error.
#pragma once

#include "datalang/parser.h"

// What a statement handler answers to go on reading.
inline constexpr int kReadOn = 1;

// Reads statements after a block's "{": the handler sees each one in the parser's key and value and answers
// kReadOn or the result to stop with. A statement without "=" is skipped, or ends the block with 0 when
// endAtBareKey is set. 0 after the closing "}", which is consumed.
template <class Handler> int ReadBlockStatements(CRZParser& parser, Handler handle, bool endAtBareKey = false)
{
    for (;;) {
        const int read = parser.ParseSimpleStatement();
        if (read == 1) {
            if (const int answer = handle(); answer != kReadOn)
                return answer;
        } else if (read == -2 && endAtBareKey) {
            return 0;
        } else if (parser.CloseBlock()) {
            return 0;
        }
    }
}

// Passes over the rest of a block whose "{" was read, nested blocks included, up to and including its "}";
// the end of the file inside it is a parse error with the message.
inline void SkipBlock(CRZParser& parser, const char* endOfFileMessage)
{
    int depth = 1;
    while (depth > 0) {
        CLexer* lexer = parser.GetLexer();
        if (lexer->peek()->type == TT_EOF)
            parser.ParseError(endOfFileMessage);
        lexer->getTok();
        const uint32_t type = lexer->GetToken().type;
        depth += type == TT_OPEN_BRACE ? 1 : type == TT_CLOSE_BRACE ? -1 : 0;
    }
}
