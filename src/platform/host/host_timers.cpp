// Host timers on the monotonic millisecond counter, run from the event poll of the main thread.
#include "platform/host/host_timers.h"

#include <map>

#include "platform/win/win_time.h"

#include "foundation/safeguards.h"

namespace Ravel {

namespace {

struct Timer {
    std::uint32_t due;
    std::uint32_t interval;
    HostTimers::Callback callback;
};

// Never destroyed: objects that hold a timer (the game view) may outlive the other statics at exit and
// remove it from their destructors.
std::map<int, Timer>& Timers()
{
    static auto* timers = new std::map<int, Timer>;
    return *timers;
}

int gNextId = 1;

bool Reached(std::uint32_t now, std::uint32_t due)
{
    // Differences of the wrapping counter stay right within half its range.
    return static_cast<std::int32_t>(now - due) >= 0;
}

} // namespace

int HostTimers::add(std::uint32_t firstDelayMs, std::uint32_t intervalMs, Callback callback)
{
    int id = gNextId++;
    Timers()[id] = Timer { Windows::GetTickCount() + firstDelayMs, intervalMs, std::move(callback) };
    return id;
}

void HostTimers::remove(int id)
{
    Timers().erase(id);
}

bool HostTimers::isActive(int id)
{
    return Timers().count(id) != 0;
}

void HostTimers::runDue()
{
    std::uint32_t now = Windows::GetTickCount();
    // Callbacks may add or remove timers: collect first, then run those still present.
    int due[32];
    int count = 0;
    for (const auto& [id, timer] : Timers()) {
        if (count < 32 && Reached(now, timer.due))
            due[count++] = id;
    }
    for (int i = 0; i < count; ++i) {
        auto found = Timers().find(due[i]);
        if (found == Timers().end())
            continue;
        found->second.due = now + found->second.interval;
        Callback callback = found->second.callback;
        callback();
    }
}

} // namespace Ravel
