// The receiving side's event factory: which event class rebuilds each type from its network copy,
// and the checked rebuild that refuses a copy too short for its class.
#pragma once

#include <cstdint>

#include "events/event.h"

class CRZNetEvent;

using CRZEventBuilder = CRZEvent* (*)(CRZNetEvent* net);

// The builder of one event class: its network constructor.
template <class Event> CRZEvent* BuildNetEvent(CRZNetEvent* net)
{
    return new Event(net);
}

// One row of the type-to-class table: each type is rebuilt by exactly one class.
struct CRZEventClassRow {
    uint32_t type;
    CRZEventBuilder build;
};

// The builder for a type; null for the types that are never rebuilt from the network (input,
// animation and local-only types, and those whose class does not exist yet).
CRZEventBuilder GetNetEventBuilder(uint32_t type);

// The event of a received copy, built by its type's class with send 0 and local 1; the caller posts
// it. Null, with a line on the error stream, when no class rebuilds the type or the copy is shorter
// than the class's record: such a copy is dropped and nothing reads past its end.
CRZEvent* BuildEventFromNetwork(CRZNetEvent* net);
