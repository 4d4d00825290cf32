// For fuzz targets fed events as a peer sends them: the input is a u16 type, a u16 claimed record size,
// then the record's bytes after its type word, rebuilt as the receiving side rebuilds what arrives.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "events/event_factory.h"
#include "events/net_event.h"

// The rebuilt event, which the caller deletes; null for an input too short or a refused record.
inline CRZEvent* BuildFuzzedEvent(const std::uint8_t* data, std::size_t size)
{
    if (size < 4)
        return nullptr;
    std::uint16_t type;
    std::uint16_t recordSize;
    std::memcpy(&type, data, 2);
    std::memcpy(&recordSize, data + 2, 2);
    std::vector<std::uint8_t> record(recordSize, 0);
    const std::uint32_t type32 = type;
    // A record of size 0 has no storage to copy the type into: it goes to the builder empty.
    if (!record.empty())
        std::memcpy(record.data(), &type32, std::min<std::size_t>(4, record.size()));
    if (record.size() > 4)
        std::memcpy(record.data() + 4, data + 4, std::min(size - 4, record.size() - 4));
    CRZNetEvent net(record.data(), recordSize);
    return BuildEventFromNetwork(&net);
}

// The event of the given type whose record, after its type word, holds the body's bytes; the caller
// deletes it; null for a refused record.
inline CRZEvent* BuildEventOfType(std::uint32_t type, const std::uint8_t* body, std::size_t size)
{
    std::vector<std::uint8_t> record(size + 4, 0);
    std::memcpy(record.data(), &type, 4);
    if (size > 0)
        std::memcpy(record.data() + 4, body, size);
    CRZNetEvent net(record.data(), static_cast<std::uint32_t>(record.size()));
    return BuildEventFromNetwork(&net);
}
