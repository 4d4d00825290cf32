// Record forms of the value types that event records embed (score, advances, troop strengths, battle
// result, scripted-event scope, session player), and the layout macros that flatten them into rows.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "events/event_record.h"

// Where the record layout once held a value object's hidden first word (its class pointer): zero in every
// record built here, meaningless in a received one, so its row is a gap.
struct CRZRecordSlot {
    uint32_t word = 0;
};
static_assert(sizeof(CRZRecordSlot) == 4);
template <> struct CRZFieldKindOf<CRZRecordSlot> : std::integral_constant<CRZFieldKind, CRZFieldKind::Gap> {
};

// The rows of a value record form, offsets from the value's start; filled by VM_VALUE_RECORD.
template <class Value> struct CRZValueLayoutOf;

// The rows one field adds to its record's table. Every row is a scalar of its kind's natural width or a
// run of bytes, so the network packer converts row by row: a value record form contributes its own
// rows, an array of numbers or identities one row per element.
template <class T> struct CRZFieldRows {
    static constexpr std::size_t count = 1;
    static constexpr void Append(CRZRecordField*& out, const char* name, std::size_t offset)
    {
        *out++ = { name, static_cast<uint16_t>(offset), static_cast<uint16_t>(sizeof(T)),
            CRZFieldKindOf<T>::value };
    }
};

template <class T, std::size_t N>
requires(!std::is_same_v<T, char> && !std::is_same_v<T, uint8_t>) struct CRZFieldRows<T[N]> {
    static constexpr std::size_t count = N * CRZFieldRows<T>::count;
    static constexpr void Append(CRZRecordField*& out, const char* name, std::size_t offset)
    {
        for (std::size_t i = 0; i < N; ++i)
            CRZFieldRows<T>::Append(out, name, offset + i * sizeof(T));
    }
};

template <class T>
requires requires
{
    CRZValueLayoutOf<T>::rows;
}
struct CRZFieldRows<T> {
    static constexpr std::size_t count = CRZValueLayoutOf<T>::rows.size();
    static constexpr void Append(CRZRecordField*& out, const char*, std::size_t offset)
    {
        for (const CRZRecordField& row : CRZValueLayoutOf<T>::rows)
            *out++ = { row.name, static_cast<uint16_t>(offset + row.offset), row.size, row.kind };
    }
};

#define VM_FLAT_MEMBER_(type, name, offset) type name {};
#define VM_FLAT_COUNT_(type, name, offset) +CRZFieldRows<type>::count
#define VM_FLAT_APPEND_(type, name, offset) CRZFieldRows<type>::Append(out, #name, offsetof(Record, name));

// The checks and the flattened row table shared by value forms and event records; `first` is the
// number of rows before the fields (1 for the record head), Table the layout template it fills.
#define VM_FLAT_LAYOUT_(Name, Size, first, Table)                                                            \
    static_assert(sizeof(Name) == (Size), #Name " is not " #Size " bytes");                                  \
    static_assert(std::is_standard_layout_v<Name> && std::is_trivially_copyable_v<Name>);                    \
    template <> struct Table<Name> {                                                                         \
        using Record = Name;                                                                                 \
        VM_RECORD_##Name(VM_RECORD_OFFSET_CHECK_) static constexpr std::size_t count = (first)VM_RECORD_     \
            ##Name(VM_FLAT_COUNT_);                                                                          \
        static constexpr std::array<CRZRecordField, count> rows = [] {                                       \
            std::array<CRZRecordField, count> rows {};                                                       \
            CRZRecordField* out = rows.data();                                                               \
            if ((first) != 0)                                                                                \
                *out++ = { "head", 0, 20, CRZFieldKind::Head };                                              \
            VM_RECORD_##Name(VM_FLAT_APPEND_) return rows;                                                   \
        }();                                                                                                 \
        static constexpr const CRZRecordField* fields = rows.data();                                         \
        static constexpr CRZRecordLayout layout { #Name, (Size), rows.data(),                                \
            static_cast<uint32_t>(count) };                                                                  \
    };

// A value record form: VM_RECORD_<Name>(FIELD) lists its fields from offset 0; every field starts zero.
#define VM_VALUE_RECORD(Name, Size)                                                                          \
    struct Name {                                                                                            \
        VM_RECORD_##Name(VM_FLAT_MEMBER_)                                                                    \
    };                                                                                                       \
    VM_FLAT_LAYOUT_(Name, Size, 0, CRZValueLayoutOf)

// An event record like VM_EVENT_RECORD, whose fields may also be value record forms and arrays; the
// published table lists their rows one by one.
#define VM_EVENT_RECORD_FLAT(Name, Size)                                                                     \
    struct Name {                                                                                            \
        CRZEventData head;                                                                                   \
        VM_RECORD_##Name(VM_FLAT_MEMBER_)                                                                    \
    };                                                                                                       \
    VM_FLAT_LAYOUT_(Name, Size, 1, CRZRecordLayoutOf)

using CRZWords5 = uint32_t[5];
using CRZFloats6 = float[6];
using CRZFloats7 = float[7];
using CRZInts5 = int32_t[5];
using CRZInts9 = int32_t[9];
using CRZChars64 = char[64];
using CRZChars128 = char[128];
using CRZChars256 = char[256];
using CRZBytes2048 = uint8_t[2048];

// A score: gold, prestige and piety.
#define VM_RECORD_CSimpleScoreRecord(FIELD)                                                                  \
    FIELD(CRZRecordSlot, slot, 0) FIELD(float, gold, 4) FIELD(float, prestige, 8) FIELD(float, piety, 12)
VM_VALUE_RECORD(CSimpleScoreRecord, 16)

// The advances a province or division holds: bit n of the five words is advance n (0 to 149).
#define VM_RECORD_CAdvanceTupleRecord(FIELD) FIELD(CRZRecordSlot, slot, 0) FIELD(CRZWords5, bits, 4)
VM_VALUE_RECORD(CAdvanceTupleRecord, 24)

// One value per troop type, in troop-type order (heavy cavalry first, militia last).
#define VM_RECORD_CMilitaryCompositionRecord(FIELD) FIELD(CRZRecordSlot, slot, 0) FIELD(CRZFloats7, values, 4)
VM_VALUE_RECORD(CMilitaryCompositionRecord, 32)

// The outcome of a finished battle; the truth values are 0 or 1.
#define VM_RECORD_CBattleResultRecord(FIELD)                                                                 \
    FIELD(CRZRecordSlot, slot, 0)                                                                            \
    FIELD(int32_t, province, 4)                                                                              \
    FIELD(CRZRecordDate, startDate, 8)                                                                       \
    FIELD(CRZRecordDate, endDate, 16)                                                                        \
    FIELD(CMilitaryCompositionRecord, attackerLosses, 24)                                                    \
    FIELD(CMilitaryCompositionRecord, defenderLosses, 56)                                                    \
    FIELD(uint32_t, aggressorIsAttacker, 88)                                                                 \
    FIELD(uint32_t, attackerWon, 92)                                                                         \
    FIELD(int32_t, attackers, 96)                                                                            \
    FIELD(int32_t, defenders, 100)
VM_VALUE_RECORD(CBattleResultRecord, 104)

// A scripted event's scope. The root was a pointer of the sender's process: its slot travels as zero and
// the receiver re-establishes the root itself.
#define VM_RECORD_CGameEventExpressionRecord(FIELD)                                                          \
    FIELD(int32_t, kind, 0)                                                                                  \
    FIELD(CRZID, primary, 4)                                                                                 \
    FIELD(CRZID, secondary, 12)                                                                              \
    FIELD(int32_t, seed, 20)                                                                                 \
    FIELD(CRZRecordSlot, root, 24)                                                                           \
    FIELD(CRZID, target, 28)
VM_VALUE_RECORD(CGameEventExpressionRecord, 36)

// The session's record of one player as the player-data event carries it; the name ends with a zero.
#define VM_RECORD_DPPLAYERSendRecord(FIELD)                                                                  \
    FIELD(uint32_t, playerSlot, 0)                                                                           \
    FIELD(uint32_t, playerId, 4)                                                                             \
    FIELD(uint32_t, secondWord, 8)                                                                           \
    FIELD(CRZChars64, name, 12)                                                                              \
    FIELD(uint32_t, flags, 76)                                                                               \
    FIELD(int32_t, country, 80)                                                                              \
    FIELD(int32_t, playerCount, 84)
VM_VALUE_RECORD(DPPLAYERSendRecord, 88)
