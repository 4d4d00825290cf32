// UInteger4 keeps its value most significant byte first, whatever the machine's byte order.
#include <gtest/gtest.h>

#include <cstring>

#include "foundation/uinteger4.h"

TEST(UInteger4, StoresNetworkByteOrder)
{
    struct Case {
        uint32_t value;
        uint8_t bytes[4];
    } cases[] = {
        { 0x12345678u, { 0x12, 0x34, 0x56, 0x78 } },
        { 0u, { 0, 0, 0, 0 } },
        { 0xFFFFFFFFu, { 0xFF, 0xFF, 0xFF, 0xFF } },
        { 0x80000001u, { 0x80, 0x00, 0x00, 0x01 } },
    };
    for (const Case& c : cases) {
        UInteger4 n(c.value);
        EXPECT_EQ(0, std::memcmp(n.bytes, c.bytes, 4)) << std::hex << c.value;
        EXPECT_EQ(c.value, n.GetValue());
    }
    UInteger4 zero;
    EXPECT_EQ(0u, zero.GetValue());
}
