// The fixture of the realm handlers' tests: an empty country table with real characters, titles and land,
// a host switch, and the events the handlers leave waiting.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "events/event_scheduler.h"
#include "realm_land.h"
#include "realms/country.h"

class RealmHandlerTest : public ::testing::Test, public CRealmLand {
protected:
    void SetUp() override
    {
        CRZCountry::InitCountryArray();
        ClearCountryControl();
        gCountryHooks = CountryHooks {};
        host = true;
        gCountryHooks.IsHost = [] { return host; };
    }
    void TearDown() override
    {
        gEventScheduler.Erase();
        CRZCountry::DeleteAll();
        gCountryHooks = CountryHooks {};
    }
    static CRZCountry* Make(CRZCountryID id)
    {
        CRZCountry::ConstructCountry(id);
        return CRZCountry::_pCountry[id];
    }
    // A registered member of the realm born in the year, the child of the parent where one is given.
    CCharacter* Person(CRZCountry* realm, int year = 1070, CCharacter* parent = nullptr, bool female = false)
    {
        rulers.push_back(std::make_unique<CCharacter>());
        CCharacter* c = rulers.back().get();
        c->Create(CRZID(RZTYPE_CHARACTER, static_cast<uint32_t>(rulers.size())));
        c->SetCountry(realm);
        c->birthDate = CDate(0, 0, year);
        c->gender = female ? GENDER_FEMALE : GENDER_MALE;
        if (parent != nullptr) {
            (parent->IsFemale() ? c->mother : c->father) = parent->GetID();
            parent->children.Add(CRef<CCharacter>(c));
        }
        return c;
    }
    // The waiting events of the type (every type for 0), in the scheduler's order.
    static std::vector<CRZEvent*> Waiting(CRZEvtType type = static_cast<CRZEvtType>(0))
    {
        std::vector<CRZEvent*> events;
        gEventScheduler.ForEach([&](CRZEvent* event) {
            if (type == 0 || event->GetType() == type)
                events.push_back(event);
        });
        return events;
    }

    static inline bool host = true;
};
