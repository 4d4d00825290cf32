// The realms' month tick: every realm of a table of 100, 500 or 1,400 ruled realms takes its month (power
// rank and relation drift over the whole table, infamy, the ruler's account, capital validity).
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "characters/character.h"
#include "characters/title.h"
#include "events/game_clock.h"
#include "events/generic_events.h"
#include "realms/country.h"
#include "realms/realm_character_hooks.h"

#include "foundation/safeguards.h"

namespace {

// Realms 1..n, each ruled by a character of one of five faiths and cultures who holds its title.
class CRuledTable {
public:
    explicit CRuledTable(int n)
    {
        CIdentity::TotalInit(NOID, 0);
        CRZCountry::InitCountryArray();
        ClearCountryControl();
        InstallRealmCharacterHooks();
        CTitle::ConstructAll();
        gpTimer = new CRZTimer(15);
        gpTimer->SetDate(CDate(0, 0, 1100));
        for (int id = 1; id <= n; ++id) {
            CRZCountry::ConstructCountry(id);
            CRZCountry* realm = CRZCountry::_pCountry[id];
            rulers.push_back(std::make_unique<CCharacter>());
            CCharacter* ruler = rulers.back().get();
            ruler->Create(CRZID(RZTYPE_CHARACTER, static_cast<uint32_t>(id)));
            ruler->birthDate = CDate(0, 0, 1070);
            ruler->religion = id % 5;
            ruler->culture = id % 7;
            ruler->score = CSimpleScore(100.0f, 50.0f, static_cast<float>(id));
            ruler->SetCountry(realm);
            realm->AddRulerImmidiatly(ruler);
            if (CTitle* title = CTitle::GetTitle(id))
                title->SetNewHolder(ruler);
            realm->power[0] = static_cast<float>(id % 97);
        }
    }
    ~CRuledTable()
    {
        CRZCountry::DeleteAll();
        rulers.clear();
        CTitle::DestroyAll();
        delete gpTimer;
        gpTimer = nullptr;
        gCharacterHooks = {};
        CIdentity::TotalCleanup();
    }
    std::vector<std::unique_ptr<CCharacter>> rulers;
};

void BM_MonthTick(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    CRuledTable table(n);
    for (auto _ : state) {
        CRZTimerEvent month(_CRZEVT_TIMER_MONTH_, ALLID, gpTimer->GetDate());
        for (int id = 1; id <= n; ++id)
            CRZCountry::_pCountry[id]->Update(&month);
    }
    state.counters["realms"] = n;
}

} // namespace

BENCHMARK(BM_MonthTick)->Arg(100)->Arg(500)->Arg(1400)->Unit(benchmark::kMillisecond);
