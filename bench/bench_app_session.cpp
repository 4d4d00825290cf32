// Loading and saving the full generated scenario in a game session: milliseconds per load (the world built
// and checked) and per save (written whole and renamed into place), and the process's peak memory; and on
// the loaded map, microseconds per change of a province's controller (the lists, both realms' supply
// flooded anew and the land areas).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <utility>
#include <vector>

#include "app/game.h"
#include "app/headless.h"
#include "foundation/data_file.h"
#include "realms/country.h"
#include "realms/province.h"

#include "full_game_folder.h"

#include "foundation/safeguards.h"

namespace {

double PeakMegabytes()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void BM_LoadFullScenario(benchmark::State& state)
{
    FullGameFolder();
    for (auto _ : state) {
        CRZGame game("scenarios\\1066.rzg", 0);
        if (!game.IsLoaded())
            state.SkipWithError(game.GetLoadError());
        state.PauseTiming();
        game.Cleanup();
        state.ResumeTiming();
    }
    state.counters["peak_MB"] = PeakMegabytes();
}
BENCHMARK(BM_LoadFullScenario)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_SaveFullScenario(benchmark::State& state)
{
    FullGameFolder();
    CRZGame game("scenarios\\1066.rzg", 0);
    if (!game.IsLoaded())
        state.SkipWithError(game.GetLoadError());
    for (auto _ : state)
        if (!game.SaveAs("bench.rzg"))
            state.SkipWithError(game.GetSaveError());
    state.counters["peak_MB"] = PeakMegabytes();
    state.counters["save_MB"]
        = static_cast<double>(std::filesystem::file_size(FullGameFolder() + "/bench.rzg")) / 1e6;
}
BENCHMARK(BM_SaveFullScenario)->Unit(benchmark::kMillisecond)->Iterations(5);

// Back and forth between the holder and a neighbouring realm, over every land province with such a
// neighbour in turn.
void BM_ChangeOfController(benchmark::State& state)
{
    FullGameFolder();
    CRZGame game("scenarios\\1066.rzg", 0);
    if (!game.IsLoaded()) {
        state.SkipWithError(game.GetLoadError());
        return;
    }
    std::vector<std::pair<CProvince*, CRZCountryID>> changes;
    for (int number = 1; number < kMapProvinceCount; ++number) {
        CProvince* province = CProvince::GetProvince(number);
        if (province == nullptr || !province->IsLand() || province->GetController() == nullptr)
            continue;
        for (int i = 0; i < province->GetNeighborCount(); ++i) {
            const CProvince* other = CProvince::GetProvince(province->GetNeighbor(i).number);
            if (other && other->IsLand() && other->controller != 0
                && other->controller != province->controller) {
                changes.emplace_back(province, other->controller);
                break;
            }
        }
    }
    if (changes.empty()) {
        state.SkipWithError("no province borders another realm");
        return;
    }
    std::size_t next = 0;
    for (auto _ : state) {
        auto& [province, other] = changes[next];
        const CRZCountryID back = province->controller;
        province->SetController(other);
        province->SetController(back);
        next = (next + 1) % changes.size();
    }
    state.SetItemsProcessed(state.iterations() * 2);
    state.counters["provinces"] = static_cast<double>(changes.size());
    game.Cleanup();
}
BENCHMARK(BM_ChangeOfController)->Unit(benchmark::kMicrosecond);

} // namespace
