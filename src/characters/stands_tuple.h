// CStandsTuple: one value per estate (peasants, burghers, clergy, nobles) of a realm or province, as shares
// or weights, with its arithmetic and its data-language block.
#pragma once

#include "foundation/scripter.h"

class CStandsTuple : public CLScripter {
public:
    enum : int {
        PEASANTS = 0,
        BURGHERS = 1,
        CLERGY = 2,
        NOBLES = 3,
        COUNT = 4,
    };

    CStandsTuple() = default;
    CStandsTuple(float peasants, float burghers, float clergy, float nobles)
        : values { peasants, burghers, clergy, nobles }
    {
    }
    CStandsTuple(const CStandsTuple&) = default;
    CStandsTuple& operator=(const CStandsTuple&) = default;
    ~CStandsTuple() = default;

    // Estates 0 to 3; any other number reads 0 and writes nothing. Inline: every province reads its
    // estates every day.
    float Get(int which) const { return which >= 0 && which < COUNT ? values[which] : 0.0f; }
    void Set(int which, float value)
    {
        if (which >= 0 && which < COUNT)
            values[which] = value;
    }

    float GetPeasants() const { return values[PEASANTS]; }
    float GetBurghers() const { return values[BURGHERS]; }
    float GetClergy() const { return values[CLERGY]; }
    float GetNobles() const { return values[NOBLES]; }

    CStandsTuple& operator+=(const CStandsTuple& other);
    CStandsTuple operator*(float factor) const;
    CStandsTuple MemberwiseMultiplication(const CStandsTuple& other) const;
    // Adds to one estate, then holds all four to 0..1.
    void Add(int which, float value);
    // Holds every estate to 0..1.
    void Limit();
    // Scales the four to sum 1; a sum already within 0.001 of 1 is left alone, and a sum within 0.001 of 0
    // gives each estate a quarter.
    void Normalize();

    // The block { peasants = f burghers = f clergy = f nobles = f }: all four, always, as a new statement
    // list the caller owns.
    CLScript* GetScript() const override;
    // Reads the block after its "{" up to its "}": 0 at its end; another key abandons the load as a parse
    // error.
    virtual int ParseFields(CRZParser& parser);

private:
    float values[COUNT] = {};
};
