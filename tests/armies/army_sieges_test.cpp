// Sieges as real armies press them: the day's gain behind each wall, who leads the siege, and who takes the
// province when the walls fall.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "armies/army_sieges.h"
#include "armies/division.h"
#include "armies/unit.h"
#include "events/game_clock.h"
#include "events/records_realm.h"
#include "realms/country.h"
#include "realms/event_capture.h"
#include "realms/province.h"
#include "realms/realm_days.h"

#include "foundation/safeguards.h"

namespace {

class Siege : public CRealmDays {
protected:
    void SetUp() override
    {
        CRealmDays::SetUp();
        InstallArmySiegeHooks();
        owner = Realm(5);
        enemy = Realm(6);
        ally = Realm(7);
        AtWar(owner, enemy);
        AtWar(ally, enemy);
        province = land->Land(10, owner);
        province->InitController(owner->index);
        soldier.Create(kAnonymousSoldierID);
    }
    void TearDown() override
    {
        for (auto& army : armies) {
            for (auto it = army->divisions.GetHead(); !it.IsEnd(); it++)
                delete *it;
            army->divisions.RemoveAll();
        }
        armies.clear();
        for (auto& c : land->rulers)
            c->ClearMilitaryCommand();
        CRealmDays::TearDown();
    }
    static void AtWar(CRZCountry* a, CRZCountry* b) { a->atWarWith[b->index] = b->atWarWith[a->index] = 1; }
    static void Allies(CRZCountry* a, CRZCountry* b)
    {
        a->allianceFlags[b->index] = b->allianceFlags[a->index] = 1;
    }
    // An army of the realm standing in the province, of one division of that many men under the leader.
    CRZUnit* Army(CRZCountry* realm, int men, CCharacter* leader)
    {
        armies.push_back(std::make_unique<CRZUnit>());
        CRZUnit* army = armies.back().get();
        army->owner = realm;
        auto* division = new CDivision(NOID);
        division->men = men;
        division->army = army;
        division->SetLeader(leader);
        if (leader != &soldier)
            leader->militaryCommand = division;
        army->divisions.Append(division);
        army->SetInProvince(province->number);
        return army;
    }
    CCharacter* Knight(uint32_t id, int diplomacy)
    {
        land->rulers.push_back(std::make_unique<CCharacter>());
        CCharacter* knight = land->rulers.back().get();
        knight->Create(CRZID(RZTYPE_CHARACTER, id));
        knight->SetBaseAttributes(CAttributeTuple(0, diplomacy, 0, 0, 0, 0));
        knight->SetCountry(enemy);
        return knight;
    }

    std::vector<std::unique_ptr<CRZUnit>> armies;
    CCharacter soldier;
    CRZCountry* owner = nullptr;
    CRZCountry* enemy = nullptr;
    CRZCountry* ally = nullptr;
    CProvince* province = nullptr;
};

TEST_F(Siege, TheDaysGainFollowsTheStrengthAndTheStrongestWall)
{
    // Without a siege train a division brings men / 250 x 0.5 siege strength.
    struct Case {
        int fortress; // 0: none
        int men;
        float start;
        float expected;
    };
    const Case cases[] = {
        { 0, 10000, 0.0f, 0.05f }, // strength 20: 20 / 4 percent
        { 0, 30000, 0.0f, 0.10f }, // strength 60 is held to 10 percent
        { 43, 2500, 0.5f, 0.5f }, // strength 5 behind the strongest wall gains nothing
        { 43, 2000, 0.5f, 0.5f - (1.0f / 25.0f / 64.0f) / 100.0f }, // strength 4 loses
        { 40, 2000, 0.0f, (4.0f - 0.8f) / 8.0f / 100.0f },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "fortress " << c.fortress << ", men " << c.men);
        for (int type = 39; type <= 43; ++type)
            province->improvements.Remove(type);
        if (c.fortress != 0)
            province->improvements.Add(c.fortress);
        Army(enemy, c.men, &soldier);
        province->occupation = c.start;
        province->UpdateOccupation();
        EXPECT_NEAR(province->occupation, c.expected, 1e-6f);
        EXPECT_EQ(province->sieger, kAnonymousSoldierID);
        armies.back()->SetInProvince(0);
    }

    // Friends and marching armies do not besiege; a battle halts the siege; nobody left ends it.
    province->improvements.Remove(40);
    CRZUnit* marching = Army(enemy, 10000, &soldier);
    marching->moving = true;
    Army(ally, 10000, &soldier);
    province->occupation = 0.3f;
    province->UpdateOccupation();
    EXPECT_EQ(province->occupation, 0.0f) << "no besieger left";
    province->occupation = 0.3f;
    const DynamicID battle(CRZID(RZTYPE_DYNAMIC, 77));
    province->CombatStarted(battle);
    marching->moving = false;
    province->UpdateOccupation();
    EXPECT_EQ(province->occupation, 0.3f);
    province->CombatEnded(battle);
    province->UpdateOccupation();
    EXPECT_NEAR(province->occupation, 0.35f, 1e-6f);
    for (auto& army : armies)
        army->SetInProvince(0);
    province->UpdateOccupation();
    EXPECT_EQ(province->occupation, 0.0f);
    EXPECT_EQ(province->sieger, NOID);
}

TEST_F(Siege, AClaimantOnTheCountyTakesTheLeadFromAnyOtherSieger)
{
    CCharacter* veteran = Knight(40, 20);
    CCharacter* diplomat = Knight(41, 30);
    CCharacter* claimant = Knight(42, 0);
    Army(enemy, 1000, veteran);
    Army(enemy, 1000, diplomat);
    province->UpdateOccupation();
    EXPECT_EQ(province->sieger, diplomat->GetID()) << "the best score leads a new siege";

    province->sieger = veteran->GetID();
    province->UpdateOccupation();
    EXPECT_EQ(province->sieger, veteran->GetID())
        << "the present sieger keeps the lead against a better score";

    Army(enemy, 1000, claimant);
    auto* claim = new CClaim(10, CDate(0, 0, 1090));
    claim->SetCharacter(claimant);
    CTitle::GetTitle(10)->AddClaim(claim);
    province->UpdateOccupation();
    EXPECT_EQ(province->sieger, claimant->GetID());
    EXPECT_GT(province->occupation, 0.0f);
}

TEST_F(Siege, TheWallsFallToWhoeverTheBesiegerStandsFor)
{
    CRZCountry* bystander = Realm(8);
    // A table of the besieger's ties to the owner and the holder; the province is held by the enemy.
    province->InitController(enemy->index);
    Allies(ally, owner);
    EXPECT_EQ(province->GetBestOccupier(owner), owner) << "the owner takes back his own";
    EXPECT_EQ(province->GetBestOccupier(ally), owner) << "the owner's ally returns it to him";
    EXPECT_EQ(province->GetBestOccupier(bystander), enemy) << "the holder is not at war with him and stays";
    AtWar(bystander, enemy);
    EXPECT_EQ(province->GetBestOccupier(bystander), bystander);

    // Next to a province of an ally of the besieger that fights the holder, that ally takes it.
    CProvince* next = land->Land(11, bystander);
    next->InitController(bystander->index);
    CRealmLand::Border(province, next);
    CRZCountry* friendOfBystander = Realm(9);
    AtWar(friendOfBystander, enemy);
    Allies(friendOfBystander, bystander);
    EXPECT_EQ(province->GetBestOccupier(friendOfBystander), bystander);

    // The host hands the fallen province to that realm through the change of control.
    gCountryHooks.IsHost = [] { return true; };
    CEventCapture capture;
    province->occupation = 0.95f;
    EXPECT_EQ(province->AddOccupation(0.1f, ally, land->rulers[2].get()), 0.0f)
        << "a siege starts again from 0";
    const auto issued = capture.Take();
    ASSERT_EQ(issued.size(), 1u);
    EXPECT_EQ(issued[0].type, _CRZEVT_PROVCHANGECONTROL_);
    EXPECT_EQ(issued[0].receiver, owner->GetID());
    EXPECT_EQ(issued[0].As<CRZProvChangeEventData>().province, 10);
    EXPECT_EQ(issued[0].As<CRZProvChangeEventData>().id, land->rulers[2]->GetID());
    EXPECT_EQ(province->AddOccupation(-0.5f, ally, nullptr), 0.001f) << "a loss leaves a trace";
    EXPECT_TRUE(capture.Take().empty());
    gCountryHooks.IsHost = nullptr;
}

} // namespace
