// The posting operations and the host rule: the host decides, a client only asks, and single player
// is always the host, so it never sends.
#include "events/event_posting.h"

#include "events/event_hooks.h"
#include "events/event_scheduler.h"

#include "foundation/safeguards.h"

namespace {

void SetFlags(CRZEvent* event, bool send, bool local)
{
    event->SetSend(send);
    event->SetLocal(local);
}

// A to-host request takes effect here on the host and is only sent from a client; the send flag an
// event already carries is kept on the host.
void AddressToHost(CRZEvent* event)
{
    const bool host = IsHostMachine();
    SetFlags(event, event->GetSend() || !host, host);
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
    if (event != nullptr)
        SetFlags(event, true, true);
    gEventScheduler.Push(event, true);
}

void PostToHostEvent(CRZEvent* event)
{
    if (event != nullptr) {
        event->SetSend(false);
        AddressToHost(event);
    }
    gEventScheduler.Push(event, true);
}

void PostExternalEvent(CRZEvent* event)
{
    if (event == nullptr)
        return;
    SetFlags(event, true, false);
    ProcessAndDelete(event);
}

void ScheduleLocalEvent(CRZEvent* event, const CDate& date)
{
    if (event == nullptr)
        return;
    SetFlags(event, false, true);
    event->SetDate(date);
    gEventScheduler.Push(event, false);
}

CRZReturnType ProcessLocalEvent(CRZEvent* event)
{
    return event != nullptr ? ProcessAndDelete(event) : 0;
}

CRZReturnType ProcessGlobalEvent(CRZEvent* event)
{
    if (event == nullptr)
        return 0;
    SetFlags(event, true, true);
    return ProcessAndDelete(event);
}

CRZReturnType ProcessToHostEvent(CRZEvent* event)
{
    if (event == nullptr)
        return 0;
    AddressToHost(event);
    return ProcessAndDelete(event);
}
