// CText: the case-insensitive binary search tree behind the keyword table and, later, the text database.
// Not rebalanced: its shape is the order of insertion, so callers insert middle-first when depth matters.
#pragma once

#include <cstdint>

class CText {
public:
    // The root is itself a node, empty until the first Insert.
    CText();
    ~CText();
    CText(const CText&) = delete;
    CText& operator=(const CText&) = delete;

    // Stores copies of key and text under the key (letter case ignored); a key already present is fatal
    // (" Duplicate string in text database %s", thrown through _AssertRelease).
    void Insert(const char* key, const char* text, int id);

    // The id stored under the key (letter case ignored), or -1 when the key is not in the tree.
    int GetID(const char* wantedKey) const;

    // Levels of the deepest node (0 for an empty tree); lookups cost at most this many comparisons.
    int GetDepth() const;

private:
    char* key;
    char* folded; // the key with A to Z in lower case, the form lookups compare
    // The first eight folded bytes as one number that orders like the text: most levels of a lookup are
    // decided by it without reading the key.
    uint64_t prefix;
    char* text;
    CText* left;
    CText* right;
    int id;
};
