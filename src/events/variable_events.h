// The events whose record length follows from what they carry: a chat line, the game options, a unit's
// path, a peace request, an inheritance, a won battle and a created realm. Each builds its record as
// one zero-filled byte array, answers its size from the counts inside, and on receipt is refused by the
// network factory when those counts do not fit the bytes that arrived.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "events/record_event.h"
#include "events/record_values.h"

// The largest variable record that is built: the packed event must fit the network's 8192-byte message
// buffer with its tokens and header, and the size must fit the record's 16-bit size word. Larger ones
// are refused at construction.
inline constexpr uint32_t kMaxSentRecordSize = 8192 - 32;

using CRZChars2 = char[2];
using CRZGap2Bytes = CRZRecordGap<2>;
using CRZGap4Bytes = CRZRecordGap<4>;
using CRZGap8Bytes = CRZRecordGap<8>;
using CRZWordCounts4 = uint32_t[4];
using CRZWordCounts3 = uint32_t[3];

// In each record below the list's first place closes the fixed part; the list itself is walked by its
// count, so those places are gaps in the field rows.

#define VM_RECORD_CRZChatEventData(FIELD)                                                                    \
    FIELD(int32_t, sender, 20) FIELD(uint16_t, length, 24) FIELD(CRZChars2, text, 26)
VM_EVENT_RECORD_FLAT(CRZChatEventData, 28)

#define VM_RECORD_CRZOptionsEventData(FIELD)                                                                 \
    FIELD(uint16_t, count, 20) FIELD(CRZGap2Bytes, gap, 22) FIELD(CRZGap4Bytes, flags, 24)
VM_EVENT_RECORD_FLAT(CRZOptionsEventData, 28)

#define VM_RECORD_CRZUnitMovePathEventData(FIELD)                                                            \
    FIELD(CRZGap8Bytes, gap, 20)                                                                             \
    FIELD(uint16_t, flag, 28) FIELD(uint16_t, count, 30) FIELD(CRZGap4Bytes, provinces, 32)
VM_EVENT_RECORD_FLAT(CRZUnitMovePathEventData, 36)

// counts: claims the initiator yields, claims it claims, claims the receiver yields, claims it claims;
// count is their sum, and the claims follow in that order.
#define VM_RECORD_CRZPeaceRequestEventData(FIELD)                                                            \
    FIELD(CRZID, id, 20)                                                                                     \
    FIELD(CRZCountryID, first, 28)                                                                           \
    FIELD(CRZCountryID, second, 32)                                                                          \
    FIELD(CRZRecordDate, date, 36)                                                                           \
    FIELD(CRZID, war, 44)                                                                                    \
    FIELD(CRZWordCounts4, counts, 52)                                                                        \
    FIELD(CSimpleScoreRecord, tribute, 68)                                                                   \
    FIELD(uint32_t, vassalize, 84)                                                                           \
    FIELD(uint16_t, count, 88)                                                                               \
    FIELD(CRZGap2Bytes, gap, 90)                                                                             \
    FIELD(CRZGap8Bytes, claims, 92)
VM_EVENT_RECORD_FLAT(CRZPeaceRequestEventData, 100)

// counts: titles, claims, wars; count is their sum, and the identities follow in that order.
#define VM_RECORD_CRZInheritEventData(FIELD)                                                                 \
    FIELD(CRZID, first, 20)                                                                                  \
    FIELD(CRZID, second, 28)                                                                                 \
    FIELD(int32_t, formOfGovernment, 36)                                                                     \
    FIELD(CSimpleScoreRecord, score, 40)                                                                     \
    FIELD(CRZWordCounts3, counts, 56)                                                                        \
    FIELD(uint16_t, count, 68)                                                                               \
    FIELD(CRZGap2Bytes, gap, 70)                                                                             \
    FIELD(CRZGap8Bytes, identities, 72)
VM_EVENT_RECORD_FLAT(CRZInheritEventData, 80)

#define VM_RECORD_CRZBattleWonEventData(FIELD)                                                               \
    FIELD(int32_t, number, 20)                                                                               \
    FIELD(DynamicID, unit, 24)                                                                               \
    FIELD(CRZDataBlock<CRZCountryID>, realms, 32)                                                            \
    FIELD(CRZGap4Bytes, elements, 36)
VM_EVENT_RECORD_FLAT(CRZBattleWonEventData, 40)

#define VM_RECORD_CRZCreateCountryEventData(FIELD)                                                           \
    FIELD(CRZCountryID, first, 20)                                                                           \
    FIELD(CRZCountryID, second, 24)                                                                          \
    FIELD(CRZID, id, 28)                                                                                     \
    FIELD(uint32_t, flag, 36)                                                                                \
    FIELD(CRZDataBlock<int32_t>, provinces, 40)                                                              \
    FIELD(CRZGap4Bytes, elements, 44)
VM_EVENT_RECORD_FLAT(CRZCreateCountryEventData, 48)

// The common machinery: size from the record's counts, element access bounded by the storage, and
// the refusal of a list too long to send.
template <class Data> class CRZVariableEvent : public CRZRecordEvent<Data> {
public:
    // The size as the record's size word carries it: 16 bits.
    uint32_t GetDataSize() const override { return Measure() & 0xFFFFu; }
    // The full size the counts call for, or kUnreadableRecord when the counts contradict each other.
    uint32_t GetRequiredSize() const override { return IsConsistent() ? Measure() : kUnreadableRecord; }
    // Bytes the record's storage holds, whatever its counts claim.
    uint32_t GetHeldSize() const { return held; }

    explicit CRZVariableEvent(CRZNetEvent* net)
        : CRZRecordEvent<Data>(net)
        , held(std::max<uint32_t>(net->GetDataSize(), sizeof(Data)) + 4)
    {
    }

protected:
    // A new zero-filled record of size bytes (never less than the fixed part), freed as a byte array.
    CRZVariableEvent(uint32_t size, CRZEvtType type, const CRZID& receiver)
        : CRZRecordEvent<Data>(CRZEvent::AllocateRecord(std::max<uint32_t>(size, sizeof(Data))),
            std::max<uint32_t>(size, sizeof(Data)), type, receiver)
        , held(std::max<uint32_t>(size, sizeof(Data)))
    {
        this->SetRaw(true);
    }

    // The size the counts call for, in full width.
    virtual uint32_t Measure() const = 0;
    virtual bool IsConsistent() const { return true; }

    // True when a record of dataSize bytes may be built and sent.
    static bool Fits(uint64_t dataSize) { return dataSize <= kMaxSentRecordSize; }
    // The allocation for a record of dataSize bytes (extra bytes past it, as the format allocates), or
    // for the empty record of emptySize bytes when the full one would be refused.
    static uint32_t Allocation(uint64_t dataSize, uint32_t emptySize, uint32_t extra)
    {
        return (Fits(dataSize) ? static_cast<uint32_t>(dataSize) : emptySize) + extra;
    }

    // Elements at byte offsets of the record; what lies beyond the storage reads as zero and is not written.
    template <class T> T Load(uint64_t offset) const
    {
        T value {};
        if (offset + sizeof(T) <= held)
            std::memcpy(&value, reinterpret_cast<const uint8_t*>(this->GetData()) + offset, sizeof(T));
        return value;
    }
    template <class T> void Store(uint64_t offset, const T& value)
    {
        if (offset + sizeof(T) <= held)
            std::memcpy(reinterpret_cast<uint8_t*>(this->GetData()) + offset, &value, sizeof(T));
    }
    // Writes the list from offset on, one element of type Stored each, and answers how many it wrote.
    template <class Stored, class T> uint32_t StoreList(uint32_t offset, const CList<T>& list)
    {
        uint32_t count = 0;
        for (auto it = list.GetHead(); !it.IsEnd(); it++, ++count)
            Store(offset + uint64_t { sizeof(Stored) } * count, static_cast<Stored>(*it));
        return count;
    }

    // Writes groups of identities one after the other from offset, each group's count into counts;
    // answers the total.
    template <std::size_t N>
    uint32_t StoreGroups(uint32_t offset, const CList<CRZID>* const (&groups)[N], uint32_t (&counts)[N])
    {
        uint32_t total = 0;
        for (std::size_t i = 0; i < N; ++i) {
            counts[i] = StoreList<CRZID>(offset + 8 * total, *groups[i]);
            total += counts[i];
        }
        return total;
    }

    // Bytes the storage holds.
    uint32_t held;
};

// A chat line: the text with its terminating zero, cut by nothing; a text too long to send is refused.
class CRZChatEvent : public CRZVariableEvent<CRZChatEventData> {
public:
    explicit CRZChatEvent(CRZNetEvent* net);
    CRZChatEvent(const char* text, int sender, const CRZID& receiver);
    // The text; empty for a record whose length is 0.
    const char* GetText() const;

protected:
    uint32_t Measure() const override { return Record().length + 30u; }
    bool IsConsistent() const override { return Record().length != 0; }
};

// The on/off flag of each scenario option, in list order.
class CRZOptionsEvent : public CRZVariableEvent<CRZOptionsEventData> {
public:
    using CRZVariableEvent::CRZVariableEvent;
    CRZOptionsEvent(const CRZID& receiver, const CList<int32_t>& flags);
    uint32_t GetCount() const { return Record().count; }
    int32_t GetFlag(uint32_t index) const { return Load<int32_t>(24 + 4ull * index); }

protected:
    uint32_t Measure() const override { return (4u * Record().count + 30u) & ~1u; }
};

// A unit's path, provinces by number in path order; addressed to the unit and sent by the unit server.
class CRZUnitMovePathEvent : public CRZVariableEvent<CRZUnitMovePathEventData> {
public:
    using CRZVariableEvent::CRZVariableEvent;
    CRZUnitMovePathEvent(const DynamicID& unit, bool flag, const CList<int32_t>& provinces);
    CRZID GetSender() const override { return UNIT_SERVER; }
    uint32_t GetCount() const { return Record().count; }
    uint16_t GetProvince(uint32_t index) const { return Load<uint16_t>(32 + 2ull * index); }

protected:
    uint32_t Measure() const override { return (2u * Record().count + 38u) & ~1u; }
};

// The terms of a peace proposal as the diplomacy code hands them over.
struct CRZPeaceTerms {
    CRZID war;
    CSimpleScoreRecord tribute;
    // Negative: the initiator becomes the receiver's vassal; positive: the other way round.
    int32_t vassalize = 0;
    CList<CRZID> initiatorYielded, initiatorClaimed, receiverYielded, receiverClaimed;
};

class CRZPeaceRequestEvent : public CRZVariableEvent<CRZPeaceRequestEventData> {
public:
    // The claim groups in record order.
    enum Group { InitiatorYielded, InitiatorClaimed, ReceiverYielded, ReceiverClaimed };

    using CRZVariableEvent::CRZVariableEvent;
    CRZPeaceRequestEvent(CRZEvtType type, const CRZID& receiver, CRZID id, CRZCountryID first,
        CRZCountryID second, const CDate& date, const CRZPeaceTerms& terms);
    uint32_t GetClaimCount(Group group) const { return Record().counts[group]; }
    // The index-th claim of a group; the caller keeps index below the group's count.
    CRZID GetClaim(Group group, uint32_t index) const;

protected:
    uint32_t Measure() const override { return 8u * Record().count + 102u; }
    bool IsConsistent() const override;
};

// What a dead ruler leaves to one heir, as the character code hands it over.
struct CRZInheritanceTerms {
    int32_t formOfGovernment = 0;
    CSimpleScoreRecord score;
    CList<CRZID> titles, claims, wars;
};

class CRZInheritEvent : public CRZVariableEvent<CRZInheritEventData> {
public:
    enum Group { Titles, Claims, Wars };

    using CRZVariableEvent::CRZVariableEvent;
    CRZInheritEvent(CRZEvtType type, const CRZID& receiver, const CRZID& first, const CRZID& second,
        const CRZInheritanceTerms& inheritance);
    uint32_t GetCount(Group group) const { return Record().counts[group]; }
    // The index-th identity of a group; the caller keeps index below the group's count.
    CRZID GetIdentity(Group group, uint32_t index) const;

protected:
    uint32_t Measure() const override { return 8u * Record().count + 82u; }
    bool IsConsistent() const override;
};

// The realms that took part in a won battle. _CRZEVT_PROVBATTLELOST_ is rebuilt with this class too and
// posted in its record (CRZBattleLostEvent), so a shorter battle-lost copy from the network is refused.
class CRZBattleWonEvent : public CRZVariableEvent<CRZBattleWonEventData> {
public:
    using CRZVariableEvent::CRZVariableEvent;
    CRZBattleWonEvent(
        CRZEvtType type, const CRZID& receiver, DynamicID unit, int number, const CRZCountryList& realms);
    uint32_t GetCount() const { return Record().realms.count; }
    CRZCountryID GetRealm(uint32_t index) const { return Load<CRZCountryID>(36 + 4ull * index); }

protected:
    uint32_t Measure() const override { return (4u * Record().realms.count + 42u) & ~1u; }
};

// A realm created from provinces, listed by number.
class CRZCreateCountryEvent : public CRZVariableEvent<CRZCreateCountryEventData> {
public:
    using CRZVariableEvent::CRZVariableEvent;
    CRZCreateCountryEvent(CRZEvtType type, const CRZID& receiver, CRZCountryID first, CRZCountryID second,
        const CRZID& id, const CList<int32_t>& provinces, bool flag);
    uint32_t GetCount() const { return Record().provinces.count; }
    int32_t GetProvince(uint32_t index) const { return Load<int32_t>(44 + 4ull * index); }
    // The count is the sender's word: true when that many provinces lie within the bytes held.
    bool HoldsCount() const { return GetHeldSize() >= 44u && GetCount() <= (GetHeldSize() - 44u) / 4u; }

protected:
    uint32_t Measure() const override { return (4u * Record().provinces.count + 50u) & ~1u; }
};
