// The helpers the catalogue's event constructors share: bounded names, refusals, local-only copies.
#include "events/record_event.h"

#include "events/generic_events.h"

#include <cstdio>
#include <cstring>

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

namespace {

// The byte offset of a payload word, or 0 when the record does not hold all of it.
uint32_t PayloadWordOffset(const CRZEvent& event, uint32_t word)
{
    if (word == 0 || word > (event.GetDataSize() - kRecordHeadSize) / 4)
        return 0;
    return kRecordHeadSize + 4 * (word - 1);
}

} // namespace

bool LoadPayloadWord(const CRZEvent& event, uint32_t word, int32_t& value)
{
    if (event.GetDataSize() < kRecordHeadSize)
        return false;
    const uint32_t offset = PayloadWordOffset(event, word);
    if (offset == 0)
        return false;
    std::memcpy(&value, reinterpret_cast<const uint8_t*>(event.GetData()) + offset, sizeof value);
    return true;
}

bool StorePayloadWord(CRZEvent& event, uint32_t word, int32_t value)
{
    if (event.GetDataSize() < kRecordHeadSize)
        return false;
    const uint32_t offset = PayloadWordOffset(event, word);
    if (offset == 0)
        return false;
    std::memcpy(reinterpret_cast<uint8_t*>(event.GetData()) + offset, &value, sizeof value);
    return true;
}

bool LoadRecordHalf(const CRZEvent& event, uint32_t offset, uint16_t& value)
{
    if (offset > event.GetDataSize() || event.GetDataSize() - offset < sizeof value)
        return false;
    std::memcpy(&value, reinterpret_cast<const uint8_t*>(event.GetData()) + offset, sizeof value);
    return true;
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
