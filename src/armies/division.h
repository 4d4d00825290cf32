// CDivision, one division of an army: its leader and its men, as the world update reads them.
#pragma once

#include <cstdint>

#include "armies/military_composition.h"
#include "characters/character.h"
#include "events/records_army.h"
#include "foundation/calendar_date.h"
#include "foundation/identity.h"
#include "foundation/ref.h"
#include "realms/advance.h"

class CRZUnit;

class CDivision : public CRZDynamicObject {
public:
    using CRZDynamicObject::CRZDynamicObject;
    ~CDivision() override = default;

    // Raising (realm_divisions.cpp): the home province, leader, culture, advances, strength and the three
    // creation flags of a division event; a leader that is no registered character leaves none.
    void Init(const CRZDivisionEventData& record);
    // The men by troop type; GetTotalMen stays the count the battles and sieges read.
    const CMilitaryComposition& GetStrength() const { return strength; }
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
