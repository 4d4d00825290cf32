// CRZEvent, the one message type of the game: a record addressed to a receiver identity, with the
// flags that say whether it goes to the network and whether it takes effect on this machine.
#pragma once

#include <cstddef>
#include <cstdint>

#include "events/event_record.h"
#include "events/event_types.h"
#include "foundation/calendar_date.h"
#include "foundation/rz_id.h"

// The answer of every Update(CRZEvent*) and of Process(): 0 not taken, non-zero taken; object lists
// read 1 as "delete the member" and 2 as "move it to the end"; the routing answers 3 where it
// consumed the event.
using CRZReturnType = int;

class CIdentity;
class CRZStaticObject;
class CRZDynamicObject;
class CRZNetEvent;

// Built with new and handed to exactly one posting operation, which owns it from then on and deletes
// it right after processing; a receiver that wants the contents later copies them.
class CRZEvent {
public:
    CRZEvent(const CRZEvent&) = delete;
    CRZEvent& operator=(const CRZEvent&) = delete;
    virtual ~CRZEvent();

    // Bytes of the record that make up the event (at most 65535); the head alone is 20.
    virtual uint32_t GetDataSize() const { return sizeof(CRZEventData); }
    virtual CRZEvtType GetType() const { return static_cast<CRZEvtType>(data->type); }
    virtual CRZID GetSender() const { return NOID; }

    // Double dispatch: the routing picks the overload by the kind of receiver it found; each calls
    // the receiver's own Update with this event and answers what the receiver answers.
    virtual CRZReturnType UpdateObject(CIdentity* receiver);
    virtual CRZReturnType UpdateObject(CRZStaticObject* receiver);
    virtual CRZReturnType UpdateObject(CRZDynamicObject* receiver);

    // Takes effect: drops an event without receiver, hands a copy to the outgoing list when the send
    // flag is set, then delivers it here when the local flag is set. Never deletes the event.
    virtual CRZReturnType Process();

    // Bytes a received copy must hold for this class to read all of its record. Classes whose size
    // follows from counts in the record compute it here without 16-bit wrapping.
    virtual uint32_t GetRequiredSize() const { return GetDataSize(); }

    const char* GetName() const { return GetEventTypeName(data->type); }

    CRZEventData* GetData() { return data; }
    const CRZEventData* GetData() const { return data; }
    CDate GetDate() const { return data->date; }
    void SetDate(const CDate& date) { data->date = date; }
    CRZID GetReceiver() const { return data->receiver; }

    bool GetSend() const { return send != 0; }
    bool GetLocal() const { return local != 0; }
    bool IsRaw() const { return raw != 0; }
    void SetSend(bool value) { send = value ? 1 : 0; }
    void SetLocal(bool value) { local = value ? 1 : 0; }

protected:
    // Takes ownership of storage (from AllocateRecord) whose bytes from headOffset on are the record.
    CRZEvent(uint8_t* storage, std::size_t headOffset);
    // Zero-filled storage: bytes that no constructor writes must not carry stale memory to the network.
    static uint8_t* AllocateRecord(std::size_t size);
    void SetRaw(bool value) { raw = value ? 1 : 0; }

private:
    // Every record lives in one zero-filled byte array; records are trivially destructible, so
    // freeing it as bytes is freeing it as an object too.
    uint8_t* storage;
    CRZEventData* data;
    uint32_t send = 0;
    uint32_t local = 1;
    uint32_t raw = 0;
};

// True for the mouse and key events, which are processed at once and never sent.
inline bool IsInputEvent(const CRZEvent* event)
{
    return IsInputType(event->GetType());
}

// Only the record dates are compared: the scheduler keeps its dated events in this order.
bool operator<(const CRZEvent& a, const CRZEvent& b);
bool operator<=(const CRZEvent& a, const CRZEvent& b);
