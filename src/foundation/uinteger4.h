// UInteger4: the lobby's four-byte unsigned integer, kept most significant byte first (network order)
// whatever the machine's own byte order, so remote-call arguments can be copied to the wire as they are.
#pragma once

#include <cstdint>

struct UInteger4 {
    uint8_t bytes[4];

    UInteger4()
        : bytes { 0, 0, 0, 0 }
    {
    }
    UInteger4(uint32_t value)
        : bytes { static_cast<uint8_t>(value >> 24), static_cast<uint8_t>(value >> 16),
            static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value) }
    {
    }

    uint32_t GetValue() const
    {
        return uint32_t(bytes[0]) << 24 | uint32_t(bytes[1]) << 16 | uint32_t(bytes[2]) << 8 | bytes[3];
    }
};

static_assert(sizeof(UInteger4) == 4);
static_assert(alignof(UInteger4) == 1);
