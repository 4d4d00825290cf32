// The script writer: how each node of the script tree lays itself out in a save file. Tokens are built on
// the stack, so writing a tree allocates nothing.
#include <cstring>

#include "datalang/block_keywords.h"
#include "datalang/lexer.h"
#include "datalang/parser.h"
#include "datalang/script_tree.h"
#include "foundation/rz_id.h"

#include "foundation/safeguards.h"

namespace {

// A list goes over several lines only near the top of a record, and only when it holds more than three
// entries that are not plain values.
bool WritesOverSeveralLines(CLSList& list, int indent)
{
    if (indent > 2 || list.GetSize() <= 3)
        return false;
    const CLScript* first = *list.GetHead();
    return first && !first->IsLiteral();
}

int WriteLineEnd(CRZParser& parser, int indent)
{
    if (const int result = parser.Write(TT_LINEFEED))
        return result;
    return parser.WriteMany(TT_INDENT, indent);
}

int WriteNode(CLScript* node, CRZParser& parser, int indent)
{
    return node ? node->Write(parser, indent) : 0;
}

// A word or tag written bare: the text, then one blank.
int WriteWord(CRZParser& parser, const char* text)
{
    if (const int result = parser.Write(CToken(text)))
        return result;
    return parser.Write(TT_BLANK);
}

} // namespace

int CLScript::Write(CRZParser&, int)
{
    return 0;
}

int CLInteger::Write(CRZParser& parser, int)
{
    return parser.Write(CToken(GetInteger()));
}

int CLFloat::Write(CRZParser& parser, int)
{
    return parser.Write(CToken(GetFloat()));
}

int CLBool::Write(CRZParser& parser, int)
{
    return parser.Write(CToken(GetBool()));
}

int CLString::Write(CRZParser& parser, int)
{
    // The file has no escape for a double quote: one inside the text would end the string early and leave
    // the rest to be read as words, so it is saved as an apostrophe.
    CToken text(GetString());
    for (char* quote = std::strchr(text.text, '"'); quote; quote = std::strchr(quote + 1, '"'))
        *quote = '\'';
    if (const int result = parser.Write(TT_QUOTE))
        return result;
    if (const int result = parser.Write(text))
        return result;
    if (const int result = parser.Write(TT_QUOTE))
        return result;
    return parser.Write(TT_BLANK);
}

int CLIdentifier::Write(CRZParser& parser, int)
{
    if (GetTag() == TT_WORD_START)
        return WriteWord(parser, GetName());
    const char* keyword = CLexer::GetString(GetTag());
    return keyword ? WriteWord(parser, keyword) : -2;
}

int CLID::Write(CRZParser& parser, int)
{
    if (id.type == RZTYPE_COUNTRY || id.type == RZTYPE_TITLE) {
        const char* tag = _pIDToTag ? _pIDToTag(static_cast<int>(id.number)) : nullptr;
        return WriteWord(parser, tag ? tag : "NONE");
    }
    int result = parser.Write(TT_OPEN_BRACE);
    if (!result)
        result = parser.Write(KW_TYPE);
    if (!result)
        result = parser.Write(TT_EQUALS);
    if (!result)
        result = parser.Write(CToken(static_cast<int>(id.type)));
    if (!result)
        result = parser.Write(KW_ID);
    if (!result)
        result = parser.Write(TT_EQUALS);
    if (!result)
        result = parser.Write(CToken(static_cast<int>(id.number)));
    if (!result)
        result = parser.Write(TT_CLOSE_BRACE);
    return result;
}

int CLAssignment::Write(CRZParser& parser, int indent)
{
    if (const int result = WriteNode(lhs, parser, indent))
        return result;
    if (const int result = parser.Write(TT_EQUALS))
        return result;
    return WriteNode(rhs, parser, indent);
}

int CLSymbol::Write(CRZParser& parser, int indent)
{
    CLAssignment assignment(name, value);
    return assignment.Write(parser, indent);
}

int CLSList::Write(CRZParser& parser, int indent)
{
    if (const int result = parser.Write(TT_OPEN_BRACE))
        return result;
    const bool severalLines = WritesOverSeveralLines(*this, indent);
    int result = severalLines ? WriteLineEnd(parser, indent + 1) : 0;
    for (Iterator it = GetHead(); !it.IsEnd() && !result; it++) {
        result = WriteNode(*it, parser, indent + 1);
        if (!result && severalLines)
            result = WriteLineEnd(parser, indent + 1);
    }
    return result ? result : parser.Write(TT_CLOSE_BRACE);
}
