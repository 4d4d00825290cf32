// The rebels: a province held for over a year breaking away, what the rebels do to a province they take,
// and their armies joining up each month.
#include <gtest/gtest.h>

#include <vector>

#include "datalang/definition_file.h"
#include "events/event_hooks.h"
#include "events/game_clock.h"
#include "events/generic_events.h"
#include "events/records_army.h"
#include "events/records_realm.h"
#include "events/variable_events.h"
#include "realm_handlers.h"
#include "realms/country.h"
#include "realms/province_effect.h"
#include "realms/province_improvement.h"
#include "support/data_folder.h"
#include "support/scratch.h"

#include "foundation/safeguards.h"

namespace {

struct Delivered {
    CRZEvtType type;
    CRZID receiver;
    int32_t first;
    int32_t second;
    std::vector<int32_t> provinces;
};
std::vector<Delivered> gDelivered;

CRZReturnType Record(CRZEvent* event)
{
    Delivered d { event->GetType(), event->GetReceiver(), 0, 0, {} };
    if (auto* created = dynamic_cast<CRZCreateCountryEvent*>(event)) {
        d.first = created->Record().first;
        d.second = created->Record().second;
        for (uint32_t i = 0; i < created->GetCount(); ++i)
            d.provinces.push_back(created->GetProvince(i));
    }
    if (auto* merge = dynamic_cast<CRZUnitMergeEvent*>(event)) {
        d.first = static_cast<int32_t>(merge->Record().first.number);
        d.second = static_cast<int32_t>(merge->Record().second.number);
    }
    gDelivered.push_back(d);
    return 3;
}

// Stand-in armies: the realm only hands them to the hooks, which read these.
struct FakeArmy {
    int province;
    uint32_t id;
};

class RebelsTest : public RealmHandlerTest {
protected:
    void SetUp() override
    {
        RealmHandlerTest::SetUp();
        gCountryHooks.GetArmyState = [](const CRZUnit* army) {
            return CArmyState { reinterpret_cast<const FakeArmy*>(army)->province, false,
                CRZCountry::GetCountry(kRebelCountry) };
        };
        gCountryHooks.GetArmyID = [](const CRZUnit* army) {
            return DynamicID(CRZID(RZTYPE_DYNAMIC, reinterpret_cast<const FakeArmy*>(army)->id));
        };
        gDelivered.clear();
        SetEventDelivery(&Record);
        gpTimer = new CRZTimer(15);
        gpTimer->SetDate(CDate(10, 5, 1100));
        realm = Make(10);
        Ruler(realm);
        province = Land(5, realm);
        realm->ruler->RefreshOwnedProvinces();
        rebels = Make(kRebelCountry);
    }
    void TearDown() override
    {
        rebels->armies.RemoveAll();
        SetEventDelivery(nullptr);
        RealmHandlerTest::TearDown();
        delete gpTimer;
        gpTimer = nullptr;
    }
    void Add(FakeArmy& army) { rebels->armies.Append(reinterpret_cast<CRZUnit*>(&army)); }
    int TakeProvince()
    {
        province->controller = kRebelCountry;
        CRZProvChangeEvent event(_CRZEVT_PROVCHANGECONTROL_, rebels->GetID(), 5, NOID);
        return rebels->Update(&event);
    }

    CRZCountry* realm = nullptr;
    CRZCountry* rebels = nullptr;
    CProvince* province = nullptr;
};

TEST_F(RebelsTest, AProvinceBreaksAwayAfterAYearOrAtOnceAndTheRebelArmiesThereFollow)
{
    FakeArmy there { 5, 71 };
    FakeArmy elsewhere { 6, 72 };
    Add(there);
    Add(elsewhere);
    province->controller = kRebelCountry;
    province->lastControllerChange = CDate(9, 5, 1100);

    realm->CreateCountriesFromRevolts(false);
    EXPECT_TRUE(gDelivered.empty()) << "taken yesterday";

    realm->CreateCountriesFromRevolts(true);
    ASSERT_EQ(gDelivered.size(), 1u);
    EXPECT_EQ(gDelivered[0].type, _CRZEVT_CREATE_COUNTRY_);
    EXPECT_EQ(gDelivered[0].receiver, INVESTMENT_SERVER);
    EXPECT_EQ(gDelivered[0].first, 5);
    EXPECT_EQ(gDelivered[0].second, 10);
    EXPECT_EQ(gDelivered[0].provinces, std::vector<int32_t> { 5 });
    const std::vector<CRZEvent*> switched = Waiting(_CRZEVT_SWITCH_ALLEGIANCE_);
    ASSERT_EQ(switched.size(), 1u);
    EXPECT_EQ(switched[0]->GetReceiver(), CountryIdentity(5));
    EXPECT_EQ(static_cast<CRZUnitEvent*>(switched[0])->Record().unit.number, 71u);

    // Held for over a year it goes without the flag; a client never asks.
    gDelivered.clear();
    province->lastControllerChange = CDate(9, 5, 1099);
    realm->CreateCountriesFromRevolts(false);
    EXPECT_EQ(gDelivered.size(), 1u);
    gDelivered.clear();
    host = false;
    realm->CreateCountriesFromRevolts(true);
    EXPECT_TRUE(gDelivered.empty());

    // A county whose realm exists stays with the rebels.
    host = true;
    Make(5);
    realm->CreateCountriesFromRevolts(true);
    EXPECT_TRUE(gDelivered.empty());
}

TEST_F(RebelsTest, TheOwnersDayAsksForTheBreakawayOfAProvinceHeldOverAYear)
{
    province->controller = kRebelCountry;
    province->lastControllerChange = CDate(9, 5, 1099);
    CRZTimerEvent day(_CRZEVT_TIMER_DAY_, realm->GetID(), CDate(10, 5, 1100));
    realm->Update(&day);
    int asked = 0;
    for (const Delivered& d : gDelivered)
        asked += d.type == _CRZEVT_CREATE_COUNTRY_ && d.receiver == INVESTMENT_SERVER && d.first == 5 ? 1 : 0;
    EXPECT_EQ(asked, 1);
}

TEST_F(RebelsTest, TakingAProvinceCostsItsOwnerPrestigeEverywhereAndOneOfSeveralWorks)
{
    ASSERT_EQ(LoadFailure(CProvinceEffectType::InitFromFile, "looted = { effects = { } }\n"), "");
    support::ScratchFile pictures("");
    ASSERT_EQ(
        LoadFailure(
            [&](const char* path) { return CProvinceImprovementType::InitFromFiles(path, pictures.Path()); },
            "school = { }\n"),
        "");
    for (bool inHost : { false, true }) {
        host = inHost;
        for (int held : { 1, 2, 3 }) {
            province->improvements = CProvinceImprovementTuple();
            for (int i = 0; i < held; ++i)
                province->improvements.Add(4 + 9 * i);
            province->effects.Add(14);
            const float prestige = realm->ruler->GetScore().GetPrestige();

            EXPECT_EQ(TakeProvince(), 0);

            EXPECT_FLOAT_EQ(realm->ruler->GetScore().GetPrestige(), prestige - 25.0f);
            EXPECT_FALSE(province->HasEffect(14));
            const std::vector<CRZEvent*> looted = Waiting(_CRZEVT_ADD_PROVINCE_EFFECT_);
            const std::vector<CRZEvent*> destroyed = Waiting(_CRZEVT_DESTROY_PROVINCE_IMPROVEMENT_);
            EXPECT_EQ(looted.size(), inHost ? 1u : 0u);
            ASSERT_EQ(destroyed.size(), inHost && held > 1 ? 1u : 0u) << held;
            if (!destroyed.empty()) {
                const auto& record = static_cast<CRZIntIntEvent*>(destroyed[0])->Record();
                EXPECT_EQ(record.first, 5);
                EXPECT_TRUE(province->HasImprovement(record.second)) << record.second;
            }
            gEventScheduler.Erase();
        }
    }
    CProvinceImprovementType::Shutdown();
    CProvinceEffectType::Shutdown();
}

TEST_F(RebelsTest, RebelArmiesStandingTogetherJoinTheFirstOnTheHost)
{
    FakeArmy a { 7, 1 }, b { 7, 2 }, c { 8, 3 }, d { 7, 4 };
    for (FakeArmy* army : { &a, &b, &c, &d })
        Add(*army);
    host = false;
    rebels->MergeAllRebels();
    EXPECT_TRUE(gDelivered.empty());
    host = true;
    CRZTimerEvent month(_CRZEVT_TIMER_MONTH_, rebels->GetID(), CDate(1, 6, 1100));
    rebels->Update(&month);
    ASSERT_EQ(gDelivered.size(), 2u);
    EXPECT_EQ(gDelivered[0].type, _CRZEVT_REQUEST_MERGE_);
    EXPECT_EQ((std::vector<int32_t> {
                  gDelivered[0].first, gDelivered[0].second, gDelivered[1].first, gDelivered[1].second }),
        (std::vector<int32_t> { 1, 2, 1, 4 }));
}

} // namespace
