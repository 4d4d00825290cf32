// CRZGame, the game session, as every subsystem asks about it: host or client, single or multiplayer,
// in a game or in the front end, tutorial or not, and the current and start dates. The queries read only
// process-wide state, so they answer at any time, with or without a session.
#pragma once

#include "foundation/calendar_date.h"

// What the queries read of subsystems above the event core; a null hook answers as if that subsystem
// had nothing to say (no session, no front end, no tutorial).
struct CRZGameStateHooks {
    // The number of players in the open multiplayer session; 0 without one.
    int (*GetSessionPlayerCount)() = nullptr;
    // The front end's active flag.
    bool (*IsFrontEndActive)() = nullptr;
    // The tutorial flag of the loaded scenario's information.
    bool (*IsTutorialScenario)() = nullptr;
};
extern CRZGameStateHooks gGameStateHooks;

class CRZGame {
public:
    // True without a network session, so always in single player.
    static bool IsHost();
    // A session of more than one player; a session of one is still single player.
    static bool IsMultiPlayer();
    // A game is loaded and the front end is not over it.
    static bool InGame();
    static bool InFrontEnd();
    static bool IsTutorial();
    // The game clock's date; the zero date before the clock exists.
    static CDate GetCurrentDate();
    // The start date of the global game state; the zero date before it is made.
    static CDate GetStartDate();

    // 1 from the end of a session's initialisation until its clean-up, 0 otherwise.
    static int _inGame;
};
