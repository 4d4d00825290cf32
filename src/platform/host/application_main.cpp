// Process start of the platform: SDL, then the application delegate.
#include "platform/host/application_main.h"

#include <SDL.h>
#include <cstdio>

#include "platform/host/game_app_delegate.h"
#include "platform/host/headless.h"

#include "foundation/safeguards.h"

namespace Ravel {

int ApplicationMain(int, char**)
{
    // A fullscreen game that loses focus stays in place; hiding is the host's own decision.
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    DecideHeadless();
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "vellmark: cannot start the video system: %s\n", SDL_GetError());
        return 1;
    }
    static GameAppDelegate delegate;
    int status = delegate.applicationDidFinishLaunching();
    SDL_Quit();
    return status;
}

} // namespace Ravel
