// The host-side servers of the army subsystem held by the global game state: combat and units.
#pragma once

#include "foundation/calendar_date.h"
#include "foundation/identity.h"

class CProvince;
class CRZCombat;
class CRZCombatList;
class CRZCountry;
class CRZUnit;

// The host's authority over battles: told where armies arrive and when a realm's wars and peace change.
class CRZCombatServer : public CRZStaticObject {
public:
    // Registers under COMBAT_SERVER; the one the game made is found with GetInstance.
    CRZCombatServer();
    ~CRZCombatServer() override;
    CRZCombatServer(const CRZCombatServer&) = delete;
    CRZCombatServer& operator=(const CRZCombatServer&) = delete;

    // Null while no game has made one.
    static CRZCombatServer* GetInstance() { return _pInstance; }

    // Host only: a battle over, an army's march cancelled, an army taken out of a battle.
    int Update(CRZEvent* event) override;
    // Creates the battle in the province on every machine with the two armies, lets the province's other
    // armies join and starts it; null when the province made none.
    CRZCombat* CreateCombat(
        CProvince& province, int kind, const DynamicID& id, CRZUnit* attacker, CRZUnit* defender);
    // 1 when the army, not yet fighting, started a battle as the attacker.
    int TryToPickAFight(CProvince& province, CRZUnit* army);
    // The kind of the battle of the province the army joined, or 0.
    int TryToJoinCombat(CProvince& province, CRZUnit* army);
    // The army leaves every battle of the battle's province.
    void RemoveUnit(CRZCombat* battle, CRZUnit* army, bool attacker);
    // The army stands in the province: nonzero when it is in a battle afterwards. Nothing for province 0
    // or water.
    int NewUnitArrived(CRZUnit* army, int province);
    // The battle is deleted everywhere and the armies left in its province start or join the next.
    void EndCombat(CRZCombat* battle);
    // The battles the realm's armies fight that no longer stand.
    void CollectInvalidCombats(CRZCombatList& into, CRZCountry* realm);
    // The realm's relations changed: battles that no longer stand end without a winner, and each of its
    // armies that neither fights nor retreats is treated as newly arrived where it stands.
    void DiplomaticRelationChanged(CRZCountry* realm);

private:
    static CRZCombatServer* _pInstance;
};

// The host's authority over marches: a move order becomes a dated step, and the step's end moves the army
// on every machine.
class CRZUnitServer : public CRZStaticObject {
public:
    // Registers under UNIT_SERVER; the one the game made is found with GetInstance.
    CRZUnitServer();
    ~CRZUnitServer() override;
    CRZUnitServer(const CRZUnitServer&) = delete;
    CRZUnitServer& operator=(const CRZUnitServer&) = delete;

    static CRZUnitServer* GetInstance() { return _pInstance; }

    // Host only: move orders and the steps that come due.
    int Update(CRZEvent* event) override;
    void handleUnitAddDestination(CRZUnit* army, int province, bool replace, const CDate& date);
    void handleUnitServerMoveUpdate(CRZUnit* army, int province);
    // One step from a province to the next, starting on the date or today, whichever is later.
    void ScheduleMoveUpdate(CRZUnit* army, int from, int to, const CDate& date);
    // Resumes the march a battle interrupted, counting the days marched before it.
    void ScheduleRestartedMove(CRZUnit* army);
    void CancelMovements(CRZUnit* army);
    // The army's scheduled step reaches nobody.
    void RemoveScheduledUnitMoves(CRZUnit* army);
    // The days of one step, at least 1.
    int GetEstimatedMovementTime(CRZUnit* army, int from, int to);

private:
    static CRZUnitServer* _pInstance;
};
