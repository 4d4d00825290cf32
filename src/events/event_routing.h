// Event routing: where a processed event takes effect on this machine. A broadcast goes down the fixed
// chain of global handlers; any other receiver is found by its identity and reached by double dispatch.
#pragma once

#include "events/event.h"

class CIdentity;
class CRZStaticObject;
class CRZObjectList;
class CRZInputEvent;

// A global receiver of broadcasts. The subsystems that own the handlers of the chain put an object of
// theirs (or a small adapter) into gEventRoutes while it exists.
class CRZEventHandler {
public:
    virtual ~CRZEventHandler() = default;
    virtual CRZReturnType Update(CRZEvent* event) = 0;
};

// The game session (gpGame) as the routing and the clock see it.
class CRZGameHandler : public CRZEventHandler {
public:
    // A game is loaded and running and the front end is not shown.
    virtual bool InGame() const = 0;
    // Set once the session has seen _CRZEVT_GAME_STARTED_; until then the world gets no broadcasts.
    virtual bool IsStarted() const = 0;
    // Set while the session keeps the clock held until every player has started.
    virtual bool IsTimerHeld() const = 0;
    virtual void ReleaseTimer() = 0;
};

// The local player's controller (gpPlayer): the only receiver of the winner broadcast, and the holder
// of the modal-window flag and the pause handler that the clock asks.
class CRZPlayerHandler : public CRZEventHandler {
public:
    // An event window or a pausing message box is open; game ticks do not count meanwhile.
    virtual bool IsModalOpen() const = 0;
    virtual bool IsPause() const = 0;
};

// The in-game interface (gpInterface): a broadcast handler that also takes every input event.
class CRZInterfaceHandler : public CRZEventHandler {
public:
    virtual CRZReturnType HandleInput(CRZInputEvent* event) = 0;
};

// The receivers of other subsystems, each null while it does not exist. Rows of the broadcast whose
// receiver is missing are skipped.
struct CRZEventRoutes {
    CRZEventHandler* options = nullptr; // the in-game options menu, set only while it is open
    CRZPlayerHandler* player = nullptr;
    CRZEventHandler* frontEnd = nullptr;
    CRZGameHandler* game = nullptr;
    CRZStaticObject* server = nullptr; // the host's server object; answers 0 on other machines
    CRZEventHandler* session = nullptr; // the multiplayer session; answers 3 where it consumed the event
    CRZEventHandler* map = nullptr;
    CRZEventHandler* global = nullptr; // the global game state
    CRZInterfaceHandler* gameInterface = nullptr;
    CRZObjectList* realms = nullptr; // every realm, newest first, until one takes the event
    CRZEventHandler* characters = nullptr; // the character registry's daily update of every character
    CRZEventHandler* oldEventServer = nullptr;
    CRZEventHandler* newEventServer = nullptr;
    CRZEventHandler* crusade = nullptr;
    CRZEventHandler* papacy = nullptr;
    CIdentity* client = nullptr; // the local client endpoint, reached by double dispatch
    CRZEventHandler* displayList = nullptr; // takes the animation ticks
    // Tells the computer opponents that the game started; called on the host only.
    void (*OnGameStarted)() = nullptr;
};
extern CRZEventRoutes gEventRoutes;

// CRZGame::InGame: false without a game session.
bool IsInGame();

// CRZEvent::Process: writes the diagnostic line, drops an event without receiver, hands a copy to the
// outgoing list when the send flag is set and, when the local flag is set, delivers the event here.
// Never deletes the event, though a kill event deletes its receiver.
CRZReturnType RouteEvent(CRZEvent* event);

// The delivery on this machine unless another is set (event_hooks.h): animation ticks to the display
// list, input to the interface, a broadcast down the chain, anything else to the receiver that its
// identity names. Answers the receiver's answer, 3 where the routing consumed the event.
CRZReturnType DeliverEvent(CRZEvent* event);
