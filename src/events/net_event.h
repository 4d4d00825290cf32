// CRZNetEvent, the network copy of an event: the record as posted, byte for byte, behind a 16-bit
// size word; the multiplayer session packs it for the wire and the receiving side rebuilds from it.
#pragma once

#include <cstdint>

#include "events/event.h"

// The largest record a network copy can hold: its size word carries the record size plus 2.
inline constexpr uint32_t kMaxNetRecordSize = 0xFFFFu - 2u;

class CRZNetEvent : public CRZEvent {
public:
    // The copy of an event as it stands now (send 0, local 1). A record larger than
    // kMaxNetRecordSize cannot be carried: the copy is then empty, logged, and never sent.
    explicit CRZNetEvent(CRZEvent* event);
    // A copy received from another machine: size bytes of the sender's record. Storage is never
    // smaller than a record head, so a copy too short to hold one reads as zeros.
    CRZNetEvent(const void* record, uint32_t size);

    // The size word minus 2.
    uint32_t GetDataSize() const override;
    // Sends the copy through the session when one is open; answers 0.
    CRZReturnType Process() override;

    const uint8_t* GetRecordBytes() const { return buffer + 4; }
    // The size word (record size + 2, native order), 2 bytes of padding, then the record.
    const uint8_t* GetBuffer() const { return buffer; }
    uint32_t GetBufferSize() const { return GetDataSize() + 4; }

private:
    CRZNetEvent(uint8_t* storage, const void* record, uint32_t size);
    static uint8_t* NewBuffer(uint32_t size);

    uint8_t* buffer;
};
