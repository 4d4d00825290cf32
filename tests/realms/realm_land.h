// Rulers and land for the realms' and provinces' tests: provinces in the map's array, owned through their
// county titles by a realm's ruler. The characters stand in until the character subsystem's own are built.
#pragma once

#include <memory>
#include <vector>

#include "characters/character.h"
#include "characters/title.h"
#include "realms/country.h"
#include "realms/province.h"

class CLandCharacter : public CCharacter {
public:
    bool IsAlive() const override { return true; }
    bool IsAnonymous() const override { return false; }
    bool IsRuler() const override { return true; }
    bool IsAdult() const override { return true; }
    void CalcVassals() override { ++vassalCounts; }
    CRZCountry* GetCountry() const override { return country; }
    CCharacter* GetLiegeRuler() const override { return liege; }
    CRZID GetSpouse() const override { return NOID; }
    CTitle* GetPrimaryTitle() const override { return nullptr; }
    float GetMonthlyLoyaltyChange() const override { return 0.0f; }
    CRZCountry* country = nullptr;
    CCharacter* liege = nullptr;
    int vassalCounts = 0;
};

class CHeldTitle : public CTitle {
public:
    CHeldTitle(int number, CCharacter* holder)
        : CTitle(number)
        , holder(holder)
    {
    }
    CCharacter* GetCurrentHolder() const override { return holder; }
    CCharacter* holder;
};

// Owns what it makes; empties the province array when it goes.
class CRealmLand {
public:
    ~CRealmLand()
    {
        for (CProvince*& province : CProvince::_pProvince)
            province = nullptr;
    }

    CLandCharacter* Ruler(CRZCountry* realm, CLandCharacter* liege = nullptr)
    {
        rulers.push_back(std::make_unique<CLandCharacter>());
        CLandCharacter* ruler = rulers.back().get();
        ruler->country = realm;
        ruler->liege = liege;
        realm->ruler = ruler;
        return ruler;
    }
    // A province at the castle position, owned through its county title by the realm's ruler (who must
    // exist) or by nobody.
    CProvince* Land(int number, CRZCountry* owner, int32_t x = 0, int32_t y = 0, int32_t terrain = TERRAIN_PLAINS)
    {
        provinces.push_back(std::make_unique<CProvince>());
        CProvince* province = provinces.back().get();
        province->number = number;
        province->terrain = terrain;
        province->castle = CPoint(x, y);
        CProvince::_pProvince[number] = province;
        if (owner != nullptr) {
            titles.push_back(std::make_unique<CHeldTitle>(number, owner->ruler));
            province->countyTitle = titles.back().get();
            owner->ruler->ownedProvinces.Append(number);
        }
        return province;
    }
    static void Border(CProvince* a, CProvince* b)
    {
        a->AddNeighbor({ b->number, 0, 0 });
        b->AddNeighbor({ a->number, 0, 0 });
    }

    std::vector<std::unique_ptr<CLandCharacter>> rulers;
    std::vector<std::unique_ptr<CProvince>> provinces;
    std::vector<std::unique_ptr<CHeldTitle>> titles;
};
