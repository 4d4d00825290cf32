// The country table, the factory by control, the realm's clamped values and tier answers, and the realm's
// router: handlers reached, answers paired with requests, and what reaches the armies.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/settings.h"
#include "datalang/definition_file.h"
#include "events/event_routing.h"
#include "events/event_scheduler.h"
#include "events/game_clock.h"
#include "events/generic_events.h"
#include "events/records_army.h"
#include "events/records_character.h"
#include "events/records_realm.h"
#include "realm_land.h"
#include "realms/advance.h"
#include "realms/country.h"
#include "realms/country_db.h"
#include "realms/country_router.h"
#include "realms/request.h"
#include "support/data_folder.h"
#include "support/scratch.h"

#include "foundation/safeguards.h"

namespace {

bool gHost = false;
bool gTutorial = false;

// Marks the kind the factory chose without standing in for the real kinds.
class CMarkedCountry : public CRZCountry {
public:
    explicit CMarkedCountry(const char* inKind)
        : kind(inKind)
    {
    }
    const char* kind;
};

class CountryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CRZCountry::InitCountryArray();
        ClearCountryControl();
        gHost = false;
        gTutorial = false;
        gCountryHooks = CountryHooks {};
        gCountryHooks.IsHost = [] { return gHost; };
        gCountryHooks.IsTutorial = [] { return gTutorial; };
        gCountryHooks.MakeAI = []() -> CRZCountry* { return new CMarkedCountry("ai"); };
        gCountryHooks.MakePlayer = []() -> CRZCountry* { return new CMarkedCountry("player"); };
        gCountryHooks.MakeTutorial = []() -> CRZCountry* { return new CMarkedCountry("tutorial"); };
    }
    void TearDown() override
    {
        CRZCountry::DeleteAll();
        gCountryHooks = CountryHooks {};
    }

    CRZCountry* Make(CRZCountryID id)
    {
        CRZCountry::ConstructCountry(id);
        return CRZCountry::_pCountry[id];
    }

    static const char* KindOf(const CRZCountry* realm)
    {
        if (const auto* marked = dynamic_cast<const CMarkedCountry*>(realm))
            return marked->kind;
        return dynamic_cast<const CRZRebels*>(realm) ? "rebels" : "plain";
    }
};

TEST_F(CountryTest, FactoryBuildsTheKindOfEachControlOnHostAndClient)
{
    struct Case {
        int32_t control;
        bool host;
        bool tutorial;
        const char* kind;
    };
    const Case cases[] = {
        { CONTROL_COMPUTER, true, false, "ai" },
        { CONTROL_COMPUTER, false, false, "plain" },
        { CONTROL_LOCAL_PLAYER, true, false, "player" },
        { CONTROL_LOCAL_PLAYER, false, false, "player" },
        { CONTROL_LOCAL_PLAYER, false, true, "tutorial" },
        { CONTROL_NETWORK_PLAYER, true, false, "plain" },
        { CONTROL_REBELS, false, false, "rebels" },
        { 3, true, false, "plain" },
    };
    for (const Case& c : cases) {
        gCountryControl[1298] = c.control;
        gHost = c.host;
        gTutorial = c.tutorial;
        CRZCountry* realm = Make(1298);
        ASSERT_NE(realm, nullptr);
        EXPECT_STREQ(KindOf(realm), c.kind) << c.control << " host " << c.host;
        EXPECT_EQ(realm->index, 1298);
        delete realm;
        EXPECT_EQ(CRZCountry::_pCountry[1298], nullptr) << "the destructor empties its slot";
    }
    EXPECT_STREQ(KindOf(Make(kRebelCountry)), "rebels") << "the rebels' control entry after clearing";
}

TEST_F(CountryTest, NumbersOutsideTheTableAreRefused)
{
    CRZCountry::ConstructCountry(5000);
    CRZCountry::ConstructCountry(-1);
    CRZCountry::ConstructCountry(1423);
    for (CRZCountry* realm : CRZCountry::_pCountry)
        EXPECT_EQ(realm, nullptr);
    EXPECT_EQ(CRZCountry::GetCountry(5000), nullptr);
    EXPECT_EQ(CRZCountry::FindStatic(5000), nullptr);

    // An event naming realm 5000 finds no receiver, though the table is reachable.
    CRZCountry* realm = Make(5);
    gIdentityLookups.GetCountry = &CRZCountry::FindStatic;
    EXPECT_EQ(CRZStaticObject::GetObjectFromID(StaticID(CRZID(RZTYPE_COUNTRY, 5000))), nullptr);
    EXPECT_EQ(CRZStaticObject::GetObjectFromID(StaticID(CRZID(RZTYPE_COUNTRY, 5))), realm);
    gIdentityLookups.GetCountry = nullptr;

    realm->SetRelation(5000, 50.0f);
    EXPECT_EQ(realm->ChangeRelation(-3, 50.0f), 0.0f);
    EXPECT_EQ(realm->GetRelation(5000), 0.0f);
    EXPECT_FALSE(realm->IsEnemy(5000));
}

TEST_F(CountryTest, NewRealmStartsAsTheTableSays)
{
    CRZCountry* realm = Make(12);
    EXPECT_STREQ(realm->GetAIPrefsFile(), "minor_default.ai");
    EXPECT_EQ(std::strlen(realm->GetAIPrefsFile()), 16u) << "name and terminator both fit";
    realm->SetAIPrefsFile("a_much_longer_preference_name.ai");
    EXPECT_EQ(std::strlen(realm->GetAIPrefsFile()), 16u);
    EXPECT_TRUE(realm->HasLaw(1));
    EXPECT_TRUE(realm->HasLaw(9));
    EXPECT_TRUE(realm->HasLaw(13));
    EXPECT_TRUE(realm->IsCounty());
    EXPECT_EQ(realm->budget[SLIDER_UPKEEP], 1.0f);
    EXPECT_EQ(realm->budget[SLIDER_TOLLS], 0.5f);
    EXPECT_EQ(realm->devFocus[1], 12);
}

// A focus names an advance group; the group's category, read from the advances file, picks the slot.
TEST_F(CountryTest, DevelopmentFocusTakesOnlyGroupsOfTheThreeCategories)
{
    ASSERT_EQ(LoadFailure(CAdvanceType::InitFromFile,
                  "category = { id = 2 group = { id = 24 shortbow = { } } }\n"
                  "category = { id = 3 group = { id = 31 longbow = { } } }\n"
                  "category = { group = { id = 40 sheep = { } } }\n"),
        "");
    CRZCountry* realm = Make(12);
    realm->SetDevFocus(24);
    for (int group : { 31, 40, 99, -1 })
        realm->SetDevFocus(group);
    CAdvanceType::Shutdown();
    EXPECT_EQ(realm->devFocus[0], 0);
    EXPECT_EQ(realm->devFocus[1], 12);
    EXPECT_EQ(realm->devFocus[2], 24);
    EXPECT_EQ(realm->GetStability(), 0.0f) << "the field after the focus slots is untouched";
}

TEST_F(CountryTest, OnlyHumanRealmsFeelTheDifficulty)
{
    CRZCountry* local = Make(1);
    CRZCountry* remote = Make(2);
    CRZCountry* computer = Make(3);
    EXPECT_EQ(local->GetDifficultyModifier(), 0) << "no settings yet";
    CSettings settings;
    gpSettings = &settings;
    settings.Record().difficulty = 4;
    gCountryControl[1] = CONTROL_LOCAL_PLAYER;
    gCountryControl[2] = CONTROL_NETWORK_PLAYER;
    EXPECT_EQ(local->GetDifficultyModifier(), 2);
    EXPECT_EQ(remote->GetDifficultyModifier(), 2);
    EXPECT_EQ(computer->GetDifficultyModifier(), 0);
    settings.Record().difficulty = 0;
    EXPECT_EQ(local->GetDifficultyModifier(), -2);
    gpSettings = nullptr;

    CRZCountry::GetModifier().tollsFactor = 3.0f;
    EXPECT_EQ(CRZCountry::GetModifier().tollsFactor, 1.0f);
}

TEST_F(CountryTest, ColoursByTheRegistrysClass)
{
    const int32_t kept = DBCountries[7].color;
    const struct {
        int32_t colorClass;
        CCountryColor color;
    } cases[] = { { 0, { 0, 0, 0 } }, { 9, { 255, 255, 0 } }, { 22, { 255, 160, 0 } },
        { 23, { 255, 192, 96 } }, { -1, { 255, 192, 96 } } };
    for (const auto& c : cases) {
        DBCountries[7].color = c.colorClass;
        EXPECT_EQ(CRZCountry::GetCountryColor(7), c.color) << c.colorClass;
    }
    DBCountries[7].color = kept;
    EXPECT_EQ(CRZCountry::GetCountryColor(5000), (CCountryColor { 255, 192, 96 }));

    // Every call hands out a new, empty list of allies.
    CRZCountry* realm = Make(7);
    realm->GetAllies()->Append(3);
    EXPECT_TRUE(realm->GetAllies()->IsEmpty());
}

TEST_F(CountryTest, TiersOfEmptySlotsFollowTheNumberRanges)
{
    struct Case {
        CRZCountryID id;
        bool county, duchy, kingdom;
    };
    const Case cases[] = {
        { 999, true, false, false },
        { 1000, false, true, false },
        { 1262, false, true, false },
        { 1263, false, false, true },
        { 1422, false, false, true },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CRZCountry::IsCounty(c.id), c.county) << c.id;
        EXPECT_EQ(CRZCountry::IsDuchy(c.id), c.duchy) << c.id;
        EXPECT_EQ(CRZCountry::IsKingdom(c.id), c.kingdom) << c.id;
    }
    // A realm in the slot answers by its own tier.
    Make(1300)->tier = TIER_DUCHY;
    EXPECT_TRUE(CRZCountry::IsDuchy(1300));
    EXPECT_FALSE(CRZCountry::IsKingdom(1300));
}

TEST_F(CountryTest, RebelsAreEveryonesEnemy)
{
    CRZCountry* rebels = Make(kRebelCountry);
    CRZCountry* realm = Make(40);
    EXPECT_TRUE(realm->IsEnemy(kRebelCountry));
    EXPECT_FALSE(realm->IsEnemy(41));
    realm->atWarWith[41] = 1;
    EXPECT_TRUE(realm->IsEnemy(41));
    EXPECT_FALSE(realm->IsEnemy(40));
    EXPECT_TRUE(rebels->IsEnemy(40));
    EXPECT_TRUE(rebels->IsEnemy(0));
    EXPECT_FALSE(rebels->IsEnemy(kRebelCountry));
}

TEST_F(CountryTest, RelationsStabilityAndBadBoyAreClamped)
{
    CRZCountry* a = Make(1);
    CRZCountry* b = Make(2);
    a->SetRelation(2, 180.0f);
    EXPECT_EQ(a->ChangeRelation(2, 50.0f), 200.0f);
    EXPECT_EQ(a->GetRelation(2), 200.0f);
    EXPECT_EQ(b->GetRelation(1), 200.0f);
    EXPECT_EQ(b->ChangeRelation(1, -900.0f), -200.0f);
    EXPECT_EQ(a->GetRelation(2), -200.0f);
    a->SetRelation(3, 500.0f);
    EXPECT_EQ(a->GetRelation(3), 200.0f);
    // Without the other realm the sum is answered and only this side is kept, clamped.
    EXPECT_EQ(a->ChangeRelation(3, 50.0f), 250.0f);
    EXPECT_EQ(a->GetRelation(3), 200.0f);

    a->ChangeStability(2.5f);
    a->ChangeStability(2.5f);
    EXPECT_EQ(a->GetStability(), 3.0f);
    a->ChangeStability(-10.0f);
    EXPECT_EQ(a->GetStability(), -3.0f);
    a->AddBadBoy(4.0f);
    a->AddBadBoy(-10.0f);
    EXPECT_EQ(a->GetBadBoy(), 0.0f);
    EXPECT_EQ(CRZCountry::GetBadBoyLimit(), 25.0f);
}

std::vector<int32_t> Numbers(const CList<int32_t>& list)
{
    std::vector<int32_t> numbers;
    for (auto it = list.GetHead(); !it.IsEnd(); it++)
        numbers.push_back(*it);
    return numbers;
}

class CountryLandTest : public CountryTest, public CRealmLand { };

TEST_F(CountryLandTest, DistanceTakesTheShorterWayRoundTheMapBetweenCapitals)
{
    Land(1, nullptr, 100, 50);
    Land(2, nullptr, 5100, 50);
    Land(3, nullptr, 400, 450);
    EXPECT_NEAR(CRZCountry::GetDistance(1, 2), 44.72f, 0.01f);
    EXPECT_NEAR(CRZCountry::GetDistance(2, 1), 44.72f, 0.01f);
    EXPECT_NEAR(CRZCountry::GetDistance(1, 3), 5.0f, 0.001f);
    EXPECT_EQ(CRZCountry::GetDistance(2, 2), 0.0f);
    EXPECT_EQ(CRZCountry::GetDistance(1, 900), 9999.0f) << "no province there";
    EXPECT_EQ(CRZCountry::GetDistance(1, 5000), 9999.0f);

    CRZCountry* a = Make(10);
    CRZCountry* b = Make(11);
    Make(12); // no capital
    a->capital = 1;
    b->capital = 2;
    a->CalculateDistances();
    EXPECT_NEAR(a->distances[11], 44.72f, 0.01f);
    EXPECT_EQ(a->distances[10], 0.0f);
    EXPECT_EQ(a->distances[12], 9999.0f);
    EXPECT_EQ(a->distances[13], 9999.0f) << "no realm";
}

TEST_F(CountryLandTest, KnowledgeCountsForeignBordersCoastAndHomeArea)
{
    CRZCountry* realm = Make(20);
    CRZCountry* north = Make(21);
    CRZCountry* east = Make(22);
    Ruler(realm);
    Ruler(north);
    Ruler(east);
    CProvince* capital = Land(1, realm);
    CProvince* inland = Land(2, realm);
    Land(3, nullptr, 0, 0, TERRAIN_OCEAN);
    Land(4, nullptr, 0, 0, TERRAIN_RIVER);
    capital->portSeaZone = 3;
    inland->portSeaZone = 4; // a port on a river is no coast
    capital->area = inland->area = 7;
    realm->capital = 1;
    realm->controlledProvinces.Append(1);
    CRealmLand::Border(capital, inland);
    CRealmLand::Border(capital, Land(5, north));
    CRealmLand::Border(inland, Land(6, north));
    CRealmLand::Border(inland, Land(7, east));
    realm->neighbourFlags[99] = 1; // yesterday's knowledge goes

    realm->RefreshKnowledge();
    EXPECT_FLOAT_EQ(realm->coastalShare, 0.5f);
    EXPECT_EQ(realm->homeAreaProvinces, 2);
    EXPECT_EQ(realm->GetHomeArea(), 7);
    EXPECT_EQ(realm->neighbourFlags[21], 1);
    EXPECT_EQ(realm->neighbourFlags[99], 0);
    EXPECT_FLOAT_EQ(realm->borderShares[21], 2.0f / 3.0f);
    EXPECT_FLOAT_EQ(realm->borderShares[22], 1.0f / 3.0f);
    EXPECT_EQ((std::vector<int32_t> { 21, 22 }), Numbers(realm->neighbours));

    // A realm without land knows nothing and divides by nothing.
    CRZCountry* empty = Make(23);
    empty->RefreshKnowledge();
    EXPECT_EQ(empty->coastalShare, 0.0f);
    EXPECT_TRUE(empty->neighbours.IsEmpty());
}

TEST_F(CountryLandTest, VassalsRankingCoastAndHeretics)
{
    CRZCountry* king = Make(1300);
    CRZCountry* duke = Make(1001);
    CRZCountry* count = Make(30);
    CRZCountry* stranger = Make(31);
    CCharacter* kingRuler = Ruler(king);
    CCharacter* dukeRuler = Ruler(duke, kingRuler);
    Ruler(count, dukeRuler);
    Ruler(stranger);
    kingRuler->score = CSimpleScore(900.0f, 4.0f, 3.0f);
    Land(1, king)->religion = 2;
    Land(2, king)->religion = 1;
    Land(3, count)->portSeaZone = 40;
    count->controlledProvinces.Append(3);

    EXPECT_EQ((std::vector<int32_t> { 1001 }), Numbers(*king->GetVassals()));
    ASSERT_EQ(kingRuler->GetVassals().GetSize(), 1);
    EXPECT_EQ((*kingRuler->GetVassals().GetHead()).Get(), dukeRuler);
    // 10 a province and a vassal realm, prestige and piety; gold does not count.
    EXPECT_FLOAT_EQ(king->CalcRankingScore(), 20.0f + 10.0f + 7.0f);
    EXPECT_EQ(stranger->CalcRankingScore(), 0.0f);

    // The count's port reaches the whole realm: the king's vassal's vassal.
    king->CalcRealmHasCoast();
    count->CalcRealmHasCoast();
    stranger->CalcRealmHasCoast();
    EXPECT_TRUE(king->hasCoast);
    EXPECT_TRUE(count->hasCoast);
    EXPECT_FALSE(stranger->hasCoast);

    // Only Christian rulers count provinces of another faith, and only the non-Christian ones.
    king->CalculateHereticOwned();
    EXPECT_EQ(king->hereticProvinces, 1);
    kingRuler->religion = 2;
    king->CalculateHereticOwned();
    EXPECT_EQ(king->hereticProvinces, 0);

    king->AddScore(CSimpleScore(1.0f, 2.0f, 3.0f));
    EXPECT_FLOAT_EQ(king->GetScore().GetPrestige(), 6.0f);
    EXPECT_EQ(stranger->GetPrimaryCulture(), 0);
    EXPECT_FALSE(stranger->IsMongol());
    stranger->ruler->culture = 36;
    EXPECT_TRUE(stranger->IsMongol());
    EXPECT_TRUE(Make(1347)->IsMongol());
}

TEST_F(CountryLandTest, DemesneShareFallsATenthAProvincePastTheLimit)
{
    gpTimer = new CRZTimer(15);
    struct Case {
        CRZCountryID id;
        CountryTier tier;
        FormOfGoverment form;
        int intrigue;
        int year;
        int provinces;
        float bonus;
        float share;
    };
    const Case cases[] = {
        { 20, TIER_DUCHY, GOV_FEUDAL, 8, 1066, 6, 0.0f, 0.8f }, // limit 4
        { 20, TIER_DUCHY, GOV_FEUDAL, 8, 1100, 6, 0.0f, 0.9f }, // a year bonus of 1
        { 20, TIER_DUCHY, GOV_FEUDAL, 8, 1300, 6, 0.0f, 1.0f }, // of 3
        { 20, TIER_KINGDOM, GOV_FEUDAL, 8, 1066, 12, 0.0f, 0.6f }, // doubled
        { 20, TIER_COUNTY, GOV_FEUDAL, 8, 1066, 4, 0.0f, 0.8f }, // halved
        { 20, TIER_COUNTY, GOV_FEUDAL, 0, 1066, 1, 0.0f, 1.0f }, // at least 1
        { 20, TIER_DUCHY, GOV_FEUDAL, 0, 1066, 30, 0.0f, 0.0f }, // never below 0
        { 20, TIER_DUCHY, GOV_FEUDAL, 8, 1066, 6, 0.5f, 1.0f }, // nor above 1
        { 20, TIER_DUCHY, GOV_REPUBLIC, 0, 1066, 30, 0.0f, 1.0f },
        { 1271, TIER_DUCHY, GOV_FEUDAL, 8, 1066, 10, 0.0f, 0.8f }, // the empire doubles the limit
    };
    for (const Case& c : cases) {
        gpTimer->SetDate(CDate(0, 0, c.year));
        CRZCountry* realm = Make(c.id);
        realm->tier = c.tier;
        realm->ImmidiateSetFormOfGoverment(c.form);
        Ruler(realm)->attributes = CAttributeTuple(0, 0, c.intrigue, 0, 0, 0);
        for (int p = 0; p < c.provinces; ++p)
            realm->ruler->ownedProvinces.Append(p + 1);
        EXPECT_NEAR(realm->GetDemesneIncomeModifier(c.bonus), c.share, 1e-5f) << c.id << " " << c.year;
    }
    delete gpTimer;
    gpTimer = nullptr;
}

TEST_F(CountryLandTest, MonthlyRelationChangeWeighsFaithCultureWarRivalsAndFriends)
{
    CRZCountry* us = Make(40);
    CRZCountry* them = Make(41);
    EXPECT_EQ(us->GetMonthlyRelationChange(them), 0.0f) << "no rulers";
    CCharacter* ours = Ruler(us);
    CCharacter* theirs = Ruler(them);
    // A relation ends on the day it is lost, so the game has a date.
    gpTimer = new CRZTimer(15);
    gpTimer->SetDate(CDate(0, 0, 1100));
    // Without traits the base compatibility is a half.
    struct Case {
        const char* what;
        int32_t religion, culture;
        bool war, rival, friendly;
        float change;
    };
    const Case cases[] = {
        { "kin", 0, 3, false, false, false, (0.5f + 0.5f + 0.5f) / 2.0f },
        { "other faith", 2, 3, false, false, false, (-1.0f + 0.5f + 0.5f) / 2.0f },
        { "other culture", 0, 4, false, false, false, (0.5f + 0.5f) / 2.0f },
        { "at war", 0, 3, true, false, false, (0.5f + 0.5f - 2.0f + 0.5f) / 2.0f },
        { "rivals", 0, 3, false, true, false, (0.5f + 0.5f - 1.5f + 0.5f) / 2.0f },
        { "friends", 0, 3, false, false, true, (0.5f + 0.5f + 1.0f + 0.5f) / 2.0f },
    };
    ours->culture = 3;
    for (const Case& c : cases) {
        theirs->religion = c.religion;
        theirs->culture = c.culture;
        us->atWarWith[41] = c.war ? 1 : 0;
        if (c.rival)
            theirs->CreateRelation(ours, RELATION_RIVAL);
        if (c.friendly)
            theirs->CreateRelation(ours, RELATION_FRIEND);
        EXPECT_FLOAT_EQ(us->GetMonthlyRelationChange(them), c.change) << c.what;
        theirs->LoseRival(ours);
        theirs->LoseFriend(ours);
    }
    EXPECT_EQ(us->GetMonthlyRelationChange(Make(42)), 0.0f) << "their realm has no ruler";
    delete gpTimer;
    gpTimer = nullptr;
}

TEST_F(CountryLandTest, AccessNeedsWarPeacefulFaithsOrOneTopRealm)
{
    CRZCountry* king = Make(1300);
    CRZCountry* vassal = Make(50);
    CRZCountry* stranger = Make(51);
    CCharacter* kingRuler = Ruler(king);
    Ruler(vassal, kingRuler)->religion = 2;
    Ruler(stranger)->religion = 2;
    kingRuler->religion = 0;
    EXPECT_FALSE(king->HasAccessWith(51)) << "a catholic and a muslim ruler";
    EXPECT_TRUE(king->HasAccessWith(50)) << "the same top realm";
    king->atWarWith[51] = 1;
    EXPECT_TRUE(king->HasAccessWith(51));
    stranger->ruler->religion = 1;
    EXPECT_TRUE(stranger->HasAccessWith(1300)) << "two Christian faiths";
    EXPECT_TRUE(king->HasAccessWith(60)) << "nobody rules there";
    EXPECT_FALSE(king->HasAccessWith(5000));
}

TEST_F(CountryLandTest, NameFollowsTheRulersPrimaryTitle)
{
    CRZCountry* realm = Make(1300);
    realm->SetName("Stored");
    EXPECT_STREQ(realm->GetName(), "Stored") << "no ruler";
    CCharacter* ruler = Ruler(realm);
    const std::string feudal
        = CTitle::GetTitle(1300)->GetCountryName(GOV_FEUDAL, ruler->religion, ruler->culture);
    EXPECT_EQ(realm->GetName(), feudal);
    realm->ImmidiateSetFormOfGoverment(GOV_REPUBLIC);
    EXPECT_EQ(realm->GetName(),
        std::string(CTitle::GetTitle(1300)->GetCountryName(GOV_REPUBLIC, ruler->religion, ruler->culture)));
    CRZCountry* rebels = Make(kRebelCountry);
    Ruler(rebels);
    EXPECT_STREQ(rebels->GetName(), CCountryDB::IDToName(kRebelCountry));
}

TEST_F(CountryLandTest, ClaimsAgainstARealmSkipOthersAndDropStaleIdentities)
{
    CRZCountry* us = Make(60);
    CRZCountry* them = Make(1001);
    CRZCountry* other = Make(1002);
    CCharacter* claimant = Ruler(us);
    Ruler(them);
    Ruler(other);
    auto* onThem = new CClaim(1001, CDate(0, 0, 1066));
    auto* onOther = new CClaim(1002, CDate(0, 0, 1066));
    onThem->SetCharacter(claimant);
    onOther->SetCharacter(claimant);
    CTitle::GetTitle(1001)->AddClaim(onThem);
    CTitle::GetTitle(1002)->AddClaim(onOther);
    claimant->AddClaim(CRZID(RZTYPE_DYNAMIC, 999999)); // names no claim
    ASSERT_EQ(claimant->claims.GetSize(), 3);

    const CList<CClaim*> against = us->GetClaimsAgainst(1001);
    ASSERT_EQ(against.GetSize(), 1);
    EXPECT_EQ(*against.GetHead(), onThem);
    EXPECT_EQ(claimant->claims.GetSize(), 2) << "the stale identity left the list";
    EXPECT_TRUE(us->HaveClaimsAgainst(1002));
    EXPECT_FALSE(us->HaveClaimsAgainst(61));
    EXPECT_FALSE(them->HaveClaimsAgainst(60));
    EXPECT_FALSE(us->HaveClaimsAgainst(5000));
}

TEST_F(CountryLandTest, CourtOfficesGoToTheBestSuitedCourtiers)
{
    gpTimer = new CRZTimer(15);
    gpTimer->SetDate(CDate(0, 0, 1100));
    gEventScheduler.Erase();
    CRZCountry* realm = Make(70);
    Ruler(realm);
    // Courtiers of age; the second is the better diplomat, the third the better steward and already
    // steward.
    auto Courtier = [&](int diplomacy, int stewardship, int position) {
        rulers.push_back(std::make_unique<CCharacter>());
        CCharacter* c = rulers.back().get();
        c->Create(CRZID(RZTYPE_CHARACTER, static_cast<uint32_t>(100 + rulers.size())));
        c->birthDate = CDate(0, 0, 1070);
        c->SetCountry(realm);
        c->attributes = CAttributeTuple(0, diplomacy, 0, stewardship, 0, 0);
        c->courtPosition = position;
        if (position > COURT_COURTIER)
            realm->courtPositions[position - COURT_CHANCELLOR] = c;
        if (!realm->court.Contains(c))
            realm->AddCharacter(c);
        return c;
    };
    Courtier(5, 1, COURT_COURTIER);
    CCharacter* diplomat = Courtier(9, 1, COURT_COURTIER);
    CCharacter* steward = Courtier(1, 6, COURT_STEWARD);
    realm->AssignCourt();

    std::vector<std::pair<CRZID, int32_t>> asked;
    gEventScheduler.ForEach([&](CRZEvent* event) {
        if (event->GetType() == _CRZEVT_CHANGE_COURT_POS_) {
            const auto& record = static_cast<CRZChangeCourtPosEvent*>(event)->Record();
            asked.emplace_back(record.character, record.position);
        }
    });
    gEventScheduler.Erase();
    delete gpTimer;
    gpTimer = nullptr;
    // The diplomat becomes chancellor; the steward keeps his office without a request.
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].first, diplomat->GetID());
    EXPECT_EQ(asked[0].second, COURT_CHANCELLOR);
    EXPECT_EQ(realm->courtPositions[COURT_STEWARD - COURT_CHANCELLOR], steward);
}

TEST_F(CountryTest, ActingCapitalStandsInWhileTheCapitalIsHeldByAnother)
{
    CRZCountry* realm = Make(8);
    realm->capital = 17;
    realm->actingCapital = 23;
    realm->controlledProvinces.Append(23);
    EXPECT_EQ(realm->GetActingCapital(), 23);
    realm->controlledProvinces.Append(17);
    EXPECT_EQ(realm->GetActingCapital(), 17);
}

// The router: a realm that records what its handlers and armies see.
class CRecordingCountry : public CRZCountry {
public:
    int handleTimerDay(CRZEvent*) override { return Saw("day", 0); }
    int handleStartCrusades(CRZEvent*) override { return Saw("crusades", 7); }
    int handleRequest(CRequest* request) override
    {
        considered.push_back(request->GetId().number);
        return Saw("request", 5);
    }
    int handleResponse(CRequest* request, int answer) override
    {
        answered.push_back({ request->GetId().number, answer });
        return 9;
    }
    int Saw(const char* what, int answer)
    {
        seen.push_back(what);
        return answer;
    }
    std::vector<std::string> seen;
    std::vector<uint32_t> considered;
    std::vector<std::pair<uint32_t, int>> answered;
};

std::vector<CRZEvtType> gArmySaw;

class RouterTest : public CountryTest {
protected:
    void SetUp() override
    {
        CountryTest::SetUp();
        gArmySaw.clear();
        gCountryHooks.UpdateArmy = [](CRZUnit*, CRZEvent* event) {
            gArmySaw.push_back(event->GetType());
            return 1;
        };
        realm = new CRecordingCountry;
        realm->index = 30;
        CRZCountry::_pCountry[30] = realm;
        // A stand-in army: the realm only passes it to the army route.
        realm->armies.Append(reinterpret_cast<CRZUnit*>(&army));
    }
    void TearDown() override
    {
        realm->armies.RemoveAll();
        CountryTest::TearDown();
    }
    // A request whose validity the test sets.
    struct CSetRequest : CRequest {
        using CRequest::CRequest;
        bool IsValid() const override { return valid; }
        bool valid = true;
    };
    CSetRequest* Pending(uint32_t number)
    {
        auto* request = new CSetRequest(CRZID(RZTYPE_CHARACTER, number), 30);
        realm->pendingRequests.Append(request);
        return request;
    }
    int Answer(uint32_t number, int answer)
    {
        CRZResponseEvent event(
            _CRZEVT_RESPONSE_, CountryIdentity(30), CRZID(RZTYPE_CHARACTER, number), answer);
        return realm->Update(&event);
    }
    int Send(CRZEvtType type)
    {
        CRZGenericEvent event(type, CountryIdentity(30));
        return realm->Update(&event);
    }

    CRecordingCountry* realm = nullptr;
    int army = 0;
};

TEST_F(RouterTest, TableTypesReachTheirHandlersOnce)
{
    EXPECT_EQ(Send(_CRZEVT_TIMER_DAY_), 0);
    EXPECT_EQ(Send(_CRZEVT_START_CRUSADES_), 7);
    EXPECT_EQ((std::vector<std::string> { "day", "crusades" }), realm->seen);
    // Every table row names a different type inside the enumeration.
    std::vector<bool> used(kEventTypeCount, false);
    for (std::size_t i = 0; i < kCountryRouteCount; ++i) {
        ASSERT_LT(kCountryRoutes[i].type, kEventTypeCount);
        EXPECT_FALSE(used[kCountryRoutes[i].type]) << kCountryRoutes[i].type;
        used[kCountryRoutes[i].type] = true;
    }
    EXPECT_EQ(kCountryRouteCount, 68u);
    EXPECT_TRUE(gArmySaw.empty());
}

TEST_F(RouterTest, TheLaterOfTwoRequestsWithOneIdentityIsAnswered)
{
    CSetRequest* first = Pending(4);
    Pending(4);
    EXPECT_EQ(Answer(4, 1), 9);
    ASSERT_EQ(realm->pendingRequests.GetSize(), 1);
    EXPECT_EQ(*realm->pendingRequests.GetHead(), first);
    EXPECT_EQ((std::vector<std::pair<uint32_t, int>> { { 4, 1 } }), realm->answered);

    // A request gone invalid is removed without an answer.
    first->valid = false;
    EXPECT_EQ(Answer(4, 2), 0);
    EXPECT_EQ(realm->pendingRequests.GetSize(), 0);
    EXPECT_EQ(realm->answered.size(), 1u);
}

TEST_F(RouterTest, AnAnswerWithoutItsRequestGoesOnAsAnOrdinaryEvent)
{
    Pending(4);
    EXPECT_EQ(Answer(6, 1), 0);
    EXPECT_EQ((std::vector<CRZEvtType> { _CRZEVT_RESPONSE_ }), gArmySaw);
    EXPECT_EQ(realm->pendingRequests.GetSize(), 1);

    // Where the event makes a request, the sender keeps one and the realm considers another.
    CRZSimpleRequestEvent offer(
        _CRZEVT_REQUEST_OFFER_ALLIANCE_, CountryIdentity(30), CRZID(RZTYPE_CHARACTER, 77), 30, 30, CDate());
    EXPECT_EQ(realm->Update(&offer), 5);
    EXPECT_EQ(realm->pendingRequests.GetSize(), 2);
    EXPECT_EQ((std::vector<uint32_t> { 77 }), realm->considered);
    EXPECT_EQ(gArmySaw.size(), 1u);
}

TEST_F(RouterTest, MonthYearAndGameStartedNeverReachTheArmies)
{
    for (CRZEvtType type : { _CRZEVT_TIMER_MONTH_, _CRZEVT_TIMER_YEAR_, _CRZEVT_GAME_STARTED_ })
        Send(type);
    CRZGenericEvent refresh(_CRZEVT_REFRESHWINDOWS_, CountryIdentity(30));
    EXPECT_EQ(realm->UpdateSubObjects(&refresh), static_cast<int>(_CRZEVT_REFRESHWINDOWS_));
    EXPECT_TRUE(gArmySaw.empty());
    // Types past the enumeration and unrouted ones do reach them.
    Send(static_cast<CRZEvtType>(9000));
    Send(_CRZEVT_TIMER_DAY_);
    EXPECT_EQ((std::vector<CRZEvtType> { static_cast<CRZEvtType>(9000) }), gArmySaw);
}

TEST_F(RouterTest, DivisionEventsReachTheArmiesOnlyWithTheirRecords)
{
    static int gKills = 0;
    gKills = 0;
    gCountryHooks.KillDivision = [](CRZCountry*, const CRZKillDivisionEventData&) { return ++gKills, 3; };
    gCountryHooks.AddDivision = [](CRZCountry*, const CRZAddDivisionEventData&) { return 0; };
    // A kill posted with a record too short for one changes nothing.
    EXPECT_EQ(Send(_CRZEVT_KILL_DIVISION_), 3);
    EXPECT_EQ(gKills, 0);
    CRZKillDivisionEvent kill(_CRZEVT_KILL_DIVISION_, CountryIdentity(30), DynamicID(), false, false, 0);
    EXPECT_EQ(realm->Update(&kill), 3);
    EXPECT_EQ(gKills, 1);
    // A refused move answers 0, as its handler does.
    CRZAddDivisionEvent add(_CRZEVT_ADD_DIVISION_, CountryIdentity(30), DynamicID(), DynamicID(), 0);
    EXPECT_EQ(realm->Update(&add), 0);
}

TEST_F(RouterTest, AnEventForRealm5000IsDroppedWithALogLineBeforeAnyTableIsTouched)
{
    static int gLookups = 0;
    gLookups = 0;
    gIdentityLookups.GetCountry = [](uint32_t index) -> CRZStaticObject* {
        ++gLookups;
        return CRZCountry::FindStatic(index);
    };
    CRZGenericEvent stray(_CRZEVT_TIMER_DAY_, CRZID(RZTYPE_COUNTRY, 5000));
    EXPECT_EQ(DeliverEvent(&stray), 0);
    EXPECT_EQ(gLookups, 0);
    EXPECT_TRUE(realm->seen.empty());
    EXPECT_NE(support::ReadAll(support::gDataFolder + "/history.txt")
                  .find("realm number 5000 outside 0..1422: event dropped"),
        std::string::npos);
    // The same event for a realm in the table reaches it, through the table.
    CRZGenericEvent day(_CRZEVT_TIMER_DAY_, CountryIdentity(30));
    DeliverEvent(&day);
    EXPECT_EQ(gLookups, 1);
    EXPECT_EQ((std::vector<std::string> { "day" }), realm->seen);
    gIdentityLookups.GetCountry = nullptr;
}

TEST_F(RouterTest, TheRouterAnswersAFewTypesItself)
{
    CRZVpEvent vp(CountryIdentity(30), static_cast<BaseVPSource>(2), 1.5f);
    EXPECT_EQ(realm->Update(&vp), 3);
    EXPECT_EQ(realm->baseVP[2], 1.5f);
    CRZVpEvent bad(CountryIdentity(30), static_cast<BaseVPSource>(900), 1.5f);
    EXPECT_EQ(realm->Update(&bad), 3) << "a source past the table changes nothing";
    EXPECT_EQ(Send(_CRZEVT_SET_WILLINHERIT_), 3);
    EXPECT_TRUE(realm->willInherit);
    Send(_CRZEVT_ENABLE_GODMODE_);
    EXPECT_TRUE(realm->godMode);
    Send(_CRZEVT_DISABLE_GODMODE_);
    EXPECT_FALSE(realm->godMode);
    EXPECT_TRUE(realm->seen.empty());
    EXPECT_TRUE(gArmySaw.empty());
}

} // namespace
