// Rulers and courts as executed events change them: a new ruler, a gift between rulers, a plot's outcome
// and a relation change, each on host and client alike except the steps the host alone takes.
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "events/records_character.h"
#include "events/records_realm.h"
#include "realm_handlers.h"
#include "realms/country.h"
#include "support/data_folder.h"
#include "text_keys.h"

#include "foundation/safeguards.h"

namespace {

struct Shown {
    int type;
    CRZCountryID realm;
    std::string first, second, third, fourth;
};
std::vector<Shown> gShown;

class CourtHandlerTest : public RealmHandlerTest {
protected:
    void SetUp() override
    {
        RealmHandlerTest::SetUp();
        gShown.clear();
        gCountryHooks.ShowMessage = [](int type, CRZCountryID realm, const char* a, const char* b,
                                        const char* c, const char* d, int) {
            gShown.push_back({ type, realm, a, b, c, d });
        };
    }
};

TEST_F(CourtHandlerTest, AGiftFillsAVassalsTreasuryFirstAndSpreadsOverHisHoldings)
{
    CRZCountry* liege = Make(1001);
    CRZCountry* vassal = Make(20);
    CCharacter* duke = Ruler(liege);
    CCharacter* count = Ruler(vassal, duke);
    Land(21, vassal);
    Land(22, vassal);
    count->RefreshOwnedProvinces();
    ASSERT_EQ(vassal->GetOwnedProvinces().GetSize(), 3);
    count->AddScore(CSimpleScore(50.0f, 0.0f, 0.0f));
    duke->AddScore(CSimpleScore(400.0f, 0.0f, 0.0f));
    count->SetLoyaltyToLiege(0.5f);

    CRZGiftEvent gift(_CRZEVT_SENDGIFT_, vassal->GetID(), 300.0f, 1001);
    EXPECT_EQ(vassal->Update(&gift), 3);
    EXPECT_FLOAT_EQ(count->GetLoyaltyToLiege(), 0.8f) << "(150 / 250 + 150 / 500) / 3";
    EXPECT_FLOAT_EQ(vassal->GetRelation(1001), 3.0f);
    EXPECT_FLOAT_EQ(count->GetScore().GetGold(), 350.0f);
    EXPECT_FLOAT_EQ(duke->GetScore().GetGold(), 100.0f);

    // A gift of nothing, less than nothing or no number moves no gold.
    for (float amount : { 0.0f, -500.0f, std::numeric_limits<float>::infinity() }) {
        CRZGiftEvent bad(_CRZEVT_SENDGIFT_, vassal->GetID(), amount, 1001);
        vassal->Update(&bad);
    }
    CRZGiftEvent stranger(_CRZEVT_SENDGIFT_, vassal->GetID(), 10.0f, 9000);
    vassal->Update(&stranger);
    EXPECT_FLOAT_EQ(count->GetScore().GetGold(), 350.0f);
    EXPECT_FLOAT_EQ(duke->GetScore().GetGold(), 100.0f);
}

TEST_F(CourtHandlerTest, ANewRulerWhoRulesElsewhereJoinsTheRealmsOnTheHostOnly)
{
    for (bool inHost : { true, false }) {
        host = inHost;
        CRZCountry* realm = Make(30);
        CRZCountry* other = Make(31);
        Ruler(realm);
        CCharacter* heir = Ruler(other);
        CRZNewRulerEvent event(_CRZEVT_NEW_RULER_, realm->GetID(), heir->GetID(), NOID);
        EXPECT_EQ(realm->Update(&event), 3);
        EXPECT_EQ(realm->ruler, heir) << inHost;
        EXPECT_EQ(heir->GetCountry(), realm);
        const std::vector<CRZEvent*> waiting = Waiting();
        ASSERT_EQ(waiting.size(), inHost ? 1u : 0u);
        if (inHost) {
            const auto& record = static_cast<CRZAnnexationEvent*>(waiting[0])->Record();
            EXPECT_EQ(waiting[0]->GetType(), _CRZEVT_EXEC_SET_ANNEXATION_);
            EXPECT_EQ(record.first, 30);
            EXPECT_EQ(record.second, 31);
        }
        gEventScheduler.Erase();
        delete realm;
        delete other;
    }
}

TEST_F(CourtHandlerTest, AnExposedPlotAgainstOnesFatherMarksTheKinslayerOnTheHost)
{
    PutTexts({ { "ASS_4", "survived" }, { "ASS_2", "unharmed" }, { "ASS_5", "someone" } });
    CRZCountry* plotters = Make(40);
    CRZCountry* victims = Make(41);
    CCharacter* son = Ruler(plotters);
    CCharacter* father = Ruler(victims);
    son->father = father->GetID();

    CRZAssassinateEvent exposed(
        _CRZEVT_ASSASSINATE_, plotters->GetID(), son->GetID(), father->GetID(), false, true);
    EXPECT_EQ(plotters->Update(&exposed), 0);
    EXPECT_EQ(plotters->assassinationPlots, 1);
    EXPECT_EQ(victims->lastPlotter, 40);
    EXPECT_FLOAT_EQ(victims->GetRelation(40), -50.0f);
    EXPECT_FLOAT_EQ(plotters->GetBadBoy(), 1.0f) << "the father holds no primary title";
    const float cost = father->GetAssassinateCost(true).GetGold();
    EXPECT_FLOAT_EQ(son->GetScore().GetGold(), -cost);
    EXPECT_FLOAT_EQ(son->GetScore().GetPrestige(), -100.0f);

    bool marked = false;
    for (CRZEvent* event : Waiting()) {
        if (event->GetType() != _CRZEVT_ADD_TRAIT_)
            continue;
        const auto& record = static_cast<CRZCharacterTraitEvent*>(event)->Record();
        marked = record.character == son->GetID() && record.trait == 26
            && event->GetReceiver() == CHARACTER_SERVER;
    }
    EXPECT_TRUE(marked);
    ASSERT_EQ(gShown.size(), 1u);
    EXPECT_EQ(gShown[0].type, 96);
    EXPECT_EQ(gShown[0].fourth, "survived");

    // Hidden and failed: only the count and the plotter's purse change, and the plotter has no name.
    gEventScheduler.Erase();
    host = false;
    CRZAssassinateEvent hidden(
        _CRZEVT_ASSASSINATE_, plotters->GetID(), son->GetID(), father->GetID(), false, false);
    plotters->Update(&hidden);
    EXPECT_EQ(plotters->assassinationPlots, 2);
    EXPECT_FLOAT_EQ(victims->GetRelation(40), -50.0f);
    EXPECT_FLOAT_EQ(plotters->GetBadBoy(), 1.0f);
    EXPECT_TRUE(Waiting().empty());
    ASSERT_EQ(gShown.size(), 2u);
    EXPECT_EQ(gShown[1].second, "someone");
    EXPECT_EQ(gShown[1].fourth, "unharmed");
}

TEST_F(CourtHandlerTest, ARelationChangeNeedsARealmAtTheOtherEnd)
{
    CRZCountry* realm = Make(50);
    Make(51);
    for (CRZCountryID other : { 51, 52, 5000, -7 }) {
        CRZRelationEvent event(_CRZEVT_EXEC_RELATION_, realm->GetID(), 12.0f, 50, other);
        realm->Update(&event);
    }
    CRZRelationEvent nan(
        _CRZEVT_EXEC_RELATION_, realm->GetID(), std::numeric_limits<float>::quiet_NaN(), 50, 51);
    realm->Update(&nan);
    EXPECT_FLOAT_EQ(realm->GetRelation(51), 12.0f);
    EXPECT_FLOAT_EQ(realm->GetRelation(52), 0.0f);
}

} // namespace
