// The 15 province effects, the passing conditions of a province: their types read once from
// "db\ProvinceEffects.txt", each a modifier, and CProvinceEffectTuple, the effects a province has now.
#pragma once

#include <cstdint>

#include "datalang/definition_keywords.h"
#include "realms/modifier.h"

// The effect named by a keyword token; kEffectCount for any other token.
int GetProvinceEffectType(int token);

class CProvinceEffectType : public CLScripter {
public:
    // Builds the 15 types with neutral modifiers and reads "db\ProvinceEffects.txt" into them. False when
    // the file is missing or broken: the report is in GetAssertMessage and the table stays as it was.
    static bool Init();
    static bool InitFromFile(const char* path);
    static void Shutdown();
    // The type of an effect number; null outside 0..14 or while no table is loaded.
    static const CProvinceEffectType* Get(int id);

    int GetID() const { return id; }
    const CModifier& GetModifier() const { return effects; }
    // The localised name ("PE_" key) and explanation ("PEX_" key).
    const char* GetName() const;
    const char* GetExplanation() const;

    void SetNumber(int number) { id = number; }
    CLScript* GetScript() const override { return nullptr; }
    // Reads an effect's block after its "{": only "effects", a modifier block. Another key abandons the load
    // with "unknown lhs in ProvinceEffect file".
    virtual int ParseFields(CRZParser& parser);

private:
    int32_t id = 0;
    CModifier effects;

    static CProvinceEffectType* _pTypes;
};

// One flag per effect number.
class CProvinceEffectTuple : public CLScripter, public CKeywordFlags<kEffectCount> {
public:
    // The neutral modifier plus the effects of every effect held, in number order. One static modifier,
    // overwritten by the next call.
    const CModifier& GetModifier() const;

    // "keyword = yes" for each effect held, in number order; the caller owns the list.
    CLScript* GetScript() const override;
    // Reads an effect set block after its "{": each effect is held when its value is "yes" and not
    // otherwise; a key that is no effect abandons the load with "Unknown ".
    virtual int ParseFields(CRZParser& parser);
};
