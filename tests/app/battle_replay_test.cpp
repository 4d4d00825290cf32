// Battles in the generated tiny game: hostile armies meeting in a province start one, it fights its daily
// phases on the host, ends when a side is gone with its results reaching realms and war, makes way for the
// next battle in the province, ends without a winner at peace, and a client fed the host's events ends in
// the host's state.
#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>
#include <vector>

#include "app/game.h"
#include "armies/army_servers.h"
#include "armies/battle_result.h"
#include "armies/combat.h"
#include "armies/unit.h"
#include "characters/culture.h"
#include "events/event_factory.h"
#include "events/event_posting.h"
#include "events/generic_events.h"
#include "events/records_realm.h"
#include "events/variable_events.h"
#include "realms/country.h"
#include "realms/peace.h"
#include "realms/province.h"
#include "realms/war.h"

#include "tiny_game.h"

#include "foundation/safeguards.h"

namespace {

testing::Environment* const kFolder = testing::AddGlobalTestEnvironment(new CTinyGameFolder);

// Realms with a ruler and land, in number order.
std::vector<CRZCountry*> LandedRealms()
{
    std::vector<CRZCountry*> realms;
    for (CRZCountry* realm : CRZCountry::_pCountry) {
        if (realm != nullptr && CRZCountry::IsRealCountry(realm->index) && realm->ruler != nullptr
            && !realm->GetOwnedProvinces().IsEmpty())
            realms.push_back(realm);
    }
    return realms;
}

int FirstOwned(const CRZCountry* realm)
{
    return *realm->GetOwnedProvinces().GetHead();
}

int SeaProvince()
{
    for (int number = 1; number <= kLastTableProvince; ++number) {
        const CProvince* province = CProvince::GetProvince(number);
        if (province != nullptr && !province->IsLand())
            return number;
    }
    return 0;
}

DynamicID DeclareWar(CRZCountry* attacker, CRZCountry* defender)
{
    const DynamicID war = CRZDynamicObject::GetUniqueDynamicID();
    PostGlobalEvent(new CRZWarEvent(
        _CRZEVT_EXEC_SETUP_WAR_, attacker->GetID(), war, attacker->index, defender->index, false, true));
    ProcessReady();
    return war;
}

// An army of the realm in the province, one division of archers and militia led by its ruler, raised on
// every machine.
CRZUnit* Raise(CRZCountry* realm, int province, float archers, float militia)
{
    const DynamicID army = CRZDynamicObject::GetUniqueDynamicID();
    realm->CreateArmy(army, province);
    CMilitaryComposition men;
    men.Add(ARCHERS, archers);
    men.Add(MILITIA, militia);
    const DynamicID division = CRZDynamicObject::GetUniqueDynamicID();
    realm->CreateDivision(division, FirstOwned(realm), realm->ruler, CULTURE_NONE, CAdvanceTupleRecord {},
        CompositionToRecord(men), false, false, false);
    realm->AddDivision(army, division);
    ProcessReady();
    return CRZUnit::GetUnit(army);
}

// The host is told the army arrived where it stands; answers the battle it is in afterwards.
CRZCombat* Arrive(CRZUnit* army)
{
    CRZCombatServer* server = CRZCombatServer::GetInstance();
    if (army == nullptr || server == nullptr)
        return nullptr;
    server->NewUnitArrived(army, army->GetProvince());
    return army->battle;
}

float Lost(const CRZCombat& battle)
{
    return battle.attackerLosses.GetTotal() + battle.defenderLosses.GetTotal();
}

// Days until the battle is gone, at most the limit; answers the days it took (the limit when it stands).
int FightOut(const DynamicID& battle, int limit)
{
    for (int day = 1; day <= limit; ++day) {
        Days(1);
        if (CRZCombat::GetCombat(battle) == nullptr)
            return day;
    }
    return limit;
}

struct Sent {
    CRZEvtType type;
    CRZID to;
    bool operator==(const Sent&) const = default;
};

// The battle results the host sent to the other machines, in order.
std::vector<Sent> ResultsSent(const CHostSession& host)
{
    std::vector<Sent> sent;
    for (const std::vector<uint8_t>& record : host.records) {
        CRZNetEvent net(record.data(), static_cast<uint32_t>(record.size()));
        CRZEvent* event = BuildEventFromNetwork(&net);
        if (event == nullptr)
            continue;
        if (event->GetType() == _CRZEVT_PROVBATTLEWON_ || event->GetType() == _CRZEVT_PROVBATTLELOST_)
            sent.push_back({ event->GetType(), event->GetReceiver() });
        delete event;
    }
    return sent;
}

TEST(Battles, HostileArmiesInALandProvinceStartOneWithTheNewcomerAttackingAndAnArmyHostileToBothStaysOut)
{
    CHostSession host;
    PlayTinyGame(&host, [] {
        const std::vector<CRZCountry*> realms = LandedRealms();
        ASSERT_GE(realms.size(), 3u);
        CRZCountry* a = realms[0];
        CRZCountry* d = realms[1];
        CRZCountry* c = realms[2];
        DeclareWar(a, d);
        DeclareWar(c, a);
        DeclareWar(c, d);
        ASSERT_TRUE(a->IsEnemy(d->index) && c->IsEnemy(a->index) && c->IsEnemy(d->index));

        const int sea = SeaProvince();
        ASSERT_NE(sea, 0);
        CRZUnit* afloat = Raise(d, sea, 500, 500);
        CRZUnit* sailing = Raise(a, sea, 500, 500);
        ASSERT_NE(sailing, nullptr);
        EXPECT_EQ(Arrive(sailing), nullptr) << "no battle at sea";
        EXPECT_FALSE(afloat->IsInBattle());

        const int field = FirstOwned(d);
        CRZUnit* holding = Raise(d, field, 500, 500);
        CRZUnit* coming = Raise(a, field, 500, 500);
        ASSERT_NE(holding, nullptr);
        ASSERT_NE(coming, nullptr);
        CRZCombat* battle = Arrive(coming);
        ASSERT_NE(battle, nullptr);
        EXPECT_TRUE(battle->Attackers().HasArmy(coming));
        EXPECT_TRUE(battle->Defenders().HasArmy(holding));
        EXPECT_EQ(holding->battle, battle);
        EXPECT_EQ(battle->Attackers().startingStrength, 1000);

        // Hostile to both sides, the third realm's army has no side to take and nobody free to fight.
        CRZUnit* third = Raise(c, field, 500, 500);
        EXPECT_EQ(Arrive(third), nullptr);
        EXPECT_FALSE(battle->Attackers().HasArmy(third) || battle->Defenders().HasArmy(third));
        EXPECT_EQ(CProvince::GetProvince(field)->battles.GetSize(), 1);
    });
}

TEST(Battles, TheFirstShotsFallOnTheFifthPhaseDayAndFlankGivesWayToSkirmish)
{
    CHostSession host;
    PlayTinyGame(&host, [] {
        const std::vector<CRZCountry*> realms = LandedRealms();
        ASSERT_GE(realms.size(), 2u);
        CRZCountry* a = realms[0];
        CRZCountry* d = realms[1];
        DeclareWar(a, d);
        const int field = FirstOwned(d);
        Raise(d, field, 4000, 4000);
        CRZCombat* battle = Arrive(Raise(a, field, 4000, 4000));
        ASSERT_NE(battle, nullptr);
        const DynamicID id = battle->GetID();

        for (int day = 1; day <= 4; ++day) {
            Days(1);
            ASSERT_EQ(CRZCombat::GetCombat(id), battle);
            EXPECT_EQ(battle->phase, CRZCombat::MANEUVER) << "day " << day;
            EXPECT_EQ(Lost(*battle), 0.0f) << "day " << day;
        }
        Days(1);
        ASSERT_EQ(CRZCombat::GetCombat(id), battle);
        EXPECT_EQ(battle->phase, CRZCombat::ADVANCE);
        EXPECT_GT(Lost(*battle), 0.0f) << "the archers open the advance";

        battle->phase = CRZCombat::FLANK;
        battle->phaseDays = 4;
        Days(1);
        ASSERT_EQ(CRZCombat::GetCombat(id), battle);
        EXPECT_EQ(battle->phase, CRZCombat::SKIRMISH);
        EXPECT_EQ(battle->phaseDays, 0);
    });
}

// A strong army falls on a weak one and destroys it.
struct Rout {
    CRZCountryID winner = 0, loser = 0;
    DynamicID war, first;
    int days = 0;
    size_t warBattles = 0;
    float scoreBefore = 0.0f, scoreAfter = 0.0f;
    float loserPoints = 0.0f, winnerPoints = 0.0f;
    bool loserArmyLeft = true;
};

void FightARout(Rout& rout)
{
    const std::vector<CRZCountry*> realms = LandedRealms();
    ASSERT_GE(realms.size(), 2u);
    CRZCountry* a = realms[0];
    CRZCountry* d = realms[1];
    rout.winner = a->index;
    rout.loser = d->index;
    rout.war = DeclareWar(a, d);
    const int field = FirstOwned(d);
    CRZUnit* weak = Raise(d, field, 0, 30);
    const DynamicID weakId = weak->GetID();
    CRZUnit* strong = Raise(a, field, 6000, 2000);
    CRZCombat* battle = Arrive(strong);
    ASSERT_NE(battle, nullptr);
    rout.first = battle->GetID();
    const float points = d->baseVP[2];
    const float winnerPoints = a->baseVP[2];
    if (const CWar* war = CWar::GetWar(rout.war))
        rout.scoreBefore = war->GetAttackerScore();
    rout.days = FightOut(rout.first, 60);
    rout.loserPoints = d->baseVP[2] - points;
    rout.winnerPoints = a->baseVP[2] - winnerPoints;
    if (const CWar* war = CWar::GetWar(rout.war)) {
        rout.warBattles = static_cast<size_t>(war->GetBattleResults().GetSize());
        rout.scoreAfter = war->GetAttackerScore();
    }
    rout.loserArmyLeft = CRZUnit::GetUnit(weakId) != nullptr;
}

TEST(Battles, ARoutedSideLosesOnEveryMachineItsWarCountsTheBattleAndTheClientEndsInTheHostsState)
{
    CHostSession host;
    Rout onHost;
    std::vector<float> hostPoints;
    const uint64_t hostHash = PlayTinyGame(&host, [&] {
        FightARout(onHost);
        Days(2);
        hostPoints = VictoryPoints();
    });
    ASSERT_NE(hostHash, 0u);
    ASSERT_LT(onHost.days, 60) << "the weak army's side is gone";
    EXPECT_GE(onHost.days, 5) << "nobody is hurt before the advance";
    EXPECT_FALSE(onHost.loserArmyLeft);
    EXPECT_FLOAT_EQ(onHost.loserPoints, -0.5f) << "a minor battle lost";
    EXPECT_FLOAT_EQ(onHost.winnerPoints, 0.0f);
    EXPECT_EQ(onHost.warBattles, 1u);
    EXPECT_GT(onHost.scoreAfter, onHost.scoreBefore) << "the attacker won";
    const std::vector<Sent> results = ResultsSent(host);
    EXPECT_EQ(results,
        (std::vector<Sent> { { _CRZEVT_PROVBATTLEWON_, CountryIdentity(onHost.winner) },
            { _CRZEVT_PROVBATTLELOST_, CountryIdentity(onHost.loser) } }));

    CClientSession client;
    std::vector<float> clientPoints;
    size_t clientBattles = 0;
    const uint64_t clientHash = PlayTinyGame(&client, [&] {
        ApplyHostRecords(host);
        clientPoints = VictoryPoints();
        if (const CWar* war = CWar::GetWar(onHost.war))
            clientBattles = static_cast<size_t>(war->GetBattleResults().GetSize());
    });
    EXPECT_EQ(clientPoints, hostPoints);
    EXPECT_EQ(clientBattles, onHost.warBattles);
    EXPECT_EQ(clientHash, hostHash);
}

TEST(Battles, WhenABattleEndsTheHostileArmiesLeftInTheProvinceFightTheNextAtOnce)
{
    CHostSession host;
    PlayTinyGame(&host, [] {
        const std::vector<CRZCountry*> realms = LandedRealms();
        ASSERT_GE(realms.size(), 3u);
        CRZCountry* a = realms[0];
        CRZCountry* d = realms[1];
        CRZCountry* c = realms[2];
        DeclareWar(a, d);
        DeclareWar(c, a);
        DeclareWar(c, d);
        const int field = FirstOwned(d);
        ASSERT_NE(Raise(d, field, 0, 30), nullptr);
        CRZUnit* strong = Raise(a, field, 6000, 2000);
        CRZCombat* first = Arrive(strong);
        ASSERT_NE(first, nullptr);
        const DynamicID firstId = first->GetID();
        // Hostile to both, it waits outside the first battle.
        CRZUnit* third = Raise(c, field, 3000, 3000);
        ASSERT_EQ(Arrive(third), nullptr);
        ASSERT_LT(FightOut(firstId, 60), 60);
        ASSERT_TRUE(strong->IsInBattle()) << "the winner meets the waiting army the day the battle ends";
        EXPECT_NE(strong->battle->GetID(), firstId);
        EXPECT_EQ(strong->battle, third->battle);
        EXPECT_TRUE(strong->battle->Attackers().HasArmy(strong)) << "first in the province's list";
    });
}

TEST(Battles, PeaceBetweenTheTwoRealmsEndsTheirBattleWithoutAWinner)
{
    CHostSession host;
    PlayTinyGame(&host, [] {
        const std::vector<CRZCountry*> realms = LandedRealms();
        ASSERT_GE(realms.size(), 2u);
        CRZCountry* a = realms[0];
        CRZCountry* d = realms[1];
        const DynamicID war = DeclareWar(a, d);
        const int field = FirstOwned(d);
        CRZUnit* holding = Raise(d, field, 4000, 4000);
        CRZUnit* coming = Raise(a, field, 4000, 4000);
        CRZCombat* battle = Arrive(coming);
        ASSERT_NE(battle, nullptr);
        const DynamicID id = battle->GetID();
        Days(6);
        ASSERT_EQ(CRZCombat::GetCombat(id), battle);
        const std::vector<float> before = VictoryPoints();

        CPeaceProposal(war, a->ruler, d->ruler).Execute();
        ProcessReady();
        ASSERT_FALSE(a->IsEnemy(d->index));
        EXPECT_EQ(CRZCombat::GetCombat(id), nullptr);
        EXPECT_FALSE(holding->IsInBattle());
        EXPECT_FALSE(coming->IsInBattle());
        EXPECT_EQ(VictoryPoints(), before) << "nobody lost";
    });
    EXPECT_TRUE(ResultsSent(host).empty()) << "a battle without a winner sends no result";
}

} // namespace
