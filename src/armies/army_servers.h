// The host-side servers of the army subsystem held by the global game state: combat and units.
#pragma once

#include "foundation/identity.h"

// Requests addressed to COMBAT_SERVER, on the host; the base takes nothing.
class CRZCombatServer : public CRZStaticObject { };

// Requests addressed to UNIT_SERVER, on the host; the base takes nothing.
class CRZUnitServer : public CRZStaticObject { };
