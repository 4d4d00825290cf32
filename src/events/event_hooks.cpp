// The installed multiplayer session and event delivery, and the host test built on the session.
#include "events/event_hooks.h"

#include "events/event_routing.h"

#include "foundation/safeguards.h"

namespace {
CEventSession* gpEventSession = nullptr;
CRZDeliverEvent gDeliverEvent = nullptr;
} // namespace

void SetEventSession(CEventSession* session)
{
    gpEventSession = session;
}

CEventSession* GetEventSession()
{
    return gpEventSession;
}

bool IsHostMachine()
{
    return gpEventSession == nullptr || !gpEventSession->IsOpen() || gpEventSession->IsHost();
}

void SetEventDelivery(CRZDeliverEvent deliver)
{
    gDeliverEvent = deliver;
}

CRZDeliverEvent GetEventDelivery()
{
    return gDeliverEvent != nullptr ? gDeliverEvent : &DeliverEvent;
}
