// The host-side servers of the realm subsystem held by the global game state: investment and diplomacy.
#pragma once

#include "foundation/identity.h"

// The host's authority over a realm's economy and provinces: requests addressed to INVESTMENT_SERVER are
// checked here and carried out as global events addressed to the realm concerned. Keeps no state.
class CRZInvestmentServer : public CRZStaticObject {
public:
    // Always 0. On a client nothing happens; on the host a request that names a number outside its
    // table, a realm or province that does not exist, or that fails its check is dropped with a log line.
    int Update(CRZEvent* event) override;
};

// Requests addressed to DIPLOMACY_SERVER, on the host; the base takes nothing.
class CRZDiplomacyServer : public CRZStaticObject { };
