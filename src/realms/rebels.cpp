// The rebels: what they do to a province they take and each month, and how a province they hold long
// enough breaks away as a realm of its own.
#include "app/game.h"
#include "characters/title.h"
#include "events/event_posting.h"
#include "events/generic_events.h"
#include "events/record_event.h"
#include "events/records_army.h"
#include "events/records_realm.h"
#include "events/variable_events.h"
#include "foundation/logs.h"
#include "foundation/random_generator.h"
#include "realms/country.h"
#include "realms/province.h"
#include "realms/province_effect.h"
#include "realms/province_improvement.h"

#include "foundation/safeguards.h"

namespace {

// Effect 0 marks a plundered province, effect 14 a province in revolt.
constexpr int kPlunderedEffect = 0;
constexpr int kRevoltEffect = 14;
constexpr int kImprovementTypes = 44;

int CountImprovements(const CProvince& province)
{
    int count = 0;
    for (int type = 0; type < kImprovementTypes; ++type)
        count += province.HasImprovement(type) ? 1 : 0;
    return count;
}

// The realm's armies that stand in the province, in list order.
CList<CRZUnit*> ArmiesIn(const CRZCountry& realm, int province)
{
    CList<CRZUnit*> found;
    if (gCountryHooks.GetArmyState == nullptr)
        return found;
    for (auto it = realm.armies.GetHead(); !it.IsEnd(); it++)
        if (gCountryHooks.GetArmyState(*it).province == province)
            found.Append(*it);
    return found;
}

DynamicID ArmyID(const CRZUnit* army)
{
    return gCountryHooks.GetArmyID ? gCountryHooks.GetArmyID(army) : DynamicID(NOID);
}

} // namespace

void CRZCountry::IncomeProcess()
{
    for (auto it = GetOwnedProvinces().GetHead(); !it.IsEnd(); it++)
        (void)CProvince::GetProvince(*it);
}

int CRZCountry::CreateCountriesFromRevolts(bool atOnce)
{
    if (!OnHost())
        return 0;
    // Asked every day for every realm, and seldom has a province in rebel hands: only then is the list
    // copied.
    const auto heldByRebels = [](int32_t number) {
        const CProvince* province = CProvince::GetProvince(number);
        return province != nullptr && province->controller == kRebelCountry;
    };
    bool any = false;
    for (auto it = GetOwnedProvinces().GetHead(); !it.IsEnd() && !any; it++)
        any = heldByRebels(*it);
    if (!any)
        return 0;
    const CDate today = CRZGame::GetCurrentDate();
    // The list may change under the events processed below: walk a copy.
    const CList<int32_t> owned = GetOwnedProvinces();
    for (auto it = owned.GetHead(); !it.IsEnd(); it++) {
        if (!heldByRebels(*it))
            continue;
        CProvince* province = CProvince::GetProvince(*it);
        const CTitle* county = CTitle::GetTitle(province->GetNumber());
        const CRZCountryID number = county != nullptr ? county->GetCountryID() : 0;
        if (!IsRealCountry(number) || number == index || GetCountry(number) != nullptr)
            continue;
        if (!atOnce) {
            CDate heldUntil = province->lastControllerChange;
            heldUntil.AddYears(1);
            if (heldUntil >= today)
                continue;
        }
        CList<int32_t> provinces;
        provinces.Append(province->GetNumber());
        ProcessToHostEvent(new CRZCreateCountryEvent(
            _CRZEVT_CREATE_COUNTRY_, INVESTMENT_SERVER, number, index, NOID, provinces, true));
        if (CRZCountry* rebels = GetCountry(kRebelCountry)) {
            const CList<CRZUnit*> armiesThere = ArmiesIn(*rebels, province->GetNumber());
            for (auto army = armiesThere.GetHead(); !army.IsEnd(); army++)
                PostGlobalEvent(new CRZUnitEvent(
                    _CRZEVT_SWITCH_ALLEGIANCE_, CountryIdentity(number), ArmyID(*army), true));
        }
    }
    return 0;
}

int CRZRebels::handleProvinceChangeControl(CRZEvent* event)
{
    CRZCountry::handleProvinceChangeControl(event);
    const auto* record = RecordAs<CRZProvChangeEventData>(event);
    if (record == nullptr)
        return 0;
    CProvince* province = record->province >= 1 && record->province <= kLastTableProvince
        ? CProvince::GetProvince(record->province)
        : nullptr;
    if (province == nullptr) {
        history("%s: province %d names no province; event dropped\n", event->GetName(),
            static_cast<int>(record->province));
        return 0;
    }
    if (province->controller != kRebelCountry)
        return 0;
    if (CRZCountry* owner = province->GetOwner(); owner != nullptr && owner->ruler != nullptr)
        owner->ruler->AddScore(CSimpleScore(0.0f, -25.0f, 0.0f));
    if (OnHost()) {
        if (const CProvinceEffectType* plundered = CProvinceEffectType::Get(kPlunderedEffect))
            AddProvinceEffect(*province, *plundered);
        if (CountImprovements(*province) > 1) {
            int drawn = 0;
            do
                drawn = gGameRandom.Next() % kImprovementTypes;
            while (!province->HasImprovement(drawn));
            if (const CProvinceImprovementType* improvement = CProvinceImprovementType::Get(drawn))
                DestroyProvinceImprovement(*province, *improvement);
        }
    }
    province->RemoveEffect(kRevoltEffect);
    return 0;
}

int CRZRebels::handleTimerMonth(CRZEvent* event)
{
    MergeAllRebels();
    return CRZCountry::handleTimerMonth(event);
}

void CRZRebels::MergeAllRebels()
{
    if (!OnHost())
        return;
    for (int number = 0; number <= kLastTableProvince; ++number) {
        const CList<CRZUnit*> together = ArmiesIn(*this, number);
        if (together.GetSize() >= 2 && CanMerge(together))
            Merge(&together);
    }
}
