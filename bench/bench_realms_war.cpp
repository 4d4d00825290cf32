// The war score of a war at the foot of a chain of lieges, each at war with the same enemy: every war's
// score takes in its liege's, so the reckoning walks the whole chain.
#include <benchmark/benchmark.h>

#include "realms/war_world.h"

#include "foundation/safeguards.h"

namespace {

void BM_AttackerScoreOverSupportingWars(benchmark::State& state)
{
    const int depth = static_cast<int>(state.range(0));
    CWarWorld world;
    CRZCountry* enemy = world.Realm(20);
    world.Land(20, enemy);
    CCharacter* liege = nullptr;
    CWar* bottom = nullptr;
    for (int i = 0; i < depth; ++i) {
        CRZCountry* realm = world.Realm(1001 + i, liege);
        world.Land(100 + i, realm);
        bottom = world.War(realm, enemy);
        CWarWorld::AddBattle(bottom, true, 600.0f);
        liege = realm->ruler;
    }
    float score = 0.0f;
    for (auto _ : state) {
        score = bottom->GetAttackerScore();
        benchmark::DoNotOptimize(score);
    }
    state.counters["wars"] = depth;
    state.counters["score"] = score;
}
BENCHMARK(BM_AttackerScoreOverSupportingWars)->Arg(1)->Arg(8)->Arg(64)->Arg(250);

} // namespace
