// The update check's service without a server behind it.
#include "platform/host/update_service.h"

#include "platform/host/game_app_delegate.h"

#include "foundation/safeguards.h"

namespace Ravel {

void NoUpdateService::checkForUpdatesInBackground(GameAppDelegate& delegate)
{
    delegate.statusChecker(kRunningVersion, false);
}

} // namespace Ravel
