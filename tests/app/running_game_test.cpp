// A game of the tiny generated scenario run for some months as the game runs its days: the clock's day and
// month events reach every realm and every province, so relations drift, rulers are paid and charged,
// provinces grow their levies, and a realm left without land dissolves.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/game.h"
#include "app/headless.h"
#include "characters/character.h"
#include "characters/character_server.h"
#include "events/event_posting.h"
#include "events/event_scheduler.h"
#include "events/game_clock.h"
#include "events/generic_events.h"
#include "foundation/data_file.h"
#include "realms/country.h"
#include "realms/province.h"
#include "world/global.h"

#include "tiny_game.h"

#include "foundation/safeguards.h"

namespace {

testing::Environment* const kFolder = testing::AddGlobalTestEnvironment(new CTinyGameFolder);

// One day as a frame of the host runs it: the clock's date event, then the loop tick.
void RunDay()
{
    PostGlobalEvent(new CRZIntEvent(_CRZEVT_TIMER_DATE_, BASIC_CLIENT, 1));
    ProcessReady();
    PostLocalEvent(new CRZGenericEvent(_CRZEVT_TIMER_TICK_LOOP_, ALLID));
    ProcessReady();
}

struct Figures {
    float gold = 0.0f, prestige = 0.0f, piety = 0.0f;
    std::vector<float> relations;
};

Figures RealmFigures(int number)
{
    Figures figures;
    const CRZCountry* realm = CRZCountry::GetCountry(number);
    if (realm == nullptr)
        return figures;
    if (realm->ruler != nullptr) {
        figures.gold = realm->ruler->score.GetGold();
        figures.prestige = realm->ruler->score.GetPrestige();
        figures.piety = realm->ruler->score.GetPiety();
    }
    figures.relations.assign(std::begin(realm->relations), std::end(realm->relations));
    return figures;
}

TEST(RunningGame, RealmsAndProvincesTakeTheDaysAndMonthsOfAGame)
{
    CRZGame game("scenarios\\tiny.rzg", 0);
    ASSERT_TRUE(game.IsLoaded()) << game.GetLoadError();
    ProcessReady();

    std::vector<int> realms;
    std::vector<Figures> before;
    for (int number = 1; number < static_cast<int>(kCountryTableSlots); ++number) {
        const CRZCountry* realm = CRZCountry::GetCountry(number);
        if (realm != nullptr && CRZCountry::IsRealCountry(number) && realm->ruler != nullptr) {
            realms.push_back(number);
            before.push_back(RealmFigures(number));
        }
    }
    ASSERT_GE(realms.size(), 2u);
    // Every levy raised to nothing: the months grow it back.
    for (int number = 1; number <= kLastTableProvince; ++number) {
        if (CProvince* province = CProvince::GetProvince(number))
            province->currentLevy = CMilitaryComposition();
    }

    for (int day = 0; day < 95; ++day)
        RunDay();
    EXPECT_EQ(CRZGame::GetCurrentDate().month, 3);

    // Each figure moves somewhere; a ruler who died meanwhile is compared with his heir, which moves too.
    int goldMoved = 0, prestigeMoved = 0, pietyMoved = 0, relationsMoved = 0;
    for (std::size_t i = 0; i < realms.size(); ++i) {
        const Figures after = RealmFigures(realms[i]);
        goldMoved += after.gold != before[i].gold;
        prestigeMoved += after.prestige != before[i].prestige;
        pietyMoved += after.piety != before[i].piety;
        relationsMoved
            += after.relations.size() == before[i].relations.size() && after.relations != before[i].relations;
    }
    EXPECT_GT(goldMoved, 0);
    EXPECT_GT(prestigeMoved, 0);
    EXPECT_GT(pietyMoved, 0);
    EXPECT_GT(relationsMoved, 0);
    int levies = 0;
    for (int number = 1; number <= kLastTableProvince; ++number) {
        const CProvince* province = CProvince::GetProvince(number);
        levies += province != nullptr && province->currentLevy.GetTotal() > 0.0f;
    }
    EXPECT_GT(levies, 0);
}

TEST(RunningGame, ARealmWithoutLandDissolvesTheDayAfterItsRulerDied)
{
    CRZGame game("scenarios\\tiny.rzg", 0);
    ASSERT_TRUE(game.IsLoaded()) << game.GetLoadError();
    ProcessReady();
    // A realm of a ruler with no land, who dies today.
    const CRZCountryID number = CRZCountry::FindFreeCountryNumber();
    CRZCountry::ConstructCountry(number);
    CRZCountry* landless = CRZCountry::GetCountry(number);
    ASSERT_NE(landless, nullptr);
    auto* ruler = new CCharacter;
    ruler->Create(CIdentity::GetRandomID());
    ruler->birthDate = CDate(0, 0, 1030);
    ruler->SetCountry(landless);
    gGlobal.characterServer->Append(ruler);
    landless->AddRulerImmidiatly(ruler);
    ruler->deathDate = GetGameToday();

    PostLocalEvent(new CRZGenericEvent(_CRZEVT_TIMER_TICK_LOOP_, ALLID));
    ProcessReady();
    EXPECT_EQ(CRZCountry::GetCountry(number), landless);
    RunDay();
    EXPECT_EQ(CRZCountry::GetCountry(number), nullptr);
    // The game goes on without it.
    RunDay();
}

} // namespace
