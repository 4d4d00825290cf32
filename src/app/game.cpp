// The game-state queries of CRZGame: they sit below the widgets, which ask them, and reach the front end,
// the multiplayer session and the scenario information through gGameStateHooks.
#include "app/game.h"

#include "events/event_hooks.h"
#include "events/game_clock.h"

#include "foundation/safeguards.h"

CRZGameStateHooks gGameStateHooks;
int CRZGame::_inGame = 0;

bool CRZGame::IsHost()
{
    return IsHostMachine();
}

bool CRZGame::IsMultiPlayer()
{
    return gGameStateHooks.GetSessionPlayerCount != nullptr && gGameStateHooks.GetSessionPlayerCount() > 1;
}

bool CRZGame::InGame()
{
    return !InFrontEnd() && _inGame == 1;
}

bool CRZGame::InFrontEnd()
{
    return gGameStateHooks.IsFrontEndActive != nullptr && gGameStateHooks.IsFrontEndActive();
}

bool CRZGame::IsTutorial()
{
    return gGameStateHooks.IsTutorialScenario != nullptr && gGameStateHooks.IsTutorialScenario();
}

CDate CRZGame::GetCurrentDate()
{
    return gpTimer != nullptr ? gpTimer->GetDate() : CDate();
}

CDate CRZGame::GetStartDate()
{
    return gDateTickSource.pStartDate != nullptr ? *gDateTickSource.pStartDate : CDate();
}
