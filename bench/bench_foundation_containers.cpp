// Speed of the scheduler's dated-event heap and of identity lookups in the 8191-bucket registry.
#include <benchmark/benchmark.h>
#include <random>
#include <vector>

#include "foundation/hash_table.h"
#include "foundation/heap.h"
#include "foundation/rz_id.h"

namespace {

struct Dated {
    int day;
    bool operator<(const Dated& other) const { return day < other.day; }
    bool operator<=(const Dated& other) const { return day <= other.day; }
};

// Push n dated items, then pop them all: one node allocated and freed per item.
void BM_DynamicHeapPushPop(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    std::mt19937 rng(1066);
    std::vector<Dated> items(n);
    for (Dated& d : items)
        d.day = static_cast<int>(rng() % 140000);
    for (auto _ : state) {
        CDynamicHeap<Dated> heap;
        for (Dated& d : items)
            heap.Push(&d);
        while (Dated* d = heap.Pop())
            benchmark::DoNotOptimize(d);
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_DynamicHeapPushPop)->Arg(1000)->Arg(20000);

struct Registered {
    CRZID id;
    const CRZID& GetHashKey() const { return id; }
};

// Finds in a registry of n characters, half of them hits.
void BM_IdentityFind(benchmark::State& state)
{
    const uint32_t n = static_cast<uint32_t>(state.range(0));
    std::vector<Registered> objects(n);
    CHashTable<CRZID, Registered> table(8191);
    for (uint32_t i = 0; i < n; ++i) {
        objects[i].id = CRZID(10, i * 2);
        table.Add(&objects[i]);
    }
    uint32_t key = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(table.Find(CRZID(10, key)));
        key = (key + 1) % (2 * n);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_IdentityFind)->Arg(10000)->Arg(100000);

} // namespace
