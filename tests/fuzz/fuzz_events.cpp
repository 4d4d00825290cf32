// libFuzzer target over the receiving side's rebuild of events: any type, any claimed size and any
// record bytes must end in a rebuilt event that can be read and sent again, or a logged refusal; never
// a read past the bytes that arrived.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "events/event_factory.h"
#include "events/net_event.h"
#include "events/record_class_rows.h"
#include "fuzz_net_event.h"

#include "foundation/safeguards.h"

namespace {

// Reads every element a variable-size event says it holds, as a handler would.
uint64_t WalkLists(CRZEvent* event)
{
    uint64_t sum = 0;
    if (auto* chat = dynamic_cast<CRZChatEvent*>(event))
        sum += std::strlen(chat->GetText());
    if (auto* options = dynamic_cast<CRZOptionsEvent*>(event))
        for (uint32_t i = 0; i < options->GetCount(); ++i)
            sum += static_cast<uint32_t>(options->GetFlag(i));
    if (auto* path = dynamic_cast<CRZUnitMovePathEvent*>(event))
        for (uint32_t i = 0; i < path->GetCount(); ++i)
            sum += path->GetProvince(i);
    if (auto* peace = dynamic_cast<CRZPeaceRequestEvent*>(event))
        for (int group = 0; group < 4; ++group)
            for (uint32_t i = 0; i < peace->GetClaimCount(CRZPeaceRequestEvent::Group(group)); ++i)
                sum += peace->GetClaim(CRZPeaceRequestEvent::Group(group), i).number;
    if (auto* inherit = dynamic_cast<CRZInheritEvent*>(event))
        for (int group = 0; group < 3; ++group)
            for (uint32_t i = 0; i < inherit->GetCount(CRZInheritEvent::Group(group)); ++i)
                sum += inherit->GetIdentity(CRZInheritEvent::Group(group), i).number;
    if (auto* won = dynamic_cast<CRZBattleWonEvent*>(event))
        for (uint32_t i = 0; i < won->GetCount(); ++i)
            sum += static_cast<uint32_t>(won->GetRealm(i));
    if (auto* created = dynamic_cast<CRZCreateCountryEvent*>(event))
        for (uint32_t i = 0; i < created->GetCount(); ++i)
            sum += static_cast<uint32_t>(created->GetProvince(i));
    return sum;
}

} // namespace

// Input: u16 type, u16 claimed record size, then the record's bytes after its type word.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CRZEvent* event = BuildFuzzedEvent(data, size);
    if (event == nullptr)
        return 0;
    volatile uint64_t sink = WalkLists(event) + event->GetSender().number + std::strlen(event->GetName());
    (void)sink;
    // Sent on: the copy reads GetDataSize() bytes of the rebuilt record.
    CRZNetEvent again(event);
    CRZEvent* echo = BuildEventFromNetwork(&again);
    if (echo != nullptr && echo->GetDataSize() != event->GetDataSize())
        __builtin_trap();
    delete echo;
    delete event;
    return 0;
}
