// CRZCombat, a battle in one province between an attacking and a defending side: which armies fight on
// each side, which realms take part and what each side has lost. CRZCombatList holds a province's battles.
#pragma once

#include <cstdint>
#include <vector>

#include "armies/military_composition.h"
#include "characters/character.h"
#include "foundation/calendar_date.h"
#include "foundation/identity.h"
#include "foundation/linked_list.h"
#include "foundation/ref.h"

class CProvince;
class CRZUnit;

class CRZCombat : public CRZDynamicObject {
public:
    // One side of the battle: its armies, the realms they belong to, its leader and its losses.
    struct CSide {
        CList<CRZUnit*> armies;
        std::vector<int32_t> participants;
        CMilitaryComposition losses;
        CRef<CCharacter> leader;
    };

    CRZCombat(int32_t province, const DynamicID& id, const CDate& start);
    // Every army still fighting here leaves the battle.
    ~CRZCombat() override;
    CRZCombat(const CRZCombat&) = delete;
    CRZCombat& operator=(const CRZCombat&) = delete;

    // The battle registered under the identity, or null.
    static CRZCombat* GetCombat(const DynamicID& id);

    // The army joins the side; its realm joins the side's participants.
    void AddUnit(CRZUnit* army, bool attacker);
    // The army leaves whichever side it fights on, and the participants are rebuilt.
    void RemoveUnit(CRZUnit* army);
    // Each side's participants rebuilt from its armies' owners.
    void RefreshParticipants();
    // A realm moved to another number: the first entry of the old number on each side becomes the new one,
    // moved to the end.
    void ChangeTag(int32_t oldNumber, int32_t newNumber);
    bool IsParticipating(const CRZCountry* realm) const;
    // Two lines, the attacker's first: each side's leader and what the side lost ("COMBAT_LOST"), or
    // "COMBAT_NO_LOSS" for a side that lost nobody. One buffer, overwritten by the next call.
    const char* GetResultDesc() const;

    // The game-wide start and end of battles: nothing to set up or tear down.
    static void InitCombat() { }
    static void CleanupCombat() { }

    int32_t province = 0;
    CDate startDate;
    CSide attackers;
    CSide defenders;
};

// A battle on land.
class CRZLandCombat : public CRZCombat {
public:
    CRZLandCombat(CProvince* province, const DynamicID& id);
};

// A province's battles; a list that owns them deletes them with itself.
class CRZCombatList : public CList<CRZCombat*> {
public:
    explicit CRZCombatList(bool owner = false)
        : owns(owner)
    {
    }
    ~CRZCombatList() override;
    CRZCombatList(const CRZCombatList&) = delete;
    CRZCombatList& operator=(const CRZCombatList&) = delete;

private:
    bool owns;
};
