// Armies between realms and the computer opponents' agents: an army going over to another realm, and a
// vassal's armies handed to its top realm.
#include <gtest/gtest.h>

#include <vector>

#include "ai/ai_country.h"
#include "armies/army_allegiance.h"
#include "armies/army_servers.h"
#include "armies/unit.h"
#include "events/records_army.h"
#include "realms/country.h"
#include "realms/province.h"
#include "realms/war.h"

#include "foundation/safeguards.h"

namespace {

class ArmyAgents : public ::testing::Test {
protected:
    void SetUp() override
    {
        CIdentity::TotalInit(NOID, 0);
        ClearCountryControl();
        CRZCountry::InitCountryArray();
        gCountryHooks = CountryHooks {};
        gCountryHooks.IsHost = [] { return true; };
        gCountryHooks.MakeAI = []() -> CRZCountry* { return new CRZAI; };
        gWarHooks = CWarHooks {};
        InstallArmyAllegianceHooks();
        InstallComputerOpponentHooks();
        CProvince::_pProvince[30] = &province;
        province.number = 30;
    }
    void TearDown() override
    {
        for (CRZUnit* army : made)
            delete army;
        CProvince::_pProvince[30] = nullptr;
        CRZCountry::DeleteAll();
        gCountryHooks = CountryHooks {};
        gWarHooks = CWarHooks {};
        gArmyAIHooks = CArmyAIHooks {};
        CIdentity::TotalCleanup();
    }
    // A realm of the number: a computer realm, or one a human plays.
    static CRZCountry* Realm(CRZCountryID number, bool human)
    {
        gCountryControl[number] = human ? CONTROL_NETWORK_PLAYER : CONTROL_COMPUTER;
        CRZCountry::ConstructCountry(number);
        return CRZCountry::GetCountry(number);
    }
    CRZUnit* Army(CRZCountry* realm)
    {
        auto* army = new CRZUnit;
        made.push_back(army);
        army->Create(CRZDynamicObject::GetUniqueDynamicID());
        army->owner = realm;
        realm->armies.Append(army);
        army->SetInProvince(30);
        if (auto* computer = dynamic_cast<CRZAI*>(realm))
            computer->GetKing().AssignArmy(*army);
        return army;
    }
    static void Switch(CRZCountry* to, CRZUnit* army)
    {
        CRZUnitEvent event(_CRZEVT_SWITCH_ALLEGIANCE_, to->GetID(), army->GetID(), true);
        EXPECT_EQ(to->Update(&event), 3);
    }

    CProvince province;
    std::vector<CRZUnit*> made;
};

TEST_F(ArmyAgents, AnArmyGoingOverLeavesItsKingForAHumanAndJoinsTheKingOfAComputerRealm)
{
    auto* computer = dynamic_cast<CRZAI*>(Realm(10, false));
    CRZCountry* human = Realm(20, true);
    auto* other = dynamic_cast<CRZAI*>(Realm(30, false));
    ASSERT_NE(computer, nullptr);
    ASSERT_NE(other, nullptr);
    CRZUnit* army = Army(computer);
    army->movementOrders = { 31, 32 };
    ASSERT_EQ(CAIAgent::GetAgent(*army), &computer->GetKing());

    Switch(human, army);
    EXPECT_EQ(army->owner, human);
    EXPECT_FALSE(computer->armies.Contains(army));
    EXPECT_TRUE(human->armies.Contains(army));
    EXPECT_EQ(CAIAgent::GetAgent(*army), nullptr);
    EXPECT_FALSE(computer->GetKing().GetArmyList()->Contains(army));
    // It stands where it stood, its orders kept.
    EXPECT_TRUE(province.units.Contains(army));
    EXPECT_EQ(province.units.GetSize(), 1);
    EXPECT_EQ(army->movementOrders, (std::vector<int32_t> { 31, 32 }));

    Switch(other, army);
    EXPECT_EQ(army->owner, other);
    EXPECT_EQ(CAIAgent::GetAgent(*army), &other->GetKing());
    EXPECT_TRUE(other->GetKing().GetArmyList()->Contains(army));
}

TEST_F(ArmyAgents, AnArmyThatIsGoneOrMayNotBeFoughtStaysWithItsOwner)
{
    CRZCountry* from = Realm(10, true);
    CRZCountry* to = Realm(20, true);
    CRZUnit* excluded = Army(from);
    excluded->exclusion = 1;
    Switch(to, excluded);
    EXPECT_EQ(excluded->owner, from);
    EXPECT_TRUE(from->armies.Contains(excluded));

    CRZUnitEvent gone(_CRZEVT_SWITCH_ALLEGIANCE_, to->GetID(), DynamicID(4712, 99999), true);
    EXPECT_EQ(to->Update(&gone), 3);
    EXPECT_TRUE(to->armies.IsEmpty());
}

TEST_F(ArmyAgents, AVassalsArmiesGoToItsTopRealmWithTheKingsBookkeeping)
{
    auto* vassal = dynamic_cast<CRZAI*>(Realm(10, false));
    CRZCountry* human = Realm(20, true);
    auto* computer = dynamic_cast<CRZAI*>(Realm(30, false));
    CRZUnit* first = Army(vassal);
    CRZUnit* second = Army(vassal);
    gWarHooks.MoveArmies(vassal, computer);
    EXPECT_TRUE(vassal->armies.IsEmpty());
    EXPECT_EQ(computer->armies.GetSize(), 2);
    EXPECT_EQ(CAIAgent::GetAgent(*first), &computer->GetKing());
    EXPECT_TRUE(vassal->GetKing().GetArmyList()->IsEmpty());

    gWarHooks.MoveArmies(computer, human);
    EXPECT_EQ(second->owner, human);
    EXPECT_EQ(CAIAgent::GetAgent(*second), nullptr);
    EXPECT_TRUE(computer->GetKing().GetArmyList()->IsEmpty());
}

} // namespace
