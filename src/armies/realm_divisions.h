// The armies' side of a realm's army and division operations: the identities its events carry, and what
// their handlers do to the armies and divisions. The wiring installs these in the realms' hooks.
#pragma once

#include "events/records_army.h"
#include "foundation/identity.h"

class CDivision;
class CRZCountry;
class CRZEvent;
class CRZUnit;

// Puts these, and the raising and letting go of armies (realm_armies.h), into the realms' hooks
// (gCountryHooks), with the army route of the realm's router.
void InstallRealmDivisionHooks();

DynamicID GetDivisionID(const CDivision* division);
DynamicID GetArmyID(const CRZUnit* army);
int UpdateArmy(CRZUnit* army, CRZEvent* event);

// Destroys an army of a realm that goes, with its divisions, freeing their leaders' commands.
void DestroyRealmArmy(CRZUnit* army);
// Destroys the division, freeing its leader's command.
void FreeRealmDivision(CDivision* division);

// Each answers as the realm's handler of its event. Numbers and identities come from other machines: a
// province outside the map, an identity that names nothing or is already taken drops the event with a log
// line.
// A new division of the realm, in no army yet, raised today; unless it is raised outside the levy it becomes
// its home province's regiment where the realm owns or rules the province.
int CreateRealmDivision(CRZCountry* realm, const CRZDivisionEventData& record);
// Takes the division out of the realm's army that holds it and destroys it; a levy's men go back to its
// home province, halved when the army stands in another top realm's land. A division that is gone, or that
// no army of the realm holds, is left alone. Answers 3.
int KillRealmDivision(CRZCountry* realm, const CRZKillDivisionEventData& record);
// Moves the division into the army named, out of the army that held it. Answers 0, changing nothing, when
// the army or the division is gone or the two armies stand in different provinces; 3 otherwise.
int AddRealmDivision(CRZCountry* realm, const CRZAddDivisionEventData& record);
// The division leaves its army and heads for the army's province, or the capital from the home area;
// nowhere where the army has no access or an enemy holds it. Answers 3.
int RemoveRealmDivision(CRZCountry* realm, const CRZAddDivisionEventData& record);
// The division now belongs to the realm of the number; a number outside the table changes nothing.
void TransferRealmDivision(const DynamicID& division, CRZCountryID realm);
