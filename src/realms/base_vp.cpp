// The base victory points' list form in scenarios and saved games.
#include "realms/base_vp.h"

#include <cmath>
#include <cstdlib>

#include "datalang/lexer.h"
#include "datalang/parser.h"
#include "datalang/script_tree.h"

#include "foundation/safeguards.h"

int CRZBaseVP::ParseFields(CRZParser& parser)
{
    CLexer& lexer = *parser.GetLexer();
    int next = 0;
    for (;;) {
        // The end of the file inside the list is no number either.
        if (lexer.peek()->type == TT_EOF)
            parser.ParseError("basevp: Unexpected field");
        lexer.getTok();
        const CToken& token = lexer.GetToken();
        if (token.type == TT_CLOSE_BRACE)
            return 0;
        if (token.type == TT_COMMA)
            continue;
        if (token.type != TT_NUMBER)
            parser.ParseError("basevp: Unexpected field");
        if (next >= kBaseVPSourceCount)
            parser.ParseError("Too many values for basevp");
        const float value = std::strtof(token.text, nullptr);
        values[next++] = std::isfinite(value) ? value : 0.0f;
    }
}

CLScript* CRZBaseVP::GetScript() const
{
    CLSList* list = new CLSList;
    for (float value : values)
        list->Append(new CLFloat(value));
    return list;
}
