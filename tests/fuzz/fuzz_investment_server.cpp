// libFuzzer target over the investment server's reading of requests from peers: any record of any of its
// request types must be checked and dropped or reissued, never read outside a table, the map or the
// record's bytes.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "events/event_factory.h"
#include "events/event_hooks.h"
#include "events/event_scheduler.h"
#include "events/net_event.h"
#include "realms/realm_land.h"
#include "realms/realm_servers.h"

#include "fuzz_net_event.h"

#include "foundation/safeguards.h"

namespace {

constexpr CRZEvtType kRequests[] = { _CRZEVT_START_BUILDING_PROVINCE_IMPROVEMENT_,
    _CRZEVT_CANCEL_BUILDING_PROVINCE_IMPROVEMENT_, _CRZEVT_CREATE_PROVINCE_IMPROVEMENT_,
    _CRZEVT_DESTROY_PROVINCE_IMPROVEMENT_, _CRZEVT_ADD_ADVANCE_, _CRZEVT_REMOVE_ADVANCE_,
    _CRZEVT_CHANGE_PEASANT_NOBLES_PRIVILEGES_, _CRZEVT_CHANGE_BURGHER_CLERGY_PRIVILEGES_,
    _CRZEVT_INSTITUTE_LAW_, _CRZEVT_SET_DEVELOPMENT_FOCUS_, _CRZEVT_ADD_PROVINCE_EFFECT_,
    _CRZEVT_REMOVE_PROVINCE_EFFECT_, _CRZEVT_SET_PROV_RELIGION_, _CRZEVT_SET_PROV_CULTURE_,
    _CRZEVT_CHANGE_BUDGET_, _CRZEVT_REQUEST_INVESTMENT_CHANGE_, _CRZEVT_REQUEST_SET_MAINTENANCE_,
    _CRZEVT_WIN_SIEGE_, _CRZEVT_CREATE_COUNTRY_, _CRZEVT_CREATE_DIVISION_ };

// What the server issues stays here: nothing is routed.
CRZReturnType Discard(CRZEvent*)
{
    return 0;
}

// Realm 5 owns and controls province 12; realm 6 exists without land.
struct CWorld {
    CWorld()
    {
        CRZCountry::InitCountryArray();
        for (int number : { 5, 6 }) {
            auto* realm = new CRZCountry;
            realm->index = number;
            CRZCountry::_pCountry[number] = realm;
            land.Ruler(realm);
        }
        land.Land(12, CRZCountry::_pCountry[5])->controller = 5;
        SetEventDelivery(&Discard);
    }
    CRealmLand land;
};

} // namespace

// Input: one byte choosing the request type, then the record's bytes after its type word.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static CWorld world;
    if (size < 1)
        return 0;
    const uint32_t type = kRequests[data[0] % std::size(kRequests)];
    CRZEvent* event = BuildEventOfType(type, data + 1, size - 1);
    if (event == nullptr)
        return 0;
    CRZInvestmentServer server;
    server.Update(event);
    delete event;
    gEventScheduler.Erase();
    return 0;
}
