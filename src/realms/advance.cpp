// Advance types read from "db\advances.txt", their groups, the equipment they give and the advance sets of
// provinces and divisions.
#include "realms/advance.h"

#include <cstdio>
#include <cstring>
#include <memory>

#include "foundation/text_format.h"
#include "foundation/utilities.h"
#include "realms/province_improvement.h"
#include "text/new_text.h"

#include "foundation/safeguards.h"

namespace {

constexpr CRZTokenType KW_CATEGORY = static_cast<CRZTokenType>(306);
constexpr CRZTokenType KW_GROUP = static_cast<CRZTokenType>(197);
constexpr CRZTokenType KW_ID = static_cast<CRZTokenType>(1252);
constexpr CRZTokenType KW_LASTING_EFFECTS = static_cast<CRZTokenType>(775);
constexpr CRZTokenType KW_SIEGE = static_cast<CRZTokenType>(164);
constexpr CRZTokenType KW_WEAPON = static_cast<CRZTokenType>(1094);
constexpr CRZTokenType KW_ARMOR = static_cast<CRZTokenType>(1156);
constexpr CRZTokenType KW_COMBAT_MULTIPLIER = static_cast<CRZTokenType>(1095);
constexpr CRZTokenType KW_ATTACK = static_cast<CRZTokenType>(1093);
constexpr CRZTokenType KW_DEFENCE = static_cast<CRZTokenType>(1154);
constexpr CRZTokenType KW_SHOCK = static_cast<CRZTokenType>(163);
constexpr CRZTokenType KW_MORALE = static_cast<CRZTokenType>(366);

constexpr const char* kUnknownAdvanceKey = "unknown lhs in advance file";

// Reads a composition block given as the statement's value.
void ReadComposition(CRZParser& parser, CMilitaryComposition& composition, const char* message)
{
    ExpectBlock(parser, message);
    composition.ParseFields(parser);
}

// Replaces an owned block (a block given twice keeps the later one) and reads it.
template <class T> void ReadOwned(CRZParser& parser, T*& owned)
{
    ExpectBlock(parser, kUnknownAdvanceKey);
    delete owned;
    owned = new T;
    owned->ParseFields(parser);
}

} // namespace

CAdvanceType* CAdvanceType::_types = nullptr;
CList<CAdvanceTypeGroup*> CAdvanceTypeGroup::_groups;

int GetAdvanceType(int token)
{
    return kAdvanceKind.Find(token);
}

CWeapon::CWeapon()
{
    for (CMilitaryComposition& multiplier : multipliers)
        multiplier = CMilitaryComposition(true);
}

float CWeapon::GetAttackMultiplier(int attacker, int defender) const
{
    return attacker >= 0 && attacker < kTroopTypeCount ? multipliers[attacker].GetValue(defender) : 0.0f;
}

float CWeapon::GetSuitability(int type) const
{
    float sum = 0.0f;
    for (int defender = 0; defender < kTroopTypeCount; ++defender)
        sum += GetAttackMultiplier(type, defender);
    return GetAttackValue(type) * sum;
}

char* CWeapon::GetInfo(char* buffer, std::size_t size) const
{
    attack.GetSpecialInfo(TextStrings.GetString("ADV_ATTACK"), buffer, size, false);
    for (int type = 0; type < kTroopTypeCount; ++type) {
        char label[256];
        CopyString(label,
            FormatDataText(TextStrings.GetString("ADV_ATTACKMUL"), { CMilitaryComposition::GetName(type) })
                .c_str(),
            sizeof label);
        multipliers[type].GetSpecialInfo(label, buffer, size, true);
    }
    return buffer;
}

int CWeapon::ParseFields(CRZParser& parser)
{
    constexpr const char* kUnknown = "unknown lhs in advances file (weapon)";
    return ReadBlockStatements(parser, [&] {
        if (parser.key.type == KW_ATTACK) {
            ReadComposition(parser, attack, kUnknown);
            return kReadOn;
        }
        const int type = CMilitaryComposition::GetTroopType(static_cast<int>(parser.key.type));
        if (type == kTroopTypeCount)
            parser.ParseError(kUnknown);
        ReadComposition(parser, multipliers[type], kUnknown);
        return kReadOn;
    });
}

char* CArmor::GetInfo(char* buffer, std::size_t size) const
{
    defence.GetSpecialInfo(TextStrings.GetString("ADV_DEFENCE"), buffer, size, false);
    return buffer;
}

int CArmor::ParseFields(CRZParser& parser)
{
    constexpr const char* kUnknown = "unknown lhs in advances file (armor)";
    return ReadBlockStatements(parser, [&] {
        if (parser.key.type != KW_DEFENCE)
            parser.ParseError(kUnknown);
        ReadComposition(parser, defence, kUnknown);
        return kReadOn;
    });
}

void CCombatMultiplier::MemberwiseMultiplicationAndAssignment(const CCombatMultiplier& other)
{
    shock.MemberwiseMultiplicationAndAssignment(other.shock);
    morale.MemberwiseMultiplicationAndAssignment(other.morale);
}

char* CCombatMultiplier::GetInfo(char* buffer, std::size_t size) const
{
    shock.GetSpecialInfo(TextStrings.GetString("ADV_SHOCK"), buffer, size, true);
    morale.GetSpecialInfo(TextStrings.GetString("ADV_MORALE"), buffer, size, true);
    return buffer;
}

int CCombatMultiplier::ParseFields(CRZParser& parser)
{
    constexpr const char* kUnknown = "unknown lhs in advances file (combat multiplier)";
    return ReadBlockStatements(parser, [&] {
        if (parser.key.type == KW_SHOCK)
            ReadComposition(parser, shock, kUnknown);
        else if (parser.key.type == KW_MORALE)
            ReadComposition(parser, morale, kUnknown);
        else
            parser.ParseError(kUnknown);
        return kReadOn;
    });
}

CAdvanceType::~CAdvanceType()
{
    delete weapon;
    delete armor;
    delete combatMultiplier;
}

bool CAdvanceType::Init()
{
    return InitFromFile("db\\advances.txt");
}

bool CAdvanceType::InitFromFile(const char* path)
{
    std::unique_ptr<CAdvanceType[]> types(new CAdvanceType[kAdvanceCount]);
    CList<CAdvanceTypeGroup*> groups;
    const bool read = LoadDefinitionFile(path, [&](CRZParser& parser) {
        ReadFileStatements(parser, kUnknownAdvanceKey, [&] {
            if (parser.key.type != KW_CATEGORY)
                parser.ParseError(kUnknownAdvanceKey);
            ExpectBlock(parser, kUnknownAdvanceKey);
            CAdvanceTypeCategory block;
            block.ParseFields(parser, types.get(), groups);
        });
    });
    if (!read) {
        DeleteAll(groups);
        return false;
    }
    Shutdown();
    _types = types.release();
    CAdvanceTypeGroup::_groups = groups;
    return true;
}

void CAdvanceType::Shutdown()
{
    delete[] _types;
    _types = nullptr;
    DeleteAll(CAdvanceTypeGroup::_groups);
}

const CAdvanceType* CAdvanceType::Get(int id)
{
    return _types && id >= 0 && id < kAdvanceCount ? &_types[id] : nullptr;
}

const char* CAdvanceType::GetName() const
{
    const bool known = number >= 0 && number < kAdvanceCount;
    return GetKeywordText("", known ? kAdvanceKind.GetWord(number) : "NO_SUCH_ADVANCE", "_NAME");
}

const char* CAdvanceType::GetEffects() const
{
    static char text[8192];
    text[0] = '\0';
    if (weapon)
        weapon->GetInfo(text, sizeof text);
    if (armor)
        armor->GetInfo(text, sizeof text);
    if (combatMultiplier)
        combatMultiplier->GetInfo(text, sizeof text);
    AppendFormat(text, sizeof text, "%s", lastingEffects.GetDescription());
    for (int id = 0; id < kImprovementCount; ++id)
        if (const CProvinceImprovementType* improvement = CProvinceImprovementType::Get(id))
            if (improvement->GetRequiredAdvances().Exists(number))
                AppendFormat(
                    text, sizeof text, "%s: %s\n", TextStrings.GetString("ADV_IMPR"), improvement->GetName());
    if (siege != 0.0f)
        AppendFormat(text, sizeof text, "%s %+.0f\n", TextStrings.GetString("ADV_SIEGE"), siege);
    return text;
}

int CAdvanceType::ParseFields(CRZParser& parser)
{
    return ReadBlockStatements(parser, [&] {
        switch (parser.key.type) {
        case KW_LASTING_EFFECTS:
            ExpectBlock(parser, kUnknownAdvanceKey);
            lastingEffects.ParseFields(parser);
            break;
        case KW_SIEGE:
            siege = qvx_atof(parser.value.text);
            break;
        case KW_WEAPON:
            ReadOwned(parser, weapon);
            break;
        case KW_ARMOR:
            ReadOwned(parser, armor);
            break;
        case KW_COMBAT_MULTIPLIER:
            ReadOwned(parser, combatMultiplier);
            break;
        default:
            parser.ParseError(kUnknownAdvanceKey);
        }
        return kReadOn;
    });
}

const CAdvanceTypeGroup* CAdvanceTypeGroup::GetGroup(int id)
{
    for (CList<CAdvanceTypeGroup*>::Iterator at = _groups.GetHead(); !at.IsEnd(); at++)
        if ((*at)->number == id)
            return *at;
    return nullptr;
}

int CAdvanceTypeGroup::GetAdvanceTypeFromLevel(int level) const
{
    return level >= 0 && level < kAdvanceLevels ? levels[level] : kAdvanceCount;
}

const char* CAdvanceTypeGroup::GetName() const
{
    char key[64];
    std::snprintf(key, sizeof key, "ADV_GROUP_NAME_%d", number);
    return TextStrings.GetString(key);
}

int CAdvanceTypeGroup::ParseFields(CRZParser& parser, CAdvanceType* types)
{
    return ReadBlockStatements(parser, [&] {
        if (parser.key.type == KW_ID) {
            number = TextToInt(parser.value.text);
            return kReadOn;
        }
        const int id = GetAdvanceType(parser.key.type);
        if (id == kAdvanceCount)
            parser.ParseError(kUnknownAdvanceKey);
        // The slots end at level 4: a sixth advance would be written past them.
        if (levelCount == kAdvanceLevels)
            parser.ParseError("more than five advances in a group in advance file");
        ExpectBlock(parser, kUnknownAdvanceKey);
        CAdvanceType& type = types[id];
        type.number = id;
        type.group = number;
        type.category = category;
        type.ParseFields(parser);
        levels[levelCount++] = id;
        return kReadOn;
    });
}

int CAdvanceTypeCategory::ParseFields(
    CRZParser& parser, CAdvanceType* types, CList<CAdvanceTypeGroup*>& groups)
{
    return ReadBlockStatements(parser, [&] {
        if (parser.key.type == KW_ID) {
            number = TextToInt(parser.value.text);
        } else if (parser.key.type == KW_GROUP) {
            ExpectBlock(parser, kUnknownAdvanceKey);
            CAdvanceTypeGroup* group = new CAdvanceTypeGroup;
            group->category = number;
            // Listed before it is read, so that a failed read still frees it.
            groups.Append(group);
            group->ParseFields(parser, types);
        } else {
            parser.ParseError(kUnknownAdvanceKey);
        }
        return kReadOn;
    });
}

bool CAdvanceTuple::Exists(int id) const
{
    return id >= 0 && id < kAdvanceCount && (bits[id / 32] & (1u << (id % 32))) != 0;
}

void CAdvanceTuple::Add(int id)
{
    if (id >= 0 && id < kAdvanceCount)
        bits[id / 32] |= 1u << (id % 32);
}

void CAdvanceTuple::Remove(int id)
{
    if (id >= 0 && id < kAdvanceCount)
        bits[id / 32] &= ~(1u << (id % 32));
}

bool CAdvanceTuple::HasAll(const CAdvanceTuple& other) const
{
    for (int word = 0; word < kWords; ++word)
        if ((bits[word] & other.bits[word]) != other.bits[word])
            return false;
    return true;
}

bool CAdvanceTuple::operator==(const CAdvanceTuple& other) const
{
    return HasAll(other) && other.HasAll(*this);
}

CAdvanceTupleRecord CAdvanceTuple::ToRecord() const
{
    CAdvanceTupleRecord record {};
    for (int word = 0; word < kWords; ++word)
        record.bits[word] = bits[word];
    return record;
}

CAdvanceTuple CAdvanceTuple::FromRecord(const CAdvanceTupleRecord& record)
{
    CAdvanceTuple tuple;
    for (int id = 0; id < kAdvanceCount; ++id)
        if ((record.bits[id / 32] >> (id % 32)) & 1u)
            tuple.Add(id);
    return tuple;
}

int CAdvanceTuple::GetNextLevelToDevelopInGroup(int groupId) const
{
    const CAdvanceTypeGroup* group = CAdvanceTypeGroup::GetGroup(groupId);
    int highest = 0;
    for (int id = 0; group && id < kAdvanceCount; ++id)
        if (Exists(id))
            for (int level = 0; level < kAdvanceLevels; ++level)
                if (group->GetAdvanceTypeFromLevel(level) == id && level > highest)
                    highest = level;
    return highest + 1 < 4 ? highest + 1 : 4;
}

CLScript* CAdvanceTuple::GetScript() const
{
    return WriteKeywordSet(kAdvanceKind, [&](int id) { return Exists(id); });
}

int CAdvanceTuple::ParseFields(CRZParser& parser)
{
    return ReadKeywordSet(parser, kAdvanceKind, "Unknown ", [&](int id, bool yes) {
        if (yes)
            Add(id);
    });
}
