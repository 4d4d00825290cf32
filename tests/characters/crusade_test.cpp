// The crusade: its start and end and what the local player is told, the weight of each province, the need
// measured once a day, the prestige and piety of its battles, the tooltips, the block of a saved game, and
// what the realm pays to it.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "armies/battle_result.h"
#include "characters/crusade.h"
#include "datalang/block_round_trip.h"
#include "events/event_scheduler.h"
#include "events/game_clock.h"
#include "events/generic_events.h"
#include "events/records_character.h"
#include "realms/realm_land.h"
#include "realms/text_keys.h"
#include "support/fatal_message.h"

#include "foundation/safeguards.h"

namespace {

std::vector<int> gTold;
std::map<int32_t, float> gGold;

class CrusadeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CRZCountry::InitCountryArray();
        ClearCountryControl();
        gpTimer = new CRZTimer(15);
        gpTimer->SetDate(CDate(0, 0, 1100));
        gEventScheduler.Erase();
        CCrusade::Init();
        gTold.clear();
        gGold.clear();
        gCharacterHooks.ShowMessage
            = [](int type, int32_t, const char* const*, int) { gTold.push_back(type); };
        gCharacterHooks.GetProvinceMonthlyGold = [](int32_t province) { return gGold[province]; };
        for (CRZCountryID id : { kRome, kCairo, kVilna }) {
            CRZCountry::ConstructCountry(id);
            land.Ruler(Realm(id));
        }
        Realm(kCairo)->ruler->religion = 2;
        Realm(kVilna)->ruler->religion = 4;
        gCountryControl[kRome] = CONTROL_LOCAL_PLAYER;
        // The Holy Land: 10 and 11 of one kingdom under Cairo; 12 pagan elsewhere; 13 catholic.
        for (int p : { 10, 11 })
            land.Land(p, Realm(kCairo))->titleRealms[1] = 1300;
        land.Land(12, Realm(kVilna))->titleRealms[1] = 1301;
        land.Land(13, Realm(kRome))->titleRealms[1] = 1302;
    }
    void TearDown() override
    {
        gEventScheduler.Erase();
        CCrusade::Shutdown();
        CRZCountry::DeleteAll();
        delete gpTimer;
        gpTimer = nullptr;
    }

    CRZCountry* Realm(CRZCountryID id) { return CRZCountry::GetCountry(id); }
    static int Start(int province)
    {
        CRZIntEvent start(_CRZEVT_START_CRUSADES_, CRUSADE, province);
        return CCrusade::GetInstance()->Update(&start);
    }

    static constexpr CRZCountryID kRome = 1040, kCairo = 1041, kVilna = 1042;
    CRealmLand land;
};

TEST_F(CrusadeTest, StartsAndEndsTellTheLocalPlayerWhoWon)
{
    CCrusade* crusade = CCrusade::GetInstance();
    EXPECT_TRUE(crusade->IsActive()) << "a new crusade stands as under way";
    Start(0);
    EXPECT_FALSE(crusade->IsActive());
    EXPECT_TRUE(gTold.empty()) << "no target before: it ends silently";

    Start(10);
    EXPECT_TRUE(crusade->IsActive());
    EXPECT_EQ(crusade->GetTargetProvince(), 10);
    Start(0);
    EXPECT_FALSE(crusade->IsActive());
    EXPECT_EQ(crusade->GetTargetProvince(), 0);
    EXPECT_EQ(gTold, (std::vector<int> { 100, 101 })) << "the target stays in muslim hands";

    gTold.clear();
    Start(13);
    Start(0);
    EXPECT_EQ(gTold, (std::vector<int> { 100, 102 })) << "a catholic holds it";

    // Numbers outside the province table are refused and change nothing.
    Start(11);
    for (int bad : { -1, 1004, 70000 }) {
        Start(bad);
        EXPECT_EQ(crusade->GetTargetProvince(), 11) << bad;
        EXPECT_TRUE(crusade->IsActive()) << bad;
    }
    CRZGenericEvent shortStart(_CRZEVT_START_CRUSADES_, CRUSADE);
    crusade->Update(&shortStart);
    EXPECT_EQ(crusade->GetTargetProvince(), 11);

    for (CRZEvtType end : { _CRZEVT_CRUSADES_LOST_, _CRZEVT_CRUSADES_WON_ }) {
        Start(11);
        CRZGenericEvent over(end, CRUSADE);
        crusade->Update(&over);
        EXPECT_FALSE(crusade->IsActive());
        EXPECT_EQ(crusade->ended, 1);
    }
}

TEST_F(CrusadeTest, TheNeedWeighsFaithsGoldAndAreaAndIsMeasuredOnceADay)
{
    CCrusade* crusade = CCrusade::GetInstance();
    Start(0);
    for (int p : { 10, 11, 12, 13 })
        EXPECT_FLOAT_EQ(crusade->GetAreaFactor(p), 0.05f) << p;
    gGold = { { 10, 100.0f }, { 11, 10.0f }, { 12, 50.0f }, { 13, 1000.0f } };
    // Without a target the need still grows with the heathens' wealth: muslim 5, pagan 3, catholic 0.
    EXPECT_FLOAT_EQ(crusade->GetCrusadeNeed(), 0.05f * (5.0f * 110.0f + 3.0f * 50.0f));

    Start(10);
    const struct {
        int province;
        float factor;
    } areas[] = { { 10, 10.0f }, { 11, 2.0f }, { 12, 0.25f }, { 13, 0.25f }, { 500, 0.25f } };
    for (const auto& a : areas)
        EXPECT_FLOAT_EQ(crusade->GetAreaFactor(a.province), a.factor) << a.province;
    EXPECT_FLOAT_EQ(crusade->GetCrusadeNeed(), 0.05f * (5.0f * 110.0f + 3.0f * 50.0f)) << "once a day";

    gpTimer->SetDate(CDate(1, 0, 1100));
    const float need = 10.0f * 500.0f + 2.0f * 50.0f + 0.25f * 150.0f;
    EXPECT_FLOAT_EQ(crusade->GetCrusadeNeed(), need);
    land.Land(11, Realm(kRome))->titleRealms[1] = 1300;
    EXPECT_FLOAT_EQ(crusade->GetCrusadeNeed(), need) << "an owner changed, but it is the same day";
}

TEST_F(CrusadeTest, BattleScoresGoToCatholicRulersAndACrusaderMultipliesThemForThoseAfterHim)
{
    CCrusade* crusade = CCrusade::GetInstance();
    Start(10);
    for (CRZCountryID id : { 1043, 1044, 1045 }) {
        CRZCountry::ConstructCountry(id);
        land.Ruler(Realm(id))->AddTrait(71);
    }
    CBattleResult battle;
    battle.province = 10;
    battle.attackerWon = true;
    battle.defenderLosses.Set(0, 1000);
    const float base = battle.GetCrusadeScoreForAttacker(10.0f);
    ASSERT_NE(base, 0.0f);
    CRZCountryList realms;
    for (CRZCountryID id : { kRome, kCairo, 1043, 1044, 1045 })
        realms.Append(id);
    crusade->AddScoreFromBattle(battle, true, realms);

    std::vector<std::pair<CRZEvtType, float>> posted;
    std::vector<CRZID> who;
    gEventScheduler.ForEach([&](CRZEvent* event) {
        const auto& r = static_cast<CRZCharacterFloatEvent*>(event)->Record();
        EXPECT_EQ(event->GetReceiver(), CHARACTER_SERVER);
        posted.emplace_back(event->GetType(), r.value);
        who.push_back(r.character);
    });
    const std::vector<std::pair<CRZEvtType, float>> expected = {
        { _CRZEVT_PIETY_, 2.0f * base },
        { _CRZEVT_PRESTIGE_, base }, // Rome; Cairo is no catholic
        { _CRZEVT_PIETY_, 10.0f * base },
        { _CRZEVT_PRESTIGE_, 5.0f * base },
        { _CRZEVT_PIETY_, 50.0f * base },
        { _CRZEVT_PRESTIGE_, 25.0f * base },
        { _CRZEVT_PIETY_, 250.0f * base },
        { _CRZEVT_PRESTIGE_, 125.0f * base },
    };
    ASSERT_EQ(posted.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(posted[i].first, expected[i].first) << i;
        EXPECT_FLOAT_EQ(posted[i].second, expected[i].second) << i;
    }
    EXPECT_EQ(who[0], Realm(kRome)->ruler->GetID());
    EXPECT_EQ(who[2], Realm(1043)->ruler->GetID());
}

TEST_F(CrusadeTest, TheRealmPaysByPowerAndNeedAndTheTooltipsSayIt)
{
    CCrusade* crusade = CCrusade::GetInstance();
    Start(10);
    gGold = { { 10, 400.0f } };
    CRZCountry* rome = Realm(kRome);
    rome->ruler->score = CSimpleScore(0.0f, 2000.0f, 0.0f); // power 20 from prestige
    const float power = rome->ruler->GetPower();
    const float need = crusade->GetCrusadeNeed();
    EXPECT_FLOAT_EQ(rome->GetCrusadesCost(), power / 200.0f * need / 10000.0f);
    EXPECT_FLOAT_EQ(Realm(kCairo)->GetCrusadesCost(), 0.0f) << "not catholic";
    rome->ruler->AddTrait(71);
    EXPECT_FLOAT_EQ(rome->GetCrusadesCost(), 5.0f * power / 200.0f * need / 10000.0f);
    rome->crusadeCounter = 1000;
    EXPECT_FLOAT_EQ(rome->GetCrusadesCost(), 0.0f) << "never below 0";
    rome->crusadeCounter = 0;

    PutTexts({ { "CRUSADES_TARGET", "against %s;" }, { "CRUSADES_INSTANT_ROLLOVER", "costs %d" },
        { "CRUSADES_DELAYED_ROLLOVER", "later" } });
    rome->ruler->score = CSimpleScore(0.0f, 200000.0f, 0.0f);
    const int cost = static_cast<int>(rome->GetCrusadesCost() + 0.5f);
    ASSERT_GT(cost, 0);
    EXPECT_EQ(crusade->GetInstantRollover(rome),
        "against " + std::string(land.provinces[0]->GetName()) + ";costs " + std::to_string(cost));
    Start(0);
    EXPECT_EQ(crusade->GetInstantRollover(rome), "costs " + std::to_string(cost)) << "no target to name";
    EXPECT_STREQ(crusade->GetDelayedRollover(rome), "later");
}

TEST_F(CrusadeTest, TheBlockAlwaysHoldsItsThreeFieldsAndRefusesAnythingElse)
{
    CCrusade* crusade = CCrusade::GetInstance();
    Start(11);
    const std::string written = WrittenBlock(*crusade);
    for (const char* part : { "active = yes", "ended = no", "target = 11" })
        EXPECT_NE(written.find(part), std::string::npos) << written;
    CCrusade read;
    read.active = 0;
    ReadBack(*crusade, read);
    EXPECT_EQ(read.active, 1);
    EXPECT_EQ(read.ended, 0);
    EXPECT_EQ(read.targetProvince, 11);

    EXPECT_EQ(ReadBlock(read, "active = maybe ended = yes }"), 0);
    EXPECT_EQ(read.active, 0) << "anything but yes clears the flag";
    EXPECT_EQ(read.ended, 1);
    const struct {
        const char* text;
        const char* message;
    } bad[] = {
        { "leader = 3 }", "unknown lhs in scenario file (crusade)" },
        { "target = 1004 }", "crusade: target outside the province table" },
        { "target = -2 }", "crusade: target outside the province table" },
    };
    for (const auto& b : bad)
        EXPECT_NE(
            support::FatalMessageOf([&] { ReadBlock(read, b.text); }).find(b.message), std::string::npos)
            << b.text;
}

} // namespace
