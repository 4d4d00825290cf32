// The armies' side of a realm's lifetime: a realm that goes takes its armies and their divisions with it.
#include <gtest/gtest.h>

#include "armies/division.h"
#include "armies/realm_divisions.h"
#include "armies/unit.h"
#include "realms/country.h"

#include "foundation/safeguards.h"

namespace {

class RealmArmies : public ::testing::Test {
protected:
    void SetUp() override
    {
        CIdentity::TotalInit(NOID, 0);
        ClearCountryControl();
        CRZCountry::InitCountryArray();
        gCountryHooks = CountryHooks {};
        InstallRealmDivisionHooks();
    }
    void TearDown() override
    {
        CRZCountry::DeleteAll();
        gCountryHooks = CountryHooks {};
        CIdentity::TotalCleanup();
    }

    CRZUnit* Army(CRZCountry* realm)
    {
        auto* army = new CRZUnit;
        army->Create(CRZDynamicObject::GetUniqueDynamicID());
        army->owner = realm;
        realm->armies.Append(army);
        return army;
    }
    static CDivision* Division(CRZUnit* army, CCharacter* leader = nullptr)
    {
        auto* division = new CDivision(CRZDynamicObject::GetUniqueDynamicID());
        army->divisions.Append(division);
        if (leader != nullptr) {
            division->SetLeader(leader);
            leader->militaryCommand = division;
        }
        return division;
    }
};

TEST_F(RealmArmies, ARealmThatGoesDestroysItsArmiesAndFreesTheirLeaders)
{
    CRZCountry::ConstructCountry(9);
    CRZCountry* realm = CRZCountry::_pCountry[9];
    CCharacter leader;
    leader.Create(CRZID(RZTYPE_CHARACTER, 1));
    CRZUnit* first = Army(realm);
    Division(first, &leader);
    Division(first);
    CRZUnit* second = Army(realm);
    const DynamicID firstId = first->GetID();
    const DynamicID secondId = second->GetID();
    const DynamicID divisionId = (*first->divisions.GetHead())->GetID();
    ASSERT_EQ(CRZUnit::GetUnit(firstId), first);

    delete realm;
    EXPECT_EQ(CRZCountry::_pCountry[9], nullptr);
    EXPECT_EQ(CRZUnit::GetUnit(firstId), nullptr);
    EXPECT_EQ(CRZUnit::GetUnit(secondId), nullptr);
    EXPECT_EQ(CRZDynamicObject::GetObjectFromID(divisionId), nullptr);
    EXPECT_EQ(leader.militaryCommand, nullptr) << "no command left pointing at a freed division";
}

} // namespace
