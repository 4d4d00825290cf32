// The helpers the catalogue's event constructors share: bounded names, refusals, local-only copies.
#include "events/record_event.h"

#include "events/generic_events.h"

#include <cstdio>

#include "foundation/safeguards.h"

bool CopyRecordName(char* field, std::size_t size, const char* text)
{
    const int written = snprintf(field, size, "%s", text != nullptr ? text : "");
    return written >= 0 && static_cast<std::size_t>(written) < size;
}

void RefuseEvent(CRZEvent* event, const char* why)
{
    fprintf(stderr, "Refused event %u (%s): %s\n", static_cast<unsigned>(event->GetType()), event->GetName(),
        why);
    event->GetData()->receiver = NOID;
}

void KeepEventLocal(CRZEvent* event)
{
    if (!event->GetSend())
        return;
    fprintf(stderr,
        "Event %u (%s) stays on this machine: its record is shorter than the one the others rebuild\n",
        static_cast<unsigned>(event->GetType()), event->GetName());
    event->SetSend(false);
}

CRZReturnType CRZGenericEvent::Process()
{
    if (GetType() == _CRZEVT_UNPAUSE_)
        KeepEventLocal(this);
    return CRZEventTemplate::Process();
}

CRZReturnType CRZResourceEvent::Process()
{
    if (GetType() == _CRZEVT_PRESTIGE_)
        KeepEventLocal(this);
    return CRZOneValueEvent::Process();
}
