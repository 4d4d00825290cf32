// CRZEventTemplate, from which every event class with a record layout is made: it owns one record of
// its layout, answers the layout's size and rebuilds the record from a network copy byte for byte.
#pragma once

#include <algorithm>
#include <cstring>
#include <new>

#include "events/event.h"
#include "events/net_event.h"

template <class Data> class CRZEventTemplate : public CRZEvent {
public:
    using RecordType = Data;

    // A new record of the layout, zero-filled; send 0, local 1, the zero date.
    CRZEventTemplate(CRZEvtType type, const CRZID& receiver)
        : CRZEvent(NewRecord(), 0)
    {
        GetData()->type = type;
        GetData()->receiver = receiver;
        GetData()->date = CDate();
    }

    // Rebuilds the sender's record: the first GetDataSize() bytes of the copy, head included,
    // exactly as they were sent; nothing is converted and no record constructor runs. The storage is
    // never smaller than the layout, so a short copy reads as zeros rather than past its end, and the
    // network factory refuses it (CRZEvent::GetRequiredSize).
    explicit CRZEventTemplate(CRZNetEvent* net)
        : CRZEvent(AllocateRecord(NetStorageSize(net)), 0)
        , capacity(NetStorageSize(net))
    {
        SetRaw(true);
        ConvertFrom(net);
    }

    uint32_t GetDataSize() const override { return sizeof(Data); }
    uint32_t GetRequiredSize() const override { return std::max<uint32_t>(sizeof(Data), GetDataSize()); }

    // Copies the network copy's record over this one; only as many bytes as this record can hold.
    bool ConvertFrom(CRZNetEvent* net)
    {
        const uint32_t size = std::min<uint32_t>(net->GetDataSize(), capacity);
        std::memcpy(GetData(), net->GetRecordBytes(), size);
        return true;
    }

    Data& Record() { return *reinterpret_cast<Data*>(GetData()); }
    const Data& Record() const { return *reinterpret_cast<const Data*>(GetData()); }

protected:
    // For records whose length is known only when the event is built: adopts storage the class
    // allocated with AllocateRecord(size); the class sets the raw flag once it has filled it.
    CRZEventTemplate(uint8_t* storage, std::size_t size, CRZEvtType type, const CRZID& receiver)
        : CRZEvent(storage, 0)
        , capacity(static_cast<uint32_t>(size))
    {
        GetData()->type = type;
        GetData()->receiver = receiver;
        GetData()->date = CDate();
    }

private:
    // The network copy's size plus 4 bytes, and never less than the layout.
    static uint32_t NetStorageSize(CRZNetEvent* net)
    {
        return std::max<uint32_t>(net->GetDataSize(), sizeof(Data)) + 4;
    }

    static uint8_t* NewRecord()
    {
        uint8_t* storage = AllocateRecord(sizeof(Data));
        new (storage) Data();
        return storage;
    }

    uint32_t capacity = static_cast<uint32_t>(sizeof(Data));
};
