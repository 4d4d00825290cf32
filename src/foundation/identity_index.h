// CIdentityIndex: the identity registry's table. Characters, titles and relations look each other up by
// identity many times a game day, so a lookup probes one flat array (open addressing, linear probing)
// rather than walking links and objects scattered over the heap.
#pragma once

#include <cstdint>
#include <vector>

#include "foundation/rz_id.h"

// V supplies GetHashKey() returning a CRZID. One object per key: the registry refuses a taken identity
// before it adds one.
template <class V> class CIdentityIndex {
public:
    CIdentityIndex() { Resize(kFirstCapacity); }

    // An object whose key is already held takes its place.
    void Add(V* object)
    {
        if ((count + 1) * 2 > slots.size())
            Resize(slots.size() * 2);
        Insert(KeyOf(object->GetHashKey()), object);
    }

    // Null when no object has the key.
    V* Find(const CRZID& id) const
    {
        const uint64_t key = KeyOf(id);
        for (std::size_t at = Home(key);; at = (at + 1) & mask) {
            const Slot& slot = slots[at];
            if (slot.object == nullptr)
                return nullptr;
            if (slot.key == key)
                return slot.object;
        }
    }

    // Removes the entry only when it holds this very object.
    bool Remove(const V* object)
    {
        const uint64_t key = KeyOf(object->GetHashKey());
        std::size_t at = Home(key);
        for (;; at = (at + 1) & mask) {
            if (slots[at].object == nullptr)
                return false;
            if (slots[at].key == key)
                break;
        }
        if (slots[at].object != object)
            return false;
        // Backward shift: entries after the hole that would no longer be reached from their home move
        // into it, so no marker of a removed entry is ever needed.
        std::size_t hole = at;
        for (std::size_t next = (hole + 1) & mask; slots[next].object != nullptr; next = (next + 1) & mask) {
            const std::size_t home = Home(slots[next].key);
            if (((next - home) & mask) >= ((next - hole) & mask)) {
                slots[hole] = slots[next];
                hole = next;
            }
        }
        slots[hole] = Slot {};
        --count;
        return true;
    }

    template <class F> void ForEach(F f) const
    {
        for (const Slot& slot : slots)
            if (slot.object != nullptr)
                f(slot.object);
    }

    std::size_t GetCount() const { return count; }

private:
    struct Slot {
        uint64_t key = 0;
        V* object = nullptr;
    };
    static constexpr std::size_t kFirstCapacity = 1 << 14;

    static uint64_t KeyOf(const CRZID& id) { return (static_cast<uint64_t>(id.type) << 32) | id.number; }
    std::size_t Home(uint64_t key) const
    {
        // Fibonacci hashing spreads the runs of consecutive numbers that scenarios and counters give out.
        return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> shift);
    }

    void Insert(uint64_t key, V* object)
    {
        for (std::size_t at = Home(key);; at = (at + 1) & mask) {
            Slot& slot = slots[at];
            if (slot.object == nullptr) {
                slot = Slot { key, object };
                ++count;
                return;
            }
            if (slot.key == key) {
                slot.object = object;
                return;
            }
        }
    }

    void Resize(std::size_t capacity)
    {
        std::vector<Slot> old;
        old.swap(slots);
        slots.assign(capacity, Slot {});
        mask = capacity - 1;
        shift = 64;
        for (std::size_t c = capacity; c > 1; c >>= 1)
            --shift;
        count = 0;
        for (const Slot& slot : old)
            if (slot.object != nullptr)
                Insert(slot.key, slot.object);
    }

    std::vector<Slot> slots;
    std::size_t mask = 0;
    unsigned shift = 64;
    std::size_t count = 0;
};
