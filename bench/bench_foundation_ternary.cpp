// Batch-loading text keys into CTernary the way the text database loads: Lock, every key, Unlock.
// The load must grow like n log n; the figure to watch is the 50,000-key case.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "foundation/ternary.h"

namespace {

// Text-database-like keys: an upper-case stem and a number, in shuffled order, a few repeated.
std::vector<std::string> MakeKeys(int n)
{
    static const char* stems[]
        = { "EVENTNAME", "EVENTDESC", "PROV", "Country_", "TRAIT_", "law_", "ACTION_" };
    std::mt19937 random(1066);
    std::vector<std::string> keys;
    keys.reserve(n);
    for (int i = 0; i < n; ++i)
        keys.push_back(std::string(stems[random() % 7]) + std::to_string(random() % (n * 2)));
    return keys;
}

void BM_TernaryBatchLoad(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    const std::vector<std::string> keys = MakeKeys(n);
    for (auto _ : state) {
        auto* tree = new CTernary<intptr_t>;
        tree->Lock();
        intptr_t value = 1;
        for (const std::string& key : keys)
            tree->Add(key.c_str(), value++);
        tree->Unlock();
        benchmark::DoNotOptimize(tree->Get(keys[n / 2].c_str()));
        state.PauseTiming();
        delete tree;
        state.ResumeTiming();
    }
    state.SetComplexityN(n);
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_TernaryBatchLoad)
    ->Arg(12500)
    ->Arg(25000)
    ->Arg(50000)
    ->Arg(100000)
    ->Arg(200000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oNLogN);

void BM_TernaryLookup(benchmark::State& state)
{
    const std::vector<std::string> keys = MakeKeys(50000);
    CTernary<intptr_t> tree;
    tree.Lock();
    for (const std::string& key : keys)
        tree.Add(key.c_str(), 1);
    tree.Unlock();
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(tree.Get(keys[i].c_str()));
        i = (i + 7919) % keys.size();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_TernaryLookup);

} // namespace
