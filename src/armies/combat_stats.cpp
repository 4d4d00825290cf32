// The troop types' base combat values from "db\combat.txt", and the empty losses record.
#include "armies/combat_stats.h"

#include <cmath>

#include "datalang/block_reader.h"
#include "datalang/definition_kind.h"
#include "datalang/parser.h"
#include "datalang/script_tree.h"
#include "text/new_text.h"

#include "foundation/safeguards.h"

namespace {

constexpr const char* kUnknownKey = "unknown lhs in combatstats file";
constexpr const char* kOutOfRange = "combat value out of range in combatstats file";
// No troop type's value comes near this; more is a damaged file, and would not fit the whole numbers the
// getters answer.
constexpr float kLargestValue = 1.0e6f;

enum Table { SIZE, ATTACK, DEFENCE, SHOCK, MORALE, UPKEEP, kTableCount };

// In Table order.
const CRZTokenType kTableKeys[kTableCount] = {
    static_cast<CRZTokenType>(482), // size
    static_cast<CRZTokenType>(1093), // attack
    static_cast<CRZTokenType>(1154), // defence
    static_cast<CRZTokenType>(163), // shock
    static_cast<CRZTokenType>(366), // morale
    static_cast<CRZTokenType>(36), // upkeep
};

struct CEquipmentNames {
    const char* weapon;
    const char* armor;
};

// In TroopType order.
const CEquipmentNames kBaseEquipment[kTroopTypeCount] = {
    { "HEAVY_CAV_BASE_WEAPON_NAME", "HEAVY_CAV_BASE_ARMOR_NAME" },
    { "LIGHT_CAV_BASE_WEAPON_NAME", "LIGHT_CAV_BASE_ARMOR_NAME" },
    { "ARCHERS_CAV_BASE_WEAPON_NAME", "ARCHERS_CAV_BASE_ARMOR_NAME" },
    { "PIKEMEN_BASE_WEAPON_NAME", "PIKEMEN_BASE_ARMOR_NAME" },
    { "HEAVY_INF_BASE_WEAPON_NAME", "HEAVY_INF_BASE_ARMOR_NAME" },
    { "ARCHERS_BASE_WEAPON_NAME", "ARCHERS_BASE_ARMOR_NAME" },
    { "MILITIA_BASE_WEAPON_NAME", "MILITIA_BASE_ARMOR_NAME" },
};

CMilitaryComposition gTables[kTableCount];

int FindTable(int token)
{
    int table = 0;
    while (table < kTableCount && kTableKeys[table] != token)
        ++table;
    return table;
}

bool IsTroopType(int type)
{
    return type >= 0 && type < kTroopTypeCount;
}

float Value(Table table, int type)
{
    return static_cast<float>(gTables[table].Get(type));
}

} // namespace

bool CCombatStats::Init()
{
    return InitFromFile("db\\combat.txt");
}

bool CCombatStats::InitFromFile(const char* path)
{
    CMilitaryComposition read[kTableCount];
    const bool loaded = LoadDefinitionFile(path, [&](CRZParser& parser) {
        // Anything but a statement ends the file: a stray "}" is taken with it.
        while (parser.ParseSimpleStatement() == 1) {
            const int table = FindTable(static_cast<int>(parser.key.type));
            if (table == kTableCount)
                parser.ParseError(kUnknownKey);
            ExpectBlock(parser, kUnknownKey);
            read[table].ParseFields(parser);
            for (int type = 0; type < kTroopTypeCount; ++type) {
                const float value = read[table].GetValue(type);
                if (!std::isfinite(value) || value < 0.0f || value > kLargestValue)
                    parser.ParseError(kOutOfRange);
            }
        }
        if (parser.GetLexer()->peek()->type == TT_CLOSE_BRACE)
            parser.GetLexer()->getTok();
    });
    if (!loaded)
        return false;
    for (int table = 0; table < kTableCount; ++table)
        gTables[table] = read[table];
    return true;
}

void CCombatStats::Shutdown()
{
    for (CMilitaryComposition& table : gTables)
        table = CMilitaryComposition();
}

int CCombatStats::GetCoySize(int type)
{
    return gTables[SIZE].Get(type);
}

float CCombatStats::GetBaseAttValue(int type)
{
    return Value(ATTACK, type);
}

float CCombatStats::GetBaseDefValue(int type)
{
    return Value(DEFENCE, type);
}

float CCombatStats::GetBaseShockValue(int type)
{
    return Value(SHOCK, type);
}

float CCombatStats::GetBaseMoraleValue(int type)
{
    return Value(MORALE, type);
}

float CCombatStats::GetUpkeep(int type)
{
    return Value(UPKEEP, type);
}

const char* CCombatStats::GetBaseWeaponName(int type)
{
    return IsTroopType(type) ? TextStrings.GetString(kBaseEquipment[type].weapon) : "";
}

const char* CCombatStats::GetBaseArmorName(int type)
{
    return IsTroopType(type) ? TextStrings.GetString(kBaseEquipment[type].armor) : "";
}

CLScript* CRZLosses::GetScript() const
{
    return new CLSList;
}

int CRZLosses::ParseFields(CRZParser& parser)
{
    SkipBlock(parser, "unexpected end of file in a losses block");
    return 0;
}
