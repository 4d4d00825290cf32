// The 94 traits: their fixed numbers and keywords, the trait types read once from "db\traits.txt", and
// CTraitTuple, the set of traits a character carries.
#pragma once

#include <cstdint>

#include "datalang/attribute_tuple.h"
#include "datalang/definition_keywords.h"
#include "foundation/scripter.h"
#include "realms/score.h"

// Traits the game tests by number.
enum : int {
    TRAIT_HERETIC = 27,
    TRAIT_BASTARD = 45,
    TRAIT_EXCOMMUNICATED = 70,
};

// The trait named by a keyword token; kTraitCount for any other token.
int GetTraitType(int token);

// One flag per trait number.
class CTraitTuple : public CLScripter, public CKeywordFlags<kTraitCount> {
public:
    // "keyword = yes" for each trait held, in number order; the caller owns the list.
    CLScript* GetScript() const override;
    // Reads a trait set block after its "{": "yes" adds the trait, any other value leaves it as it was; a
    // key that is no trait abandons the load with "Unknown trait type".
    virtual int ParseFields(CRZParser& parser);

    // How others regard a bearer of this set: the sum of the traits' opinion_of.
    float GetOpinionOf() const;
    // How a bearer of this set regards a bearer of the other: trait i's opinion of trait j, summed over
    // every i held here and j held there.
    float GetOpinionOf(const CTraitTuple& other) const;
    // Member-wise sums over the traits held, from zero.
    CAttributeTuple GetAttributeModifier() const;
    CSimpleScore GetPeriodicScoreModifier() const;
};

// One float per trait number.
class CTraitFloatTuple : public CLScripter {
public:
    // 0 outside 0..93.
    float Get(int number) const { return number >= 0 && number < kTraitCount ? values[number] : 0.0f; }
    // "keyword = value" for each value that is not 0; the caller owns the list.
    CLScript* GetScript() const override;
    // Reads "keyword = number" statements after the "{"; a key that is no trait abandons the load with
    // "Unknown trait type".
    virtual int ParseFields(CRZParser& parser);

private:
    float values[kTraitCount] = {};
};

class CTraitType : public CLScripter {
public:
    // Builds the 94 types empty and reads "db\traits.txt" into them. False when the file is missing or
    // broken: the report is in GetAssertMessage and the table stays as it was.
    static bool Init();
    // The same from any definition file.
    static bool InitFromFile(const char* path);
    static void Shutdown();
    // The type of a trait number; null outside 0..93 or while no table is loaded.
    static const CTraitType* Get(int id);

    int GetID() const { return id; }
    const CTraitTuple& GetAntithesis() const { return antithesis; }
    const CTraitTuple& GetTerminates() const { return terminates; }
    // How a bearer of this trait regards a bearer of the other trait.
    float GetOpinion(int other) const { return opinion.Get(other); }
    float GetOpinionOf() const { return opinionOf; }
    const CAttributeTuple& GetAttributes() const { return attributes; }
    const CSimpleScore& GetPeriodicScore() const { return periodicScore; }

    // The localised name ("TRAIT_NAME_" and the trait's word).
    const char* GetName() const;
    // The localised description ("TRAIT_DESC_" and the word), copied into one static buffer that the next
    // call overwrites.
    const char* GetCompletedDescription() const;
    // The text of prefix joined with the trait's upper-case word; the bare prefix outside 0..93.
    const char* GetString(const char* prefix) const;
    // The key itself: prefix and word, cut to the buffer.
    static void GetTextKey(int id, const char* prefix, char* key, std::size_t size);

    // Types are never written back.
    void SetNumber(int number) { id = number; }
    CLScript* GetScript() const override { return nullptr; }
    // Reads a type's block after its "{"; an unknown key abandons the load with "unknown lhs in trait file".
    virtual int ParseFields(CRZParser& parser);

private:
    int32_t id = 0;
    CTraitTuple antithesis;
    CTraitTuple terminates;
    CTraitFloatTuple opinion;
    float opinionOf = 0.0f;
    CAttributeTuple attributes;
    CSimpleScore periodicScore;

    static CTraitType* _pTypes;
};

// One bearer's traits gathered once, for weighing him against many others in a row (a ruler against every
// other ruler each month): the set's bits and the type table are then read once, not once per other.
class CTraitOpinion {
public:
    explicit CTraitOpinion(const CTraitTuple& own);
    // own.GetOpinionOf(other) + other.GetOpinionOf(), each summed in the order those sum, so the float
    // result is the same to the bit.
    float GetCompabilitySum(const CTraitTuple& other) const;

private:
    const CTraitType* types[kTraitCount];
    int count = 0;
};
