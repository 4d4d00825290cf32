// The realm's actions: each asks the right server (or the realm itself) with the right numbers, and the
// requests that would do nothing are not sent at all.
#include <gtest/gtest.h>

#include <functional>

#include "armies/realm_divisions.h"
#include "armies/unit.h"
#include "armies/unit_list.h"
#include "event_capture.h"
#include "events/generic_events.h"
#include "events/records_army.h"
#include "events/records_realm.h"
#include "realm_land.h"
#include "realms/country.h"
#include "realms/province.h"
#include "realms/realm_servers.h"
#include "realms/request.h"

#include "foundation/safeguards.h"

namespace {

class RealmActions : public ::testing::Test {
protected:
    void SetUp() override
    {
        CIdentity::TotalInit(NOID, 0);
        CRZCountry::InitCountryArray();
        realm = new CRZCountry;
        realm->index = 5;
        CRZCountry::_pCountry[5] = realm;
        province.number = 12;
        InstallRealmDivisionHooks();
    }
    void TearDown() override
    {
        CRZCountry::DeleteAll();
        gCountryHooks = CountryHooks {};
        CIdentity::TotalCleanup();
    }

    CEventCapture capture;
    CRZCountry* realm = nullptr;
    CProvince province;
};

TEST_F(RealmActions, EachActionAsksItsReceiverWithItsNumbers)
{
    struct Case {
        const char* what;
        std::function<void()> act;
        CRZEvtType type;
        CRZID receiver;
    };
    const Case cases[] = {
        { "war", [&] { realm->DeclareWar(9, true, false); }, _CRZEVT_REQ_SETUP_WAR_, DIPLOMACY_SERVER },
        { "liberate", [&] { realm->LiberateVassal(9, true); }, _CRZEVT_LIBERATE_VASSAL_, DIPLOMACY_SERVER },
        { "grab", [&] { realm->GrabTitle(nullptr, nullptr); }, _CRZEVT_GRABTITLE_, DIPLOMACY_SERVER },
        { "budget", [&] { realm->ChangeBudget(0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f); }, _CRZEVT_CHANGE_BUDGET_,
            INVESTMENT_SERVER },
        { "cancel", [&] { realm->CancelBuildingProvinceImprovement(province); },
            _CRZEVT_CANCEL_BUILDING_PROVINCE_IMPROVEMENT_, INVESTMENT_SERVER },
        { "culture", [&] { realm->ChangeProvinceCulture(province, RZCultureType(7)); },
            _CRZEVT_SET_PROV_CULTURE_, INVESTMENT_SERVER },
        { "privileges", [&] { realm->ChangeBurgherClergyPrivileges(province, 0.1f); },
            _CRZEVT_CHANGE_BURGHER_CLERGY_PRIVILEGES_, INVESTMENT_SERVER },
        { "mobilize province", [&] { realm->MobilizeProvince(12, MOBILIZE_WITH_VASSALS); },
            _CRZEVT_MOBILIZE_PROVINCE_, CountryIdentity(5) },
        { "refresh", [&] { realm->RefreshWindows(); }, _CRZEVT_REFRESHWINDOWS_, ALLID },
    };
    for (const Case& c : cases) {
        c.act();
        const auto posted = capture.Take();
        ASSERT_EQ(posted.size(), 1u) << c.what;
        EXPECT_EQ(posted[0].type, c.type) << c.what;
        EXPECT_EQ(posted[0].receiver, c.receiver) << c.what;
    }

    realm->DeclareWar(9, true, false);
    const auto war = capture.Take()[0].As<CRZWarEventData>();
    EXPECT_EQ(war.first, 5);
    EXPECT_EQ(war.second, 9);
    EXPECT_EQ(war.firstFlag, 1u);
    realm->ChangeBudget(0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f);
    const auto budget = capture.Take()[0].As<CRZBudgetPercentageEventData>();
    EXPECT_EQ(budget.country, 5);
    EXPECT_EQ(budget.values[0], 0.1f);
    EXPECT_EQ(budget.values[5], 0.6f);
}

TEST_F(RealmActions, WarOnItselfAndAMergeOfOneArmyAreNotSent)
{
    realm->DeclareWar(5, false, false);
    realm->DeclareWar(realm, false, false);
    EXPECT_TRUE(capture.Take().empty());

    CRZUnit first;
    CRZUnit second;
    first.Create(DynamicID(RZTYPE_DYNAMIC, 41));
    second.Create(DynamicID(RZTYPE_DYNAMIC, 42));
    CRZSelectedUnitList list;
    list.Append(&first);
    realm->Merge(&list);
    EXPECT_TRUE(capture.Take().empty());

    list.Append(&second);
    realm->Merge(&list);
    const auto merges = capture.Take();
    ASSERT_EQ(merges.size(), 1u);
    EXPECT_EQ(merges[0].type, _CRZEVT_REQUEST_MERGE_);
    EXPECT_EQ(merges[0].As<CRZUnitMergeEventData>().first, first.GetID());
    EXPECT_EQ(merges[0].As<CRZUnitMergeEventData>().second, second.GetID());
}

TEST_F(RealmActions, TheHostSetsUpAWarOnlyAgainstARealmNotFoughtAlready)
{
    auto* foe = new CRZCountry;
    foe->index = 9;
    CRZCountry::_pCountry[9] = foe;
    CRZDiplomacyServer server;
    const auto declare = [&] {
        realm->DeclareWar(foe, true, false);
        const auto asked = capture.Take();
        EXPECT_EQ(asked.size(), 1u);
        const auto r = asked.at(0).As<CRZWarEventData>();
        CRZWarEvent request(_CRZEVT_REQ_SETUP_WAR_, DIPLOMACY_SERVER, r.war, r.first, r.second,
            r.firstFlag != 0, r.secondFlag != 0);
        server.Update(&request);
        return capture.Take();
    };
    const auto war = declare();
    ASSERT_EQ(war.size(), 1u);
    EXPECT_EQ(war[0].type, _CRZEVT_EXEC_SETUP_WAR_);
    EXPECT_EQ(war[0].receiver, CountryIdentity(5));
    realm->atWarWith[9] = 1;
    EXPECT_TRUE(declare().empty());
}

TEST_F(RealmActions, ADiplomaticMessageFirstSetsTheNextAllowedDate)
{
    realm->SendDiplomaticEvent(new CRZIntEvent(_CRZEVT_REFRESHMAP_, CountryIdentity(9), 1), 9);
    const auto sent = capture.Take();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].type, _CRZEVT_SET_SEND_DATE_);
    EXPECT_EQ(sent[0].receiver, CountryIdentity(5));
    EXPECT_EQ(sent[0].As<CRZSetAllowedToSendDateEventData>().country, 9);
    EXPECT_EQ(sent[1].type, _CRZEVT_REFRESHMAP_);
}

} // namespace

namespace {

int gFeedback = 0;

// A kingdom with two vassal duchies, one with a levy worth calling up; and a count who asks.
class RealmRequests : public ::testing::Test {
protected:
    void SetUp() override
    {
        CRZCountry::InitCountryArray();
        ClearCountryControl();
        gFeedback = 0;
        gRequestHooks.ShowMessage = [](int, CRZCountryID, const char* const*, int) { ++gFeedback; };
        liege = Realm(1300);
        CCharacter* king = land.Ruler(liege);
        strong = Realm(1100);
        land.Ruler(strong, king);
        weak = Realm(1101);
        land.Ruler(weak, king);
        Levy(land.Land(40, strong), 20);
        Levy(land.Land(41, weak), 5);
        sender = Realm(8);
        land.Ruler(sender);
    }
    void TearDown() override
    {
        gRequestHooks = CRequestHooks {};
        CRZCountry::DeleteAll();
    }
    static CRZCountry* Realm(int number)
    {
        auto* made = new CRZCountry;
        made->index = number;
        CRZCountry::_pCountry[number] = made;
        return made;
    }
    static void Levy(CProvince* province, int men)
    {
        province->controller = province->GetOwner()->index;
        province->currentLevy.Set(0, men);
        province->GetOwner()->ruler->RefreshOwnedProvinces();
    }
    // The requests that went to the host.
    size_t Requests()
    {
        size_t count = 0;
        for (const CCapturedEvent& event : capture.Take())
            count += event.receiver == DIPLOMACY_SERVER ? 1 : 0;
        return count;
    }

    CRealmLand land;
    CEventCapture capture;
    CRZCountry* liege = nullptr;
    CRZCountry* strong = nullptr;
    CRZCountry* weak = nullptr;
    CRZCountry* sender = nullptr;
};

TEST_F(RealmRequests, CallingUpWithVassalsAlsoAsksTheVassalsTheLiegeMayCallUp)
{
    EXPECT_TRUE(liege->CanMobilizeHost(strong));
    EXPECT_FALSE(liege->CanMobilizeHost(weak)) << "a levy of 5";
    EXPECT_FALSE(strong->CanMobilizeHost(liege)) << "no vassal of his";

    sender->MobilizeHost(liege, MOBILIZE_OWN_HOST);
    EXPECT_EQ(Requests(), 1u);
    sender->MobilizeHost(liege, MOBILIZE_WITH_VASSALS);
    EXPECT_EQ(Requests(), 2u) << "the liege and his strong vassal";

    strong->MobilizeHost(strong, MOBILIZE_OWN_HOST);
    const auto own = capture.Take();
    ASSERT_EQ(own.size(), 1u);
    EXPECT_EQ(own[0].type, _CRZEVT_MOBILIZE_HOST_);
    EXPECT_EQ(own[0].receiver, CountryIdentity(1100));
}

TEST_F(RealmRequests, VassalageIsOfferedDownwardAndPledgedUpwardForItsPrice)
{
    EXPECT_TRUE(liege->CanOfferVassalization(sender));
    EXPECT_FALSE(sender->CanOfferVassalization(liege)) << "a lower rank";
    EXPECT_FALSE(sender->CanPledgeAllegience(liege)) << "no prestige to pay with";
    sender->ruler->score = CSimpleScore(0.0f, 25.0f, 0.0f);
    EXPECT_TRUE(sender->CanPledgeAllegience(liege));
    EXPECT_FALSE(liege->CanPledgeAllegience(sender)) << "a higher rank";
    sender->formOfGovernment = GOV_KNIGHT_ORDER;
    EXPECT_FALSE(sender->CanPledgeAllegience(liege));
    EXPECT_FALSE(liege->CanOfferVassalization(sender));
}

TEST_F(RealmRequests, OnlyTheLocalPlayerIsToldARequestWentOut)
{
    sender->OfferAlliance(liege);
    EXPECT_EQ(Requests(), 1u);
    EXPECT_EQ(gFeedback, 0) << "a computer realm";
    gCountryControl[8] = CONTROL_LOCAL_PLAYER;
    sender->OfferAlliance(liege);
    EXPECT_EQ(Requests(), 1u);
    EXPECT_EQ(gFeedback, 1);
}

} // namespace
