// A battle's sides, how armies join and leave them, the events a battle handles on every machine and the
// text of its result.
#include "armies/combat.h"

#include <string>

#include "armies/army_servers.h"
#include "armies/division.h"
#include "armies/unit.h"
#include "events/event_posting.h"
#include "events/records_army.h"
#include "foundation/logs.h"
#include "foundation/text_format.h"
#include "realms/country.h"
#include "realms/province.h"
#include "text/new_text.h"

#include "foundation/safeguards.h"

CombatHooks gCombatHooks;

namespace {

constexpr int kHandled = 3;
// Message types of a battle starting: we attack, they attack us.
constexpr int kMessWeStartCombat = 22;
constexpr int kMessTheyStartCombat = 23;

std::string SideResult(CRZCombatant& side, const CMilitaryComposition& losses)
{
    const CCharacter* leader = side.GetLeader();
    const char* name = leader != nullptr ? leader->GetFullName() : "";
    const int lost = static_cast<int>(losses.GetTotal());
    if (lost <= 0)
        return FormatDataText(TextStrings.GetString("COMBAT_NO_LOSS"), { name });
    char text[256];
    losses.GetInfo(text, sizeof text, true);
    return FormatDataText(TextStrings.GetString("COMBAT_LOST"), { name, lost, text });
}

bool HasArmyOf(CRZUnitList& armies, bool (*test)(const CRZCountry&))
{
    for (auto it = armies.GetHead(); !it.IsEnd(); it++) {
        if (*it != nullptr && (*it)->owner != nullptr && test(*(*it)->owner))
            return true;
    }
    return false;
}

bool IsLocalRealm(const CRZCountry& realm)
{
    return realm.IsLocal();
}

bool IsRebelRealm(const CRZCountry& realm)
{
    return realm.index == kRebelCountry;
}

} // namespace

// --- the sides ---------------------------------------------------------------------------------------

CRZCombatant::CRZCombatant(CRZCombat* inBattle, bool isAttacker)
    : battle(inBattle)
    , attacker(isAttacker)
{
}

void CRZCombatant::CalculateModifiers(CRZCombatant& enemy)
{
    modifiers[0] = modifiers[1] = 0;
    if (CRZUnitList* armies = GetUnits()) {
        for (auto it = armies->GetHead(); !it.IsEnd(); it++)
            CalculateModifiers(*it, enemy);
    }
}

void CRZCombatant::Join(CRZUnit* army)
{
    CRZUnitList* armies = GetUnits();
    if (army == nullptr || armies == nullptr)
        return;
    if (army->owner != nullptr && !participants.Contains(army->owner->index))
        participants.Append(army->owner->index);
    startingStrength += army->GetUnitSize();
    if (!armies->Contains(army))
        armies->Append(army);
    army->CombatStarted(battle->GetID(), attacker);
    if (retreating)
        army->Retreat(retreatProvince);
}

bool CRZCombatant::UnitRemoved(CRZUnit* army)
{
    CRZUnitList* armies = GetUnits();
    if (armies == nullptr || army == nullptr || !armies->Contains(army))
        return false;
    armies->Remove(army);
    army->CombatEnded(battle->GetID());
    if (armies->IsEmpty())
        defeated = true;
    return true;
}

void CRZCombatant::UnitDeleted(CRZUnit* army)
{
    if (army != nullptr && army->owner != nullptr)
        army->owner->DeleteUnit(army->GetID());
}

void CRZCombatant::KillAll()
{
    CRZUnitList* armies = GetUnits();
    if (armies == nullptr || !CRZCountry::OnHost())
        return;
    while (!armies->IsEmpty()) {
        CRZUnit* first = *armies->GetHead();
        const int before = armies->GetSize();
        KillUnit(first);
        // An army that no machine could delete must not keep the walk going.
        if (armies->GetSize() >= before)
            armies->Remove(first);
    }
}

void CRZCombatant::HandleCombatEnded()
{
    CRZUnitList* armies = GetUnits();
    if (armies == nullptr)
        return;
    const bool host = CRZCountry::OnHost();
    const bool won = IsWinner();
    while (!armies->IsEmpty()) {
        CRZUnit* army = *armies->GetHead();
        armies->Remove(army);
        if (army == nullptr)
            continue;
        const int resumeTo = army->interruptedDest;
        army->CombatEnded(battle->GetID());
        if (host && won && resumeTo != 0) {
            if (CRZUnitServer* server = CRZUnitServer::GetInstance())
                server->ScheduleRestartedMove(army);
        }
    }
}

void CRZCombatant::BattleWon(CRZCombatant&)
{
    if (CRZCountry::OnHost())
        RefreshParticipants();
}

void CRZCombatant::Retreat(CRZUnit* army, int province)
{
    if (!CRZCountry::OnHost())
        return;
    ProcessGlobalEvent(new CRZRetreatEvent(_CRZEVT_COMBAT_RETREAT_, battle->GetID(),
        army != nullptr ? army->GetID() : DynamicID(NOID), province, attacker));
}

void CRZCombatant::HandleRetreat(CRZUnit* army, int province)
{
    retreatProvince = province;
    if (army != nullptr) {
        army->Retreat(province);
        return;
    }
    retreating = true;
    if (CRZUnitList* armies = GetUnits()) {
        for (auto it = armies->GetHead(); !it.IsEnd(); it++) {
            if (*it != nullptr && !(*it)->retreating)
                (*it)->Retreat(province);
        }
    }
}

void CRZCombatant::RetreatNow(CRZUnit* army)
{
    CRZUnitList* armies = GetUnits();
    if (!CRZCountry::OnHost() || armies == nullptr)
        return;
    std::vector<CRZUnit*> going;
    if (army != nullptr) {
        if (armies->Contains(army))
            going.push_back(army);
    } else {
        for (auto it = armies->GetHead(); !it.IsEnd(); it++)
            going.push_back(*it);
    }
    CRZCombatServer* server = CRZCombatServer::GetInstance();
    const DynamicID battleId = battle->GetID();
    for (CRZUnit* unit : going) {
        // A retreat may delete armies of the side; only those still fighting here go.
        if (CRZCombat::GetCombat(battleId) != battle || !armies->Contains(unit))
            continue;
        int to = retreatProvince;
        if (!unit->CanRetreatTo(to))
            to = unit->GetRetreatProvinceID();
        if (to == 0 || !unit->CanRetreatTo(to)) {
            KillUnit(unit);
            continue;
        }
        if (server != nullptr)
            server->RemoveUnit(battle, unit, attacker);
        ProcessLocalEvent(
            new CRZUnitMoveAddDestEvent(unit->GetID(), static_cast<unsigned short>(to), CDate(), true));
    }
    if (army == nullptr || armies->IsEmpty())
        defeated = true;
}

void CRZCombatant::KillUnit(CRZUnit* army)
{
    if (army == nullptr)
        return;
    if (CRZCombatServer* server = CRZCombatServer::GetInstance())
        server->RemoveUnit(battle, army, attacker);
    ProcessGlobalEvent(new CRZCombatUnitEvent(
        _CRZEVT_COMBAT_DELETE_UNIT_, battle->GetID(), battle->GetID(), army->GetID(), attacker));
}

void CRZCombatant::KillDivision(CDivision* division)
{
    if (division == nullptr)
        return;
    if (CRZCountry* owner = CRZCountry::GetCountry(division->owner))
        // Sent: a division killed on the host alone would live on, empty, on every other machine.
        owner->KillDivision(division, false, true);
}

CCharacter* CRZCombatant::GetLeader()
{
    if (CRZUnitList* armies = GetUnits()) {
        if (CCharacter* best = armies->GetLeader())
            leader = CRef<CCharacter>(best);
    }
    return leader.Get();
}

CRZCountry* CRZCombatant::GetLeaderCountry()
{
    const CCharacter* chief = GetLeader();
    if (chief != nullptr && !chief->IsAnonymous() && chief->GetCountry() != nullptr)
        return chief->GetCountry();
    CRZUnitList* armies = GetUnits();
    if (armies != nullptr && !armies->IsEmpty() && *armies->GetHead() != nullptr)
        return (*armies->GetHead())->owner;
    return CRZCountry::GetCountry(kRebelCountry);
}

bool CRZCombatant::IsWinner() const
{
    return !defeated && GetOpponent().defeated;
}

CRZCombatant& CRZCombatant::GetOpponent() const
{
    return attacker ? battle->Defenders() : battle->Attackers();
}

bool CRZCombatant::IsValidOpponent(CRZUnit* army)
{
    CRZUnitList* armies = GetUnits();
    return army != nullptr && armies != nullptr && armies->IsValidOpponent(army, battle);
}

bool CRZCombatant::IsParticipating(const CRZCountry* realm)
{
    CRZUnitList* armies = GetUnits();
    if (armies == nullptr)
        return false;
    for (auto it = armies->GetHead(); !it.IsEnd(); it++) {
        if (*it != nullptr && (*it)->owner == realm)
            return true;
    }
    return false;
}

bool CRZCombatant::HasArmy(const CRZUnit* army)
{
    CRZUnitList* armies = GetUnits();
    return armies != nullptr && armies->Contains(const_cast<CRZUnit*>(army));
}

void CRZCombatant::RefreshParticipants()
{
    participants.RemoveAll();
    if (CRZUnitList* armies = GetUnits()) {
        for (auto it = armies->GetHead(); !it.IsEnd(); it++) {
            const CRZCountry* owner = *it != nullptr ? (*it)->owner : nullptr;
            if (owner != nullptr && !participants.Contains(owner->index))
                participants.Append(owner->index);
        }
    }
}

int CRZCombatant::GetSize()
{
    int size = 0;
    if (CRZUnitList* armies = GetUnits()) {
        for (auto it = armies->GetHead(); !it.IsEnd(); it++)
            size += (*it)->GetUnitSize();
    }
    return size;
}

CList<CDivision*>& CRZCombatant::GetRegiments()
{
    divisions.RemoveAll();
    if (CRZUnitList* armies = GetUnits()) {
        for (auto it = armies->GetHead(); !it.IsEnd(); it++) {
            for (auto held = (*it)->divisions.GetHead(); !held.IsEnd(); held++) {
                if (*held != nullptr)
                    divisions.Append(*held);
            }
        }
    }
    return divisions;
}

// --- the battle ---------------------------------------------------------------------------------------

CRZCombat::CRZCombat(int32_t inProvince, const DynamicID& identity, const CDate& start)
    : province(inProvince)
    , attackerSide(new CRZLandCombatant(this, true))
    , defenderSide(new CRZLandCombatant(this, false))
    , startDate(start)
{
    Create(identity);
    char text[96];
    std::snprintf(
        text, sizeof text, "%s %d in Prov%d", "Combat", static_cast<int>(identity.number), province);
    SetName(text);
}

CRZCombat::~CRZCombat()
{
    for (CRZCombatant* side : { attackerSide, defenderSide }) {
        if (CRZUnitList* armies = side->GetUnits()) {
            for (auto it = armies->GetHead(); !it.IsEnd(); it++) {
                if (*it != nullptr && (*it)->battle == this)
                    (*it)->battle = nullptr;
            }
        }
        delete side;
    }
}

CRZCombat* CRZCombat::GetCombat(const DynamicID& id)
{
    return dynamic_cast<CRZCombat*>(CRZDynamicObject::GetObjectFromID(id));
}

int CRZCombat::Update(CRZEvent* event)
{
    const CRZEvtType type = event->GetType();
    switch (type) {
    case _CRZEVT_COMBAT_ADD_UNIT_:
    case _CRZEVT_COMBAT_DELETE_UNIT_:
    case _CRZEVT_COMBAT_REMOVE_UNIT_: {
        const auto* record = RecordAs<CRZCombatUnitEventData>(event);
        CRZUnit* army = record != nullptr ? CRZUnit::GetUnit(record->unit) : nullptr;
        if (army == nullptr)
            return kHandled;
        const bool attacker = record->flag != 0;
        if (type == _CRZEVT_COMBAT_ADD_UNIT_)
            AddUnit(army, attacker);
        else if (type == _CRZEVT_COMBAT_DELETE_UNIT_)
            UnitDeleted(army, attacker);
        else
            UnitRemoved(army, attacker);
        return kHandled;
    }
    case _CRZEVT_COMBAT_PHASE_:
        if (!ended) {
            inPhase = true;
            ExecuteCombatPhase();
            inPhase = false;
        }
        return kHandled;
    case _CRZEVT_COMBAT_STARTED_: {
        char text[96];
        std::snprintf(
            text, sizeof text, "%s %d in Prov%d", GetTypeName(), static_cast<int>(GetID().number), province);
        SetName(text);
        inPhase = true;
        CombatStarted();
        inPhase = false;
        return kHandled;
    }
    case _CRZEVT_COMBAT_ENDED_:
        HandleCombatEnded();
        return kHandled;
    case _CRZEVT_COMBAT_RETREAT_: {
        const auto* record = RecordAs<CRZRetreatEventData>(event);
        if (record == nullptr)
            return kHandled;
        CRZUnit* army = record->unit == NOID ? nullptr : CRZUnit::GetUnit(record->unit);
        if (record->unit != NOID && army == nullptr)
            return kHandled;
        if (record->province < 0 || record->province >= kMapProvinceCount) {
            history("A retreat from battle names province %d: dropped\n", static_cast<int>(record->province));
            return kHandled;
        }
        HandleRetreat(army, record->province, record->flag != 0);
        return kHandled;
    }
    default:
        return 0;
    }
}

void CRZCombat::AddAttacker(CRZUnit* army)
{
    if (army != nullptr && army->exclusion == 0)
        ProcessGlobalEvent(
            new CRZCombatUnitEvent(_CRZEVT_COMBAT_ADD_UNIT_, GetID(), GetID(), army->GetID(), true));
}

void CRZCombat::AddDefender(CRZUnit* army)
{
    if (army != nullptr && army->exclusion == 0)
        ProcessGlobalEvent(
            new CRZCombatUnitEvent(_CRZEVT_COMBAT_ADD_UNIT_, GetID(), GetID(), army->GetID(), false));
}

int CRZCombat::TryToJoin(CRZUnit* army)
{
    if (army == nullptr || attackerSide->HasArmy(army) || defenderSide->HasArmy(army))
        return 0;
    const bool againstDefenders = defenderSide->IsValidOpponent(army);
    const bool againstAttackers = attackerSide->IsValidOpponent(army);
    if (againstDefenders == againstAttackers)
        return 0;
    if (againstDefenders)
        AddAttacker(army);
    else
        AddDefender(army);
    return 1;
}

void CRZCombat::AddUnit(CRZUnit* army, bool attacker)
{
    if (army == nullptr)
        return;
    if (army->GetUnitSize() > largestArmy)
        largestArmy = army->GetUnitSize();
    (attacker ? attackerSide : defenderSide)->Join(army);
    attackerSide->CalculateModifiers(*defenderSide);
    defenderSide->CalculateModifiers(*attackerSide);
    attackerSide->GetLeader();
    defenderSide->GetLeader();
}

bool CRZCombat::UnitRemoved(CRZUnit* army, bool)
{
    const bool fromAttackers = attackerSide->UnitRemoved(army);
    const bool fromDefenders = defenderSide->UnitRemoved(army);
    const bool held = fromAttackers || fromDefenders;
    if (held && CRZCountry::OnHost() && !inPhase && !ended && TerminationCheck())
        EndCombat();
    return held;
}

void CRZCombat::UnitDeleted(CRZUnit* army, bool attacker)
{
    if (army != nullptr)
        (attacker ? attackerSide : defenderSide)->UnitDeleted(army);
}

void CRZCombat::RemoveUnit(CRZUnit* army)
{
    for (CRZCombatant* side : { attackerSide, defenderSide }) {
        if (side->HasArmy(army)) {
            side->GetUnits()->Remove(army);
            side->RefreshParticipants();
        }
    }
    if (army != nullptr && army->battle == this)
        army->battle = nullptr;
}

void CRZCombat::Init()
{
    attackerSide->Init();
    defenderSide->Init();
    CalculateModifiers();
}

void CRZCombat::CalculateModifiers()
{
    attackerSide->CalculateModifiers(*defenderSide);
    defenderSide->CalculateModifiers(*attackerSide);
}

void CRZCombat::CombatStarted()
{
    Init();
    if (CRZCountry::OnHost()) {
        if (TerminationCheck())
            EndCombat();
        else
            ScheduleNextPhase();
    }
    const CProvince* where = CProvince::GetProvince(province);
    const std::string place = where != nullptr ? where->GetName() : "";
    if (gCountryHooks.ShowMessage == nullptr)
        return;
    CRZUnitList& defending = *defenderSide->GetUnits();
    CRZUnitList& attacking = *attackerSide->GetUnits();
    if (HasArmyOf(defending, &IsLocalRealm) && !HasArmyOf(attacking, &IsRebelRealm)) {
        const CRZCountry* them = attackerSide->GetLeaderCountry();
        const std::string theirs = them != nullptr ? them->GetName() : "";
        gCountryHooks.ShowMessage(kMessTheyStartCombat, them != nullptr ? them->index : kRebelCountry, "",
            place.c_str(), theirs.c_str(), "", province);
    } else if (HasArmyOf(attacking, &IsLocalRealm) && !HasArmyOf(defending, &IsRebelRealm)) {
        CRZCountryID local = kRebelCountry;
        for (auto it = attacking.GetHead(); !it.IsEnd(); it++) {
            if ((*it)->owner != nullptr && (*it)->owner->IsLocal())
                local = (*it)->owner->index;
        }
        gCountryHooks.ShowMessage(kMessWeStartCombat, local, "", place.c_str(), "", "", province);
    }
}

void CRZCombat::ScheduleNextPhase()
{
    CDate tomorrow = GetGameToday();
    tomorrow.AddDays(1);
    ScheduleLocalEvent(
        new CRZCombatEvent(_CRZEVT_COMBAT_PHASE_, GetID(), kind, GetID(), GetGameToday()), tomorrow);
}

bool CRZCombat::TerminationCheck()
{
    return attackerSide->defeated || defenderSide->defeated || phase == FINISHED;
}

CRZCombatant* CRZCombat::GetWinner() const
{
    if (attackerSide->IsWinner())
        return attackerSide;
    if (defenderSide->IsWinner())
        return defenderSide;
    return nullptr;
}

CRZCombatant* CRZCombat::GetLoser() const
{
    if (attackerSide->defeated)
        return attackerSide;
    if (defenderSide->defeated)
        return defenderSide;
    return nullptr;
}

bool CRZCombat::IsValid()
{
    CRZUnitList& attacking = *attackerSide->GetUnits();
    CRZUnitList& defending = *defenderSide->GetUnits();
    if (attackerSide->participants.IsEmpty() || defenderSide->participants.IsEmpty())
        return false;
    for (auto it = attacking.GetHead(); !it.IsEnd(); it++) {
        if (!defending.IsEnemy(*it) || attacking.IsEnemy(*it))
            return false;
    }
    for (auto it = defending.GetHead(); !it.IsEnd(); it++) {
        if (!attacking.IsEnemy(*it) || defending.IsEnemy(*it))
            return false;
    }
    return true;
}

bool CRZCombat::IsParticipating(const CRZCountry* realm) const
{
    return attackerSide->IsParticipating(realm) || defenderSide->IsParticipating(realm);
}

void CRZCombat::RefreshParticipants()
{
    attackerSide->RefreshParticipants();
    defenderSide->RefreshParticipants();
}

void CRZCombat::ChangeTag(int32_t oldNumber, int32_t newNumber)
{
    for (CRZCombatant* side : { attackerSide, defenderSide }) {
        if (side->participants.Contains(oldNumber)) {
            side->participants.Remove(oldNumber);
            side->participants.Append(newNumber);
        }
    }
}

const char* CRZCombat::GetPhaseName() const
{
    static const char* const keys[] = { "PHASE_MANEUVER", "PHASE_ADVANCE", "PHASE_SKIRMISH", "PHASE_FRONT",
        "PHASE_FLANK", "PHASE_RETREAT", "PHASE_PURSUE" };
    if (phase < MANEUVER || phase >= FINISHED)
        return "";
    return TextStrings.GetString(keys[phase]);
}

const char* CRZCombat::GetBattleName() const
{
    static std::string text;
    const CProvince* where = CProvince::GetProvince(province);
    text = std::string(TextStrings.GetString("BATTLE_OF")) + " " + (where != nullptr ? where->GetName() : "");
    return text.c_str();
}

const char* CRZCombat::GetResultDesc()
{
    static std::string text;
    text = SideResult(*attackerSide, attackerLosses) + "\n" + SideResult(*defenderSide, defenderLosses);
    return text.c_str();
}

CRZLandCombat::CRZLandCombat(int32_t where, const DynamicID& identity, const CDate& start)
    : CRZCombat(where, identity, start)
{
    kind = 1;
}

CRZCombatList::~CRZCombatList()
{
    if (!owns)
        return;
    for (auto it = GetHead(); !it.IsEnd(); it++) {
        (*it)->HandleCombatEnded();
        delete *it;
    }
}

void GetProvinceCombats(int number, CRZCombatList& into)
{
    const CProvince* where = CProvince::GetProvince(number);
    if (where == nullptr)
        return;
    for (auto it = where->battles.GetHead(); !it.IsEnd(); it++) {
        if (CRZCombat* battle = CRZCombat::GetCombat(*it))
            into.Append(battle);
    }
}

void InstallCombatHooks()
{
    gProvinceHooks.CreateCombat = [](CProvince& where, int, const DynamicID& id, const CDate& start) {
        if (id == NOID || CRZDynamicObject::GetObjectFromID(id) != nullptr)
            return false;
        new CRZLandCombat(where.GetNumber(), id, start);
        return true;
    };
    gProvinceHooks.DeleteCombat = [](const DynamicID& id) { delete CRZCombat::GetCombat(id); };
}
