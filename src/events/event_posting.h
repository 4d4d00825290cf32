// The posting operations: each takes a newly built event and ownership of it, sets where the event
// takes effect (here, on every machine, on the host) and queues it or processes it at once.
#pragma once

#include "events/event.h"
#include "foundation/calendar_date.h"

// Queued, flags as they are: an event as built takes effect here only; one rebuilt from the network
// is not sent again.
void PostLocalEvent(CRZEvent* event);
// Queued; takes effect here and a copy goes to every other machine.
void PostGlobalEvent(CRZEvent* event);
// Queued; a request for the host: the host runs it and sends nothing, a client only sends it.
void PostToHostEvent(CRZEvent* event);
// Sent to the other machines at once and never delivered here; deleted before it returns.
void PostExternalEvent(CRZEvent* event);
// Takes effect here when the game date reaches date; a date before day 1 of year 0 runs it with the
// next undated events.
void ScheduleLocalEvent(CRZEvent* event, const CDate& date);

// Processed at once with the flags of the matching Post operation; the event is deleted before the
// routing's answer is returned.
CRZReturnType ProcessLocalEvent(CRZEvent* event);
CRZReturnType ProcessGlobalEvent(CRZEvent* event);
CRZReturnType ProcessToHostEvent(CRZEvent* event);
