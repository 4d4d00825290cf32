// The crusade's need measured over the whole map of the full generated scenario: every province's owner and
// monthly gold, as a new day's first call does it, with a crusade called against a muslim province.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "app/game.h"
#include "app/headless.h"
#include "characters/character.h"
#include "characters/crusade.h"
#include "events/event_scheduler.h"
#include "events/game_clock.h"
#include "foundation/data_file.h"
#include "foundation/random_generator.h"
#include "realms/country.h"
#include "realms/province.h"

#include "full_game_folder.h"

#include "foundation/safeguards.h"

namespace {

void BM_CrusadeNeedFullMap(benchmark::State& state)
{
    FullGameFolder();
    gGameRandom.Seed(1);
    gpGame = new CRZGame("scenarios\\1066.rzg", 0);
    if (!gpGame->IsLoaded())
        state.SkipWithError(gpGame->GetLoadError());
    gEventScheduler.ProcessAll();
    gEventScheduler.EmptyExternalList();
    CCrusade* crusade = CCrusade::GetInstance();
    for (int number = 1; number <= kLastTableProvince; ++number) {
        const CProvince* province = CProvince::GetProvince(number);
        const CRZCountry* owner = province != nullptr ? province->GetOwner() : nullptr;
        if (owner != nullptr && owner->ruler != nullptr && owner->ruler->religion == 2) {
            crusade->targetProvince = number;
            break;
        }
    }
    float need = 0.0f;
    for (auto _ : state) {
        // Each pass is a new day's first call, which measures the whole map again.
        crusade->needKnown = false;
        need = crusade->GetCrusadeNeed();
        benchmark::DoNotOptimize(need);
    }
    state.counters["need"] = need;
    state.counters["target"] = crusade->targetProvince;
    delete gpGame;
    gpGame = nullptr;
}
BENCHMARK(BM_CrusadeNeedFullMap)->Unit(benchmark::kMicrosecond);

} // namespace
