// The armies' side of a realm's division operations: the identities its kill- and add-division events
// carry, and what their handlers do to the armies. The wiring installs these in the realms' hooks.
#pragma once

#include "events/records_army.h"
#include "foundation/identity.h"

class CDivision;
class CRZCountry;
class CRZEvent;
class CRZUnit;

// Puts these into the realms' hooks (gCountryHooks), with the army route of the realm's router.
void InstallRealmDivisionHooks();

DynamicID GetDivisionID(const CDivision* division);
DynamicID GetArmyID(const CRZUnit* army);
int UpdateArmy(CRZUnit* army, CRZEvent* event);

// Destroys an army of a realm that goes, with its divisions, freeing their leaders' commands.
void DestroyRealmArmy(CRZUnit* army);
// Takes the division out of the realm's army that holds it and destroys it, freeing its leader's command.
// A division that is gone, or that no army of the realm holds, is left alone. Answers 3.
int KillRealmDivision(CRZCountry* realm, const CRZKillDivisionEventData& record);
// Moves the division out of the realm's army that holds it into the army named. Answers 0 when the army
// or the division is gone, 3 otherwise.
int AddRealmDivision(CRZCountry* realm, const CRZAddDivisionEventData& record);
