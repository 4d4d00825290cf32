// The server endpoint: dispatch of host requests to the servers of the global game state, and the
// basic server's merging and disbanding of armies and cancelling of constructions.
#include "world/server.h"

#include "armies/army_servers.h"
#include "armies/unit.h"
#include "characters/character_server.h"
#include "events/event_hooks.h"
#include "events/event_posting.h"
#include "events/event_routing.h"
#include "events/generic_events.h"
#include "events/records_army.h"
#include "realms/construction.h"
#include "realms/country.h"
#include "realms/realm_servers.h"
#include "world/global.h"

#include "foundation/safeguards.h"

CRZServer* gpServer = nullptr;

namespace {

template <class Server> int Offer(Server* server, CRZEvent* event)
{
    return server ? server->Update(event) : 0;
}

CRZStaticObject* FindGameServer()
{
    return gpServer;
}

// The owner realm's identity, which receives the results of a request about its army.
CRZID OwnerOf(const CRZUnit* army)
{
    return CountryIdentity(army->owner ? army->owner->index : 0);
}

} // namespace

CRZServer::CRZServer()
{
    CRZStaticObject::Create(StaticID(BASIC_SERVER));
}

CRZServer::~CRZServer()
{
    if (gpServer == this)
        SetGameServer(nullptr);
}

int CRZServer::Update(CRZEvent* event)
{
    if (!IsHostMachine())
        return 0;
    switch (static_cast<int32_t>(event->GetReceiver().number)) {
    case -1:
        BasicUpdate(event);
        Offer(gGlobal.combatServer, event);
        Offer(gGlobal.unitServer, event);
        Offer(gGlobal.investmentServer, event);
        Offer(gGlobal.diplomacyServer, event);
        Offer(gGlobal.characterServer, event);
        return 0;
    case 1:
        return BasicUpdate(event);
    case 2:
        return Offer(gGlobal.combatServer, event);
    case 3:
        return Offer(gGlobal.unitServer, event);
    case 6:
        return Offer(gGlobal.investmentServer, event);
    case 9:
        return Offer(gGlobal.diplomacyServer, event);
    case 10:
        return Offer(gGlobal.characterServer, event);
    default:
        // Scripted-event requests reach their servers through the routing, not through here.
        return 0;
    }
}

int CRZServer::BasicUpdate(CRZEvent* event)
{
    if (!IsHostMachine())
        return 0;
    switch (event->GetType()) {
    case _CRZEVT_REQUEST_MERGE_:
        return Merge(event);
    case _CRZEVT_REQUEST_DISBAND_UNIT_:
        Disband(event);
        return 0;
    case _CRZEVT_REQUEST_CANCEL_CONSTRUCTION_:
        CancelConstruction(event);
        return 0;
    default:
        return 0;
    }
}

int CRZServer::Merge(CRZEvent* event)
{
    const CRZUnitMergeEventData* record = RecordAs<CRZUnitMergeEventData>(event);
    if (record == nullptr)
        return 0;
    // The first army stays, the second goes into it.
    CRZUnit* going = CRZUnit::GetUnit(record->second);
    if (going == nullptr || going->IsInBattle())
        return 0;
    CRZUnit* staying = CRZUnit::GetUnit(record->first);
    if (staying == nullptr || staying->IsInBattle() || staying == going)
        return 0;
    CRZCountry* owner = staying->owner;
    if (owner == nullptr || owner != going->owner)
        return 0;
    if (staying->exclusion || going->exclusion)
        return 3;

    going->divisions.Lock();
    for (auto it = going->divisions.GetHead(); !it.IsEnd(); it++)
        owner->AddDivision(staying, *it);
    going->divisions.Unlock();

    const DynamicID from = going->GetID();
    const DynamicID to = staying->GetID();
    const CRZID realm = OwnerOf(staying);
    ProcessGlobalEvent(new CRZTransferTroopsEvent(_CRZEVT_TRANSFER_ALL_LEADERS_, realm, from, to, 0));
    ProcessGlobalEvent(new CRZTransferTroopsEvent(_CRZEVT_TRANSFER_ALL_ARMIES_, realm, from, to, 0));
    ProcessGlobalEvent(new CRZUnitEvent(_CRZEVT_DISBAND_UNIT_, realm, from, true));
    return 0;
}

void CRZServer::Disband(CRZEvent* event)
{
    const CRZUnitEventData* record = RecordAs<CRZUnitEventData>(event);
    if (record == nullptr)
        return;
    CRZUnit* army = CRZUnit::GetUnit(record->unit);
    if (army == nullptr || army->IsInBattle())
        return;
    ProcessGlobalEvent(new CRZUnitEvent(_CRZEVT_DISBAND_UNIT_, OwnerOf(army), army->GetID(), true));
}

void CRZServer::CancelConstruction(CRZEvent* event)
{
    const CRZIdentityEventData* record = RecordAs<CRZIdentityEventData>(event);
    if (record == nullptr)
        return;
    auto* construction
        = dynamic_cast<CRZConstruction*>(CRZDynamicObject::GetObjectFromID(DynamicID(record->id)));
    if (construction == nullptr)
        return;
    ProcessGlobalEvent(new CRZIdentityEvent(
        _CRZEVT_CANCEL_CONSTRUCTION_, CountryIdentity(construction->country), construction->GetID()));
}

void SetGameServer(CRZServer* server)
{
    gpServer = server;
    gEventRoutes.server = server;
    gIdentityLookups.GetGameServer = server ? &FindGameServer : nullptr;
}
