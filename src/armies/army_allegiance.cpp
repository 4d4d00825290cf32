// Armies changing owner, and armies settled after war and peace.
#include "armies/army_allegiance.h"

#include <vector>

#include "armies/army_servers.h"
#include "armies/combat.h"
#include "armies/division.h"
#include "armies/unit.h"
#include "armies/unit_list.h"
#include "events/event_posting.h"
#include "events/records_army.h"
#include "realms/country.h"
#include "realms/war.h"

#include "foundation/safeguards.h"

CArmyAIHooks gArmyAIHooks;

namespace {

void TellCombatServer(CRZUnit& army)
{
    if (CRZCombatServer* server = CRZCombatServer::GetInstance())
        server->NewUnitArrived(&army, army.GetProvince());
}

} // namespace

void InstallArmyAllegianceHooks()
{
    gWarHooks.SwitchAllegiance = &SwitchArmyAllegiance;
    gWarHooks.MoveArmies = &MoveRealmArmies;
    gWarHooks.SettleArmies = &SettleRealmArmies;
    gWarHooks.WithdrawArmy = &WithdrawArmy;
}

void HandArmyOver(CRZUnit& army, CRZCountry& to)
{
    CRZCountry* from = army.owner;
    if (from != nullptr)
        from->armies.Remove(&army);
    army.SetCountry(&to);
    if (!to.armies.Contains(&army))
        to.armies.Append(&army);
    if (to.IsAI()) {
        if (gArmyAIHooks.AssignArmy != nullptr)
            gArmyAIHooks.AssignArmy(to, army.GetArmy());
        return;
    }
    if (from != nullptr && from->IsAI() && army.agent != NOID && gArmyAIHooks.DetachArmy != nullptr)
        gArmyAIHooks.DetachArmy(army.GetArmy());
    army.SetAgent(NOID);
}

bool SwitchArmyAllegiance(CRZCountry* to, const DynamicID& id)
{
    CRZUnit* army = CRZUnit::GetUnit(id);
    if (to == nullptr || army == nullptr || army->exclusion != 0)
        return false;
    CRZCountry* from = army->owner;
    if (from != nullptr && !from->IsAI())
        from->DeselectUnit(army);
    HandArmyOver(*army, *to);
    // Standing again where it is keeps its orders; the combat server then sees who it faces now.
    army->SetInProvince(army->GetProvince());
    if (!army->IsInBattle())
        TellCombatServer(*army);
    return true;
}

void MoveRealmArmies(CRZCountry* from, CRZCountry* to)
{
    if (from == nullptr || to == nullptr || from == to)
        return;
    std::vector<CRZUnit*> going;
    for (auto it = from->armies.GetHead(); !it.IsEnd(); it++)
        going.push_back(*it);
    for (CRZUnit* army : going) {
        if (army != nullptr)
            HandArmyOver(*army, *to);
    }
}

void SettleRealmArmies(CRZCountry* realm)
{
    if (realm == nullptr)
        return;
    const bool host = CRZCountry::OnHost();
    if (host) {
        if (CRZCombatServer* server = CRZCombatServer::GetInstance())
            server->DiplomaticRelationChanged(realm);
    }
    CRZUnitList standing;
    for (auto it = realm->armies.GetHead(); !it.IsEnd(); it++)
        standing.Append(*it);
    standing.UpdateExiled();
    for (auto it = standing.GetHead(); !it.IsEnd(); it++) {
        CRZUnit* army = *it;
        if (army == nullptr || army->IsInBattle())
            continue;
        if (!army->exiled) {
            if (host)
                TellCombatServer(*army);
            continue;
        }
        // Not marked as being deleted here: the deletion that the event brings marks it and posts its kill,
        // and would post none for an army already marked.
        if (!host)
            continue;
        std::vector<CDivision*> divisions;
        for (auto held = army->divisions.GetHead(); !held.IsEnd(); held++)
            divisions.push_back(*held);
        for (CDivision* division : divisions)
            realm->RemoveDivision(division);
        ProcessGlobalEvent(new CRZUnitEvent(_CRZEVT_UNITDELETE_, realm->GetID(), army->GetID(), true));
    }
}

void WithdrawArmy(CRZUnit* army)
{
    if (army == nullptr)
        return;
    if (CRZCombat* battle = army->battle)
        battle->RemoveUnit(army);
    army->SetInProvince(0);
}
