// Relations between characters: when truces and alliances are in force, ending them, and their record.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "characters/character.h"
#include "characters/relation.h"
#include "characters/title.h"
#include "datalang/block_round_trip.h"
#include "events/game_clock.h"
#include "realms/country.h"
#include "realms/realm_character_hooks.h"

#include "foundation/safeguards.h"

namespace {

class RelationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CIdentity::TotalInit(NOID, 0);
        CRZCountry::InitCountryArray();
        InstallRealmCharacterHooks();
        CTitle::ConstructAll();
        gpTimer = new CRZTimer(15);
        gpTimer->SetDate(CDate(0, 0, 1100));
    }
    void TearDown() override
    {
        CRelations::Shutdown();
        CTitle::DestroyAll();
        people.clear();
        CRZCountry::DeleteAll();
        gCharacterHooks = {};
        delete gpTimer;
        gpTimer = nullptr;
        CIdentity::TotalCleanup();
    }

    // The titled ruler of a realm of his own.
    CCharacter* Ruler(int realmNumber)
    {
        if (CRZCountry::GetCountry(realmNumber) == nullptr)
            CRZCountry::ConstructCountry(realmNumber);
        CRZCountry* realm = CRZCountry::GetCountry(realmNumber);
        people.push_back(std::make_unique<CCharacter>());
        CCharacter* person = people.back().get();
        person->Create(CRZID(RZTYPE_CHARACTER, static_cast<uint32_t>(people.size())));
        person->SetCountry(realm);
        CTitle::GetTitle(static_cast<int>(people.size()) + 100)->SetNewHolder(person);
        return person;
    }

    std::vector<std::unique_ptr<CCharacter>> people;
};

TEST_F(RelationTest, TrucesAndAlliancesHoldOnlyBetweenTitledRulersOfTwoRealms)
{
    CCharacter* a = Ruler(5);
    CCharacter* b = Ruler(6);
    CCharacter* c = Ruler(5);
    CRelation truce(RELATION_TRUCE, a, b);
    CRelation sameRealm(RELATION_TRUCE, a, c);
    CRelation alliance(RELATION_ALLIANCE, a, b);
    CRelation friendship(RELATION_FRIEND, a, c);
    EXPECT_TRUE(truce.IsActive());
    EXPECT_FALSE(sameRealm.IsActive()) << "same realm, whatever the dates";
    EXPECT_TRUE(alliance.IsActive());
    EXPECT_TRUE(friendship.IsActive());
    EXPECT_EQ(truce.GetOther(a), b);
    EXPECT_EQ(truce.GetOther(b), a);

    // Losing his last title ends the alliance's force, though its end date stays empty.
    b->GetPrimaryTitle()->SetNewHolder(nullptr);
    EXPECT_FALSE(alliance.IsActive());
    EXPECT_FALSE(alliance.HasEnded());

    friendship.Terminate();
    EXPECT_EQ(friendship.GetEndDate(), CDate(0, 0, 1100));
    EXPECT_FALSE(friendship.IsActive());
    // A relation out of force keeps its end date as it was.
    sameRealm.Terminate();
    EXPECT_FALSE(sameRealm.HasEnded());
}

// The sides found once are kept, so a side that leaves the registry must not be answered from them.
TEST_F(RelationTest, ASideThatIsDestroyedOrReplacedIsFoundAfresh)
{
    CCharacter* a = Ruler(5);
    CCharacter* b = Ruler(6);
    CRelation rivalry(RELATION_RIVAL, a, b);
    ASSERT_EQ(rivalry.GetSecondary(), b);
    ASSERT_EQ(rivalry.GetOther(a), b);
    const CRZID id = b->GetID();
    people.pop_back();
    EXPECT_EQ(rivalry.GetSecondary(), nullptr);
    EXPECT_EQ(rivalry.GetOther(a), nullptr);
    EXPECT_EQ(rivalry.GetPrimary(), a);
    // Another character under the same identity is the side now.
    people.push_back(std::make_unique<CCharacter>());
    CCharacter* successor = people.back().get();
    successor->Create(id);
    EXPECT_EQ(rivalry.GetSecondary(), successor);
    // A character that takes another identity leaves its old one.
    successor->Create(CRZID(RZTYPE_CHARACTER, 999));
    EXPECT_EQ(rivalry.GetSecondary(), nullptr);
}

TEST_F(RelationTest, TheRegistryIsWrittenAndReadBackAndAFutureEndDateReadsAsOpen)
{
    CCharacter* a = Ruler(5);
    CCharacter* b = Ruler(6);
    CRelation* marriage = a->CreateRelation(b, RELATION_MARRIAGE);
    gpTimer->SetDate(CDate(0, 3, 1101));
    marriage->Terminate();
    a->CreateRelation(b, RELATION_RIVAL);
    // Read back on a day before the marriage ended: the end lies in the future, so it reads as none.
    gpTimer->SetDate(CDate(0, 0, 1100));
    CRelations read;
    std::string text;
    ReadBack(*CRelations::GetInstance(), read, &text);
    EXPECT_NE(text.find("marrige"), std::string::npos) << text;
    EXPECT_NE(text.find("enddate"), std::string::npos) << text;
    ASSERT_EQ(read.GetSize(), 2);
    const CRelation* first = *read.GetHead();
    EXPECT_EQ(first->GetType(), RELATION_MARRIAGE);
    EXPECT_EQ(first->GetPrimary(), a);
    EXPECT_EQ(first->GetSecondary(), b);
    EXPECT_EQ(first->GetStartDate(), CDate(0, 0, 1100));
    EXPECT_FALSE(first->HasEnded());
    // The characters' lists are rebuilt from the registry, each relation once.
    read.SyncronizeCharacters();
    read.SyncronizeCharacters();
    EXPECT_EQ(a->relations.GetSize(), 4);
}

} // namespace
