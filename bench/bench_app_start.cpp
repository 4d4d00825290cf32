// Start-up from the first step to the main menu, headless, on the full generated data folder; the goal is
// under 1.5 s. The folder is generated once before timing.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "app/winmain.h"
#include "foundation/data_file.h"

#include "support/generated_data.h"

#include "foundation/safeguards.h"

namespace {

const char kSettings[]
    = "0\r\n0\r\n0\r\n\"SCREEN_SIZE_X 1024\"\r\n\"SCREEN_SIZE_Y 768\"\r\n\"MUSIC_OFF\"\r\n"
      "\"lobby.vellmark.net\"\r\nNO_SETTINGS_DIALOG\r\n0\r\nNO_STRETCHED_VIDEO\r\nWINDOWED_MODE\r\n";

void StartToMenu(benchmark::State& state)
{
    char pattern[] = "/tmp/vellmark_bench_start_XXXXXX";
    if (!mkdtemp(pattern)) {
        state.SkipWithError("no scratch folder");
        return;
    }
    const std::string data = std::string(pattern) + "/data";
    if (!support::GenerateData(data, "full", 1)
        || std::system(("printf '" + std::string(kSettings) + "' > '" + data + "/settings.cfg'").c_str())
            != 0) {
        state.SkipWithError("the data folder could not be generated");
        return;
    }
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    SetDataFolderOverride(data.c_str());
    SetDataPath();
    // The window, the game view and the clock are made once per process: one start is measured.
    static auto last = std::chrono::steady_clock::now();
    static std::string step = "begin";
    // Where the time goes: the slowest steps are named on standard error.
    gStartUpTrace = [](const char* next) {
        const auto now = std::chrono::steady_clock::now();
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now - last).count();
        if (ms >= 50)
            std::fprintf(stderr, "%6lld ms  %s\n", static_cast<long long>(ms), step.c_str());
        step = next;
        last = now;
    };
    for (auto _ : state) {
        last = std::chrono::steady_clock::now();
        WinMain(nullptr, nullptr, nullptr, 0);
        gStartUpTrace("end");
    }
    gStartUpTrace = nullptr;
    ShutDown();
    std::system(("rm -rf '" + std::string(pattern) + "'").c_str());
}
BENCHMARK(StartToMenu)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
