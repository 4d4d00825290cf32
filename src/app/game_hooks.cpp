// The game's side of the host: the hooks through which the platform starts the game, runs its frames
// and ends it.
#include "app/window_procedure.h"
#include "app/winmain.h"
#include "platform/host/game_app_delegate.h"
#include "platform/host/host_hooks.h"
#include "platform/input/window_messages.h"

#include "foundation/safeguards.h"

Windows::LRESULT gameWindProc(
    Windows::HWND window, Windows::UINT message, Windows::WPARAM wParam, Windows::LPARAM lParam)
{
    return MessageHandlingProcedure(window, message, wParam, lParam);
}

int gameSystemInits()
{
    return 1;
}

void gameMainEntryPoint()
{
    RunWinMain();
}

int gameMainTick()
{
    return GameMainTick();
}

// The loop also ends without the window's destroy message (the host's own quit): what ShutDown
// releases is released then.
void gameMainShutdown()
{
    if (!isShutDown)
        ShutDown();
}

void gameSystemCleanup() { }

int gameQuitRequested(int)
{
    Ravel::defaultGameQuitHandler();
}
