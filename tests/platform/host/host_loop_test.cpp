// The host's game loop run headless (SDL's dummy driver) with hooks of the test's own: exit statuses
// and clean-up of the ways a game ends, event delivery before frames, and the update check.
#include <gtest/gtest.h>

#include <SDL.h>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/elements/prefs.h"
#include "platform/host/application_main.h"
#include "platform/host/fs_application.h"
#include "platform/host/game_app_delegate.h"
#include "platform/host/host_hooks.h"
#include "platform/host/host_scratch.h"
#include "platform/host/host_timers.h"
#include "platform/host/update_service.h"
#include "platform/host/window_message_queue.h"

namespace {

enum class Plan {
    EndAfter50Frames,
    QuitWhileRunning,
    QuitBeforeStart,
    QuitAcceptedByTheGame,
    QuitRefusedByTheGame,
    BurstOfEvents,
    ClickedWhileLoading,
    LaunchFails,
};

Plan gPlan = Plan::EndAfter50Frames;
int gFrames = 0;

// Counts what reaches the game.
class CountingResponder : public Ravel::GameResponder {
public:
    void handleEvent(const SDL_Event& event) override
    {
        if (event.type == SDL_USEREVENT)
            ++userEvents;
        if (event.type == SDL_MOUSEBUTTONDOWN)
            ++clicks;
    }
    int userEvents = 0;
    int clicks = 0;
};
CountingResponder gResponder;

void Say(const char* text)
{
    std::fprintf(stderr, "[%s]\n", text);
}

void PushQuit()
{
    SDL_Event quit {};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
}

int RunHost(Plan plan)
{
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    gPlan = plan;
    char name[] = "host_loop_test";
    char* argv[] = { name, nullptr };
    return Ravel::ApplicationMain(1, argv);
}

} // namespace

int gameSystemInits()
{
    Say("inits");
    if (gPlan == Plan::QuitBeforeStart)
        PushQuit();
    return gPlan == Plan::LaunchFails ? 0 : 1;
}

void gameMainEntryPoint()
{
    Say("entry");
    Ravel::GameAppDelegate::getMain()->setGameResponder(&gResponder);
    if (gPlan == Plan::ClickedWhileLoading) {
        for (int i = 0; i < 3; ++i)
            Windows::addWindowMessage(nullptr, 0x0201, 0, 0);
        SDL_Event click {};
        click.type = SDL_MOUSEBUTTONDOWN;
        SDL_PushEvent(&click);
    }
}

int gameMainTick()
{
    ++gFrames;
    if (gPlan == Plan::QuitWhileRunning || gPlan == Plan::QuitAcceptedByTheGame
        || gPlan == Plan::QuitRefusedByTheGame) {
        if (gFrames == 5)
            PushQuit();
    }
    if (gPlan == Plan::BurstOfEvents) {
        if (gFrames == 1) {
            for (int i = 0; i < 1000; ++i) {
                SDL_Event user {};
                user.type = SDL_USEREVENT;
                SDL_PushEvent(&user);
            }
        } else if (gFrames == 2) {
            std::fprintf(stderr, "[delivered %d before frame 2]\n", gResponder.userEvents);
            return 0;
        }
    }
    if (gPlan == Plan::ClickedWhileLoading) {
        std::fprintf(stderr, "[first frame: %zu messages, %d clicks]\n", Windows::windowMessageCount(),
            gResponder.clicks);
        return 0;
    }
    if (gFrames == 50) {
        Say("frame 50");
        return 0;
    }
    return 1;
}

void gameMainShutdown()
{
    Say("shutdown");
}

void gameSystemCleanup()
{
    Say("cleanup");
}

int gameQuitRequested(int fromTermination)
{
    std::fprintf(stderr, "[quit requested %d]\n", fromTermination);
    if (gPlan == Plan::QuitAcceptedByTheGame)
        return 1;
    if (gPlan == Plan::QuitRefusedByTheGame)
        return 0;
    Ravel::defaultGameQuitHandler();
}

namespace {

class HostLoop : public testing::Test {
protected:
    static void SetUpTestSuite() { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

TEST_F(HostLoop, GameThatEndsItselfExitsZeroAfterShutdown)
{
    EXPECT_EXIT(RunHost(Plan::EndAfter50Frames), testing::ExitedWithCode(0),
        "\\[inits\\].*\\[entry\\].*\\[frame 50\\]\\s*\\[shutdown\\]\\s*$");
}

TEST_F(HostLoop, QuitWhileRunningExitsOneWithoutCleanUp)
{
    EXPECT_EXIT(RunHost(Plan::QuitWhileRunning), testing::ExitedWithCode(1),
        "\\[entry\\]\\s*\\[quit requested 0\\]\\s*$");
}

TEST_F(HostLoop, QuitBeforeTheGameStartsCleansUpAndExitsZero)
{
    // The quit arrives during the update check: the game is neither asked nor started.
    EXPECT_EXIT(
        RunHost(Plan::QuitBeforeStart), testing::ExitedWithCode(0), "\\[inits\\][^\\[]*\\[cleanup\\]");
}

TEST_F(HostLoop, QuitThatTheGameAcceptsEndsTheLoopThenCleansUp)
{
    // A quit hook that returns instead of ending the process: no hang, the game shuts down first.
    EXPECT_EXIT(RunHost(Plan::QuitAcceptedByTheGame), testing::ExitedWithCode(0),
        "\\[quit requested 0\\]\\s*\\[shutdown\\]\\s*\\[cleanup\\]");
}

TEST_F(HostLoop, QuitThatTheGameRefusesLetsItRunOn)
{
    EXPECT_EXIT(RunHost(Plan::QuitRefusedByTheGame), testing::ExitedWithCode(0),
        "\\[quit requested 0\\]\\s*\\[frame 50\\]\\s*\\[shutdown\\]\\s*$");
}

TEST_F(HostLoop, BurstOfEventsDeliveredBeforeTheNextFrame)
{
    EXPECT_EXIT(
        RunHost(Plan::BurstOfEvents), testing::ExitedWithCode(0), "\\[delivered 1000 before frame 2\\]");
}

TEST_F(HostLoop, NothingClickedWhileLoadingReachesTheFirstFrame)
{
    EXPECT_EXIT(RunHost(Plan::ClickedWhileLoading), testing::ExitedWithCode(0),
        "\\[first frame: 0 messages, 0 clicks\\]");
}

TEST_F(HostLoop, FailedLaunchRunsNoGame)
{
    testing::internal::CaptureStderr();
    EXPECT_EQ(RunHost(Plan::LaunchFails), 1);
    std::string log = testing::internal::GetCapturedStderr();
    EXPECT_EQ(log.find("[entry]"), std::string::npos) << log;
}

// Answers as told: never, or with a version and whether it is newer.
class ScriptedUpdates : public Ravel::UpdateService {
public:
    void checkForUpdatesInBackground(Ravel::GameAppDelegate& delegate) override
    {
        if (answer)
            delegate.statusChecker(answer, newer);
    }
    void startUpdater() override { ++updaterRuns; }
    bool finishedWithWindow() override { return true; }
    const char* answer = nullptr;
    bool newer = false;
    int updaterRuns = 0;
};

class UpdateCheck : public testing::Test {
protected:
    void SetUp() override
    {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0);
        mDelegate.setUpdateService(&mService);
    }
    void TearDown() override
    {
        host_test::UsePrefs("");
        SDL_Quit();
    }
    std::string Check()
    {
        testing::internal::CaptureStderr();
        mDelegate.checkForUpdates();
        return testing::internal::GetCapturedStderr();
    }
    Ravel::GameAppDelegate mDelegate;
    ScriptedUpdates mService;
};

TEST_F(UpdateCheck, BuiltInServiceAnswersAtOnceThatNothingIsNewer)
{
    mDelegate.setUpdateService(nullptr);
    std::string log = Check();
    EXPECT_TRUE(mDelegate.gotUpdatesResponse());
    EXPECT_FALSE(mDelegate.isNewerVersion());
    EXPECT_STREQ(mDelegate.newestVersionString(), Ravel::kRunningVersion);
    EXPECT_NE(log.find("The newest game version available is the same as current version. Not updating."),
        std::string::npos)
        << log;
}

TEST_F(UpdateCheck, NewerVersionRunsTheUpdaterUnlessTheUserSkippedIt)
{
    mService.answer = "0.2";
    mService.newer = true;
    host_test::UsePrefs("");
    std::string log = Check();
    EXPECT_NE(log.find("Newest game version: 0.2, is newer than current version."), std::string::npos) << log;
    EXPECT_NE(log.find("Starting update dialog..."), std::string::npos) << log;
    EXPECT_EQ(mService.updaterRuns, 1);

    std::string user = host_test::WritePlist(
        "<key>updates</key><dict><key>SUSkippedVersionKey</key><string>0.2</string></dict>");
    Ravel::Prefs::GetInstance().setUserFilename(user.c_str());
    std::remove(user.c_str());
    log = Check();
    EXPECT_NE(
        log.find("The newest version was set to be skipped by the user. Not updating."), std::string::npos)
        << log;
    EXPECT_EQ(mService.updaterRuns, 1);
}

TEST_F(UpdateCheck, NoAnswerWithinTheWaitStartsTheGameAnyway)
{
    mDelegate.setUpdateWaitSeconds(0.2);
    std::string log = Check();
    EXPECT_FALSE(mDelegate.gotUpdatesResponse());
    EXPECT_NE(log.find("The game could not contact the updates URL."), std::string::npos) << log;
}

TEST(HostTimers, FireOnThePollAfterTheirDelayAndMayRemoveThemselves)
{
    int fired = 0;
    int id = 0;
    id = Ravel::HostTimers::add(0, 0, [&] {
        if (++fired == 3)
            Ravel::HostTimers::remove(id);
    });
    int later = Ravel::HostTimers::add(60000, 0, [&] { fired += 100; });
    for (int i = 0; i < 10; ++i)
        Ravel::HostTimers::runDue();
    EXPECT_EQ(fired, 3);
    EXPECT_FALSE(Ravel::HostTimers::isActive(id));
    EXPECT_TRUE(Ravel::HostTimers::isActive(later));
    Ravel::HostTimers::remove(later);
}

} // namespace
