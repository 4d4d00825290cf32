// The pause handler on the fake clock and the real scheduler: the single-player pause and its lifting,
// and the multiplayer protocol with the opening countdown, the pause-again event 5 days on and the
// 30 seconds of the removal countdown; the caption it shows in each phase.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/game.h"
#include "events/route_fakes.h"
#include "player/player_info_timer.h"
#include "text/new_text.h"
#include "widgets/generated_interface.h"
#include "widgets/interface.h"
#include "widgets/pause_handler.h"
#include "widgets/player_hooks.h"

#include "foundation/safeguards.h"

namespace {

int gLocal = 3;
int gPlayers = 1;
int gEnabled = 0;

class Pausing : public routefakes::RoutedGame {
protected:
    static void SetUpTestSuite() { widgets_test::GenerateTinyFolder(); }
    void SetUp() override
    {
        RoutedGame::SetUp();
        SetDataPath();
        ASSERT_TRUE(TextStrings.Init(static_cast<RZLanguageType>(0)));
        routefakes::gNow = 0;
        CRZTimer::mLastTimerActionTime = 0;
        CRZTimer::mLastTickRest = 0;
        gClockHooks.timers = &timers;
        ASSERT_TRUE(InitTimer(15));
        gpTimer->SetDate(CDate(0, 0, 1100));
        gpTimer->SetRunning(true);
        gLocal = 3;
        gPlayers = 1;
        gEnabled = 0;
        gGameStateHooks.GetSessionPlayerCount = [] { return gPlayers; };
        gWidgetPlayerHooks.GetLocalPlayer = [] { return gLocal; };
        gWidgetPlayerHooks.EnablePauseButton = [] { ++gEnabled; };
    }
    void TearDown() override
    {
        gGameStateHooks = CRZGameStateHooks();
        gWidgetPlayerHooks = CWidgetPlayerHooks();
        TextStrings.DeleteAll();
        RoutedGame::TearDown();
    }

    // One second of the countdowns, 70 clock ticks of 15 ms, in callbacks of at most 195 ms as the main
    // loop's timer would bring them.
    void CountdownSecond()
    {
        for (int ms = kInfoTimerTicksPerSecond * 15; ms > 0; ms -= 195)
            timers.Fire(static_cast<uint32_t>(ms < 195 ? ms : 195));
    }
    static int Pause(CRZPauseHandler& handler, CRZEvtType type, int player)
    {
        CRZPauseEvent event(type, player);
        return handler.Update(&event);
    }
    // Any other event, dated, as the game's events reach the handler.
    static int Tick(CRZPauseHandler& handler)
    {
        CRZGenericEvent tick(_CRZEVT_TICK_ANIMATIONS_, ALLID);
        tick.SetDate(CDate(4, 2, 1100));
        return handler.Update(&tick);
    }
    // The types of the queued undated events, and the dated ones with their dates.
    static std::vector<CRZEvtType> Queued()
    {
        std::vector<CRZEvtType> types;
        gEventScheduler.ForEach([&](CRZEvent* e) { types.push_back(e->GetType()); });
        return types;
    }
    static std::string Text(const char* key) { return TextStrings.GetString(key); }
};

TEST_F(Pausing, ASinglePlayerPauseStopsTheClockAtOnceAndAPauseAgainLiftsItEverywhere)
{
    CRZPauseHandler handler(nullptr);
    EXPECT_EQ(Tick(handler), 0);
    EXPECT_EQ(Pause(handler, _CRZEVT_PAUSE_, 3), 3);
    EXPECT_TRUE(handler.IsPause());
    EXPECT_FALSE(gpTimer->IsRunning());
    EXPECT_EQ(handler.GetShownText(), Text("PAUSE"));
    EXPECT_TRUE(Queued().empty());

    // Pausing again posts the unpause to every machine; the handler lifts the pause when it comes.
    EXPECT_EQ(Pause(handler, _CRZEVT_PAUSE_, 3), 3);
    ASSERT_EQ(Queued(), std::vector<CRZEvtType> { _CRZEVT_UNPAUSE_ });
    CRZEvent* unpause = gEventScheduler.Pop();
    EXPECT_TRUE(unpause->GetSend()) << "posted for every machine";
    EXPECT_EQ(handler.Update(unpause), 3);
    delete unpause;
    EXPECT_FALSE(handler.IsPause());
    EXPECT_TRUE(gpTimer->IsRunning());
    EXPECT_EQ(handler.GetShownText(), "");
}

TEST_F(Pausing, AMultiplayerPauseRunsTheOpeningCountdownThenThirtySecondsOfRemovalAndPausingAgainFiveDaysOn)
{
    gPlayers = 2;
    CRZPauseHandler handler(nullptr);
    EXPECT_EQ(Pause(handler, _CRZEVT_PAUSE_, 3), 3);
    EXPECT_TRUE(handler.IsPause());
    EXPECT_EQ(handler.GetPhase(), 1);
    EXPECT_TRUE(gpTimer->IsRunning()) << "the clock runs on through the opening countdown";
    EXPECT_EQ(handler.GetShownText(), std::string("The game pauses in 0 seconds"));

    // The next event ends the opening countdown of 0 seconds: the clock stops, and the pausing player
    // may pause again only 5 days after the event's date.
    EXPECT_EQ(Tick(handler), 0);
    EXPECT_FALSE(gpTimer->IsRunning());
    EXPECT_EQ(handler.GetPhase(), 0);
    EXPECT_FALSE(handler.MayPause());
    CRZEvent* again = gEventScheduler.PeekHeap();
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->GetType(), _CRZEVT_PAUSEADD_);
    EXPECT_EQ(again->GetDate(), CDate(9, 2, 1100));
    EXPECT_EQ(static_cast<CRZPauseEvent*>(again)->Record().value, 3);

    // 30 seconds of removal countdown, counted while game time stands still.
    for (int second = 0; second < 30; ++second) {
        Tick(handler);
        ASSERT_EQ(handler.GetShownText(),
            "Paused: the pause may be lifted in " + std::to_string(30 - second) + " seconds")
            << second;
        CountdownSecond();
    }
    EXPECT_FALSE(handler.IsAnswered());
    Tick(handler);
    EXPECT_TRUE(handler.IsAnswered());
    EXPECT_EQ(handler.GetShownText(), Text("PAUSE"));
    EXPECT_EQ(handler.GetCountdown(), nullptr);

    // With the countdown over, anyone's pause lifts the pause.
    EXPECT_EQ(Pause(handler, _CRZEVT_PAUSE_, 5), 3);
    EXPECT_EQ(Queued().front(), _CRZEVT_UNPAUSE_);
    EXPECT_EQ(Pause(handler, _CRZEVT_UNPAUSE_, 5), 3);
    EXPECT_FALSE(handler.IsPause());

    // The pause-again event of another player is not ours; ours enables the pause button.
    EXPECT_EQ(Pause(handler, _CRZEVT_PAUSEADD_, 4), 0);
    EXPECT_EQ(gEnabled, 0);
    EXPECT_EQ(Pause(handler, _CRZEVT_PAUSEADD_, 3), 3);
    EXPECT_EQ(gEnabled, 1);
    EXPECT_TRUE(handler.MayPause());
}

TEST_F(Pausing, AnotherPlayersPauseDuringTheRemovalCountdownOnlyCountsItDown)
{
    gPlayers = 2;
    CRZPauseHandler handler(nullptr);
    Pause(handler, _CRZEVT_PAUSE_, 5);
    Tick(handler);
    EXPECT_TRUE(handler.MayPause()) << "the local player did not pause";
    EXPECT_EQ(gEventScheduler.PeekHeap(), nullptr);
    EXPECT_EQ(Pause(handler, _CRZEVT_PAUSE_, 3), 0);
    EXPECT_TRUE(Queued().empty());
    // The pausing player lifts it at any time.
    EXPECT_EQ(Pause(handler, _CRZEVT_PAUSE_, 5), 3);
    EXPECT_EQ(Queued(), std::vector<CRZEvtType> { _CRZEVT_UNPAUSE_ });
}

TEST_F(Pausing, CountdownTextsFromTheTablesAreFilledSafelyWhateverTheyHold)
{
    // Texts that would read past the arguments, or write through one, as printf formats.
    static char timeout[] = "%s%s%n then %d";
    static char removal[] = "%n%s %d%%";
    TextStrings.Add("PAUSETIMEOUT", timeout);
    TextStrings.Add("PAUSEREMOVAL", removal);
    gPlayers = 2;
    CRZPauseHandler handler(nullptr);
    Pause(handler, _CRZEVT_PAUSE_, 3);
    EXPECT_EQ(handler.GetShownText(), "%s%s%n then 0");
    Tick(handler);
    Tick(handler);
    EXPECT_EQ(handler.GetShownText(), "%n%s 30%");
}

} // namespace
