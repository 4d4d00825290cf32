// Token types of the data language and CToken, the token record that the tokenizer fills and the writer
// prints.
#pragma once

#include <cstdint>

// 1 to 10 punctuation and character classes, 11 to 1252 the keywords, 1253 to 1260 the other kinds.
enum CRZTokenType : int {
    TT_WORD_START = 0, // classification only
    TT_EQUALS = 1,
    TT_QUOTE = 2, // classification only when reading: the token delivered is a TT_STRING
    TT_OPEN_BRACE = 3,
    TT_CLOSE_BRACE = 4,
    TT_OPEN_PAREN = 5,
    TT_CLOSE_PAREN = 6,
    TT_COMMA = 8,
    TT_COMMENT = 9, // classification only: "#", ";" or "!"
    TT_CONDITIONAL = 10, // classification only: the byte 0xA4 that opens a conditional line
    TT_FIRST_KEYWORD = 11,
    TT_LAST_KEYWORD = 1252,
    TT_NUMBER = 1253, // from a file: any word of digits, "." and "-" only
    TT_DECIMAL = 1254, // writer only
    TT_BOOLEAN = 1255, // writer only
    TT_STRING = 1256, // a quoted string or a word that is neither keyword nor number
    TT_LINEFEED = 1257, // writer only
    TT_INDENT = 1258, // writer only
    TT_BLANK = 1259, // writer only
    TT_EOF = 1260, // shown by look-ahead when no token is left
};

// The keyword ids that the data language itself relies on.
enum : int {
    KW_YES = 141,
    KW_NO = 142,
};

// Longest token text, terminator excluded.
inline constexpr int kTokenTextMax = 511;
// The byte that opens and closes conditional lines.
inline constexpr unsigned char kConditionalMark = 0xA4;

struct CToken {
    std::uint32_t type;
    char text[kTokenTextMax + 1];

    CToken();
    // A number, written "%d".
    explicit CToken(int value);
    // A decimal, written "%.3f"; a value that is not a number is reported and written 0.000.
    explicit CToken(float value);
    // A truth value, written "yes" or "no".
    explicit CToken(bool value);
    // A string; a longer text is cut at kTokenTextMax characters.
    explicit CToken(const char* string);

    void Init(int newType, const char* newText);
};
