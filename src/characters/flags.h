// CFlags, the named counters that scripts set, increase and test, kept in a case-insensitive ternary tree;
// the global game state holds the game's flags and saves them in its "flags" block.
#pragma once

#include <cstdint>

#include "foundation/scripter.h"
#include "foundation/ternary.h"

struct CFlag {
    // At most 255 characters; longer names are cut.
    char name[256];
    int16_t value;
};

// Owns its flags. Names compare without regard to letter case, and a name longer than 255 characters
// stands for its first 255; an empty name is no flag.
class CFlags : public CTernary<CFlag*>, public CLScripter {
public:
    CFlags() = default;
    ~CFlags() override { DeleteAll(); }

    // Creates the flag with the value; a flag of that name already there takes the value instead, so a
    // name is never held twice.
    void NewFlag(const char* name, int value);
    // Creates the flag with the value when it does not exist. The value is kept in 16 bits.
    void SetFlag(const char* name, int value);
    // Adds delta, creating the flag at 0 first. The sum stops at the ends of the 16-bit range rather than
    // wrapping round to the other sign.
    void IncFlag(const char* name, int delta);
    // True when the flag exists and holds at least value. A missing flag is made with 0 (and saved so).
    bool IsGreaterThan(const char* name, int value);
    // Null when no flag has the name.
    const CFlag* Find(const char* name) const;
    // Deletes every flag (the tree's own RemoveAll would only forget them).
    void RemoveAll() { DeleteAll(); }

    // Reads "name = value" entries up to and including the block's "}": "yes" is 1, "no" 0, anything
    // else an integer kept in 16 bits. 0 at the end of the block.
    virtual int ParseFields(CRZParser& parser);
    // Every flag as "name = value", in the tree's order: by name, letter case ignored.
    CLScript* GetScript() const override;

private:
    // The flag of the name, made with 0 when missing; null for an empty name.
    CFlag* FindOrAdd(const char* name);
};
