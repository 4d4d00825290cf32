// Test helper: the game session as the routing asks it, in a game that has started (or, with inGame
// cleared, in the front end).
#pragma once

#include "events/event_routing.h"

class CStartedGame : public CRZGameHandler {
public:
    CRZReturnType Update(CRZEvent*) override { return 0; }
    bool InGame() const override { return inGame; }
    bool IsStarted() const override { return true; }
    bool IsTimerHeld() const override { return false; }
    void ReleaseTimer() override { }

    bool inGame = true;
};
