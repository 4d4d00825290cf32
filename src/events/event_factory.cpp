// The checked rebuild of received events.
#include "events/event_factory.h"

#include <cstdio>

#include "events/net_event.h"
#include "events/record_event.h"

#include "foundation/safeguards.h"

CRZEvent* BuildEventFromNetwork(CRZNetEvent* net)
{
    if (net == nullptr)
        return nullptr;
    const uint32_t type = net->GetType();
    const uint32_t received = net->GetDataSize();
    CRZEventBuilder build = GetNetEventBuilder(type);
    if (build == nullptr) {
        fprintf(stderr, "Dropped network event %u (%s): no event class rebuilds it\n",
            static_cast<unsigned>(type), GetEventTypeName(type));
        return nullptr;
    }
    CRZEvent* event = build(net);
    const uint32_t required = event->GetRequiredSize();
    if (required == kUnreadableRecord) {
        fprintf(stderr,
            "Dropped network event %u (%s): its counts or lengths contradict each other or their fields\n",
            static_cast<unsigned>(type), GetEventTypeName(type));
        delete event;
        return nullptr;
    }
    if (received < required) {
        fprintf(stderr, "Dropped network event %u (%s): %u bytes where its record needs %u\n",
            static_cast<unsigned>(type), GetEventTypeName(type), static_cast<unsigned>(received),
            static_cast<unsigned>(required));
        delete event;
        return nullptr;
    }
    return event;
}
