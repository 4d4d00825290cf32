// Wars: their validity, their block in saved games, their battles, and the one way a war ends.
#include "realms/war.h"

#include <utility>

#include "datalang/block_keywords.h"
#include "datalang/block_reader.h"
#include "datalang/parser.h"
#include "datalang/script_tree.h"
#include "events/event_posting.h"
#include "events/event_types.h"
#include "events/game_clock.h"
#include "events/records_army.h"
#include "foundation/logs.h"
#include "foundation/utilities.h"
#include "realms/country.h"

#include "foundation/safeguards.h"

namespace {

constexpr CRZTokenType KW_STARTDATE = static_cast<CRZTokenType>(203);
constexpr CRZTokenType KW_ATTACKER = static_cast<CRZTokenType>(1082);
constexpr CRZTokenType KW_DEFENDER = static_cast<CRZTokenType>(1083);
constexpr CRZTokenType KW_BATTLE_RESULT = static_cast<CRZTokenType>(1089);

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
        case KW_BATTLE_RESULT: {
            RequireBlock(parser);
            CBattleResult read;
            read.ParseFields(parser);
            battleResults.Append(new CBattleResult(read));
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
    if (isSuperDebug)
        superdebug("Saving (war):   -line 2\n");
    for (auto it = battleResults.GetHead(); !it.IsEnd(); it++) {
        CLScript* result = (*it)->GetScript();
        if (result != nullptr)
            list->Append(new CLSymbol(KW_BATTLE_RESULT, result));
    }
    if (isSuperDebug)
        superdebug("Saving (war):   -line 3\n");
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

CList<CWar*>* CWar::_pWars = nullptr;

CWar::~CWar()
{
    DeleteAll(battleResults);
}

void CWar::EndWar(CWar* war)
{
    if (war == nullptr)
        return;
    if (_pWars != nullptr)
        _pWars->Remove(war);
    delete war;
}

CWar* CWar::GetWar(const CRZID& id)
{
    return dynamic_cast<CWar*>(CIdentity::GetObjectFromID(id));
}

int CWar::GetAge() const
{
    return Today().GetDays() - startDate.GetDays();
}

CCharacter* CWar::GetOpponent(const CCharacter* c) const
{
    if (c != nullptr && c == GetAttacker())
        return GetDefender();
    return GetAttacker();
}

namespace {

bool RulesListedRealm(const CCharacter* leader, const CRZCountryList& realms)
{
    if (leader == nullptr)
        return false;
    for (auto it = realms.GetHead(); !it.IsEnd(); it++) {
        const CRZCountry* realm = CRZCountry::GetCountry(*it);
        if (realm != nullptr && realm->ruler == leader)
            return true;
    }
    return false;
}

} // namespace

bool CWar::IsAttacker(const CRZCountryList& realms) const
{
    return RulesListedRealm(GetAttacker(), realms);
}

bool CWar::IsDefender(const CRZCountryList& realms) const
{
    return RulesListedRealm(GetDefender(), realms);
}

void CWar::AddBattleResult(const CBattleResult& result)
{
    PostGlobalEvent(new CRZBattleResultEvent(_CRZEVT_BATTLE_RESULT_EVENT_, GetID(), result.ToRecord()));
}

int CWar::Update(CRZEvent* event)
{
    if (event->GetType() != _CRZEVT_BATTLE_RESULT_EVENT_)
        return 0;
    if (const auto* record = RecordAs<CRZBattleResultEventData>(event))
        battleResults.Append(new CBattleResult(record->result));
    return 0;
}

void CWar::FlipSides()
{
    std::swap(attacker, defender);
    for (auto it = battleResults.GetHead(); !it.IsEnd(); it++)
        (*it)->FlipSides();
}

CWar* CWar::Merge(CWar* other)
{
    if (other == nullptr || other == this)
        return this;
    // The older war survives; of two begun on one day, this one.
    CWar* older = this;
    CWar* younger = other;
    if (!(other->startDate >= startDate)) {
        older = other;
        younger = this;
    }
    if (older->GetAttackerID() != younger->GetAttackerID())
        younger->FlipSides();
    for (auto it = younger->battleResults.GetHead(); !it.IsEnd(); it++)
        older->battleResults.Append(*it);
    younger->battleResults.RemoveAll();
    EndWar(younger);
    return older;
}

void CWar::Inherit(CCharacter* dead, CCharacter* heir)
{
    if (dead == nullptr)
        return;
    if (GetDefender() == dead)
        defender = CRef<CCharacter>(heir);
    else if (GetAttacker() == dead)
        attacker = CRef<CCharacter>(heir);
}

CWarHooks gWarHooks;

void ShowWarMessage(
    int type, CRZCountryID country, std::initializer_list<const char*> texts, int32_t province)
{
    if (gWarHooks.ShowMessage)
        gWarHooks.ShowMessage(type, country, texts.begin(), static_cast<int>(texts.size()), province);
}

void PlayWarSound(int sound)
{
    if (gWarHooks.PlaySound)
        gWarHooks.PlaySound(sound);
}
