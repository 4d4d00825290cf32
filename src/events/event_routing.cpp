// Event routing: the broadcast chain of global handlers, delivery by receiver identity, and the two
// event classes that go straight to their one handler.
#include "events/event_routing.h"

#include "events/event_hooks.h"
#include "events/event_scheduler.h"
#include "events/game_clock.h"
#include "events/generic_events.h"
#include "events/net_event.h"
#include "foundation/identity.h"
#include "foundation/logs.h"
#include "foundation/rz_obj.h"

#include "foundation/safeguards.h"

CRZEventRoutes gEventRoutes;

namespace {

// The routing's own answer where it consumed the event.
constexpr CRZReturnType kConsumed = 3;

CRZReturnType Offer(CRZEventHandler* handler, CRZEvent* event)
{
    return handler ? handler->Update(event) : 0;
}

bool IsGameStarted()
{
    return gEventRoutes.game != nullptr && gEventRoutes.game->IsStarted();
}

// Animation ticks and input go straight to their one handler, outside the trace and the tail.
bool IsDirect(CRZEvent* event)
{
    return dynamic_cast<CRZAnimTickEvent*>(event) != nullptr
        || dynamic_cast<CRZInputEvent*>(event) != nullptr;
}

// The diagnostic lines of the save-debugging trace; the loop tick would drown everything else.
bool Traced(CRZEvent* event)
{
    return isSuperDebug && event->GetType() != _CRZEVT_TIMER_TICK_LOOP_ && !IsDirect(event);
}

void TraceDay(CRZEvent* event, const char* line)
{
    if (isSuperDebug && event->GetType() == _CRZEVT_TIMER_DAY_)
        superdebug("%s", line);
}

// The world's share of a broadcast, once the game has started: rows map to papacy.
CRZReturnType BroadcastToWorld(CRZEvent* event)
{
    Offer(gEventRoutes.map, event);
    Offer(gEventRoutes.global, event);
    TraceDay(event, "TimerDay: Before Interface Processes\n");
    CRZReturnType answer = Offer(gEventRoutes.gameInterface, event);
    TraceDay(event, "TimerDay: Before Country Processes\n");
    if (answer == 0)
        answer = gEventRoutes.realms ? gEventRoutes.realms->Update(event) : 0;
    if (event->GetType() == _CRZEVT_TIMER_DAY_) {
        TraceDay(event, "TimerDay: Before Character Execute\n");
        Offer(gEventRoutes.characters, event);
        TraceDay(event, "TimerDay: After Character Execute\n");
    }
    Offer(gEventRoutes.oldEventServer, event);
    Offer(gEventRoutes.newEventServer, event);
    Offer(gEventRoutes.crusade, event);
    Offer(gEventRoutes.papacy, event);
    return answer;
}

// The broadcast chain. Sets atOnce where the answer skips the tail of the routing.
CRZReturnType Broadcast(CRZEvent* event, bool& atOnce)
{
    atOnce = true;
    if (CRZReturnType answer = Offer(gEventRoutes.options, event))
        return answer;
    if (event->GetType() == _CRZEVT_GAME_WINNER_)
        return Offer(gEventRoutes.player, event);
    atOnce = false;

    if (!IsInGame()) {
        // Outside a game the options menu is asked a second time before the front end.
        CRZReturnType answer = Offer(gEventRoutes.options, event);
        if (answer == 0)
            answer = Offer(gEventRoutes.frontEnd, event);
        return answer;
    }

    Offer(gpTimer, event);
    Offer(gEventRoutes.game, event);
    if (gEventRoutes.server)
        gEventRoutes.server->Update(event);
    if (Offer(gEventRoutes.session, event) == kConsumed) {
        atOnce = true;
        return kConsumed;
    }
    // The session sets its started flag above, so the start event itself already reaches the world.
    const CRZReturnType answer = IsGameStarted() ? BroadcastToWorld(event) : 0;

    if (event->GetType() == _CRZEVT_START_GAME_TIMER_ && gpTimer != nullptr && gpTimer->IsStarted()) {
        if (gEventRoutes.game)
            gEventRoutes.game->ReleaseTimer();
        gpTimer->RestartTimer();
        atOnce = true;
        return kConsumed;
    }
    return answer;
}

// Kill events delete a registered receiver instead of reaching it.
template <class Object> CRZReturnType DeliverOrKill(CRZEvent* event, Object* receiver, bool& atOnce)
{
    if (event->GetType() == _CRZEVT_KILL_) {
        delete receiver;
        atOnce = true;
        return kConsumed;
    }
    return event->UpdateObject(receiver);
}

// Delivery to the one receiver that the identity names. Numbers index tables only through the
// registries' lookups, which answer null outside the country table and the province array.
CRZReturnType DeliverToReceiver(CRZEvent* event, bool& atOnce)
{
    atOnce = false;
    const CRZID receiver = event->GetReceiver();
    const uint16_t type = receiver.type;

    if (type > RZTYPE_MAXSTATIC) {
        if (CRZDynamicObject* object = CRZDynamicObject::GetObjectFromID(DynamicID(receiver)))
            return DeliverOrKill(event, object, atOnce);
        if (CIdentity* object = CIdentity::GetObjectFromID(receiver))
            return DeliverOrKill(event, object, atOnce);
        return 0;
    }
    if (type == RZTYPE_CLIENT || receiver == EVENT_SERVER)
        return gEventRoutes.client ? event->UpdateObject(gEventRoutes.client) : 0;
    if (type == RZTYPE_CHARACTER || type == RZTYPE_RELIGIOUS || type == RZTYPE_PROVINCE
        || type == RZTYPE_NEWEVENT) {
        CIdentity* object = CIdentity::GetObjectFromID(receiver);
        return object ? event->UpdateObject(object) : 0;
    }
    if (type == RZTYPE_OLDEVENT) {
        // An old-style scripted event handles the event itself, past the event's double dispatch.
        CIdentity* object = CIdentity::GetObjectFromID(receiver);
        return object ? object->Update(event) : 0;
    }
    if (receiver == NEWEVENT_SERVER) {
        Offer(gEventRoutes.newEventServer, event);
        return 0;
    }
    CRZStaticObject* object = CRZStaticObject::GetObjectFromID(StaticID(receiver));
    return object ? event->UpdateObject(object) : 0;
}

} // namespace

bool IsInGame()
{
    return gEventRoutes.game != nullptr && gEventRoutes.game->InGame();
}

CRZReturnType RouteEvent(CRZEvent* event)
{
    // Animation ticks and input belong to this machine whatever flags they were posted with: they are
    // never sent, and no flag keeps them from their handler.
    if (IsDirect(event))
        return GetEventDelivery()(event);
    const CRZID receiver = event->GetReceiver();
    if (Traced(event)) {
        // Signed, as the trace has always shown them: a broadcast reads "to 65535.-1".
        superdebug("Processing an %d (%s) to %d.%d\n", static_cast<int>(event->GetType()), event->GetName(),
            static_cast<int>(receiver.type), static_cast<int>(receiver.number));
    }
    if (receiver == NOID)
        return 0;
    // The copy is taken before any receiver sees the event, so it carries the record as posted.
    if (event->GetSend())
        gEventScheduler.AddExternalEvent(new CRZNetEvent(event));
    if (!event->GetLocal())
        return 0;
    return GetEventDelivery()(event);
}

CRZReturnType DeliverEvent(CRZEvent* event)
{
    if (IsDirect(event)) {
        if (auto* input = dynamic_cast<CRZInputEvent*>(event))
            return gEventRoutes.gameInterface ? gEventRoutes.gameInterface->HandleInput(input) : 0;
        return Offer(gEventRoutes.displayList, event);
    }
    bool atOnce = false;
    const CRZReturnType answer
        = event->GetReceiver() == ALLID ? Broadcast(event, atOnce) : DeliverToReceiver(event, atOnce);
    if (atOnce)
        return answer;

    if (event->GetType() == _CRZEVT_GAME_STARTED_ && IsHostMachine() && gEventRoutes.OnGameStarted)
        gEventRoutes.OnGameStarted();
    if (Traced(event))
        superdebug("--- Procesing done\n");
    return answer;
}
