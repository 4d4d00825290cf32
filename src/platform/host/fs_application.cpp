// Event routing of the application object: what the host acts on itself, and what goes to the game.
#include "platform/host/fs_application.h"

#include <SDL.h>

#include "platform/display/basic_hwnd_imp.h"
#include "platform/display/scrolly_about_box.h"
#include "platform/host/host_timers.h"

#include "foundation/safeguards.h"

namespace Ravel {

int gNormalEvents = 1;
int gIsGameFrontmost = 1;

namespace {

ApplicationDelegate* gDelegate = nullptr;

} // namespace

ApplicationDelegate* FSApplication::delegate()
{
    return gDelegate;
}

void FSApplication::setDelegate(ApplicationDelegate* delegate)
{
    gDelegate = delegate;
}

bool FSApplication::nextEvent(SDL_Event* event)
{
    HostTimers::runDue();
    ScrollyAboutBox::PumpDialogs();
    return SDL_PollEvent(event) == 1;
}

void FSApplication::sendEvent(const SDL_Event& event)
{
    ApplicationDelegate* delegate = gDelegate;
    if (event.type == SDL_QUIT) {
        if (delegate)
            delegate->terminate();
        return;
    }
    if (event.type == SDL_WINDOWEVENT) {
        switch (event.window.event) {
        case SDL_WINDOWEVENT_CLOSE:
            if (delegate)
                delegate->terminate();
            return;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            if (delegate)
                delegate->applicationDidBecomeActive();
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            if (delegate)
                delegate->applicationWillResignActive();
            break;
        case SDL_WINDOWEVENT_MINIMIZED:
            if (delegate)
                delegate->applicationWillHide();
            break;
        case SDL_WINDOWEVENT_RESTORED:
            if (delegate)
                delegate->applicationDidUnhide();
            break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            if (BasicHWNDImpOBJC* wrapper = getGameWindowWrapper())
                wrapper->updateViewport();
            break;
        default:
            break;
        }
    }
    if (delegate) {
        if (GameResponder* responder = delegate->getGameResponder())
            responder->handleEvent(event);
    }
}

} // namespace Ravel
