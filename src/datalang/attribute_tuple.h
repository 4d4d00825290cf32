// CAttributeTuple: a character's six personal attributes, or a trait's bonuses to them, with whole-tuple
// arithmetic, the modifiers the game derives from single attributes, and their two data-language forms.
#pragma once

#include <cstdint>

#include "foundation/scripter.h"

class CAttributeTuple : public CLScripter {
public:
    enum : int {
        MARTIAL = 0,
        DIPLOMACY = 1,
        INTRIGUE = 2,
        STEWARDSHIP = 3,
        HEALTH = 4,
        FERTILITY = 5,
        COUNT = 6,
    };

    CAttributeTuple() = default;
    CAttributeTuple(int martial, int diplomacy, int intrigue, int stewardship, int health, int fertility)
        : values { martial, diplomacy, intrigue, stewardship, health, fertility }
    {
    }
    CAttributeTuple(const CAttributeTuple& other) = default;
    CAttributeTuple& operator=(const CAttributeTuple& other) = default;
    ~CAttributeTuple() = default;

    // The block form { martial = N ... fertility = N }, defined by the data language: a new statement list of
    // all six in number order, which the caller owns.
    CLScript* GetScript() const override;
    void SetScript(CLScript*) override { }
    // Reads the block after its "{": 0 at its end; an unknown key abandons the load as a parse error.
    virtual int ParseFields(CRZParser& parser);

    // Numbers 0 to 5 as in the enumeration; any other number reads 0 and writes nothing.
    int Get(int which) const;
    void Set(int which, int value);

    int GetMartial() const { return values[MARTIAL]; }
    int GetDiplomacy() const { return values[DIPLOMACY]; }
    int GetIntrigue() const { return values[INTRIGUE]; }
    int GetStewardship() const { return values[STEWARDSHIP]; }
    int GetHealth() const { return values[HEALTH]; }
    int GetFertility() const { return values[FERTILITY]; }

    // Sums are held to the int range rather than overflowing.
    void AddMartial(int amount) { Add(MARTIAL, amount); }
    void AddDiplomacy(int amount) { Add(DIPLOMACY, amount); }
    void AddIntrigue(int amount) { Add(INTRIGUE, amount); }
    void AddStewardship(int amount) { Add(STEWARDSHIP, amount); }
    void AddHealth(int amount) { Add(HEALTH, amount); }
    void AddFertility(int amount) { Add(FERTILITY, amount); }

    // The localised name of attribute 0 to 5, null for any other number.
    static const char* GetName(int which);
    // The text database's lookup of a key; the text database installs it. Unset, the name is the key.
    static const char* (*_pGetText)(const char* key);

    CAttributeTuple& operator+=(const CAttributeTuple& other);
    CAttributeTuple operator+(const CAttributeTuple& other) const;
    // Each value times the factor in single precision, truncated toward zero and held to the int range.
    CAttributeTuple& operator*=(float factor);
    void CapZero();

    // 0.5 * 2^(attribute / 10): 0.5 at 0, 1.0 at 10, 2.0 at 20.
    float GetCombatBonus() const { return Exponential(values[MARTIAL]); }
    float GetPeaceScoreModifier() const { return Exponential(values[DIPLOMACY]); }
    float GetResponseTimeModifier() const { return Exponential(values[DIPLOMACY]); }
    float GetGoldIncomeModifier() const { return Exponential(values[STEWARDSHIP]); }
    // (diplomacy - 10) / 200, halved when positive, at most 1.0 and with no lower bound.
    float GetLoyaltyModifier() const;

    // The compact form "martial.diplomacy.intrigue.stewardship.fertility.health" (fertility before health);
    // numbers missing at the end leave their values as they were.
    void AssignFromString(const char* text);

private:
    static float Exponential(int value);
    void Add(int which, int amount);

    int32_t values[COUNT] = {};
};
