// The host lock, held by the main thread while the game runs, and sleeping without delivering events.
#include "platform/host/os_access.h"

#include <chrono>
#include <cstdlib>
#include <mutex>
#include <thread>

#include "platform/display/basic_hwnd_imp.h"

#include "foundation/safeguards.h"

namespace Ravel {

namespace {

std::recursive_mutex gAppLock;

} // namespace

void giveOSTime(long milliseconds)
{
    if (milliseconds <= 0)
        return;
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void beginOSAccess()
{
    gAppLock.lock();
}

void endOSAccess()
{
    gAppLock.unlock();
}

void startWaitState()
{
    if (BasicHWNDImpOBJC* wrapper = Ravel::getGameWindowWrapper())
        wrapper->startWaitState();
}

void defaultGameQuitHandler()
{
    std::_Exit(1);
}

} // namespace Ravel
