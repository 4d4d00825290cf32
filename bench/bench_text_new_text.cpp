// Loading the text database: 50,000 keys spread over the fourteen tables, read in one language.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "foundation/data_file.h"
#include "text/new_text.h"

namespace {

std::string MakeTables(int keys)
{
    static char folder[] = "/tmp/vellmark_text_bench_XXXXXX";
    if (!mkdtemp(folder))
        return "";
    const char* tables[] = { "modtext", "text", "messages", "event_text", "province_names", "unit_names",
        "world_names", "provinceimprovement_names", "law_names", "trait_names", "advance_names",
        "provinceeffects_names", "extra_text", "oathbound" };
    std::filesystem::create_directories(std::string(folder) + "/config");
    for (int t = 0; t < 14; ++t) {
        std::ofstream out(std::string(folder) + "/config/" + tables[t] + ".csv", std::ios::binary);
        for (int k = t; k < keys; k += 14) {
            out << "KEY_" << (k * 7919 % keys) << ';';
            for (int column = 0; column < 10; ++column)
                out << "The text of key " << k << " in column " << column << "\\nwith a second line;";
            out << "\r\n";
        }
    }
    return folder;
}

void BM_TextDatabaseInit(benchmark::State& state)
{
    static const std::string folder = MakeTables(static_cast<int>(state.range(0)));
    SetDataFolderOverride(folder.c_str());
    SetDataPath();
    CNewText text;
    for (auto _ : state)
        benchmark::DoNotOptimize(text.Init(RZ_LANGUAGE_0));
    state.counters["keys"] = static_cast<double>(state.range(0));
    state.SetLabel(text.GetString("KEY_1"));
}
BENCHMARK(BM_TextDatabaseInit)->Arg(50000)->Unit(benchmark::kMillisecond);

} // namespace
