// libFuzzer target over the tag change's rewriting of waiting events: any scheduler contents rebuilt from
// network copies, any old and new number, must be rewritten within each record's own bytes and leave
// every event readable, never a read or write past a record.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "events/event_factory.h"
#include "events/event_scheduler.h"
#include "events/net_event.h"
#include "events/variable_events.h"
#include "realms/country.h"

#include "foundation/safeguards.h"

namespace {

uint16_t Half(const uint8_t*& data, size_t& size)
{
    uint16_t value = 0;
    const size_t n = std::min<size_t>(2, size);
    std::memcpy(&value, data, n);
    data += n;
    size -= n;
    return value;
}

} // namespace

// Input: u16 old number, u16 new number, then events: u16 type, u16 record size, the record's bytes
// after its type word.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const int32_t from = Half(data, size);
    const int32_t to = Half(data, size);
    for (int events = 0; size >= 4 && events < 64; ++events) {
        const uint32_t type = Half(data, size);
        const uint16_t recordSize = Half(data, size);
        std::vector<uint8_t> record(recordSize, 0);
        if (!record.empty())
            std::memcpy(record.data(), &type, std::min<size_t>(4, record.size()));
        const size_t taken = record.size() > 4 ? std::min(size, record.size() - 4) : 0;
        if (taken > 0)
            std::memcpy(record.data() + 4, data, taken);
        data += taken;
        size -= taken;
        CRZNetEvent net(record.data(), recordSize);
        if (CRZEvent* event = BuildEventFromNetwork(&net))
            gEventScheduler.Push(event, true);
    }

    CRZCountry::FromCountry = CountryIdentity(from);
    CRZCountry::ToCountry = CountryIdentity(to);
    CRZCountry::global_from = from;
    CRZCountry::global_to = to;
    gEventScheduler.ForEach(&CRZCountry::ReDirectEvents2);

    // Every rewritten event still reads as its class and can be sent again.
    uint64_t sum = 0;
    gEventScheduler.ForEach([&](CRZEvent* event) {
        if (auto* won = dynamic_cast<CRZBattleWonEvent*>(event))
            for (uint32_t i = 0; i < won->GetCount(); ++i)
                sum += static_cast<uint32_t>(won->GetRealm(i));
        CRZNetEvent again(event);
        delete BuildEventFromNetwork(&again);
    });
    volatile uint64_t sink = sum;
    (void)sink;
    gEventScheduler.Erase();
    return 0;
}
