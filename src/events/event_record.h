// The building blocks of event records: the 20-byte record head, the record form of a date, and the
// layout macros from which every record struct, its compile-time layout checks and its field table come.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <type_traits>

#include "events/event_types.h"
#include "foundation/calendar_date.h"
#include "foundation/rz_id.h"

// A date inside a record: a 4-byte slot (the record layout once held the date object's class pointer
// there; it means nothing outside the process and is never read from a received record), then day, month
// and year. Assigning a CDate copies the three fields and leaves the slot alone.
struct CRZRecordDate {
    uint32_t slot = 0;
    CDate date;

    CRZRecordDate& operator=(const CDate& other)
    {
        date = other;
        return *this;
    }
    operator CDate() const { return date; }
};
static_assert(sizeof(CRZRecordDate) == 8);
static_assert(offsetof(CRZRecordDate, date) == 4);

// Bytes that no constructor writes; the receiver of the event must not read them. They travel
// as they stand, which is why every record is allocated zero-filled.
template <std::size_t N> struct CRZRecordGap {
    uint8_t bytes[N];
};

// The head of every record: type at 0, date at 4 (day at 8, month at 9, year at 10), receiver at 12
// (object type at 12, number at 16). The network packer reads these offsets.
struct CRZEventData {
    uint32_t type = 0;
    CRZRecordDate date;
    CRZID receiver;
};
static_assert(sizeof(CRZEventData) == 20);
static_assert(offsetof(CRZEventData, date) == 4 && offsetof(CRZEventData, receiver) == 12);

static_assert(sizeof(float) == 4 && std::numeric_limits<float>::is_iec559, "records hold IEEE singles");

// How the network form carries a field: the packer turns words, halves, identities and dates into
// little-endian and copies bytes as they are.
enum class CRZFieldKind : uint8_t {
    Head, // the 20-byte record head
    Word, // 4-byte integer: numbers, truth values, enumerations, realm indexes
    Float, // IEEE single
    Half, // 2-byte integer
    ID, // CRZID, StaticID, DynamicID: u16 type, 2 bytes padding, u32 number
    Date, // CRZRecordDate: 4-byte slot, i8 day, i8 month, i16 year
    Bytes, // texts and opaque blocks, copied byte for byte
    Block, // CRZDataBlock: u16 count, 2 bytes padding, then count 4-byte elements
    Gap, // never written; travels as allocated (zero)
};

// The kind of each C++ type a record may hold. A record with a field of another type does not
// compile until that type states its kind here (or in its own header, as a specialisation).
template <class T, class = void> struct CRZFieldKindOf;
template <> struct CRZFieldKindOf<int32_t> : std::integral_constant<CRZFieldKind, CRZFieldKind::Word> {
};
template <> struct CRZFieldKindOf<uint32_t> : std::integral_constant<CRZFieldKind, CRZFieldKind::Word> {
};
template <> struct CRZFieldKindOf<int16_t> : std::integral_constant<CRZFieldKind, CRZFieldKind::Half> {
};
template <> struct CRZFieldKindOf<uint16_t> : std::integral_constant<CRZFieldKind, CRZFieldKind::Half> {
};
template <> struct CRZFieldKindOf<float> : std::integral_constant<CRZFieldKind, CRZFieldKind::Float> {
};
template <> struct CRZFieldKindOf<CRZRecordDate> : std::integral_constant<CRZFieldKind, CRZFieldKind::Date> {
};
template <class T>
struct CRZFieldKindOf<T, std::enable_if_t<std::is_base_of_v<CRZID, T>>>
    : std::integral_constant<CRZFieldKind, CRZFieldKind::ID> {
};
template <class T>
struct CRZFieldKindOf<T, std::enable_if_t<std::is_enum_v<T> && sizeof(T) == 4>>
    : std::integral_constant<CRZFieldKind, CRZFieldKind::Word> {
};
template <std::size_t N>
struct CRZFieldKindOf<char[N]> : std::integral_constant<CRZFieldKind, CRZFieldKind::Bytes> {
};
template <std::size_t N>
struct CRZFieldKindOf<uint8_t[N]> : std::integral_constant<CRZFieldKind, CRZFieldKind::Bytes> {
};
template <std::size_t N>
struct CRZFieldKindOf<CRZRecordGap<N>> : std::integral_constant<CRZFieldKind, CRZFieldKind::Gap> {
};

// One field of a record as the packer and the tests see it.
struct CRZRecordField {
    const char* name;
    uint16_t offset;
    uint16_t size;
    CRZFieldKind kind;
};

// The whole layout of one record type: its name, fixed size and fields (the head first).
struct CRZRecordLayout {
    const char* name;
    uint32_t size;
    const CRZRecordField* fields;
    uint32_t fieldCount;
};

// Filled by VM_EVENT_RECORD for every record type.
template <class Record> struct CRZRecordLayoutOf;

template <> struct CRZRecordLayoutOf<CRZEventData> {
    static constexpr CRZRecordField fields[] = { { "head", 0, 20, CRZFieldKind::Head } };
    static constexpr CRZRecordLayout layout { "CRZEventData", 20, fields, 1 };
};

// A record is declared by a field list macro named VM_RECORD_<Name>, one FIELD(type, name, offset)
// per payload field in offset order, followed by VM_EVENT_RECORD(Name, size):
//
//     #define VM_RECORD_CRZIntData(FIELD) FIELD(int32_t, value, 20)
//     VM_EVENT_RECORD(CRZIntData, 24)
//
// which declares struct CRZIntData { CRZEventData head; int32_t value; }, checks at compile time
// that every field sits at its offset and that the size is right, and publishes the field table.
// A field type that is an array is spelled through an alias (using Chars64 = char[64]).
#define VM_RECORD_MEMBER_(type, name, offset) type name;
#define VM_RECORD_OFFSET_CHECK_(type, name, offset)                                                          \
    static_assert(offsetof(Record, name) == (offset), "field " #name " is not at offset " #offset);
#define VM_RECORD_FIELD_ROW_(type, name, offset)                                                             \
    { #name, static_cast<uint16_t>(offsetof(Record, name)), static_cast<uint16_t>(sizeof(type)),             \
        CRZFieldKindOf<type>::value },

#define VM_EVENT_RECORD(Name, Size)                                                                          \
    struct Name {                                                                                            \
        CRZEventData head;                                                                                   \
        VM_RECORD_##Name(VM_RECORD_MEMBER_)                                                                  \
    };                                                                                                       \
    static_assert(sizeof(Name) == (Size), #Name " is not " #Size " bytes");                                  \
    static_assert(                                                                                           \
        std::is_standard_layout_v<                                                                           \
            Name> && std::is_trivially_copyable_v<Name> && std::is_trivially_destructible_v<Name>);          \
    template <> struct CRZRecordLayoutOf<Name> {                                                             \
        using Record = Name;                                                                                 \
        VM_RECORD_##Name(VM_RECORD_OFFSET_CHECK_) static constexpr CRZRecordField fields[]                   \
            = { { "head", 0, 20, CRZFieldKind::Head }, VM_RECORD_##Name(VM_RECORD_FIELD_ROW_) };             \
        static constexpr CRZRecordLayout layout { #Name, (Size), fields,                                     \
            static_cast<uint32_t>(sizeof(fields) / sizeof(fields[0])) };                                     \
    };
