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

// Writes tokens one after another until the first failure, which it keeps.
class CTokenSequence {
public:
    explicit CTokenSequence(CRZParser& inParser)
        : parser(inParser)
    {
    }
    CTokenSequence& operator<<(const CToken& token)
    {
        if (!result)
            result = parser.Write(token);
        return *this;
    }
    CTokenSequence& operator<<(CRZTokenType type)
    {
        if (!result)
            result = parser.Write(type);
        return *this;
    }
    CTokenSequence& Node(CLScript* node, int indent)
    {
        if (!result && node)
            result = node->Write(parser, indent);
        return *this;
    }
    CTokenSequence& LineEnd(int indent)
    {
        if (!result)
            result = parser.Write(TT_LINEFEED);
        if (!result)
            result = parser.WriteMany(TT_INDENT, indent);
        return *this;
    }
    int Result() const { return result; }

private:
    CRZParser& parser;
    int result = 0;
};

// A word or tag written bare: the text, then one blank.
int WriteWord(CRZParser& parser, const char* text)
{
    return (CTokenSequence(parser) << CToken(text) << TT_BLANK).Result();
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
    CToken saved(GetString());
    for (char* quote = std::strchr(saved.text, '"'); quote; quote = std::strchr(quote + 1, '"'))
        *quote = '\'';
    return (CTokenSequence(parser) << TT_QUOTE << saved << TT_QUOTE << TT_BLANK).Result();
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
        const char* realmTag = _pIDToTag ? _pIDToTag(static_cast<int>(id.number)) : nullptr;
        return WriteWord(parser, realmTag ? realmTag : "NONE");
    }
    CTokenSequence out(parser);
    out << TT_OPEN_BRACE << KW_TYPE << TT_EQUALS << CToken(static_cast<int>(id.type));
    out << KW_ID << TT_EQUALS << CToken(static_cast<int>(id.number)) << TT_CLOSE_BRACE;
    return out.Result();
}

int CLAssignment::Write(CRZParser& parser, int indent)
{
    CTokenSequence out(parser);
    out.Node(lhs, indent) << TT_EQUALS;
    return out.Node(rhs, indent).Result();
}

int CLSymbol::Write(CRZParser& parser, int indent)
{
    CLAssignment assignment(name, value);
    return assignment.Write(parser, indent);
}

int CLSList::Write(CRZParser& parser, int indent)
{
    CTokenSequence out(parser);
    out << TT_OPEN_BRACE;
    const bool severalLines = WritesOverSeveralLines(*this, indent);
    if (severalLines)
        out.LineEnd(indent + 1);
    for (Iterator it = GetHead(); !it.IsEnd() && !out.Result(); it++) {
        out.Node(*it, indent + 1);
        if (severalLines)
            out.LineEnd(indent + 1);
    }
    return (out << TT_CLOSE_BRACE).Result();
}
