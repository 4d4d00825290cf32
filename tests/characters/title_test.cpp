// Titles: tiers by realm number, lookups outside the table, handing titles over and moving lieges, and a
// random walk of liege and holder changes that must never form a cycle or let vassal lists drift.
#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <random>
#include <vector>

#include "characters/character.h"
#include "characters/title.h"
#include "events/game_clock.h"

#include "foundation/safeguards.h"

namespace {

class TitleTest : public ::testing::Test {
protected:
    // Tenures are dated from the game's calendar; an empty end date means the tenure lasts.
    void SetUp() override
    {
        gpTimer = new CRZTimer(15);
        gpTimer->SetDate(CDate(1, 0, 1066));
        CTitle::ConstructAll();
    }
    void TearDown() override
    {
        CTitle::DestroyAll();
        delete gpTimer;
        gpTimer = nullptr;
    }

    static CTitle* T(int id) { return CTitle::GetTitle(id); }

    static bool HasVassal(const CTitle* liege, const CTitle* vassal)
    {
        return liege->GetVassals().Contains(vassal->GetID());
    }
};

TEST_F(TitleTest, TiersAndLookupsFollowTheRealmNumber)
{
    struct Case {
        int id;
        const char* tag;
        int rank;
    };
    for (const Case& c : { Case { 0, "county", 1 }, Case { 999, "county", 1 }, Case { 1000, "duchy", 10 },
             Case { 1262, "duchy", 10 }, Case { 1263, "kingdom", 100 }, Case { 1422, "kingdom", 100 } }) {
        ASSERT_NE(T(c.id), nullptr) << c.id;
        EXPECT_STREQ(T(c.id)->GetTier()->GetTag(), c.tag) << c.id;
        EXPECT_EQ(T(c.id)->GetRankPts(), c.rank) << c.id;
        EXPECT_EQ(T(c.id)->GetID(), CRZID(RZTYPE_TITLE, static_cast<uint32_t>(c.id)));
        EXPECT_EQ(CTier::GetTier(c.tag), T(c.id)->GetTier());
    }
    for (int id : { -1, 1423, 100000, INT32_MIN })
        EXPECT_EQ(T(id), nullptr) << id;
    EXPECT_EQ(CTitle::GetTitle(CRZID(RZTYPE_TITLE, 0xFFFFFFFFu)), nullptr);
    EXPECT_EQ(CTitle::GetTitle(CRZID(RZTYPE_TITLE, 1271)), T(1271));
    EXPECT_EQ(CTier::GetTier("empire"), nullptr);
    EXPECT_EQ(CTier::GetTier(nullptr), nullptr);

    EXPECT_FALSE(T(0)->IsRealTitle());
    EXPECT_FALSE(T(1401)->IsRealTitle());
    EXPECT_TRUE(T(1400)->IsReligiousSpecialTitle());
    EXPECT_FALSE(T(1271)->IsReligiousSpecialTitle());

    EXPECT_TRUE(GetKingdomTier()->IsHigherThan(GetCountyTier()));
    EXPECT_TRUE(GetKingdomTier()->IsHigherThan(GetDuchyTier()));
    EXPECT_FALSE(GetKingdomTier()->IsHigherThan(GetKingdomTier()));
    EXPECT_TRUE(GetDuchyTier()->IsHigherThan(GetCountyTier()));
    EXPECT_FALSE(GetCountyTier()->IsHigherThan(GetCountyTier()));
    EXPECT_TRUE(T(1300)->MayBecomeLiege(T(1100)));
    EXPECT_FALSE(T(1100)->MayBecomeLiege(T(1101)));
}

TEST_F(TitleTest, VacatingEndsTheTenureAndFreesTheVassals)
{
    CCharacter duke;
    T(1100)->SetNewHolder(&duke);
    T(5)->SetLiege(T(1100));
    T(6)->SetLiege(T(1100));
    EXPECT_EQ(T(1100)->GetCurrentHolder(), &duke);
    EXPECT_TRUE(duke.titles.Contains(T(1100)));

    T(1100)->SetNewHolder(nullptr);
    EXPECT_EQ(T(1100)->GetCurrentHolder(), nullptr);
    EXPECT_FALSE(duke.titles.Contains(T(1100)));
    EXPECT_TRUE(T(1100)->NeedSave());
    EXPECT_EQ(T(5)->GetOwnLiege(), nullptr);
    EXPECT_EQ(T(6)->GetOwnLiege(), nullptr);
    EXPECT_TRUE(T(1100)->GetVassals().IsEmpty());
    EXPECT_FALSE(T(7)->NeedSave());
}

TEST_F(TitleTest, GivingATitleToItsLiegesHolder)
{
    CCharacter king;
    T(1300)->SetNewHolder(&king);
    T(1100)->SetLiege(T(1300));
    T(5)->SetLiege(T(1100));
    T(6)->SetLiege(T(1300));

    // A duchy passes its vassals up to the liege it shares a holder with.
    T(1100)->SetNewHolder(&king);
    EXPECT_EQ(T(5)->GetOwnLiege(), T(1300));
    EXPECT_TRUE(HasVassal(T(1300), T(5)));
    EXPECT_TRUE(T(1100)->GetVassals().IsEmpty());

    // A county simply drops its liege.
    T(6)->SetNewHolder(&king);
    EXPECT_EQ(T(6)->GetOwnLiege(), nullptr);
    EXPECT_FALSE(HasVassal(T(1300), T(6)));
}

TEST_F(TitleTest, MakingAVassalTheLiegeMovesItUpFirst)
{
    T(1100)->SetLiege(T(1300));
    T(5)->SetLiege(T(1100));
    // The kingdom's vassal duchy becomes the kingdom's liege: the duchy first takes the kingdom's old
    // liege (none), so no cycle forms.
    T(1300)->SetLiege(T(5));
    EXPECT_EQ(T(1300)->GetOwnLiege(), T(5));
    EXPECT_EQ(T(1100)->GetOwnLiege(), T(1300));
    EXPECT_EQ(T(5)->GetOwnLiege(), nullptr);
    EXPECT_FALSE(HasVassal(T(1100), T(5)));

    T(7)->SetLiege(T(7));
    EXPECT_EQ(T(7)->GetOwnLiege(), nullptr);
}

TEST_F(TitleTest, RandomLiegeAndHolderChangesNeverFormACycle)
{
    const std::vector<int> ids { 1, 2, 3, 4, 5, 6, 1000, 1001, 1002, 1263, 1264, 1271 };
    std::vector<std::unique_ptr<CCharacter>> people;
    for (int i = 0; i < 5; i++)
        people.push_back(std::make_unique<CCharacter>());
    std::mt19937 random(20261210);
    auto pick = [&](size_t n) { return static_cast<size_t>(random() % n); };

    for (int step = 0; step < 4000; step++) {
        CTitle* title = T(ids[pick(ids.size())]);
        const size_t choice = pick(ids.size() + 1);
        if (step % 3 == 0) {
            const size_t who = pick(people.size() + 1);
            title->SetNewHolder(who == people.size() ? nullptr : people[who].get());
        } else {
            title->SetLiege(choice == ids.size() ? nullptr : T(ids[choice]));
        }

        for (int id : ids) {
            const CTitle* walker = T(id);
            int depth = 0;
            while (walker != nullptr && depth <= static_cast<int>(ids.size())) {
                walker = walker->GetOwnLiege();
                depth++;
            }
            ASSERT_EQ(walker, nullptr) << "cycle through " << id << " at step " << step;

            const CTitle* liege = T(id)->GetOwnLiege();
            if (liege != nullptr) {
                ASSERT_TRUE(HasVassal(liege, T(id))) << id << " at step " << step;
            }
            for (auto vassal = T(id)->GetVassals().GetHead(); !vassal.IsEnd(); vassal++)
                ASSERT_EQ(CTitle::GetTitle(*vassal)->GetOwnLiege(), T(id)) << id << " at step " << step;
            ASSERT_LE(T(id)->GetVassals().GetSize(), static_cast<int>(ids.size()));
        }
        for (const auto& person : people) {
            for (auto held = person->titles.GetHead(); !held.IsEnd(); held++)
                ASSERT_EQ((*held)->GetCurrentHolder(), person.get()) << "step " << step;
        }
    }
    for (int id : ids)
        T(id)->SetNewHolder(nullptr);
}

} // namespace
