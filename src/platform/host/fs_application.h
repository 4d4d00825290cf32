// The application object: takes platform events without waiting and routes each one to the host
// (quit, activation, hiding, resizing) or to the object that receives the game's input.
#pragma once

union SDL_Event;

namespace Ravel {

// Receives the input events of the game window (the game view).
class GameResponder {
public:
    virtual ~GameResponder() = default;
    virtual void handleEvent(const SDL_Event& event) = 0;
};

// What the application object asks of its delegate; the delegate of the game is GameAppDelegate.
class ApplicationDelegate {
public:
    virtual ~ApplicationDelegate() = default;
    // The user asked the application to quit (window closed, quit event).
    virtual void terminate() = 0;
    virtual void applicationDidBecomeActive() = 0;
    virtual void applicationWillResignActive() = 0;
    virtual void applicationWillHide() = 0;
    virtual void applicationDidUnhide() = 0;
    virtual GameResponder* getGameResponder() = 0;
};

// 1 (the start value): events are dispatched the ordinary way; 0: game event routing.
extern int gNormalEvents;
// 1 while the application is active, 0 after it resigned active.
extern int gIsGameFrontmost;

class FSApplication {
public:
    // Runs the host timers and the dialogs' pending work, then takes one pending event into *event
    // without waiting; false when none is pending.
    static bool nextEvent(SDL_Event* event);
    // Delivers one event.
    static void sendEvent(const SDL_Event& event);
    // The delegate that receives the application's notifications; null before launch.
    static ApplicationDelegate* delegate();
    static void setDelegate(ApplicationDelegate* delegate);
};

} // namespace Ravel
