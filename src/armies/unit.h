// CRZUnit, an army: the fields that the host's basic server and the world update read of it.
#pragma once

#include <cstdint>
#include <vector>

#include "foundation/calendar_date.h"
#include "foundation/identity.h"
#include "foundation/linked_list.h"
#include "foundation/rz_obj.h"

class CCharacter;
class CDivision;
class CRZEvent;
class CProvince;
class CRZCombat;
class CRZCountry;

class CRZUnit : public CRZObj, public CRZDynamicObject {
public:
    CRZUnit() = default;
    // Leaves the province it stands in and destroys the divisions it still holds, freeing their leaders'
    // commands.
    ~CRZUnit() override;

    // Completion, the daily check, marching and placing (unit_combat.cpp).
    int Update(CRZEvent* event) override;

    // The army registered under the identity, or null when none is (or the object is no army).
    static CRZUnit* GetUnit(const DynamicID& id);

    bool IsInBattle() const { return battle != nullptr; }

    // The men of all its divisions.
    int GetTotalStrength() const;
    // The province the army stands in, 0 for none.
    int GetProvince() const { return province; }
    // Puts the army into the province at once, without marching; the provinces list the armies in them.
    void SetInProvince(int number);

    // Raising and disbanding (realm_armies.cpp).
    void SetCountry(CRZCountry* realm) { owner = realm; }
    // The computer opponent's agent that leads the army, by identity; NOID for none.
    void SetAgent(const CRZID& leader) { agent = leader; }
    // Its men; below 1 the army has no troops left.
    int GetUnitSize() const { return GetTotalStrength(); }
    // The owner may enter the province: it controls it, nobody does, or it has access with the controller.
    bool HaveAccess(const CProvince* target) const;

    CRZID agent = NOID;
    CDate raised;
    // Gone without a fading picture on the map.
    bool fadingOut = false;
    // Died of attrition rather than in battle.
    bool wastedAway = false;
    // Its kill event is on its way; a second deletion must not post another.
    bool beingDeleted = false;
    bool selected = false;

    // The battle the army fights in, or null.
    CRZCombat* battle = nullptr;
    CRZCountry* owner = nullptr;
    // Set, the army is no valid opponent in battle and its arrival processing ends.
    uint32_t exclusion = 0;
    // Not owned here; a realm moves and kills divisions through its own operations.
    CList<CDivision*> divisions;
    int32_t province = 0;
    // The provinces the army is ordered to, in order.
    std::vector<int32_t> movementOrders;
    // The marks a siege reads: marching on, held back from fighting, and standing by without pressing
    // the siege.
    bool moving = false;
    bool blocked = false;
    bool holdsBack = false;

    // Exile (army_allegiance.cpp).
    CRZUnit& GetArmy() { return *this; }
    // Outside its owner's reach, and neither fighting nor retreating.
    bool HasExiledFlag() const { return exiled && !IsInBattle() && !retreating; }
    // Standing where its owner has no access (CRZUnitList::UpdateExiled).
    bool exiled = false;
    bool retreating = false;

    // Battle and retreat (unit_combat.cpp).
    // Its divisions' highest-ranking leader, the first on a tie; the anonymous soldier without one.
    CCharacter* GetLeader() const;
    bool IsEnemy(const CRZUnit* other) const;
    // Both may fight each other: neither exiled, excluded nor retreating, of two realms, both with
    // divisions, and enemies.
    bool IsValidOpponent(const CRZUnit* other, const CRZCombat* battle) const;
    bool isAttackerCombat() const { return battle != nullptr && isAttacker; }
    void CombatStarted(const DynamicID& battle, bool attacker);
    void CombatEnded(const DynamicID& battle);
    // Its divisions fight afresh, and the army is marked retreating.
    void Retreat(int province);
    bool CanRetreatTo(int province) const;
    // Host only: the best neighbour to fall back to, 0 when none will do.
    int GetRetreatProvinceID() const;
    // The march is over: no path, no scheduled step, not retreating.
    void CancelAllMovement();

    bool isAttacker = false;
    // The province it stood in before the last arrival.
    int32_t previousProvince = 0;
    // The march state the unit server keeps.
    CDate movestart;
    CDate movetime;
    CRZEvent* scheduledMove = nullptr;
    int32_t interruptedDest = 0;
    int32_t interruptedDays = 0;
};
