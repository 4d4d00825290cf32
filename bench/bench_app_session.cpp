// Loading and saving the full generated scenario in a game session: milliseconds per load (the world built
// and checked) and per save (written whole and renamed into place), and the process's peak memory.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/resource.h>

#include "app/game.h"
#include "app/headless.h"
#include "foundation/data_file.h"

#include "support/generated_data.h"

#include "foundation/safeguards.h"

namespace {

// One generated full data folder for the run.
const std::string& Folder()
{
    static const std::string folder = [] {
        char pattern[] = "/tmp/vellmark_bench_session_XXXXXX";
        if (mkdtemp(pattern) == nullptr)
            std::abort();
        if (!support::GenerateData(pattern, "full", 1))
            std::abort();
        SetDataFolderOverride(pattern);
        SetDataPath();
        if (!InitHeadlessTables(stderr))
            std::abort();
        return std::string(pattern);
    }();
    return folder;
}

double PeakMegabytes()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void BM_LoadFullScenario(benchmark::State& state)
{
    Folder();
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
    Folder();
    CRZGame game("scenarios\\1066.rzg", 0);
    if (!game.IsLoaded())
        state.SkipWithError(game.GetLoadError());
    for (auto _ : state)
        if (!game.SaveAs("bench.rzg"))
            state.SkipWithError(game.GetSaveError());
    state.counters["peak_MB"] = PeakMegabytes();
    state.counters["save_MB"] = static_cast<double>(std::filesystem::file_size(Folder() + "/bench.rzg")) / 1e6;
}
BENCHMARK(BM_SaveFullScenario)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
