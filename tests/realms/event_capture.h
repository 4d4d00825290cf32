// Test helper: every event this machine delivers is kept (type, receiver and record bytes) instead of
// reaching a receiver, so a test sees what an action posted or a server issued.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

#include "events/event.h"
#include "events/event_hooks.h"
#include "events/event_scheduler.h"

struct CCapturedEvent {
    CRZEvtType type;
    CRZID receiver;
    std::vector<uint8_t> record;

    // The record read as Data; the test has checked the type first.
    template <class Data> Data As() const
    {
        Data data {};
        std::memcpy(&data, record.data(), std::min(sizeof(Data), record.size()));
        return data;
    }
};

class CEventCapture {
public:
    CEventCapture()
    {
        events().clear();
        SetEventDelivery(&Keep);
    }
    ~CEventCapture()
    {
        gEventScheduler.Erase();
        SetEventDelivery(nullptr);
        events().clear();
    }
    // Delivers what is queued, then answers every delivery so far, and forgets them.
    std::vector<CCapturedEvent> Take()
    {
        gEventScheduler.ProcessAll();
        std::vector<CCapturedEvent> taken;
        taken.swap(events());
        return taken;
    }

private:
    static std::vector<CCapturedEvent>& events()
    {
        static std::vector<CCapturedEvent> kept;
        return kept;
    }
    static CRZReturnType Keep(CRZEvent* event)
    {
        const auto* bytes = reinterpret_cast<const uint8_t*>(event->GetData());
        events().push_back({ event->GetType(), event->GetReceiver(),
            std::vector<uint8_t>(bytes, bytes + event->GetDataSize()) });
        return 0;
    }
};
