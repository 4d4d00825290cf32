// The realm's war, battle, control and settlement handlers as every machine runs them: a war set up with
// its costs, a vassal freed, losses counted, events whose numbers do not fit dropped, provinces changing
// hands and the host's opponents told of it, a Mongol conqueror's seizure and a settlement's provinces handed
// over at once.
#include <gtest/gtest.h>

#include <vector>

#include "characters/crusade.h"
#include "characters/relation.h"
#include "events/records_army.h"
#include "events/records_realm.h"
#include "events/variable_events.h"
#include "war_world.h"

#include "foundation/safeguards.h"

namespace {

// Remembers the provinces handed to it.
class CReceivingRealm : public CRZCountry {
public:
    int handleProvinceChangeOwner(CRZEvent* event) override
    {
        received.push_back(RecordAs<CRZProvChangeEventData>(event)->province);
        return 3;
    }
    std::vector<int32_t> received;
};

class CTestCrusade : public CCrusade {
public:
    int ParseFields(CRZParser&) override { return 0; }
    CLScript* GetScript() const override { return nullptr; }
};

class WarHandlersTest : public ::testing::Test {
protected:
    void SetUp() override { gIdentityLookups.GetCountry = &CRZCountry::FindStatic; }
    void TearDown() override
    {
        gIdentityLookups.GetCountry = nullptr;
        CCrusade::SetInstance(nullptr);
    }
    static void SetUpWar(CRZCountry* a, CRZCountry* d, const CRZID& id = CRZID(4712, 900))
    {
        CRZWarEvent event(_CRZEVT_EXEC_SETUP_WAR_, a->GetID(), id, a->index, d->index, false, false);
        EXPECT_EQ(a->Update(&event), 3);
    }
    CWarWorld world;
};

TEST_F(WarHandlersTest, WarOnATruceAndAnAllyCosts170RelationAndBreaksBoth)
{
    CRZCountry* a = world.Realm(10);
    CRZCountry* d = world.Realm(20);
    world.Land(10, a);
    world.Land(20, d);
    a->ruler->CreateRelation(d->ruler, RELATION_TRUCE);
    a->ruler->CreateRelation(d->ruler, RELATION_ALLIANCE);
    SetUpWar(a, d);
    EXPECT_FLOAT_EQ(a->GetRelation(20), -170.0f);
    EXPECT_FALSE(a->ruler->HasTruce(d->ruler));
    EXPECT_FALSE(a->ruler->HasAlliance(d->ruler));
    ASSERT_EQ(world.wars.GetSize(), 1);
    EXPECT_EQ(a->GetWar(20), *world.wars.GetHead());
    EXPECT_EQ(a->atWarWith[20], 1);
    EXPECT_EQ(d->atWarWith[10], 1);
    // The same war announced twice is one war.
    SetUpWar(a, d);
    EXPECT_EQ(world.wars.GetSize(), 1);
}

TEST_F(WarHandlersTest, ALiegeAttackingHisVassalFreesHimAndShakesTheOthersByHalfHisLoyalty)
{
    CRZCountry* duke = world.Realm(1001);
    CRZCountry* attacked = world.Realm(10, duke->ruler);
    CRZCountry* other = world.Realm(11, duke->ruler);
    attacked->ruler->SetLoyaltyToLiege(0.8f);
    other->ruler->SetLoyaltyToLiege(1.0f);
    duke->RefreshVassals();
    SetUpWar(duke, attacked);
    EXPECT_EQ(attacked->ruler->GetLiegeRuler(), nullptr);
    EXPECT_FLOAT_EQ(other->ruler->GetLoyaltyToLiege(), 0.6f);
}

TEST_F(WarHandlersTest, BattlesAndSiegesLostCountAgainstTheRealm)
{
    CRZCountry* realm = world.Realm(10);
    CProvince* fort = world.Land(10, realm);
    fort->landFortress = 2;
    const struct {
        CRZEvtType type;
        uint16_t flag;
        float change;
    } cases[] = {
        { _CRZEVT_PROVBATTLELOST_, 1, -3.0f },
        { _CRZEVT_PROVBATTLELOST_, 0, -0.5f },
        { _CRZEVT_PROVSIEGELOST_, 0, -3.0f },
    };
    for (const auto& c : cases) {
        const float before = realm->baseVP[2];
        CRZBattleLostEvent event(c.type, realm->GetID(), 10, c.flag);
        realm->Update(&event);
        EXPECT_FLOAT_EQ(realm->baseVP[2] - before, c.change) << c.type << " " << c.flag;
    }
}

// A siege won on the host completes the occupation: the province goes to the besieger.
TEST_F(WarHandlersTest, ASiegeWonTakesTheProvinceAndANumberOutOfRangeIsDropped)
{
    gCountryHooks.IsHost = [] { return true; };
    CRZCountry* besieger = world.Realm(10);
    CRZCountry* owner = world.Realm(20);
    CProvince* province = world.Land(30, owner);
    besieger->atWarWith[20] = owner->atWarWith[10] = 1;
    for (const int32_t number : { -1, 0, 5000 }) {
        CRZIntCountryEvent bad(_CRZEVT_WIN_SIEGE_, besieger->GetID(), number, 10);
        EXPECT_EQ(besieger->Update(&bad), 3);
    }
    EXPECT_EQ(province->GetControllerID(), 20);
    CRZIntCountryEvent won(_CRZEVT_WIN_SIEGE_, besieger->GetID(), 30, 10);
    EXPECT_EQ(besieger->Update(&won), 3);
    EXPECT_EQ(province->GetControllerID(), 10);
    EXPECT_FLOAT_EQ(province->occupation, 0.0f);
}

TEST_F(WarHandlersTest, ABattleWonWhoseListOverrunsItsRecordIsDropped)
{
    CRZCountry* winner = world.Realm(10);
    CRZCountry* loser = world.Realm(20);
    gCountryControl[20] = CONTROL_LOCAL_PLAYER;
    CRZCountryList beaten;
    beaten.Append(20);
    CRZBattleWonEvent won(_CRZEVT_PROVBATTLEWON_, winner->GetID(), DynamicID(), 10, beaten);
    winner->Update(&won);
    ASSERT_EQ(CWarWorld::messages.size(), 2u) << "the loser's and the winner's message";
    EXPECT_EQ(CWarWorld::messages[0].type, 9);
    won.Record().realms.count = 5000;
    winner->Update(&won);
    EXPECT_EQ(CWarWorld::messages.size(), 2u);
    (void)loser;
}

TEST_F(WarHandlersTest, RebelsGiveAThirdRealmsOccupationBackToTheOwner)
{
    CRZCountry* owner = world.Realm(10);
    CRZCountry* occupier = world.Realm(20);
    CRZCountry::ConstructCountry(kRebelCountry);
    CRZCountry* rebels = CRZCountry::GetCountry(kRebelCountry);
    CProvince* province = world.Land(10, owner, occupier);
    CRZProvChangeEvent taken(_CRZEVT_PROVCHANGECONTROL_, rebels->GetID(), 10, NOID);
    rebels->Update(&taken);
    EXPECT_EQ(province->GetControllerID(), 10);
    CRZProvChangeEvent again(_CRZEVT_PROVCHANGECONTROL_, occupier->GetID(), 10, NOID);
    occupier->Update(&again);
    EXPECT_EQ(province->GetControllerID(), 20);
    CRZProvChangeEvent bad(_CRZEVT_PROVCHANGECONTROL_, occupier->GetID(), 5000, NOID);
    EXPECT_EQ(occupier->Update(&bad), 3);
}

// The computer opponents live on the host: only there do they hear of a new controller, after it is set.
TEST_F(WarHandlersTest, TheHostTellsTheOpponentsOfANewControllerWithTheOneBefore)
{
    static std::vector<std::vector<int>> heard;
    static CProvince* watched = nullptr;
    CRZCountry* owner = world.Realm(10);
    CRZCountry* taker = world.Realm(20);
    watched = world.Land(10, owner);
    gCountryHooks.NotifyAI = [](int notification, int first, int second) {
        heard.push_back({ notification, first, second, watched->GetControllerID() });
    };
    for (const bool host : { false, true }) {
        SCOPED_TRACE(host);
        heard.clear();
        gCountryHooks.IsHost = host ? +[] { return true; } : +[] { return false; };
        watched->InitController(10);
        CRZProvChangeEvent taken(_CRZEVT_PROVCHANGECONTROL_, taker->GetID(), 10, NOID);
        taker->Update(&taken);
        EXPECT_EQ(watched->GetControllerID(), 20);
        if (host)
            EXPECT_EQ(heard, (std::vector<std::vector<int>> { { 18, 10, 10, 20 } }));
        else
            EXPECT_TRUE(heard.empty());
    }
}

TEST_F(WarHandlersTest, ACatholicCaptureFromAHeathenInACrusadeScoresByAreaAndTheCommanderATenth)
{
    CRZCountry* heathen = world.Realm(10);
    CRZCountry* crusader = world.Realm(20);
    heathen->ruler->religion = 4;
    crusader->ruler->religion = 0;
    CCharacter* commander = world.Courtier(crusader);
    commander->religion = 0;
    world.Land(10, heathen);
    CTestCrusade crusade;
    crusade.active = 1;
    crusade.targetProvince = 10;
    CCrusade::SetInstance(&crusade);
    CRZProvChangeEvent taken(_CRZEVT_PROVCHANGECONTROL_, crusader->GetID(), 10, commander->GetID());
    crusader->Update(&taken);
    EXPECT_FLOAT_EQ(crusader->ruler->GetScore().GetPrestige(), 100.0f) << "10 prestige times the target's 10";
    EXPECT_FLOAT_EQ(crusader->ruler->GetScore().GetPiety(), 200.0f);
    EXPECT_FLOAT_EQ(commander->GetScore().GetPrestige(), 10.0f);
}

TEST_F(WarHandlersTest, AMongolConquestSeizesTheCountyForTheConqueror)
{
    CRZCountry* victim = world.Realm(10);
    CRZCountry* horde = world.Realm(1347);
    world.Land(10, victim);
    world.Land(11, victim);
    CRZProvChangeEvent taken(_CRZEVT_PROVCHANGECONTROL_, horde->GetID(), 10, NOID);
    horde->Update(&taken);
    EXPECT_EQ(CTitle::GetTitle(10)->GetCurrentHolder(), horde->ruler);
    EXPECT_EQ(CTitle::GetTitle(11)->GetCurrentHolder(), victim->ruler);
}

TEST_F(WarHandlersTest, ASettlementHandsItsProvincesOverAtOnceAndLeavesOutNumbersOutOfRange)
{
    auto* winner = new CReceivingRealm;
    winner->index = 10;
    winner->CRZStaticObject::Create(StaticID(CRZID(RZTYPE_COUNTRY, 10)));
    CRZCountry::_pCountry[10] = winner;
    world.land.Ruler(winner);
    CRZCountry* loser = world.Realm(20);
    CRZDiplomaticEvent settle(_CRZEVT_DIPLOMATIC_EVENT_, winner->GetID(), static_cast<TQDiplomacyAction>(21),
        static_cast<TQDiplomacyType>(2), loser->index, winner->index, 0);
    settle.Record().tables[0][0] = 20;
    settle.Record().tables[0][1] = 99999;
    winner->Update(&settle);
    EXPECT_EQ(winner->received, (std::vector<int32_t> { 20 }));
}

} // namespace
