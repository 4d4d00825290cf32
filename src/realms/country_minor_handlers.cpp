// The realm's small executed changes, run on every machine: a province's works, advances, effects,
// culture, religion and estates; the realm's cores, budget, development focus and event chances; and
// renaming what the player may name.
#include <cmath>
#include <cstdio>

#include "characters/character.h"
#include "characters/culture.h"
#include "events/event.h"
#include "events/generic_events.h"
#include "events/record_event.h"
#include "events/records_realm.h"
#include "foundation/logs.h"
#include "foundation/rz_obj.h"
#include "realms/advance.h"
#include "realms/country.h"
#include "realms/province.h"
#include "realms/province_effect.h"
#include "realms/province_improvement.h"

#include "foundation/safeguards.h"

namespace {

constexpr int kHandled = 3;
// Effect 0 marks a plundered province: the first to set it takes the spoils.
constexpr int kPlunderEffect = 0;

bool InTable(bool found, int64_t number, CRZEvent* event)
{
    if (!found)
        history("%s: type %lld outside its table; event dropped\n", event->GetName(),
            static_cast<long long>(number));
    return found;
}

// The province and type of a two-number province event, both checked; null when either is bad.
template <class Table> CProvince* ProvinceAndType(CRZEvent* event, int32_t& type)
{
    const auto* record = RecordAs<CRZIntIntEventData>(event);
    if (record == nullptr)
        return nullptr;
    CProvince* province = EventProvince(record->first, event);
    type = record->second;
    if (province == nullptr || !InTable(Table::Get(type) != nullptr, type, event))
        return nullptr;
    return province;
}

// Applies the province's operation with the event's checked type.
template <class Table> int ApplyTyped(CRZEvent* event, void (CProvince::*apply)(int))
{
    int32_t type = 0;
    if (CProvince* province = ProvinceAndType<Table>(event, type))
        (province->*apply)(type);
    return kHandled;
}

// A positive amount goes to the upper estate, anything else to the lower one by its size.
int ChangePrivileges(CRZEvent* event, int upper, int lower)
{
    const auto* record = RecordAs<CRZIntFloatEventData>(event);
    if (record == nullptr)
        return kHandled;
    CProvince* province = EventProvince(record->number, event);
    if (province == nullptr)
        return kHandled;
    if (!std::isfinite(record->value)) {
        history("%s: amount is no number; event dropped\n", event->GetName());
        return kHandled;
    }
    if (record->value > 0.0f)
        province->ChangePrivileges(upper, record->value);
    else
        province->ChangePrivileges(lower, -record->value);
    return kHandled;
}

} // namespace

// The numbers come from other machines.
CProvince* EventProvince(int64_t number, CRZEvent* event)
{
    CProvince* province = number >= 1 && number <= kLastTableProvince
        ? CProvince::GetProvince(static_cast<int>(number))
        : nullptr;
    if (province == nullptr)
        history("%s: province %lld names no province; event dropped\n", event->GetName(),
            static_cast<long long>(number));
    return province;
}

int CRZCountry::handleStartBuildingProvinceImprovement(CRZEvent* event)
{
    return ApplyTyped<CProvinceImprovementType>(event, &CProvince::StartConstruction);
}

int CRZCountry::handleCancelBuildingProvinceImprovement(CRZEvent* event)
{
    const auto* record = RecordAs<CRZIntData>(event);
    if (record == nullptr)
        return kHandled;
    if (CProvince* province = EventProvince(record->value, event))
        province->CancelConstruction();
    return kHandled;
}

int CRZCountry::handleCreateProvinceImprovement(CRZEvent* event)
{
    return ApplyTyped<CProvinceImprovementType>(event, &CProvince::CreateProvinceImprovement);
}

int CRZCountry::handleDestroyProvinceImprovement(CRZEvent* event)
{
    return ApplyTyped<CProvinceImprovementType>(event, &CProvince::DestroyProvinceImprovement);
}

int CRZCountry::handleAddAdvance(CRZEvent* event)
{
    return ApplyTyped<CAdvanceType>(event, &CProvince::AddAdvance);
}

int CRZCountry::handleRemoveAdvance(CRZEvent* event)
{
    return ApplyTyped<CAdvanceType>(event, &CProvince::RemoveAdvance);
}

int CRZCountry::handleAddProvinceEffect(CRZEvent* event)
{
    int32_t type = 0;
    CProvince* province = ProvinceAndType<CProvinceEffectType>(event, type);
    if (province == nullptr)
        return kHandled;
    if (type == kPlunderEffect && !province->HasEffect(kPlunderEffect) && ruler != nullptr)
        ruler->AddScore(province->GetModifier().GetProvincePlunderScore(*province).GetTotal());
    province->AddEffect(type);
    return kHandled;
}

int CRZCountry::handleRemoveProvinceEffect(CRZEvent* event)
{
    return ApplyTyped<CProvinceEffectType>(event, &CProvince::RemoveEffect);
}

int CRZCountry::handleSetCulture(CRZEvent* event)
{
    const auto* record = RecordAs<CRZProvinceCultureEventData>(event);
    if (record == nullptr)
        return kHandled;
    CProvince* province = EventProvince(record->province, event);
    const int32_t culture = record->culture;
    if (province != nullptr && InTable(culture >= 0 && culture < kCultureCount, culture, event))
        province->culture = culture;
    return kHandled;
}

int CRZCountry::handleSetReligion(CRZEvent* event)
{
    const auto* record = RecordAs<CRZProvinceReligionEventData>(event);
    if (record == nullptr)
        return kHandled;
    CProvince* province = EventProvince(record->province, event);
    const int32_t religion = record->religion;
    if (province != nullptr && InTable(religion >= 0 && religion <= RELIGION_NONE, religion, event))
        province->religion = religion;
    return kHandled;
}

int CRZCountry::handleAddCore(CRZEvent* event)
{
    const auto* record = RecordAs<CRZProvEventData>(event);
    if (record == nullptr || EventProvince(record->province, event) == nullptr)
        return kHandled;
    if (coreProvinces.Find(record->province).IsEnd())
        coreProvinces.Append(record->province);
    return kHandled;
}

int CRZCountry::handleRemoveCore(CRZEvent* event)
{
    const auto* record = RecordAs<CRZProvEventData>(event);
    if (record != nullptr)
        coreProvinces.Remove(record->province);
    return kHandled;
}

int CRZCountry::handleChangeBudget(CRZEvent* event)
{
    const auto* record = RecordAs<CRZBudgetPercentageEventData>(event);
    if (record == nullptr)
        return kHandled;
    for (float share : record->values) {
        if (!std::isfinite(share)) {
            history("%s: a budget share is no number; event dropped\n", event->GetName());
            return kHandled;
        }
    }
    // Shares are fractions: held to 0..1 on receipt, so no month charges more than the whole upkeep.
    for (int i = 0; i < kBudgetSliders; ++i)
        budget[i] = std::fmin(std::fmax(record->values[i], 0.0f), 1.0f);
    return kHandled;
}

int CRZCountry::handleSetDevelopmentFocus(CRZEvent* event)
{
    if (const auto* record = RecordAs<CRZIntCountryEventData>(event))
        SetDevFocus(record->number);
    return kHandled;
}

int CRZCountry::handleEventChance(CRZEvent* event)
{
    const auto* record = RecordAs<CRZIntFloatEventData>(event);
    if (record == nullptr)
        return kHandled;
    if (!std::isfinite(record->value)) {
        history("%s: chance is no number; event dropped\n", event->GetName());
        return kHandled;
    }
    eventChances.Append(CIDFloat { record->number, record->value });
    return kHandled;
}

int CRZCountry::handleChangePeasantNoblesPrivileges(CRZEvent* event)
{
    return ChangePrivileges(event, CStandsTuple::NOBLES, CStandsTuple::PEASANTS);
}

int CRZCountry::handleChangeBurgherClergyPrivileges(CRZEvent* event)
{
    return ChangePrivileges(event, CStandsTuple::CLERGY, CStandsTuple::BURGHERS);
}

int CRZCountry::handleRenameObject(CRZEvent* event)
{
    auto* record = const_cast<CRZRenameObjectEventData*>(RecordAs<CRZRenameObjectEventData>(event));
    if (record == nullptr)
        return kHandled;
    // The name may arrive without its end.
    TerminateRecordName(record->name);
    const CRZID& object = record->object;
    if (object.type == RZTYPE_PROVINCE) {
        if (CProvince* province = EventProvince(object.number, event))
            province->SetName(record->name);
    } else if (object.type == RZTYPE_CHARACTER) {
        if (auto* character = dynamic_cast<CCharacter*>(CIdentity::GetObjectFromID(object)))
            character->SetName(record->name);
    } else if (auto* named = dynamic_cast<CRZObj*>(CRZDynamicObject::GetObjectFromID(DynamicID(object)))) {
        named->SetName(record->name);
    }
    return kHandled;
}

int CRZCountry::handleExecuteEvent(CRZEvent*)
{
    return 0;
}
int CRZCountry::handleStartCrusades(CRZEvent*)
{
    return 0;
}
int CRZCountry::handleCrusadesLost()
{
    return 0;
}
int CRZCountry::handleCrusadesWon()
{
    return 0;
}
int CRZCountry::handleGodMode(bool on)
{
    godMode = on;
    return 0;
}
