// A realm's armies come into being in a province and go through their kill event: what the local player
// is told, what the computer opponents hear, and that an army goes once.
#include <gtest/gtest.h>

#include "realm_armies.h"

#include "foundation/safeguards.h"

namespace {

class CountryArmies : public RealmArmyTest { };

TEST_F(CountryArmies, AnArmyStandsInItsProvinceUnderItsIdentityAndOnlyTheHostTakesItsAgent)
{
    CRZCountry* realm = Realm(5);
    CProvince* province = Land(40, realm);
    const CRZID agent(RZTYPE_CHARACTER, 77);
    for (bool onHost : { true, false }) {
        SCOPED_TRACE(onHost ? "host" : "client");
        host = onHost;
        const DynamicID id = CRZDynamicObject::GetUniqueDynamicID();
        CRZUnit* army = realm->ConstructArmy(40, id, CDate(3, 2, 1100), NOID, agent);
        ASSERT_NE(army, nullptr);
        EXPECT_EQ(CRZUnit::GetUnit(id), army);
        EXPECT_EQ(realm->GetUnit(id), army);
        EXPECT_EQ(army->owner, realm);
        EXPECT_EQ(army->GetProvince(), 40);
        EXPECT_TRUE(province->units.Contains(army));
        EXPECT_EQ(army->raised, CDate(3, 2, 1100));
        EXPECT_EQ(army->agent, onHost ? agent : CRZID(NOID));
    }
    // A repeated or forged identity never registers a second army under it.
    const DynamicID taken = realm->armies.GetHead().operator*()->GetID();
    EXPECT_EQ(realm->ConstructArmy(40, taken, CDate(), NOID, NOID), nullptr);
    EXPECT_EQ(realm->armies.GetSize(), 2);
    EXPECT_EQ(realm->ConstructArmy(40, NOID, CDate(), NOID, NOID), nullptr);
    EXPECT_TRUE(Notified().empty()) << "only rebel armies are told";
}

TEST_F(CountryArmies, ARebelArmyIsAnnouncedToThePlayerWhoseLandRevolts)
{
    CRZCountry* player = Realm(5);
    CRZCountry* other = Realm(6);
    CRZCountry* rebels = Make(kRebelCountry);
    gCountryControl[5] = CONTROL_LOCAL_PLAYER;
    struct Case {
        const char* what;
        CRZCountry* owner;
        CRZCountryID controller;
        CRZCountry* raiser;
        bool shown;
    };
    const Case cases[] = {
        { "held by the player", player, 5, rebels, true },
        { "taken from the player by the rebels", player, kRebelCountry, rebels, true },
        { "another's land held by the rebels", other, kRebelCountry, rebels, false },
        { "another's land", other, 6, rebels, false },
        { "no rebels but the player's own army", player, 5, player, false },
    };
    int number = 41;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Shown().clear();
        CProvince* province = Land(number, c.owner);
        province->controller = c.controller;
        ASSERT_NE(
            c.raiser->ConstructArmy(number, CRZDynamicObject::GetUniqueDynamicID(), CDate(), NOID, NOID),
            nullptr);
        ASSERT_EQ(Shown().size(), c.shown ? 1u : 0u);
        if (c.shown) {
            EXPECT_EQ(Shown()[0].type, 17);
            EXPECT_EQ(Shown()[0].realm, c.controller);
            EXPECT_EQ(Shown()[0].number, number);
        }
        ++number;
    }
    // The host's opponents hear of every rebel army, with its province.
    ASSERT_EQ(Notified().size(), 4u);
    EXPECT_EQ(Notified()[0], std::make_pair(20, 41));
    Notified().clear();
    host = false;
    Land(60, player)->controller = 5;
    rebels->ConstructArmy(60, CRZDynamicObject::GetUniqueDynamicID(), CDate(), NOID, NOID);
    EXPECT_TRUE(Notified().empty());
}

TEST_F(CountryArmies, AnArmyGoesOnceThroughOneKillEventAndTakesItsDivisions)
{
    CRZCountry* realm = Realm(5);
    CProvince* province = Land(40, realm);
    const DynamicID id = CRZDynamicObject::GetUniqueDynamicID();
    CRZUnit* army = realm->ConstructArmy(40, id, CDate(), NOID, NOID);
    CCharacter* marshal = Person(realm);
    CDivision* division = Levy(army, 500, 40);
    division->SetLeader(marshal);
    marshal->militaryCommand = division;
    const DynamicID divisionId = division->GetID();
    CRZUnit* stranger
        = Realm(6)->ConstructArmy(40, CRZDynamicObject::GetUniqueDynamicID(), CDate(), NOID, NOID);

    // An identity that names none of this realm's armies changes nothing.
    EXPECT_EQ(realm->DeleteUnit(stranger->GetID()), 0);
    EXPECT_EQ(realm->DeleteUnit(CRZDynamicObject::GetUniqueDynamicID()), 0);
    EXPECT_EQ(gEventScheduler.GetSize(), 0u);
    EXPECT_EQ(realm->armies.GetSize(), 1);

    EXPECT_EQ(realm->DeleteUnit(id), 0);
    EXPECT_EQ(realm->DeleteUnit(id), 0);
    EXPECT_EQ(realm->armies.GetSize(), 0);
    EXPECT_FALSE(province->units.Contains(army));
    EXPECT_EQ(CountWaiting(_CRZEVT_KILL_, id), 1) << "a second deletion posts no second kill event";
    EXPECT_EQ(marshal->militaryCommand, nullptr);
    EXPECT_EQ(CRZDynamicObject::GetObjectFromID(divisionId), nullptr);
    gEventScheduler.ProcessAll();
    EXPECT_EQ(CRZUnit::GetUnit(id), nullptr);
    EXPECT_TRUE(province->units.Contains(stranger));
}

TEST_F(CountryArmies, ThePlayerHearsOfAnArmyLostWithoutTroops)
{
    CRZCountry* realm = Realm(5);
    Land(40, realm);
    gCountryControl[5] = CONTROL_LOCAL_PLAYER;
    struct Case {
        const char* what;
        int men;
        bool wasted;
        int message; // 0: none
    };
    const Case cases[] = {
        { "destroyed", 0, false, 19 },
        { "wasted away", 0, true, 20 },
        { "disbanded with men", 300, false, 0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Shown().clear();
        const DynamicID id = CRZDynamicObject::GetUniqueDynamicID();
        CRZUnit* army = realm->ConstructArmy(40, id, CDate(), NOID, NOID);
        if (c.men > 0)
            Levy(army, c.men, 40);
        army->wastedAway = c.wasted;
        realm->DeleteUnit(id);
        ASSERT_EQ(Shown().size(), c.message ? 1u : 0u);
        if (c.message) {
            EXPECT_EQ(Shown()[0].type, c.message);
            EXPECT_EQ(Shown()[0].realm, 5);
            EXPECT_EQ(Shown()[0].number, 40);
        }
    }
}

} // namespace
