// libFuzzer target over the war events a realm reads from peers: a war set up, battles and sieges won and
// lost, a change of control, an army going over and a settlement, each taken by a realm's router with the
// armies and the computer opponents' hooks in place, never reading outside a table or the record's bytes.
#include <cstddef>
#include <cstdint>
#include <iterator>

#include "ai/ai_country.h"
#include "armies/army_allegiance.h"
#include "armies/realm_divisions.h"
#include "armies/unit.h"
#include "events/event_hooks.h"
#include "events/event_scheduler.h"
#include "realms/owner_area.h"
#include "realms/realm_land.h"
#include "realms/war.h"

#include "fuzz_net_event.h"

#include "foundation/safeguards.h"

namespace {

constexpr CRZEvtType kTypes[] = { _CRZEVT_EXEC_SETUP_WAR_, _CRZEVT_PROVBATTLEWON_, _CRZEVT_PROVBATTLELOST_,
    _CRZEVT_PROVSIEGELOST_, _CRZEVT_WIN_SIEGE_, _CRZEVT_PROVCHANGECONTROL_, _CRZEVT_SWITCH_ALLEGIANCE_,
    _CRZEVT_DIPLOMATIC_EVENT_ };

// What the handlers pass on stays here: nothing is routed.
CRZReturnType Discard(CRZEvent*)
{
    return 0;
}

// Realms 5 (the computer's) and 6 with rulers and a province each, an army of realm 6 in province 31 under
// the identity {4712, 1}, on the host. Made anew for every input, since an input may annex a realm.
struct CWorld {
    CWorld()
    {
        CRZCountry::InitCountryArray();
        gCountryHooks = CountryHooks {};
        gCountryHooks.IsHost = [] { return true; };
        gCountryHooks.MakeAI = []() -> CRZCountry* { return new CRZAI; };
        InstallRealmDivisionHooks();
        InstallArmyAllegianceHooks();
        InstallComputerOpponentHooks();
        CRZCountry::ConstructCountry(kNobodyCountry);
        CWar::_pWars = &wars;
        for (int number : { 5, 6 }) {
            CRZCountry::ConstructCountry(number);
            CRZCountry* realm = CRZCountry::GetCountry(number);
            land.Ruler(realm);
            land.Land(25 + number, realm)->InitController(number);
        }
        army = new CRZUnit;
        army->Create(DynamicID(4712, 1));
        army->owner = CRZCountry::GetCountry(6);
        army->owner->armies.Append(army);
        army->SetInProvince(31);
        SetEventDelivery(&Discard);
    }
    ~CWorld()
    {
        gEventScheduler.Erase();
        DeleteAll(wars);
        CWar::_pWars = nullptr;
        CRZOwnerArea::CleanupAllOwnerAreas();
        CRZCountry::DeleteAll();
        gCountryHooks = CountryHooks {};
        gWarHooks = CWarHooks {};
        gArmyAIHooks = CArmyAIHooks {};
    }
    CRealmLand land;
    CList<CWar*> wars;
    CRZUnit* army = nullptr;
};

} // namespace

// Input: one byte choosing the type, then the record's bytes after its type word.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    CWorld world;
    const uint32_t type = kTypes[data[0] % std::size(kTypes)];
    CRZEvent* event = BuildEventOfType(type, data + 1, size - 1);
    if (event == nullptr)
        return 0;
    if (CRZCountry* realm = CRZCountry::GetCountry(5))
        realm->Update(event);
    delete event;
    return 0;
}
