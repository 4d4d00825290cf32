// Event routing: the broadcast chain in and out of a game, where it stops, and delivery to the one
// receiver named by each kind of identity, with kill events and out-of-range numbers.
#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "event_fakes.h"
#include "events/event_posting.h"
#include "events/net_event.h"
#include "foundation/logs.h"
#include "route_fakes.h"
#include "support/data_folder.h"

#include "foundation/safeguards.h"

using namespace routefakes;

namespace {

class Routing : public RoutedGame { };

} // namespace

TEST_F(Routing, BroadcastInAStartedGameGoesDownTheWholeChainInOrder)
{
    const Trail world { "game", "server", "session", "map", "global", "interface", "realm2", "realm1" };
    const Trail tail { "oldEvents", "newEvents", "crusade", "papacy" };

    // Only the day tick reaches the character registry, between the realms and the event servers.
    EXPECT_EQ(Broadcast(_CRZEVT_TIMER_DAY_), 0);
    Trail day = world;
    day.push_back("characters");
    day.insert(day.end(), tail.begin(), tail.end());
    EXPECT_EQ(gTrail, day);

    gTrail.clear();
    EXPECT_EQ(Broadcast(_CRZEVT_TIMER_MONTH_), 0);
    Trail month = world;
    month.insert(month.end(), tail.begin(), tail.end());
    EXPECT_EQ(gTrail, month);
}

TEST_F(Routing, GameNotStartedStopsAfterTheSession)
{
    game.started = false;
    EXPECT_EQ(Broadcast(_CRZEVT_TIMER_DAY_), 0);
    EXPECT_EQ(gTrail, (Trail { "game", "server", "session" }));
}

TEST_F(Routing, StartEventReachesTheWorldAndTellsTheOpponentsOnTheHostOnly)
{
    static int told = 0;
    told = 0;
    gEventRoutes.OnGameStarted = [] { ++told; };
    CFakeSession client;
    client.host = false;

    for (bool host : { true, false }) {
        SetEventSession(host ? nullptr : &client);
        game.started = false;
        gTrail.clear();
        Broadcast(_CRZEVT_GAME_STARTED_);
        EXPECT_TRUE(game.started);
        EXPECT_EQ(gTrail.size(), 12u) << "the start event itself reaches map to papacy";
    }
    EXPECT_EQ(told, 1);
}

TEST_F(Routing, OptionsMenuThatTakesABroadcastEndsItInAndOutOfAGame)
{
    OpenOptions();
    options.answer = 5;
    for (bool inGame : { true, false }) {
        game.inGame = inGame;
        gTrail.clear();
        EXPECT_EQ(Broadcast(_CRZEVT_TIMER_DAY_), 5);
        EXPECT_EQ(gTrail, (Trail { "options" }));
    }
}

TEST_F(Routing, OutsideAGameTheOptionsMenuIsAskedAgainAndThenTheFrontEnd)
{
    game.inGame = false;
    frontEnd.answer = 4;
    EXPECT_EQ(Broadcast(_CRZEVT_TIMER_TICK_LOOP_), 4);
    EXPECT_EQ(gTrail, (Trail { "frontEnd" }));

    OpenOptions();
    gTrail.clear();
    EXPECT_EQ(Broadcast(_CRZEVT_TIMER_TICK_LOOP_), 4);
    EXPECT_EQ(gTrail, (Trail { "options", "options", "frontEnd" }));

    // Without a game session at all the machine is outside a game too.
    gEventRoutes.game = nullptr;
    gEventRoutes.options = nullptr;
    gTrail.clear();
    EXPECT_EQ(Broadcast(_CRZEVT_TIMER_TICK_LOOP_), 4);
    EXPECT_EQ(gTrail, (Trail { "frontEnd" }));
}

TEST_F(Routing, WinnerGoesToTheLocalPlayerAlone)
{
    player.answer = 9;
    EXPECT_EQ(Broadcast(_CRZEVT_GAME_WINNER_), 9);
    EXPECT_EQ(gTrail, (Trail { "player" }));
}

TEST_F(Routing, SessionThatConsumesABroadcastEndsIt)
{
    session.answer = 3;
    EXPECT_EQ(Broadcast(_CRZEVT_BOOTUP_READY_), 3);
    EXPECT_EQ(gTrail, (Trail { "game", "server", "session" }));
}

TEST_F(Routing, InterfaceOrARealmThatTakesABroadcastKeepsItFromTheRealmsBehind)
{
    gameInterface.answer = 1;
    EXPECT_EQ(Broadcast(_CRZEVT_TIMER_MONTH_), 1);
    EXPECT_EQ(std::count(gTrail.begin(), gTrail.end(), "realm1")
            + std::count(gTrail.begin(), gTrail.end(), "realm2"),
        0);
    EXPECT_EQ(gTrail.back(), "papacy");

    gameInterface.answer = 0;
    realms.Append(new CFakeRealm("realm3", 1)); // finished: removed and deleted once it takes the event
    gTrail.clear();
    EXPECT_EQ(Broadcast(_CRZEVT_TIMER_MONTH_), 3);
    EXPECT_EQ(std::count(gTrail.begin(), gTrail.end(), "realm3"), 1);
    EXPECT_EQ(std::count(gTrail.begin(), gTrail.end(), "realm2"), 0);
    EXPECT_EQ(realms.GetSize(), 2u);
}

TEST_F(Routing, StartOfTheClockRestartsAStartedClockAndIsConsumed)
{
    gClockHooks.timers = &timers;
    game.held = true;

    // Without a clock the event is answered like any other broadcast.
    EXPECT_EQ(Broadcast(_CRZEVT_START_GAME_TIMER_), 0);
    EXPECT_TRUE(game.held);

    ASSERT_TRUE(InitTimer(15));
    gTrail.clear();
    game.started = false;
    EXPECT_EQ(Broadcast(_CRZEVT_START_GAME_TIMER_), 3);
    EXPECT_FALSE(game.held);
    EXPECT_TRUE(gpTimer->IsRunning());
    EXPECT_EQ(gTrail, (Trail { "game", "server", "session" }));
}

TEST_F(Routing, EveryBroadcastRowToleratesAMissingReceiver)
{
    gEventRoutes = CRZEventRoutes {};
    static CFakeGame bare;
    gEventRoutes.game = &bare;
    for (CRZEvtType type : { _CRZEVT_TIMER_DAY_, _CRZEVT_GAME_WINNER_, _CRZEVT_START_GAME_TIMER_ })
        EXPECT_EQ(Broadcast(type), 0) << type;
    EXPECT_EQ(gTrail, (Trail { "game", "game" }));
}

namespace {

class CFakeUnit : public CRZDynamicObject {
public:
    explicit CFakeUnit(const DynamicID& inId)
        : CRZDynamicObject(inId)
    {
    }
    ~CFakeUnit() override { gTrail.push_back("unit deleted"); }
    int Update(CRZEvent*) override
    {
        gTrail.push_back("unit");
        return 1;
    }
};

class CFakeIdentity : public CIdentity {
public:
    CFakeIdentity(const char* inName, const CRZID& inId)
        : name(inName)
    {
        Create(inId);
    }
    ~CFakeIdentity() override { gTrail.push_back(std::string(name) + " deleted"); }
    int Update(CRZEvent*) override
    {
        gTrail.push_back(name);
        return 2;
    }
    const char* name;
};

// The realm table as big as the game's; a lookup past its end is a fault that the sanitizer reports.
std::array<CFakeServer, kCountryTableSlots> gRealmTable;
std::array<CFakeIdentity*, 1> gProvinceTable;

class Delivery : public RoutedGame {
protected:
    void SetUp() override
    {
        RoutedGame::SetUp();
        CIdentity::TotalInit(NOID, 0);
        gIdentityLookups.GetGameServer = [] { return static_cast<CRZStaticObject*>(&gGameServer); };
        gIdentityLookups.GetCountry
            = [](uint32_t i) { return static_cast<CRZStaticObject*>(&gRealmTable.at(i)); };
        gIdentityLookups.GetProvince
            = [](uint32_t i) { return static_cast<CIdentity*>(gProvinceTable.at(i)); };
    }
    static inline CFakeServer gGameServer;

    CRZReturnType Send(CRZEvtType type, const CRZID& receiver)
    {
        gTrail.clear();
        return ProcessLocalEvent(new CRZGenericEvent(type, receiver));
    }
};

} // namespace

TEST_F(Delivery, EachKindOfReceiverIsFoundByItsIdentity)
{
    CFakeIdentity character("character", CRZID(RZTYPE_CHARACTER, 3));
    CFakeIdentity oldEvent("oldEvent", CRZID(RZTYPE_OLDEVENT, 8));
    CFakeIdentity client("client", BASIC_CLIENT);
    gEventRoutes.client = &client;
    CFakeUnit* unit = new CFakeUnit(DynamicID(RZTYPE_DYNAMIC, 4));

    struct Case {
        CRZID receiver;
        CRZReturnType answer;
        Trail trail;
    };
    const Case cases[] = {
        { DynamicID(RZTYPE_DYNAMIC, 4), 1, { "unit" } },
        { CRZID(RZTYPE_DYNAMIC, 99), 0, {} },
        { CRZID(RZTYPE_CHARACTER, 3), 2, { "character" } },
        { CRZID(RZTYPE_CHARACTER, 4), 0, {} },
        { CRZID(RZTYPE_OLDEVENT, 8), 2, { "oldEvent" } },
        { BASIC_CLIENT, 2, { "client" } },
        { EVENT_SERVER, 2, { "client" } },
        { NEWEVENT_SERVER, 0, { "newEvents" } },
        { UNIT_SERVER, 0, { "server" } },
        { ALLSERVER, 0, { "server" } },
        { CRZID(RZTYPE_COUNTRY, 1422), 0, { "server" } },
        { CRZID(RZTYPE_COUNTRY, 5000), 0, {} },
        { CRZID(RZTYPE_COUNTRY, 0xFFFFFFFFu), 0, {} },
        { CRZID(RZTYPE_PROVINCE, 5000), 0, {} },
        { ALLFRONTENDS, 0, {} },
        { CRZID(9, 1), 0, {} },
    };
    newEvents.answer = 5; // the routing answers 0 for the new-style server whatever it says
    for (const Case& c : cases) {
        EXPECT_EQ(Send(_CRZEVT_PING_, c.receiver), c.answer) << c.receiver.type << "." << c.receiver.number;
        EXPECT_EQ(gTrail, c.trail) << c.receiver.type << "." << c.receiver.number;
    }
    delete unit;
}

TEST_F(Delivery, KillEventDeletesARegisteredReceiverButNotAStaticOne)
{
    new CFakeUnit(DynamicID(RZTYPE_DYNAMIC, 4));
    new CFakeIdentity("late", CRZID(RZTYPE_DYNAMIC + 1, 2));

    EXPECT_EQ(Send(_CRZEVT_KILL_, DynamicID(RZTYPE_DYNAMIC, 4)), 3);
    EXPECT_EQ(gTrail, (Trail { "unit deleted" }));
    EXPECT_EQ(CRZDynamicObject::GetObjectFromID(DynamicID(RZTYPE_DYNAMIC, 4)), nullptr);

    EXPECT_EQ(Send(_CRZEVT_KILL_, CRZID(RZTYPE_DYNAMIC + 1, 2)), 3);
    EXPECT_EQ(gTrail, (Trail { "late deleted" }));

    EXPECT_EQ(Send(_CRZEVT_KILL_, CRZID(RZTYPE_COUNTRY, 7)), 0);
    EXPECT_EQ(gTrail, (Trail { "server" }));
}

TEST_F(Delivery, ReceiverlessAndSendOnlyEventsReachNobody)
{
    CFakeSession client;
    client.host = false;
    SetEventSession(&client);

    // No receiver: neither sent nor delivered, whatever the flags say.
    EXPECT_EQ(ProcessGlobalEvent(new CRZGenericEvent(_CRZEVT_PING_, NOID)), 0);
    EXPECT_EQ(gEventScheduler.GetExternalCount(), 0u);

    // A client's request for the host is only copied to the outgoing list.
    EXPECT_EQ(ProcessToHostEvent(new CRZGenericEvent(_CRZEVT_PING_, UNIT_SERVER)), 0);
    EXPECT_EQ(gEventScheduler.GetExternalCount(), 1u);
    EXPECT_TRUE(gTrail.empty());
}

TEST_F(Routing, AnimationTicksAndInputGoStraightToTheirHandlers)
{
    struct Point {
        int x, y;
    };
    EXPECT_EQ(ProcessLocalEvent(new CRZAnimTickEvent(_CRZEVT_TICK_ANIMATIONS_, 2)), 0);
    EXPECT_EQ(ProcessLocalEvent(new CRZInputEvent(_CRZEVT_MOUSEMOVE_, 0, 0, Point { 1, 2 })), 7);
    EXPECT_EQ(gTrail, (Trail { "display", "input" }));

    // Posted as for the network, they still reach their handlers here and nothing is sent.
    gTrail.clear();
    EXPECT_EQ(ProcessGlobalEvent(new CRZAnimTickEvent(_CRZEVT_TICK_ANIMATIONS_, 2)), 0);
    PostExternalEvent(new CRZInputEvent(_CRZEVT_KEYUP_, 0, 0, Point { 1, 2 }));
    EXPECT_EQ(gTrail, (Trail { "display", "input" }));
    EXPECT_EQ(gEventScheduler.GetExternalCount(), 0u);
}

TEST_F(Routing, DayTickInTheSaveDebuggingTraceHasItsLines)
{
    (void)support::gDataFolder;
    auto contents = [] {
        std::ifstream in(support::gDataFolder + "/savedebug.txt");
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    };
    isSuperDebug = 1;
    const std::string before = contents();
    Broadcast(_CRZEVT_TIMER_DAY_);
    Broadcast(_CRZEVT_TIMER_TICK_LOOP_);
    ProcessLocalEvent(new CRZGenericEvent(_CRZEVT_PING_, CRZID(RZTYPE_COUNTRY, 5000)));
    // Dropped, send-only and direct events are not followed by the closing line, or not traced at all.
    ProcessLocalEvent(new CRZGenericEvent(_CRZEVT_PING_, NOID));
    PostExternalEvent(new CRZGenericEvent(_CRZEVT_PING_, UNIT_SERVER));
    ProcessLocalEvent(new CRZAnimTickEvent(_CRZEVT_TICK_ANIMATIONS_, 1));
    isSuperDebug = 0;

    EXPECT_EQ(contents(),
        before
            + "Processing an 22 (_CRZEVT_TIMER_DAY_) to 65535.-1\n"
              "TimerDay: Before Interface Processes\n"
              "TimerDay: Before Country Processes\n"
              "TimerDay: Before Character Execute\n"
              "TimerDay: After Character Execute\n"
              "--- Procesing done\n"
              "Processing an 269 (_CRZEVT_PING_) to 3.5000\n"
              "--- Procesing done\n"
              "Processing an 269 (_CRZEVT_PING_) to 0.0\n"
              "Processing an 269 (_CRZEVT_PING_) to 2.3\n");
}
