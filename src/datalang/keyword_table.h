// The data language's keyword table: 1203 keywords with fixed ids from 11 to 1252.
#pragma once

#include <cstdint>

inline constexpr int kKeywordCount = 1203;

struct tokDescriptorEntry {
    std::uint32_t id;
    const char* name;
};

// In insertion order for the keyword tree (middle-first by name), not in order of id.
extern const tokDescriptorEntry tokDescriptor[kKeywordCount];
