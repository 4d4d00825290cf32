// Input dispatch through the interface, with recording receivers: the fixed order, the options screen
// taking everything, the end-of-year report hiding the chat, log, sprites and minimap, the front end,
// and the game-speed keys on the host and on a client.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "events/event_hooks.h"
#include "events/generic_events.h"
#include "support/fake_game.h"
#include "widgets/edit_box.h"
#include "widgets/goto_box.h"
#include "widgets/interface.h"

#include "foundation/safeguards.h"

namespace {

std::vector<std::string> gTrail;

// A receiver of either kind: input through HandleInput, the event handlers through Update.
class CRecorder : public CInputable, public CRZEventHandler {
public:
    explicit CRecorder(const char* inName, int inAnswer = 0)
        : name(inName)
        , answer(inAnswer)
    {
    }
    int HandleInput(CRZInputEvent*) override { return Seen(); }
    CRZReturnType Update(CRZEvent*) override { return Seen(); }
    int Seen()
    {
        gTrail.push_back(name);
        return answer;
    }
    const char* name;
    int answer;
};

class CSpriteRecorder : public CDrawable {
public:
    int Update(CRZEvent*) override
    {
        gTrail.push_back("sprites");
        return 0;
    }
};

class CFakePlayer : public CInputPlayer {
public:
    int UpdateRCDM(CRZEvent*) override { return Seen("menu"); }
    int HandleTopInput(CRZInputEvent*) override { return Seen("top"); }
    bool HasRightClickMenu() const override { return false; }
    bool HasChatLine() const override { return chat; }
    int UpdateChat(CRZInputEvent*) override { return Seen("chat"); }
    int Seen(const char* name)
    {
        gTrail.push_back(name);
        return 0;
    }
    bool chat = true;
};

class CClientSession : public CEventSession {
public:
    bool IsHost() const override { return false; }
    bool IsOpen() const override { return true; }
    void SendEvent(CRZNetEvent*) override { }
};

int gSpeed = 0;
std::vector<std::string> gLog;
bool gEndOfYear = false;

class Dispatch : public testing::Test {
protected:
    void SetUp() override
    {
        gTrail.clear();
        gLog.clear();
        gEndOfYear = false;
        gSpeed = 3;
        CInput::_isControl = 0;
        gEventRoutes.game = &game;
        gInterfaceReceivers = CInterfaceReceivers();
        gInterfaceReceivers.console = &console;
        gInterfaceReceivers.messageLog = &log;
        gInterfaceReceivers.minimap = &minimap;
        gInterfaceReceivers.map = &map;
        gInterfaceReceivers.player = &player;
        gInterfaceReceivers.IsEndOfYearShown = [] { return gEndOfYear; };
        gInterfaceReceivers.GetGameSpeed = [] { return gSpeed; };
        gInterfaceReceivers.SetGameSpeed = [](int speed) { gSpeed = speed; };
        gInterfaceReceivers.LogLine = [](const char* text) { gLog.push_back(text); };
        interface.GetSprites().Append(new CSpriteRecorder());
        interface.GetInputables().Append(&inputable);
    }
    void TearDown() override
    {
        gEventRoutes.game = nullptr;
        gEventRoutes.options = nullptr;
        gEventRoutes.frontEnd = nullptr;
        gInterfaceReceivers = CInterfaceReceivers();
        SetEventSession(nullptr);
    }
    int Offer(CRZEvtType type, int code = 0)
    {
        CRZInputEvent event(type, code, 0, CPoint(5, 5));
        return interface.HandleInput(&event);
    }

    CStartedGame game;
    CRecorder console { "console" };
    CRecorder log { "log" };
    CRecorder minimap { "minimap" };
    CRecorder map { "map", 3 };
    CRecorder inputable { "inputable" };
    CFakePlayer player;
    CInterface interface;
};

using Trail = std::vector<std::string>;

TEST_F(Dispatch, AnUntakenEventVisitsEveryReceiverInOrderAndTheMapAnswers)
{
    EXPECT_EQ(Offer(_CRZEVT_MOUSELBDOWN_), 3);
    // The goto box waits while a chat line is open.
    EXPECT_EQ(gTrail,
        (Trail { "console", "menu", "top", "chat", "log", "sprites", "minimap", "inputable", "map" }));
    gTrail.clear();
    player.chat = false;
    EXPECT_EQ(Offer(_CRZEVT_MOUSELBDOWN_), 3);
    EXPECT_EQ(gTrail, (Trail { "console", "menu", "top", "log", "sprites", "minimap", "inputable", "map" }));
}

TEST_F(Dispatch, TheOpenGotoBoxTakesInputRightAfterTheConsoleButNotWhileAChatLineIsOpen)
{
    ASSERT_NE(interface.GetGotoBox(), nullptr);
    EXPECT_EQ(Offer(_CRZEVT_KEYUP_, 63), 3);
    // The chat line keeps the key: the goto box stays closed.
    EXPECT_FALSE(interface.GetGotoBox()->IsOpen());
    player.chat = false;
    gTrail.clear();
    EXPECT_EQ(Offer(_CRZEVT_KEYUP_, 63), 3);
    EXPECT_TRUE(interface.GetGotoBox()->IsOpen());
    EXPECT_EQ(gTrail, (Trail { "console" }));
    gTrail.clear();
    EXPECT_EQ(Offer(_CRZEVT_KEYUP_, 'a'), 3);
    EXPECT_EQ(gTrail, (Trail { "console" }));
    EXPECT_STREQ(interface.GetGotoBox()->GetEditBox()->GetText(), "a");
}

TEST_F(Dispatch, TheOptionsScreenTakesAllInputAndItsAnswerIsFinal)
{
    CRecorder options("options", 0);
    gEventRoutes.options = &options;
    EXPECT_EQ(Offer(_CRZEVT_KEYUP_, 46), 0);
    EXPECT_EQ(Offer(_CRZEVT_MOUSELBDOWN_), 0);
    EXPECT_EQ(gTrail, (Trail { "console", "options", "console", "options" }));
    EXPECT_EQ(gSpeed, 3);
}

TEST_F(Dispatch, TheEndOfYearReportHidesConsoleChatLogSpritesAndMinimap)
{
    gEndOfYear = true;
    EXPECT_EQ(Offer(_CRZEVT_MOUSELBUP_), 3);
    EXPECT_EQ(gTrail, (Trail { "menu", "top", "inputable", "map" }));
}

TEST_F(Dispatch, OutsideAGameTheInputablesWindowsAndFrontEndDecide)
{
    game.inGame = false;
    CRecorder frontEnd("front end", 0);
    gEventRoutes.frontEnd = &frontEnd;
    EXPECT_EQ(Offer(_CRZEVT_MOUSEMOVE_), 0);
    EXPECT_EQ(gTrail, (Trail { "console", "inputable", "front end" }));
    gTrail.clear();
    inputable.answer = 3;
    EXPECT_EQ(Offer(_CRZEVT_MOUSEMOVE_), 3);
    EXPECT_EQ(gTrail, (Trail { "console", "inputable" }));
}

TEST_F(Dispatch, SpeedKeysMoveTheHostsSpeedWithinItsLimits)
{
    player.chat = false;
    CInput::_isControl = 1;
    const struct {
        int start;
        int code;
        int end;
    } kCases[] = { { 3, 43, 4 }, { 7, 43, 7 }, { 3, 45, 2 }, { 0, 45, 0 }, { 5, 46, 6 }, { 5, 44, 4 } };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.code);
        gSpeed = c.start;
        gLog.clear();
        EXPECT_EQ(Offer(_CRZEVT_KEYUP_, c.code), 3);
        EXPECT_EQ(gSpeed, c.end);
        EXPECT_EQ(gLog.size(), c.start == c.end ? 0u : 1u);
    }
    // Without Control the plus and minus signs are ordinary keys, and so are full stop and comma while
    // the chat line is open.
    CInput::_isControl = 0;
    gSpeed = 3;
    gTrail.clear();
    EXPECT_EQ(Offer(_CRZEVT_KEYUP_, 43), 3);
    EXPECT_EQ(gTrail.back(), "map");
    player.chat = true;
    EXPECT_EQ(Offer(_CRZEVT_KEYUP_, 46), 3);
    EXPECT_EQ(gSpeed, 3);
}

TEST_F(Dispatch, AClientsSpeedNeverMoves)
{
    CClientSession session;
    SetEventSession(&session);
    CInput::_isControl = 1;
    EXPECT_EQ(Offer(_CRZEVT_KEYUP_, 43), 3);
    EXPECT_EQ(Offer(_CRZEVT_KEYUP_, 45), 3);
    EXPECT_EQ(gSpeed, 3);
    EXPECT_TRUE(gLog.empty());
}

} // namespace
