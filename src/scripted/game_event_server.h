// CRZGameEventServer, the server of the old-style scripted events held by the global game state.
#pragma once

#include <cstdint>

#include "events/event.h"

class CRZGameEventServer {
public:
    virtual ~CRZGameEventServer() = default;
    // Takes the broadcasts of a started game and every executed scripted event; the answer is ignored.
    virtual CRZReturnType Update(CRZEvent*) { return 0; }
    // The host plans a realm's next random event; until the old-style events are read there is none to
    // plan.
    virtual void ScheduleNextRandomEvent(int32_t /*realm*/) { }
};
