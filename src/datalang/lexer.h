// CLexer, the tokenizer of the data language: keywords, numbers, words, quoted strings and punctuation,
// with comments, conditional lines, line counting and one token of look-ahead.
#pragma once

#include <cstddef>
#include <cstdio>
#include <memory>

#include "datalang/token.h"
#include "text/text_tree.h"

// Longest file name a tokenizer keeps, and longest conditional line, terminators excluded.
inline constexpr int kLexerFileNameMax = 255;
inline constexpr int kConditionalLineMax = 8191;

// Conditional lines start with the byte 0xA4 and run to the line end:
//   "\xA4IFNOT option" sets the skip state to the option's status, "\xA4ELSE" (any line starting with "E",
//   or whose second character is "L") inverts it, any other directive leaves it. While the state is set,
//   everything up to the next 0xA4 byte is skipped, and what follows that byte on its line is read as
//   ordinary tokens; "\xA4# end" therefore closes a skipped stretch with a comment.
class CLexer {
public:
    // Opens the file (a game path, backslashes allowed) with a C open mode: "r" to read, "w" to write.
    // A file that cannot be opened is fatal ("Couldn't open file:%s\n"); so is a name over 255 characters.
    CLexer(const char* name, const char* mode);
    // Writes into a stream that the caller opened and closes, as the atomic file replace hands it over;
    // the name is the one messages give.
    CLexer(std::FILE* output, const char* name);
    virtual ~CLexer();
    CLexer(const CLexer&) = delete;
    CLexer& operator=(const CLexer&) = delete;

    // Reads the next token into the current token: 1 when one was read, 0 at the end of the stream.
    // A token over 511 characters, a conditional line over 8191 or one too short to hold its directive
    // stop the read with a located parse error.
    int getTok();
    // The next token without taking it; type TT_EOF when none is left. The next getTok takes it.
    CToken* peek();

    // The type of the word in the current token: its keyword id, else TT_NUMBER for a word of digits,
    // "." and "-" only, else TT_STRING.
    int isMultiCharTok() const;
    // The class of a byte taken as a signed char: punctuation 1 to 10, or 0 for a word character.
    static int isSingleCharTok(int c);

    // The written text of a token type (punctuation, line feed, indentation, blank, keyword spelling),
    // or null for a type that has none.
    static const char* GetString(int type);
    // Fills the keyword tree from the keyword table; later calls do nothing.
    static void InitTokens();

    // Reports "ERROR : (message) 'key op value' Line = n file = name" through _AssertRelease; never returns.
    [[noreturn]] static void RaiseError(
        const char* message, const char* key, const char* op, const char* value, int line, const char* file);
    // The same, located at the current line of this file.
    [[noreturn]] void Fail(const char* message) const;

    const CToken& GetToken() const { return token; }
    // Line feeds consumed so far; messages print it plus one.
    int GetLine() const { return line; }
    const char* GetFileName() const { return fileName; }
    // The open stream, for the writer when the file was opened for writing; null when reading.
    std::FILE* GetOutput() const { return writing ? file : nullptr; }

    // Answers the status of a parse option by name (letter case ignored); the settings install it.
    // Unset, every option is off.
    static int (*_pIsParseOption)(const char* name);

    static CText _TokenTree;

private:
    int NextByte()
    {
        if (pos < length)
            return buffer[pos++];
        return Refill() ? buffer[pos++] : -1;
    }
    void PutBack() { --pos; }
    bool Refill();
    // Reads the rest of a conditional line and applies it; false when the stream ends there.
    bool ReadConditionalLine();
    bool SkipToMark();

    int lastResult;
    std::FILE* file;
    CToken token;
    int lookAhead;
    int skip;
    int line;
    char fileName[kLexerFileNameMax + 1];
    bool writing;
    bool ownsFile = true;
    std::unique_ptr<unsigned char[]> buffer;
    std::size_t pos;
    std::size_t length;
    char conditionalLine[kConditionalLineMax + 1];
};
