// The diplomatic requests and the host's diplomacy server: expiry and default answers, arrival order, realms
// that vanish, answers that find nothing, the event forms and what a bad event leaves behind.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "events/event_scheduler.h"
#include "events/game_clock.h"
#include "events/generic_events.h"
#include "events/records_character.h"
#include "events/records_realm.h"
#include "realm_land.h"
#include "realms/country.h"
#include "realms/realm_servers.h"
#include "realms/request.h"

#include "foundation/safeguards.h"

namespace {

bool gHost = true;

struct Answer {
    CRZID id;
    int answer;
    CRZID receiver;
};

class RequestTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CRZCountry::InitCountryArray();
        ClearCountryControl();
        gHost = true;
        gCountryHooks = CountryHooks {};
        gCountryHooks.IsHost = [] { return gHost; };
        gpTimer = new CRZTimer(15);
        gpTimer->SetDate(CDate(0, 0, 1100));
        gEventScheduler.Erase();
        CRelations::Init();
        for (CRZCountryID id : { kA, kB, kC }) {
            CRZCountry::ConstructCountry(id);
            land.Ruler(CRZCountry::GetCountry(id));
        }
    }
    void TearDown() override
    {
        server.reset();
        gEventScheduler.Erase();
        CRelations::Shutdown();
        CRZCountry::DeleteAll();
        delete gpTimer;
        gpTimer = nullptr;
        gCountryHooks = CountryHooks {};
    }

    CRZCountry* Realm(CRZCountryID id) { return CRZCountry::GetCountry(id); }
    void SetToday(const CDate& date) { gpTimer->SetDate(date); }
    // The responses waiting in the scheduler, taken out of it.
    std::vector<Answer> TakeAnswers()
    {
        std::vector<Answer> answers;
        gEventScheduler.ForEach([&](CRZEvent* event) {
            if (event->GetType() == _CRZEVT_RESPONSE_) {
                const auto& r = static_cast<CRZResponseEvent*>(event)->Record();
                answers.push_back({ r.id, r.answer, event->GetReceiver() });
            }
        });
        gEventScheduler.Erase();
        return answers;
    }
    // The request reaches the host's server as its to-host event.
    void Send(CRequest& request)
    {
        request.SendToHost();
        std::vector<CRZEvent*> posted;
        gEventScheduler.ForEach([&](CRZEvent* event) { posted.push_back(event); });
        ASSERT_EQ(posted.size(), 1u);
        ASSERT_EQ(posted[0]->GetReceiver(), DIPLOMACY_SERVER);
        server->Update(posted[0]);
        gEventScheduler.Erase();
    }
    void Day()
    {
        CRZGenericEvent day(_CRZEVT_TIMER_DAY_, ALLID);
        server->Update(&day);
    }
    std::vector<uint32_t> PendingNumbers()
    {
        std::vector<uint32_t> numbers;
        for (auto it = server->GetHead(); !it.IsEnd(); it++)
            numbers.push_back((*it)->GetId().number);
        return numbers;
    }

    // Duchies: their rulers hold their titles, which lieges and alliances need.
    static constexpr CRZCountryID kA = 1010, kB = 1011, kC = 1012;
    CRealmLand land;
    std::unique_ptr<CRZDiplomacyServer> server = std::make_unique<CRZDiplomacyServer>();
};

TEST_F(RequestTest, EveryKindTravelsInItsEventAndIsRebuiltAlike)
{
    const CRZID child = land.rulers[0]->GetID();
    std::unique_ptr<CRequest> kinds[] = {
        std::make_unique<CMobilizeHostRequest>(kA, kB),
        std::make_unique<COfferVassalizationRequest>(kA, kB),
        std::make_unique<CPledgeAllegienceRequest>(kA, kB),
        std::make_unique<COfferMarrigeRequest>(kA, kB, land.rulers[0]->GetID(), land.rulers[1]->GetID()),
        std::make_unique<CSendFosterlingRequest>(kA, kB, child),
        std::make_unique<CRevokeTitleRequest>(kA, kB, CRZID(11, 7)),
        std::make_unique<COfferAllianceRequest>(kA, kB),
    };
    for (auto& kind : kinds) {
        kind->SendToHost();
        std::vector<CRZEvent*> posted;
        gEventScheduler.ForEach([&](CRZEvent* event) { posted.push_back(event); });
        ASSERT_EQ(posted.size(), 1u);
        std::unique_ptr<CRequest> copy(CRequest::CreateRequest(posted[0]));
        ASSERT_NE(copy, nullptr) << posted[0]->GetType();
        EXPECT_EQ(typeid(*copy), typeid(*kind));
        EXPECT_EQ(copy->GetId(), kind->GetId());
        EXPECT_EQ(copy->GetSender(), kA);
        EXPECT_EQ(copy->GetRecipient(), kB);
        EXPECT_EQ(copy->GetDate(), kind->GetDate());
        EXPECT_EQ(copy->GetMsgType(), kind->GetMsgType());
        gEventScheduler.Erase();
    }
    // No other type makes a request, the grand mobilisation among them; nor a short record or a realm
    // number outside the table.
    CRZSimpleRequestEvent grand(
        _CRZEVT_REQUEST_GRAND_MOBILIZATION_, DIPLOMACY_SERVER, CRZID(1, 1), kA, kB, CDate());
    EXPECT_EQ(CRequest::CreateRequest(&grand), nullptr);
    CRZGenericEvent bare(_CRZEVT_REQUEST_OFFER_ALLIANCE_, DIPLOMACY_SERVER);
    EXPECT_EQ(CRequest::CreateRequest(&bare), nullptr);
    CRZSimpleRequestEvent outside(
        _CRZEVT_REQUEST_OFFER_ALLIANCE_, DIPLOMACY_SERVER, CRZID(1, 1), kA, 5000, CDate());
    EXPECT_EQ(CRequest::CreateRequest(&outside), nullptr);
    CRZSimpleRequestEvent negative(
        _CRZEVT_REQUEST_OFFER_ALLIANCE_, DIPLOMACY_SERVER, CRZID(1, 1), -3, kB, CDate());
    EXPECT_EQ(CRequest::CreateRequest(&negative), nullptr);
    const int live = CRequest::total_requests;
    kinds[0].reset();
    EXPECT_EQ(CRequest::total_requests, live - 1);
}

TEST_F(RequestTest, AHumanHasSixtyDaysAComputerThirtyTimesTheRatio)
{
    gCountryControl[kB] = CONTROL_NETWORK_PLAYER;
    COfferAllianceRequest toHuman(kA, kB);
    EXPECT_EQ(toHuman.GetExpirationDate().GetDays() - toHuman.GetDate().GetDays(), 60);

    // Diplomacy 0 against diplomacy 0 is a ratio of 1; a better diplomat as recipient takes longer.
    COfferAllianceRequest toComputer(kA, kC);
    EXPECT_EQ(toComputer.GetExpirationDate().GetDays() - toComputer.GetDate().GetDays(), 30);
    Realm(kC)->ruler->attributes = CAttributeTuple(0, 8, 0, 0, 0, 0);
    const float ratio = CAttributeTuple(0, 8, 0, 0, 0, 0).GetResponseTimeModifier()
        / CAttributeTuple().GetResponseTimeModifier();
    EXPECT_EQ(toComputer.GetExpirationDate().GetDays() - toComputer.GetDate().GetDays(),
        static_cast<int>(30 * ratio));
}

TEST_F(RequestTest, UnansweredRequestsTakeTheirDefaultTheDayAfterExpiry)
{
    gCountryControl[kB] = CONTROL_NETWORK_PLAYER;
    COfferAllianceRequest alliance(kA, kB);
    CRevokeTitleRequest revoke(kA, kB, CRZID(11, 900));
    Send(alliance);
    Send(revoke);
    ASSERT_EQ(PendingNumbers().size(), 2u);

    CDate expiry = CDate(0, 0, 1100);
    expiry.AddDays(60);
    SetToday(expiry);
    Day();
    EXPECT_TRUE(TakeAnswers().empty()) << "a request expiring today waits one more day";

    CDate after = expiry;
    after.AddDays(1);
    SetToday(after);
    Day();
    const std::vector<Answer> answers = TakeAnswers();
    ASSERT_EQ(answers.size(), 2u);
    EXPECT_EQ(answers[0].id, alliance.GetId());
    EXPECT_EQ(answers[0].answer, 0);
    EXPECT_EQ(answers[1].id, revoke.GetId());
    EXPECT_EQ(answers[1].answer, 1) << "a title unanswered is given";

    // The answers come back: the server passes them to the senders and forgets the requests.
    for (const Answer& answer : answers) {
        CRZResponseEvent response(_CRZEVT_RESPONSE_, DIPLOMACY_SERVER, answer.id, answer.answer);
        server->Update(&response);
    }
    EXPECT_TRUE(PendingNumbers().empty());
    const std::vector<Answer> passed = TakeAnswers();
    ASSERT_EQ(passed.size(), 2u);
    EXPECT_EQ(passed[0].receiver, CountryIdentity(kA));
}

TEST_F(RequestTest, RequestsOfOneDayStayInArrivalOrder)
{
    SetToday(CDate(5, 0, 1100));
    COfferAllianceRequest first(kA, kB);
    CPledgeAllegienceRequest second(kC, kB);
    CMobilizeHostRequest third(kB, kA);
    SetToday(CDate(4, 0, 1100));
    COfferAllianceRequest earlier(kA, kC);
    for (CRequest* request : std::initializer_list<CRequest*> { &first, &second, &third })
        Send(*request);
    // The host stamps its own date: an earlier sender's date does not put a request first.
    Send(earlier);
    EXPECT_EQ(PendingNumbers(),
        (std::vector<uint32_t> {
            first.GetId().number, second.GetId().number, third.GetId().number, earlier.GetId().number }));
}

TEST_F(RequestTest, VanishedRealmsAndUnknownAnswers)
{
    COfferAllianceRequest toGone(kA, kB);
    CPledgeAllegienceRequest fromGone(kC, kA);
    Send(toGone);
    Send(fromGone);
    gEventScheduler.Erase();

    // An answer the server does not hold, or one outside 0..1, changes nothing.
    CRZResponseEvent unknown(_CRZEVT_RESPONSE_, DIPLOMACY_SERVER, CRZID(4712, 999999), 1);
    CRZResponseEvent wild(_CRZEVT_RESPONSE_, DIPLOMACY_SERVER, toGone.GetId(), 7);
    server->Update(&unknown);
    server->Update(&wild);
    EXPECT_EQ(PendingNumbers().size(), 2u);
    EXPECT_TRUE(TakeAnswers().empty());

    delete Realm(kB);
    delete Realm(kC);
    Day();
    const std::vector<Answer> answers = TakeAnswers();
    ASSERT_EQ(answers.size(), 1u) << "the request whose sender has gone is dropped unanswered";
    EXPECT_EQ(answers[0].id, toGone.GetId());
    EXPECT_EQ(answers[0].answer, 0);
    EXPECT_EQ(PendingNumbers(), (std::vector<uint32_t> { toGone.GetId().number }));
}

TEST_F(RequestTest, AClientsServerTakesNothing)
{
    gHost = false;
    COfferAllianceRequest offer(kA, kB);
    offer.SendToHost();
    std::vector<CRZEvent*> posted;
    gEventScheduler.ForEach([&](CRZEvent* event) { posted.push_back(event); });
    ASSERT_EQ(posted.size(), 1u);
    server->Update(posted[0]);
    EXPECT_TRUE(PendingNumbers().empty());
    CRZWarEvent war(_CRZEVT_REQ_SETUP_WAR_, DIPLOMACY_SERVER, DynamicID(), kA, kB, false, false);
    gEventScheduler.Erase();
    server->Update(&war);
    int executed = 0;
    gEventScheduler.ForEach([&](CRZEvent*) { ++executed; });
    EXPECT_EQ(executed, 0);
}

TEST_F(RequestTest, APledgeCostsItsPriceEvenWhenDeclined)
{
    CCharacter* pledging = Realm(kA)->ruler;
    pledging->score = CSimpleScore(0.0f, 100.0f, 0.0f);
    CPledgeAllegienceRequest pledge(kA, kB);
    pledge.Execute(0);
    EXPECT_FLOAT_EQ(pledging->GetScore().GetPrestige(), 75.0f);
    EXPECT_EQ(pledging->GetLiegeRuler(), nullptr);
    pledge.Execute(1);
    EXPECT_FLOAT_EQ(pledging->GetScore().GetPrestige(), 50.0f);
    EXPECT_EQ(pledging->GetLiegeRuler(), Realm(kB)->ruler);
    EXPECT_FLOAT_EQ(pledging->GetLoyaltyToLiege(), 1.0f);
}

TEST_F(RequestTest, AnAllianceNeedsARoomForAnAlly)
{
    COfferAllianceRequest offer(kA, kB);
    EXPECT_TRUE(offer.IsDataValid());
    offer.Execute(1);
    EXPECT_TRUE(Realm(kA)->ruler->HasAlliance(Realm(kB)->ruler));
    EXPECT_FALSE(COfferAllianceRequest(kA, kC).IsDataValid()) << "one ally is all a ruler may have";
}

} // namespace
