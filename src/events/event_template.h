// CRZEventTemplate, from which every event class with a record layout is made: it owns one record of
// its layout, answers the layout's size and rebuilds the record from a network copy byte for byte.
#pragma once

#include <algorithm>
#include <cstring>
#include <new>
#include <type_traits>

#include "events/event.h"
#include "events/net_event.h"
#include "foundation/linked_list.h"

template <class Data> class CRZEventTemplate : public CRZEvent {
public:
    using RecordType = Data;

    // A new record of the layout, zero-filled; send 0, local 1, the zero date.
    CRZEventTemplate(CRZEvtType type, const CRZID& receiver)
        : CRZEvent(NewRecord(), 0)
    {
        InitHead(type, receiver);
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
    // A class whose size follows from counts in its record overrides both: GetDataSize as the format
    // computes it (16 bits), GetRequiredSize in full width, so that a count that wraps is refused.
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
    CRZEventTemplate(uint8_t* inStorage, std::size_t size, CRZEvtType type, const CRZID& receiver)
        : CRZEvent(inStorage, 0)
        , capacity(static_cast<uint32_t>(size))
    {
        InitHead(type, receiver);
    }

private:
    void InitHead(CRZEvtType type, const CRZID& receiver)
    {
        GetData()->type = type;
        GetData()->receiver = receiver;
        GetData()->date = CDate();
    }

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

// A list inside a record: a u16 count, 2 bytes of padding, then from 4 bytes after the block's start
// one 4-byte element per entry in list order.
template <class T> struct CRZDataBlock {
    static_assert(sizeof(T) == 4 && std::is_trivially_copyable_v<T>);

    uint16_t count;
    uint16_t pad;

    // Writes the list in order, at most room elements (the room the record was allocated with after
    // the block's first 4 bytes, in elements), and the number written as the count.
    void Set(const CList<T>& list, uint32_t room)
    {
        count = 0;
        for (auto it = list.GetHead(); !it.IsEnd() && count < room && count < 0xFFFFu; it++) {
            const T value = *it;
            std::memcpy(Elements() + 4u * count, &value, sizeof(T));
            ++count;
        }
    }

    // The element at index, which the caller keeps below the count.
    T Get(uint32_t index) const
    {
        T value;
        std::memcpy(&value, Elements() + 4u * index, sizeof(T));
        return value;
    }

private:
    // The elements lie past this 4-byte head, in the room the record was allocated with; the address is
    // formed as a number so the compiler does not take the head's own size as the bound.
    uint8_t* Elements() { return reinterpret_cast<uint8_t*>(reinterpret_cast<std::uintptr_t>(this) + 4); }
    const uint8_t* Elements() const
    {
        return reinterpret_cast<const uint8_t*>(reinterpret_cast<std::uintptr_t>(this) + 4);
    }
};
static_assert(sizeof(CRZDataBlock<int32_t>) == 4);

template <class T>
struct CRZFieldKindOf<CRZDataBlock<T>> : std::integral_constant<CRZFieldKind, CRZFieldKind::Block> {
};

// Offers the event to each member in list order and stops at the first that takes it; answers that
// member's answer, or 0 when none took it or the list is empty.
template <class T> CRZReturnType UpdateList(const CList<T*>& list, CRZEvent* event)
{
    for (auto it = list.GetHead(); !it.IsEnd(); it++) {
        const CRZReturnType answer = (*it)->Update(event);
        if (answer != 0)
            return answer;
    }
    return 0;
}
