// The game-state queries: host and multiplayer from the session, in-game against the front end, the
// tutorial flag and both dates, with and without the objects they read.
#include <gtest/gtest.h>

#include "app/game.h"
#include "events/event_hooks.h"
#include "events/game_clock.h"
#include "foundation/calendar_date.h"

#include "foundation/safeguards.h"

namespace {

class CSessionOf : public CEventSession {
public:
    bool host = true;
    bool open = true;
    bool IsHost() const override { return host; }
    bool IsOpen() const override { return open; }
    void SendEvent(CRZNetEvent*) override { }
};

int gPlayers = 0;
bool gFrontEnd = false;
bool gTutorial = false;

class GameStateTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        SetEventSession(nullptr);
        gGameStateHooks = CRZGameStateHooks {};
        CRZGame::_inGame = 0;
        delete gpTimer;
        gpTimer = nullptr;
        gDateTickSource.pStartDate = nullptr;
    }
};

TEST_F(GameStateTest, HostAndMultiplayerFollowTheSession)
{
    // Without any session this machine is the host of a single-player game.
    EXPECT_TRUE(CRZGame::IsHost());
    EXPECT_FALSE(CRZGame::IsMultiPlayer());

    gGameStateHooks.GetSessionPlayerCount = [] { return gPlayers; };
    CSessionOf session;
    SetEventSession(&session);
    struct Case {
        bool host;
        bool open;
        int players;
        bool isHost;
        bool multiPlayer;
    };
    const Case cases[] = {
        { true, true, 1, true, false }, // a session of one player is still single player
        { true, true, 2, true, true },
        { false, true, 2, false, true }, // a client
        { false, false, 0, true, false }, // a closed session leaves this machine the host
    };
    for (const Case& c : cases) {
        session.host = c.host;
        session.open = c.open;
        gPlayers = c.players;
        EXPECT_EQ(CRZGame::IsHost(), c.isHost) << c.players << " players, host " << c.host;
        EXPECT_EQ(CRZGame::IsMultiPlayer(), c.multiPlayer) << c.players << " players, host " << c.host;
    }
}

TEST_F(GameStateTest, InGameOnlyWithAGameAndNoFrontEnd)
{
    // Before any game is loaded.
    EXPECT_FALSE(CRZGame::InGame());
    EXPECT_FALSE(CRZGame::InFrontEnd());
    gGameStateHooks.IsFrontEndActive = [] { return gFrontEnd; };
    const struct {
        int inGame;
        bool frontEnd;
        bool expected;
    } cases[] = { { 0, true, false }, { 0, false, false }, { 1, true, false }, { 1, false, true } };
    for (const auto& c : cases) {
        CRZGame::_inGame = c.inGame;
        gFrontEnd = c.frontEnd;
        EXPECT_EQ(CRZGame::InFrontEnd(), c.frontEnd);
        EXPECT_EQ(CRZGame::InGame(), c.expected) << "game " << c.inGame << ", front end " << c.frontEnd;
    }
}

TEST_F(GameStateTest, TutorialAndDatesReadTheirOwners)
{
    EXPECT_FALSE(CRZGame::IsTutorial());
    EXPECT_EQ(CRZGame::GetCurrentDate(), CDate());
    EXPECT_EQ(CRZGame::GetStartDate(), CDate());

    gGameStateHooks.IsTutorialScenario = [] { return gTutorial; };
    gTutorial = true;
    EXPECT_TRUE(CRZGame::IsTutorial());
    gTutorial = false;
    EXPECT_FALSE(CRZGame::IsTutorial());

    const CDate start(4, 8, 1066);
    gDateTickSource.pStartDate = &start;
    gpTimer = new CRZTimer(15);
    gpTimer->SetDate(CDate(17, 2, 1100));
    EXPECT_EQ(CRZGame::GetCurrentDate(), CDate(17, 2, 1100));
    EXPECT_EQ(CRZGame::GetStartDate(), start);
}

} // namespace
