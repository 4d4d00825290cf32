// The event object: record storage, delivery to a receiver of each kind, and its processing, which is
// the routing's.
#include "events/event.h"

#include "events/event_routing.h"
#include "foundation/identity.h"

#include "foundation/safeguards.h"

CRZEvent::CRZEvent(uint8_t* inStorage, std::size_t headOffset)
    : storage(inStorage)
    , data(reinterpret_cast<CRZEventData*>(inStorage + headOffset))
{
}

CRZEvent::~CRZEvent()
{
    delete[] storage;
}

uint8_t* CRZEvent::AllocateRecord(std::size_t size)
{
    return new uint8_t[size]();
}

CRZReturnType CRZEvent::UpdateObject(CIdentity* receiver)
{
    return receiver->Update(this);
}

CRZReturnType CRZEvent::UpdateObject(CRZStaticObject* receiver)
{
    return receiver->Update(this);
}

CRZReturnType CRZEvent::UpdateObject(CRZDynamicObject* receiver)
{
    return receiver->Update(this);
}

CRZReturnType CRZEvent::Process()
{
    return RouteEvent(this);
}

namespace {

// Lexicographic over (year, month, day), each signed, as the date's own comparisons order them.
int CompareDates(const CDate& a, const CDate& b)
{
    if (a.year != b.year)
        return a.year < b.year ? -1 : 1;
    if (a.month != b.month)
        return a.month < b.month ? -1 : 1;
    return a.day == b.day ? 0 : (a.day < b.day ? -1 : 1);
}

} // namespace

bool operator<(const CRZEvent& a, const CRZEvent& b)
{
    return CompareDates(a.GetData()->date.date, b.GetData()->date.date) < 0;
}

bool operator<=(const CRZEvent& a, const CRZEvent& b)
{
    return CompareDates(a.GetData()->date.date, b.GetData()->date.date) <= 0;
}
