// Game days of the full generated scenario as the host runs them with no frame wait: days per second over
// ten game years of births, deaths and inheritances, and the slowest single day.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string>

#include "app/game.h"
#include "app/headless.h"
#include "events/event_posting.h"
#include "events/event_scheduler.h"
#include "events/generic_events.h"
#include "foundation/data_file.h"
#include "foundation/random_generator.h"

#include "full_game_folder.h"

#include "foundation/safeguards.h"

namespace {

constexpr int kDays = 3600;

void BM_FullScenarioDays(benchmark::State& state)
{
    FullGameFolder();
    double worst = 0.0;
    double total = 0.0;
    int endYear = 0;
    for (auto _ : state) {
        state.PauseTiming();
        gGameRandom.Seed(1);
        gpGame = new CRZGame("scenarios\\1066.rzg", 0);
        if (!gpGame->IsLoaded())
            state.SkipWithError(gpGame->GetLoadError());
        gEventScheduler.ProcessAll();
        gEventScheduler.EmptyExternalList();
        state.ResumeTiming();
        for (int day = 0; day < kDays; ++day) {
            const auto start = std::chrono::steady_clock::now();
            PostGlobalEvent(new CRZIntEvent(_CRZEVT_TIMER_DATE_, BASIC_CLIENT, 1));
            gEventScheduler.ProcessAll();
            gEventScheduler.EmptyExternalList();
            const double seconds
                = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            worst = std::max(worst, seconds);
            total += seconds;
        }
        state.PauseTiming();
        endYear = CRZGame::GetCurrentDate().year;
        delete gpGame;
        gpGame = nullptr;
        state.ResumeTiming();
    }
    state.counters["days_per_s"]
        = static_cast<double>(kDays) * static_cast<double>(state.iterations()) / total;
    state.counters["worst_day_ms"] = worst * 1000.0;
    state.counters["end_year"] = endYear;
}
BENCHMARK(BM_FullScenarioDays)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace
