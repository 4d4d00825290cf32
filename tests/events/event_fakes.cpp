// Test doubles of the multiplayer session and the routing.
#include "event_fakes.h"

#include "events/event_scheduler.h"
#include "events/net_event.h"

#include "foundation/safeguards.h"

std::vector<uint32_t> EventTest::delivered;
void (*EventTest::onDeliver)(CRZEvent* event) = nullptr;

void CFakeSession::SendEvent(CRZNetEvent* event)
{
    sentTypes.push_back(event->GetType());
    const uint8_t* bytes = event->GetRecordBytes();
    sentRecords.emplace_back(bytes, bytes + event->GetDataSize());
}

namespace {

CRZReturnType RecordDelivery(CRZEvent* event)
{
    EventTest::delivered.push_back(event->GetType());
    if (EventTest::onDeliver != nullptr)
        EventTest::onDeliver(event);
    return 1;
}

} // namespace

void EventTest::SetUp()
{
    delivered.clear();
    onDeliver = nullptr;
    SetEventDelivery(&RecordDelivery);
    SetEventSession(nullptr);
    gEventScheduler.SetClockDate(&clock);
}

void EventTest::TearDown()
{
    gEventScheduler.Erase();
    gEventScheduler.EmptyInputList();
    gEventScheduler.SetClockDate(nullptr);
    SetEventSession(nullptr);
    SetEventDelivery(nullptr);
    onDeliver = nullptr;
}
