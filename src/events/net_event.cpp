// The network copy of an event and its sending through the multiplayer session.
#include "events/net_event.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "events/event_hooks.h"

#include "foundation/safeguards.h"

namespace {

uint32_t CarriedSize(CRZEvent* event)
{
    const uint32_t size = event->GetDataSize();
    if (size <= kMaxNetRecordSize)
        return size;
    fprintf(stderr, "Event %u (%s) of %u bytes is too large to send\n",
        static_cast<unsigned>(event->GetType()), event->GetName(), static_cast<unsigned>(size));
    return 0;
}

} // namespace

uint8_t* CRZNetEvent::NewBuffer(uint32_t size)
{
    return AllocateRecord(std::max<uint32_t>(size, sizeof(CRZEventData)) + 4);
}

CRZNetEvent::CRZNetEvent(uint8_t* inStorage, const void* record, uint32_t size)
    : CRZEvent(inStorage, 4)
    , buffer(inStorage)
{
    const uint16_t word = static_cast<uint16_t>(size + 2);
    std::memcpy(buffer, &word, sizeof(word));
    if (size > 0)
        std::memcpy(buffer + 4, record, size);
}

CRZNetEvent::CRZNetEvent(CRZEvent* event)
    : CRZNetEvent(static_cast<const void*>(event->GetData()), CarriedSize(event))
{
}

CRZNetEvent::CRZNetEvent(const void* record, uint32_t size)
    : CRZNetEvent(NewBuffer(std::min(size, kMaxNetRecordSize)), record, std::min(size, kMaxNetRecordSize))
{
}

uint32_t CRZNetEvent::GetDataSize() const
{
    uint16_t word;
    std::memcpy(&word, buffer, sizeof(word));
    return static_cast<uint32_t>(word) - 2u;
}

CRZReturnType CRZNetEvent::Process()
{
    CEventSession* session = GetEventSession();
    if (session != nullptr && session->IsOpen() && GetDataSize() >= sizeof(CRZEventData))
        session->SendEvent(this);
    return 0;
}
