// The data-language blocks of identities and dates, and the parser's reader of dated identity lists.
#include <algorithm>

#include "datalang/block_keywords.h"
#include "datalang/block_reader.h"
#include "datalang/parser.h"
#include "datalang/script_tree.h"
#include "foundation/calendar_date.h"
#include "foundation/logs.h"
#include "foundation/ref.h"
#include "foundation/rz_id.h"
#include "foundation/utilities.h"

#include "foundation/safeguards.h"

int CRZID::ParseFields(CRZParser& parser)
{
    return ReadBlockStatements(parser, [&] {
        switch (parser.key.type) {
        case KW_TYPE:
            type = static_cast<uint16_t>(TextToInt(parser.value.text));
            return kReadOn;
        case KW_ID:
            // Numbers of 2^31 and above are written negative; the cast brings them back.
            number = static_cast<uint32_t>(TextToInt(parser.value.text));
            return kReadOn;
        default:
            mydebug("unexpected field %s found in an id at about line %d\n", parser.key.text,
                parser.GetLexer()->GetLine() + 1);
            return -2;
        }
    });
}

CLScript* CRZID::GetScript() const
{
    return new CLID(*this);
}

int CDate::ParseFields(CRZParser& parser)
{
    return ReadBlockStatements(parser, [&] {
        const CToken& value = parser.value;
        switch (parser.key.type) {
        case KW_YEAR:
            if (value.type == TT_NUMBER)
                year = static_cast<int16_t>(TextToInt(value.text));
            break;
        case KW_MONTH: {
            const bool named = value.type >= KW_JANUARY && value.type <= KW_DECEMBER;
            const int newMonth = named ? static_cast<int>(value.type) - KW_JANUARY : TextToInt(value.text);
            month = static_cast<int8_t>(std::clamp(newMonth, 0, _nMonthsPerYear - 1));
            break;
        }
        case KW_DAY: {
            // Clamped before it is narrowed to the field: a day of 200 is the last day, not the first.
            const int newDay = value.type == TT_NUMBER ? TextToInt(value.text) : day;
            day = static_cast<int8_t>(std::clamp(newDay, 0, _nDaysPerMonth - 1));
            break;
        }
        default:
            parser.ParseError("Date : Unexpected field");
        }
        return kReadOn;
    });
}

CLScript* CDate::GetScript() const
{
    // Out-of-range months are written as January, so that the file always reads back.
    const CRZTokenType monthName
        = month >= 1 && month < _nMonthsPerYear ? static_cast<CRZTokenType>(KW_JANUARY + month) : KW_JANUARY;
    CLSList* list = new CLSList;
    list->Append(new CLSymbol(KW_YEAR, new CLInteger(year)));
    list->Append(new CLSymbol(KW_MONTH, new CLIdentifier(monthName)));
    list->Append(new CLSymbol(KW_DAY, new CLInteger(day)));
    return list;
}

int CRZParser::ParseTimeIDList(unsigned long type, CList<CRZTimeID>& list)
{
    // One date for the whole list: each entry changes only the fields it names.
    CDate date;
    while (lexer->peek()->type != TT_CLOSE_BRACE) {
        if (const int result = date.ParseFields(*this))
            return result;
        if (lexer->peek()->type != TT_NUMBER)
            return -2;
        lexer->getTok();
        const int number = TextToInt(lexer->GetToken().text);
        if (number < 0)
            return -2;
        list.Append(CRZTimeID(date, CRZID(static_cast<uint16_t>(type), static_cast<uint32_t>(number))));
        if (lexer->peek()->type == TT_COMMA)
            lexer->getTok();
    }
    lexer->getTok();
    return 0;
}
