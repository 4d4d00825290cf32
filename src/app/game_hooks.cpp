// The game's side of the host: the hooks through which the platform starts the game, runs its frames
// and ends it. For now the game opens its window and shows an empty frame.
#include <cstdio>
#include <cstdlib>

#include "platform/display/basic_hwnd_imp.h"
#include "platform/host/game_app_delegate.h"
#include "platform/host/host_hooks.h"
#include "platform/win/win32.h"

#include "foundation/safeguards.h"

namespace {

constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;

Ravel::BasicHWNDImpOBJC* gMainWindow = nullptr;

} // namespace

int gameSystemInits()
{
    return 1;
}

void gameMainEntryPoint()
{
    gWindowedMode = 1;
    gMainWindow = new Ravel::BasicHWNDImpOBJC(kScreenWidth, kScreenHeight, "Vellmark");
    if (gMainWindow->openOnAdapter(0, kScreenWidth, kScreenHeight, 32, gWindowedMode == 0)
        != Windows::DD_OK) {
        std::fprintf(stderr,
            "Vellmark: Error Creating Window! The game window or its OpenGL context could not "
            "be made; see the messages above.\n");
        delete gMainWindow;
        gMainWindow = nullptr;
        std::exit(1);
    }
}

int gameMainTick()
{
    Windows::Sleep(10);
    if (Ravel::BasicHWNDImpOBJC* window = Ravel::getGameWindowWrapper())
        window->clearFrame();
    Ravel::presentScreen();
    return 1;
}

void gameMainShutdown() { }

void gameSystemCleanup() { }

int gameQuitRequested(int)
{
    Ravel::defaultGameQuitHandler();
}
