// The seven troop types and CMilitaryComposition, one number per troop type: a count of men, a set of
// weapon, armour and combat multipliers, or a set of attrition factors.
#pragma once

#include <cstddef>
#include <cstdint>

#include "foundation/scripter.h"

// The index of every per-type array.
enum TroopType : std::int32_t {
    HEAVY_CAVALRY = 0,
    LIGHT_CAVALRY = 1,
    ARCHER_CAVALRY = 2,
    PIKEMEN = 3,
    HEAVY_INFANTRY = 4,
    ARCHERS = 5,
    MILITIA = 6,
};
inline constexpr int kTroopTypeCount = 7;

class CMilitaryComposition : public CLScripter {
public:
    // All seven values 1 (a neutral set of multipliers) when the flag is true, else 0.
    explicit CMilitaryComposition(bool neutral = false);
    // In the order of the saved keys, not of TroopType: heavy cavalry, light cavalry, archer cavalry,
    // archers, heavy infantry, pikemen, militia.
    CMilitaryComposition(float heavyCav, float lightCav, float archerCav, float archers, float heavyInf,
        float pikemen, float militia);
    CMilitaryComposition(const CMilitaryComposition&) = default;
    CMilitaryComposition& operator=(const CMilitaryComposition&) = default;
    ~CMilitaryComposition() = default;

    // The troop type's localised name and description; "" outside 0..6.
    static const char* GetName(int type);
    static const char* GetDesc(int type);
    // The troop type's key in saved blocks; "" outside 0..6.
    static const char* GetKeyword(int type);
    // The troop type whose key the token is; kTroopTypeCount for any other token.
    static int GetTroopType(int token);

    // The value truncated toward zero; 0 outside 0..6.
    int Get(int type) const;
    // The value as held; 0 outside 0..6.
    float GetValue(int type) const;
    // Outside 0..6 nothing changes.
    void Set(int type, int value);
    // Adds to one value and answers the new value; outside 0..6 nothing changes and 0 is answered.
    float Add(int type, float amount);
    // The seven values added up, as held.
    float GetTotal() const;
    void MemberwiseMultiplicationAndAssignment(const CMilitaryComposition& other);
    // Every value times the factor.
    CMilitaryComposition operator*(float factor) const;
    // Every value times the factor, in place; answers a copy of the result.
    CMilitaryComposition operator*=(float factor);
    CMilitaryComposition& operator+=(const CMilitaryComposition& other);
    // A value that would fall below 0 becomes 0: nobody loses more men than he has.
    CMilitaryComposition& operator-=(const CMilitaryComposition& other);
    // Each value becomes at most the other's.
    void Cap(const CMilitaryComposition& other);
    // Each value rounded down to a whole number.
    void Floor();
    // The seven values added up, then truncated toward zero.
    int GetTotalSize() const;

    // Appends one line per troop type to the buffer. Absolute form: types at exactly 0 are skipped, the
    // others give "name label +value". Percent form: types at exactly 1 are skipped, the others give
    // "label name +percent\%" of (value - 1) x 100. Text past the buffer's size is cut.
    void GetSpecialInfo(const char* label, char* buffer, std::size_t size, bool percent) const;
    // Writes the values into the buffer: all seven as "name: value" lines, or compact, those above 0 on one
    // line separated by ", ". Text past the buffer's size is cut.
    void GetInfo(char* buffer, std::size_t size, bool compact) const;

    // The block of the non-zero values in key order; the caller owns it.
    CLScript* GetScript() const override;
    void SetScript(CLScript*) override { }
    // Reads the block after its "{": keys in any order, a key left out keeps its value; any other key
    // abandons the load as a parse error.
    virtual int ParseFields(CRZParser& parser);

    bool operator==(const CMilitaryComposition& other) const;

private:
    float values[kTroopTypeCount];
};
