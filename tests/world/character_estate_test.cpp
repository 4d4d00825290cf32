// A death and its estate, through the host's character server as the game runs them: the shares under
// gavelkind, gold that divides while prestige and piety stay, titles that never stay with a dead man, an
// heir who keeps his share when no realm number is free, a cousin made the same day for a ruler with no
// heir, and at most one titled death a day.
#include <gtest/gtest.h>

#include "events/event_scheduler.h"
#include "world/character_estate.h"
#include "world/server.h"
#include "world_fakes.h"

#include "foundation/safeguards.h"

using namespace worldfakes;

namespace {

constexpr int kGavelkind = 4;
constexpr int kRealm = 20;

class CharacterEstateTest : public HostWorldTest {
protected:
    void SetUp() override
    {
        HostWorldTest::SetUp();
        realm = Realm(kRealm);
        realm->laws.Add(kGavelkind);
    }

    CCharacter* Son(CCharacter* father, int born)
    {
        CCharacter* son = Character(realm);
        son->birthDate = CDate(0, 0, born);
        son->father = father->GetID();
        father->InitAddChild(son);
        return son;
    }

    // A ruler of the realm holding the counties, with gold 90, prestige 50 and piety 20.
    CCharacter* Lord(std::initializer_list<int> counties)
    {
        CCharacter* lord = Ruler(realm);
        lord->birthDate = CDate(0, 0, 1040);
        for (int county : counties)
            CTitle::GetTitle(county)->SetNewHolder(lord);
        lord->score = CSimpleScore(90.0f, 50.0f, 20.0f);
        return lord;
    }

    void Die(CCharacter* character)
    {
        character->Die(GetGameToday());
        gEventScheduler.ProcessAll();
    }

    CRZCountry* realm = nullptr;
};

TEST_F(CharacterEstateTest, GavelkindGivesEachSonAShareAsFarAsTheCountiesGo)
{
    const struct {
        std::initializer_list<int> counties;
        int shares;
    } cases[] = { { { 5, 6 }, 2 }, { { 7 }, 1 } };
    for (const auto& c : cases) {
        CCharacter* lord = Lord(c.counties);
        CCharacter* sons[3] = { Son(lord, 1070), Son(lord, 1072), Son(lord, 1074) };
        Die(lord);
        EXPECT_FALSE(lord->IsAlive());
        EXPECT_TRUE(lord->titles.IsEmpty());
        EXPECT_FLOAT_EQ(lord->score.GetGold(), 0.0f);
        EXPECT_FLOAT_EQ(lord->score.GetPrestige(), 50.0f);
        EXPECT_FLOAT_EQ(lord->score.GetPiety(), 20.0f);
        for (int i = 0; i < 3; ++i) {
            const bool heir = i < c.shares;
            EXPECT_EQ(sons[i]->titles.GetSize(), heir ? 1 : 0) << c.shares << " " << i;
            EXPECT_FLOAT_EQ(sons[i]->score.GetGold(), heir ? 90.0f / static_cast<float>(c.shares) : 0.0f);
            EXPECT_FLOAT_EQ(sons[i]->score.GetPrestige(), 0.0f);
            EXPECT_FLOAT_EQ(sons[i]->score.GetPiety(), 0.0f);
        }
        for (int county : c.counties)
            EXPECT_NE(CTitle::GetTitle(county)->GetCurrentHolder(), lord);
        // A younger son with a county of his own and no realm founds one.
        if (c.shares == 2) {
            EXPECT_TRUE(sons[1]->IsRuler());
            EXPECT_NE(sons[1]->realmId, kRealm);
        }
        // The next case's lord dies another day.
        gpTimer->SetDate(CDate(0, 1, 1100));
    }
}

TEST_F(CharacterEstateTest, TitlesWithoutALivingHeirAreVacated)
{
    // A count at court with no family: his share finds no heir.
    CCharacter* count = Character(realm);
    CTitle* county = CTitle::GetTitle(9);
    county->SetNewHolder(count);
    count->score = CSimpleScore(30.0f, 0.0f, 0.0f);
    Die(count);
    EXPECT_EQ(county->GetCurrentHolder(), nullptr);
    EXPECT_TRUE(count->titles.IsEmpty());
}

TEST_F(CharacterEstateTest, WithNoFreeRealmNumberTheHeirKeepsHisShareWhereHeIs)
{
    CCharacter* lord = Lord({ 5, 6 });
    CCharacter* elder = Son(lord, 1070);
    CCharacter* younger = Son(lord, 1072);
    // Every other slot taken by one stand-in realm, which the slots only point at.
    CRZCountry stand;
    for (int slot = 1; slot < kRebelCountry; ++slot) {
        if (CRZCountry::_pCountry[slot] == nullptr)
            CRZCountry::_pCountry[slot] = &stand;
    }
    Die(lord);
    for (CRZCountry*& slot : CRZCountry::_pCountry) {
        if (slot == &stand)
            slot = nullptr;
    }
    EXPECT_EQ(elder->titles.GetSize(), 1);
    ASSERT_EQ(younger->titles.GetSize(), 1);
    EXPECT_EQ(younger->realmId, kRealm);
}

TEST_F(CharacterEstateTest, ARulerWithoutHeirsLeavesHisRealmToACousinOnTheDayHeDies)
{
    CCharacter* lord = Lord({ 5 });
    Die(lord);
    CCharacter* cousin = realm->ruler;
    ASSERT_NE(cousin, nullptr);
    ASSERT_NE(cousin, lord);
    // Made in play, as every machine makes him; the test owns what it made.
    characters.emplace_back(cousin);
    EXPECT_GE(cousin->GetID().type, RZTYPE_DYNAMIC);
    EXPECT_TRUE(cousin->IsAlive());
    EXPECT_EQ(cousin->GetCountry(), realm);
    EXPECT_EQ(CTitle::GetTitle(5)->GetCurrentHolder(), cousin);
    EXPECT_FLOAT_EQ(cousin->score.GetGold(), 90.0f);
}

TEST_F(CharacterEstateTest, OneTitledDeathADayTheOthersWaitForTheNext)
{
    CCharacter* first = Character(realm);
    CCharacter* second = Character(realm);
    CCharacter* untitled = Character(realm);
    CTitle::GetTitle(11)->SetNewHolder(first);
    CTitle::GetTitle(12)->SetNewHolder(second);
    const CDate today = GetGameToday();
    for (CCharacter* dying : { first, second, untitled })
        Die(dying);
    EXPECT_FALSE(first->IsAlive());
    EXPECT_TRUE(second->IsAlive());
    EXPECT_FALSE(untitled->IsAlive());
    CDate tomorrow = today;
    tomorrow.AddDays(1);
    gpTimer->SetDate(tomorrow);
    gEventScheduler.ProcessAll();
    EXPECT_FALSE(second->IsAlive());
    EXPECT_EQ(second->deathDate, tomorrow);
}

} // namespace
