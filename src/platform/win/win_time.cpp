// The millisecond counter on the monotonic clock, the local calendar date and sleeping.
#include "platform/win/win_time.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <ctime>
#include <sched.h>
#include <sys/time.h>

#include "platform/elements/rv_assert.h"

#include "foundation/safeguards.h"

namespace Windows {

namespace {

constexpr std::int64_t kUnset = INT64_MIN;
std::atomic<std::int64_t> gStartMs { kUnset };
std::atomic<std::uint32_t> gOffsetMs { 0 };

std::int64_t MonotonicMs()
{
    timespec now {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

std::int64_t StartMs()
{
    std::int64_t start = gStartMs.load(std::memory_order_acquire);
    if (start != kUnset)
        return start;
    // The first caller fixes the start; a racing one takes the value that won.
    std::int64_t now = MonotonicMs();
    if (gStartMs.compare_exchange_strong(start, now, std::memory_order_acq_rel))
        return now;
    return start;
}

} // namespace

void initPerformanceCounter()
{
    StartMs();
}

DWORD GetTickCount()
{
    std::int64_t start = StartMs();
    auto elapsed = static_cast<std::uint64_t>(MonotonicMs() - start);
    return static_cast<DWORD>(elapsed + gOffsetMs.load(std::memory_order_relaxed));
}

void SetTickCountOffset(std::uint32_t milliseconds)
{
    gOffsetMs.store(milliseconds, std::memory_order_relaxed);
}

void GetSystemTime(SYSTEMTIME* time)
{
    if (!time) {
        RV_ASSERT(time != nullptr);
        return;
    }
    std::time_t now = std::time(nullptr);
    tm local {};
    localtime_r(&now, &local);
    timeval precise {};
    gettimeofday(&precise, nullptr);
    time->wYear = static_cast<WORD>(local.tm_year + 1900);
    time->wMonth = static_cast<WORD>(local.tm_mon + 1);
    time->wDayOfWeek = static_cast<WORD>(local.tm_wday);
    time->wDay = static_cast<WORD>(local.tm_mday);
    time->wHour = static_cast<WORD>(local.tm_hour);
    time->wMinute = static_cast<WORD>(local.tm_min);
    time->wSecond = static_cast<WORD>(local.tm_sec);
    time->wMilliseconds = static_cast<WORD>(precise.tv_usec / 1000);
}

void Sleep(DWORD milliseconds)
{
    if (milliseconds == 0) {
        sched_yield();
        return;
    }
    timespec rest { static_cast<std::time_t>(milliseconds / 1000),
        static_cast<long>(milliseconds % 1000) * 1000000L };
    while (nanosleep(&rest, &rest) == -1 && errno == EINTR) { }
}

} // namespace Windows
