// CRZID, the identity of every addressable object and event receiver, its static and dynamic forms,
// the object types and the well-known identities.
#pragma once

#include <cstddef>
#include <cstdint>

class CLScript;
class CRZParser;

struct CRZID {
    uint16_t type = 0;
    uint16_t pad = 0; // keeps the record free of uninitialised bytes when it is copied out whole
    uint32_t number = 0;

    constexpr CRZID() = default;
    constexpr CRZID(uint16_t inType, uint32_t inNumber)
        : type(inType)
        , number(inNumber)
    {
    }

    // Equal when type and number are equal; identities have no order.
    constexpr bool operator==(const CRZID& other) const
    {
        return number == other.number && type == other.type;
    }

    // ((type << 16) + number) modulo the bucket count, in wrapping unsigned 32-bit arithmetic.
    constexpr uint32_t GetHashValue(uint32_t size) const
    {
        return ((static_cast<uint32_t>(type) << 16) + number) % size;
    }

    // The data-language block { type = N id = N }, read after its "{" and defined by the data language:
    // 0 after the closing "}", -2 at an unknown key; fields not read keep their values.
    int ParseFields(CRZParser& parser);
    // A new identity node that the caller owns.
    CLScript* GetScript() const;
};
static_assert(sizeof(CRZID) == 8);
static_assert(offsetof(CRZID, type) == 0 && offsetof(CRZID, number) == 4);

// Identities of objects found without a registry (servers, realms).
struct StaticID : CRZID {
    using CRZID::CRZID;
    constexpr StaticID() = default;
    constexpr StaticID(const CRZID& id)
        : CRZID(id)
    {
    }
};

// Identities of objects in the dynamic-object registry (armies, divisions, battles).
struct DynamicID : CRZID {
    using CRZID::CRZID;
    constexpr DynamicID() = default;
    constexpr DynamicID(const CRZID& id)
        : CRZID(id)
    {
    }
};
static_assert(sizeof(StaticID) == 8 && sizeof(DynamicID) == 8);

// Object types of identities.
enum : uint16_t {
    RZTYPE_NONE = 0,
    RZTYPE_FRONTEND = 1,
    RZTYPE_SERVER = 2,
    RZTYPE_COUNTRY = 3,
    RZTYPE_PROVINCE = 4,
    RZTYPE_OLDEVENT = 7,
    RZTYPE_CLIENT = 8,
    RZTYPE_CHARACTER = 10,
    RZTYPE_TITLE = 11,
    RZTYPE_RELIGIOUS = 14,
    RZTYPE_NEWEVENT = 18,
    // The highest type a scenario may use; play-time objects take RZTYPE_DYNAMIC + player slot.
    RZTYPE_MAXSTATIC = 4711,
    RZTYPE_DYNAMIC = 4712,
    RZTYPE_DESTROYED = 65534,
    RZTYPE_ALL = 65535,
};

inline constexpr CRZID NOID { RZTYPE_NONE, 0 };
inline constexpr CRZID ALLID { RZTYPE_ALL, 0xFFFFFFFFu };
inline constexpr CRZID ALLFRONTENDS { RZTYPE_FRONTEND, 0xFFFFFFFFu };
inline constexpr CRZID ALLSERVER { RZTYPE_SERVER, 0xFFFFFFFFu };
inline constexpr CRZID ALLCOUNTRIES { RZTYPE_COUNTRY, 0xFFFFFFFFu };
inline constexpr CRZID BASIC_SERVER { RZTYPE_SERVER, 1 };
inline constexpr CRZID COMBAT_SERVER { RZTYPE_SERVER, 2 };
inline constexpr CRZID UNIT_SERVER { RZTYPE_SERVER, 3 };
inline constexpr CRZID INVESTMENT_SERVER { RZTYPE_SERVER, 6 };
inline constexpr CRZID EVENT_SERVER { RZTYPE_SERVER, 7 };
inline constexpr CRZID DIPLOMACY_SERVER { RZTYPE_SERVER, 9 };
inline constexpr CRZID CHARACTER_SERVER { RZTYPE_SERVER, 10 };
inline constexpr CRZID NEWEVENT_SERVER { RZTYPE_SERVER, 11 };
inline constexpr CRZID BASIC_CLIENT { RZTYPE_CLIENT, 1 };
inline constexpr CRZID PAPACY { RZTYPE_RELIGIOUS, 12 };
inline constexpr CRZID CRUSADE { RZTYPE_RELIGIOUS, 13 };
inline constexpr CRZID REBEL_LEADER { RZTYPE_CHARACTER, 0xFFFFFFFDu };
inline constexpr CRZID ANONYMOUS_SOLDIER { RZTYPE_CHARACTER, 0xFFFFFFFEu };
