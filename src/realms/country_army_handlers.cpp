// A realm's troops as executed events raise and move them on every machine: calling up a host and a
// province's levy, creating armies and divisions, moving divisions between armies, killing, transferring
// and disbanding. The armies' own side lies behind the realms' hooks; the host alone draws new identities.
#include "armies/battle_result.h"
#include "characters/character.h"
#include "events/event.h"
#include "events/generic_events.h"
#include "events/record_event.h"
#include "events/records_army.h"
#include "events/records_realm.h"
#include "foundation/logs.h"
#include "realms/country.h"
#include "realms/province.h"
#include "realms/war.h"

#include "foundation/safeguards.h"

namespace {

constexpr int kHandled = 3;
constexpr int kSoundArmyDisbanded = 33;
// A levy raised directly in a vassal's land costs his ruler's loyalty: more while the liege has raised
// fewer of his own levies than he has left at home.
constexpr float kLevyAbroadHeavy = -0.2f;
constexpr float kLevyAbroadLight = -0.1f;

// Hands the event's record to the armies' side of its handler, which answers for it.
template <class Data>
int ToArmies(CRZCountry* realm, CRZEvent* event, int (*armies)(CRZCountry*, const Data&))
{
    const Data* record = RecordAs<Data>(event);
    return record != nullptr && armies != nullptr ? armies(realm, *record) : kHandled;
}

} // namespace

int CRZCountry::handleMobilizeHost(CRZEvent* event)
{
    const auto* record = RecordAs<CRZCountryIntEventData>(event);
    if (record == nullptr || !OnHost())
        return kHandled;
    if (record->number < MOBILIZE_OWN_HOST || record->number > MOBILIZE_GRAND_HOST) {
        history("%s: mobilisation type %d unknown; event dropped\n", event->GetName(),
            static_cast<int>(record->number));
        return kHandled;
    }
    CRZCountry* mobiliser
        = IsCountryNumber(record->country, event->GetName()) ? GetCountry(record->country) : nullptr;
    if (mobiliser == nullptr)
        return kHandled;
    const auto type = static_cast<MobilizationType>(record->number);
    for (auto it = GetOwnedProvinces().GetHead(); !it.IsEnd(); it++) {
        const CProvince* province = CProvince::GetProvince(*it);
        if (province != nullptr && province->GetControllerID() == index
            && mobiliser->CanMobilizeProvince(*it))
            mobiliser->MobilizeProvince(*it, type);
    }
    return kHandled;
}

int CRZCountry::handleMobilizeProvince(CRZEvent* event)
{
    const auto* record = RecordAs<CRZIntIntEventData>(event);
    CProvince* province = record != nullptr ? EventProvince(record->first, event) : nullptr;
    if (province == nullptr)
        return kHandled;
    CRZCountry* owner = province->GetOwner();
    const DynamicID division = OnHost() ? CRZDynamicObject::GetUniqueDynamicID() : DynamicID(NOID);
    if (OnHost()) {
        int32_t culture = province->culture;
        if (owner != nullptr && owner->ruler != nullptr && owner->ruler->religion != province->religion)
            culture = owner->GetUnitNationality();
        // The host hands the whole levy to the division; every other machine empties it below.
        CreateDivision(division, province->GetNumber(), province->GetMilitaryLeader(),
            static_cast<RZCultureType>(culture), province->GetAdvances().ToRecord(),
            CompositionToRecord(province->GetRegimentSize()), false, false, false);
    } else {
        province->ClearRegimentSize();
    }
    // Loyalty is every machine's state, so every machine lowers it, not the host alone.
    if (owner != nullptr && owner != this && record->second == 0 && ruler != nullptr
        && owner->ruler != nullptr && ruler->IsRealmUnderMe(owner->ruler)) {
        int raised = 0;
        int unraised = 0;
        for (auto it = GetOwnedProvinces().GetHead(); !it.IsEnd(); it++) {
            const CProvince* own = CProvince::GetProvince(*it);
            if (own != nullptr)
                ++(own->levyRegiment == NOID ? unraised : raised);
        }
        owner->ruler->ChangeLoyaltyToLiege(raised < unraised ? kLevyAbroadHeavy : kLevyAbroadLight);
    }
    if (OnHost()) {
        const DynamicID army = CRZDynamicObject::GetUniqueDynamicID();
        CreateArmy(army, province->GetNumber());
        AddDivision(army, division);
    }
    return kHandled;
}

int CRZCountry::handleCreateArmy(CRZEvent* event)
{
    const auto* record = RecordAs<CRZBuildArmyEventData>(event);
    if (record == nullptr || EventProvince(record->number, event) == nullptr)
        return kHandled;
    // The army takes the identity its creator asked for: the one the divisions raised with it are added to.
    ConstructArmy(record->number, record->unit, GetGameToday(), record->second, record->id);
    RefreshWindows();
    return kHandled;
}

int CRZCountry::handleCreateDivision(CRZEvent* event)
{
    return ToArmies(this, event, gCountryHooks.CreateDivision);
}

int CRZCountry::handleAddDivision(CRZEvent* event)
{
    return ToArmies(this, event, gCountryHooks.AddDivision);
}

int CRZCountry::handleRemoveDivision(CRZEvent* event)
{
    return ToArmies(this, event, gCountryHooks.RemoveDivision);
}

// Reinforcement reaches the divisions themselves.
int CRZCountry::handleReinforceDivision(CRZEvent*)
{
    return kHandled;
}

int CRZCountry::handleKillDivision(CRZEvent* event)
{
    return ToArmies(this, event, gCountryHooks.KillDivision);
}

int CRZCountry::handleTransferDivision(CRZEvent* event)
{
    const auto* record = RecordAs<CRZTransferDivisionEventData>(event);
    if (record != nullptr && gCountryHooks.TransferDivision)
        gCountryHooks.TransferDivision(record->division, record->country);
    return kHandled;
}

int CRZCountry::handleDisbandUnit(CRZEvent* event)
{
    const auto* record = RecordAs<CRZUnitEventData>(event);
    if (record == nullptr)
        return kHandled;
    CRZUnit* army = GetUnit(record->unit);
    if (army != nullptr && StateOf(army).strength < 1.0f && gCountryHooks.MarkArmyFading)
        gCountryHooks.MarkArmyFading(army);
    if (IsLocal())
        PlayWarSound(kSoundArmyDisbanded);
    DeleteUnit(record->unit);
    RefreshWindows();
    return kHandled;
}

int CRZCountry::handleUnitDelete(CRZEvent* event)
{
    const auto* record = RecordAs<CRZUnitEventData>(event);
    CRZUnit* army = record != nullptr ? GetUnit(record->unit) : nullptr;
    if (army != nullptr && !StateOf(army).excluded)
        DeleteUnit(record->unit);
    return 0;
}

// The armies exchange their troops themselves; the realm only shows the outcome.
int CRZCountry::handleTransferAllArmies(CRZEvent* event)
{
    if (RecordAs<CRZTransferTroopsEventData>(event) != nullptr)
        RefreshWindows();
    return kHandled;
}
