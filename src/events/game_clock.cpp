// The game clock: the platform timer's tick counting, the per-frame poll that turns ticks into
// animation and date events, and the advance of the game date with its month and year events.
#include "events/game_clock.h"

#include <algorithm>
#include <cstdint>

#include "events/event_hooks.h"
#include "events/event_posting.h"
#include "events/event_scheduler.h"
#include "events/generic_events.h"
#include "platform/elements/rv_assert.h"
#include "platform/win/win_time.h"

#include "foundation/safeguards.h"

CRZClockHooks gClockHooks;
CRZTimer* gpTimer = nullptr;

uint32_t CRZTimer::mLastTimerActionTime = 0;
uint32_t CRZTimer::mLastTickRest = 0;

namespace {

// A stall of the main loop counts at most this much real time; the rest is lost.
constexpr uint32_t kMaxElapsedMs = 200;
// The platform timer's first callback comes this soon after it is installed.
constexpr uint32_t kFirstDelayMs = 1;
// A date event waits while more immediate events than this are queued.
constexpr uint32_t kMaxQueuedForDays = 3;

uint32_t NowMilliseconds()
{
    return gClockHooks.GetMilliseconds ? gClockHooks.GetMilliseconds() : Windows::GetTickCount();
}

// Ticks per day for the user's speed setting; the settings file may hold anything.
int TicksPerDayForSetting(int speed)
{
    return GameSpeed[std::clamp(speed, 0, kGameSpeedCount - 1)];
}

int CurrentTicksPerDay()
{
    return gpTimer ? gpTimer->GetTicksPerDay() : 0;
}

const CDate kFirstDay(0, 0, kFirstYear);
const CDate kLastDay(0, 0, kLastYear);

} // namespace

CRZTimer::CRZTimer(int inTickLength)
    : tickLength(inTickLength)
{
}

CRZTimer::~CRZTimer()
{
    if (timer != nullptr)
        service->Remove(timer);
}

bool CRZTimer::StartTimer()
{
    service = gClockHooks.timers;
    // The tick length travels as the callback's user data, as the platform timer hands it back.
    void* userData = reinterpret_cast<void*>(static_cast<intptr_t>(tickLength));
    timer = service
        ? service->Install(&TimerAction, userData, kFirstDelayMs, static_cast<uint32_t>(tickLength))
        : nullptr;
    if (timer == nullptr) {
        RV_assert_failed("timerID != nil", "timer", 136);
        return false;
    }
    lastAnimationTicks = 1;
    started = 1;
    gameTicks = 1;
    animationTicks = 1;
    return true;
}

int CRZTimer::Poll()
{
    if (gClockHooks.GetGameSpeed)
        ticksPerDay = TicksPerDayForSetting(gClockHooks.GetGameSpeed());
    const int32_t ticks = gameTicks;

    const int32_t advanced = animationTicks - lastAnimationTicks;
    lastAnimationTicks = animationTicks;
    if (advanced <= 0)
        return 0;
    ProcessLocalEvent(new CRZAnimTickEvent(_CRZEVT_TICK_ANIMATIONS_, advanced));

    if (!IsHostMachine())
        return 0;
    // Days pass only while the machine keeps up with the current day's events; ticks of other polls
    // are dropped, so a backlog slows the game instead of bunching days together.
    const CRZEvent* due = gEventScheduler.PeekHeap();
    const bool ready
        = gEventScheduler.GetQueueSize() <= kMaxQueuedForDays && (due == nullptr || due->GetDate() > date);
    if (ready)
        dayFraction
            = static_cast<float>(ticks - lastGameTicks) / static_cast<float>(ticksPerDay) + dayFraction;
    lastGameTicks = ticks;

    const int days = static_cast<int>(dayFraction);
    if (days <= 0)
        return 0;
    dayFraction -= static_cast<float>(days);
    PostGlobalEvent(new CRZIntEvent(_CRZEVT_TIMER_DATE_, BASIC_CLIENT, std::min(days, kMaxDaysPerDateEvent)));
    return 0;
}

void CRZTimer::RestartTimer()
{
    CRZGameHandler* game = gEventRoutes.game;
    CRZPlayerHandler* player = gEventRoutes.player;
    if (!IsInGame() || (game && game->IsTimerHeld()) || (player && player->IsPause()))
        return;
    running = 1;
}

void CRZTimer::SetDate(const CDate& d)
{
    gameTicks = d.ConvertToTicks();
    // The ticks jump with the date; counting from the old ones would owe or withhold the whole jump.
    lastGameTicks = gameTicks;
    date = d;
}

void CRZTimer::HandleAddDays(int n)
{
    const int month = date.month;
    const int year = date.year;
    date.AddDays(n);
    if (date > kLastDay) {
        date = kLastDay;
        return;
    }
    if (!(date >= kFirstDay))
        date = kFirstDay;
    // Processed before this returns, so the handlers see the new date before the day event runs.
    if (date.month != month)
        ProcessLocalEvent(new CRZTimerEvent(_CRZEVT_TIMER_MONTH_, ALLID, date));
    if (date.year != year) {
        ProcessLocalEvent(new CRZTimerEvent(_CRZEVT_TIMER_YEAR_, ALLID, date));
        ProcessLocalEvent(new CRZGenericEvent(_CRZEVT_EYR_ADD_ANOTHER_YEAR_, ALLID));
    }
}

bool InitTimer(int ms)
{
    // A tick of no length would never finish counting real time.
    if (ms <= 0)
        return false;
    KillTimer();
    gpTimer = new CRZTimer(ms);
    if (!gpTimer->StartTimer()) {
        delete gpTimer;
        gpTimer = nullptr;
        return false;
    }
    gEventScheduler.SetClockDate(&gpTimer->GetDate());
    gDateTickSource.GetTicksPerDay = &CurrentTicksPerDay;
    return true;
}

void KillTimer()
{
    if (gpTimer == nullptr)
        return;
    gEventScheduler.SetClockDate(nullptr);
    delete gpTimer;
    gpTimer = nullptr;
}

void TimerAction(CRZLoopTimer* timer, void* userData)
{
    if (gpTimer == nullptr || timer == nullptr || timer != gpTimer->timer)
        return;
    const intptr_t period = reinterpret_cast<intptr_t>(userData);
    if (period <= 0)
        return;
    CRZPlayerHandler* player = gEventRoutes.player;
    const bool counting = gpTimer->running != 0 && !(player && player->IsModalOpen());

    const uint32_t now = NowMilliseconds();
    // Unsigned, so the counter's wrap after 49.7 days costs nothing.
    const uint32_t elapsed = std::min(now - CRZTimer::mLastTimerActionTime, kMaxElapsedMs);
    CRZTimer::mLastTimerActionTime = now;

    uint32_t rest = elapsed + CRZTimer::mLastTickRest;
    const uint32_t tick = static_cast<uint32_t>(period);
    while (rest >= tick) {
        rest -= tick;
        gpTimer->animationTicks += 1;
        if (counting)
            gpTimer->gameTicks += 1;
    }
    CRZTimer::mLastTickRest = rest;
}
