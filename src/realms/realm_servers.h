// The host-side servers of the realm subsystem held by the global game state: investment and diplomacy.
#pragma once

#include "foundation/identity.h"
#include "foundation/sorted_list.h"
#include "realms/request.h"

// The host's authority over a realm's economy and provinces: requests addressed to INVESTMENT_SERVER are
// checked here and carried out as global events addressed to the realm concerned. Keeps no state.
class CRZInvestmentServer : public CRZStaticObject {
public:
    // Always 0. On a client nothing happens; on the host a request that names a number outside its
    // table, a realm or province that does not exist, or that fails its check is dropped with a log line.
    int Update(CRZEvent* event) override;
};

// The host's authority over diplomacy: the pending requests, earliest host date first and in arrival order
// within a day, handed on to their recipients and their answers back to the senders; war, annexation and
// title requests re-issued to every machine. Nothing happens on a client. Owns the pending requests.
class CRZDiplomacyServer : public CRZStaticObject, public CSortedList<CRequest*, DateComparer> {
public:
    CRZDiplomacyServer();
    ~CRZDiplomacyServer() override;
    CRZDiplomacyServer(const CRZDiplomacyServer&) = delete;
    CRZDiplomacyServer& operator=(const CRZDiplomacyServer&) = delete;

    // Always 0. A record too short for its type or a number outside its table is dropped with a log line.
    int Update(CRZEvent* event) override;
    // A realm that changes its number keeps its pending requests.
    void ChangeTag(CRZCountryID oldId, CRZCountryID newId);

private:
    void ExpireRequests();
    void Answered(CRZEvent* event);
    void NewRequest(CRZEvent* event);
};
