// The game clock's periodic timer on the platform host: a host timer, run by the host's event poll on
// the main thread between frames.
#include "app/host_timer_service.h"

#include <cstdint>

#include "events/game_clock.h"
#include "platform/host/host_timers.h"

#include "foundation/safeguards.h"

struct CRZLoopTimer {
    int id = 0;
};

namespace {

class CHostTimerService : public CRZTimerService {
public:
    CRZLoopTimer* Install(
        CRZLoopTimerProc proc, void* userData, uint32_t firstDelayMs, uint32_t periodMs) override
    {
        if (proc == nullptr)
            return nullptr;
        auto* timer = new CRZLoopTimer;
        timer->id = Ravel::HostTimers::add(
            firstDelayMs, periodMs, [proc, timer, userData] { proc(timer, userData); });
        return timer;
    }

    void Remove(CRZLoopTimer* timer) override
    {
        if (timer == nullptr)
            return;
        Ravel::HostTimers::remove(timer->id);
        delete timer;
    }
};

} // namespace

CRZTimerService* GetHostTimerService()
{
    static CHostTimerService service;
    return &service;
}
