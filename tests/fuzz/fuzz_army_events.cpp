// libFuzzer target over a realm's army and mobilisation events as a peer sends them: creating armies and
// divisions, moving, killing, removing and transferring divisions, disbanding and deleting armies, calling
// up a host or a province. Whatever arrives, nothing is read outside a table or a record, no identity is
// registered twice and the levies stay numbers.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "armies/division.h"
#include "armies/realm_divisions.h"
#include "armies/unit.h"
#include "events/event_scheduler.h"
#include "events/game_clock.h"
#include "realms/realm_land.h"

#include "fuzz_net_event.h"

#include "foundation/safeguards.h"

namespace {

constexpr CRZEvtType kTypes[]
    = { _CRZEVT_CREATE_ARMY_, _CRZEVT_CREATE_DIVISION_, _CRZEVT_ADD_DIVISION_, _CRZEVT_REMOVE_DIVISION_,
          _CRZEVT_KILL_DIVISION_, _CRZEVT_DISBAND_UNIT_, _CRZEVT_UNITDELETE_, _CRZEVT_TRANSFER_ALL_ARMIES_,
          _CRZEVT_MOBILIZE_HOST_, _CRZEVT_MOBILIZE_PROVINCE_, _CRZEVT_REINFORCE_DIVISION_ };

// Realm 5 owns provinces 1 and 2 with levies and an army of one division in province 1; realm 6 is its
// vassal with province 3.
struct CWorld : CRealmLand {
    CWorld()
    {
        CRZCountry::InitCountryArray();
        gCountryHooks = CountryHooks {};
        gCountryHooks.IsHost = [] { return true; };
        InstallRealmDivisionHooks();
        gpTimer = &timer;
        CRZCountry::ConstructCountry(5);
        CRZCountry::ConstructCountry(6);
        CRZCountry* realm = CRZCountry::_pCountry[5];
        CRZCountry* vassal = CRZCountry::_pCountry[6];
        Ruler(realm);
        Ruler(vassal, realm->ruler);
        for (int number : { 1, 2, 3 }) {
            CProvince* province = Land(number, number == 3 ? vassal : realm);
            province->controller = number == 3 ? 6 : 5;
            province->maximumLevy.Set(MILITIA, 1000);
            province->currentLevy.Set(MILITIA, 500);
        }
        // Identities 900001 and 900002 of the dynamic kind: the army and its division, for inputs to name.
        CRZUnit* army
            = realm->ConstructArmy(1, DynamicID(CRZID(RZTYPE_DYNAMIC, 900001)), CDate(), NOID, NOID);
        auto* division = new CDivision(DynamicID(CRZID(RZTYPE_DYNAMIC, 900002)));
        division->owner = 5;
        division->homeProvince = 1;
        division->strength.Set(MILITIA, 300);
        division->army = army;
        army->divisions.Append(division);
    }
    ~CWorld()
    {
        gEventScheduler.ProcessAll();
        gEventScheduler.Erase();
        // Divisions raised or removed into no army wait for one; the world frees them as it goes.
        std::vector<CDivision*> waiting;
        CRZDynamicObject::_pHashTable->ForEach([&](CRZDynamicObject* object) {
            if (auto* division = dynamic_cast<CDivision*>(object);
                division != nullptr && division->army == nullptr)
                waiting.push_back(division);
        });
        for (CDivision* division : waiting)
            FreeRealmDivision(division);
        CRZCountry::DeleteAll();
        gCountryHooks = CountryHooks {};
        gpTimer = nullptr;
    }
    CRZTimer timer { 15 };
};

} // namespace

// Input: one byte choosing the type, then the record's bytes after its type word.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    CWorld world;
    CRZEvent* event = BuildEventOfType(kTypes[data[0] % std::size(kTypes)], data + 1, size - 1);
    if (event == nullptr)
        return 0;
    CRZCountry::_pCountry[5]->Update(event);
    delete event;
    gEventScheduler.ProcessAll();
    for (int number : { 1, 2, 3 }) {
        const CProvince* province = CProvince::GetProvince(number);
        if (!std::isfinite(province->currentLevy.GetTotal()) || province->currentLevy.GetTotal() < 0.0f)
            __builtin_trap();
    }
    return 0;
}
