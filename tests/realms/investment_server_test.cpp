// The investment server: on the host it checks each request's numbers and the realm or province it names
// and reissues it to the realm concerned; bad or failing requests and every request on a client give
// nothing.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>

#include "event_capture.h"
#include "events/generic_events.h"
#include "events/records_army.h"
#include "events/records_character.h"
#include "events/records_realm.h"
#include "events/variable_events.h"
#include "realm_land.h"
#include "realms/realm_servers.h"

#include "foundation/safeguards.h"

namespace {

class CClientSession : public CEventSession {
public:
    bool IsHost() const override { return false; }
    bool IsOpen() const override { return true; }
    void SendEvent(CRZNetEvent*) override { }
};

class InvestmentServer : public ::testing::Test {
protected:
    void SetUp() override
    {
        CRZCountry::InitCountryArray();
        ClearCountryControl();
        owner = Realm(5);
        occupier = Realm(6);
        land.Ruler(owner);
        land.Ruler(occupier);
        province = land.Land(12, owner);
        province->controller = owner->index;
    }
    void TearDown() override
    {
        SetEventSession(nullptr);
        CRZCountry::DeleteAll();
    }
    static CRZCountry* Realm(int number)
    {
        auto* realm = new CRZCountry;
        realm->index = number;
        CRZCountry::_pCountry[number] = realm;
        return realm;
    }
    // What the server issued for the request.
    std::vector<CCapturedEvent> Issue(CRZEvent&& request)
    {
        server.Update(&request);
        return capture.Take();
    }

    CRealmLand land;
    CEventCapture capture;
    CRZInvestmentServer server;
    CRZCountry* owner = nullptr;
    CRZCountry* occupier = nullptr;
    CProvince* province = nullptr;
};

TEST_F(InvestmentServer, NumbersOutsideTheirTablesAreDroppedAndGoodOnesReachTheOwner)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        const char* what;
        std::function<CRZEvent*()> make;
        bool issued;
    };
    const CRZID to = INVESTMENT_SERVER;
    const Case cases[] = {
        { "improvement", [&] { return new CRZIntIntEvent(_CRZEVT_CREATE_PROVINCE_IMPROVEMENT_, to, 12, 43); },
            true },
        { "improvement 44",
            [&] { return new CRZIntIntEvent(_CRZEVT_CREATE_PROVINCE_IMPROVEMENT_, to, 12, 44); }, false },
        { "improvement -1",
            [&] { return new CRZIntIntEvent(_CRZEVT_DESTROY_PROVINCE_IMPROVEMENT_, to, 12, -1); }, false },
        { "province 1008", [&] { return new CRZIntIntEvent(_CRZEVT_ADD_ADVANCE_, to, 1008, 3); }, false },
        { "province -5", [&] { return new CRZIntIntEvent(_CRZEVT_ADD_ADVANCE_, to, -5, 3); }, false },
        { "province with no owner", [&] { return new CRZIntIntEvent(_CRZEVT_ADD_ADVANCE_, to, 13, 3); },
            false },
        { "advance", [&] { return new CRZIntIntEvent(_CRZEVT_REMOVE_ADVANCE_, to, 12, 149); }, true },
        { "advance 150", [&] { return new CRZIntIntEvent(_CRZEVT_REMOVE_ADVANCE_, to, 12, 150); }, false },
        { "effect", [&] { return new CRZIntIntEvent(_CRZEVT_REMOVE_PROVINCE_EFFECT_, to, 12, 14); }, true },
        { "effect 15", [&] { return new CRZIntIntEvent(_CRZEVT_ADD_PROVINCE_EFFECT_, to, 12, 15); }, false },
        { "religion 5",
            [&] {
                return new CRZProvinceReligionEvent(_CRZEVT_SET_PROV_RELIGION_, to, 12, RZReligionType(5));
            },
            true },
        { "religion 6",
            [&] {
                return new CRZProvinceReligionEvent(_CRZEVT_SET_PROV_RELIGION_, to, 12, RZReligionType(6));
            },
            false },
        { "culture 49",
            [&] { return new CRZProvinceCultureEvent(_CRZEVT_SET_PROV_CULTURE_, to, 12, RZCultureType(49)); },
            true },
        { "culture 50",
            [&] { return new CRZProvinceCultureEvent(_CRZEVT_SET_PROV_CULTURE_, to, 12, RZCultureType(50)); },
            false },
        { "law 15", [&] { return new CRZIntCountryEvent(_CRZEVT_INSTITUTE_LAW_, to, 15, 5); }, false },
        { "law of a missing realm", [&] { return new CRZIntCountryEvent(_CRZEVT_INSTITUTE_LAW_, to, 3, 7); },
            false },
        { "privileges",
            [&] { return new CRZIntFloatEvent(_CRZEVT_CHANGE_PEASANT_NOBLES_PRIVILEGES_, to, 12, 0.1f); },
            true },
        { "privileges NaN",
            [&] { return new CRZIntFloatEvent(_CRZEVT_CHANGE_BURGHER_CLERGY_PRIVILEGES_, to, 12, nan); },
            false },
        { "budget",
            [&] {
                return new CRZBudgetPercentageEvent(
                    _CRZEVT_CHANGE_BUDGET_, to, 5, 0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f);
            },
            true },
        { "budget realm 1423",
            [&] { return new CRZBudgetPercentageEvent(_CRZEVT_CHANGE_BUDGET_, to, 1423, 0, 0, 0, 0, 0, 0); },
            false },
        { "budget NaN",
            [&] { return new CRZBudgetPercentageEvent(_CRZEVT_CHANGE_BUDGET_, to, 5, 0, nan, 0, 0, 0, 0); },
            false },
        { "win siege realm -1", [&] { return new CRZIntCountryEvent(_CRZEVT_WIN_SIEGE_, to, 12, -1); },
            false },
        { "unknown type", [&] { return new CRZIntIntEvent(_CRZEVT_MOBILIZE_PROVINCE_, to, 12, 1); }, false },
    };
    for (const Case& c : cases) {
        CRZEvent* request = c.make();
        EXPECT_EQ(server.Update(request), 0) << c.what;
        const std::vector<CCapturedEvent> issued = capture.Take();
        delete request;
        ASSERT_EQ(issued.size(), c.issued ? 1u : 0u) << c.what;
        if (c.issued) {
            EXPECT_EQ(issued[0].receiver, CountryIdentity(owner->index)) << c.what;
        }
    }
}

TEST_F(InvestmentServer, AClientsServerIgnoresWhatItIsSent)
{
    CClientSession client;
    SetEventSession(&client);
    EXPECT_TRUE(
        Issue(CRZIntIntEvent(_CRZEVT_CREATE_PROVINCE_IMPROVEMENT_, INVESTMENT_SERVER, 12, 3)).empty());
    EXPECT_TRUE(
        Issue(CRZBudgetPercentageEvent(_CRZEVT_CHANGE_BUDGET_, INVESTMENT_SERVER, 5, 0, 0, 0, 0, 0, 0))
            .empty());
}

TEST_F(InvestmentServer, AProvinceEffectGoesToTheOccupierAndAnUnbuildableImprovementToNobody)
{
    province->controller = occupier->index;
    const auto effect = Issue(CRZIntIntEvent(_CRZEVT_ADD_PROVINCE_EFFECT_, INVESTMENT_SERVER, 12, 4));
    ASSERT_EQ(effect.size(), 1u);
    EXPECT_EQ(effect[0].type, _CRZEVT_ADD_PROVINCE_EFFECT_);
    EXPECT_EQ(effect[0].receiver, CountryIdentity(occupier->index));
    EXPECT_EQ(effect[0].As<CRZIntIntEventData>().second, 4);

    // The owner does not control it, so he may neither build nor cancel there.
    EXPECT_TRUE(Issue(CRZIntIntEvent(_CRZEVT_START_BUILDING_PROVINCE_IMPROVEMENT_, INVESTMENT_SERVER, 12, 3))
                    .empty());
    EXPECT_TRUE(
        Issue(CRZIntEvent(_CRZEVT_CANCEL_BUILDING_PROVINCE_IMPROVEMENT_, INVESTMENT_SERVER, 12)).empty());
    province->controller = owner->index;
    const auto cancel
        = Issue(CRZIntEvent(_CRZEVT_CANCEL_BUILDING_PROVINCE_IMPROVEMENT_, INVESTMENT_SERVER, 12));
    ASSERT_EQ(cancel.size(), 1u);
    EXPECT_EQ(cancel[0].receiver, CountryIdentity(owner->index));
}

TEST_F(InvestmentServer, ANewRealmGetsItsRulerMadeOnTheHostThenTheRealmEverywhere)
{
    CList<int32_t> none;
    EXPECT_TRUE(
        Issue(CRZCreateCountryEvent(_CRZEVT_CREATE_COUNTRY_, INVESTMENT_SERVER, 1100, 5, NOID, none, true))
            .empty());

    CList<int32_t> lands;
    lands.Append(12);
    lands.Append(1008);
    EXPECT_TRUE(
        Issue(CRZCreateCountryEvent(_CRZEVT_CREATE_COUNTRY_, INVESTMENT_SERVER, 1100, 5, NOID, lands, true))
            .empty())
        << "a province outside the map";
    lands.Remove(1008);
    EXPECT_TRUE(
        Issue(CRZCreateCountryEvent(_CRZEVT_CREATE_COUNTRY_, INVESTMENT_SERVER, 1100, 77, NOID, lands, true))
            .empty())
        << "a requester that does not exist";

    // A count that claims more provinces than the record holds.
    CRZCreateCountryEvent lying(_CRZEVT_CREATE_COUNTRY_, INVESTMENT_SERVER, 1100, 5, NOID, lands, true);
    lying.Record().provinces.count = 400;
    EXPECT_TRUE(Issue(std::move(lying)).empty());

    province->religion = 2;
    province->culture = 17;
    const auto made = Issue(
        CRZCreateCountryEvent(_CRZEVT_CREATE_COUNTRY_, INVESTMENT_SERVER, 1100, 5, NOID, lands, true));
    ASSERT_EQ(made.size(), 2u);
    EXPECT_EQ(made[0].type, _CRZEVT_CHARACTER_CREATION_);
    EXPECT_EQ(made[0].receiver, CHARACTER_SERVER);
    const auto ruler = made[0].As<CRZCharacterCreationEventData>();
    EXPECT_EQ(ruler.first, CountryIdentity(owner->index)) << "the ruler is made in the requesting realm";
    EXPECT_EQ(ruler.second, NOID);
    EXPECT_EQ(ruler.province, 12);
    EXPECT_EQ(static_cast<int>(ruler.religion), 2);
    EXPECT_EQ(static_cast<int>(ruler.culture), 17);
    EXPECT_EQ(made[1].type, _CRZEVT_CREATE_COUNTRY_);
    EXPECT_EQ(made[1].receiver, CountryIdentity(owner->index));
    const auto realm = made[1].As<CRZCreateCountryEventData>();
    EXPECT_EQ(realm.first, 1100);
    EXPECT_NE(ruler.third, NOID);
    EXPECT_EQ(realm.id, ruler.third) << "the realm is made with the ruler just created";
    EXPECT_EQ(realm.provinces.count, 1u);
}

} // namespace
