// A character's day on the host: who conceives and how often, when labour comes and how it ends, what a
// birth event makes of its record, and where courtiers and fosterlings go on their turn.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "characters/culture.h"
#include "events/event_posting.h"
#include "events/event_scheduler.h"
#include "events/generic_events.h"
#include "events/records_character.h"
#include "foundation/random_generator.h"
#include "world/character_estate.h"
#include "world/server.h"
#include "world_fakes.h"

#include "foundation/safeguards.h"

using namespace worldfakes;

namespace {

// The character server as the host's requests reach it: each request is noted, none is relayed.
class CRequestLog : public CCharacterServer {
public:
    CRZReturnType Update(CRZEvent* event) override
    {
        types.push_back(event->GetType());
        return 0;
    }
    int Count(CRZEvtType type) const
    {
        int seen = 0;
        for (CRZEvtType each : types)
            seen += each == type ? 1 : 0;
        return seen;
    }
    std::vector<CRZEvtType> types;
};

class CharacterLifeTest : public HostWorldTest {
protected:
    void SetUp() override
    {
        HostWorldTest::SetUp();
        gGlobal.characterServer = &requests;
        gGameRandom.Seed(7);
    }

    CCharacter* Person(CRZCountry* realm, int age, bool female, int fertility = 5, int health = 5)
    {
        CCharacter* person = Character(realm);
        person->birthDate = CDate(0, 0, 1100 - age);
        person->gender = female ? GENDER_FEMALE : GENDER_MALE;
        CAttributeTuple base;
        base.Set(CAttributeTuple::FERTILITY, fertility);
        base.Set(CAttributeTuple::HEALTH, health);
        person->SetBaseAttributes(base);
        return person;
    }

    CCharacter* Wife(CRZCountry* realm, int age, int fertility, int husbandFertility)
    {
        CCharacter* wife = Person(realm, age, true, fertility);
        Relate(RELATION_MARRIAGE, wife, Person(realm, 30, false, husbandFertility));
        return wife;
    }

    // Requests of the type made by the check over the given number of days' draws.
    int Requests(CCharacter* character, void (CCharacter::*check)(), int draws, CRZEvtType type)
    {
        requests.types.clear();
        for (int i = 0; i < draws; ++i) {
            (character->*check)();
            gEventScheduler.ProcessAll();
        }
        return requests.Count(type);
    }

    CRequestLog requests;
};

TEST_F(CharacterLifeTest, ConceptionFollowsAgeFertilityAndTheLastChild)
{
    constexpr int kDraws = 20000;
    // f = min(fertility with age, the husband's) + 5 for the childless young, at most 10; p = 1 -
    // 0.5^(f^4/900000).
    const double tenPerDay = 1.0 - std::pow(0.5, 10000.0 / 900000.0);
    const struct {
        int age, fertility, husband, childDaysAgo;
        double chance;
    } cases[] = {
        { 46, 10, 10, -1, 0.0 },
        { 15, 10, 10, -1, 0.0 },
        { 16, 10, 10, -1, tenPerDay },
        { 22, 5, 8, -1, tenPerDay },
        { 22, 5, 0, -1, 0.0 },
        { 22, 10, 10, 20, 0.0 },
        // Past 30 fertility 10 is 10 × 0.9 × 0.85 = 7.65, with no bonus for youth.
        { 31, 10, 10, -1, 1.0 - std::pow(0.5, std::pow(7.65, 4.0) / 900000.0) },
    };
    CRZCountry* realm = Realm(12);
    for (const auto& c : cases) {
        CCharacter* wife = Wife(realm, c.age, c.fertility, c.husband);
        if (c.childDaysAgo >= 0) {
            CCharacter* child = Person(realm, 0, false);
            child->birthDate.ConvertFromDays(GetGameToday().GetDays() - c.childDaysAgo);
            wife->InitAddChild(child);
        }
        const double rate
            = Requests(wife, &CCharacter::CheckImpregnation, kDraws, _CRZEVT_IMPREGNATION_) / double(kDraws);
        if (c.chance == 0.0)
            EXPECT_EQ(rate, 0.0) << c.age << " " << c.fertility << " " << c.husband;
        else
            EXPECT_NEAR(rate, c.chance, c.chance * 0.3) << c.age << " " << c.fertility << " " << c.husband;
    }
    // Unmarried, or a man: never.
    EXPECT_EQ(
        Requests(Person(realm, 20, true, 10), &CCharacter::CheckImpregnation, 2000, _CRZEVT_IMPREGNATION_),
        0);
    CCharacter* husband = Person(realm, 20, false, 10);
    Relate(RELATION_MARRIAGE, husband, Person(realm, 20, true, 10));
    EXPECT_EQ(Requests(husband, &CCharacter::CheckImpregnation, 2000, _CRZEVT_IMPREGNATION_), 0);
}

TEST_F(CharacterLifeTest, TheMonthAfterABirthCountsFromTheLastChildOfTheList)
{
    // Sons come before daughters in the list, each eldest first: a newborn son ahead of an older daughter
    // does not hold his mother back, whichever of them was added first.
    struct Child {
        bool female;
        int daysAgo;
    };
    const struct {
        Child first, second;
        bool conceives;
    } cases[] = {
        { { false, 20 }, { true, 2000 }, true },
        { { true, 2000 }, { false, 20 }, true },
        { { false, 2000 }, { true, 20 }, false },
        { { true, 20 }, { false, 2000 }, false },
        { { false, 20 }, { false, 2000 }, false },
        { { false, 2000 }, { false, 40 }, true },
    };
    CRZCountry* realm = Realm(12);
    for (const auto& c : cases) {
        CCharacter* wife = Wife(realm, 20, 10, 10);
        for (const Child& each : { c.first, c.second }) {
            CCharacter* child = Person(realm, 0, each.female);
            child->birthDate.ConvertFromDays(GetGameToday().GetDays() - each.daysAgo);
            wife->InitAddChild(child);
        }
        // At f = 10 a wife conceives about once in 130 days.
        const int conceived = Requests(wife, &CCharacter::CheckImpregnation, 3000, _CRZEVT_IMPREGNATION_);
        EXPECT_EQ(conceived > 0, c.conceives) << c.first.daysAgo << " then " << c.second.daysAgo;
    }
}

TEST_F(CharacterLifeTest, LabourComesBetweenDays241And276AndEndsByHealth)
{
    CRZCountry* realm = Realm(12);
    CCharacter* husband = Person(realm, 30, false);
    const struct {
        int days, health, children;
        int births, lost; // births and endings of the other kinds, in 1000 days of draws; -1: some
    } cases[] = {
        { 240, 15, 0, 0, 0 },
        { 276, 15, 0, 1000, 0 },
        // Health 0 with 14 children: r + 14 <= 85 fails for r of 72 and above, a quarter of the draws.
        { 300, 0, 14, -1, -1 },
        { 250, 15, 0, -1, 0 },
    };
    for (const auto& c : cases) {
        CCharacter* mother = Person(realm, 25, true, 5, c.health);
        for (int i = 0; i < c.children; ++i)
            mother->InitAddChild(Person(realm, 14 - i, false));
        mother->childFather = husband->GetID();
        mother->conceptionDate.ConvertFromDays(GetGameToday().GetDays() - c.days);
        requests.types.clear();
        for (int i = 0; i < 1000; ++i) {
            mother->CheckBirth();
            gEventScheduler.ProcessAll();
        }
        const int births = requests.Count(_CRZEVT_BIRTH_);
        const int lost = requests.Count(_CRZEVT_MISSCARRIGE_) + requests.Count(_CRZEVT_DEATH_CHILDBIRTH_);
        if (c.births >= 0)
            EXPECT_EQ(births, c.births) << c.days;
        else
            EXPECT_GT(births, 0) << c.days;
        if (c.lost >= 0)
            EXPECT_EQ(lost, c.lost) << c.days;
        else
            EXPECT_GT(lost, 0) << c.days;
        mother->deathPosted = 0;
    }
}

TEST_F(CharacterLifeTest, ABirthMakesTheChildOfBothParentsOnlyWhileTheFatherExists)
{
    gGlobal.characterServer = &server;
    CRZCountry* realm = Realm(12);
    CCharacter* father = Person(realm, 30, false);
    CCharacter* mother = Person(realm, 25, true);
    father->dynasty = CRZID(RZTYPE_DYNASTY, 5);
    mother->homeProvince = 77;
    auto birth = [&](const CRZID& sire, const CRZID& child, int culture) {
        mother->conceptionDate = CDate(0, 0, 1099);
        mother->childFather = sire;
        CRZBirthEvent event(_CRZEVT_BIRTH_, mother->GetID(), mother->GetID(), sire, child, 77, GetGameToday(),
            0.0f, 0.0f, 0.0f, 0.0f, 3.7f, -2.0f, GENDER_FEMALE, static_cast<RZReligionType>(1),
            static_cast<RZCultureType>(culture));
        mother->Update(&event);
        EXPECT_FALSE(mother->IsPregnant());
        EXPECT_EQ(mother->childFather, NOID);
        return dynamic_cast<CCharacter*>(CIdentity::GetObjectFromID(child));
    };

    const CRZID first = CRZDynamicObject::GetUniqueDynamicID();
    CCharacter* child = birth(father->GetID(), first, 4);
    ASSERT_NE(child, nullptr);
    characters.push_back(std::unique_ptr<CCharacter>(child));
    EXPECT_TRUE(server.Contains(child));
    EXPECT_EQ(child->father, father->GetID());
    EXPECT_EQ(child->mother, mother->GetID());
    EXPECT_TRUE(father->children.Contains(CRef<CCharacter>(child)));
    EXPECT_TRUE(mother->children.Contains(CRef<CCharacter>(child)));
    EXPECT_EQ(child->realmId, 12);
    EXPECT_EQ(child->dynasty, father->dynasty);
    EXPECT_EQ(child->homeProvince, 77);
    EXPECT_EQ(child->culture, 4);
    EXPECT_EQ(child->religion, 1);
    EXPECT_EQ(child->status, 1);
    EXPECT_EQ(child->GetBaseAttributes().Get(CAttributeTuple::HEALTH), 3);
    EXPECT_EQ(child->GetBaseAttributes().Get(CAttributeTuple::FERTILITY), 0);
    EXPECT_GT(std::strlen(child->GetName()), 0u);
    const int registered = server.GetSize();

    // A father who is gone, an identity already taken or numbers outside their tables make no child.
    const CRZID unborn = CRZDynamicObject::GetUniqueDynamicID();
    EXPECT_EQ(birth(CRZID(RZTYPE_CHARACTER, 9999), unborn, 4), nullptr);
    EXPECT_EQ(birth(father->GetID(), father->GetID(), 4), father);
    EXPECT_EQ(birth(father->GetID(), unborn, kCultureCount), nullptr);
    EXPECT_EQ(birth(father->GetID(), NOID, 4), nullptr);
    EXPECT_EQ(server.GetSize(), registered);
    EXPECT_EQ(father->children.GetSize(), 1);
}

TEST_F(CharacterLifeTest, OnTheirTurnCourtiersFollowFamilyAndGrownFosterlingsGoHome)
{
    CRZCountry* home = Realm(12);
    CRZCountry* foster = Realm(13);
    Ruler(home);
    Ruler(foster);
    CCharacter* father = Person(home, 50, false);
    auto child = [&](CRZCountry* realm, int age) {
        CCharacter* person = Person(realm, age, false);
        person->father = father->GetID();
        father->InitAddChild(person);
        return person;
    };
    CCharacter* homeless = child(nobody, 30);
    CCharacter* youngFosterling = child(foster, 12);
    CCharacter* grownFosterling = child(foster, 16);
    CCharacter* adultCourtier = child(foster, 25);
    for (CCharacter* fosterling : { youngFosterling, grownFosterling })
        fosterling->AddTrait(TRAIT_FOSTERLING);
    // Each character's turn is the day whose number plus his own is a multiple of 53.
    auto turn = [](CCharacter* person) {
        CDate day = GetGameToday();
        while ((day.GetDays() + static_cast<int>(person->GetID().number)) % 53 != 0)
            day.AddDays(1);
        gpTimer->SetDate(day);
        CRZTimerEvent tick(_CRZEVT_TIMER_DAY_, person->GetID(), day);
        person->Update(&tick);
    };
    for (CCharacter* person : { homeless, youngFosterling, grownFosterling, adultCourtier })
        turn(person);
    EXPECT_EQ(homeless->realmId, 12);
    EXPECT_EQ(youngFosterling->realmId, 13);
    EXPECT_TRUE(youngFosterling->HasTrait(TRAIT_FOSTERLING));
    EXPECT_EQ(grownFosterling->realmId, 12);
    EXPECT_FALSE(grownFosterling->HasTrait(TRAIT_FOSTERLING));
    // Past 21 a courtier no longer follows his father.
    EXPECT_EQ(adultCourtier->realmId, 13);
}

} // namespace
