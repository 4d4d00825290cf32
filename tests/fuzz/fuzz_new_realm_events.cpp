// libFuzzer target over the realm events that make and join realms, as peers send them: a new realm from a
// title and a province list, an executed annexation and a random cousin. Any record must be checked against
// the tables and its own bytes, and make a realm whole or not at all.
#include <cstddef>
#include <cstdint>

#include "events/event_hooks.h"
#include "events/event_scheduler.h"
#include "events/records_character.h"
#include "realms/owner_area.h"
#include "realms/realm_land.h"

#include "fuzz_net_event.h"

#include "foundation/safeguards.h"

namespace {

constexpr CRZEvtType kTypes[]
    = { _CRZEVT_CREATE_COUNTRY_, _CRZEVT_EXEC_SET_ANNEXATION_, _CRZEVT_CREATE_RANDOM_COUSIN_ };

CRZReturnType Discard(CRZEvent*)
{
    return 0;
}

} // namespace

// Input: one byte choosing the type, then the record's bytes after its type word. Realm 5 with provinces
// 12 and 13 and realm 6 receive it in a world made afresh.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    CRZEvent* event = BuildEventOfType(kTypes[data[0] % std::size(kTypes)], data + 1, size - 1);
    if (event == nullptr)
        return 0;
    SetEventDelivery(&Discard);
    CRZCountry::InitCountryArray();
    gCountryHooks.IsHost = [] { return true; };
    {
        CRealmLand land;
        CRZCountry::ConstructCountry(5);
        CRZCountry::ConstructCountry(6);
        land.Ruler(CRZCountry::_pCountry[5]);
        land.Ruler(CRZCountry::_pCountry[6]);
        land.Land(12, CRZCountry::_pCountry[5]);
        land.Land(13, CRZCountry::_pCountry[5]);
        const bool cousin = event->GetType() == _CRZEVT_CREATE_RANDOM_COUSIN_;
        const CRZID cousinId
            = cousin ? static_cast<CRZCreateRandomCousinEvent*>(event)->Record().first : NOID;
        const bool taken = CIdentity::GetObjectFromID(cousinId) != nullptr;
        CRZCountry::_pCountry[5]->Update(event);
        // A cousin made under the record's identity belongs to no registry here.
        if (cousin && !taken)
            delete dynamic_cast<CCharacter*>(CIdentity::GetObjectFromID(cousinId));
        CRZOwnerArea::CleanupAllOwnerAreas();
        gEventScheduler.Erase();
        CRZCountry::DeleteAll();
    }
    gCountryHooks = CountryHooks {};
    SetEventDelivery(nullptr);
    delete event;
    return 0;
}
