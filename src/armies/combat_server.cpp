// The host's authority over battles: it starts them where hostile armies meet, lets arriving armies join,
// takes armies out of them, deletes them when they are over and re-checks them when relations change.
// Every change reaches the other machines as global events.
#include <vector>

#include "armies/army_servers.h"
#include "armies/combat.h"
#include "armies/unit.h"
#include "events/event_posting.h"
#include "events/records_army.h"
#include "realms/country.h"
#include "realms/province.h"

#include "foundation/safeguards.h"

namespace {

constexpr int kHandled = 3;
constexpr int kLandCombat = 1;

// The province's armies as they stand now: starting or joining a battle must not change the walk.
std::vector<CRZUnit*> ArmiesIn(const CProvince& province)
{
    std::vector<CRZUnit*> armies;
    for (auto it = province.units.GetHead(); !it.IsEnd(); it++)
        armies.push_back(*it);
    return armies;
}

bool StillIn(const CProvince& province, CRZUnit* army)
{
    return province.units.Contains(army);
}

} // namespace

CRZCombatServer* CRZCombatServer::_pInstance = nullptr;

CRZCombatServer::CRZCombatServer()
{
    CRZStaticObject::Create(StaticID(COMBAT_SERVER));
    _pInstance = this;
}

CRZCombatServer::~CRZCombatServer()
{
    if (_pInstance == this)
        _pInstance = nullptr;
}

int CRZCombatServer::Update(CRZEvent* event)
{
    if (!CRZCountry::OnHost())
        return 0;
    switch (event->GetType()) {
    case _CRZEVT_COMBAT_ENDED_: {
        const auto* record = RecordAs<CRZCombatEventData>(event);
        if (CRZCombat* battle = record != nullptr ? CRZCombat::GetCombat(record->combat) : nullptr)
            EndCombat(battle);
        return kHandled;
    }
    case _CRZEVT_UNITMOVECANCEL_: {
        const auto* record = RecordAs<CRZUnitEventData>(event);
        if (CRZUnit* army = record != nullptr ? CRZUnit::GetUnit(record->unit) : nullptr)
            NewUnitArrived(army, army->GetProvince());
        return kHandled;
    }
    case _CRZEVT_COMBAT_REMOVE_UNIT_: {
        const auto* record = RecordAs<CRZCombatUnitEventData>(event);
        CRZCombat* battle = record != nullptr ? CRZCombat::GetCombat(record->combat) : nullptr;
        CRZUnit* army = record != nullptr ? CRZUnit::GetUnit(record->unit) : nullptr;
        if (battle != nullptr && army != nullptr)
            RemoveUnit(battle, army, record->flag != 0);
        return kHandled;
    }
    default:
        return 0;
    }
}

CRZCombat* CRZCombatServer::CreateCombat(
    CProvince& province, int kind, const DynamicID& battleId, CRZUnit* attacker, CRZUnit* defender)
{
    const CDate today = GetGameToday();
    ProcessGlobalEvent(new CRZCombatEvent(_CRZEVT_COMBAT_CREATE_, province.GetID(), kind, battleId, today));
    CRZCombat* battle = CRZCombat::GetCombat(battleId);
    if (battle == nullptr)
        return nullptr;
    battle->AddAttacker(attacker);
    battle->AddDefender(defender);
    for (CRZUnit* other : ArmiesIn(province)) {
        if (other != attacker && other != defender && StillIn(province, other))
            battle->TryToJoin(other);
    }
    ProcessGlobalEvent(new CRZCombatEvent(_CRZEVT_COMBAT_STARTED_, battleId, kind, battleId, today));
    return battle;
}

int CRZCombatServer::TryToPickAFight(CProvince& province, CRZUnit* army)
{
    if (army == nullptr || army->IsInBattle())
        return 0;
    for (CRZUnit* other : ArmiesIn(province)) {
        if (other != nullptr && !other->IsInBattle() && army->IsValidOpponent(other, nullptr)) {
            CreateCombat(province, kLandCombat, CRZDynamicObject::GetUniqueDynamicID(), army, other);
            return 1;
        }
    }
    return 0;
}

int CRZCombatServer::TryToJoinCombat(CProvince& province, CRZUnit* army)
{
    CRZCombatList battles;
    GetProvinceCombats(province.GetNumber(), battles);
    if (army == nullptr || battles.IsEmpty())
        return 0;
    // A realm's army first joins the battle its realm already fights in.
    for (auto it = battles.GetHead(); !it.IsEnd(); it++) {
        if ((*it)->IsParticipating(army->owner) && (*it)->TryToJoin(army) != 0)
            return (*it)->kind;
    }
    for (auto it = battles.GetHead(); !it.IsEnd(); it++) {
        if ((*it)->TryToJoin(army) != 0)
            return (*it)->kind;
    }
    return 0;
}

void CRZCombatServer::RemoveUnit(CRZCombat* battle, CRZUnit* army, bool attacker)
{
    if (battle == nullptr || army == nullptr)
        return;
    CRZCombatList battles;
    GetProvinceCombats(battle->province, battles);
    for (auto it = battles.GetHead(); !it.IsEnd(); it++) {
        const DynamicID battleId = (*it)->GetID();
        ProcessGlobalEvent(
            new CRZCombatUnitEvent(_CRZEVT_COMBAT_REMOVE_UNIT_, battleId, battleId, army->GetID(), attacker));
    }
}

int CRZCombatServer::NewUnitArrived(CRZUnit* army, int number)
{
    CProvince* province = CProvince::GetProvince(number);
    if (army == nullptr || number == 0 || province == nullptr || !province->IsLand())
        return 0;
    if (army->battle != nullptr)
        RemoveUnit(army->battle, army, army->isAttackerCombat());
    if (!army->IsInBattle()) {
        TryToJoinCombat(*province, army);
        if (!army->IsInBattle())
            TryToPickAFight(*province, army);
    }
    return army->IsInBattle() ? 1 : 0;
}

void CRZCombatServer::EndCombat(CRZCombat* battle)
{
    if (battle == nullptr)
        return;
    CProvince* province = CProvince::GetProvince(battle->province);
    const DynamicID battleId = battle->GetID();
    const int number = battle->province;
    if (province == nullptr)
        return;
    ProcessGlobalEvent(new CRZCombatEvent(
        _CRZEVT_COMBAT_DELETE_, province->GetID(), battle->kind, battleId, GetGameToday()));
    for (CRZUnit* army : ArmiesIn(*province)) {
        if (!StillIn(*province, army) || army->IsInBattle() || army->retreating || army->divisions.IsEmpty())
            continue;
        TryToJoinCombat(*province, army);
        if (!army->IsInBattle() && !army->retreating)
            TryToPickAFight(*province, army);
    }
    (void)number;
}

void CRZCombatServer::CollectInvalidCombats(CRZCombatList& into, CRZCountry* realm)
{
    if (realm == nullptr)
        return;
    for (auto it = realm->armies.GetHead(); !it.IsEnd(); it++) {
        CRZCombat* battle = *it != nullptr ? (*it)->battle : nullptr;
        if (battle != nullptr && !into.Contains(battle) && !battle->IsValid())
            into.Append(battle);
    }
}

void CRZCombatServer::DiplomaticRelationChanged(CRZCountry* realm)
{
    if (realm == nullptr || !CRZCountry::OnHost())
        return;
    CRZCombatList invalid;
    CollectInvalidCombats(invalid, realm);
    std::vector<DynamicID> ids;
    for (auto it = invalid.GetHead(); !it.IsEnd(); it++)
        ids.push_back((*it)->GetID());
    // Ending one battle may end or start others: each is looked up again before it is ended.
    for (const DynamicID& battleId : ids) {
        CRZCombat* battle = CRZCombat::GetCombat(battleId);
        if (battle != nullptr && !battle->ended && !battle->IsValid())
            battle->EndCombat();
    }
    realm->armies.Lock();
    for (auto it = realm->armies.GetHead(); !it.IsEnd(); it++) {
        CRZUnit* army = *it;
        if (army != nullptr && !army->IsInBattle() && !army->retreating && army->exclusion == 0)
            NewUnitArrived(army, army->GetProvince());
    }
    realm->armies.Unlock();
}
