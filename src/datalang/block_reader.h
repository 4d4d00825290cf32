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
