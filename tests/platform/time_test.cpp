// The millisecond counter, the local calendar date and sleeping.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <ctime>

#include "platform/win/win32.h"

using namespace Windows;

TEST(TickCount, CountsMillisecondsAndNeverGoesBack)
{
    initPerformanceCounter();
    DWORD first = GetTickCount();
    EXPECT_LT(first, 10000u) << "the counter starts near 0";
    DWORD previous = first;
    for (int i = 0; i < 1000; ++i) {
        DWORD now = GetTickCount();
        EXPECT_GE(now, previous);
        previous = now;
    }
    DWORD before = GetTickCount();
    Sleep(100);
    DWORD after = GetTickCount();
    EXPECT_GE(after - before, 99u);
    // A loaded machine may wake us late; only a counter running many times too fast or slow is wrong.
    EXPECT_LT(after - before, 5000u);
}

TEST(TickCount, WrapsAfterTwoToTheThirtyTwoMilliseconds)
{
    SetTickCountOffset(0xFFFFFFFFu - 40 - GetTickCount());
    DWORD before = GetTickCount();
    EXPECT_GT(before, 0xFFFFFF00u);
    Sleep(100);
    DWORD after = GetTickCount();
    SetTickCountOffset(0);
    EXPECT_LT(after, 1000u) << "wrapped to a small value";
    // Unsigned differences stay right across the wrap, as the game clock takes them.
    EXPECT_GE(after - before, 99u);
    EXPECT_LT(after - before, 5000u);
}

TEST(Sleep, ZeroDoesNotBlock)
{
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 100; ++i)
        Sleep(0);
    // Zero only yields: the bound is loose enough for a loaded machine and still catches a zero read as a
    // long or endless wait.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST(SystemTime, IsLocalNotUniversal)
{
    // Five and a half hours east of Greenwich, written so that no time-zone database is needed.
    setenv("TZ", "<+0530>-5:30", 1);
    tzset();
    SYSTEMTIME local {};
    std::time_t now = std::time(nullptr);
    GetSystemTime(&local);
    tm utc {};
    gmtime_r(&now, &utc);

    int expected = (utc.tm_hour * 60 + utc.tm_min + 330) % 1440;
    int got = local.wHour * 60 + local.wMinute;
    int gap = (got - expected + 1440) % 1440;
    EXPECT_LE(gap, 1) << "local " << local.wHour << ":" << local.wMinute;
    EXPECT_GE(local.wMonth, 1);
    EXPECT_LE(local.wMonth, 12);
    EXPECT_LE(local.wDayOfWeek, 6);
    EXPECT_LE(local.wMilliseconds, 999);
    EXPECT_GE(local.wYear, 2024);
}
