// Test doubles of the characters and titles that the global game state and the endpoints work on, and a
// fixture that gives each test fresh registries, real realms in an empty country table, armies and a clock.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "armies/division.h"
#include "armies/realm_divisions.h"
#include "armies/unit.h"
#include "characters/character.h"
#include "characters/character_server.h"
#include "characters/relation.h"
#include "characters/title.h"
#include "events/event_hooks.h"
#include "events/event_routing.h"
#include "events/game_clock.h"
#include "realms/country.h"
#include "realms/province.h"
#include "realms/war.h"
#include "support/fake_game.h"
#include "world/cheats.h"
#include "world/global.h"
#include "world_reset.h"

namespace worldfakes {

class CFakeCharacter : public CCharacter {
public:
    bool IsAlive() const override { return alive; }
    bool IsAnonymous() const override { return anonymous; }
    bool IsRuler() const override { return ruler; }
    bool IsAdult() const override { return adult; }
    void CalcVassals() override { ++vassalCounts; }
    CRZCountry* GetCountry() const override { return country; }
    CCharacter* GetLiegeRuler() const override { return liege; }
    CRZID GetSpouse() const override { return spouse; }
    CTitle* GetPrimaryTitle() const override { return primaryTitle; }
    float GetMonthlyLoyaltyChange() const override { return monthlyChange; }
    void RemoveRelation(CRelation* relation) override
    {
        removedRelations.push_back(relation);
        CCharacter::RemoveRelation(relation);
    }

    bool alive = true;
    bool anonymous = false;
    bool ruler = false;
    bool adult = true;
    CRZCountry* country = nullptr;
    CCharacter* liege = nullptr;
    CRZID spouse;
    CTitle* primaryTitle = nullptr;
    float monthlyChange = 0.0f;
    int vassalCounts = 0;
    std::vector<CRelation*> removedRelations;
};

class CFakeTitle : public CTitle {
public:
    CFakeTitle()
        : CTitle(0)
    {
    }
    CCharacter* GetCurrentHolder() const override { return holder; }
    CTitle* GetLiege() const override { return liege; }
    CCharacter* holder = nullptr;
    CTitle* liege = nullptr;
};

// A session that makes this machine a client (or the host, when host is set).
class CFakeSession : public CEventSession {
public:
    bool IsHost() const override { return host; }
    bool IsOpen() const override { return true; }
    void SendEvent(CRZNetEvent*) override { }
    bool host = false;
};

class WorldTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CIdentity::TotalInit(NOID, 0);
        ClearCountryControl();
        // Real realms, whose division operations reach the armies as in the game.
        gCountryHooks = CountryHooks {};
        gCountryHooks.IsHost = &IsHostMachine;
        InstallRealmDivisionHooks();
        gIdentityLookups.GetCountry = &CRZCountry::FindStatic;
        gGlobal.characterServer = &server;
        gpTimer = new CRZTimer(15);
        gpTimer->SetDate(CDate(0, 0, 1100));
        CRZCheats::_isParanoia = 0;
        CRZCheats::_isFantasy = 0;
    }

    void TearDown() override
    {
        SetEventSession(nullptr);
        CRZCountry::DeleteAll();
        gCountryHooks = CountryHooks {};
        gIdentityLookups.GetCountry = nullptr;
        ForgetWorld();
        armies.clear();
        divisions.clear();
        provinces.clear();
        counties.clear();
        holders.clear();
        titles.clear();
        server.RemoveAll();
        characters.clear();
        delete gpTimer;
        gpTimer = nullptr;
        CIdentity::TotalCleanup();
    }

    // A realm of the country table, built as the game builds one; the table owns it.
    CRZCountry* Realm(int index, float power = 0.0f)
    {
        CRZCountry::ConstructCountry(index);
        CRZCountry* realm = CRZCountry::_pCountry[index];
        realm->standingArmyPower = power;
        return realm;
    }

    // A registered, living character in the character list.
    CFakeCharacter* Character(CRZCountry* realm = nullptr)
    {
        characters.push_back(std::make_unique<CFakeCharacter>());
        CFakeCharacter* character = characters.back().get();
        character->Create(CRZID(RZTYPE_CHARACTER, static_cast<uint32_t>(characters.size())));
        character->country = realm;
        server.Append(character);
        return character;
    }

    // The realm's ruler.
    CFakeCharacter* Ruler(CRZCountry* realm)
    {
        CFakeCharacter* ruler = Character(realm);
        ruler->ruler = true;
        realm->ruler = ruler;
        return ruler;
    }

    CFakeTitle* Title()
    {
        titles.push_back(std::make_unique<CFakeTitle>());
        return titles.back().get();
    }

    CRZUnit* Army(CRZCountry* realm)
    {
        armies.push_back(std::make_unique<CRZUnit>());
        CRZUnit* army = armies.back().get();
        army->Create(CRZDynamicObject::GetUniqueDynamicID());
        army->owner = realm;
        realm->armies.Append(army);
        return army;
    }

    // Owned by the test until a realm kills it (Forget it first); killed divisions are not deleted again.
    CDivision* Division(CRZUnit* army, int men)
    {
        auto* division = new CDivision(CRZDynamicObject::GetUniqueDynamicID());
        division->men = men;
        army->divisions.Append(division);
        divisions.push_back(std::unique_ptr<CDivision>(division));
        return division;
    }

    void Forget(CDivision* division)
    {
        for (auto& held : divisions) {
            if (held.get() == division)
                held.release();
        }
    }

    // A land province whose county is held by a ruler of the owner, among the owner's ruler's provinces.
    CProvince* Province(int number, CRZCountry* owner, float manpower)
    {
        if (owner != nullptr && owner->ruler != nullptr)
            owner->ruler->ownedProvinces.Append(number);
        provinces.push_back(std::make_unique<CProvince>());
        CProvince* province = provinces.back().get();
        province->number = number;
        province->terrain = TERRAIN_PLAINS;
        // Neither holder nor title joins the lists the update walks.
        holders.push_back(std::make_unique<CFakeCharacter>());
        holders.back()->country = owner;
        counties.push_back(std::make_unique<CFakeTitle>());
        counties.back()->holder = holders.back().get();
        province->countyTitle = counties.back().get();
        province->manpowerTotal = manpower;
        CProvince::_pProvince[number] = province;
        return province;
    }

    CRelation* Relate(CRelationType type, CCharacter* primary, CCharacter* secondary)
    {
        auto* relation = new CRelation(type, primary, secondary);
        CRelations::GetInstance()->Append(relation);
        return relation;
    }

    CWar* War(CCharacter* attacker, CCharacter* defender)
    {
        CWar* war = new CWar(attacker, defender);
        gGlobal.wars.Append(war);
        return war;
    }

    CCharacterServer server;
    std::vector<std::unique_ptr<CFakeCharacter>> characters;
    std::vector<std::unique_ptr<CFakeTitle>> titles;
    std::vector<std::unique_ptr<CRZUnit>> armies;
    std::vector<std::unique_ptr<CDivision>> divisions;
    std::vector<std::unique_ptr<CProvince>> provinces;
    std::vector<std::unique_ptr<CFakeCharacter>> holders;
    std::vector<std::unique_ptr<CFakeTitle>> counties;
};

} // namespace worldfakes
