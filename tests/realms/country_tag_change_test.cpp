// A realm taking another number: the waiting events' receivers and country words, pending requests,
// others' relations and war flags, fixed governments, and the changes that must be refused.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "armies/combat.h"
#include "armies/realm_divisions.h"
#include "armies/unit.h"
#include "events/event_posting.h"
#include "events/event_routing.h"
#include "events/event_scheduler.h"
#include "events/record_event.h"
#include "events/records_realm.h"
#include "realm_handlers.h"
#include "realms/country.h"
#include "realms/realm_servers.h"
#include "realms/request.h"
#include "support/data_folder.h"

#include "foundation/safeguards.h"

namespace {

// A record of any type and size, every payload word set to one value.
class CRawEvent : public CRZEvent {
public:
    CRawEvent(uint32_t type, uint32_t inSize, int32_t fill)
        : CRZEvent(AllocateRecord(inSize), 0)
        , size(inSize)
    {
        GetData()->type = type;
        for (uint32_t word = 1; StorePayloadWord(*this, word, fill); ++word) { }
    }
    uint32_t GetDataSize() const override { return size; }
    std::vector<int32_t> Words() const
    {
        std::vector<int32_t> words;
        int32_t value = 0;
        for (uint32_t word = 1; LoadPayloadWord(*this, word, value); ++word)
            words.push_back(value);
        return words;
    }
    void SetHalf(uint32_t offset, uint16_t value)
    {
        std::memcpy(reinterpret_cast<uint8_t*>(GetData()) + offset, &value, 2);
    }

private:
    uint32_t size;
};

constexpr int32_t kOld = 10;
constexpr int32_t kNew = 1323;

void Redirect(CRZEvent& event)
{
    CRZCountry::FromCountry = CountryIdentity(kOld);
    CRZCountry::ToCountry = CountryIdentity(kNew);
    CRZCountry::global_from = kOld;
    CRZCountry::global_to = kNew;
    CRZCountry::ReDirectEvents2(&event);
}

TEST(ReDirectEvents2, RenumbersExactlyTheCountryWordsOfEachType)
{
    struct Case {
        uint32_t type;
        std::vector<int> words;
    };
    const Case cases[] = {
        { 76, { 1 } },
        { 126, { 1 } },
        { 142, { 1 } },
        { 143, { 1 } },
        { 164, { 1 } },
        { 177, { 1 } },
        { 178, { 1 } },
        { 189, { 1 } },
        { 193, { 1 } },
        { 194, { 1 } },
        { 213, { 1 } },
        { 214, { 1 } },
        { 231, { 1 } },
        { 263, { 1 } },
        { 369, { 1 } },
        { 378, { 1 } },
        { 490, { 1 } },
        { 491, { 1 } },
        { 492, { 1 } },
        { 493, { 1 } },
        { 494, { 1 } },
        { 222, { 2 } },
        { 402, { 2 } },
        { 448, { 2 } },
        { 467, { 2 } },
        { 469, { 2 } },
        { 94, { 3 } },
        { 95, { 3 } },
        { 367, { 3 } },
        { 124, { 4 } },
        { 149, { 4 } },
        { 445, { 4 } },
        { 447, { 4 } },
        { 156, { 1, 2 } },
        { 190, { 1, 2 } },
        { 191, { 1, 2 } },
        { 192, { 1, 2 } },
        { 202, { 1, 2 } },
        { 203, { 1, 2 } },
        { 204, { 1, 2 } },
        { 230, { 1, 2 } },
        { 496, { 1, 2 } },
        { 255, { 2, 3 } },
        { 256, { 2, 3 } },
        { 125, { 3, 4 } },
        { 182, { 3, 4 } },
        { 184, { 3, 4 } },
        { 185, { 3, 4 } },
        { 188, { 3, 4 } },
        { 196, { 3, 4 } },
        { 216, { 3, 4 } },
        { 358, { 3, 4 } },
        { 473, { 3, 4 } },
        { 475, { 3, 4 } },
        { 476, { 3, 4 } },
        { 477, { 3, 4 } },
        { 478, { 3, 4 } },
        { 479, { 3, 4 } },
        { 480, { 3, 4 } },
        { 183, { 15, 16 } },
        { 195, { 1, 6, 7 } },
        { 215, { 1, 6, 7 } },
        { 186, { 1, 8, 9 } },
        { 197, { 1, 8, 9 } },
        { 198, { 1, 8, 9 } },
        { 217, { 1, 8, 9 } },
        { 218, { 1, 8, 9 } },
        // Types that carry no realm number keep every word.
        { 100, {} },
        { 451, {} },
    };
    for (const Case& c : cases) {
        CRawEvent event(c.type, 20 + 4 * 20, kOld);
        event.GetData()->receiver = CountryIdentity(kOld);
        Redirect(event);
        const std::vector<int32_t> words = event.Words();
        for (int word = 1; word <= 20; ++word) {
            const bool listed = std::find(c.words.begin(), c.words.end(), word) != c.words.end();
            EXPECT_EQ(words[word - 1], listed ? kNew : kOld) << "type " << c.type << " word " << word;
        }
        EXPECT_EQ(event.GetReceiver(), CountryIdentity(kNew)) << c.type;
    }
}

TEST(ReDirectEvents2, LeavesOtherNumbersReceiversAndShortRecordsAlone)
{
    CRawEvent other(231, 28, 11);
    other.GetData()->receiver = CRZID(RZTYPE_PROVINCE, kOld);
    Redirect(other);
    EXPECT_EQ(other.Words(), (std::vector<int32_t> { 11, 11 }));
    EXPECT_EQ(other.GetReceiver(), CRZID(RZTYPE_PROVINCE, kOld))
        << "a province of the same number is no realm";

    // Word 16 lies past a 76-byte record: word 15 changes, and nothing is written beyond the record.
    CRawEvent cut(183, 76, kOld);
    Redirect(cut);
    EXPECT_EQ(cut.Words().size(), 14u);
    CRawEvent fits(183, 84, kOld);
    Redirect(fits);
    EXPECT_EQ(fits.Words()[14], kNew);
    EXPECT_EQ(fits.Words()[15], kNew);
}

TEST(ReDirectEvents2, ResultListsOnlyWhereTheRecordHoldsOne)
{
    for (uint32_t type : { 113u, 114u, 115u, 116u }) {
        // Count 2 at the start of word 4; the third number past the count stays.
        CRawEvent won(type, 20 + 4 * 8, kOld);
        won.SetHalf(32, 2);
        won.SetHalf(34, 0);
        Redirect(won);
        EXPECT_EQ(won.Words(), (std::vector<int32_t> { kOld, kOld, kOld, 2, kNew, kNew, kOld, kOld }))
            << type;

        // A count larger than the record: the walk stops at its end.
        CRawEvent overlong(type, 20 + 4 * 5, kOld);
        overlong.SetHalf(32, 900);
        Redirect(overlong);
        EXPECT_EQ(overlong.Words().back(), kNew) << type;
    }
    // The short battle-lost record ends before any list.
    CRawEvent lost(114, 28, kOld);
    Redirect(lost);
    EXPECT_EQ(lost.Words(), (std::vector<int32_t> { kOld, kOld }));
}

class TagChangeTest : public RealmHandlerTest {
protected:
    void SetUp() override
    {
        RealmHandlerTest::SetUp();
        gCountryHooks.IsGameStarted = [] { return gStarted; };
        gStarted = true;
        gIdentityLookups.GetCountry = &CRZCountry::FindStatic;
    }
    void TearDown() override
    {
        gIdentityLookups.GetCountry = nullptr;
        RealmHandlerTest::TearDown();
    }
    static int Change(CRZCountry* realm, CRZCountryID to)
    {
        CRZCountryEvent event(_CRZEVT_CHANGE_TAG_, realm->GetID(), to, false);
        return realm->Update(&event);
    }

    static inline bool gStarted = true;
};

TEST_F(TagChangeTest, EverythingThatNamedTheOldNumberFollowsTheRealm)
{
    CRZCountry* realm = Make(kOld);
    CRZCountry* other = Make(20);
    CCharacter* ruler = Ruler(realm);
    Land(5, realm);
    CProvince::_pProvince[5]->controller = kOld;
    gCountryControl[kOld] = CONTROL_LOCAL_PLAYER;
    other->SetRelation(kOld, 60.0f);
    other->atWarWith[kOld] = 1;
    // Waiting: an executed relation change for the old number, naming it in its record too.
    PostLocalEvent(new CRZRelationEvent(_CRZEVT_EXEC_RELATION_, CountryIdentity(kOld), -30.0f, kOld, 20));

    EXPECT_EQ(Change(realm, kNew), 3);

    EXPECT_EQ(CRZCountry::GetCountry(kNew), realm);
    EXPECT_EQ(CRZCountry::GetCountry(kOld), nullptr);
    EXPECT_EQ(realm->index, kNew);
    EXPECT_EQ(realm->GetID(), CountryIdentity(kNew));
    EXPECT_EQ(ruler->realmId, kNew);
    EXPECT_EQ(gCountryControl[kNew], CONTROL_LOCAL_PLAYER);
    EXPECT_EQ(gCountryControl[kOld], CONTROL_COMPUTER);
    EXPECT_EQ(realm->GetFormOfGoverment(), GOV_ECCLESIASTICAL);
    EXPECT_EQ(CProvince::_pProvince[5]->controller, kNew);
    EXPECT_EQ(other->GetRelation(kNew), 60.0f);
    EXPECT_EQ(other->GetRelation(kOld), 0.0f);
    EXPECT_TRUE(other->atWarWith[kNew]);
    EXPECT_FALSE(other->atWarWith[kOld]);
    EXPECT_TRUE(realm->atWarWith[20]);

    // The waiting event reaches the realm under its new number.
    const std::vector<CRZEvent*> waiting = Waiting();
    ASSERT_EQ(waiting.size(), 1u);
    DeliverEvent(waiting[0]);
    EXPECT_EQ(realm->GetRelation(20), -30.0f);
}

// Requests name realms by number wherever they wait: in a realm's list, and on the host's diplomacy server,
// which answers them when they expire; the battles the realm's armies fight list it by number too.
TEST_F(TagChangeTest, WaitingRequestsAndBattlesFollowTheRealm)
{
    CRZCountry* realm = Make(kOld);
    CRZCountry* other = Make(20);
    Ruler(realm);
    CRZDiplomacyServer server;
    static CRZDiplomacyServer* gServer = nullptr;
    gServer = &server;
    gCountryHooks.ChangeTagOfRequests
        = [](CRZCountryID from, CRZCountryID to) { gServer->ChangeTag(from, to); };
    auto* sent = new COfferAllianceRequest(kOld, 20);
    auto* received = new COfferAllianceRequest(20, kOld);
    auto* kept = new COfferAllianceRequest(kOld, 20);
    other->pendingRequests.Append(sent);
    realm->pendingRequests.Append(received);
    server.Add(kept);
    InstallRealmDivisionHooks();
    CRZUnit army;
    army.SetCountry(realm);
    realm->armies.Append(&army);
    CRZCombat battle(5, DynamicID(), CDate());
    battle.AddUnit(&army, false);
    battle.Attackers().participants.Append(20);

    ASSERT_EQ(Change(realm, kNew), 3);
    EXPECT_EQ(sent->GetSender(), kNew);
    EXPECT_EQ(received->GetRecipient(), kNew);
    EXPECT_EQ(kept->GetSender(), kNew);
    EXPECT_EQ(kept->GetRecipient(), 20);
    EXPECT_EQ(battle.Defenders().participants.GetSize(), 1);
    EXPECT_TRUE(battle.Defenders().participants.Contains(kNew));
    EXPECT_EQ(battle.Attackers().participants.GetSize(), 1);
    EXPECT_TRUE(battle.Attackers().participants.Contains(20));

    // A client keeps no requests of the server's.
    host = false;
    Change(realm, kOld);
    EXPECT_EQ(sent->GetSender(), kOld);
    EXPECT_EQ(kept->GetSender(), kNew);
    battle.RemoveUnit(&army);
    realm->armies.RemoveAll();
}

TEST_F(TagChangeTest, FixedGovernmentsByNumber)
{
    const struct {
        CRZCountryID to;
        FormOfGoverment form;
    } cases[] = { { 1323, GOV_ECCLESIASTICAL }, { 1349, GOV_KNIGHT_ORDER }, { 1365, GOV_KNIGHT_ORDER },
        { 1400, GOV_KNIGHT_ORDER }, { 1300, GOV_FEUDAL } };
    for (const auto& c : cases) {
        CRZCountry* realm = Make(kOld);
        Change(realm, c.to);
        EXPECT_EQ(realm->GetFormOfGoverment(), c.form) << c.to;
        delete realm;
    }
}

TEST_F(TagChangeTest, EarlyForgedAndImpossibleChangesAreIgnored)
{
    CRZCountry* realm = Make(kOld);
    CRZCountry* holder = Make(30);
    gStarted = false;
    Change(realm, 40);
    gStarted = true;
    for (CRZCountryID to : { 30, 0, kNobodyCountry, kRebelCountry, kOld, 5000, -1 })
        Change(realm, to);
    EXPECT_EQ(CRZCountry::GetCountry(kOld), realm);
    EXPECT_EQ(CRZCountry::GetCountry(30), holder);
    EXPECT_EQ(CRZCountry::GetCountry(40), nullptr);
    EXPECT_EQ(realm->index, kOld);
}

} // namespace
