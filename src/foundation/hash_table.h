// CHashTable: a chained hash table of a fixed bucket count that finds objects by the key each object
// carries (GetHashKey); it holds pointers and owns only its buckets and links.
#pragma once

#include <cstdint>
#include <functional>

// K supplies GetHashValue(bucket count) and ==; V supplies GetHashKey() returning a K.
template <class K, class V> class CHashTable {
public:
    struct Link {
        V* object;
        Link* next;
    };

    explicit CHashTable(uint32_t inSize)
        : size(inSize > 0 ? inSize : 1)
        , buckets(new Link*[this->size]())
    {
    }
    CHashTable(const CHashTable&) = delete;
    CHashTable& operator=(const CHashTable&) = delete;
    ~CHashTable()
    {
        RemoveAll();
        delete[] buckets;
    }

    // The new link goes in front, so of two equal keys the one added last is found and removed first.
    // Nothing checks for a key already present: callers that need uniqueness look it up first.
    void Add(V* object)
    {
        Link*& first = buckets[object->GetHashKey().GetHashValue(size)];
        first = new Link { object, first };
        ++count;
    }

    // Null when no object has the key.
    V* Find(const K& key) const
    {
        for (Link* link = buckets[key.GetHashValue(size)]; link != nullptr; link = link->next) {
            if (link->object->GetHashKey() == key)
                return link->object;
        }
        return nullptr;
    }

    bool Remove(const K& key)
    {
        return Unlink(key, [&](const V* object) { return object->GetHashKey() == key; });
    }

    // Removes the link that holds this very object, whatever else shares its key.
    bool Remove(const V* object)
    {
        return Unlink(object->GetHashKey(), [&](const V* held) { return held == object; });
    }

    // Frees every link; the objects stay alive.
    void RemoveAll() { Clear(false); }
    // Deletes every object, then frees every link.
    void DeleteAll() { Clear(true); }

    // Bucket by bucket, each chain from its head.
    void ForEach(const std::function<void(V*)>& f) const
    {
        for (uint32_t i = 0; i < size; ++i) {
            for (Link* link = buckets[i]; link != nullptr; link = link->next)
                f(link->object);
        }
    }

    int32_t GetCount() const { return count; }
    uint32_t GetBucketCount() const { return size; }

private:
    template <class Match> bool Unlink(const K& key, Match matches)
    {
        Link** at = &buckets[key.GetHashValue(size)];
        for (; *at != nullptr; at = &(*at)->next) {
            if (matches((*at)->object)) {
                Link* gone = *at;
                *at = gone->next;
                delete gone;
                --count;
                return true;
            }
        }
        return false;
    }

    void Clear(bool deleteObjects)
    {
        for (uint32_t i = 0; i < size; ++i) {
            for (Link* link = buckets[i]; link != nullptr;) {
                Link* next = link->next;
                if (deleteObjects)
                    delete link->object;
                delete link;
                link = next;
            }
            buckets[i] = nullptr;
        }
        count = 0;
    }

    int32_t count = 0;
    uint32_t size;
    Link** buckets;
};
