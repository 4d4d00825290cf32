// CDivision, one division of an army: its leader and its men, as the world update reads them.
#pragma once

#include <cstdint>

#include "characters/character.h"
#include "foundation/identity.h"
#include "foundation/ref.h"

class CDivision : public CRZDynamicObject {
public:
    using CRZDynamicObject::CRZDynamicObject;
    ~CDivision() override = default;

    // Null when the division has no leader or he is no longer registered.
    CCharacter* GetLeader() const { return leader.Get(); }
    void SetLeader(CCharacter* character) { leader = CRef<CCharacter>(character); }
    virtual int GetTotalMen() const { return men; }

    int32_t men = 0;

private:
    CRef<CCharacter> leader;
};
