// The realm's day and month ticks: the capital kept inside the realm, relations drifting toward 100,
// infamy forgotten with piety, computer realms out of debt, and the courts filled from the realm of nobody.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "app/settings.h"
#include "characters/papacy.h"
#include "events/game_clock.h"
#include "events/generic_events.h"
#include "foundation/logs.h"
#include "realm_land.h"
#include "realms/country.h"
#include "support/data_folder.h"

#include "foundation/safeguards.h"

namespace {

class CountryTimersTest : public ::testing::Test, public CRealmLand {
protected:
    void SetUp() override
    {
        CRZCountry::InitCountryArray();
        ClearCountryControl();
        gCountryHooks = CountryHooks {};
        gpTimer = new CRZTimer(15);
        gpTimer->SetDate(CDate(0, 0, 1100));
        gpSettings = &settings;
        settings.Record().difficulty = 0;
    }
    void TearDown() override
    {
        people.clear();
        CRZCountry::DeleteAll();
        gCountryHooks = CountryHooks {};
        gpSettings = nullptr;
        delete gpTimer;
        gpTimer = nullptr;
    }

    CRZCountry* Make(CRZCountryID id)
    {
        CRZCountry::ConstructCountry(id);
        return CRZCountry::_pCountry[id];
    }
    // An adult of the realm.
    CCharacter* Person(CRZCountry* realm, Gender gender = GENDER_MALE, int culture = 0)
    {
        people.push_back(std::make_unique<CCharacter>());
        CCharacter* person = people.back().get();
        person->Create(CRZID(RZTYPE_CHARACTER, 5000u + static_cast<uint32_t>(people.size())));
        person->birthDate = CDate(0, 0, 1070);
        person->gender = gender;
        person->culture = culture;
        person->SetCountry(realm);
        return person;
    }
    static void Tick(CRZCountry* realm, CRZEvtType type)
    {
        CRZTimerEvent event(type, ALLID, gpTimer->GetDate());
        realm->Update(&event);
    }

    CSettings settings;
    std::vector<std::unique_ptr<CCharacter>> people;
};

TEST_F(CountryTimersTest, ACapitalOwnedByAnotherRealmIsReplacedTheSameDay)
{
    CRZCountry* realm = Make(5);
    CRZCountry* other = Make(6);
    Ruler(realm);
    Ruler(other);
    Land(10, realm);
    Land(11, realm, 300, 0);
    realm->capital = realm->actingCapital = 10;
    CTitle::GetTitle(10)->SetNewHolder(other->ruler);

    Tick(realm, _CRZEVT_TIMER_DAY_);
    EXPECT_EQ(realm->capital, 11);
    EXPECT_EQ(realm->actingCapital, 11);
}

TEST_F(CountryTimersTest, RelationsDriftTowardAHundredButNeverAcrossIt)
{
    struct Case {
        bool friends; // one faith and culture and no war drift up; other faiths at war drift down
        float before;
        bool moves;
    };
    const Case cases[] = {
        { true, 150.0f, false },
        { true, 90.0f, true },
        { false, 50.0f, false },
        { false, 150.0f, true },
    };
    for (const Case& c : cases) {
        CRZCountry* us = Make(40);
        CRZCountry* them = Make(41);
        Ruler(us);
        Ruler(them)->religion = c.friends ? 0 : 2;
        us->atWarWith[41] = c.friends ? 0 : 1;
        ASSERT_EQ(us->GetMonthlyRelationChange(them) > 0.0f, c.friends);
        us->SetRelation(41, c.before);

        Tick(us, _CRZEVT_TIMER_MONTH_);
        EXPECT_EQ(us->GetRelation(41) != c.before, c.moves) << c.before << " friends " << c.friends;
        EXPECT_EQ(them->GetRelation(40), us->GetRelation(41));
        CRZCountry::DeleteAll();
    }
}

TEST_F(CountryTimersTest, InfamyFadesWithPietyAndTheDifficultyWhateverAPeerSent)
{
    struct Case {
        float piety;
        int32_t difficulty;
        float decay;
    };
    const Case cases[] = {
        { 10000.0f, 0, 5.0f / 12.0f }, // s = 10, capped at 5
        { 0.0f, 0, 0.0f }, { 400.0f, 1, 1.0f / 12.0f },
        { 10000.0f, 9, 2.0f / 12.0f }, // read as the hardest, 4
        { 400.0f, -1, 2.0f / 12.0f }, // read as the easiest, not a division by zero
    };
    for (const Case& c : cases) {
        CRZCountry* realm = Make(7);
        Ruler(realm)->score = CSimpleScore(0.0f, 0.0f, c.piety);
        settings.Record().difficulty = c.difficulty;
        EXPECT_NEAR(realm->GetMonthlyBadBoyDecay(), c.decay, 1e-6f) << c.piety << " at " << c.difficulty;
        CRZCountry::DeleteAll();
    }
    settings.Record().difficulty = 0;
    CRZCountry* realm = Make(7);
    Ruler(realm)->score = CSimpleScore(0.0f, 0.0f, 10000.0f);
    realm->AddBadBoy(10.0f);
    Tick(realm, _CRZEVT_TIMER_MONTH_);
    EXPECT_NEAR(realm->GetBadBoy(), 10.0f - 5.0f / 12.0f, 1e-5f);
}

// Every realm runs its day, so its trace lines cost nothing unless the save-debugging log is on.
TEST_F(CountryTimersTest, TheDaysPhasesAreTracedOnlyWhileTheDiagnosticLogIsOn)
{
    auto contents = [] {
        std::ifstream in(support::gDataFolder + "/savedebug.txt");
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    };
    CRZCountry* realm = Make(8);
    Ruler(realm);
    const std::string before = contents();
    Tick(realm, _CRZEVT_TIMER_DAY_);
    EXPECT_EQ(contents(), before);

    isSuperDebug = 1;
    Tick(realm, _CRZEVT_TIMER_DAY_);
    isSuperDebug = 0;
    std::string phases;
    for (char phase : std::string("abcde"))
        phases += std::string("TimerDay: ") + realm->GetName() + " - phase " + phase + "\n";
    EXPECT_EQ(contents(), before + phases);
}

TEST_F(CountryTimersTest, AComputerRealmEndsTheDayOutOfDebtAHumanKeepsHis)
{
    CRZCountry* computer = Make(8);
    CRZCountry* human = Make(9);
    gCountryControl[9] = CONTROL_LOCAL_PLAYER;
    Ruler(computer)->score = CSimpleScore(-50.0f, 3.0f, 4.0f);
    Ruler(human)->score = CSimpleScore(-50.0f, 3.0f, 4.0f);

    Tick(computer, _CRZEVT_TIMER_DAY_);
    Tick(human, _CRZEVT_TIMER_DAY_);
    EXPECT_EQ(computer->GetScore().GetGold(), 0.0f);
    EXPECT_EQ(computer->GetScore().GetPrestige(), 3.0f);
    EXPECT_EQ(computer->GetScore().GetPiety(), 4.0f);
    EXPECT_EQ(human->GetScore().GetGold(), -50.0f);
}

TEST_F(CountryTimersTest, CourtsTakeTheirCultureFromThePoolAndAHalfFemalePapalCourtOnlyMen)
{
    struct Case {
        int menAtCourt;
        int womenAtCourt;
        bool womanTaken;
    };
    const Case cases[] = { { 2, 2, false }, { 1, 0, true } };
    for (const Case& c : cases) {
        CRZCountry* pool = Make(kNobodyCountry);
        CRZCountry* papal = Make(kPapalStateCountry);
        papal->tier = TIER_KINGDOM;
        Ruler(papal)->culture = 4;
        for (int i = 0; i < c.menAtCourt; ++i)
            Person(papal, GENDER_MALE, 4);
        for (int i = 0; i < c.womenAtCourt; ++i)
            Person(papal, GENDER_FEMALE, 4);
        CCharacter* stranger = Person(pool, GENDER_MALE, 9);
        CCharacter* man = Person(pool, GENDER_MALE, 4);
        CCharacter* woman = Person(pool, GENDER_FEMALE, 4); // the last of the pool is taken first

        Tick(pool, _CRZEVT_TIMER_DAY_);
        EXPECT_EQ(man->realmId, kPapalStateCountry);
        EXPECT_EQ(woman->realmId, c.womanTaken ? kPapalStateCountry : kNobodyCountry) << c.womenAtCourt;
        EXPECT_EQ(stranger->realmId, kNobodyCountry);
        EXPECT_EQ(pool->members.Contains(woman), !c.womanTaken);
        people.clear();
        CRZCountry::DeleteAll();
    }
}

TEST_F(CountryTimersTest, NeededCourtiersAndTheEstatesBudgetLoyalty)
{
    CRZCountry* realm = Make(12);
    Ruler(realm);
    const struct {
        CountryTier tier;
        int needed;
    } tiers[] = { { TIER_KINGDOM, 8 }, { TIER_DUCHY, 6 }, { TIER_COUNTY, 4 } }; // the ruler is no member
    for (const auto& t : tiers) {
        realm->tier = t.tier;
        EXPECT_EQ(realm->GetNeededCharacters(), t.needed);
    }
    for (int i = 0; i < 5; ++i)
        Person(realm);
    EXPECT_EQ(realm->GetNeededCharacters(), 0);

    const struct {
        int stand;
        float share;
        float progress;
    } estates[] = { { 0, 1.0f, -0.01f }, { 1, 0.0f, 0.01f }, { 2, 1.0f, 0.01f }, { 3, 1.0f, -0.005f },
        { 4, 1.0f, 0.0f } };
    for (const auto& e : estates)
        EXPECT_NEAR(realm->GetLoyaltyProgress(e.stand, e.share), e.progress, 1e-6f) << e.stand;
    realm->budget[SLIDER_CROWN_DUTY] = 0.0f;
    EXPECT_NEAR(realm->GetLoyaltyProgress(3), 0.005f, 1e-6f);
}

} // namespace
