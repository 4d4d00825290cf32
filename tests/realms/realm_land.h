// Rulers and land for the realms' and provinces' tests: real characters and titles, and provinces in the
// map's array owned through their county titles by a realm's ruler.
#pragma once

#include <memory>
#include <vector>

#include "characters/character.h"
#include "characters/title.h"
#include "realms/country.h"
#include "realms/province.h"
#include "realms/realm_character_hooks.h"

// Owns what it makes; empties the province array when it goes.
// Owns what it makes, with the registries and the title table it needs; empties the province array when
// it goes.
class CRealmLand {
public:
    CRealmLand()
    {
        CIdentity::TotalInit(NOID, 0);
        InstallRealmCharacterHooks();
        CTitle::ConstructAll();
    }
    ~CRealmLand()
    {
        for (CProvince*& province : CProvince::_pProvince)
            province = nullptr;
        rulers.clear();
        CTitle::DestroyAll();
        gCharacterHooks = {};
        CIdentity::TotalCleanup();
    }

    // A ruler of a duchy or kingdom holds its title, and so does a vassal, whose title goes under his
    // liege's; a count without liege holds only the counties of his land.
    CCharacter* Ruler(CRZCountry* realm, CCharacter* liege = nullptr)
    {
        rulers.push_back(std::make_unique<CCharacter>());
        CCharacter* ruler = rulers.back().get();
        ruler->Create(CRZID(RZTYPE_CHARACTER, static_cast<uint32_t>(rulers.size())));
        ruler->SetCountry(realm);
        realm->AddRulerImmidiatly(ruler);
        if (liege != nullptr || realm->index >= kFirstDuchy)
            CTitle::GetTitle(realm->index)->SetNewHolder(ruler);
        if (liege != nullptr)
            ruler->SetLiegeRuler(liege);
        return ruler;
    }
    // A province at the castle position, owned through its county title by the realm's ruler (who must
    // exist) or by nobody.
    CProvince* Land(
        int number, CRZCountry* owner, int32_t x = 0, int32_t y = 0, int32_t terrain = TERRAIN_PLAINS)
    {
        provinces.push_back(std::make_unique<CProvince>());
        CProvince* province = provinces.back().get();
        province->number = number;
        province->terrain = terrain;
        province->castle = CPoint(x, y);
        CProvince::_pProvince[number] = province;
        if (owner != nullptr) {
            province->countyTitle = CTitle::GetTitle(number);
            province->countyTitle->SetNewHolder(owner->ruler);
        }
        return province;
    }
    static void Border(CProvince* a, CProvince* b)
    {
        a->AddNeighbor({ b->number, 0, 0 });
        b->AddNeighbor({ a->number, 0, 0 });
    }

    std::vector<std::unique_ptr<CCharacter>> rulers;
    std::vector<std::unique_ptr<CProvince>> provinces;
};
