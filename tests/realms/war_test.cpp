// Wars: battles and their value, the war score from battles and occupations, the stalemate, merging, the
// walk through lieges' wars, the computer's repeated offers, and the one way a war ends.
#include <gtest/gtest.h>

#include "datalang/parser.h"
#include "events/records_army.h"
#include "realms/peace.h"
#include "war_world.h"

#include "foundation/safeguards.h"

namespace {

// Counts the offers its realm sends.
class COfferingRealm : public CRZCountry {
public:
    void OfferPeace(const CPeaceProposal&) override { ++offers; }
    int offers = 0;
};

class WarTest : public ::testing::Test {
protected:
    CWarWorld world;
};

TEST(BattleResultTest, ValueIsTheLosersMenPer500AtLeastOneSignedForTheSideThatDeclared)
{
    const struct {
        bool aggressorIsAttacker, attackerWon;
        float attackerLost, defenderLost, value;
    } cases[] = {
        { true, true, 0, 200, 1.0f },
        { true, true, 0, 1500, 3.0f },
        { true, false, 100, 0, -1.0f },
        { true, false, 2000, 0, -4.0f },
        { false, false, 1000, 0, 2.0f },
        { false, true, 0, 1500, -3.0f },
    };
    for (const auto& c : cases) {
        CBattleResult result;
        result.aggressorIsAttacker = c.aggressorIsAttacker;
        result.attackerWon = c.attackerWon;
        result.attackerLosses.Add(MILITIA, c.attackerLost);
        result.defenderLosses.Add(PIKEMEN, c.defenderLost);
        EXPECT_FLOAT_EQ(result.GetValue(), c.value) << c.attackerLost << " " << c.defenderLost;
        CBattleResult travelled(result.ToRecord());
        EXPECT_FLOAT_EQ(travelled.GetValue(), c.value);
        travelled.FlipSides();
        EXPECT_FLOAT_EQ(travelled.GetValue(), -c.value);
    }
}

TEST_F(WarTest, ScoreIsZeroUntilBattlesAndOccupationsMoveIt)
{
    CRZCountry* a = world.Realm(10);
    CRZCountry* d = world.Realm(20);
    world.Land(10, a);
    CProvince* held = world.Land(20, d);
    world.Land(21, d);
    CWar* war = world.War(a, d);
    EXPECT_FLOAT_EQ(war->GetAttackerScore(), 0.0f);
    EXPECT_FALSE(war->HasFought(a->ruler));

    CWarWorld::AddBattle(war, true, 1500);
    EXPECT_FLOAT_EQ(war->GetAttackerScore(), 3.0f);
    EXPECT_TRUE(war->HasFought(a->ruler));

    held->SetController(a->index);
    EXPECT_FLOAT_EQ(war->GetAttackerScore(), 3.0f + held->GetWarValue());
    EXPECT_TRUE(war->SomeoneOccupiesSomething());
}

TEST_F(WarTest, ARealmThatHoldsNoneOfItsOwnSwingsTheScoreByATotalVictory)
{
    CRZCountry* a = world.Realm(10);
    CRZCountry* d = world.Realm(20);
    world.Land(10, a);
    CProvince* lost = world.Land(20, d, a);
    CWar* war = world.War(a, d);
    CWarWorld::Claim(a->ruler, 20);
    d->ruler->score = CSimpleScore(1000.0f, 0.0f, 0.0f);

    CPeaceProposal total = war->AI_GetTotalVictory(a->ruler);
    ASSERT_EQ(total.GetInitiatorClaimed().GetSize(), 1);
    EXPECT_FLOAT_EQ(total.GetTribute().GetGold(), 1000.0f);
    total.SetTribute(CSimpleScore());
    const float swing = total.GetSenderValue();
    EXPECT_GT(swing, 0.0f);
    EXPECT_FLOAT_EQ(war->GetAttackerScore(), lost->GetWarValue() + swing);
}

TEST_F(WarTest, StalemateComesOnDay361WithoutBattlesOrOccupations)
{
    CRZCountry* a = world.Realm(10);
    CRZCountry* d = world.Realm(20);
    world.Land(10, a);
    world.Land(20, d);
    CWar* war = world.War(a, d);
    CDate day = war->startDate;
    day.AddDays(360);
    gpTimer->SetDate(day);
    EXPECT_FALSE(war->AI_IsStalemate());
    day.AddDays(1);
    gpTimer->SetDate(day);
    EXPECT_TRUE(war->AI_IsStalemate());
    CWarWorld::AddBattle(war, true, 10);
    EXPECT_FALSE(war->AI_IsStalemate()) << "a battle today starts the count again";
}

TEST_F(WarTest, MergingAYoungerWarFoughtTheOtherWayFlipsItsBattlesAndEndsIt)
{
    CRZCountry* a = world.Realm(10);
    CRZCountry* d = world.Realm(20);
    CWar* older = world.War(a, d);
    CDate later = older->startDate;
    later.AddDays(5);
    gpTimer->SetDate(later);
    CWar* younger = world.War(d, a);
    younger->startDate = later;
    CWarWorld::AddBattle(younger, true, 1000); // d won: +2 for d, so -2 for a
    const CRZID youngerId = younger->GetID();

    CWar* survivor = younger->Merge(older);
    EXPECT_EQ(survivor, older);
    EXPECT_EQ(CWar::GetWar(youngerId), nullptr);
    EXPECT_EQ(world.wars.GetSize(), 1);
    EXPECT_EQ(older->GetAttacker(), a->ruler);
    EXPECT_FLOAT_EQ(older->GetAttackerScore(), -2.0f);
}

TEST_F(WarTest, ALiegeLoopReadFromABadFileEndsTheWalkThroughSupportingWars)
{
    CRZCountry* enemy = world.Realm(20);
    CRZCountry* first = world.Realm(1001);
    CRZCountry* second = world.Realm(1002);
    // Each ruler is the other's liege: no realm of play makes this, a saved game can.
    first->ruler->SetLiegeRuler(second->ruler);
    second->ruler->SetLiegeRuler(first->ruler);
    CWar* one = world.War(first, enemy);
    world.War(second, enemy);
    EXPECT_FLOAT_EQ(one->GetAttackerScore(), 0.0f);
    EXPECT_FALSE(one->HasFought(first->ruler));
}

TEST_F(WarTest, AnUnchangedMinorVictoryOfferIsNotRepeatedUntilABattleIsFought)
{
    auto* offering = new COfferingRealm;
    offering->index = 10;
    CRZCountry::_pCountry[10] = offering;
    world.land.Ruler(offering);
    CRZCountry* d = world.Realm(20);
    world.Land(10, offering);
    world.Land(20, d);
    CWar* war = world.War(offering, d);

    war->AI_OfferMinorVictory(offering->ruler);
    war->AI_OfferMinorVictory(offering->ruler);
    EXPECT_EQ(offering->offers, 1);
    CWarWorld::AddBattle(war, true, 10);
    war->AI_OfferMinorVictory(offering->ruler);
    EXPECT_EQ(offering->offers, 2);
    war->AI_OfferDraw(offering->ruler);
    war->AI_OfferDraw(offering->ruler);
    EXPECT_EQ(offering->offers, 4) << "a draw is offered every time";
}

TEST_F(WarTest, AWarWithItsBattlesSurvivesTheSavedGame)
{
    CRZCountry* a = world.Realm(10);
    CRZCountry* d = world.Realm(20);
    CWar* war = world.War(a, d);
    CWarWorld::AddBattle(war, true, 1500);
    CLScript* script = war->GetScript();
    ASSERT_NE(script, nullptr);
    EXPECT_EQ(static_cast<CLSList*>(script)->GetSize(), 6)
        << "id, type, start date, both leaders and one battle";
    delete script;
}

} // namespace
