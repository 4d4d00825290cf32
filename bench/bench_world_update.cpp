// The world's day and month ticks at full size: 1000 realms, 50,000 characters, 20,000 relations and
// 300 wars, on real realms (plain doubles stand in for characters); reports microseconds per tick.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "armies/division.h"
#include "armies/unit.h"
#include "characters/character.h"
#include "characters/character_server.h"
#include "characters/relation.h"
#include "characters/title.h"
#include "events/game_clock.h"
#include "events/generic_events.h"
#include "realms/country.h"
#include "realms/province.h"
#include "realms/realm_character_hooks.h"
#include "realms/war.h"
#include "world/global.h"

// Shared with the world tests.
#include "../tests/world/world_reset.h"

#include "foundation/safeguards.h"

namespace {

constexpr int kRealms = 1000;
constexpr int kCharacters = 50000;
constexpr int kRelations = 20000;
constexpr int kWars = 300;
constexpr int kKingdoms = 100;

uint32_t NextRandom(uint32_t& state)
{
    state = state * 1664525u + 1013904223u;
    return state >> 8;
}

class World {
public:
    World()
    {
        CIdentity::TotalInit(NOID, 0);
        InstallRealmCharacterHooks();
        CTitle::ConstructAll();
        gpTimer = new CRZTimer(15);
        gpTimer->SetDate(CDate(0, 0, 1100));
        gGlobal.characterServer = &server;
        uint32_t seed = 4242;

        ClearCountryControl();
        for (int i = 1; i <= kRealms; ++i) {
            CRZCountry::ConstructCountry(i);
            CRZCountry* realm = CRZCountry::_pCountry[i];
            realms.push_back(realm);
            realm->standingArmyPower = static_cast<float>(100 + NextRandom(seed) % 5000);
            CRZCountry::_pCountry[i] = realm;
            for (int a = 0; a < 2; ++a) {
                armies.push_back(std::make_unique<CRZUnit>());
                CRZUnit* army = armies.back().get();
                army->owner = realm;
                realm->armies.Append(army);
                for (int d = 0; d < 5; ++d) {
                    divisions.push_back(std::make_unique<CDivision>());
                    divisions.back()->men = 500;
                    army->divisions.Append(divisions.back().get());
                }
            }
        }
        for (int c = 0; c < kCharacters; ++c) {
            characters.push_back(std::make_unique<CCharacter>());
            CCharacter* character = characters.back().get();
            character->Create(CRZID(RZTYPE_CHARACTER, static_cast<uint32_t>(c + 1)));
            character->gender = c % 2;
            character->religion = static_cast<int32_t>(NextRandom(seed) % kReligionCount);
            character->birthDate = CDate(0, 0, static_cast<int>(1040 + NextRandom(seed) % 60));
            CRZCountry* realm = realms[static_cast<std::size_t>(c % kRealms)];
            character->SetCountry(realm);
            if (c < kRealms)
                realm->AddRulerImmidiatly(character);
            server.Append(character);
        }
        for (int p = 0; p < static_cast<int>(kProvinceArraySize); ++p) {
            provinces.push_back(std::make_unique<CProvince>());
            // The realm's ruler holds the province's county, which puts it among his provinces.
            CTitle* county = CTitle::GetTitle(p);
            county->SetNewHolder(realms[static_cast<std::size_t>(p % kRealms)]->ruler);
            provinces.back()->number = p;
            provinces.back()->terrain = TERRAIN_PLAINS;
            // A strip of land: each province borders the next, which another realm owns.
            if (p > 0)
                provinces.back()->AddNeighbor({ p - 1, 0, 0 });
            if (p + 1 < static_cast<int>(kProvinceArraySize))
                provinces.back()->AddNeighbor({ p + 1, 0, 0 });
            provinces.back()->countyTitle = county;
            provinces.back()->manpowerTotal = 10.0f;
            CProvince::_pProvince[p] = provinces.back().get();
        }
        // Realms 1..900 are vassals of one of the kingdoms 901..1000.
        for (int i = 0; i < kRealms - kKingdoms; ++i) {
            CRZCountry* vassal = realms[static_cast<std::size_t>(i)];
            CRZCountry* king = realms[static_cast<std::size_t>(kRealms - kKingdoms + i % kKingdoms)];
            vassal->ruler->SetLiegeRuler(king->ruler);
        }
        for (int r = 0; r < kRelations; ++r) {
            CCharacter* a = characters[NextRandom(seed) % kCharacters].get();
            CCharacter* b = characters[NextRandom(seed) % kCharacters].get();
            CRelations::GetInstance()->Append(new CRelation(static_cast<CRelationType>(r % 5), a, b));
        }
        for (int w = 0; w < kWars; ++w) {
            const uint32_t a = NextRandom(seed) % kRealms;
            const uint32_t d = (a + 1 + NextRandom(seed) % (kRealms - 1)) % kRealms;
            gGlobal.wars.Append(new CWar(realms[a]->ruler, realms[d]->ruler));
        }
    }

    ~World()
    {
        CRZCountry::DeleteAll();
        ForgetWorld();
        server.RemoveAll();
        characters.clear();
        CTitle::DestroyAll();
        gCharacterHooks = {};
        delete gpTimer;
        gpTimer = nullptr;
        CIdentity::TotalCleanup();
    }

    CCharacterServer server;
    // The country table owns them.
    std::vector<CRZCountry*> realms;
    std::vector<std::unique_ptr<CCharacter>> characters;
    std::vector<std::unique_ptr<CRZUnit>> armies;
    std::vector<std::unique_ptr<CDivision>> divisions;
    std::vector<std::unique_ptr<CProvince>> provinces;
};

// Builds the world and runs one day, so the live-character table the month reads is full.
void Tick(benchmark::State& state, CRZEvtType type)
{
    World world;
    CRZTimerEvent day(_CRZEVT_TIMER_DAY_, ALLID, gpTimer->GetDate());
    gGlobal.Update(&day);
    CRZTimerEvent tick(type, ALLID, gpTimer->GetDate());
    for (auto _ : state)
        benchmark::DoNotOptimize(gGlobal.Update(&tick));
    state.counters["live"] = gGlobal.GetLiveCharCount();
    state.counters["wars"] = gGlobal.wars.GetSize();
    state.counters["pool"] = gGlobal.marriagePool.GetSize();
}

void BM_WorldDayTick(benchmark::State& state)
{
    Tick(state, _CRZEVT_TIMER_DAY_);
}

void BM_WorldMonthTick(benchmark::State& state)
{
    Tick(state, _CRZEVT_TIMER_MONTH_);
}

// The day's steps one by one, to see where a day goes. The relation pass refills the lists that
// BuildLiveChars empties, so it is measured together with it.
void BM_WorldDayStep(benchmark::State& state)
{
    static void (*const kSteps[])() = {
        [] { gGlobal.BuildLiveChars(); },
        [] {
            gGlobal.BuildLiveChars();
            gGlobal.HandleDailyUpdate();
        },
        [] { gGlobal.RefreshWars(); },
        [] { gGlobal.Janitor(); },
    };
    World world;
    CRZTimerEvent day(_CRZEVT_TIMER_DAY_, ALLID, gpTimer->GetDate());
    gGlobal.Update(&day);
    const auto step = kSteps[state.range(0)];
    for (auto _ : state)
        step();
}

} // namespace

BENCHMARK(BM_WorldDayTick)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WorldMonthTick)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WorldDayStep)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);
