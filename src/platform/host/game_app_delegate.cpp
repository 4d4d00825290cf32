// The application delegate: launch, update check, data folders, the game loop and termination.
#include "platform/host/game_app_delegate.h"

#include <SDL.h>
#include <chrono>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <stdexcept>
#include <thread>

#include "platform/display/basic_hwnd_imp.h"
#include "platform/elements/filename_utils.h"
#include "platform/elements/logging.h"
#include "platform/elements/prefs.h"
#include "platform/elements/rv_assert.h"
#include "platform/host/fs_application.h"
#include "platform/host/host_hooks.h"
#include "platform/host/update_service.h"
#include "platform/host/window_message_queue.h"
#include "platform/win/win_time.h"

#include "foundation/safeguards.h"

namespace Ravel {

namespace {

Logging gLog("code", sourceFileBaseName(__FILE__), Logging::kError);
GameAppDelegate* gAppDelegate = nullptr;
NoUpdateService gNoUpdateService;

// The lines that the system log receives whatever the logging preferences say.
void SystemLog(const char* format, ...) __attribute__((format(printf, 1, 2)));
void SystemLog(const char* format, ...)
{
    char text[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    std::size_t length = std::strlen(text);
    const char* end = length > 0 && text[length - 1] == '\n' ? "" : "\n";
    std::fprintf(stderr, "vellmark: %s%s", text, end);
}

bool SameVersion(const char* a, const char* b)
{
    return a && b && std::strcmp(a, b) == 0;
}

} // namespace

GameAppDelegate::GameAppDelegate() = default;

GameAppDelegate::~GameAppDelegate()
{
    if (gAppDelegate == this) {
        gAppDelegate = nullptr;
        FSApplication::setDelegate(nullptr);
    }
    if (mHoldsAppLock) {
        mHoldsAppLock = false;
        endOSAccess();
    }
}

GameAppDelegate* GameAppDelegate::getMain()
{
    return gAppDelegate;
}

int GameAppDelegate::applicationDidFinishLaunching()
{
    gAppDelegate = this;
    FSApplication::setDelegate(this);
    mGameWindow = nullptr;
    mGameResponder = nullptr;
    Windows::initPerformanceCounter();
    if (gameSystemInits() == 0) {
        gLog.error(std::runtime_error("gameSystemInits failed: the game cannot start"));
        std::fprintf(stderr, "vellmark: the game could not be initialised\n");
        return 1;
    }
    mGameQuitThrown = false;
    mAppQuitThrown = false;
    mThreadDone = true;
    beginOSAccess();
    mHoldsAppLock = true;
    mainWinThreadProc();
    return 0;
}

void GameAppDelegate::mainWinThreadProc()
{
    gameThread = pthread_self();
    mHasGameThread = true;
    SystemLog("Checking for newer version on the server:");
    checkForUpdates();
    if (mAppQuitThrown)
        return;
    mThreadDone = false;
    CreateDataDirs();
    gNormalEvents = 0;
    gameMainEntryPoint();

    // Nothing clicked or typed while the game loaded may reach its first frame.
    Windows::clearWindowMessages();
    SDL_FlushEvents(SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP);

    SDL_Event event;
    for (;;) {
        if (mAppQuitThrown)
            break;
        if (FSApplication::nextEvent(&event)) {
            FSApplication::sendEvent(event);
            continue;
        }
        if (gameMainTick() == 0)
            break;
    }
    gameMainShutdown();
    quitGameThread();
    // The user's quit ended the loop: the termination goes on now that the game has shut down.
    finishTermination();
}

void GameAppDelegate::setUpdateService(UpdateService* service)
{
    mUpdateService = service;
}

void GameAppDelegate::checkForUpdates()
{
    mGotUpdatesResponse = false;
    UpdateService& service = mUpdateService ? *mUpdateService : gNoUpdateService;
    service.checkForUpdatesInBackground(*this);
    auto start = std::chrono::steady_clock::now();
    SDL_Event event;
    for (;;) {
        bool delivered = FSApplication::nextEvent(&event);
        if (delivered)
            FSApplication::sendEvent(event);
        if (mAppQuitThrown)
            return;
        if (mGotUpdatesResponse)
            break;
        std::chrono::duration<double> waited = std::chrono::steady_clock::now() - start;
        if (waited.count() >= mUpdateWaitSeconds) {
            SystemLog(
                "The game could not contact the updates URL. There may be an undetected newer version of "
                "the game online.\n");
            return;
        }
        if (!delivered)
            giveOSTime(1);
    }
    if (!mIsNewerVersion) {
        SystemLog("The newest game version available is the same as current version. Not updating.");
        return;
    }
    char skipped[128] = {};
    int size = sizeof skipped;
    Prefs::GetInstance().get("updates", "SUSkippedVersionKey", skipped, &size, "", false);
    if (SameVersion(skipped, mNewestVersionString)) {
        SystemLog("The newest version was set to be skipped by the user. Not updating.");
        return;
    }
    SystemLog("Starting update dialog...");
    service.startUpdater();
    while (!service.finishedWithWindow() && !mAppQuitThrown) {
        if (FSApplication::nextEvent(&event))
            FSApplication::sendEvent(event);
        else
            giveOSTime(1);
    }
}

void GameAppDelegate::statusChecker(const char* newestVersion, bool isNewVersion)
{
    mNewestVersionString[0] = '\0';
    mIsNewerVersion = false;
    if (newestVersion) {
        if (isNewVersion)
            SystemLog("Newest game version: %s, is newer than current version.", newestVersion);
        else
            SystemLog("Newest game version: %s, is current. No need to update.", newestVersion);
        std::snprintf(mNewestVersionString, sizeof mNewestVersionString, "%s", newestVersion);
        mIsNewerVersion = isNewVersion;
    }
    mGotUpdatesResponse = true;
}

void GameAppDelegate::terminate()
{
    if (!applicationShouldTerminate())
        return;
    // A running game unwinds through its loop first; the loop finishes the termination.
    if (!mThreadDone)
        return;
    finishTermination();
}

bool GameAppDelegate::applicationShouldTerminate()
{
    mAppQuitThrown = true;
    if (!mThreadDone && !mGameQuitThrown) {
        if (gameQuitRequested(0) == 0) {
            mAppQuitThrown = false;
            mGameQuitThrown = false;
            return false;
        }
        mGameQuitThrown = true;
    }
    return true;
}

void GameAppDelegate::applicationWillTerminate()
{
    mAppQuitThrown = true;
    if (!mThreadDone && !mGameQuitThrown) {
        gameQuitRequested(1);
        mGameQuitThrown = true;
    }
    if (mHoldsAppLock) {
        mHoldsAppLock = false;
        endOSAccess();
    }
    gameSystemCleanup();
}

void GameAppDelegate::finishTermination()
{
    applicationWillTerminate();
    if (BasicHWNDImpOBJC* wrapper = Ravel::getGameWindowWrapper()) {
        wrapper->close();
        delete wrapper;
    }
    SDL_Quit();
    std::exit(0);
}

void GameAppDelegate::quitGameThread()
{
    mThreadDone = true;
    if (BasicHWNDImpOBJC* wrapper = Ravel::getGameWindowWrapper()) {
        wrapper->close();
        delete wrapper;
    }
    if (!mAppQuitThrown) {
        SDL_Quit();
        std::_Exit(0);
    }
}

void GameAppDelegate::applicationDidBecomeActive()
{
    gIsGameFrontmost = 1;
}

void GameAppDelegate::applicationWillResignActive()
{
    gIsGameFrontmost = 0;
}

void GameAppDelegate::applicationWillHide()
{
    if (gWindowedMode != 0)
        return;
    if (BasicHWNDImpOBJC* wrapper = Ravel::getGameWindowWrapper())
        wrapper->startTemporaryWindowedMode();
}

void GameAppDelegate::applicationDidUnhide()
{
    if (gWindowedMode != 0)
        return;
    if (BasicHWNDImpOBJC* wrapper = Ravel::getGameWindowWrapper())
        wrapper->doneTemporaryWindowedMode();
}

BasicHWNDImpOBJC* GameAppDelegate::getGameWindowWrapper()
{
    return Ravel::getGameWindowWrapper();
}

SDL_Window* GameAppDelegate::getGameWindow()
{
    if (mGameWindow)
        return mGameWindow;
    BasicHWNDImpOBJC* wrapper = Ravel::getGameWindowWrapper();
    return wrapper ? wrapper->getGameWindow() : nullptr;
}

GameResponder* GameAppDelegate::getGameResponder()
{
    return mGameResponder;
}

bool GameAppDelegate::isMainThread() const
{
    return mHasGameThread && pthread_equal(pthread_self(), gameThread) != 0;
}

void GameAppDelegate::idle()
{
    endOSAccess();
    giveOSTime(100);
    beginOSAccess();
}

} // namespace Ravel
