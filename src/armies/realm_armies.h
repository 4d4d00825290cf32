// The armies' side of a realm raising and letting go of its armies: the army object itself, what the local
// player hears, and the kill event that frees it. The wiring installs these in the realms' hooks.
#pragma once

#include "foundation/calendar_date.h"
#include "foundation/identity.h"

class CRZCountry;
class CRZUnit;

// The army of the realm registered under the identity and standing in the province, raised on the date and
// led by the agent (NOID for none). Null, with a log line, for NOID or an identity already taken: a forged
// or repeated creation must not register a second object under one identity.
CRZUnit* NewRealmArmy(
    CRZCountry* realm, const DynamicID& id, const CDate& date, int province, const CRZID& agent);
// After the realm let the army go: frees the divisions it still holds, tells the local player of an army
// left without troops, leaves its province and battle and, the first time only, posts the kill event that
// deletes it.
void RetireRealmArmy(CRZCountry* realm, CRZUnit* army);
