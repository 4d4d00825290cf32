// Identities: equality, the wrapping hash, and the well-known identities.
#include "foundation/rz_id.h"

#include <gtest/gtest.h>

namespace {

TEST(CRZID, EqualityNeedsTypeAndNumber)
{
    EXPECT_EQ(CRZID(10, 5), CRZID(10, 5));
    EXPECT_FALSE(CRZID(10, 5) == CRZID(11, 5));
    EXPECT_FALSE(CRZID(10, 5) == CRZID(10, 6));
    EXPECT_EQ(NOID, CRZID(0, 0));
    EXPECT_EQ(CRZID(), NOID);
    DynamicID dynamic(CRZID(4712, 3));
    CRZID back = dynamic;
    EXPECT_EQ(back, CRZID(4712, 3));
}

TEST(CRZID, HashWrapsInUnsigned32Bits)
{
    EXPECT_EQ(CRZID(10, 5).GetHashValue(8191), ((10u << 16) + 5u) % 8191u);
    // (65535 << 16) + 0xFFFFFFFF wraps to 0xFFFEFFFF.
    EXPECT_EQ(ALLID.GetHashValue(8191), 0xFFFEFFFFu % 8191u);
    EXPECT_EQ(CRZID(1, 0xFFFF0000u).GetHashValue(511), 0u);
}

TEST(CRZID, WellKnownIdentities)
{
    struct Case {
        CRZID id;
        uint16_t type;
        uint32_t number;
    } cases[] = {
        { ALLID, 65535, 0xFFFFFFFF },
        { ALLFRONTENDS, 1, 0xFFFFFFFF },
        { ALLSERVER, 2, 0xFFFFFFFF },
        { ALLCOUNTRIES, 3, 0xFFFFFFFF },
        { BASIC_SERVER, 2, 1 },
        { COMBAT_SERVER, 2, 2 },
        { UNIT_SERVER, 2, 3 },
        { INVESTMENT_SERVER, 2, 6 },
        { EVENT_SERVER, 2, 7 },
        { DIPLOMACY_SERVER, 2, 9 },
        { CHARACTER_SERVER, 2, 10 },
        { NEWEVENT_SERVER, 2, 11 },
        { BASIC_CLIENT, 8, 1 },
        { PAPACY, 14, 12 },
        { CRUSADE, 14, 13 },
        { REBEL_LEADER, 10, 0xFFFFFFFD },
        { ANONYMOUS_SOLDIER, 10, 0xFFFFFFFE },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.id.type, c.type);
        EXPECT_EQ(c.id.number, c.number);
    }
}

} // namespace
