// Scheduler throughput: one million dated events in random date order, one in eight posted undated,
// pushed and then popped in full; reports events per second.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "events/event_scheduler.h"
#include "events/generic_events.h"

#include "foundation/safeguards.h"

namespace {

constexpr int kEvents = 1000000;

// A fixed linear congruential sequence, so every run schedules the same dates.
uint32_t NextRandom(uint32_t& state)
{
    state = state * 1664525u + 1013904223u;
    return state >> 8;
}

void BM_SchedulerPushPop(benchmark::State& state)
{
    const bool withPop = state.range(0) != 0;
    CDate clock(0, 0, 1454);
    std::vector<CRZEvent*> events;
    events.reserve(kEvents);
    for (auto _ : state) {
        state.PauseTiming();
        uint32_t seed = 12345;
        events.clear();
        for (int i = 0; i < kEvents; ++i) {
            CRZEvent* event = new CRZGenericEvent(_CRZEVT_AI_TICK_, CRZID(3, 1));
            if (i % 8 != 0) {
                CDate date;
                date.ConvertFromDays(1066 * 360 + static_cast<int>(NextRandom(seed) % (388 * 360)));
                event->SetDate(date);
            }
            events.push_back(event);
        }
        CScheduler scheduler;
        scheduler.SetClockDate(&clock);
        state.ResumeTiming();

        for (int i = 0; i < kEvents; ++i)
            scheduler.Push(events[i], i % 8 == 0);
        if (withPop) {
            int popped = 0;
            while (CRZEvent* event = scheduler.Pop()) {
                benchmark::DoNotOptimize(event);
                ++popped;
            }
            if (popped != kEvents)
                state.SkipWithError("the scheduler lost events");
        }

        state.PauseTiming();
        // The scheduler is left empty; the events go with their own storage.
        if (!withPop) {
            while (scheduler.Pop() != nullptr) { }
        }
        for (CRZEvent* event : events)
            delete event;
        state.ResumeTiming();
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * kEvents);
    state.counters["events/s"]
        = benchmark::Counter(static_cast<double>(state.iterations()) * kEvents, benchmark::Counter::kIsRate);
}

} // namespace

BENCHMARK(BM_SchedulerPushPop)->Arg(1)->ArgName("push_and_pop")->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SchedulerPushPop)->Arg(0)->ArgName("push_only")->Unit(benchmark::kMillisecond)->Iterations(3);
