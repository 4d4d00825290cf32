// A division in battle: its values from the base values, its advances and its leader; its companies; the
// losses it collects, sends from the host and applies on every machine; routing.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "armies/battle_result.h"
#include "armies/combat_stats.h"
#include "armies/company.h"
#include "armies/division.h"
#include "datalang/definition_file.h"
#include "events/event_hooks.h"
#include "events/event_posting.h"
#include "events/event_scheduler.h"
#include "events/generic_events.h"
#include "events/records_army.h"
#include "realms/advance.h"
#include "realms/province.h"
#include "realms/text_keys.h"

#include "foundation/safeguards.h"

namespace {

const char* const kStats = "size = { heavy_cav = 50 archers = 100 }\n"
                           "attack = { archers = 5 militia = 2 }\n"
                           "defence = { archers = 3 }\n"
                           "shock = { militia = 4 archers = 1 }\n"
                           "morale = { archers = 3 militia = 2 }\n"
                           "upkeep = { archers = 6 militia = 2 }\n";

const char* const kAdvances
    = "category = { id = 0 group = { id = 12\n"
      "  longbow = { weapon = { attack = { archers = 9 } archers = { pikemen = 1.5 } } }\n"
      "  composite_longbow = { armor = { defence = { archers = 7 } } }\n"
      "  reinforced_longbow = { weapon = { attack = { archers = 2 } } }\n"
      "  marksman_longbow = { combat_multiplier = { shock = { militia = 2 } morale = { archers = 1.5 } } }\n"
      "} }\n";

// A machine in a session that is not the host.
class ClientSession : public CEventSession {
public:
    bool IsHost() const override { return false; }
    bool IsOpen() const override { return true; }
    void SendEvent(CRZNetEvent*) override { }
};

class DivisionInBattle : public ::testing::Test {
protected:
    void SetUp() override
    {
        CIdentity::TotalInit(NOID, 0);
        ASSERT_EQ(LoadFailure(CCombatStats::InitFromFile, kStats), "");
        ASSERT_EQ(LoadFailure(CAdvanceType::InitFromFile, kAdvances), "");
        division = new CDivision(CRZDynamicObject::GetUniqueDynamicID());
    }
    void TearDown() override
    {
        SetEventSession(nullptr);
        gEventScheduler.Erase();
        delete division;
        CAdvanceType::Shutdown();
        CCombatStats::Shutdown();
        CIdentity::TotalCleanup();
    }

    static int Advance(const char* word) { return GetAdvanceType(TokenOf(word)); }
    void Men(int type, int count)
    {
        division->strength.Set(type, count);
        division->men = division->strength.GetTotalSize();
    }
    std::vector<CCompany*> Companies()
    {
        CList<CCompany*> list;
        division->AddCompanies(list);
        std::vector<CCompany*> out;
        for (auto it = list.GetHead(); !it.IsEnd(); it++)
            out.push_back(*it);
        return out;
    }
    void ApplyLosses(const CMilitaryComposition& lost, float morale)
    {
        PostGlobalEvent(new CRZDivisionLossesEvent(division->GetID(), CompositionToRecord(lost), morale));
        gEventScheduler.ProcessAll();
    }

    CDivision* division = nullptr;
};

TEST_F(DivisionInBattle, TheBestEquipmentOfItsAdvancesReplacesTheBaseValues)
{
    PutTexts({ { "ARCHERS_BASE_WEAPON_NAME", "Bow" }, { "LONGBOW_NAME", "Longbow" } });
    const struct {
        std::vector<const char*> advances;
        int type;
        float attack, defence, againstPikemen;
        const char* weapon;
    } cases[] = {
        { {}, ARCHERS, 5, 3, 1, "Bow" },
        { { "reinforced_longbow" }, ARCHERS, 2, 3, 1, nullptr },
        { { "reinforced_longbow", "longbow" }, ARCHERS, 9, 3, 1.5f, "Longbow" },
        { { "composite_longbow" }, ARCHERS, 5, 7, 1, "Bow" },
        // Equipment that rates 0 for the troop type never counts.
        { { "longbow", "composite_longbow" }, MILITIA, 2, 0, 1, nullptr },
    };
    for (const auto& c : cases) {
        division->advances = CAdvanceTuple();
        for (const char* word : c.advances)
            division->advances.Add(Advance(word));
        EXPECT_EQ(division->GetAttValue(c.type), c.attack) << c.advances.size() << " " << c.type;
        EXPECT_EQ(division->GetDefValue(c.type), c.defence) << c.advances.size() << " " << c.type;
        EXPECT_EQ(division->GetAttMultiplier(c.type, PIKEMEN), c.againstPikemen) << c.advances.size();
        if (c.weapon) {
            EXPECT_STREQ(division->GetBestWeaponName(c.type), c.weapon);
        }
    }
}

TEST_F(DivisionInBattle, ShockAndMoraleFollowTheLeaderAndTheCombatMultipliers)
{
    // Without a leader the division fights with a leader of no skill: a bonus of 0.5.
    EXPECT_FLOAT_EQ(division->GetShockValue(MILITIA), 0.5f * 4);
    EXPECT_FLOAT_EQ(division->GetMoraleValue(ARCHERS), 0.5f * 2 * 3);
    division->advances.Add(Advance("marksman_longbow"));
    EXPECT_FLOAT_EQ(division->GetShockValue(MILITIA), 0.5f * 2 * 4);
    EXPECT_FLOAT_EQ(division->GetMoraleValue(ARCHERS), 0.5f * 2 * 1.5f * 3);

    CCharacter leader;
    leader.Create(CRZID(RZTYPE_CHARACTER, 1));
    leader.SetBaseAttributes(CAttributeTuple(10, 0, 0, 0, 0, 0));
    leader.RefreshAttributes();
    division->SetLeader(&leader);
    EXPECT_FLOAT_EQ(division->GetShockValue(MILITIA), 1.0f * 2 * 4);

    Men(ARCHERS, 250);
    Men(MILITIA, 10);
    division->CalculateMaxMorale();
    EXPECT_FLOAT_EQ(division->maxMorale, 250 * (1.0f * 2 * 1.5f * 3) + 10 * (1.0f * 2 * 2));
    division->SetLeader(nullptr);
}

TEST_F(DivisionInBattle, ARaisedDivisionStartsInOrderWithTheMoralePoolOfItsMen)
{
    division->Rout();
    division->morale = 0.2f;
    division->AddLosses(ARCHERS, 3);
    CRZDivisionEventData record {};
    record.leader = NOID;
    record.strength = CompositionToRecord(CMilitaryComposition(0, 0, 0, 250, 0, 0, 10));
    division->Init(record);
    EXPECT_FALSE(division->IsRouted());
    EXPECT_EQ(division->GetCurrentMorale(), 1.0f);
    EXPECT_EQ(division->losses.GetTotalSize(), 0);
    EXPECT_FLOAT_EQ(division->maxMorale, 250 * (0.5f * 2 * 3) + 10 * (0.5f * 2 * 2));
}

TEST_F(DivisionInBattle, MenAreCutIntoCompaniesOfTheirTypesSizeUntilTheDivisionRoutes)
{
    Men(HEAVY_CAVALRY, 120);
    Men(ARCHERS, 250);
    // Militia have no company size here: they cannot be cut, so they stay out.
    Men(MILITIA, 80);
    const std::vector<CCompany*> companies = Companies();
    const std::vector<std::pair<TroopType, int>> expected = { { HEAVY_CAVALRY, 50 }, { HEAVY_CAVALRY, 50 },
        { HEAVY_CAVALRY, 20 }, { ARCHERS, 100 }, { ARCHERS, 100 }, { ARCHERS, 50 } };
    ASSERT_EQ(companies.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(companies[i]->GetType(), expected[i].first) << i;
        EXPECT_EQ(companies[i]->GetSize(), expected[i].second) << i;
        EXPECT_EQ(companies[i]->GetRegiment(), division);
        EXPECT_TRUE(companies[i]->IsFighting());
    }
    EXPECT_FLOAT_EQ(division->CalcEffectivePower(), 250 * 5 + 80 * 2);
    EXPECT_FLOAT_EQ(division->GetUpkeep(), (250 * 6 + 80 * 2) * 0.01f);

    division->Rout();
    EXPECT_FALSE(companies[0]->IsFighting());
    EXPECT_EQ(division->GetStrength().GetTotalSize(), 0);
    EXPECT_EQ(division->CalcEffectivePower(), 0.0f);
    EXPECT_TRUE(Companies().empty());
    EXPECT_EQ(division->GetTotalMen(), 450) << "a routed division keeps its men";
    division->ResetState();
    EXPECT_EQ(division->GetStrength().Get(ARCHERS), 250);
    for (CCompany* company : companies)
        delete company;
}

TEST_F(DivisionInBattle, CollectedLossesReachEveryMachineThroughOneEvent)
{
    Men(ARCHERS, 250);
    division->CalculateMaxMorale();
    ASSERT_FLOAT_EQ(division->maxMorale, 750.0f);
    const std::vector<CCompany*> companies = Companies();
    companies[0]->AddLosses(6);
    companies[2]->AddLosses(4);
    companies[0]->AddMoraleLosses(150.0f);
    companies[1]->AddMoraleLosses(150.0f);
    for (CCompany* company : companies)
        delete company;
    EXPECT_EQ(division->GetStrength().Get(ARCHERS), 250) << "nothing changes before the losses are taken";

    division->TakeLosses();
    EXPECT_EQ(division->losses.GetTotalSize(), 0);
    EXPECT_EQ(division->moraleLosses, 0.0f);
    ASSERT_EQ(gEventScheduler.GetSize(), 1u);
    gEventScheduler.ProcessAll();
    EXPECT_EQ(division->GetStrength().Get(ARCHERS), 240);
    EXPECT_EQ(division->GetTotalMen(), 240);
    EXPECT_FLOAT_EQ(division->GetCurrentMorale(), 0.6f);
    EXPECT_TRUE(division->CheckMorale());

    ApplyLosses(CMilitaryComposition(0, 0, 0, 10.6f, 0, 0, 0), 0.0f);
    EXPECT_EQ(division->GetStrength().GetValue(ARCHERS), 229.0f) << "229.4 rounded down";
    ApplyLosses(CMilitaryComposition(0, 0, 0, 1000, 0, 0, 0), 100000.0f);
    EXPECT_EQ(division->GetStrength().GetValue(ARCHERS), 0.0f);
    EXPECT_EQ(division->GetCurrentMorale(), 0.0f) << "never below 0";
    EXPECT_FALSE(division->CheckMorale());

    division->morale = 1.0f;
    division->maxMorale = 0.0f;
    ApplyLosses(CMilitaryComposition(), 0.0f);
    EXPECT_EQ(division->GetCurrentMorale(), 0.0f) << "a division without a morale pool has none left";
}

TEST_F(DivisionInBattle, LossesThatAreNoNumberOfMenAreDropped)
{
    Men(ARCHERS, 250);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const struct {
        float men, morale;
    } cases[] = { { nan, 0 }, { -50, 0 }, { 1e9f, 0 }, { 10, nan }, { 10, -1 }, { 10, INFINITY } };
    for (const auto& c : cases) {
        ApplyLosses(CMilitaryComposition(0, 0, 0, c.men, 0, 0, 0), c.morale);
        EXPECT_EQ(division->GetStrength().Get(ARCHERS), 250) << c.men << " " << c.morale;
        EXPECT_EQ(division->GetCurrentMorale(), 1.0f) << c.men << " " << c.morale;
    }
}

TEST_F(DivisionInBattle, ADivisionTakenIntoPayIsNoLongerItsHomeProvincesLevy)
{
    CProvince home;
    CProvince::_pProvince[5] = &home;
    division->homeProvince = 5;
    home.levyRegiment = division->GetID();
    PostGlobalEvent(new CRZGenericEvent(_CRZEVT_SET_MERC_, division->GetID()));
    gEventScheduler.ProcessAll();
    CProvince::_pProvince[5] = nullptr;
    EXPECT_TRUE(division->IsOutsideLevy());
    EXPECT_EQ(home.levyRegiment, NOID);
}

TEST_F(DivisionInBattle, OnlyTheHostSendsTheLosses)
{
    ClientSession client;
    SetEventSession(&client);
    division->AddLosses(ARCHERS, 5);
    division->TakeLosses();
    EXPECT_EQ(gEventScheduler.GetSize(), 0u);
    EXPECT_EQ(division->losses.Get(ARCHERS), 5) << "the host's event brings them";
}

} // namespace
