// The game clock CRZTimer (gpTimer): real time in ticks turned into animation events on every machine
// and into date events on the host, and the current game date, advanced day by day.
#pragma once

#include <cstdint>

#include "events/event_routing.h"
#include "foundation/calendar_date.h"

// A periodic timer of the main thread's event loop; opaque to the clock.
struct CRZLoopTimer;
using CRZLoopTimerProc = void (*)(CRZLoopTimer* timer, void* userData);

// The platform's periodic timers, as the clock uses them.
class CRZTimerService {
public:
    virtual ~CRZTimerService() = default;
    // Calls proc(timer, userData) on the main thread between frames, first after firstDelayMs and then
    // every periodMs, until the timer is removed. Null when no timer could be installed.
    virtual CRZLoopTimer* Install(
        CRZLoopTimerProc proc, void* userData, uint32_t firstDelayMs, uint32_t periodMs)
        = 0;
    virtual void Remove(CRZLoopTimer* timer) = 0;
};

// What the clock reads of the platform and the user's settings; tests put their own in.
struct CRZClockHooks {
    // The timers the clock ticks on; the game puts in the platform host's. Null: the clock does not run.
    CRZTimerService* timers = nullptr;
    // Milliseconds of a wrapping 32-bit counter. Null: Windows::GetTickCount.
    uint32_t (*GetMilliseconds)() = nullptr;
    // The game speed setting, 0 (slowest) to 7; other values are clamped. Null: the pace in effect stays.
    int (*GetGameSpeed)() = nullptr;
};
extern CRZClockHooks gClockHooks;

inline constexpr int kGameSpeedCount = 8;
// Ticks per game day by the game speed setting.
extern const int32_t GameSpeed[kGameSpeedCount];

// The longest date event: days beyond it in one poll are dropped.
inline constexpr int kMaxDaysPerDateEvent = 10;
// The date stays between the first day of 1066 and the first day of 1454.
inline constexpr int kFirstYear = 1066;
inline constexpr int kLastYear = 1454;

class CRZTimer : public CRZEventHandler {
public:
    // tickLength: milliseconds per tick. Made stopped, with the zero date and no platform timer.
    explicit CRZTimer(int tickLength);
    // Removes the platform timer if one is installed.
    ~CRZTimer() override;
    CRZTimer(const CRZTimer&) = delete;
    CRZTimer& operator=(const CRZTimer&) = delete;

    // The clock takes no event of the broadcast.
    CRZReturnType Update(CRZEvent*) override { return 0; }

    // Installs the periodic platform timer (first after 1 ms, then every tick length). False, with the
    // assertion "timerID != nil" logged, when no timer results; the clock then never ticks.
    bool StartTimer();

    // Once per frame: turns the ticks since the last poll into one animation event here and, on the
    // host while the scheduler keeps up (at most 3 immediate events, no dated event due), into whole
    // game days, posted to every machine as one date event of at most 10 days. Answers 0.
    int Poll();

    // Lets game time pass again when a game runs, the session no longer holds the clock and the game
    // is not paused; otherwise leaves the clock as it is.
    void RestartTimer();
    // Callers that must stop game time (pause, options, lag, saving, the end of the game) stop it here.
    void SetRunning(bool value) { running = value ? 1 : 0; }

    // The date of a loaded scenario or saved game; the ticks follow it, so no days are owed or lost.
    void SetDate(const CDate& d);

    // Advances the date by n days, kept between the first days of 1066 and 1454, and processes the month
    // event, then the year and year-report events, where a boundary was crossed (none at the last day).
    void HandleAddDays(int n);

    const CDate& GetDate() const { return date; }
    int GetTicksPerDay() const { return ticksPerDay; }
    int GetGameTicks() const { return gameTicks; }
    int GetAnimationTicks() const { return animationTicks; }
    float GetDayFraction() const { return dayFraction; }
    int GetTickLength() const { return tickLength; }
    bool IsStarted() const { return started != 0; }
    bool IsRunning() const { return running != 0; }
    bool HasPlatformTimer() const { return timer != nullptr; }

    // Real time carried between callbacks of TimerAction: the counter at the previous callback and the
    // milliseconds that did not make a whole tick.
    static uint32_t mLastTimerActionTime;
    static uint32_t mLastTickRest;

private:
    friend void TimerAction(CRZLoopTimer* timer, void* userData);

    int32_t ticksPerDay = 66;
    int32_t gameTicks = 0;
    int32_t lastGameTicks = 0;
    float dayFraction = 0.0f;
    CDate date;
    int32_t started = 0;
    int32_t running = 0;
    int32_t animationTicks = 0;
    int32_t lastAnimationTicks = 0;
    int32_t tickLength;
    CRZLoopTimer* timer = nullptr;
    // The service that installed the timer removes it again.
    CRZTimerService* service = nullptr;
};

// The game clock; null before start-up, while a movie plays and after shutdown.
extern CRZTimer* gpTimer;

// Replaces the clock with a new one of tick length ms and starts it. False when the clock cannot be
// made or its platform timer cannot be installed; gpTimer is then null and start-up stops fatally.
bool InitTimer(int ms);
// Removes the platform timer and deletes the clock; gpTimer becomes null. Nothing happens without one.
void KillTimer();

// The platform timer's callback; userData carries the tick length in milliseconds. Counts the real
// time since the previous callback, at most 200 ms of it, in ticks: animation ticks always, game ticks
// while the clock runs and no modal window is open. Other timers than gpTimer's are ignored.
void TimerAction(CRZLoopTimer* timer, void* userData);
