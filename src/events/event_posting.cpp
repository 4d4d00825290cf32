// The posting operations and the host rule: the host decides, a client only asks, and single player
// is always the host, so it never sends.
#include "events/event_posting.h"

#include "events/event_hooks.h"
#include "events/event_scheduler.h"

#include "foundation/safeguards.h"

namespace {

// Where a to-host request takes effect: on the host here, on a client only on the network.
void AddressToHost(CRZEvent* event)
{
    event->SetLocal(false);
    if (IsHostMachine())
        event->SetLocal(true);
    else
        event->SetSend(true);
}

CRZReturnType ProcessAndDelete(CRZEvent* event)
{
    const CRZReturnType answer = event->Process();
    delete event;
    return answer;
}

} // namespace

void PostLocalEvent(CRZEvent* event)
{
    gEventScheduler.Push(event, true);
}

void PostGlobalEvent(CRZEvent* event)
{
    if (event == nullptr)
        return;
    event->SetSend(true);
    event->SetLocal(true);
    gEventScheduler.Push(event, true);
}

void PostToHostEvent(CRZEvent* event)
{
    if (event == nullptr)
        return;
    event->SetSend(false);
    AddressToHost(event);
    gEventScheduler.Push(event, true);
}

void PostExternalEvent(CRZEvent* event)
{
    if (event == nullptr)
        return;
    event->SetSend(true);
    event->SetLocal(false);
    ProcessAndDelete(event);
}

void ScheduleLocalEvent(CRZEvent* event, const CDate& date)
{
    if (event == nullptr)
        return;
    event->SetSend(false);
    event->SetLocal(true);
    event->SetDate(date);
    gEventScheduler.Push(event, false);
}

CRZReturnType ProcessLocalEvent(CRZEvent* event)
{
    return event ? ProcessAndDelete(event) : 0;
}

CRZReturnType ProcessGlobalEvent(CRZEvent* event)
{
    if (event == nullptr)
        return 0;
    event->SetSend(true);
    event->SetLocal(true);
    return ProcessAndDelete(event);
}

CRZReturnType ProcessToHostEvent(CRZEvent* event)
{
    if (event == nullptr)
        return 0;
    AddressToHost(event);
    return ProcessAndDelete(event);
}
