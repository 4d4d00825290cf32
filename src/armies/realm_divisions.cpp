// The realm's division operations as the armies carry them out.
#include "armies/realm_divisions.h"

#include "armies/division.h"
#include "armies/unit.h"
#include "realms/country.h"

#include "foundation/safeguards.h"

namespace {

constexpr int kHandled = 3;

CDivision* FindDivision(const DynamicID& id)
{
    return dynamic_cast<CDivision*>(CRZDynamicObject::GetObjectFromID(id));
}

// The realm's army that holds the division, or null.
CRZUnit* ArmyHolding(CRZCountry* realm, const CDivision* division)
{
    for (auto army = realm->armies.GetHead(); !army.IsEnd(); army++) {
        for (auto held = (*army)->divisions.GetHead(); !held.IsEnd(); held++) {
            if (*held == division)
                return *army;
        }
    }
    return nullptr;
}

// Destroys the division, freeing its leader's command.
void FreeDivision(CDivision* division)
{
    if (CCharacter* leader = division->GetLeader(); leader && leader->militaryCommand == division)
        leader->militaryCommand = nullptr;
    delete division;
}

} // namespace

void InstallRealmDivisionHooks()
{
    gCountryHooks.UpdateArmy = &UpdateArmy;
    gCountryHooks.GetDivisionID = &GetDivisionID;
    gCountryHooks.GetArmyID = &GetArmyID;
    gCountryHooks.GetArmyState = [](const CRZUnit* army) {
        return CArmyState { army->GetProvince(), army->IsInBattle(), army->owner,
            static_cast<float>(army->GetTotalStrength()) };
    };
    gCountryHooks.KillDivision = &KillRealmDivision;
    gCountryHooks.AddDivision = &AddRealmDivision;
    gCountryHooks.DestroyArmy = &DestroyRealmArmy;
}

DynamicID GetDivisionID(const CDivision* division)
{
    return division->GetID();
}

DynamicID GetArmyID(const CRZUnit* army)
{
    return army->GetID();
}

int UpdateArmy(CRZUnit* army, CRZEvent* event)
{
    return army->Update(event);
}

void DestroyRealmArmy(CRZUnit* army)
{
    if (army == nullptr)
        return;
    for (auto held = army->divisions.GetHead(); !held.IsEnd(); held++)
        FreeDivision(*held);
    army->divisions.RemoveAll();
    delete army;
}

int KillRealmDivision(CRZCountry* realm, const CRZKillDivisionEventData& record)
{
    CDivision* division = FindDivision(record.division);
    CRZUnit* army = division ? ArmyHolding(realm, division) : nullptr;
    if (army == nullptr)
        return kHandled;
    army->divisions.Remove(division);
    division->army = nullptr;
    FreeDivision(division);
    return kHandled;
}

int AddRealmDivision(CRZCountry* realm, const CRZAddDivisionEventData& record)
{
    CRZUnit* army = CRZUnit::GetUnit(record.unit);
    CDivision* division = FindDivision(record.division);
    if (army == nullptr || division == nullptr)
        return 0;
    CRZUnit* from = ArmyHolding(realm, division);
    if (from == army)
        return kHandled;
    if (from != nullptr)
        from->divisions.Remove(division);
    army->divisions.Append(division);
    division->army = army;
    return kHandled;
}
