// The game clock's periodic timer on the platform host: until the host offers its timers, none.
#include "events/game_clock.h"

#include "foundation/safeguards.h"

CRZTimerService* GetHostTimerService()
{
    return nullptr;
}
