// Wars: their validity and their block in saved games.
#include "realms/war.h"

#include "datalang/block_keywords.h"
#include "datalang/block_reader.h"
#include "datalang/parser.h"
#include "datalang/script_tree.h"
#include "events/game_clock.h"
#include "foundation/logs.h"
#include "foundation/utilities.h"
#include "realms/country.h"

#include "foundation/safeguards.h"

namespace {

constexpr CRZTokenType KW_STARTDATE = static_cast<CRZTokenType>(203);
constexpr CRZTokenType KW_ATTACKER = static_cast<CRZTokenType>(1082);
constexpr CRZTokenType KW_DEFENDER = static_cast<CRZTokenType>(1083);

CDate Today()
{
    return gpTimer ? gpTimer->GetDate() : CDate();
}

// The value of a block key must open the block.
void RequireBlock(CRZParser& parser)
{
    if (parser.value.type != TT_OPEN_BRACE)
        parser.ParseError("unknown lhs in scenario file (war)");
}

} // namespace

CWar::CWar()
    : startDate(Today())
{
}

CWar::CWar(CCharacter* inAttacker, CCharacter* inDefender)
    : startDate(Today())
    , attacker(inAttacker)
    , defender(inDefender)
{
}

int CWar::ParseFields(CRZParser& parser)
{
    startDate = Today();
    return ReadBlockStatements(parser, [&] {
        switch (parser.key.type) {
        case KW_ID: {
            RequireBlock(parser);
            CRZID read;
            read.ParseFields(parser);
            Create(read);
            break;
        }
        case KW_TYPE:
            type = TextToInt(parser.value.text);
            break;
        case KW_STARTDATE:
            RequireBlock(parser);
            startDate.ParseFields(parser);
            break;
        case KW_ATTACKER:
        case KW_DEFENDER: {
            // The identity block reuses the parser's key, so the side is chosen first.
            CRef<CCharacter>& side = parser.key.type == KW_ATTACKER ? attacker : defender;
            RequireBlock(parser);
            CRZID read;
            read.ParseFields(parser);
            side = CRef<CCharacter>(read);
            break;
        }
        default:
            parser.ParseError("unknown lhs in scenario file (war)");
        }
        return kReadOn;
    });
}

CLScript* CWar::GetScript() const
{
    if (isSuperDebug)
        superdebug("Saving (war):   -line 1\n");
    CLSList* list = new CLSList;
    list->Append(new CLSymbol(KW_ID, GetID().GetScript()));
    list->Append(new CLSymbol(KW_TYPE, new CLInteger(type)));
    list->Append(new CLSymbol(KW_STARTDATE, startDate.GetScript()));
    list->Append(new CLSymbol(KW_ATTACKER, GetAttackerID().GetScript()));
    list->Append(new CLSymbol(KW_DEFENDER, GetDefenderID().GetScript()));
    if (isSuperDebug) {
        superdebug("Saving (war):   -line 2\n");
        superdebug("Saving (war):   -line 3\n");
    }
    return list;
}

bool CWar::IsValid() const
{
    const CCharacter* a = GetAttacker();
    const CCharacter* d = GetDefender();
    if (a == nullptr || d == nullptr || a == d)
        return false;
    const CRZCountry* realmA = a->GetCountry();
    const CRZCountry* realmD = d->GetCountry();
    // A leader without a realm has no side to fight on.
    if (realmA == nullptr || realmD == nullptr || realmA == realmD)
        return false;
    return realmA->index != kNobodyCountry && realmD->index != kNobodyCountry;
}
