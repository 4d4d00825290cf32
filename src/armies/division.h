// CDivision, one division of an army: its leader and its men, as the world update reads them.
#pragma once

#include <cstdint>

#include "characters/character.h"
#include "foundation/identity.h"
#include "foundation/ref.h"
#include "realms/advance.h"

class CRZUnit;

class CDivision : public CRZDynamicObject {
public:
    using CRZDynamicObject::CRZDynamicObject;
    ~CDivision() override = default;

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

private:
    CRef<CCharacter> leader;
};
