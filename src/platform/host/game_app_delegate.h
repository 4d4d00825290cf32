// The application delegate: the launch sequence, the update check, the data folders and the game loop
// that alternates between delivering platform events and running one game frame, and the quit rules.
#pragma once

#include <pthread.h>

#include "platform/host/fs_application.h"

struct SDL_Window;

namespace Ravel {

class BasicHWNDImpOBJC;
class UpdateService;

class GameAppDelegate : public ApplicationDelegate {
public:
    GameAppDelegate();
    ~GameAppDelegate() override;
    GameAppDelegate(const GameAppDelegate&) = delete;
    GameAppDelegate& operator=(const GameAppDelegate&) = delete;

    // The delegate that is launching or running; null before launch.
    static GameAppDelegate* getMain();

    // The launch sequence and the game loop. Returns only when launching failed (the answer is the
    // process's exit status); otherwise the process ends inside: 0 when the game ends itself or the
    // user quits before it starts, 1 when the user quits while it runs.
    int applicationDidFinishLaunching();
    void mainWinThreadProc();
    // Waits at most 5.0 s for the update service's answer, delivering events meanwhile.
    void checkForUpdates();
    // The update service's answer: the newest version (null when none was found) and whether it is newer.
    void statusChecker(const char* newestVersion, bool isNewVersion);

    // The user asked the application to quit (window closed, quit event). Ends the process when no game
    // runs; while the game runs asks its quit hook, and when the hook lets the game go on living,
    // the loop ends at its next pass and the termination finishes after the game's shut-down.
    void terminate() override;
    // True: terminate now; false: the game refused.
    bool applicationShouldTerminate();
    void applicationWillTerminate();
    // Ends the game: closes the window and, when the game ended by itself, the process with status 0.
    void quitGameThread();

    void applicationDidBecomeActive() override;
    void applicationWillResignActive() override;
    // Leave and re-enter fullscreen while the application is hidden, in fullscreen play only.
    void applicationWillHide() override;
    void applicationDidUnhide() override;

    BasicHWNDImpOBJC* getGameWindowWrapper();
    SDL_Window* getGameWindow();
    GameResponder* getGameResponder() override;
    void setGameWindow(SDL_Window* window) { mGameWindow = window; }
    void setGameResponder(GameResponder* responder) { mGameResponder = responder; }
    bool isMainThread() const;
    // Lets other threads take the host lock for 100 ms.
    void idle();

    // Replaces the update service (not owned); null restores the built-in one.
    void setUpdateService(UpdateService* service);

    bool threadDone() const { return mThreadDone; }
    bool appQuitThrown() const { return mAppQuitThrown; }
    bool gotUpdatesResponse() const { return mGotUpdatesResponse; }
    bool isNewerVersion() const { return mIsNewerVersion; }
    const char* newestVersionString() const { return mNewestVersionString; }

    // Seconds the update check waits for an answer before the game starts anyway (5; tests shorten it).
    void setUpdateWaitSeconds(double seconds) { mUpdateWaitSeconds = seconds; }

private:
    void finishTermination();

    bool mThreadDone = true;
    bool mAppQuitThrown = false;
    bool mGameQuitThrown = false;
    bool mHoldsAppLock = false;
    double mUpdateWaitSeconds = 5.0;
    SDL_Window* mGameWindow = nullptr;
    GameResponder* mGameResponder = nullptr;
    pthread_t gameThread {};
    bool mHasGameThread = false;
    bool mGotUpdatesResponse = false;
    bool mIsNewerVersion = false;
    char mNewestVersionString[128] {};
    UpdateService* mUpdateService = nullptr;
};

} // namespace Ravel

#include "platform/host/os_access.h"
