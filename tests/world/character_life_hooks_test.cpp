// Peace between two characters on every machine: their war ends and leaves neither the war list, the
// enemy lists nor the realms' at-war flags behind.
#include <gtest/gtest.h>

#include "characters/character.h"
#include "characters/title.h"
#include "events/game_clock.h"
#include "events/records_character.h"
#include "realms/country.h"
#include "realms/realm_character_hooks.h"
#include "realms/war.h"
#include "world/character_life_hooks.h"
#include "world/global.h"

#include "foundation/safeguards.h"

namespace {

TEST(CharacterPeace, ThePeaceEventEndsTheWarBetweenTheTwoAndTheirRealmsFlags)
{
    CIdentity::TotalInit(NOID, 0);
    CRZCountry::InitCountryArray();
    InstallRealmCharacterHooks();
    InstallCharacterLifeHooks();
    CTitle::ConstructAll();
    gpTimer = new CRZTimer(15);
    CCharacter attacker;
    CCharacter defender;
    CCharacter bystander;
    attacker.Create(CRZID(RZTYPE_CHARACTER, 1));
    defender.Create(CRZID(RZTYPE_CHARACTER, 2));
    bystander.Create(CRZID(RZTYPE_CHARACTER, 3));
    CCharacter* people[] = { &attacker, &defender, &bystander };
    for (int i = 0; i < 3; ++i) {
        CRZCountry::ConstructCountry(10 + i);
        CRZCountry* realm = CRZCountry::GetCountry(10 + i);
        people[i]->SetCountry(realm);
        realm->AddRulerImmidiatly(people[i]);
    }
    for (CCharacter* side : { &attacker, &bystander }) {
        auto* war = new CWar(side, &defender);
        war->Create(CIdentity::GetRandomID());
        gGlobal.wars.Append(war);
    }
    gGlobal.RefreshWars();
    attacker.enemies.Append(&defender);
    defender.enemies.Append(&attacker);
    ASSERT_EQ(CRZCountry::GetCountry(10)->atWarWith[11], 1);

    CRZSetPeaceEvent peace(_CRZEVT_SET_PEACE_, defender.GetID(), defender.GetID(), attacker.GetID());
    defender.Update(&peace);
    EXPECT_EQ(gGlobal.wars.GetSize(), 1);
    EXPECT_TRUE(attacker.enemies.IsEmpty());
    EXPECT_TRUE(defender.enemies.IsEmpty());
    EXPECT_EQ(CRZCountry::GetCountry(10)->atWarWith[11], 0);
    EXPECT_EQ(CRZCountry::GetCountry(11)->atWarWith[10], 0);
    EXPECT_EQ(CRZCountry::GetCountry(12)->atWarWith[11], 1);

    DeleteAll(gGlobal.wars);
    for (CCharacter* person : people)
        person->SetCountry(nullptr);
    CTitle::DestroyAll();
    CRZCountry::DeleteAll();
    gCharacterHooks = {};
    delete gpTimer;
    gpTimer = nullptr;
    CIdentity::TotalCleanup();
}

} // namespace
