// Test and benchmark helper: forgets the world a test or benchmark built into the global tables (wars,
// relations, marriage pool, live characters, country table, province array), leaving the objects to it.
#pragma once

#include "characters/relation.h"
#include "realms/country.h"
#include "realms/province.h"
#include "realms/war.h"
#include "world/global.h"

inline void ForgetWorld()
{
    DeleteAll(gGlobal.wars);
    DeleteAll(*CRelations::GetInstance());
    gGlobal.marriagePool.RemoveAll();
    gGlobal.characterServer = nullptr;
    gGlobal.BuildLiveChars();
    for (CRZCountry*& realm : CRZCountry::_pCountry)
        realm = nullptr;
    for (CProvince*& province : CProvince::_pProvince)
        province = nullptr;
}
