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
