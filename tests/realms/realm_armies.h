// The fixture of the realms' army tests: the realm handlers' world with the armies wired in, the messages
// the local player is shown and what the computer opponents are told.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "armies/division.h"
#include "armies/realm_divisions.h"
#include "armies/unit.h"
#include "events/event_scheduler.h"
#include "events/game_clock.h"
#include "foundation/identity.h"
#include "realm_handlers.h"

struct CShownMessage {
    int type;
    CRZCountryID realm;
    std::string second;
    std::string third;
    int number;
};

class RealmArmyTest : public RealmHandlerTest {
protected:
    void SetUp() override
    {
        RealmHandlerTest::SetUp();
        InstallRealmDivisionHooks();
        gIdentityLookups.GetCountry = &CRZCountry::FindStatic;
        gpTimer = new CRZTimer(15);
        gpTimer->SetDate(CDate(0, 0, 1100));
        Shown().clear();
        Notified().clear();
        gCountryHooks.ShowMessage = [](int type, CRZCountryID realm, const char*, const char* second,
                                        const char* third, const char*, int number) {
            Shown().push_back({ type, realm, second, third, number });
        };
        gCountryHooks.NotifyAI = [](int notification, int first, int) {
            Notified().push_back({ notification, first });
        };
    }
    void TearDown() override
    {
        // The kill events still waiting free their armies.
        gEventScheduler.ProcessAll();
        delete gpTimer;
        gpTimer = nullptr;
        gIdentityLookups.GetCountry = nullptr;
        RealmHandlerTest::TearDown();
    }

    // A realm with a ruler.
    CRZCountry* Realm(CRZCountryID id, CCharacter* liege = nullptr)
    {
        CRZCountry* realm = Make(id);
        Ruler(realm, liege);
        return realm;
    }
    // A division of the men, home in the province, in the army.
    static CDivision* Levy(CRZUnit* army, int men, int home = 0)
    {
        auto* division = new CDivision(CRZDynamicObject::GetUniqueDynamicID());
        division->strength.Set(MILITIA, men);
        division->men = men;
        division->homeProvince = home;
        division->owner = army->owner ? army->owner->index : 0;
        division->army = army;
        army->divisions.Append(division);
        return division;
    }
    static int CountWaiting(CRZEvtType type, const CRZID& receiver)
    {
        int count = 0;
        gEventScheduler.ForEach(
            [&](CRZEvent* event) { count += event->GetType() == type && event->GetReceiver() == receiver; });
        return count;
    }

    static std::vector<CShownMessage>& Shown()
    {
        static std::vector<CShownMessage> shown;
        return shown;
    }
    static std::vector<std::pair<int, int>>& Notified()
    {
        static std::vector<std::pair<int, int>> notified;
        return notified;
    }
};
