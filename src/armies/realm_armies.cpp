// Armies raised and let go by their realms.
#include "armies/realm_armies.h"

#include "armies/combat.h"
#include "armies/division.h"
#include "armies/realm_divisions.h"
#include "armies/unit.h"
#include "events/event_posting.h"
#include "events/generic_events.h"
#include "foundation/logs.h"
#include "realms/country.h"
#include "realms/province.h"

#include "foundation/safeguards.h"

namespace {

// Message types of an army lost without troops: wasted away, destroyed.
constexpr int kMessageArmyWasted = 20;
constexpr int kMessageArmyDestroyed = 19;

} // namespace

CRZUnit* NewRealmArmy(
    CRZCountry* realm, const DynamicID& id, const CDate& date, int province, const CRZID& agent)
{
    if (realm == nullptr || id == NOID || CRZDynamicObject::GetObjectFromID(id) != nullptr) {
        history("An army cannot be raised under identity %u:%u: none or taken; dropped\n",
            static_cast<unsigned>(id.type), static_cast<unsigned>(id.number));
        return nullptr;
    }
    auto* army = new CRZUnit;
    army->Create(id);
    army->SetCountry(realm);
    army->raised = date;
    army->SetAgent(agent);
    army->SetInProvince(province);
    return army;
}

void RetireRealmArmy(CRZCountry* realm, CRZUnit* army)
{
    if (army == nullptr)
        return;
    const bool noTroops = army->GetUnitSize() < 1;
    for (auto held = army->divisions.GetHead(); !held.IsEnd(); held++)
        FreeRealmDivision(*held);
    army->divisions.RemoveAll();
    const CProvince* province = CProvince::GetProvince(army->GetProvince());
    if (realm != nullptr && realm->IsLocal() && noTroops && gCountryHooks.ShowMessage) {
        gCountryHooks.ShowMessage(army->wastedAway ? kMessageArmyWasted : kMessageArmyDestroyed, realm->index,
            "", province ? province->GetName() : "", "", "", army->GetProvince());
    }
    army->selected = false;
    army->SetInProvince(0);
    if (army->battle != nullptr)
        army->battle->RemoveUnit(army);
    if (army->beingDeleted)
        return;
    army->beingDeleted = true;
    PostLocalEvent(new CRZIdentityEvent(_CRZEVT_KILL_, army->GetID(), army->GetID()));
}
