// The host-side servers of the army subsystem held by the global game state: combat and units.
#pragma once

#include "foundation/identity.h"

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

    // The army stands in the province: nonzero when it is in a battle afterwards. Nothing for province 0
    // or water.
    int NewUnitArrived(CRZUnit* army, int province);
    // The realm's relations changed: each of its armies that neither fights nor retreats is treated as
    // newly arrived where it stands.
    void DiplomaticRelationChanged(CRZCountry* realm);

private:
    static CRZCombatServer* _pInstance;
};

// Requests addressed to UNIT_SERVER, on the host; the base takes nothing.
class CRZUnitServer : public CRZStaticObject { };
