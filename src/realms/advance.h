// The 150 advances: their types read once from "db\advances.txt" in categories and groups of up to five
// levels, the weapons, armours and combat multipliers they give divisions, and CAdvanceTuple, the advances a
// province or a division has.
#pragma once

#include <cstddef>
#include <cstdint>

#include "armies/military_composition.h"
#include "datalang/definition_keywords.h"
#include "events/record_values.h"
#include "foundation/linked_list.h"
#include "realms/modifier.h"

// The advance named by a keyword token; kAdvanceCount for any other token.
int GetAdvanceType(int token);

// A group's levels run from 0 to 4.
inline constexpr int kAdvanceLevels = 5;

class CWeapon final : public CLScripter {
public:
    CWeapon();
    float GetAttackValue(int type) const { return attack.GetValue(type); }
    // The defender's value in the attacker's multipliers; 0 outside the troop types.
    float GetAttackMultiplier(int attacker, int defender) const;
    // The attack value of the type times the sum of its seven multipliers.
    float GetSuitability(int type) const;
    // Appends the player's text to the buffer, cut to its size; returns the buffer.
    char* GetInfo(char* buffer, std::size_t size) const;

    CLScript* GetScript() const override { return nullptr; }
    // Reads a weapon block after its "{": "attack" and one multiplier block per attacking troop type.
    virtual int ParseFields(CRZParser& parser);

private:
    CMilitaryComposition attack;
    CMilitaryComposition multipliers[kTroopTypeCount];
};

class CArmor final : public CLScripter {
public:
    float GetDefenceValue(int type) const { return defence.GetValue(type); }
    char* GetInfo(char* buffer, std::size_t size) const;

    CLScript* GetScript() const override { return nullptr; }
    virtual int ParseFields(CRZParser& parser);

private:
    CMilitaryComposition defence;
};

class CCombatMultiplier final : public CLScripter {
public:
    float GetShockMultiplier(int type) const { return shock.GetValue(type); }
    float GetMoraleMultiplier(int type) const { return morale.GetValue(type); }
    void MemberwiseMultiplicationAndAssignment(const CCombatMultiplier& other);
    char* GetInfo(char* buffer, std::size_t size) const;

    CLScript* GetScript() const override { return nullptr; }
    virtual int ParseFields(CRZParser& parser);

private:
    CMilitaryComposition shock { true };
    CMilitaryComposition morale { true };
};

class CAdvanceType : public CLScripter {
public:
    CAdvanceType() = default;
    ~CAdvanceType();
    CAdvanceType(const CAdvanceType&) = delete;
    CAdvanceType& operator=(const CAdvanceType&) = delete;

    // Reads "db\advances.txt" into a fresh table and group list. False when the file is missing or broken:
    // the report is in GetAssertMessage and the table and groups stay as they were.
    static bool Init();
    static bool InitFromFile(const char* path);
    // Deletes the records and every group.
    static void Shutdown();
    // The record of an advance number; null outside 0..149 or while no table is loaded. An advance the
    // file never named has the number kAdvanceCount.
    static const CAdvanceType* Get(int id);

    int GetID() const { return number; }
    int GetGroup() const { return group; }
    int GetCategory() const { return category; }
    const CModifier& GetModifier() const { return lastingEffects; }
    float GetSiege() const { return siege; }
    // Owned by the record; null when the advance gives none.
    const CWeapon* GetWeapon() const { return weapon; }
    const CArmor* GetArmor() const { return armor; }
    const CCombatMultiplier* GetCombatMultiplier() const { return combatMultiplier; }

    // The localised "<KEYWORD>_NAME"; "NO_SUCH_ADVANCE_NAME" for a number outside 0..149.
    const char* GetName() const;
    // The player's text of everything the advance gives, in one static buffer that the next call
    // overwrites.
    const char* GetEffects() const;

    CLScript* GetScript() const override { return nullptr; }
    // Reads an advance's block after its "{"; an unknown key abandons the load with
    // "unknown lhs in advance file".
    virtual int ParseFields(CRZParser& parser);

private:
    friend class CAdvanceTypeGroup;

    int32_t number = kAdvanceCount;
    int32_t group = -1;
    int32_t category = -1;
    CModifier lastingEffects;
    CWeapon* weapon = nullptr;
    CArmor* armor = nullptr;
    float siege = 0.0f;
    CCombatMultiplier* combatMultiplier = nullptr;

    static CAdvanceType* _types;
};

class CAdvanceTypeGroup final : public CLScripter {
public:
    // In file order; the groups belong to the list.
    static const CList<CAdvanceTypeGroup*>& GetGroups() { return _groups; }
    // The first group with the number, or null.
    static const CAdvanceTypeGroup* GetGroup(int id);

    int GetId() const { return number; }
    int GetCategory() const { return category; }
    // The advance number in a level slot; kAdvanceCount for an empty slot or a level outside 0..4.
    int GetAdvanceTypeFromLevel(int level) const;
    const CAdvanceType* Get(int level) const { return CAdvanceType::Get(GetAdvanceTypeFromLevel(level)); }
    // The localised "ADV_GROUP_NAME_<number>".
    const char* GetName() const;
    const char* GetSpriteName() const { return "gfx\\interface\\tech_missile_bows.bmp"; }

    CLScript* GetScript() const override { return nullptr; }
    // Reads a group's block after its "{" into the records of the table being built; a sixth advance
    // abandons the load with "more than five advances in a group in advance file".
    int ParseFields(CRZParser& parser, CAdvanceType* types);

private:
    friend class CAdvanceType;
    friend class CAdvanceTypeCategory;

    int32_t number = -1;
    int32_t category = -1;
    int32_t levels[kAdvanceLevels]
        = { kAdvanceCount, kAdvanceCount, kAdvanceCount, kAdvanceCount, kAdvanceCount };
    int32_t levelCount = 0;

    static CList<CAdvanceTypeGroup*> _groups;
};

// Read only to number its groups; it keeps nothing after reading.
class CAdvanceTypeCategory : public CLScripter {
public:
    CLScript* GetScript() const override { return nullptr; }
    // Reads a category's block after its "{", appending each group to the list.
    int ParseFields(CRZParser& parser, CAdvanceType* types, CList<CAdvanceTypeGroup*>& groups);

private:
    int32_t number = -1;
};

// One bit per advance number.
class CAdvanceTuple : public CLScripter {
public:
    bool Exists(int id) const;
    // Numbers outside 0..149 change nothing.
    void Add(int id);
    void Remove(int id);
    // Every advance of other is held here too.
    bool HasAll(const CAdvanceTuple& other) const;
    // One above the highest level of the group held (level 0 alone counts as none), at most 4.
    int GetNextLevelToDevelopInGroup(int group) const;

    // "keyword = yes" for each advance held, in number order; the caller owns the list.
    CLScript* GetScript() const override;
    // Reads an advance set block after its "{": "yes" adds the advance, any other value leaves it as it
    // was; a key that is no advance abandons the load with "Unknown ".
    virtual int ParseFields(CRZParser& parser);

    bool operator==(const CAdvanceTuple& other) const;

    // The form the division events carry; bits past the last advance are dropped on the way in.
    CAdvanceTupleRecord ToRecord() const;
    static CAdvanceTuple FromRecord(const CAdvanceTupleRecord& record);

private:
    static constexpr int kWords = 5;
    uint32_t bits[kWords] = {};
};
