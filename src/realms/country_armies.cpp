// A realm's armies come and go here on every machine: raised in a province by the create-army handler,
// let go by the unit handlers and the computer opponents. The armies' own side lies behind the realms' hooks.
#include "events/event.h"
#include "events/event_posting.h"
#include "events/records_army.h"
#include "realms/country.h"
#include "realms/province.h"

#include "foundation/safeguards.h"

namespace {

// Message types: a revolt broke out; an army was lost.
constexpr int kMessageRevolt = 17;
// The computer opponents hear of a rebel army raised, with its province.
constexpr int kNotifyRebelArmy = 20;

} // namespace

CRZUnit* CRZCountry::ConstructArmy(
    int province, const DynamicID& army, CDate date, const DynamicID&, const CRZID& agent)
{
    const CProvince* place = CProvince::GetProvince(province);
    if (index == kRebelCountry && place != nullptr && place->GetControllerID() != kNoCountry) {
        // The local player hears of a revolt on his own land, held by him or taken from him by the rebels.
        const CRZCountryID controller = place->GetControllerID();
        const CRZCountry* owner = place->GetOwner();
        const CRZCountry* holder = GetCountry(controller);
        const bool ours = (holder != nullptr && holder->IsLocal())
            || (controller == kRebelCountry && owner != nullptr && owner->IsLocal());
        if (ours && gCountryHooks.ShowMessage)
            gCountryHooks.ShowMessage(kMessageRevolt, controller, "", place->GetName(), "", "", province);
    }
    if (gCountryHooks.NewArmy == nullptr)
        return nullptr;
    CRZUnit* raised = gCountryHooks.NewArmy(this, army, date, province, OnHost() ? agent : CRZID(NOID));
    if (raised == nullptr)
        return nullptr;
    armies.Append(raised);
    ProcessLocalEvent(new CRZUnitFinishedEvent(_CRZEVT_UNIT_FINISH_, army, true));
    if (OnHost() && index == kRebelCountry && gCountryHooks.NotifyAI)
        gCountryHooks.NotifyAI(kNotifyRebelArmy, province, 0);
    return raised;
}

int CRZCountry::DeleteUnit(const DynamicID& army)
{
    CRZUnit* going = GetUnit(army);
    if (going == nullptr)
        return 0;
    if (gCountryHooks.NotifyArmyDeleted)
        gCountryHooks.NotifyArmyDeleted(going);
    armies.Remove(going);
    if (gCountryHooks.RetireArmy)
        gCountryHooks.RetireArmy(this, going);
    return 0;
}
