// CRZRecordEvent, the base of the catalogue's event classes: the template with its network constructor
// public and its typed one kept for the classes' own constructors; and the helpers those constructors
// share for truth values, names, refusals and copies that must stay on this machine.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>

#include "events/event_template.h"
#include "events/record_types.h"

// What GetRequiredSize answers for a received record that no copy could make readable (a count that
// contradicts another, a length outside its field): the network factory drops such an event.
inline constexpr uint32_t kUnreadableRecord = std::numeric_limits<uint32_t>::max();

template <class Data> class CRZRecordEvent : public CRZEventTemplate<Data> {
public:
    explicit CRZRecordEvent(CRZNetEvent* net)
        : CRZEventTemplate<Data>(net)
    {
    }

protected:
    CRZRecordEvent(CRZEvtType type, const CRZID& receiver)
        : CRZEventTemplate<Data>(type, receiver)
    {
    }
    using CRZEventTemplate<Data>::CRZEventTemplate;
};

// Truth values travel as 4-byte words holding 0 or 1.
constexpr uint32_t RecordFlag(bool value)
{
    return value ? 1u : 0u;
}

// A realm number as the identity a receiver answers from GetSender.
constexpr CRZID CountryIdentity(CRZCountryID country)
{
    return CRZID(RZTYPE_COUNTRY, static_cast<uint32_t>(country));
}

// The event's record read as Data, or null when the event carries less: a type posted with a class other
// than the one its receiver expects.
template <class Data> const Data* RecordAs(CRZEvent* event)
{
    if (event->GetDataSize() < sizeof(Data))
        return nullptr;
    return reinterpret_cast<const Data*>(event->GetData());
}

// Copies text into a fixed name field, cut to fit and always ending with a zero; null copies as "".
// Answers false when the text was cut.
bool CopyRecordName(char* field, std::size_t size, const char* text);
template <std::size_t N> bool CopyRecordName(char (&field)[N], const char* text)
{
    return CopyRecordName(field, N, text);
}

// A name field of a received record may arrive without its terminator: its last byte becomes zero.
template <std::size_t N> void TerminateRecordName(char (&field)[N])
{
    field[N - 1] = '\0';
}

// Refuses an event at construction: logs why and addresses it to NOID, which the routing drops
// before anything is sent or delivered, so posting it is harmless.
void RefuseEvent(CRZEvent* event, const char* why);

// Payload words: the 32-bit words of a record after its 20-byte head, counted from 1, as the fixed layouts
// place them. Read and written by byte copies within the event's own size; false (nothing read or written)
// where the record ends before the word.
inline constexpr uint32_t kRecordHeadSize = 20;
bool LoadPayloadWord(const CRZEvent& event, uint32_t word, int32_t& value);
bool StorePayloadWord(CRZEvent& event, uint32_t word, int32_t value);
// The same for a 16-bit half at a byte offset of the record.
bool LoadRecordHalf(const CRZEvent& event, uint32_t offset, uint16_t& value);

// Keeps an event of a shorter record off the network: the receiving side rebuilds its type with a
// longer record and would refuse the copy. Clears the send flag and logs when it was set.
void KeepEventLocal(CRZEvent* event);
