// A vassal's loyalty decisions and drift, a ruler's monthly prestige from his children and titles, and
// the price of acts against a character: assassination, excommunication, a broken truce.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "characters/character.h"
#include "characters/loyalty_month.h"
#include "characters/title.h"
#include "events/game_clock.h"
#include "realms/country.h"
#include "realms/realm_character_hooks.h"

#include "foundation/safeguards.h"

namespace {

class CharacterLoyaltyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CIdentity::TotalInit(NOID, 0);
        CRZCountry::InitCountryArray();
        ClearCountryControl();
        InstallRealmCharacterHooks();
        CTitle::ConstructAll();
        gpTimer = new CRZTimer(15);
        gpTimer->SetDate(CDate(0, 0, 1100));
    }
    void TearDown() override
    {
        people.clear();
        DeleteAll(*CRelations::GetInstance());
        CTitle::DestroyAll();
        CRZCountry::DeleteAll();
        gCharacterHooks = {};
        delete gpTimer;
        gpTimer = nullptr;
        CIdentity::TotalCleanup();
    }

    static CRZCountry* Realm(int index)
    {
        if (CRZCountry::_pCountry[index] == nullptr)
            CRZCountry::ConstructCountry(index);
        return CRZCountry::_pCountry[index];
    }
    CCharacter* Person(CRZCountry* realm, int bornIn = 1070, Gender gender = GENDER_MALE)
    {
        people.push_back(std::make_unique<CCharacter>());
        CCharacter* person = people.back().get();
        person->Create(CRZID(RZTYPE_CHARACTER, static_cast<uint32_t>(people.size())));
        person->birthDate = CDate(0, 0, bornIn);
        person->gender = gender;
        person->SetCountry(realm);
        return person;
    }
    // The ruler of the realm, holding its title.
    CCharacter* Ruler(int index)
    {
        CCharacter* ruler = Person(Realm(index));
        Realm(index)->AddRulerImmidiatly(ruler);
        CTitle::GetTitle(index)->SetNewHolder(ruler);
        return ruler;
    }
    // A count under the king's kingdom.
    CCharacter* Vassal(CCharacter* liege, int county)
    {
        CCharacter* count = Ruler(county);
        count->SetLiegeRuler(liege);
        return count;
    }

    std::vector<std::unique_ptr<CCharacter>> people;
};

TEST_F(CharacterLoyaltyTest, DecisionsTurnOnTheirLoyaltyBounds)
{
    CCharacter* king = Ruler(1300);
    CCharacter* count = Vassal(king, 20);
    ASSERT_EQ(count->GetLiegeRuler(), king);
    struct Case {
        float loyalty;
        bool vassalization, allegiance, war, recruitment;
    };
    const Case cases[] = {
        { 0.5f, false, false, false, false },
        { 0.49f, true, false, false, false },
        { 0.29f, true, true, false, false },
        { 0.09f, true, true, true, false },
        { 0.79f, false, false, false, false },
        { 0.7901f, false, false, false, true },
    };
    for (const Case& c : cases) {
        count->SetLoyaltyToLiege(c.loyalty);
        EXPECT_EQ(count->MayAcceptOfferVassalization(), c.vassalization) << c.loyalty;
        EXPECT_EQ(count->MayPledgeAllegience(), c.allegiance) << c.loyalty;
        EXPECT_EQ(count->MayDowLiege(), c.war) << c.loyalty;
        EXPECT_EQ(count->MayAcceptDirectTroopRecruitment(), c.recruitment) << c.loyalty;
    }
    // An independent ruler may always be offered vassalage, never rises or lends his troops.
    king->SetLoyaltyToLiege(0.0f);
    EXPECT_TRUE(king->MayAcceptOfferVassalization());
    EXPECT_TRUE(king->MayPledgeAllegience());
    EXPECT_FALSE(king->MayDowLiege());
    EXPECT_FALSE(king->MayAcceptDirectTroopRecruitment());
    EXPECT_STREQ(king->GetLoyaltyEffectDesc(), "");
}

TEST_F(CharacterLoyaltyTest, TheLiegesLawsScutageAndInfamyMoveAVassalsLoyalty)
{
    CCharacter* king = Ruler(1300);
    CCharacter* count = Vassal(king, 20);
    CRZCountry* kingdom = Realm(1300);
    kingdom->budget[SLIDER_SCUTAGE] = 1.0f;
    const float base = count->GetMonthlyLoyaltyChange();

    kingdom->budget[SLIDER_SCUTAGE] = 0.0f;
    EXPECT_NEAR(count->GetMonthlyLoyaltyChange() - base, 0.01f, 1e-6f) << "no scutage";
    kingdom->budget[SLIDER_SCUTAGE] = 1.0f;

    kingdom->laws.Set(7);
    EXPECT_NEAR(count->GetMonthlyLoyaltyChange() - base, -0.01f, 1e-6f) << "royal prerogative";

    gCountryControl[1300] = CONTROL_LOCAL_PLAYER;
    const float withLaw = count->GetMonthlyLoyaltyChange();
    kingdom->AddBadBoy(CRZCountry::GetBadBoyLimit());
    EXPECT_NEAR(count->GetMonthlyLoyaltyChange() - withLaw, -0.1f, 1e-6f) << "a player's infamy";
}

// The monthly pass reckons each liege's heirs once: every vassal still gets the drift of his own liege's
// heirs, as outside the pass.
TEST_F(CharacterLoyaltyTest, TheMonthsPassGivesEachVassalHisOwnLiegesSuccession)
{
    std::vector<CCharacter*> vassals;
    for (int k = 0; k < 2; ++k) {
        CCharacter* king = Ruler(1300 + k);
        CCharacter* son = Vassal(king, 20 + k);
        son->father = king->GetID();
        king->children.Add(CRef<CCharacter>(son));
        vassals.push_back(son);
        vassals.push_back(Vassal(king, 30 + k));
    }
    std::vector<float> alone;
    for (const CCharacter* vassal : vassals)
        alone.push_back(vassal->GetMonthlyLoyaltyChange());
    ASSERT_GT(alone[0], alone[1]) << "the heir's place in the succession raises his loyalty";
    {
        const CLoyaltyMonth month;
        for (std::size_t i = 0; i < vassals.size(); ++i) {
            EXPECT_EQ(vassals[i]->GetMonthlyLoyaltyChange(), alone[i]) << i;
            EXPECT_EQ(vassals[i]->GetMonthlyLoyaltyChange(), alone[i]) << i << " asked again";
        }
    }
    // After the pass the heirs are reckoned afresh: a son disowned is one more count.
    vassals[0]->GetLiegeRuler()->children.RemoveAll();
    vassals[0]->father = NOID;
    EXPECT_EQ(vassals[0]->GetMonthlyLoyaltyChange(), alone[1]);
}

TEST_F(CharacterLoyaltyTest, AKingsGrownUnmarriedDaughtersAndSonsAtHomeCostPrestige)
{
    struct Case {
        int realm; // kingdom or county
        int daughters;
        float monthly;
    };
    const Case cases[] = {
        { 1300, 3, -(5.0f + 4.0f + 3.0f) / 12.0f + 5.0f / 12.0f }, // the third costs 3/12; one kingdom title
        { 30, 3, -(3.0f + 2.0f + 1.0f) / 12.0f + 1.0f / 12.0f },
        { 30, 4, -(3.0f + 2.0f + 1.0f + 0.0f) / 12.0f + 1.0f / 12.0f },
    };
    for (const Case& c : cases) {
        CCharacter* father = Ruler(c.realm);
        for (int i = 0; i < c.daughters; ++i) {
            CCharacter* daughter = Person(Realm(c.realm), 1070 + i, GENDER_FEMALE);
            daughter->father = father->GetID();
            father->children.Add(CRef<CCharacter>(daughter));
        }
        EXPECT_NEAR(father->GetMonthlyPrestigeChange(), c.monthly, 1e-5f) << c.realm << " " << c.daughters;
        EXPECT_EQ(father->GetUnmarriedDaughterPenalty(2), c.realm == 1300 ? 3.0f : 1.0f);
        // A young daughter takes her place but costs nothing.
        CCharacter* young = Person(Realm(c.realm), 1095, GENDER_FEMALE);
        father->children.Add(CRef<CCharacter>(young));
        EXPECT_NEAR(father->GetMonthlyPrestigeChange(), c.monthly, 1e-5f);
        people.clear();
        CTitle::DestroyAll();
        CTitle::ConstructAll();
        CRZCountry::DeleteAll();
    }
}

TEST_F(CharacterLoyaltyTest, AssassinationAndExcommunicationAreCostedByRankAndHeresy)
{
    CCharacter* king = Ruler(1300);
    CTitle::GetTitle(40)->SetNewHolder(king);
    CTitle::GetTitle(41)->SetNewHolder(king);
    king->courtPosition = COURT_COURTIER;
    king->SetBaseAttributes(CAttributeTuple(6, 0, 0, 0, 0, 0));
    const float rank = static_cast<float>(CTitle::GetTitle(1300)->GetRankPts());
    EXPECT_NEAR(king->GetAssassinateCost(false).GetGold(), 5.0f * rank + 10.0f + 6.0f + 25.0f + 24.0f, 1e-4f);
    const CSimpleScore extra = king->GetAssassinateCost(true);
    EXPECT_EQ(extra.GetPrestige(), 100.0f);
    EXPECT_EQ(extra.GetPiety(), 100.0f);

    CCharacter* heretic = Ruler(1200);
    CTitle::GetTitle(42)->SetNewHolder(heretic);
    Vassal(heretic, 50);
    heretic->CalcVassals();
    ASSERT_EQ(heretic->GetVassals().GetSize(), 1);
    EXPECT_NEAR(heretic->GetExcommunicationCost(), 33.0f, 1e-4f);
    heretic->AddTrait(TRAIT_HERETIC);
    EXPECT_NEAR(heretic->GetExcommunicationCost(), 3.3f, 1e-4f);

    king->score = CSimpleScore(10.0f, 0.0f, 0.0f);
    EXPECT_TRUE(king->CanAfford(CSimpleScore(10.0f, -500.0f, 0.0f)));
    EXPECT_FALSE(king->CanAfford(CSimpleScore(10.5f, 0.0f, 0.0f)));
    EXPECT_FALSE(king->CanAfford(CSimpleScore(0.0f, 0.0f, 1.0f)));
}

} // namespace
