// What the event core needs of the subsystems above it: the multiplayer session that carries events
// to the other machines, and the routing that hands an event to its receivers on this machine.
#pragma once

#include "events/event.h"

class CRZNetEvent;

// The session as the posting operations and the scheduler see it. The multiplayer subsystem installs
// its own; without one the game is single player.
class CEventSession {
public:
    virtual ~CEventSession() = default;
    // The session's own host flag; only asked while the session is open.
    virtual bool IsHost() const = 0;
    // A session exists and is open, so outgoing events are sent.
    virtual bool IsOpen() const = 0;
    // Stamps the copy with the current game date and sends it to every machine; the caller keeps
    // ownership and deletes it afterwards.
    virtual void SendEvent(CRZNetEvent* event) = 0;
};

// The installed session or null; the session object outlives every call that reaches it.
void SetEventSession(CEventSession* session);
CEventSession* GetEventSession();

// True on the host: always without a session or while the session is not open.
bool IsHostMachine();

// Delivers an event to its receiver on this machine (a broadcast for ALLID) and answers the
// receiver's answer. The routing's DeliverEvent unless another is set (tests of the event core record
// deliveries this way); null puts the routing back.
using CRZDeliverEvent = CRZReturnType (*)(CRZEvent* event);
void SetEventDelivery(CRZDeliverEvent deliver);
CRZDeliverEvent GetEventDelivery();
