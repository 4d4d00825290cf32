// CRZCountry as the global game state and its daily and monthly update see a realm: the per-realm tables
// they rebuild and the operations they call, and the country table that holds every realm.
#pragma once

#include <cstdint>

#include "characters/character.h"
#include "foundation/identity.h"
#include "foundation/linked_list.h"
#include "foundation/rz_obj.h"

class CDivision;
class CRZUnit;

// Realm numbers that are no real country: none, the realm of nobody, the rebels.
inline constexpr int32_t kNoCountry = 0;
inline constexpr int32_t kNobodyCountry = 1401;
inline constexpr int32_t kRebelCountry = 1422;

class CRZCountry : public CRZObj, public CRZStaticObject {
public:
    CRZCountry() = default;
    ~CRZCountry() override = default;

    // The realm's event router; the base takes nothing.
    int Update(CRZEvent*) override { return 0; }

    // False for 0, the realm of nobody and the rebels, and outside the table.
    static bool IsRealCountry(int index);
    // The realm at index, null outside 0..1422 or where none exists.
    static CRZCountry* GetCountry(int index);

    // Its position in the country table.
    int32_t index = 0;
    // One byte per other realm index.
    uint8_t truceFlags[kCountryTableSlots] = {};
    uint8_t allianceFlags[kCountryTableSlots] = {};
    uint8_t atWar = 0;
    uint8_t atWarWith[kCountryTableSlots] = {};
    uint32_t atWarWithReligion[kReligionCount] = {};
    // Sum over the divisions of men times attack times defence.
    float standingArmyPower = 0.0f;
    // Written monthly: the provinces' manpower summed up the liege chains.
    float manpowerSum = 0.0f;
    float realmManpowerSum = 0.0f;
    CCharacter* ruler = nullptr;
    CList<CRZUnit*> armies;
    uint8_t neighbourFlags[kCountryTableSlots] = {};
    // Realm indexes of neighbouring realm heads; only ever added to.
    CList<int32_t> neighbours;

    // True for a realm head (its ruler has no liege).
    virtual bool IsRealm() const = 0;
    // The realm head at the top of the liege chain.
    virtual CRZCountry* GetRealm() = 0;
    // Renews the neighbour flags.
    virtual void RefreshKnowledge() = 0;
    virtual float CalcRankingScore() = 0;
    // Removes the division from its army and destroys it.
    virtual void KillDivision(CDivision* division, int first, int second) = 0;
    // Moves the division into the army, which belongs to this realm.
    virtual void AddDivision(CRZUnit* army, CDivision* division) = 0;

    // Indexed by realm number; null where no realm exists.
    static CRZCountry* _pCountry[kCountryTableSlots];
};
