// A battle's result text and its sides, an annexed realm's armies withdrawn from their battle, and the
// occupations that the settling after war and peace keeps or clears by the armies standing there.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "armies/army_allegiance.h"
#include "armies/combat.h"
#include "armies/division.h"
#include "armies/realm_divisions.h"
#include "armies/unit.h"
#include "realms/text_keys.h"
#include "realms/war_world.h"

#include "foundation/safeguards.h"

namespace {

std::vector<int32_t> Ids(const CRZCountryList& realms)
{
    std::vector<int32_t> ids;
    for (auto it = realms.GetHead(); !it.IsEnd(); it++)
        ids.push_back(*it);
    return ids;
}

class CombatTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InstallRealmDivisionHooks();
        InstallArmyAllegianceHooks();
    }
    // Battles go first; the realms destroy their armies with themselves.
    void TearDown() override { battles.clear(); }
    CRZUnit* Army(CRZCountry* realm, int province)
    {
        auto* army = new CRZUnit;
        army->Create(CRZDynamicObject::GetUniqueDynamicID());
        army->owner = realm;
        realm->armies.Append(army);
        army->SetInProvince(province);
        return army;
    }
    CRZCombat* Battle(int province)
    {
        battles.push_back(
            std::make_unique<CRZCombat>(province, CRZDynamicObject::GetUniqueDynamicID(), GetGameToday()));
        return battles.back().get();
    }

    CWarWorld world;
    std::vector<std::unique_ptr<CRZCombat>> battles;
};

TEST_F(CombatTest, TheResultTellsEachSidesLeaderAndLossesAttackerFirst)
{
    PutTexts({ { "COMBAT_LOST", "%s lost %d (%s)" }, { "COMBAT_NO_LOSS", "%s lost none" } });
    CRZCountry* a = world.Realm(10);
    CRZCountry* d = world.Realm(20);
    CRZCombat* battle = Battle(30);
    battle->Attackers().leader = CRef<CCharacter>(a->ruler);
    battle->attackerLosses.Add(MILITIA, 300.0f);
    battle->attackerLosses.Add(ARCHERS, 20.0f);
    const std::string expected = std::string(a->ruler->GetFullName()) + " lost 320 ("
        + CMilitaryComposition::GetName(ARCHERS) + ": 20, " + CMilitaryComposition::GetName(MILITIA)
        + ": 300)\n" + " lost none";
    EXPECT_EQ(std::string(battle->GetResultDesc()), expected) << "a side without leader names nobody";
    (void)d;
}

// Sizes count men: the winner must have lost less than half of what the loser lost, and the loser at
// least two thirds of its start, on sides of 10000 men or more.
TEST_F(CombatTest, ABattleIsMajorOnlyWhenBothSidesWereLargeAndTheLoserWasCutDown)
{
    CRZCountry* w = world.Realm(10);
    CRZCountry* l = world.Realm(20);
    const struct {
        int winnerStart, winnerEnd, loserStart, loserEnd;
        bool major;
    } cases[] = {
        { 10000, 9000, 10000, 3000, true },
        { 10000, 9000, 10000, 4000, false },
        { 10000, 6500, 10000, 3000, false },
        { 9999, 9999, 10000, 0, false },
        { 10000, 10000, 9999, 0, false },
        { 20000, 20000, 10000, 3340, true },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
            << c.winnerStart << "->" << c.winnerEnd << " beat " << c.loserStart << "->" << c.loserEnd);
        CDivision* divisions[2] = {};
        CRZCombat* battle = Battle(30);
        for (const bool attacker : { true, false }) {
            CRZUnit* army = Army(attacker ? w : l, 30);
            divisions[attacker ? 0 : 1] = new CDivision(CRZDynamicObject::GetUniqueDynamicID());
            army->divisions.Append(divisions[attacker ? 0 : 1]);
            divisions[attacker ? 0 : 1]->men = attacker ? c.winnerStart : c.loserStart;
            battle->AddUnit(army, attacker);
        }
        divisions[0]->men = c.winnerEnd;
        divisions[1]->men = c.loserEnd;
        battle->CalcMajorBattle(battle->Attackers(), battle->Defenders());
        EXPECT_EQ(battle->major, c.major);
    }
}

TEST_F(CombatTest, AnAnnexedRealmsArmyLeavesItsBattleAndProvinceAndTheSidesAreRebuilt)
{
    CRZCountry* annexer = world.Realm(10);
    CRZCountry* victim = world.Realm(20);
    CRZCountry* ally = world.Realm(30);
    world.Land(10, annexer);
    world.Land(40, annexer);
    CRZUnit* attacker = Army(annexer, 40);
    CRZUnit* leaving = Army(victim, 40);
    CRZUnit* staying = Army(ally, 40);
    CRZCombat* battle = Battle(40);
    battle->AddUnit(attacker, true);
    battle->AddUnit(leaving, false);
    battle->AddUnit(staying, false);
    ASSERT_EQ(Ids(battle->Defenders().participants), (std::vector<int32_t> { 20, 30 }));

    // The victim goes with its armies: the battle and the province must hold none of them.
    annexer->Annex(20, false);
    ASSERT_EQ(CRZCountry::GetCountry(20), nullptr);
    EXPECT_FALSE(battle->Defenders().HasArmy(leaving));
    EXPECT_FALSE(CProvince::GetProvince(40)->units.Contains(leaving));
    EXPECT_EQ(Ids(battle->Defenders().participants), (std::vector<int32_t> { 30 }));
    EXPECT_TRUE(staying->IsInBattle());
}

// An occupation under way is kept while an enemy army stands in the province without orders to march
// and may be fought; otherwise it is cleared.
TEST_F(CombatTest, SettlingKeepsAnOccupationOnlyWhileAnEnemyArmyStandsToPressIt)
{
    CRZCountry* occupier = world.Realm(10);
    CRZCountry* owner = world.Realm(20);
    CRZCountry* bystander = world.Realm(30);
    world.Land(10, occupier);
    CProvince* province = world.Land(40, owner, occupier);
    owner->atWarWith[10] = occupier->atWarWith[20] = 1;
    const struct {
        const char* what;
        CRZCountry* realm;
        bool marching;
        uint32_t exclusion;
        bool kept;
    } cases[] = {
        { "the owner's army stands there", owner, false, 0, true },
        { "the owner's army marches on", owner, true, 0, false },
        { "the owner's army may not be fought", owner, false, 1, false },
        { "a realm at peace stands there", bystander, false, 0, false },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CRZUnit* army = Army(c.realm, 40);
        if (c.marching)
            army->movementOrders = { 10 };
        army->exclusion = c.exclusion;
        province->occupation = 0.5f;
        occupier->AfterWarPeace(true);
        EXPECT_FLOAT_EQ(province->occupation, c.kept ? 0.5f : 0.0f);
        army->SetInProvince(0);
    }
}

} // namespace
