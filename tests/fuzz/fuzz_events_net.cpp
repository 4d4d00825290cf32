// Fuzzes the receiving side of the event system: any bytes taken as a received record must be
// rebuilt into the right class or dropped, and a rebuilt event must read only bytes it holds.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "events/event_factory.h"
#include "events/net_event.h"

#include "foundation/safeguards.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CRZNetEvent net(data, static_cast<uint32_t>(size > kMaxNetRecordSize ? kMaxNetRecordSize : size));
    std::unique_ptr<CRZEvent> event(BuildEventFromNetwork(&net));
    if (!event)
        return 0;
    // Every byte the event claims is read, as the packer would, and copied on as a sender would.
    const auto* record = reinterpret_cast<const uint8_t*>(event->GetData());
    volatile uint8_t sum = 0;
    for (uint32_t i = 0; i < event->GetDataSize(); ++i)
        sum = static_cast<uint8_t>(sum + record[i]);
    CRZNetEvent again(event.get());
    return again.GetDataSize() == event->GetDataSize() ? 0 : 1;
}
