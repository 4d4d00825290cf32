// Critical sections on recursive POSIX mutexes, and flag events on a condition variable.
#include "platform/win/win_locks.h"

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <pthread.h>

#include "platform/elements/rv_assert.h"

#include "foundation/safeguards.h"

namespace Windows {

MPEventID hPlayerEvent = nullptr;

namespace {

pthread_mutex_t* RegionOf(CRITICAL_SECTION* section)
{
    return section ? static_cast<pthread_mutex_t*>(section->LockSemaphore) : nullptr;
}

struct Event {
    std::mutex lock;
    std::condition_variable signalled;
    MPEventFlags flags = 0;
};

Event* EventOf(MPEventID event)
{
    return reinterpret_cast<Event*>(event);
}

} // namespace

void InitializeCriticalSection(CRITICAL_SECTION* section)
{
    if (!section) {
        RV_ASSERT(section != nullptr);
        return;
    }
    auto* region = new pthread_mutex_t;
    pthread_mutexattr_t attributes;
    pthread_mutexattr_init(&attributes);
    // Recursive mutexes count nested entries and refuse an unlock by a thread that does not hold them.
    pthread_mutexattr_settype(&attributes, PTHREAD_MUTEX_RECURSIVE);
    pthread_mutex_init(region, &attributes);
    pthread_mutexattr_destroy(&attributes);
    section->LockSemaphore = region;
}

void EnterCriticalSection(CRITICAL_SECTION* section)
{
    pthread_mutex_t* region = RegionOf(section);
    if (!region) {
        RV_ASSERT(region != nullptr);
        return;
    }
    pthread_mutex_lock(region);
}

void LeaveCriticalSection(CRITICAL_SECTION* section)
{
    pthread_mutex_t* region = RegionOf(section);
    if (!region) {
        RV_ASSERT(region != nullptr);
        return;
    }
    int unlocked = pthread_mutex_unlock(region);
    RV_ASSERT(unlocked == 0);
}

void DeleteCriticalSection(CRITICAL_SECTION* section)
{
    pthread_mutex_t* region = RegionOf(section);
    if (!region)
        return;
    section->LockSemaphore = nullptr;
    int destroyed = pthread_mutex_destroy(region);
    // A section still held may have waiters on it: leaking it is safer than freeing it under them.
    RV_ASSERT(destroyed == 0);
    if (destroyed == 0)
        delete region;
}

OSStatus MPCreateEvent(MPEventID* event)
{
    if (!event)
        return paramErr;
    *event = reinterpret_cast<MPEventID>(new Event);
    return noErr;
}

OSStatus MPDeleteEvent(MPEventID event)
{
    if (!event)
        return kMPInvalidIDErr;
    delete EventOf(event);
    return noErr;
}

OSStatus MPSetEvent(MPEventID event, MPEventFlags flags)
{
    Event* e = EventOf(event);
    if (!e)
        return kMPInvalidIDErr;
    {
        std::lock_guard<std::mutex> hold(e->lock);
        e->flags |= flags;
    }
    e->signalled.notify_all();
    return noErr;
}

OSStatus MPWaitForEvent(MPEventID event, MPEventFlags* flags, Duration timeout)
{
    Event* e = EventOf(event);
    if (!e)
        return kMPInvalidIDErr;
    std::unique_lock<std::mutex> hold(e->lock);
    auto isSet = [e] { return e->flags != 0; };
    if (timeout == kDurationForever)
        e->signalled.wait(hold, isSet);
    else if (timeout > 0)
        e->signalled.wait_for(hold, std::chrono::milliseconds(timeout), isSet);
    else if (timeout < 0)
        e->signalled.wait_for(hold, std::chrono::microseconds(-static_cast<std::int64_t>(timeout)), isSet);
    if (e->flags == 0)
        return kMPTimeoutErr;
    if (flags)
        *flags = e->flags;
    e->flags = 0;
    return noErr;
}

} // namespace Windows
