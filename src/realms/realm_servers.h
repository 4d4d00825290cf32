// The host-side servers of the realm subsystem held by the global game state: investment and diplomacy.
#pragma once

#include "foundation/identity.h"

// Requests addressed to INVESTMENT_SERVER, on the host; the base takes nothing.
class CRZInvestmentServer : public CRZStaticObject { };

// Requests addressed to DIPLOMACY_SERVER, on the host; the base takes nothing.
class CRZDiplomacyServer : public CRZStaticObject { };
