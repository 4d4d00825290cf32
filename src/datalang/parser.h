// CRZParser, through which every data-language file is read or written: the statement reader that all
// readers are built on, the shared list readers, the parse error that abandons a load, and token output.
#pragma once

#include "datalang/lexer.h"
#include "datalang/token.h"
#include "foundation/linked_list.h"

class CRZCountry;
struct CRZTimeID;

class CRZParser {
public:
    // Opens the file with mode "r" to read or "w" to write; a file that cannot be opened is fatal.
    CRZParser(const char* file, const char* mode);
    // Writes into a stream the caller owns (CLexer's writing form).
    CRZParser(std::FILE* output, const char* name);
    ~CRZParser();
    CRZParser(const CRZParser&) = delete;
    CRZParser& operator=(const CRZParser&) = delete;

    // Reads key, "=" and value into the three slots. 1 when a statement was read; 0 when the next token is
    // "}" (left unread); -1 at the end of the file; -2 when the token after the key is not "=" (both are
    // consumed). A value "{" means that a block follows.
    int ParseSimpleStatement();

    // For a reader whose ParseSimpleStatement answered other than 1: true when the next token is "}",
    // which it consumes; false to read on. The end of the file inside the block is a parse error.
    bool CloseBlock();

    // Reads integers up to "}" (consumed) into the list; a zero is added only when the list holds none yet,
    // other values always; commas are optional. The end of the file or any other token is a parse error.
    int ParseListValues(CList<int>& list);
    // Reads country tags up to "}" (consumed) as country numbers, 0 for an unknown tag; commas are skipped.
    // The end of the file is a parse error.
    int ParseCountryListValues(CList<int>& list);
    // Reads dated identities of the given object type up to "}" (consumed): each entry is a date body closed
    // by "}" and its number, and fields an entry leaves out keep the previous entry's values. 0, or -2 for a
    // missing or negative number.
    int ParseTimeIDList(unsigned long type, CList<CRZTimeID>& list);

    // Abandons the load: "ERROR : (message) 'key op value' Line = n file = name" through _AssertRelease.
    [[noreturn]] void ParseError(const char* message) const;

    // Prints the token's text, then one blank unless it is a quote, string, line feed, indentation or blank.
    // 0, or -2 when the parser has no output or the printing fails.
    int Write(const CToken& out);
    int Write(CRZTokenType type);
    // Prints the token count times; the first failure stops it and is returned.
    int WriteMany(CRZTokenType type, int count);

    CLexer* GetLexer() const { return lexer; }

    // The country number of a tag (letter case ignored), 0 when unknown; the country table installs it.
    // Unset, every tag is unknown.
    static int (*_pTagToID)(const char* tag);

private:
    // Takes the next token when it is "}" and answers true; false for any other token; the end of the file
    // is a parse error with the message.
    bool TakeClosingBrace(const char* endOfFileMessage);

public:
    CLexer* lexer;
    CToken key;
    CToken op;
    CToken value;
    // The country whose block is being read, or null.
    CRZCountry* pCountry;
    // The scenario name from the top-level "name" statement.
    char szScenarioName[256];
    int bTitlesLinked;
    int bChildrenLinked;
};
