// An heir's inheritance read from its event, refused when the event's counts do not fit, and the choice
// of the best county.
#include <gtest/gtest.h>

#include "characters/title.h"
#include "events/event_types.h"
#include "events/variable_events.h"
#include "realms/inheritance.h"

#include "foundation/safeguards.h"

namespace {

CRZInheritanceTerms Terms()
{
    CRZInheritanceTerms terms;
    terms.formOfGovernment = 2;
    terms.score.gold = 40.0f;
    terms.score.piety = 3.0f;
    terms.titles.Append(CRZID(RZTYPE_TITLE, 12));
    terms.titles.Append(CRZID(RZTYPE_TITLE, 1001));
    terms.claims.Append(CRZID(4712, 9));
    terms.wars.Append(CRZID(4712, 10));
    return terms;
}

TEST(InheritanceTest, TheEventsTermsAreTakenOverGroupByGroup)
{
    CRZInheritEvent event(_CRZEVT_INHERIT_, NOID, NOID, NOID, Terms());
    const CInheritance inheritance(event);
    EXPECT_EQ(inheritance.GetFormOfGoverment(), 2);
    EXPECT_EQ(inheritance.GetScore().GetGold(), 40.0f);
    EXPECT_EQ(inheritance.GetScore().GetPiety(), 3.0f);
    ASSERT_EQ(inheritance.GetTitles().GetSize(), 2);
    EXPECT_EQ(*inheritance.GetTitles().GetHead(), CRZID(RZTYPE_TITLE, 12));
    EXPECT_EQ(*inheritance.GetClaims().GetHead(), CRZID(4712, 9));
    EXPECT_EQ(*inheritance.GetWars().GetHead(), CRZID(4712, 10));
    EXPECT_EQ(inheritance.GetByteSize(), 32);
}

TEST(InheritanceTest, CountsThatDoNotFitTheEventGiveAnEmptyInheritance)
{
    const struct {
        const char* what;
        uint32_t titles;
        uint16_t count;
    } cases[] = {
        { "groups disagree with the total", 1000, 4 },
        { "more identities than an event can carry", 60000, 60002 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CRZInheritEvent event(_CRZEVT_INHERIT_, NOID, NOID, NOID, Terms());
        event.Record().counts[0] = c.titles;
        event.Record().count = c.count;
        const CInheritance inheritance(event);
        EXPECT_EQ(inheritance.GetByteSize(), 0);
    }
}

TEST(InheritanceTest, TheBestCountyMovesFromTheListIntoTheInheritance)
{
    CTitle::ConstructAll();
    CList<CTitle*> counties;
    counties.Append(CTitle::GetTitle(3));
    counties.Append(CTitle::GetTitle(4));
    CInheritance inheritance;
    inheritance.TakeBestCountTitle(counties);
    // Without provinces every county is worth as much: the first is kept as the best.
    EXPECT_EQ(*inheritance.GetTitles().GetHead(), CTitle::GetTitle(3)->GetID());
    EXPECT_EQ(counties.GetSize(), 1);
    CList<CTitle*> none;
    inheritance.TakeBestCountTitle(none);
    EXPECT_EQ(inheritance.GetTitles().GetSize(), 1);
    CTitle::DestroyAll();
}

} // namespace
