// Test doubles of the receivers that the routing and the clock reach through gEventRoutes: each one
// records its name on one shared trail when it is offered an event, and answers what the test sets.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "events/event_hooks.h"
#include "events/event_posting.h"
#include "events/event_routing.h"
#include "events/event_scheduler.h"
#include "events/game_clock.h"
#include "events/generic_events.h"
#include "foundation/identity.h"
#include "foundation/rz_obj.h"

namespace routefakes {

// Every receiver that saw an event, in order.
using Trail = std::vector<std::string>;
inline Trail gTrail;

// Processes a broadcast of the type at once, as the clock and the client endpoint do.
inline CRZReturnType Broadcast(CRZEvtType type)
{
    return ProcessLocalEvent(new CRZGenericEvent(type, ALLID));
}

// Records that the named receiver was offered an event and answers as told.
inline int Seen(const char* name, int answer)
{
    gTrail.push_back(name);
    return answer;
}

class CRecorder : public CRZEventHandler {
public:
    explicit CRecorder(const char* inName)
        : name(inName)
    {
    }
    CRZReturnType Update(CRZEvent*) override { return Seen(name, answer); }
    const char* name;
    CRZReturnType answer = 0;
};

// Sets its started flag on the start event, as the game session does, so the same broadcast reaches
// the world.
class CFakeGame : public CRZGameHandler {
public:
    CRZReturnType Update(CRZEvent* event) override
    {
        gTrail.push_back("game");
        if (event->GetType() == _CRZEVT_GAME_STARTED_)
            started = true;
        return 0;
    }
    bool InGame() const override { return inGame; }
    bool IsStarted() const override { return started; }
    bool IsTimerHeld() const override { return held; }
    void ReleaseTimer() override { held = false; }

    bool inGame = true;
    bool started = true;
    bool held = false;
};

class CFakePlayer : public CRZPlayerHandler {
public:
    CRZReturnType Update(CRZEvent*) override { return Seen("player", answer); }
    bool IsModalOpen() const override { return modal; }
    bool IsPause() const override { return pause; }

    CRZReturnType answer = 0;
    bool modal = false;
    bool pause = false;
};

class CFakeInterface : public CRZInterfaceHandler {
public:
    CRZReturnType Update(CRZEvent*) override { return Seen("interface", answer); }
    CRZReturnType HandleInput(CRZInputEvent*) override { return Seen("input", 7); }
    CRZReturnType answer = 0;
};

class CFakeRealm : public CRZObj {
public:
    explicit CFakeRealm(const char* inName, int inAnswer = 0)
        : CRZObj(inName)
        , answer(inAnswer)
    {
    }
    int Update(CRZEvent*) override { return Seen(GetName(), answer); }
    int answer;
};

class CFakeServer : public CRZStaticObject {
public:
    int Update(CRZEvent*) override { return Seen("server", 0); }
};

// The platform's periodic timers, fired by hand: a test advances the fake millisecond counter and
// calls Fire, as the main loop would between frames.
inline uint32_t gNow = 0;

class CFakeLoopTimers : public CRZTimerService {
public:
    struct Timer {
        CRZLoopTimerProc proc;
        void* userData;
        uint32_t firstDelay;
        uint32_t period;
    };

    CFakeLoopTimers()
    {
        gClockHooks.GetMilliseconds = [] { return gNow; };
    }
    ~CFakeLoopTimers() override { delete installed; }

    CRZLoopTimer* Install(
        CRZLoopTimerProc proc, void* userData, uint32_t firstDelay, uint32_t period) override
    {
        if (fail)
            return nullptr;
        delete installed;
        installed = new Timer { proc, userData, firstDelay, period };
        return reinterpret_cast<CRZLoopTimer*>(installed);
    }
    void Remove(CRZLoopTimer* timer) override
    {
        EXPECT_EQ(timer, Handle());
        ++removed;
        delete installed;
        installed = nullptr;
    }

    CRZLoopTimer* Handle() const { return reinterpret_cast<CRZLoopTimer*>(installed); }
    // Moves the counter on by ms and runs the callback once.
    void Fire(uint32_t ms)
    {
        gNow += ms;
        ASSERT_NE(installed, nullptr);
        installed->proc(Handle(), installed->userData);
    }

    bool fail = false;
    int removed = 0;
    Timer* installed = nullptr;
};

// Puts a recorder or fake into every place of gEventRoutes, in a started game on the host, and takes
// them out again with the clock, the registries and every pending event.
class RoutedGame : public ::testing::Test {
protected:
    CRecorder options { "options" }, frontEnd { "frontEnd" }, session { "session" }, map { "map" },
        global { "global" }, characters { "characters" }, oldEvents { "oldEvents" },
        newEvents { "newEvents" }, crusade { "crusade" }, papacy { "papacy" }, display { "display" };
    CFakeGame game;
    CFakePlayer player;
    CFakeInterface gameInterface;
    CFakeServer server;
    CRZObjectList realms;
    CFakeLoopTimers timers; // not installed until a test puts it into gClockHooks

    void SetUp() override
    {
        gTrail.clear();
        // Appended first, asked last.
        realms.Append(new CFakeRealm("realm1"));
        realms.Append(new CFakeRealm("realm2"));
        gEventRoutes = CRZEventRoutes {};
        gEventRoutes.frontEnd = &frontEnd;
        gEventRoutes.game = &game;
        gEventRoutes.player = &player;
        gEventRoutes.server = &server;
        gEventRoutes.session = &session;
        gEventRoutes.map = &map;
        gEventRoutes.global = &global;
        gEventRoutes.gameInterface = &gameInterface;
        gEventRoutes.realms = &realms;
        gEventRoutes.characters = &characters;
        gEventRoutes.oldEventServer = &oldEvents;
        gEventRoutes.newEventServer = &newEvents;
        gEventRoutes.crusade = &crusade;
        gEventRoutes.papacy = &papacy;
        gEventRoutes.displayList = &display;
    }

    void TearDown() override
    {
        KillTimer();
        gEventRoutes = CRZEventRoutes {};
        gIdentityLookups = CIdentityLookups {};
        gClockHooks = CRZClockHooks {};
        gEventScheduler.Erase();
        gEventScheduler.EmptyInputList();
        SetEventSession(nullptr);
        SetEventDelivery(nullptr);
        CIdentity::TotalCleanup();
    }

    void OpenOptions() { gEventRoutes.options = &options; }
};

} // namespace routefakes
