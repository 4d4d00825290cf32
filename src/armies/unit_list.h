// CRZUnitList, armies that take one order together, and CRZSelectedUnitList, such a list rebuilt from
// identities, which skips armies that no longer exist.
#pragma once

#include <vector>

#include "foundation/calendar_date.h"
#include "foundation/linked_list.h"
#include "foundation/rz_id.h"

class CCharacter;
class CRZCombat;
class CRZUnit;

// Not owning its armies.
class CRZUnitList : public CList<CRZUnit*> {
public:
    // Every army's orders become the move to the province (the date is when it was ordered; empty: now).
    void MoveUnitsTo(int province, const CDate& date);
    // The move is appended to every army's orders; last marks the final leg of a longer route.
    void AddMovementTo(int province, const CDate& date, bool last);
    // Every army that stands in a province is exiled exactly when its owner has no access there.
    void UpdateExiled();

    // Battle (unit_combat.cpp): the highest-ranking of the armies' leaders, the first on a tie; null for
    // an empty list.
    CCharacter* GetLeader() const;
    // Some army of the list is an enemy of the army; false for an empty list.
    bool IsEnemy(const CRZUnit* army) const;
    // Every army of the list would fight the army; false for an empty list.
    bool IsValidOpponent(const CRZUnit* army, const CRZCombat* battle) const;
};

class CRZSelectedUnitList : public CRZUnitList {
public:
    CRZSelectedUnitList() = default;
    // The armies still registered under the identities, in their order.
    explicit CRZSelectedUnitList(const std::vector<DynamicID>& ids);
};
