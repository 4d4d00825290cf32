// The character server on the host turns requests into the events every machine applies, after its own
// checks; the character's handlers apply them, and drop events whose numbers index nothing.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "characters/character.h"
#include "characters/character_server.h"
#include "characters/culture.h"
#include "characters/title.h"
#include "characters/trait.h"
#include "datalang/definition_file.h"
#include "events/event_hooks.h"
#include "events/event_scheduler.h"
#include "events/game_clock.h"
#include "events/generic_events.h"
#include "events/records_character.h"
#include "realms/country.h"
#include "realms/realm_character_hooks.h"

#include "foundation/safeguards.h"

namespace {

struct Posted {
    int type;
    CRZID receiver;
};

class ClientSession : public CEventSession {
public:
    bool IsHost() const override { return false; }
    bool IsOpen() const override { return true; }
    void SendEvent(CRZNetEvent*) override { }
};

class ServerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CIdentity::TotalInit(NOID, 0);
        CRZCountry::InitCountryArray();
        InstallRealmCharacterHooks();
        CTitle::ConstructAll();
        gpTimer = new CRZTimer(15);
        gpTimer->SetDate(CDate(0, 0, 1100));
        server = std::make_unique<CCharacterServer>();
        realm = Realm(7);
        ruler = Person(7);
        realm->AddRulerImmidiatly(ruler);
        CTitle::GetTitle(7)->SetNewHolder(ruler);
    }
    void TearDown() override
    {
        gEventScheduler.Erase();
        SetEventSession(nullptr);
        for (auto it = server->GetHead(); !it.IsEnd(); it++)
            delete *it;
        server->RemoveAll();
        server.reset();
        CTitle::DestroyAll();
        CRZCountry::DeleteAll();
        gCharacterHooks = {};
        CTraitType::Shutdown();
        delete gpTimer;
        gpTimer = nullptr;
        CIdentity::TotalCleanup();
    }

    static CRZCountry* Realm(int index)
    {
        if (CRZCountry::_pCountry[index] == nullptr)
            CRZCountry::ConstructCountry(index);
        return CRZCountry::_pCountry[index];
    }
    CCharacter* Person(int realmNumber, int gender = GENDER_MALE)
    {
        auto* person = new CCharacter;
        person->Create(CRZID(RZTYPE_CHARACTER, static_cast<uint32_t>(server->GetSize() + 1)));
        person->birthDate = CDate(0, 0, 1070);
        person->gender = gender;
        person->SetCountry(Realm(realmNumber));
        server->Append(person);
        return person;
    }
    static std::vector<Posted> Queue()
    {
        std::vector<Posted> out;
        gEventScheduler.ForEach([&](CRZEvent* e) {
            out.push_back({ static_cast<int>(e->GetType()), e->GetReceiver() });
        });
        return out;
    }
    // Hands the request to the server as the host's dispatch does; the event is then gone.
    void Request(CRZEvent* request)
    {
        server->Update(request);
        delete request;
    }
    // Applies an event to the character as every machine does.
    static void Apply(CCharacter* character, CRZEvent* event)
    {
        character->Update(event);
        delete event;
    }

    std::unique_ptr<CCharacterServer> server;
    CRZCountry* realm = nullptr;
    CCharacter* ruler = nullptr;
};

TEST_F(ServerTest, EachRequestIsIssuedOnceToItsReceiverOnTheHostAndNeverOnAClient)
{
    const CRZID who = ruler->GetID();
    const CRZID realmId = CountryIdentity(7);
    struct Case {
        int type;
        CRZEvent* (*make)(CRZID who, CRZID realmId);
        bool toRealm;
        CRZID fixed;
    };
    const Case cases[] = {
        { 66,
            [](CRZID w, CRZID) -> CRZEvent* {
                return new CRZChangeCourtPosEvent(_CRZEVT_CHANGE_COURT_POS_, CHARACTER_SERVER, w, 2);
            },
            false, NOID },
        { 437,
            [](CRZID w, CRZID) -> CRZEvent* {
                return new CRZCharacterFloatEvent(_CRZEVT_GOLD_, CHARACTER_SERVER, w, 5.0f);
            },
            false, NOID },
        { 423,
            [](CRZID w, CRZID) -> CRZEvent* {
                return new CRZDeathEvent(_CRZEVT_DEATH_, CHARACTER_SERVER, w, CDate(0, 0, 1100));
            },
            false, NOID },
        { 426,
            [](CRZID w, CRZID) -> CRZEvent* {
                return new CRZIdEvent(_CRZEVT_INDEPENDENCE_, CHARACTER_SERVER, w);
            },
            false, NOID },
        { 439,
            [](CRZID w, CRZID) -> CRZEvent* {
                return new CRZCharacterReligionEvent(
                    _CRZEVT_SET_CHAR_RELIGION_, CHARACTER_SERVER, w, RELIGION_JEWISH);
            },
            false, NOID },
        { 442,
            [](CRZID w, CRZID) -> CRZEvent* {
                return new CRZCharacterTraitEvent(
                    _CRZEVT_ADD_TRAIT_, CHARACTER_SERVER, w, static_cast<TraitType>(3));
            },
            false, NOID },
        { 445,
            [](CRZID w, CRZID r) -> CRZEvent* {
                return new CRZNewRulerEvent(_CRZEVT_NEW_RULER_, CHARACTER_SERVER, w, r);
            },
            true, NOID },
        { 488,
            [](CRZID w, CRZID) -> CRZEvent* {
                return new CRZCreateClaimEvent(
                    _CRZEVT_CREATECLAIM_, CHARACTER_SERVER, w, 12, CRZID(RZTYPE_DYNAMIC, 3));
            },
            false, NOID },
        { 495,
            [](CRZID w, CRZID) -> CRZEvent* {
                return new CRZIdEvent(_CRZEVT_SETPAPALCONTROLLER_, CHARACTER_SERVER, w);
            },
            false, PAPACY },
        { 503,
            [](CRZID w, CRZID) -> CRZEvent* {
                return new CRZIdEvent(_CRZEVT_LEAVE_COURT_, CHARACTER_SERVER, w);
            },
            false, NOID },
        { 504,
            [](CRZID w, CRZID) -> CRZEvent* {
                return new CRZSetPeaceEvent(_CRZEVT_SET_PEACE_, CHARACTER_SERVER, w, CRZID(10, 99));
            },
            false, NOID },
        { 22,
            [](CRZID, CRZID) -> CRZEvent* {
                return new CRZGenericEvent(_CRZEVT_TIMER_DAY_, CHARACTER_SERVER);
            },
            false, NOID },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        Request(c.make(who, realmId));
        const std::vector<Posted> queue = Queue();
        if (c.type == 22) {
            EXPECT_TRUE(queue.empty());
            continue;
        }
        ASSERT_EQ(queue.size(), 1u);
        EXPECT_EQ(queue[0].type, c.type);
        EXPECT_EQ(queue[0].receiver, c.fixed != NOID ? c.fixed : c.toRealm ? realmId : who);
        gEventScheduler.Erase();

        ClientSession client;
        SetEventSession(&client);
        Request(c.make(who, realmId));
        EXPECT_TRUE(Queue().empty());
        SetEventSession(nullptr);
    }
}

TEST_F(ServerTest, RequestsThatTheHostsStateVoidsIssueNothing)
{
    CCharacter* wife = Person(7, GENDER_FEMALE);
    const CRZID nobody(RZTYPE_CHARACTER, 4000);
    // Unmarried, she cannot conceive; a dead or unknown character cannot die or rule.
    Request(new CRZImpregnationEvent(
        _CRZEVT_IMPREGNATION_, CHARACTER_SERVER, wife->GetID(), ruler->GetID(), CDate(0, 0, 1100)));
    Request(new CRZDeathEvent(_CRZEVT_DEATH_, CHARACTER_SERVER, nobody, CDate(0, 0, 1100)));
    Request(new CRZChangeCourtPosEvent(_CRZEVT_CHANGE_COURT_POS_, CHARACTER_SERVER, nobody, 3));
    wife->deathDate = CDate(0, 0, 1099);
    Request(new CRZNewRulerEvent(_CRZEVT_NEW_RULER_, CHARACTER_SERVER, wife->GetID(), CountryIdentity(7)));
    // A creation for a realm without a ruler.
    Realm(9);
    Request(new CRZCharacterCreationEvent(_CRZEVT_CHARACTER_CREATION_, CHARACTER_SERVER, CountryIdentity(9),
        NOID, CRZID(RZTYPE_DYNAMIC, 50), 1, 12, GENDER_MALE, static_cast<VLCreationType>(1),
        RELIGION_CATHOLIC, static_cast<RZCultureType>(4), nullptr));
    EXPECT_TRUE(Queue().empty());
    EXPECT_EQ(CIdentity::GetObjectFromID(CRZID(RZTYPE_DYNAMIC, 50)), nullptr);
}

TEST_F(ServerTest, ACreationForARuledRealmIsMadeAtOnceOnTheHost)
{
    const int before = server->GetSize();
    Request(new CRZCharacterCreationEvent(_CRZEVT_CHARACTER_CREATION_, CHARACTER_SERVER, CountryIdentity(7),
        NOID, CRZID(RZTYPE_DYNAMIC, 50), 1, 12, GENDER_MALE, static_cast<VLCreationType>(1),
        RELIGION_CATHOLIC, static_cast<RZCultureType>(4), "Hugh"));
    auto* made = dynamic_cast<CCharacter*>(CIdentity::GetObjectFromID(CRZID(RZTYPE_DYNAMIC, 50)));
    ASSERT_NE(made, nullptr);
    EXPECT_STREQ(made->GetName(), "Hugh");
    EXPECT_EQ(made->GetCountry(), realm);
    EXPECT_EQ(server->GetSize(), before + 1);
}

TEST_F(ServerTest, TheSecondBirthRequestOfTheDayFindsHerNoLongerPregnant)
{
    CCharacter* wife = Person(7, GENDER_FEMALE);
    wife->conceptionDate = CDate(0, 3, 1099);
    for (int i = 0; i < 2; ++i)
        Request(new CRZBirthEvent(_CRZEVT_BIRTH_, CHARACTER_SERVER, wife->GetID(), ruler->GetID(),
            CRZID(RZTYPE_DYNAMIC, 60 + i), 5, CDate(0, 0, 1100), 1, 2, 3, 4, 5, 6, GENDER_MALE,
            RELIGION_CATHOLIC, static_cast<RZCultureType>(4)));
    const std::vector<Posted> queue = Queue();
    ASSERT_EQ(queue.size(), 1u);
    EXPECT_EQ(queue[0].type, _CRZEVT_BIRTH_);
    EXPECT_FALSE(wife->IsPregnant());
}

TEST_F(ServerTest, APlotGoesToTheOrderingRealmUnlessTheRealmMayNotOrderIt)
{
    CCharacter* victim = Person(7);
    CCharacter* plotter = Person(8);
    Realm(8)->AddRulerImmidiatly(plotter);
    static bool allowed;
    gCharacterHooks.CanAssassinate = [](CRZCountry*, const CCharacter*) { return allowed; };
    allowed = false;
    Request(new CRZAssassinateEvent(
        _CRZEVT_ASSASSINATE_, CHARACTER_SERVER, plotter->GetID(), victim->GetID(), true, false));
    EXPECT_TRUE(Queue().empty());

    // A played realm with the diplomacy cheat always succeeds unseen, whatever the intrigue.
    allowed = true;
    gCharacterHooks.GetControlKind = [](const CRZCountry*) -> int32_t { return 1; };
    gCharacterHooks.IsDiploCheat = [] { return true; };
    Request(new CRZAssassinateEvent(
        _CRZEVT_ASSASSINATE_, CHARACTER_SERVER, plotter->GetID(), victim->GetID(), true, false));
    bool seen = false;
    gEventScheduler.ForEach([&](CRZEvent* e) {
        auto* plot = dynamic_cast<CRZAssassinateEvent*>(e);
        ASSERT_NE(plot, nullptr);
        EXPECT_EQ(plot->GetReceiver(), CountryIdentity(8));
        EXPECT_EQ(plot->Record().first, plotter->GetID());
        EXPECT_EQ(plot->Record().second, victim->GetID());
        EXPECT_EQ(plot->Record().firstFlag, 1u);
        EXPECT_EQ(plot->Record().secondFlag, 0u);
        seen = true;
    });
    EXPECT_TRUE(seen);
}

TEST_F(ServerTest, AttributeEventsChangeTheCharacterOrHisRealmAndANaNIsDropped)
{
    CCharacter* man = Person(7);
    man->SetBaseAttributes(CAttributeTuple(3, 3, 3, 3, 3, 3));
    man->SetLoyaltyToLiege(0.8f);
    const float stability = realm->stability;
    const float badBoy = realm->badBoy;
    struct Case {
        CRZEvtType type;
        float value;
    } cases[] = {
        { _CRZEVT_MARTIAL_, 2.7f },
        { _CRZEVT_FERTILITY_, -1.9f },
        { _CRZEVT_LOYALTY_, 0.5f },
        { _CRZEVT_GOLD_, 12.5f },
        { _CRZEVT_PRESTIGE_, 3.0f },
        { _CRZEVT_PIETY_, -2.0f },
        { _CRZEVT_UNNAMED_435_, 1.5f },
        { _CRZEVT_INCREASE_STABILITY_, 1.0f },
        { _CRZEVT_GOLD_, std::nanf("") },
        { _CRZEVT_MARTIAL_, INFINITY },
    };
    for (const Case& c : cases)
        Apply(man, new CRZCharacterFloatEvent(c.type, man->GetID(), man->GetID(), c.value));
    EXPECT_EQ(man->GetBaseAttributes().GetMartial(), 5);
    EXPECT_EQ(man->GetBaseAttributes().GetFertility(), 2);
    EXPECT_FLOAT_EQ(man->GetLoyaltyToLiege(), 1.0f);
    EXPECT_FLOAT_EQ(man->GetScore().GetGold(), 12.5f);
    EXPECT_FLOAT_EQ(man->GetScore().GetPrestige(), 3.0f);
    EXPECT_FLOAT_EQ(man->GetScore().GetPiety(), -2.0f);
    EXPECT_FLOAT_EQ(realm->badBoy, badBoy + 1.5f);
    EXPECT_FLOAT_EQ(realm->stability, std::min(stability + 1.0f, 3.0f));
}

TEST_F(ServerTest, AnExcludedTraitGivesWayAndNumbersOutsideTheTablesAreDropped)
{
    ASSERT_EQ(LoadFailure(CTraitType::InitFromFile,
                  "chaste = { antithesis = { lustful = yes } }\n"
                  "lustful = { antithesis = { chaste = yes } }\n"),
        "");
    CCharacter* man = Person(7);
    man->AddTrait(0);
    Apply(man,
        new CRZCharacterTraitEvent(
            _CRZEVT_ADD_TRAIT_, man->GetID(), man->GetID(), static_cast<TraitType>(1)));
    EXPECT_FALSE(man->HasTrait(0));
    EXPECT_TRUE(man->HasTrait(1));
    Apply(man,
        new CRZCharacterTraitEvent(
            _CRZEVT_REMOVE_TRAIT_, man->GetID(), man->GetID(), static_cast<TraitType>(1)));
    EXPECT_FALSE(man->HasTrait(1));

    for (int bad : { -1, 94, 100000 }) {
        Apply(man,
            new CRZCharacterTraitEvent(
                _CRZEVT_ADD_TRAIT_, man->GetID(), man->GetID(), static_cast<TraitType>(bad)));
        Apply(man,
            new CRZCharacterTraitEvent(
                _CRZEVT_REMOVE_TRAIT_, man->GetID(), man->GetID(), static_cast<TraitType>(bad)));
    }
    man->religion = RELIGION_CATHOLIC;
    for (int bad : { -1, 6, 1 << 30 })
        Apply(man,
            new CRZCharacterReligionEvent(
                _CRZEVT_SET_CHAR_RELIGION_, man->GetID(), man->GetID(), static_cast<RZReligionType>(bad)));
    EXPECT_EQ(man->religion, RELIGION_CATHOLIC);
    Apply(man, new CRZChangeCourtPosEvent(_CRZEVT_CHANGE_COURT_POS_, man->GetID(), man->GetID(), 77));
    EXPECT_EQ(man->courtPosition, COURT_COURTIER);
}

TEST_F(ServerTest, ASecondClaimOnATitleMakesNothingAndALostClaimIsGone)
{
    CCharacter* man = Person(7);
    CTitle* title = CTitle::GetTitle(12);
    ASSERT_NE(title, nullptr);
    Apply(man,
        new CRZCreateClaimEvent(
            _CRZEVT_CREATECLAIM_, man->GetID(), man->GetID(), 12, CRZID(RZTYPE_DYNAMIC, 70)));
    Apply(man,
        new CRZCreateClaimEvent(
            _CRZEVT_CREATECLAIM_, man->GetID(), man->GetID(), 12, CRZID(RZTYPE_DYNAMIC, 71)));
    // Titles that do not exist, his own title and an identity already taken make nothing either.
    Apply(man,
        new CRZCreateClaimEvent(
            _CRZEVT_CREATECLAIM_, man->GetID(), man->GetID(), 5000, CRZID(RZTYPE_DYNAMIC, 72)));
    Apply(man,
        new CRZCreateClaimEvent(
            _CRZEVT_CREATECLAIM_, man->GetID(), man->GetID(), -3, CRZID(RZTYPE_DYNAMIC, 73)));
    Apply(ruler,
        new CRZCreateClaimEvent(
            _CRZEVT_CREATECLAIM_, ruler->GetID(), ruler->GetID(), 7, CRZID(RZTYPE_DYNAMIC, 74)));
    Apply(man, new CRZCreateClaimEvent(_CRZEVT_CREATECLAIM_, man->GetID(), man->GetID(), 13, ruler->GetID()));
    EXPECT_EQ(man->claims.GetSize(), 1);
    EXPECT_EQ(title->GetClaims().GetSize(), 1);
    EXPECT_TRUE(man->HasClaim(title));
    EXPECT_TRUE(ruler->claims.IsEmpty());
    for (int id : { 71, 72, 73, 74 })
        EXPECT_EQ(CIdentity::GetObjectFromID(CRZID(RZTYPE_DYNAMIC, static_cast<uint32_t>(id))), nullptr)
            << id;

    Apply(man,
        new CRZLoseClaimEvent(_CRZEVT_LOSECLAIM_, man->GetID(), man->GetID(), CRZID(RZTYPE_DYNAMIC, 70)));
    EXPECT_TRUE(man->claims.IsEmpty());
    EXPECT_TRUE(title->GetClaims().IsEmpty());
    EXPECT_EQ(CClaim::GetClaim(CRZID(RZTYPE_DYNAMIC, 70)), nullptr);
}

TEST_F(ServerTest, OneWhoLeavesCourtGivesUpHisOfficeAndCommandAndJoinsTheRealmOfNobody)
{
    Realm(1401);
    CCharacter* marshal = Person(7);
    marshal->SetCourtPosition(COURT_MARSHAL);
    ASSERT_EQ(realm->courtPositions[COURT_MARSHAL - COURT_CHANCELLOR], marshal);
    alignas(16) static unsigned char storage[512];
    auto* division = reinterpret_cast<CDivision*>(storage);
    marshal->SetMilitaryCommand(division);
    static CDivision* left;
    left = nullptr;
    gCharacterHooks.ReleaseCommand = [](CDivision* d) { left = d; };
    Apply(marshal, new CRZIdEvent(_CRZEVT_LEAVE_COURT_, marshal->GetID(), marshal->GetID()));
    EXPECT_EQ(left, division);
    EXPECT_FALSE(marshal->HasMilitaryCommand());
    EXPECT_EQ(realm->courtPositions[COURT_MARSHAL - COURT_CHANCELLOR], nullptr);
    EXPECT_EQ(marshal->realmId, 1401);
    EXPECT_FALSE(realm->court.Contains(marshal));
}

} // namespace

namespace {

// The server's array must follow its list through every way the list changes.
TEST(CharacterServerOrder, TheArrayFollowsTheListThroughAppendsRemovalsInsertsAndLocks)
{
    CCharacter people[6];
    CCharacterServer server;
    auto expectSameAsList = [&](const char* step) {
        std::vector<CCharacter*> walked;
        for (auto it = server.GetHead(); !it.IsEnd(); it++)
            walked.push_back(*it);
        EXPECT_EQ(server.GetOrder(), walked) << step;
    };
    expectSameAsList("empty");
    server.Append(&people[0]);
    server.Append(&people[1]);
    expectSameAsList("appended to an empty list");
    server.Append(&people[2]);
    expectSameAsList("appended after the array was made");
    server.Insert(&people[3]);
    expectSameAsList("put at the head");
    server.InsertBefore(&people[4], &people[1]);
    expectSameAsList("put in the middle");
    server.Remove(&people[2]);
    server.Append(&people[5]);
    expectSameAsList("the last removed, another appended");
    // A locked list keeps a removed node linked until it is unlocked.
    server.Lock();
    server.Remove(server.GetHead());
    expectSameAsList("removed while locked");
    server.Unlock();
    expectSameAsList("unlocked");
    server.RemoveAll();
    expectSameAsList("emptied");
    server.Append(&people[1]);
    expectSameAsList("refilled");
}

} // namespace
