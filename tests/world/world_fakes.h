// A fixture that gives each test of the global game state and the endpoints fresh registries, real
// characters and titles, real realms in an empty country table, armies and a clock.
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
#include "events/event_scheduler.h"
#include "events/game_clock.h"
#include "realms/country.h"
#include "realms/province.h"
#include "realms/realm_character_hooks.h"
#include "realms/war.h"
#include "support/fake_game.h"
#include "world/character_estate.h"
#include "world/cheats.h"
#include "world/global.h"
#include "world/server.h"
#include "world_reset.h"

namespace worldfakes {

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
        // The test owns the armies and divisions it makes.
        gCountryHooks.DestroyArmy = nullptr;
        gIdentityLookups.GetCountry = &CRZCountry::FindStatic;
        InstallRealmCharacterHooks();
        CTitle::ConstructAll();
        gGlobal.characterServer = &server;
        gpTimer = new CRZTimer(15);
        gpTimer->SetDate(CDate(0, 0, 1100));
        CRZCheats::_isParanoia = 0;
        CRZCheats::_isFantasy = 0;
    }

    void TearDown() override
    {
        SetEventSession(nullptr);
        server.RemoveAll();
        characters.clear();
        holders.clear();
        CRZCountry::DeleteAll();
        gCountryHooks = CountryHooks {};
        gIdentityLookups.GetCountry = nullptr;
        ForgetWorld();
        armies.clear();
        divisions.clear();
        provinces.clear();
        CTitle::DestroyAll();
        gCharacterHooks = {};
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

    // A registered, living adult in the character list, a member of the realm.
    CCharacter* Character(CRZCountry* realm = nullptr)
    {
        characters.push_back(std::make_unique<CCharacter>());
        CCharacter* character = characters.back().get();
        character->Create(CRZID(RZTYPE_CHARACTER, static_cast<uint32_t>(characters.size())));
        character->birthDate = CDate(0, 0, 1070);
        character->SetCountry(realm);
        server.Append(character);
        return character;
    }

    // The realm's ruler, without titles until a liege relation needs them.
    CCharacter* Ruler(CRZCountry* realm)
    {
        CCharacter* ruler = Character(realm);
        realm->AddRulerImmidiatly(ruler);
        return ruler;
    }

    // The character's primary title; one without gets a duchy of his own, which owns no province.
    CTitle* TitleOf(CCharacter* character)
    {
        if (character->GetPrimaryTitle() == nullptr)
            CTitle::GetTitle(CTitle::kFirstDuchy + nextDuchy++)->SetNewHolder(character);
        return character->GetPrimaryTitle();
    }

    // The vassal's primary title goes under the liege's.
    void Vassal(CCharacter* vassal, CCharacter* liege) { TitleOf(vassal)->SetLiege(TitleOf(liege)); }

    // Died the given number of days before today.
    static void Kill(CCharacter* character, int daysAgo = 1)
    {
        character->deathDate.ConvertFromDays(gpTimer->GetDate().GetDays() - daysAgo);
        CCharacter::_maybeDead.push_back(character->GetID());
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
        // The holder joins none of the lists the update walks.
        holders.push_back(std::make_unique<CCharacter>());
        holders.back()->realmId = owner != nullptr ? owner->index : 0;
        province->countyTitle = CTitle::GetTitle(number);
        province->countyTitle->SetNewHolder(holders.back().get());
        province->manpowerTotal = manpower;
        CProvince::_pProvince[number] = province;
        return province;
    }

    // Truces and alliances hold only between titled characters: each gets a title when he has none.
    CRelation* Relate(CRelationType type, CCharacter* primary, CCharacter* secondary)
    {
        if (type == RELATION_TRUCE || type == RELATION_ALLIANCE) {
            TitleOf(primary);
            TitleOf(secondary);
        }
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
    std::vector<std::unique_ptr<CCharacter>> characters;
    std::vector<std::unique_ptr<CRZUnit>> armies;
    std::vector<std::unique_ptr<CDivision>> divisions;
    std::vector<std::unique_ptr<CProvince>> provinces;
    std::vector<std::unique_ptr<CCharacter>> holders;
    int nextDuchy = 0;
};

// The world on the host of a started game, with its server and the characters' life-and-death hooks; the
// scheduler's dated events wait for the clock. Requests made during the test run as the game runs them.
class HostWorldTest : public WorldTest {
protected:
    void SetUp() override
    {
        WorldTest::SetUp();
        InstallCharacterEstateHooks();
        host.host = true;
        SetEventSession(&host);
        gEventRoutes.game = &game;
        SetGameServer(new CRZServer);
        gEventScheduler.SetClockDate(&gpTimer->GetDate());
        CCharacter::LastRulerDeath = CDate();
        nobody = Realm(CTitle::kNobodyRealm);
    }
    void TearDown() override
    {
        gEventScheduler.ProcessAll();
        gEventScheduler.SetClockDate(nullptr);
        delete gpServer;
        gEventRoutes.game = nullptr;
        gGlobal.characterServer = &server;
        WorldTest::TearDown();
    }

    CFakeSession host;
    CStartedGame game;
    CRZCountry* nobody = nullptr;
};

} // namespace worldfakes
