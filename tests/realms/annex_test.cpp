// Annexation and new realms: what cannot be annexed, a victim that keeps a county, the local player's realm
// annexed, and a realm made from titles.
#include <gtest/gtest.h>

#include <vector>

#include "events/event_posting.h"
#include "events/event_routing.h"
#include "events/event_scheduler.h"
#include "events/generic_events.h"
#include "events/record_event.h"
#include "war_world.h"

#include "foundation/safeguards.h"

namespace {

class AnnexTest : public ::testing::Test {
protected:
    CWarWorld world;
};

TEST_F(AnnexTest, TheRebelsAndAnEmptyNumberAreNotAnnexed)
{
    CRZCountry* annexer = world.Realm(10);
    CRZCountry::ConstructCountry(kRebelCountry);
    annexer->Annex(kRebelCountry, false);
    annexer->Annex(30, false);
    EXPECT_NE(CRZCountry::GetCountry(kRebelCountry), nullptr);
    EXPECT_FALSE(CRZCountry::_bAnnexationInProgress);
}

TEST_F(AnnexTest, AVictimWhoseRulerKeepsACountyLosesOnlyTheTitlesAboveItAndRemains)
{
    CRZCountry* annexer = world.Realm(10);
    CRZCountry* victim = world.Realm(1001);
    world.Land(30, victim);
    ASSERT_EQ(victim->ruler->titles.GetSize(), 2);
    annexer->Annex(1001, false);
    EXPECT_EQ(CRZCountry::GetCountry(1001), victim);
    EXPECT_EQ(CTitle::GetTitle(30)->GetCurrentHolder(), victim->ruler);
}

TEST_F(AnnexTest, ALandlessVictimsWarsEndAndItLeavesTheTable)
{
    CRZCountry* annexer = world.Realm(10);
    CRZCountry* victim = world.Realm(20);
    world.Land(10, annexer);
    CCharacter* head = victim->ruler;
    const CRZID war = world.War(victim, annexer)->GetID();
    annexer->Annex(20, true);
    EXPECT_EQ(CRZCountry::GetCountry(20), nullptr);
    EXPECT_EQ(CWar::GetWar(war), nullptr);
    EXPECT_EQ(annexer->atWarWith[20], 0);
    EXPECT_EQ(head->GetCountry(), CRZCountry::GetCountry(kNobodyCountry));
}

TEST_F(AnnexTest, TheLocalPlayersRealmAnnexedEndsHisGameAndStaysInTheTable)
{
    gCountryControl[20] = CONTROL_LOCAL_PLAYER;
    CRZCountry* annexer = world.Realm(10);
    CRZCountry* victim = world.Realm(20);
    annexer->Annex(20, false);
    EXPECT_EQ(CRZCountry::GetCountry(20), victim);
    EXPECT_TRUE(victim->annexed);
}

TEST_F(AnnexTest, ARealmIsMadeOnlyOfTitlesWithACountyUnderTheHighestFreeNumber)
{
    CCharacter* founder = world.Courtier(world.Realm(10));
    CList<CRZID> duchies;
    duchies.Append(CTitle::GetTitle(1005)->GetID());
    EXPECT_EQ(CRZCountry::CreateCountryFromTitles(duchies, founder, kNoCountry), nullptr);
    CList<CRZID> county = duchies;
    county.Append(CTitle::GetTitle(40)->GetID());
    CRZCountry* made = CRZCountry::CreateCountryFromTitles(county, founder, kNoCountry);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->index, 1421);
    EXPECT_EQ(made->ruler, founder);
}

// Where the people of an annexed duchy go. Realms: the annexer 10 with land 10, the victim 1001 (a vassal
// of the kingdom 1300 when asked), a father's realm 1002, a mother's 1003 and a third realm 1004 with land
// 40. The victim's land 30 is held by a count of its court, so its ruler keeps no county and the
// annexation reaches its people.
TEST(AnnexPlacement, ThePeopleOfTheVictimGoWhereTheirKinOrTheirLandLies)
{
    enum Kin { None, InVictim, InOwnRealm, InAnnexer };
    enum Place { Nobody, Father, Mother, Third, Top };
    const struct {
        const char* name;
        bool ruler; // the victim's ruler is placed, else a courtier without titles
        Kin father, mother;
        int location;
        bool vassal, topAnnexes;
        int32_t otherFaith; // the religion of the father's realm's and the top realm's rulers
        Place expected;
    } cases[] = {
        { "father's realm", false, InOwnRealm, None, 0, false, false, 0, Father },
        { "father in the victim: mother's realm", false, InVictim, InOwnRealm, 0, false, false, 0, Mother },
        { "father's realm of another faith", false, InOwnRealm, None, 0, false, false, 2, Nobody },
        { "the ruler ignores faith", true, InOwnRealm, None, 0, false, false, 2, Father },
        { "father in the annexing realm", false, InAnnexer, None, 0, false, false, 0, Nobody },
        { "a third realm's land", false, None, None, 40, false, false, 0, Third },
        { "nowhere", false, None, None, 0, false, false, 0, Nobody },
        { "the annexer's land", false, None, None, 10, false, false, 0, Nobody },
        { "an independent victim's land", false, None, None, 30, false, false, 0, Nobody },
        { "a vassal victim's land: its top realm", false, None, None, 30, true, false, 0, Top },
        { "a top realm of another faith", false, None, None, 30, true, false, 2, Nobody },
        { "a top realm that annexes", false, None, None, 30, true, true, 0, Nobody },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CWarWorld world;
        CRZCountry* top = c.vassal ? world.Realm(1300) : nullptr;
        if (top != nullptr)
            top->ruler->religion = c.otherFaith;
        CRZCountry* annexer = c.topAnnexes ? top : world.Realm(10);
        if (!c.topAnnexes)
            world.Land(10, annexer);
        CRZCountry* victim = world.Realm(1001, top != nullptr ? top->ruler : nullptr);
        CRZCountry* fathers = world.Realm(1002);
        fathers->ruler->religion = c.otherFaith;
        CRZCountry* mothers = world.Realm(1003);
        CRZCountry* third = world.Realm(1004);
        world.Land(40, third);
        CProvince* held = world.land.Land(30, nullptr);
        held->countyTitle = CTitle::GetTitle(30);
        held->countyTitle->SetNewHolder(world.Courtier(victim));
        held->InitController(1001);
        CCharacter* subject = c.ruler ? victim->ruler : world.Courtier(victim);
        subject->homeProvince = c.location;
        const auto kin = [&](Kin where, CRZCountry* own) -> CRZID {
            CRZCountry* realm = where == InVictim ? victim
                : where == InOwnRealm             ? own
                : where == InAnnexer              ? annexer
                                                  : nullptr;
            return realm != nullptr ? world.Courtier(realm)->GetID() : NOID;
        };
        subject->father = kin(c.father, fathers);
        subject->mother = kin(c.mother, mothers);

        annexer->Annex(1001, false);
        CRZCountry* const expected[]
            = { CRZCountry::GetCountry(kNobodyCountry), fathers, mothers, third, top };
        EXPECT_EQ(subject->GetCountry(), expected[c.expected]);
    }
}

// Events waiting for the annexed realm must not reach whoever takes its number next.
TEST_F(AnnexTest, EventsWaitingForTheVictimAreAddressedToNobody)
{
    CRZCountry* annexer = world.Realm(10);
    world.Realm(20);
    world.Land(10, annexer);
    PostLocalEvent(new CRZIntEvent(_CRZEVT_GAIN_TECH_, CountryIdentity(20), 1));
    PostLocalEvent(new CRZIntEvent(_CRZEVT_GAIN_TECH_, CountryIdentity(10), 1));
    annexer->Annex(20, false);
    std::vector<CRZID> receivers;
    gEventScheduler.ForEach([&](CRZEvent* event) { receivers.push_back(event->GetData()->receiver); });
    gEventScheduler.Erase();
    EXPECT_EQ(receivers, (std::vector<CRZID> { NOID, CountryIdentity(10) }));
}

} // namespace
