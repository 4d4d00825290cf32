// The costs the game pays many times a frame: reading the millisecond counter, a message of a silent logger,
// and taking an uncontended critical section.
#include <benchmark/benchmark.h>

#include "platform/elements/logging.h"
#include "platform/win/win32.h"

#include "foundation/safeguards.h"

static void GetTickCountReading(benchmark::State& state)
{
    Windows::initPerformanceCounter();
    for (auto _ : state)
        benchmark::DoNotOptimize(Windows::GetTickCount());
}
BENCHMARK(GetTickCountReading);

static void DisabledLogMessage(benchmark::State& state)
{
    static Ravel::Logging quiet("code", "bench_quiet.cpp", Ravel::Logging::kError);
    int value = 42;
    for (auto _ : state)
        quiet.debug("value %d", value);
}
BENCHMARK(DisabledLogMessage);

static void CriticalSectionEnterLeave(benchmark::State& state)
{
    Windows::CRITICAL_SECTION section;
    Windows::InitializeCriticalSection(&section);
    for (auto _ : state) {
        Windows::EnterCriticalSection(&section);
        Windows::LeaveCriticalSection(&section);
    }
    Windows::DeleteCriticalSection(&section);
}
BENCHMARK(CriticalSectionEnterLeave);
