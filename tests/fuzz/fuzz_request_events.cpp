// libFuzzer target over the reading of diplomatic requests and their answers from peers: the host's diplomacy
// server and a realm's router take any record of a request, response, war, annexation or title type and
// check, keep, pass on or drop it, never reading outside a table or the record's bytes.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "events/event_factory.h"
#include "events/event_hooks.h"
#include "events/event_scheduler.h"
#include "events/generic_events.h"
#include "events/net_event.h"
#include "realms/realm_land.h"
#include "realms/realm_servers.h"
#include "realms/request.h"

#include "fuzz_net_event.h"

#include "foundation/safeguards.h"

namespace {

constexpr CRZEvtType kTypes[] = { _CRZEVT_REQUEST_MOBILIZE_HOST_, _CRZEVT_REQUEST_GRAND_MOBILIZATION_,
    _CRZEVT_REQUEST_OFFER_VASSALIZATION_, _CRZEVT_REQUEST_PLEDGE_ALLEGIENCE_, _CRZEVT_REQUEST_OFFER_MARRIGE_,
    _CRZEVT_UNNAMED_478_, _CRZEVT_REQUEST_SUE_FOR_PEACE_, _CRZEVT_REQUEST_REVOKE_TITLE_,
    _CRZEVT_REQUEST_OFFER_ALLIANCE_, _CRZEVT_RESPONSE_, _CRZEVT_REQ_SETUP_WAR_, _CRZEVT_REQ_SET_ANNEXATION_,
    _CRZEVT_GRANTTITLE_, _CRZEVT_GRABTITLE_, _CRZEVT_USURPTITLE_, _CRZEVT_CLAIMTITLE_,
    _CRZEVT_CREATEBISHOPRY_, _CRZEVT_REQUEST_CHARACTER_TRANSFER_, _CRZEVT_TIMER_DAY_ };

// What the server issues stays here: nothing is routed.
CRZReturnType Discard(CRZEvent*)
{
    return 0;
}

// Realms 5 and 6 with rulers, on the host.
struct CWorld {
    CWorld()
    {
        CRZCountry::InitCountryArray();
        gCountryHooks.IsHost = [] { return true; };
        for (int number : { 5, 6 }) {
            auto* realm = new CRZCountry;
            realm->index = number;
            CRZCountry::_pCountry[number] = realm;
            land.Ruler(realm);
        }
        SetEventDelivery(&Discard);
    }
    CRealmLand land;
    CRZDiplomacyServer server;
};

} // namespace

// Input: one byte choosing the type, then the record's bytes after its type word.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static CWorld world;
    if (size < 1)
        return 0;
    const uint32_t type = kTypes[data[0] % std::size(kTypes)];
    CRZEvent* event = BuildEventOfType(type, data + 1, size - 1);
    if (event == nullptr)
        return 0;
    world.server.Update(event);
    // The recipient's router keeps a copy with the sender and considers another, or pairs an answer.
    if (type == static_cast<uint32_t>(_CRZEVT_RESPONSE_)
        || (type >= static_cast<uint32_t>(_CRZEVT_REQUEST_MOBILIZE_HOST_)
            && type <= static_cast<uint32_t>(_CRZEVT_REQUEST_OFFER_ALLIANCE_)))
        CRZCountry::_pCountry[5]->Update(event);
    for (int number : { 5, 6 }) {
        CList<CRequest*>& pending = CRZCountry::_pCountry[number]->pendingRequests;
        for (auto it = pending.GetHead(); !it.IsEnd(); it++) {
            std::string parts[8];
            (*it)->WriteToPopup(parts);
            (*it)->IsDataValid();
            delete *it;
        }
        pending.RemoveAll();
    }
    delete event;
    // The day pass walks what the server kept, then the answers it posted are dropped.
    CRZGenericEvent day(_CRZEVT_TIMER_DAY_, ALLID);
    world.server.Update(&day);
    gEventScheduler.Erase();
    return 0;
}
