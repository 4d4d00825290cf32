// The game clock: installing and removing its platform timer, counting real time in ticks, turning
// ticks into date events on the host, restarting, and the day advance with its month and year events.
#include <gtest/gtest.h>

#include <vector>

#include "event_fakes.h"
#include "events/event_posting.h"
#include "route_fakes.h"

#include "foundation/safeguards.h"

using namespace routefakes;

namespace {

std::vector<uint32_t> gDelivered;
CRZReturnType RecordType(CRZEvent* event)
{
    gDelivered.push_back(event->GetType());
    return 0;
}

int gSpeed = 3;

// A started clock of 15 ms ticks on fake timers, in a running game on the host at speed 3.
class Clock : public RoutedGame {
protected:
    void SetUp() override
    {
        RoutedGame::SetUp();
        gNow = 0;
        CRZTimer::mLastTimerActionTime = 0;
        CRZTimer::mLastTickRest = 0;
        gSpeed = 3;
        gClockHooks.timers = &timers;
        gClockHooks.GetGameSpeed = [] { return gSpeed; };
        ASSERT_TRUE(InitTimer(15));
        gpTimer->SetDate(CDate(0, 0, 1100));
    }

    // Counts n game ticks exactly, 13 at most per callback (195 ms, under the 200 ms cap).
    void RunTicks(int n)
    {
        gpTimer->SetRunning(true);
        while (n > 0) {
            const int step = n < 13 ? n : 13;
            timers.Fire(static_cast<uint32_t>(15 * step));
            n -= step;
        }
    }

    // The days of every date event waiting in the immediate queue, in order.
    static std::vector<int> PostedDays()
    {
        std::vector<int> days;
        gEventScheduler.ForEach([&](CRZEvent* event) {
            if (event->GetType() == _CRZEVT_TIMER_DATE_)
                days.push_back(static_cast<CRZIntEvent*>(event)->Record().value);
        });
        return days;
    }
};

} // namespace

TEST_F(Clock, InitInstallsAPeriodicTimerAndKillRemovesIt)
{
    ASSERT_NE(timers.installed, nullptr);
    EXPECT_EQ(timers.installed->period, 15u);
    EXPECT_EQ(timers.installed->firstDelay, 1u);
    EXPECT_EQ(reinterpret_cast<intptr_t>(timers.installed->userData), 15);
    EXPECT_TRUE(gpTimer->IsStarted());
    EXPECT_FALSE(gpTimer->IsRunning());
    EXPECT_EQ(gpTimer->GetAnimationTicks(), 1);

    // A second start replaces the clock instead of leaving the old timer behind.
    ASSERT_TRUE(InitTimer(15));
    EXPECT_EQ(timers.removed, 1);
    EXPECT_EQ(gpTimer->GetDate(), CDate());

    KillTimer();
    EXPECT_EQ(gpTimer, nullptr);
    EXPECT_EQ(timers.removed, 2);
    KillTimer();
    EXPECT_EQ(timers.removed, 2);
}

TEST_F(Clock, NoPlatformTimerMeansNoClock)
{
    KillTimer();
    timers.fail = true;
    EXPECT_FALSE(InitTimer(15));
    EXPECT_EQ(gpTimer, nullptr);

    // A tick without length is refused outright.
    timers.fail = false;
    EXPECT_FALSE(InitTimer(0));
    EXPECT_EQ(gpTimer, nullptr);
}

TEST_F(Clock, CallbacksCountAtMost200MillisecondsInWholeTicks)
{
    gNow = 100000;
    timers.Fire(0); // previous time 0: counts 200 ms, 13 ticks and 5 ms kept
    EXPECT_EQ(gpTimer->GetAnimationTicks(), 1 + 13);
    EXPECT_EQ(CRZTimer::mLastTickRest, 5u);

    timers.Fire(400); // 200 ms + 5 kept: 13 ticks, 10 kept
    EXPECT_EQ(gpTimer->GetAnimationTicks(), 1 + 26);
    EXPECT_EQ(CRZTimer::mLastTickRest, 10u);

    timers.Fire(5); // 15 ms: one more tick
    EXPECT_EQ(gpTimer->GetAnimationTicks(), 1 + 27);
    EXPECT_EQ(CRZTimer::mLastTickRest, 0u);

    // The counter wraps without a jump.
    gNow = 0xFFFFFFF0u;
    CRZTimer::mLastTimerActionTime = gNow;
    timers.Fire(0x20);
    EXPECT_EQ(gpTimer->GetAnimationTicks(), 1 + 29);
}

TEST_F(Clock, GameTicksCountOnlyWhileRunningWithoutModalWindow)
{
    struct Case {
        bool running;
        bool modal;
        bool player;
        int gameTicks;
    };
    for (const Case& c : { Case { false, false, true, 0 }, Case { true, true, true, 0 },
             Case { true, false, true, 13 }, Case { true, true, false, 13 } }) {
        gpTimer->SetRunning(c.running);
        player.modal = c.modal;
        gEventRoutes.player = c.player ? &player : nullptr;
        const int before = gpTimer->GetGameTicks();
        const int animation = gpTimer->GetAnimationTicks();
        timers.Fire(195);
        EXPECT_EQ(gpTimer->GetGameTicks() - before, c.gameTicks);
        EXPECT_EQ(gpTimer->GetAnimationTicks() - animation, 13);
    }
}

TEST_F(Clock, CallbackOfAnotherTimerIsIgnored)
{
    CFakeLoopTimers::Timer other { &TimerAction, reinterpret_cast<void*>(intptr_t { 15 }), 1, 15 };
    gNow = 1000;
    TimerAction(reinterpret_cast<CRZLoopTimer*>(&other), other.userData);
    TimerAction(nullptr, other.userData);
    EXPECT_EQ(gpTimer->GetAnimationTicks(), 1);
}

TEST_F(Clock, PollTurnsTicksIntoOneAnimationEventAndDateEventsOfAtMostTenDays)
{
    RunTicks(67);
    gTrail.clear();
    gpTimer->Poll();
    EXPECT_EQ(gTrail, (Trail { "display" }));
    EXPECT_EQ(gpTimer->GetTicksPerDay(), 67);
    EXPECT_EQ(PostedDays(), (std::vector<int> { 1 }));
    ASSERT_NE(gEventScheduler.Peek(), nullptr);
    EXPECT_EQ(gEventScheduler.Peek()->GetReceiver(), BASIC_CLIENT);
    EXPECT_TRUE(gEventScheduler.Peek()->GetSend());
    gEventScheduler.Erase();

    // 1000 ticks are about 14.93 days: 10 are posted, 4 dropped, the part of a day kept.
    RunTicks(1000);
    gpTimer->Poll();
    EXPECT_EQ(PostedDays(), (std::vector<int> { 10 }));
    EXPECT_NEAR(gpTimer->GetDayFraction(), 1000.0f / 67.0f - 14.0f, 1e-4);
    gEventScheduler.Erase();

    // No animation tick since the last poll: nothing at all.
    gTrail.clear();
    gpTimer->Poll();
    EXPECT_TRUE(gTrail.empty());
    EXPECT_TRUE(gEventScheduler.IsEmpty());
}

TEST_F(Clock, BacklogDropsTheTicksOfThatPoll)
{
    // Four immediate events waiting, or a dated event due today, hold the day back.
    for (int i = 0; i < 4; ++i)
        PostLocalEvent(new CRZGenericEvent(_CRZEVT_PING_, NOID));
    RunTicks(67);
    gpTimer->Poll();
    EXPECT_TRUE(PostedDays().empty());
    EXPECT_FLOAT_EQ(gpTimer->GetDayFraction(), 0.0f);
    gEventScheduler.Erase();

    ScheduleLocalEvent(new CRZGenericEvent(_CRZEVT_PING_, NOID), gpTimer->GetDate());
    RunTicks(67);
    gpTimer->Poll();
    EXPECT_TRUE(PostedDays().empty());
    gEventScheduler.Erase();

    // Three waiting events and a dated event of a later day do not.
    ScheduleLocalEvent(new CRZGenericEvent(_CRZEVT_PING_, NOID), CDate(1, 0, 1100));
    for (int i = 0; i < 3; ++i)
        PostLocalEvent(new CRZGenericEvent(_CRZEVT_PING_, NOID));
    RunTicks(70);
    gpTimer->Poll();
    EXPECT_EQ(PostedDays(), (std::vector<int> { 1 }));
}

TEST_F(Clock, ClientOnlyAnimates)
{
    CFakeSession client;
    client.host = false;
    SetEventSession(&client);
    RunTicks(500);
    gTrail.clear();
    gpTimer->Poll();
    EXPECT_EQ(gTrail, (Trail { "display" }));
    EXPECT_TRUE(gEventScheduler.IsEmpty());
}

TEST_F(Clock, SpeedFromTheSettingsIsClamped)
{
    struct Case {
        int speed;
        int ticksPerDay;
    };
    for (const Case& c :
        { Case { 0, 512 }, Case { 7, 6 }, Case { 8, 6 }, Case { 1000000, 6 }, Case { -1, 512 } }) {
        gSpeed = c.speed;
        gpTimer->Poll();
        EXPECT_EQ(gpTimer->GetTicksPerDay(), c.ticksPerDay) << c.speed;
    }
}

TEST_F(Clock, RestartRunsTheClockOnlyInAnUnheldUnpausedGame)
{
    struct Case {
        bool inGame;
        bool held;
        bool pause;
        bool running;
    };
    for (const Case& c : { Case { false, false, false, false }, Case { true, true, false, false },
             Case { true, false, true, false }, Case { true, false, false, true } }) {
        gpTimer->SetRunning(false);
        game.inGame = c.inGame;
        game.held = c.held;
        player.pause = c.pause;
        gpTimer->RestartTimer();
        EXPECT_EQ(gpTimer->IsRunning(), c.running);
    }
    gEventRoutes.game = nullptr;
    gpTimer->SetRunning(false);
    gpTimer->RestartTimer();
    EXPECT_FALSE(gpTimer->IsRunning());
}

TEST_F(Clock, SetDateMovesTheTicksWithoutOwingOrWithholdingDays)
{
    const CDate start(0, 0, 1066);
    gDateTickSource.pStartDate = &start;
    gpTimer->Poll(); // takes up the pace of speed 3

    // A later save: the ticks jump ahead, yet no day is owed for the jump.
    gpTimer->SetDate(CDate(0, 0, 1067));
    EXPECT_EQ(gpTimer->GetGameTicks(), 360 * 67);
    RunTicks(40);
    gpTimer->Poll();
    EXPECT_TRUE(PostedDays().empty());
    EXPECT_NEAR(gpTimer->GetDayFraction(), 40.0f / 67.0f, 1e-4);

    // An earlier save: the ticks jump back, yet the days keep coming.
    gpTimer->SetDate(CDate(0, 0, 1066));
    RunTicks(67 * 2);
    gpTimer->Poll();
    EXPECT_EQ(PostedDays(), (std::vector<int> { 2 }));
    gDateTickSource.pStartDate = nullptr;
}

TEST_F(Clock, AddingDaysSendsMonthThenYearThenYearReportOnTheirBoundaries)
{
    SetEventDelivery(&RecordType);
    struct Case {
        CDate from;
        int days;
        CDate to;
        std::vector<uint32_t> events;
    };
    const std::vector<uint32_t> newYear { _CRZEVT_TIMER_MONTH_, _CRZEVT_TIMER_YEAR_,
        _CRZEVT_EYR_ADD_ANOTHER_YEAR_ };
    const Case cases[] = {
        { CDate(3, 4, 1200), 1, CDate(4, 4, 1200), {} },
        { CDate(29, 4, 1200), 1, CDate(0, 5, 1200), { _CRZEVT_TIMER_MONTH_ } },
        { CDate(29, 11, 1200), 1, CDate(0, 0, 1201), newYear },
        { CDate(29, 11, 1453), 1, CDate(0, 0, 1454), newYear },
        { CDate(0, 0, 1454), 1, CDate(0, 0, 1454), {} },
        { CDate(20, 11, 1453), 30, CDate(0, 0, 1454), {} },
        { CDate(), 1, CDate(0, 0, 1066), { _CRZEVT_TIMER_YEAR_, _CRZEVT_EYR_ADD_ANOTHER_YEAR_ } },
    };
    for (const Case& c : cases) {
        gDelivered.clear();
        gpTimer->SetDate(c.from);
        gpTimer->HandleAddDays(c.days);
        EXPECT_EQ(gpTimer->GetDate(), c.to)
            << c.from.year << "-" << int(c.from.month) << "-" << int(c.from.day);
        EXPECT_EQ(gDelivered, c.events) << c.from.year << "-" << int(c.from.month) << "-" << int(c.from.day);
    }
}

TEST_F(Clock, UpdateAnswersNothingAndTheDateDecidesWhichDatedEventsAreDue)
{
    CRZGenericEvent event(_CRZEVT_TIMER_DAY_, ALLID);
    EXPECT_EQ(gpTimer->Update(&event), 0);

    ScheduleLocalEvent(new CRZGenericEvent(_CRZEVT_PING_, NOID), CDate(1, 0, 1100));
    EXPECT_FALSE(gEventScheduler.ProcessNext());
    gpTimer->HandleAddDays(1);
    EXPECT_TRUE(gEventScheduler.ProcessNext());

    // Without a clock (around a movie) no dated event is due, and nothing breaks.
    ScheduleLocalEvent(new CRZGenericEvent(_CRZEVT_PING_, NOID), CDate(1, 0, 1100));
    KillTimer();
    EXPECT_FALSE(gEventScheduler.ProcessNext());
    EXPECT_EQ(Broadcast(_CRZEVT_TIMER_DAY_), 0);
}
