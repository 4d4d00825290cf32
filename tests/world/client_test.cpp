// The client endpoint: date events applied one day at a time with their month, year and day events,
// clamped day counts, the session events and the end of the game.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "events/event_posting.h"
#include "events/generic_events.h"
#include "events/records_session.h"
#include "messages/end_box.h"
#include "scripted/game_event_server.h"
#include "world/client.h"
#include "world_fakes.h"

#include "foundation/safeguards.h"

using namespace worldfakes;

namespace {

// Every broadcast the world receives, as "type@YYYYMMDD" (the clock's date when it arrived).
class CBroadcastLog : public CRZEventHandler {
public:
    CRZReturnType Update(CRZEvent* event) override
    {
        char date[16];
        gpTimer->GetDate().GenerateString(date);
        lines.push_back(std::to_string(event->GetType()) + "@" + date);
        return 0;
    }
    std::vector<std::string> lines;
};

class CEventServerLog : public CRZGameEventServer {
public:
    CRZReturnType Update(CRZEvent* event) override
    {
        types.push_back(event->GetType());
        return 5;
    }
    std::vector<CRZEvtType> types;
};

std::vector<int> gPings;
std::vector<int> gDropped;

class ClientTest : public WorldTest {
protected:
    void SetUp() override
    {
        WorldTest::SetUp();
        gEventRoutes.game = &game;
        gEventRoutes.global = &log;
        ReplaceClient();
        gClientHooks.HandlePing = [](int value) { gPings.push_back(value); };
        gClientHooks.ClearPlayerReady = [](int player) { gDropped.push_back(player); };
        gClientHooks.GetLocalCountry = [] { return CRZCountryID(12); };
        gPings.clear();
        gDropped.clear();
    }
    void TearDown() override
    {
        delete gpClient;
        gpClient = nullptr;
        gClientHooks = CRZClientHooks();
        gEventRoutes.game = nullptr;
        gEventRoutes.global = nullptr;
        gGlobal.gameEventServer = nullptr;
        WorldTest::TearDown();
    }

    // A date event of the count, delivered through the routing as every machine receives it.
    CRZReturnType Advance(int days)
    {
        return ProcessLocalEvent(new CRZIntEvent(_CRZEVT_TIMER_DATE_, BASIC_CLIENT, days));
    }

    static std::string Line(CRZEvtType type, const char* date) { return std::to_string(type) + "@" + date; }

    CStartedGame game;
    CBroadcastLog log;
};

TEST_F(ClientTest, ADateEventGivesEachDayItsBoundaryEventsThenItsDayEvent)
{
    gpTimer->SetDate(CDate(28, 11, 1100));
    EXPECT_EQ(Advance(3), 0);
    const std::vector<std::string> expected = {
        Line(_CRZEVT_TIMER_DAY_, "11001129"),
        Line(_CRZEVT_TIMER_MONTH_, "11010000"),
        Line(_CRZEVT_TIMER_YEAR_, "11010000"),
        Line(_CRZEVT_EYR_ADD_ANOTHER_YEAR_, "11010000"),
        Line(_CRZEVT_TIMER_DAY_, "11010000"),
        Line(_CRZEVT_TIMER_DAY_, "11010001"),
    };
    EXPECT_EQ(log.lines, expected);
}

TEST_F(ClientTest, DayCountsFromTheNetworkAreKeptWithinOneDateEvent)
{
    struct Case {
        int days;
        int applied;
    };
    const Case cases[] = { { 0, 0 }, { -5, 0 }, { 1, 1 }, { 10, 10 }, { 11, 10 }, { 1000000, 10 } };
    for (const Case& c : cases) {
        gpTimer->SetDate(CDate(0, 0, 1200));
        log.lines.clear();
        EXPECT_EQ(Advance(c.days), 0);
        EXPECT_EQ(gpTimer->GetDate().GetDays() - CDate(0, 0, 1200).GetDays(), c.applied) << c.days;
        EXPECT_EQ(static_cast<int>(log.lines.size()), c.applied) << c.days; // day events only
    }
}

TEST_F(ClientTest, DaysAtTheLastDateStillComeButTheDateStays)
{
    gpTimer->SetDate(CDate(0, 0, 1454));
    Advance(2);
    const std::vector<std::string> expected
        = { Line(_CRZEVT_TIMER_DAY_, "14540000"), Line(_CRZEVT_TIMER_DAY_, "14540000") };
    EXPECT_EQ(log.lines, expected);
}

TEST_F(ClientTest, SessionEventsReachTheSessionAndOnlyRealPlayerSlotsAreDropped)
{
    ProcessLocalEvent(new CRZIntEvent(_CRZEVT_PING_, BASIC_CLIENT, 77));
    EXPECT_EQ(gPings, std::vector<int>({ 77 }));

    for (const int player : { 0, 31, 32, -1, 1000 }) {
        CRZIntEvent drop(_CRZEVT_DROP_PLAYER_INGAME_, BASIC_CLIENT, player);
        EXPECT_EQ(gpClient->Update(&drop), 3) << player;
    }
    EXPECT_EQ(gDropped, std::vector<int>({ 0, 31 }));

    CEventServerLog scripted;
    gGlobal.gameEventServer = &scripted;
    CRZGenericEvent execute(_CRZEVT_EXECUTE_EVENT_, EVENT_SERVER);
    EXPECT_EQ(gpClient->Update(&execute), 0);
    EXPECT_EQ(scripted.types, std::vector<CRZEvtType>({ _CRZEVT_EXECUTE_EVENT_ }));

    CRZGenericEvent other(_CRZEVT_REFRESHMAP_, BASIC_CLIENT);
    EXPECT_EQ(gpClient->Update(&other), 0);
    EXPECT_TRUE(log.lines.empty());
}

TEST_F(ClientTest, AWinnerStopsTheClockAndShowsTheEndBox)
{
    gpTimer->SetRunning(true);
    EXPECT_EQ(gpClient->GetGameEndResult(), GAME_END_QUIT);
    EXPECT_EQ(gpClient->GetEndBox(), nullptr);

    CRZVictoryEvent winner(
        _CRZEVT_WE_HAVE_A_WINNER_, BASIC_CLIENT, 44, static_cast<TQVictory>(GAME_END_WINNER));
    EXPECT_EQ(gpClient->Update(&winner), 0);
    EXPECT_FALSE(gpTimer->IsRunning());
    EXPECT_EQ(gpClient->GetGameEndResult(), GAME_END_WINNER);
    const CEndBox* box = gpClient->GetEndBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->GetLocal(), 12);
    EXPECT_EQ(box->GetWinner(), 44);
    EXPECT_TRUE(box->HasText());
    EXPECT_TRUE(box->IsPlaced());
}

} // namespace
