// CDivision, one division of an army: its leader and its men, as the world update reads them.
#pragma once

#include <cstdint>

#include "armies/military_composition.h"
#include "characters/character.h"
#include "events/records_army.h"
#include "foundation/calendar_date.h"
#include "foundation/identity.h"
#include "foundation/linked_list.h"
#include "foundation/ref.h"
#include "realms/advance.h"

class CCompany;
class CRZUnit;

class CDivision : public CRZDynamicObject {
public:
    using CRZDynamicObject::CRZDynamicObject;
    ~CDivision() override = default;

    // Raising (realm_divisions.cpp): the home province, leader, culture, advances, strength and the three
    // creation flags of a division event; a leader that is no registered character leaves none.
    void Init(const CRZDivisionEventData& record);
    // The men by troop type, none while routed; GetTotalMen stays the count the battles and sieges read.
    CMilitaryComposition GetStrength() const
    {
        return state == kFighting ? strength : CMilitaryComposition();
    }
    const char* GetName() const { return name; }
    // Keeps at most 63 characters.
    void SetName(const char* text);
    // The levy's men go back to their home province when it dies, unless this is set.
    bool IsOutsideLevy() const { return thirdFlag; }

    // Null when the division has no leader or he is no longer registered.
    CCharacter* GetLeader() const { return leader.Get(); }
    void SetLeader(CCharacter* character) { leader = CRef<CCharacter>(character); }
    virtual int GetTotalMen() const { return men; }
    // The best siege value of its advances, at least 0.5.
    float GetSiegeValue() const;
    // What the division adds to a siege: a siege train needs 100 men per point where others need 250.
    float GetSiegeStrength() const;
    // Monthly: a division resting in an army out of battle regains morale, faster standing still.
    void RegainMorale();

    // Battle (division_combat.cpp): values from the troop types' base values, the best equipment of the
    // advances and the leader; losses collected from the companies over a round.
    enum : int32_t { kFighting = 0, kRouted = 2 };
    // Applies a losses event, or takes the division into pay; other events are not the division's.
    int Update(CRZEvent* event) override;
    float GetAttValue(int type) const;
    float GetDefValue(int type) const;
    // What the weapon of the type adds against the enemy's type; 1 without a weapon.
    float GetAttMultiplier(int type, int enemyType) const;
    float GetShockValue(int type) const;
    float GetMoraleValue(int type) const;
    // The advance whose weapon (armour) rates highest for the type; null when none rates above 0.
    const CAdvanceType* GetBestWeaponAdvance(int type) const;
    const CAdvanceType* GetBestArmorAdvance(int type) const;
    const char* GetBestWeaponName(int type) const;
    const char* GetBestArmorName(int type) const;
    // The combat multipliers of all its advances together.
    CCombatMultiplier GetCombatMultiplier() const;
    // The morale pool of the whole division from its men and their morale values.
    void CalculateMaxMorale();
    // Men times attack, times morale; 0 while routed.
    float CalcEffectivePower() const;
    // Cuts the men of each troop type into companies of the type's size, the remainder last; the caller
    // owns them. A routed division, or a type without a company size, forms none.
    void AddCompanies(CList<CCompany*>& companies);
    void AddLosses(int type, int lost);
    void AddMoraleLosses(float amount) { moraleLosses += amount; }
    // On the host, sends the round's collected losses to every machine as one event, then starts afresh.
    void TakeLosses();
    float GetCurrentMorale() const { return morale; }
    bool CheckMorale() const { return morale > 0.001f; }
    void Rout() { state = kRouted; }
    void ResetState() { state = kFighting; }
    bool IsRouted() const { return state != kFighting; }
    // Per month, from the troop types' upkeep.
    float GetUpkeep() const;

    int32_t state = kFighting;
    float maxMorale = 100.0f;
    float moraleLosses = 0.0f;
    CMilitaryComposition losses;

    int32_t men = 0;
    CAdvanceTuple advances;
    bool siegeTrain = false;
    // 1 is full, never below 0.
    float morale = 1.0f;
    // The army that holds it; null while none does.
    CRZUnit* army = nullptr;

    CRZCountryID owner = 0;
    int32_t homeProvince = 0;
    // Where it heads after leaving its army; 0 for nowhere.
    int32_t destination = 0;
    // The number its last removal from an army carried.
    int32_t removalNumber = 0;
    int32_t culture = 0;
    CDate raised;
    CMilitaryComposition strength;
    bool firstFlag = false;
    bool secondFlag = false;
    bool thirdFlag = false;
    char name[64] = {};

private:
    CRef<CCharacter> leader;
};
