// CRZGameEventServer, the server of the old-style scripted events held by the global game state.
#pragma once

#include "events/event.h"

class CRZGameEventServer {
public:
    virtual ~CRZGameEventServer() = default;
    // Takes the broadcasts of a started game and every executed scripted event; the answer is ignored.
    virtual CRZReturnType Update(CRZEvent*) { return 0; }
};
