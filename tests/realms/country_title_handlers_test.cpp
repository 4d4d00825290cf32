// Titles and laws as executed events change them: grants that found realms and move vassals, the eldest
// son's grant, a law change that disinherits and one that offends only once.
#include <gtest/gtest.h>

#include <vector>

#include "characters/law.h"
#include "datalang/definition_file.h"
#include "events/game_clock.h"
#include "events/records_character.h"
#include "events/records_realm.h"
#include "realm_handlers.h"
#include "realms/country.h"
#include "support/data_folder.h"

#include "foundation/safeguards.h"

namespace {

const char* const kLaws = "salic_primogeniture_law = { group = 0 }\n"
                          "semisalic_primogeniture_law = { group = 0 }\n"
                          "royal_preorgatory_law = { group = 1 }\n"
                          "feudal_contract_law = { group = 1 }\n"
                          "traditional_custom_law = { group = 1 }\n"
                          "popular_law = { group = 1 }\n";

std::vector<int> gFired;

class TitleHandlerTest : public RealmHandlerTest {
protected:
    void SetUp() override
    {
        RealmHandlerTest::SetUp();
        gFired.clear();
        gCountryHooks.TriggerScriptedEvent = [](int number, CCharacter*) { gFired.push_back(number); };
        gpTimer = new CRZTimer(15);
        gpTimer->SetDate(CDate(0, 0, 1100));
        ASSERT_EQ(LoadFailure(CLawType::InitFromFile, kLaws), "");
    }
    void TearDown() override
    {
        CLawType::Shutdown();
        RealmHandlerTest::TearDown();
        delete gpTimer;
        gpTimer = nullptr;
    }
    // A count vassal of the liege whose one province lies in the duchy and kingdom given.
    CCharacter* Count(CRZCountryID id, CCharacter* liege, CRZCountryID duchy, CRZCountryID kingdom)
    {
        CRZCountry* realm = Make(id);
        CCharacter* count = Ruler(realm, liege);
        CProvince* province = Land(id, realm);
        province->titleRealms[0] = duchy;
        province->titleRealms[1] = kingdom;
        realm->capital = id;
        return count;
    }
    static int Grant(CRZCountry* realm, CCharacter* to, CRZCountryID title)
    {
        CRZCountryTwoIdEvent event(_CRZEVT_GRANTTITLE_, realm->GetID(), realm->index, to->GetID(),
            CRZID(RZTYPE_TITLE, static_cast<uint32_t>(title)));
        return realm->Update(&event);
    }
    static int Institute(CRZCountry* realm, int law)
    {
        CRZIntCountryEvent event(_CRZEVT_INSTITUTE_LAW_, realm->GetID(), law, realm->index);
        return realm->Update(&event);
    }
};

TEST_F(TitleHandlerTest, ADuchyGrantedToACourtierFoundsARealmAndTakesItsCounts)
{
    CRZCountry* kingdom = Make(1300);
    CCharacter* king = Ruler(kingdom);
    CCharacter* courtier = Person(kingdom, 1070);
    CCharacter* inDuchy1 = Count(21, king, 1001, 1300);
    CCharacter* inDuchy2 = Count(22, king, 1001, 1300);
    CCharacter* elsewhere = Count(23, king, 1002, 1300);
    kingdom->AddBadBoy(5.0f);

    EXPECT_EQ(Grant(kingdom, courtier, 1001), 3);

    CRZCountry* duchy = CRZCountry::GetCountry(1001);
    ASSERT_NE(duchy, nullptr);
    EXPECT_EQ(duchy->ruler, courtier);
    EXPECT_EQ(courtier->GetCountry(), duchy);
    EXPECT_EQ(CTitle::GetTitle(1001)->GetCurrentHolder(), courtier);
    EXPECT_EQ(courtier->GetLiegeRuler(), king);
    EXPECT_FLOAT_EQ(duchy->GetRelation(1300), 150.0f);
    EXPECT_EQ(inDuchy1->GetLiegeRuler(), courtier);
    EXPECT_EQ(inDuchy2->GetLiegeRuler(), courtier);
    EXPECT_EQ(elsewhere->GetLiegeRuler(), king);
    EXPECT_FLOAT_EQ(kingdom->GetBadBoy(), 5.0f - 0.5f - 0.3f * 2);
}

TEST_F(TitleHandlerTest, AKingdomGrantCountsEachVassalRealmWithItsOwnVassals)
{
    CRZCountry* empire = Make(1271);
    CCharacter* emperor = Ruler(empire);
    CCharacter* heir = Person(empire, 1080);
    CRZCountry* dukeRealm = Make(1005);
    CCharacter* duke = Ruler(dukeRealm, emperor);
    dukeRealm->capital = 41;
    CProvince* seat = Land(41, dukeRealm);
    seat->titleRealms[1] = 1300;
    Count(42, duke, 1005, 1300);
    Count(43, emperor, 1006, 1301);
    empire->AddBadBoy(5.0f);

    Grant(empire, heir, 1300);

    EXPECT_EQ(duke->GetLiegeRuler(), heir);
    EXPECT_FLOAT_EQ(empire->GetBadBoy(), 5.0f - 0.5f - 0.3f * 2) << "the duke and his one count";
}

TEST_F(TitleHandlerTest, ACountyForTheEldestSonOutsideOnesVassalageFiresItsEventOnTheHost)
{
    for (bool inHost : { true, false }) {
        host = inHost;
        gFired.clear();
        CRZCountry* realm = Make(30);
        CCharacter* count = Ruler(realm);
        Land(30, realm);
        CCharacter* eldest = Person(realm, 1070, count);
        CCharacter* younger = Person(realm, 1075, count);
        Grant(realm, younger, 31);
        EXPECT_TRUE(gFired.empty()) << "not the eldest";
        Grant(realm, eldest, 32);
        EXPECT_EQ(gFired, inHost ? std::vector<int> { 1095 } : std::vector<int> {}) << inHost;
        EXPECT_EQ(CTitle::GetTitle(32)->GetCurrentHolder(), eldest);
        delete realm;
    }
}

TEST_F(TitleHandlerTest, ASuccessionLawThatDisinheritsAForeignRulerCostsHisGoodWillAndGivesHimClaims)
{
    CRZCountry* realm = Make(40);
    CRZCountry* foreign = Make(41);
    CCharacter* ruler = Ruler(realm);
    Land(40, realm);
    CCharacter* daughter = Person(realm, 1070, ruler, true);
    CCharacter* grandson = Person(foreign, 1090, daughter);
    foreign->AddRulerImmidiatly(grandson);
    realm->laws.Set(1);

    EXPECT_EQ(Institute(realm, 0), 3);

    EXPECT_TRUE(realm->HasLaw(0));
    EXPECT_FALSE(realm->HasLaw(1));
    EXPECT_FLOAT_EQ(realm->GetRelation(41), -50.0f);
    const std::vector<CRZEvent*> claims = Waiting(_CRZEVT_CREATECLAIM_);
    ASSERT_EQ(claims.size(), static_cast<size_t>(ruler->titles.GetSize()));
    EXPECT_EQ(static_cast<CRZCreateClaimEvent*>(claims[0])->Record().first, grandson->GetID());
    EXPECT_EQ(realm->lawDates[0], CDate(0, 0, 1100));
}

TEST_F(TitleHandlerTest, OnlyTheFirstReplacedCustomGivesOffence)
{
    CRZCountry* realm = Make(1001);
    CCharacter* duke = Ruler(realm);
    CCharacter* son = Count(50, duke, 1001, 1300);
    son->father = duke->GetID();
    CCharacter* stranger = Count(51, duke, 1001, 1300);
    son->SetLoyaltyToLiege(1.0f);
    stranger->SetLoyaltyToLiege(1.0f);
    CProvince* own = Land(52, realm);
    duke->RefreshOwnedProvinces();
    own->loyalty = CStandsTuple(0.5f, 0.5f, 0.5f, 0.5f);
    realm->RefreshVassals();
    realm->laws.Add(7);
    realm->laws.Add(9);

    Institute(realm, 10);

    EXPECT_FLOAT_EQ(son->GetLoyaltyToLiege(), 0.7f);
    EXPECT_FLOAT_EQ(stranger->GetLoyaltyToLiege(), 1.0f);
    EXPECT_FLOAT_EQ(own->loyalty.Get(CStandsTuple::PEASANTS), 0.5f) << "law 9's penalty is not added";
    EXPECT_TRUE(realm->HasLaw(10));
    EXPECT_FALSE(realm->HasLaw(7));
}

} // namespace
