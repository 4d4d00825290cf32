// CFlags, the named counters that scripts set, increase and test; the global game state holds the game's
// flags and saves them in its "flags" block.
#pragma once

#include <cstdint>

#include "foundation/linked_list.h"
#include "foundation/scripter.h"

struct CFlag {
    // At most 255 characters; longer names are cut.
    char name[256];
    int16_t value;
};

// Owns its flags. Names compare without regard to letter case.
class CFlags : public CLScripter {
public:
    CFlags() = default;
    virtual ~CFlags();
    CFlags(const CFlags&) = delete;
    CFlags& operator=(const CFlags&) = delete;

    // Creates the flag with the value when it does not exist.
    void SetFlag(const char* name, int value);
    // Adds within 16 bits; a missing flag starts at 0.
    void IncFlag(const char* name, int delta);
    // Null when no flag has the name.
    const CFlag* Find(const char* name) const;
    int GetCount() const { return flags.GetSize(); }
    void RemoveAll();

    // Reads "name = value" entries up to and including the block's "}": "yes" is 1, "no" 0, anything
    // else an integer kept in 16 bits. 0 at the end of the block.
    virtual int ParseFields(CRZParser& parser);
    // Every flag as "name = value", in the order the flags were made.
    CLScript* GetScript() const override;

private:
    CFlag* FindOrAdd(const char* name);

    CList<CFlag*> flags;
};
