// A fixture for the realms' and provinces' days: the country table, a clock at 1 January 1100, land owned
// through real titles, and the hooks the tests set cleared again afterwards.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "events/game_clock.h"
#include "realms/country.h"
#include "realms/province.h"
#include "realms/realm_land.h"

class CRealmDays : public ::testing::Test {
protected:
    void SetUp() override
    {
        CRZCountry::InitCountryArray();
        ClearCountryControl();
        gpTimer = new CRZTimer(15);
        gpTimer->SetDate(CDate(0, 0, 1100));
        land = std::make_unique<CRealmLand>();
    }
    void TearDown() override
    {
        land.reset();
        CRZCountry::DeleteAll();
        gCountryHooks = CountryHooks {};
        gProvinceHooks = ProvinceHooks {};
        delete gpTimer;
        gpTimer = nullptr;
    }
    // A realm with a ruler, the vassal of the liege's ruler when one is given.
    CRZCountry* Realm(int index, CRZCountry* liege = nullptr)
    {
        CRZCountry::ConstructCountry(index);
        CRZCountry* realm = CRZCountry::GetCountry(index);
        land->Ruler(realm, liege ? liege->ruler : nullptr);
        return realm;
    }
    // A province the owner holds through its county (or nobody), controlled by the holder (or nobody).
    CProvince* Held(int number, CRZCountry* owner, CRZCountry* holder)
    {
        CProvince* province = land->Land(number, owner);
        province->InitController(holder ? holder->index : 0);
        return province;
    }

    std::unique_ptr<CRealmLand> land;
};
