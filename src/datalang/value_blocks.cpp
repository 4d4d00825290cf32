// The data-language blocks of small value types: character attribute tuples and points.
#include "datalang/attribute_tuple.h"
#include "datalang/block_keywords.h"
#include "datalang/block_reader.h"
#include "datalang/parser.h"
#include "datalang/script_tree.h"
#include "foundation/logs.h"
#include "foundation/point_rect.h"
#include "foundation/utilities.h"

#include "foundation/safeguards.h"

namespace {

// The keys of the block form, in attribute number order.
const CRZTokenType kAttributeKeys[CAttributeTuple::COUNT]
    = { KW_MARTIAL, KW_DIPLOMACY, KW_INTRIGUE, KW_STEWARDSHIP, KW_HEALTH, KW_FERTILITY };

} // namespace

int CAttributeTuple::ParseFields(CRZParser& parser)
{
    return ReadBlockStatements(
        parser,
        [&] {
            int which = 0;
            while (which < COUNT && kAttributeKeys[which] != static_cast<CRZTokenType>(parser.key.type))
                ++which;
            if (which == COUNT)
                parser.ParseError("unknown lhs in scenario file (attributes)");
            values[which] = TextToInt(parser.value.text);
            return kReadOn;
        },
        true);
}

CLScript* CAttributeTuple::GetScript() const
{
    CLSList* list = new CLSList;
    for (int which = 0; which < COUNT; ++which)
        list->Append(new CLSymbol(kAttributeKeys[which], new CLInteger(values[which])));
    return list;
}

int CPoint::ParseFields(CRZParser& parser)
{
    return ReadBlockStatements(parser, [&] {
        if (parser.key.type == KW_X)
            x = TextToInt(parser.value.text);
        else if (parser.key.type == KW_Y)
            y = TextToInt(parser.value.text);
        else
            mydebug("error in cpoint at line %d\n", parser.GetLexer()->GetLine() + 1);
        return kReadOn;
    });
}

CLScript* CPoint::GetScript() const
{
    CLSList* list = new CLSList;
    list->Append(new CLSymbol(KW_X, new CLInteger(x)));
    list->Append(new CLSymbol(KW_Y, new CLInteger(y)));
    return list;
}
