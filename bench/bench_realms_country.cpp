// The country table at full size: the memory of one realm and of all 1423, and the time to build every
// realm of the table through the factory and to empty it again.
#include <benchmark/benchmark.h>

#include <malloc.h>

#include "realms/country.h"

#include "foundation/safeguards.h"

namespace {

std::size_t HeapInUse()
{
    return mallinfo2().uordblks;
}

void ConstructAll()
{
    for (int id = 0; id < static_cast<int>(kCountryTableSlots); ++id)
        CRZCountry::ConstructCountry(id);
}

// Bytes of one realm as built, and of the table with a realm in every slot (the heap they take, the
// table's own pointers included).
void BM_CountryTableMemory(benchmark::State& state)
{
    ClearCountryControl();
    CRZCountry::InitCountryArray();
    std::size_t table = 0;
    for (auto _ : state) {
        const std::size_t before = HeapInUse();
        ConstructAll();
        table = HeapInUse() - before;
        CRZCountry::DeleteAll();
    }
    state.counters["realm_bytes"] = static_cast<double>(sizeof(CRZCountry));
    state.counters["realm_heap_bytes"] = static_cast<double>(table) / kCountryTableSlots;
    state.counters["table_bytes"] = static_cast<double>(table + sizeof(CRZCountry::_pCountry));
}

void BM_ConstructAllRealms(benchmark::State& state)
{
    ClearCountryControl();
    CRZCountry::InitCountryArray();
    for (auto _ : state) {
        ConstructAll();
        state.PauseTiming();
        CRZCountry::DeleteAll();
        state.ResumeTiming();
    }
    state.counters["realms"] = kCountryTableSlots;
}

void BM_DeleteAllRealms(benchmark::State& state)
{
    ClearCountryControl();
    CRZCountry::InitCountryArray();
    for (auto _ : state) {
        state.PauseTiming();
        ConstructAll();
        state.ResumeTiming();
        CRZCountry::DeleteAll();
    }
}

} // namespace

BENCHMARK(BM_CountryTableMemory)->Iterations(3);
BENCHMARK(BM_ConstructAllRealms)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DeleteAllRealms)->Unit(benchmark::kMicrosecond);
