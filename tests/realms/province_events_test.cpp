// The province's events and its days and months: what peers may send it, the month's income to owner and
// liege, revolts, the refund of a stopped building and the supply that follows control.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "datalang/definition_file.h"
#include "event_capture.h"
#include "events/game_clock.h"
#include "events/generic_events.h"
#include "events/records_army.h"
#include "events/records_realm.h"
#include "foundation/random_generator.h"
#include "realm_days.h"
#include "realms/country.h"
#include "realms/owner_area.h"
#include "realms/province.h"

#include "foundation/safeguards.h"

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInfinity = std::numeric_limits<float>::infinity();

class ProvinceDays : public CRealmDays {
protected:
    template <class Event, class... Args> static int Send(CProvince& province, Args... args)
    {
        Event event(args...);
        return province.Update(&event);
    }
    static int SendAmount(CProvince& province, CRZEvtType type, float amount)
    {
        return Send<CRZFloatEvent>(province, type, province.GetID(), amount);
    }
};

TEST_F(ProvinceDays, EventsFromPeersChangeOnlyWhatTheyMayAndDropWhatIsNoNumber)
{
    CRZCountry* owner = Realm(5);
    CProvince* p = Held(10, owner, owner);
    CProvince* empty = Held(11, nullptr, nullptr);

    EXPECT_EQ(SendAmount(*p, _CRZEVT_PEASANT_LOYALTY_, 0.3f), 0);
    EXPECT_FLOAT_EQ(p->loyalty.GetPeasants(), 1.3f) << "kept as sent";
    EXPECT_FLOAT_EQ(p->GetLoyalty().GetPeasants(), 1.0f) << "read held to 1";
    SendAmount(*p, _CRZEVT_CLERGY_PRIVILEGES_, 0.5f);
    EXPECT_FLOAT_EQ(p->privileges.GetClergy(), 0.75f);
    for (const float bad : { kNaN, kInfinity, -kInfinity }) {
        SendAmount(*p, _CRZEVT_NOBLE_LOYALTY_, bad);
        SendAmount(*p, _CRZEVT_BURGHER_PRIVILEGES_, bad);
        p->occupation = 0.5f;
        SendAmount(*p, _CRZEVT_CHANGE_SIEGE_, bad);
        EXPECT_EQ(p->occupation, 0.5f);
        EXPECT_EQ(Send<CRZProvinceIncomeEvent>(*p, _CRZEVT_CHANGE_PROVINCE_RRISK_, p->GetID(), bad), 3);
    }
    EXPECT_FLOAT_EQ(p->loyalty.GetNobles(), 1.0f);
    EXPECT_FLOAT_EQ(p->privileges.GetBurghers(), 0.25f);
    EXPECT_EQ(p->revoltRisk, 0);

    // The siege changes only a siege under way, and never below 0.01.
    struct {
        float start, amount, expected;
    } sieges[]
        = { { 0.005f, 0.1f, 0.005f }, { 0.5f, 0.6f, 0.01f }, { 0.5f, -0.01f, 0.51f }, { 0.3f, 0.1f, 0.2f } };
    for (const auto& c : sieges) {
        p->occupation = c.start;
        SendAmount(*p, _CRZEVT_CHANGE_SIEGE_, c.amount);
        EXPECT_NEAR(p->occupation, c.expected, 1e-6f) << c.start << " " << c.amount;
    }

    Send<CRZProvinceIncomeEvent>(*p, _CRZEVT_CHANGE_PROVINCE_RRISK_, p->GetID(), 2.7f);
    EXPECT_EQ(p->revoltRisk, 2);
    Send<CRZProvinceIncomeEvent>(*p, _CRZEVT_CHANGE_PROVINCE_RRISK_, p->GetID(), -10.0f);
    EXPECT_EQ(p->revoltRisk, 0);
    Send<CRZProvinceIncomeEvent>(*p, _CRZEVT_CHANGE_PROVINCE_RRISK_, p->GetID(), 1e30f);
    EXPECT_EQ(p->revoltRisk, std::numeric_limits<int32_t>::max());

    // Damage takes the walls down to nothing; a peer's extreme number neither wraps nor builds them up past
    // the range.
    p->landFortress = 3;
    p->coastalFortress = 1;
    CRZFortressEvent damage(_CRZEVT_FORTRESS_DAMAGE_, p->GetID(), 2, 5);
    p->Update(&damage);
    EXPECT_EQ(p->landFortress, 1);
    EXPECT_EQ(p->coastalFortress, 0);
    damage.Record().first = std::numeric_limits<int32_t>::min();
    p->Update(&damage);
    EXPECT_EQ(p->landFortress, std::numeric_limits<int32_t>::max());

    EXPECT_EQ(Send<CRZProvEvent>(*p, _CRZEVT_SET_CAPITAL_, p->GetID(), 10), 3);
    EXPECT_EQ(owner->capital, 10);
    EXPECT_EQ(owner->actingCapital, 10);
    EXPECT_EQ(Send<CRZProvEvent>(*empty, _CRZEVT_SET_CAPITAL_, empty->GetID(), 11), 3);
    EXPECT_EQ(owner->capital, 10) << "a province without an owner is nobody's capital";
}

TEST_F(ProvinceDays, AVassalsProvincePaysItsLiegeOnlyGainsAndNothingWhileOthersHoldIt)
{
    ASSERT_EQ(LoadFailure(CProvinceEffectType::InitFromFile,
                  "poor = { effects = { periodic_score = { gold = -100 prestige = 12 piety = 24 } } }\n"),
        "");
    CRZCountry* liege = Realm(1270);
    CRZCountry* vassal = Realm(1005, liege);
    CRZCountry* stranger = Realm(6);
    ASSERT_FALSE(vassal->IsRealm());
    CProvince* p = Held(10, vassal, vassal);
    p->CalcModifier();

    const float gold = p->GetModifier().GetProvinceMonthlyScore(*p).GetGold();
    ASSERT_GT(gold, 0.0f);
    p->DoContributeScore();
    EXPECT_FLOAT_EQ(liege->GetScore().GetGold(), gold * 0.25f) << "half the scutage slider of 0.5";
    EXPECT_FLOAT_EQ(vassal->GetScore().GetGold(), gold * 0.75f);

    p->AddEffect(GetProvinceEffectType(TokenOf("poor")));
    const CSimpleScore loss(p->GetModifier().GetProvinceMonthlyScore(*p));
    ASSERT_LT(loss.GetGold(), 0.0f);
    p->DoContributeScore();
    EXPECT_FLOAT_EQ(liege->GetScore().GetGold(), gold * 0.25f) << "a liege shares no losses";
    EXPECT_FLOAT_EQ(vassal->GetScore().GetGold(), gold * 0.75f + loss.GetGold());
    EXPECT_FLOAT_EQ(vassal->GetScore().GetPrestige(), 1.0f);
    EXPECT_FLOAT_EQ(vassal->GetScore().GetPiety(), 2.0f);

    p->InitController(stranger->index);
    const CSimpleScore before = vassal->GetScore();
    p->DoContributeScore();
    EXPECT_FLOAT_EQ(vassal->GetScore().GetGold(), before.GetGold());
    EXPECT_FLOAT_EQ(vassal->GetScore().GetPrestige(), before.GetPrestige());
    EXPECT_FLOAT_EQ(liege->GetScore().GetGold(), gold * 0.25f);
    CProvinceEffectType::Shutdown();
}

TEST_F(ProvinceDays, TheLevyFollowsTheMilitaryLawAndTheTerrainAndGrowsToItsMaximum)
{
    CRZCountry* liege = Realm(1270);
    CRZCountry* vassal = Realm(1005, liege);
    CRZCountry* king = liege;
    king->laws.Set(7);
    king->budget[SLIDER_SCUTAGE] = 0.5f;
    vassal->laws.Set(7);
    CProvince* crown = Held(10, king, king);
    CProvince* fief = Held(11, vassal, vassal);
    CProvince* wild = Held(12, nullptr, nullptr);
    for (CProvince* p : { crown, fief, wild })
        p->CalculateRegimentSize();
    EXPECT_EQ(wild->maximumLevy, CMilitaryComposition());

    // Law 7 on the plains with even shares: every type twice the archers, but no horse archers.
    const float archers = crown->maximumLevy.GetValue(5);
    ASSERT_GT(archers, 0.0f);
    const float expected[kTroopTypeCount] = { 2, 2, 0, 2, 2, 1, 2 };
    for (int type = 0; type < kTroopTypeCount; ++type)
        EXPECT_FLOAT_EQ(crown->maximumLevy.GetValue(type), expected[type] * archers) << type;
    // The vassal's levy is cut by half his liege's scutage.
    liege->budget[SLIDER_SCUTAGE] = 0.0f;
    fief->CalculateRegimentSize();
    const float free = fief->maximumLevy.GetValue(5);
    ASSERT_GT(free, 0.0f);
    liege->budget[SLIDER_SCUTAGE] = 1.0f;
    fief->CalculateRegimentSize();
    EXPECT_FLOAT_EQ(fief->maximumLevy.GetValue(5), free * 0.5f);

    // A martial 10 fills a twelfth of a tenth of the levy a month, fractions kept, and never more than all.
    king->ruler->SetBaseAttributes(CAttributeTuple(10, 0, 0, 0, 0, 0));
    crown->ClearRegimentSize();
    crown->HandleMonthly();
    EXPECT_NEAR(crown->currentLevy.GetValue(5), archers * 0.1f / 12.0f, 1e-3f);
    for (int month = 0; month < 200; ++month)
        crown->HandleMonthly();
    EXPECT_EQ(crown->currentLevy, crown->maximumLevy);
}

TEST_F(ProvinceDays, PrivilegesGrantedAreTakenFromTheOthersAndAFifthOfTheGainIsLost)
{
    CProvince p;
    p.loyalty = CStandsTuple(1.0f, 1.0f, 0.05f, 0.5f);
    p.privileges = CStandsTuple(0.25f, 0.25f, 0.05f, 0.45f);
    p.ChangePrivileges(CStandsTuple::NOBLES, 0.3f);
    // Each other estate gives up to a third of the grant, no more than it holds.
    EXPECT_FLOAT_EQ(p.privileges.GetPeasants(), 0.15f);
    EXPECT_FLOAT_EQ(p.privileges.GetClergy(), 0.0f);
    EXPECT_FLOAT_EQ(p.privileges.GetNobles(), 0.45f + 0.24f);
    EXPECT_FLOAT_EQ(p.loyalty.GetPeasants(), 0.9f);
    EXPECT_FLOAT_EQ(p.loyalty.GetClergy(), 0.0f);
    EXPECT_FLOAT_EQ(p.loyalty.GetNobles(), 0.74f);
    // Taking privileges away costs the estate alone.
    p.ChangePrivileges(CStandsTuple::BURGHERS, -0.1f);
    EXPECT_FLOAT_EQ(p.privileges.GetBurghers(), 0.05f);
    EXPECT_FLOAT_EQ(p.privileges.GetPeasants(), 0.15f);
    EXPECT_FLOAT_EQ(p.loyalty.GetBurghers(), 0.8f);
}

TEST_F(ProvinceDays, OnlyAnEstateBelowAFifthRevolts)
{
    bool host = true;
    static bool* isHost = &host;
    gCountryHooks.IsHost = [] { return *isHost; };
    static int revolts;
    static CMilitaryComposition raised;
    revolts = 0;
    gProvinceHooks.RaiseRebels = [](CProvince&, const CMilitaryComposition& force) {
        ++revolts;
        raised = force;
    };
    CRZCountry* owner = Realm(5);
    CProvince* p = Held(10, owner, owner);
    p->Create(CRZID(RZTYPE_PROVINCE, 10));
    gGameRandom.Seed(12345);
    for (int day = 0; day < 5000; ++day) {
        p->loyalty = CStandsTuple(0.2f, 0.2f, 0.2f, 0.2f);
        p->CheckRevolts();
    }
    EXPECT_EQ(revolts, 0);

    // At 0 the chance is 1 in 300 a day.
    p->loyalty = CStandsTuple(0.0f, 1.0f, 1.0f, 1.0f);
    CEventCapture capture;
    for (int day = 0; day < 20000 && revolts == 0; ++day)
        p->CheckRevolts();
    ASSERT_EQ(revolts, 1);
    // The rising calms them on every machine.
    const std::vector<CCapturedEvent> calm = capture.Take();
    ASSERT_EQ(calm.size(), 1u);
    EXPECT_EQ(calm[0].type, _CRZEVT_PEASANT_LOYALTY_);
    EXPECT_EQ(calm[0].receiver, p->GetID());
    EXPECT_FLOAT_EQ(calm[0].As<CRZFloatEventData>().value, 0.2f);
    EXPECT_FLOAT_EQ(raised.GetValue(6), 250.0f * 3.75f) << "militia by income 10 and a share of 0.25";
    EXPECT_FLOAT_EQ(raised.GetValue(5), 100.0f * 3.75f);

    host = false;
    p->loyalty = CStandsTuple(0.0f, 0.0f, 0.0f, 0.0f);
    for (int day = 0; day < 5000; ++day)
        p->CheckRevolts();
    EXPECT_EQ(revolts, 1) << "only the host raises rebels";
}

TEST_F(ProvinceDays, AStoppedBuildingRefundsTheDaysNotYetBuilt)
{
    support::ScratchFile pictures("");
    ASSERT_EQ(
        LoadFailure(
            [&](const char* path) { return CProvinceImprovementType::InitFromFiles(path, pictures.Path()); },
            "school = { cost = { gold = 90 } construction_time = 2 }\n"
            "library = { cost = { gold = 90 } construction_time = 0 }\n"),
        "");
    const CProvinceImprovementType* slow
        = CProvinceImprovementType::Get(GetProvinceImprovementType(TokenOf("school")));
    const CProvinceImprovementType* instant
        = CProvinceImprovementType::Get(GetProvinceImprovementType(TokenOf("library")));
    ASSERT_TRUE(slow && instant);
    CRZCountry* owner = Realm(5);
    CProvince* p = Held(10, owner, owner);
    struct {
        const CProvinceImprovementType* type;
        int daysLater;
        float refund;
    } cases[] = { { slow, 0, 90.0f }, { slow, 15, 67.5f }, { slow, 60, 0.0f }, { slow, 90, 0.0f },
        { instant, 0, 90.0f }, { instant, 30, 90.0f } };
    for (const auto& c : cases) {
        gpTimer->SetDate(CDate(0, 0, 1100));
        const float before = owner->GetScore().GetGold();
        p->StartConstruction(c.type->GetID());
        EXPECT_TRUE(p->HasImprovementUnderConstruction());
        EXPECT_FLOAT_EQ(owner->GetScore().GetGold(), before - 90.0f);
        CDate later = CDate(0, 0, 1100);
        later.AddDays(c.daysLater);
        gpTimer->SetDate(later);
        p->CancelConstruction();
        EXPECT_FALSE(p->HasImprovementUnderConstruction());
        EXPECT_FLOAT_EQ(owner->GetScore().GetGold(), before - 90.0f + c.refund) << c.daysLater;
    }

    // On its completion day the owner asks the host to finish the building, and not a day before.
    CEventCapture capture;
    gpTimer->SetDate(CDate(0, 0, 1100));
    p->StartConstruction(slow->GetID());
    CDate day = CDate(0, 0, 1100);
    day.AddDays(59);
    gpTimer->SetDate(day);
    p->handleTimerDay();
    EXPECT_TRUE(capture.Take().empty());
    day.AddDays(1);
    gpTimer->SetDate(day);
    p->handleTimerDay();
    const auto asked = capture.Take();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].type, _CRZEVT_CREATE_PROVINCE_IMPROVEMENT_);
    EXPECT_EQ(asked[0].receiver, INVESTMENT_SERVER);
    EXPECT_EQ(asked[0].As<CRZIntIntEventData>().first, 10);
    EXPECT_EQ(asked[0].As<CRZIntIntEventData>().second, slow->GetID());
    CProvinceImprovementType::Shutdown();
}

TEST_F(ProvinceDays, SupplyFloodsThroughFriendsAndEnemiesButNotNeutralOwners)
{
    // The realm's own province, a middle province held by the realm, and a conquered one behind it.
    CRZCountry* realm = Realm(5);
    CRZCountry* neutral = Realm(6);
    CRZCountry* enemy = Realm(7);
    realm->atWarWith[enemy->index] = enemy->atWarWith[realm->index] = 1;
    struct {
        CRZCountry* middleOwner;
        int sources;
    } cases[] = { { realm, 2 }, { enemy, 1 }, { neutral, 0 } };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.middleOwner->index);
        CRealmLand::Border(Held(1, realm, realm), Held(2, c.middleOwner, realm));
        CRealmLand::Border(CProvince::GetProvince(2), Held(3, enemy, enemy));
        CProvince* far = CProvince::GetProvince(3);
        far->SetController(realm->index);
        EXPECT_EQ(far->CanTraceSupply(*realm), true);
        EXPECT_EQ(CProvince::GetProvince(2)->CanTraceSupply(*realm), c.middleOwner != neutral);
        EXPECT_EQ(far->supplyCount, c.sources);
        EXPECT_EQ(far->CanSupply(*realm), c.sources > 0);
        EXPECT_FALSE(far->CanSupply(*neutral));
        CRZOwnerArea::CleanupAllOwnerAreas();
        for (int n = 1; n <= 3; ++n)
            CProvince::GetProvince(n)->InitController(0);
        land->provinces.clear();
    }

    // A chain across every county is counted without a frame per province.
    constexpr int kLast = CTitle::kFirstDuchy - 1;
    for (int n = 1; n <= kLast; ++n) {
        Held(n, realm, realm);
        if (n > 1)
            CRealmLand::Border(CProvince::GetProvince(n - 1), CProvince::GetProvince(n));
    }
    CProvince::GetProvince(1)->UpdateSupply(realm);
    EXPECT_EQ(CProvince::GetProvince(1)->supplyCount, kLast);
    EXPECT_EQ(CProvince::GetProvince(kLast)->supplyCount, kLast);
    CProvince::UpdateAllSupply(*realm);
    EXPECT_EQ(CProvince::GetProvince(500)->supplyCount, 0);
    EXPECT_FALSE(CProvince::GetProvince(500)->CanSupply(*realm));
    CRZOwnerArea::CleanupAllOwnerAreas();
}

} // namespace
