// The title's record: what a held, a vacated and a claimed title write, that a fresh table reads it back and
// links holders, claimants and vassals, and the bad records that end a load without leaving anything behind.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "characters/character.h"
#include "characters/title.h"
#include "datalang/block_round_trip.h"
#include "datalang/scenario_keywords.h"
#include "events/game_clock.h"

#include "foundation/safeguards.h"

namespace {

// Tags of this test's own: "T" and the realm number.
const char* TestTag(int32_t realmId)
{
    static char tag[16];
    std::snprintf(tag, sizeof tag, "T%d", realmId);
    return tag;
}

int TestTagToID(const char* tag)
{
    return tag != nullptr && tag[0] == 'T' ? std::atoi(tag + 1) : 0;
}

class TitleRecords : public ::testing::Test {
protected:
    void SetUp() override
    {
        CIdentity::TotalInit(NOID, 0);
        gpTimer = new CRZTimer(15);
        gpTimer->SetDate(CDate(3, 4, 1100));
        CTitle::ConstructAll();
        gCharacterHooks.GetTag = TestTag;
        CRZParser::_pTagToID = TestTagToID;
    }
    void TearDown() override
    {
        CTitle::DestroyAll();
        people.clear();
        gCharacterHooks = {};
        CRZParser::_pTagToID = nullptr;
        delete gpTimer;
        gpTimer = nullptr;
        CIdentity::TotalCleanup();
    }

    CCharacter* Person(uint32_t number)
    {
        people.push_back(std::make_unique<CCharacter>());
        people.back()->Create(CRZID(RZTYPE_CHARACTER, number));
        return people.back().get();
    }

    static CTitle* T(int id) { return CTitle::GetTitle(id); }

    // The title block as a save holds it; the tag is taken first, as the file's reader does.
    static int Read(const std::string& block)
    {
        support::ScratchFile file(block);
        CRZParser parser(file.Path(), "r");
        EXPECT_EQ(parser.ParseSimpleStatement(), 1) << block; // key = {
        EXPECT_EQ(parser.ParseSimpleStatement(), 1) << block;
        EXPECT_EQ(parser.key.type, static_cast<unsigned>(KW_TAG)) << block;
        CTitle* title = T(TestTagToID(parser.value.text));
        EXPECT_NE(title, nullptr) << block;
        return title != nullptr ? title->ParseFields(parser) : -1;
    }

    std::vector<std::unique_ptr<CCharacter>> people;
};

TEST_F(TitleRecords, HeldVacatedAndClaimedTitlesReadBackLinked)
{
    CCharacter* duke = Person(1);
    CCharacter* claimant = Person(2);
    T(1100)->SetNewHolder(duke);
    T(1100)->SetLiege(T(1300));
    auto* claim = new CClaim(1100, CRZID(RZTYPE_CHARACTER, 900), CDate(0, 0, 1090));
    claim->SetCharacter(claimant);
    T(1100)->AddClaim(claim);
    T(7)->SetNewHolder(duke);
    gpTimer->SetDate(CDate(5, 6, 1101));
    T(7)->SetNewHolder(nullptr);
    ASSERT_TRUE(T(7)->NeedSave()); // ended, still history
    EXPECT_FALSE(T(8)->NeedSave());

    const std::string held = WrittenBlock(*T(1100));
    const std::string vacated = WrittenBlock(*T(7));
    for (const char* part :
        { "tag = T1100", "tier = duchy", "liege = T1300", "holder", "startdate", "claim" })
        EXPECT_NE(held.find(part), std::string::npos) << part << " in " << held;
    EXPECT_EQ(held.find("enddate"), std::string::npos) << held;
    EXPECT_NE(vacated.find("enddate"), std::string::npos) << vacated;

    // A new game's table, with the characters still there.
    CTitle::DestroyAll();
    claimant->claims.RemoveAll();
    duke->titles.RemoveAll();
    CTitle::ConstructAll();
    ASSERT_EQ(Read(held), 0);
    ASSERT_EQ(Read(vacated), 0);
    EXPECT_TRUE(duke->titles.IsEmpty()); // linked later, once every title is read
    CTitle::SyncronizeTitlesClaimsAndCharacters();

    EXPECT_EQ(T(1100)->GetCurrentHolder(), duke);
    EXPECT_TRUE(duke->titles.Contains(T(1100)));
    EXPECT_FALSE(duke->titles.Contains(T(7)));
    EXPECT_EQ(T(7)->GetCurrentHolder(), nullptr);
    ASSERT_EQ(T(7)->GetTenures().GetSize(), 1);
    EXPECT_EQ((*T(7)->GetTenures().GetHead())->endDate, CDate(5, 6, 1101));
    EXPECT_EQ(T(1100)->GetOwnLiege(), T(1300));
    EXPECT_TRUE(T(1300)->GetVassals().Contains(T(1100)->GetID()));
    ASSERT_EQ(T(1100)->GetClaims().GetSize(), 1);
    const CClaim* back = *T(1100)->GetClaims().GetHead();
    EXPECT_EQ(back->GetID(), CRZID(RZTYPE_CHARACTER, 900));
    EXPECT_EQ(back->GetCharacter(), claimant);
    EXPECT_EQ(back->GetDate(), CDate(0, 0, 1090));
    EXPECT_TRUE(claimant->HasClaim(T(1100)));

    EXPECT_EQ(WrittenBlock(*T(1100)), held);
    EXPECT_EQ(WrittenBlock(*T(7)), vacated);
}

TEST_F(TitleRecords, TenuresKeepDateOrderAndAGoneClaimantsClaimIsDropped)
{
    CCharacter* holder = Person(1);
    ASSERT_EQ(Read("key = { tag = T5 "
                   "holder = { character = { type = 10 id = 1 } startdate = { year = 1090 } } "
                   "holder = { character = { type = 10 id = 77 } startdate = { year = 1070 } "
                   "enddate = { year = 1090 } } "
                   "claim = { id = { type = 10 id = 500 } character = { type = 10 id = 99 } } }"),
        0);
    CTitle::SyncronizeTitlesClaimsAndCharacters();
    ASSERT_EQ(T(5)->GetTenures().GetSize(), 2);
    EXPECT_EQ((*T(5)->GetTenures().GetHead())->startDate.year, 1070);
    EXPECT_EQ((*T(5)->GetTenures().GetHead())->holder, nullptr); // nobody of that identity
    EXPECT_EQ(T(5)->GetCurrentHolder(), holder);
    EXPECT_TRUE(T(5)->GetClaims().IsEmpty());
    EXPECT_EQ(CClaim::GetClaim(CRZID(RZTYPE_CHARACTER, 500)), nullptr);

    // A past holder who has been pruned since is written by his identity, never through his pointer.
    CCharacter* former = Person(40);
    T(9)->SetNewHolder(former);
    T(9)->SetNewHolder(nullptr);
    people.pop_back();
    EXPECT_NE(WrittenBlock(*T(9)).find("id = 40"), std::string::npos) << WrittenBlock(*T(9));
}

TEST_F(TitleRecords, BadRecordsEndTheLoadWithTheirMessage)
{
    Person(3);
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        { "key = { tag = T1100 owner = T4 }", "unknown lhs in scenario file (title)" },
        { "key = { tag = T1100 holder = { colour = 2 } }", "unknown lhs in scenario file (titleholder)" },
        { "key = { tag = T1100 claim = { id = { type = 10 id = 8 } strength = 3 } }",
            "unknown lhs in scenario file (claim)" },
        { "key = { tag = T1100 claim = 4 }", "unknown lhs in scenario file (title)" },
        { "key = { tag = T1100 claim = { id = { type = 10 id = 3 } } }",
            "claim: identity missing or in use" },
        { "key = { tag = T1100 claim = { id = { type = 3 id = 8 } } }", "claim: identity missing or in use" },
        { "key = { tag = T1100 liege = T1100 }", "title: bad liege" },
        { "key = { tag = T1100 liege = T5 }", "title: bad liege" },
        { "key = { tag = T1100 liege = T9999 }", "title: bad liege" },
        { "key = { tag = T1100 tier = empire }", "unknown lhs in scenario file (title)" },
        { "key = { tag = T1100 holder = { startdate = { year = 1090 }", "" },
    };
    for (const auto& c : cases) {
        const std::string message = FatalMessageOf([&] { Read(c.text); });
        EXPECT_NE(message.find(c.message), std::string::npos) << c.text << ": " << message;
        EXPECT_NE(message, "") << c.text;
    }
    EXPECT_EQ(T(1100)->GetOwnLiege(), nullptr);
}

} // namespace
