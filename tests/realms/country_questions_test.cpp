// The realm's questions: the budget's bounds under the laws, the price and text of a church law change,
// who may usurp a title or be sent as a fosterling, and the demesne's share.
#include <gtest/gtest.h>

#include <string>

#include "characters/law.h"
#include "events/game_clock.h"
#include "realm_land.h"
#include "support/scratch.h"
#include "text_keys.h"

#include "foundation/safeguards.h"

namespace {

class RealmQuestions : public ::testing::Test {
protected:
    void SetUp() override
    {
        CRZCountry::InitCountryArray();
        ClearCountryControl();
        gpTimer = new CRZTimer(15);
        gpTimer->SetDate(CDate(0, 0, 1250));
        realm = Realm(1100);
        ruler = land.Ruler(realm);
    }
    void TearDown() override
    {
        CRZCountry::DeleteAll();
        delete gpTimer;
        gpTimer = nullptr;
        CLawType::Shutdown();
    }
    static CRZCountry* Realm(int number)
    {
        auto* made = new CRZCountry;
        made->index = number;
        made->tier = number >= kFirstKingdom ? TIER_KINGDOM
            : number >= kFirstDuchy          ? TIER_DUCHY
                                             : TIER_COUNTY;
        CRZCountry::_pCountry[number] = made;
        return made;
    }

    CRealmLand land;
    CRZCountry* realm = nullptr;
    CCharacter* ruler = nullptr;
};

TEST_F(RealmQuestions, TheRealmAndChurchLawsBoundEachBudgetShare)
{
    struct Case {
        int law;
        float maxScutage, minScutage, maxCrown, minCrown, maxCommoners, minCommoners;
    };
    const Case realmLaws[] = {
        { 7, 1.0f, 0.0f, 1.0f, 0.5f, 1.0f, 0.25f },
        { 8, 0.5f, 0.0f, 0.5f, 0.0f, 1.0f, 0.5f },
        { 9, 0.7f, 0.0f, 0.7f, 0.0f, 0.7f, 0.0f },
        { 10, 1.0f, 0.5f, 1.0f, 0.5f, 0.5f, 0.0f },
        { -1, 1.0f, 0.0f, 1.0f, 0.0f, 1.0f, 0.0f },
    };
    for (const Case& c : realmLaws) {
        realm->laws = CLawTuple();
        if (c.law >= 0)
            realm->laws.Set(c.law);
        EXPECT_EQ(realm->GetMaxScutage(), c.maxScutage) << c.law;
        EXPECT_EQ(realm->GetMinScutage(), c.minScutage) << c.law;
        EXPECT_EQ(realm->GetMaxCrownDuty(), c.maxCrown) << c.law;
        EXPECT_EQ(realm->GetMinCrownDuty(), c.minCrown) << c.law;
        EXPECT_EQ(realm->GetMaxCensusTax(), c.maxCommoners) << c.law;
        EXPECT_EQ(realm->GetMinCensusTax(), c.minCommoners) << c.law;
        EXPECT_EQ(realm->GetMaxTolls(), c.maxCommoners) << c.law;
        EXPECT_EQ(realm->GetMinTolls(), c.minCommoners) << c.law;
    }
    const float church[][3] = { { 11, 0.8f, 0.0f }, { 12, 1.0f, 0.5f }, { 13, 0.7f, 0.3f },
        { 14, 1.0f, 0.7f }, { -1, 1.0f, 0.0f } };
    for (const auto& c : church) {
        realm->laws = CLawTuple();
        if (c[0] >= 0)
            realm->laws.Set(static_cast<int>(c[0]));
        EXPECT_EQ(realm->GetMaxChurchDonations(), c[1]) << c[0];
        EXPECT_EQ(realm->GetMinChurchDonations(), c[2]) << c[0];
    }
}

TEST_F(RealmQuestions, LeavingChurchSupremacyForRegalSupremacyCostsPietyOnly)
{
    support::ScratchFile laws("feudal_contract_law = { group = 1 }\n"
                              "regal_supremacy = { group = 2 }\n"
                              "monastic_supremacy = { group = 2 }\n"
                              "ecclesical_balance = { group = 2 }\n"
                              "church_supremacy = { group = 2 }\n");
    ASSERT_TRUE(CLawType::InitFromFile(laws.Path()));
    PutTexts({ { "IW_REALM_PRESTIGE_LOST", "Prestige lost: %.0f" },
        { "IW_REALM_PIETY_LOST", "Piety lost: %.0f" } });
    realm->laws.Set(14);
    const CSimpleScore penalty = realm->GetChangeChurchLawPenalty(11);
    EXPECT_EQ(penalty.GetPrestige(), 0.0f);
    EXPECT_EQ(penalty.GetPiety(), 200.0f);
    EXPECT_EQ(std::string(realm->GetChangeLawEffect(11)), "Piety lost: 200\n");
    // The other way costs prestige alone; the law in force costs nothing.
    realm->laws.Set(11);
    EXPECT_EQ(std::string(realm->GetChangeLawEffect(14)), "Prestige lost: 200\n");
    EXPECT_TRUE(realm->GetChangeChurchLawPenalty(11).IsZero());
    CRZCountry lawless;
    lawless.laws = CLawTuple();
    EXPECT_TRUE(lawless.GetChangeChurchLawPenalty(11).IsZero()) << "no church law in force";
}

TEST_F(RealmQuestions, UsurpingNeedsTwoThirdsOfTheTitlesProvinces)
{
    CRZCountry* rival = Realm(7);
    land.Ruler(rival);
    const CTitle* duchy = CTitle::GetTitle(1200);
    ruler->religion = 0;
    EXPECT_FALSE(realm->CanUsurpTitle(ruler, duchy)) << "a title with no provinces";

    const auto inDuchy
        = [&](int number, CRZCountry* owner) { land.Land(number, owner)->titleRealms[0] = 1200; };
    inDuchy(20, realm);
    inDuchy(21, rival);
    EXPECT_FALSE(realm->CanUsurpTitle(ruler, duchy)) << "1 of 2";
    inDuchy(22, realm);
    EXPECT_TRUE(realm->CanUsurpTitle(ruler, duchy)) << "2 of 3";
    // A vacant title is claimed on the same share, if the ruler can pay its worth in gold.
    ruler->score = CSimpleScore(duchy->GetWarValue(), 0.0f, 0.0f);
    EXPECT_TRUE(realm->CanClaimTitle(ruler, duchy));
    ruler->score = CSimpleScore(duchy->GetWarValue() - 1.0f, 0.0f, 0.0f);
    EXPECT_EQ(realm->CanClaimTitle(ruler, duchy), duchy->GetWarValue() <= 0.0f) << "too poor";
    EXPECT_FALSE(realm->CanClaimTitle(ruler, CTitle::GetTitle(1100))) << "held by the ruler himself";
    ruler->religion = 2;
    EXPECT_FALSE(realm->CanUsurpTitle(ruler, duchy)) << "no Christian";
    ruler->religion = 1;
    EXPECT_FALSE(realm->CanUsurpTitle(ruler, CTitle::GetTitle(20))) << "a county";
}

TEST_F(RealmQuestions, FosterlingsAreChildrenOfTheDynastyFromFiveToTwelve)
{
    ruler->dynasty = CRZID(RZTYPE_DYNASTY, 4);
    CCharacter child;
    child.dynasty = ruler->dynasty;
    for (const auto& [age, allowed] : { std::pair { 4, false }, { 5, true }, { 12, true }, { 13, false } }) {
        child.birthDate = CDate(0, 0, static_cast<int16_t>(1250 - age));
        EXPECT_EQ(realm->CanSendFosterling(&child), allowed) << age;
    }
    child.birthDate = CDate(0, 0, 1242);
    child.dynasty = CRZID(RZTYPE_DYNASTY, 5);
    EXPECT_FALSE(realm->CanSendFosterling(&child)) << "another dynasty";
    EXPECT_FALSE(realm->CanSendFosterling(ruler)) << "the ruler himself";
}

TEST_F(RealmQuestions, ADuchyWithTenProvincesBeyondItsLimitKeepsSixTenths)
{
    CAttributeTuple attributes;
    attributes.Set(CAttributeTuple::INTRIGUE, 10);
    ruler->SetBaseAttributes(attributes);
    ruler->RefreshAttributes();
    for (int number = 30; number < 40; ++number)
        land.Land(number, realm);
    ruler->RefreshOwnedProvinces();
    ASSERT_EQ(realm->GetOwnedProvinces().GetSize(), 10);
    // Half the intrigue, 1 for the years from 1100: a limit of 6.
    EXPECT_EQ(realm->GetDemesneLimit(), 6.0f);
    EXPECT_NEAR(realm->GetDemesneIncomeModifier(0.0f), 0.6f, 1e-6f);
    EXPECT_NEAR(realm->GetDemesneIncomeModifier(0.25f), 0.85f, 1e-6f);
    PutTexts({ { "DPA_STEWARDSHIP2", "ruler %.1f" }, { "DPA_TIME", "years +%d" }, { "DPA_DUCHY", "duchy" },
        { "DEMESNE_PENALTYINFO", "%d held, limit %.0f, %.0f%% less" } });
    EXPECT_EQ(std::string(realm->GetDemesneIncomeModifierInfo()),
        "ruler 5.0\nyears +1\nduchy\n10 held, limit 6, 40% less");
}

} // namespace
