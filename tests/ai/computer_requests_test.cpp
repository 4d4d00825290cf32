// The requests a computer realm waits to answer: kept from the day they arrive, answered by the ruler's
// diplomacy or when due, and dropped when their sender is annexed.
#include <gtest/gtest.h>

#include <vector>

#include "ai/ai_country.h"
#include "events/event_scheduler.h"
#include "events/game_clock.h"
#include "events/generic_events.h"
#include "foundation/random_generator.h"
#include "realms/country.h"
#include "realms/request.h"

#include "foundation/safeguards.h"

namespace {

class ComputerRequests : public ::testing::Test {
protected:
    void SetUp() override
    {
        CIdentity::TotalInit(NOID, 0);
        ClearCountryControl();
        CRZCountry::InitCountryArray();
        gCountryHooks = CountryHooks {};
        gCountryHooks.IsHost = [] { return true; };
        gCountryHooks.MakeAI = []() -> CRZCountry* { return new CRZAI; };
        InstallComputerOpponentHooks();
        gpTimer = new CRZTimer(15);
        gpTimer->SetDate(CDate(0, 0, 1100));
        gGameRandom.Seed(7);
        for (CRZCountryID number : { 10, 20, 30 }) {
            gCountryControl[number] = number == 10 ? CONTROL_COMPUTER : CONTROL_NETWORK_PLAYER;
            CRZCountry::ConstructCountry(number);
        }
        computer = dynamic_cast<CRZAI*>(CRZCountry::GetCountry(10));
        ASSERT_NE(computer, nullptr);
    }
    void TearDown() override
    {
        gEventScheduler.Erase();
        CRZCountry::DeleteAll();
        delete gpTimer;
        gpTimer = nullptr;
        gCountryHooks = CountryHooks {};
        CIdentity::TotalCleanup();
    }
    void Receive(CRZCountryID sender)
    {
        COfferAllianceRequest request(sender, 10);
        EXPECT_EQ(computer->handleRequest(static_cast<CRequest*>(&request)), 3);
    }
    std::vector<CRZCountryID> Waiting() const
    {
        std::vector<CRZCountryID> senders;
        for (const auto& request : computer->GetWaitingRequests())
            senders.push_back(request->GetSender());
        return senders;
    }
    // The answers sent to the host since the last call.
    static int Answers()
    {
        int count = 0;
        gEventScheduler.ForEach([&](CRZEvent* event) { count += event->GetType() == _CRZEVT_RESPONSE_; });
        gEventScheduler.Erase();
        return count;
    }
    void Day()
    {
        CRZIntEvent day(_CRZEVT_TIMER_DAY_, computer->GetID(), 0);
        computer->handleTimerDay(&day);
    }

    CRZAI* computer = nullptr;
};

TEST_F(ComputerRequests, ARequestWaitsUntilTheRulersDiplomacyOrItsLastDaysAnswerIt)
{
    Receive(20);
    EXPECT_EQ(Answers(), 0) << "nothing is answered on arrival";
    ASSERT_EQ(Waiting(), (std::vector<CRZCountryID> { 20 }));

    // Without a ruler the realm has no diplomacy: only the request's last days answer it.
    const CDate expires = computer->GetWaitingRequests().front()->GetExpirationDate();
    int days = 0;
    while (!Waiting().empty() && days < 400) {
        Day();
        CDate next = GetGameToday();
        next.AddDays(1);
        gpTimer->SetDate(next);
        ++days;
    }
    EXPECT_EQ(Answers(), 1);
    EXPECT_TRUE(Waiting().empty());
    CDate answered = GetGameToday();
    answered.AddDays(-1);
    EXPECT_EQ(expires.GetDays() - answered.GetDays(), 2) << "answered with two days left";
}

TEST_F(ComputerRequests, TheRequestsOfAnAnnexedRealmAreDropped)
{
    Receive(20);
    Receive(30);
    Receive(20);
    computer->RemoveRequestsFrom(20);
    EXPECT_EQ(Waiting(), (std::vector<CRZCountryID> { 30 }));

    Receive(20);
    CRZCountry::GetCountry(30)->Annex(20, false);
    EXPECT_EQ(CRZCountry::GetCountry(20), nullptr);
    EXPECT_EQ(Waiting(), (std::vector<CRZCountryID> { 30 }));
}

} // namespace
