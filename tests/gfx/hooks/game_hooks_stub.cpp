// The host hooks the platform layer links against, compiled into each graphics test program: these
// programs never run a game.
#include "platform/host/host_hooks.h"
#include "platform/input/window_messages.h"

#include "foundation/safeguards.h"

Windows::LRESULT gameWindProc(Windows::HWND, Windows::UINT, Windows::WPARAM, Windows::LPARAM)
{
    return 0;
}

int gameSystemInits()
{
    return 1;
}

void gameMainEntryPoint() { }

int gameMainTick()
{
    return 0;
}

void gameMainShutdown() { }

void gameSystemCleanup() { }

int gameQuitRequested(int)
{
    return 0;
}
