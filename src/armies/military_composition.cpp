// Troop type names and the values, texts and saved blocks of military compositions.
#include "armies/military_composition.h"

#include <algorithm>
#include <cmath>

#include "datalang/block_reader.h"
#include "datalang/parser.h"
#include "datalang/script_tree.h"
#include "foundation/utilities.h"
#include "text/new_text.h"

#include "foundation/safeguards.h"

namespace {

struct CTroopTypeText {
    CRZTokenType keyword;
    const char* nameKey;
    const char* descKey;
};

// In TroopType order.
const CTroopTypeText kTroopTexts[kTroopTypeCount] = {
    { static_cast<CRZTokenType>(662), "TTYPE_HEAVCAV", "TTYPE_HEAVCAV_DESC" },
    { static_cast<CRZTokenType>(663), "TTYPE_LIGHCAV", "TTYPE_LIGHCAV_DESC" },
    { static_cast<CRZTokenType>(664), "TTYPE_ARCHCAV", "TTYPE_ARCHCAV_DESC" },
    { static_cast<CRZTokenType>(667), "TTYPE_PIKEMEN", "TTYPE_PIKEMEN_DESC" },
    { static_cast<CRZTokenType>(666), "TTYPE_HEAVINF", "TTYPE_HEAVINF_DESC" },
    { static_cast<CRZTokenType>(665), "TTYPE_ARCHERS", "TTYPE_ARCHERS_DESC" },
    { static_cast<CRZTokenType>(668), "TTYPE_MILITIA", "TTYPE_MILITIA_DESC" },
};

// The order in which blocks are written and the seven-value constructor takes its arguments.
const TroopType kKeyOrder[kTroopTypeCount]
    = { HEAVY_CAVALRY, LIGHT_CAVALRY, ARCHER_CAVALRY, ARCHERS, HEAVY_INFANTRY, PIKEMEN, MILITIA };

bool IsTroopType(int type)
{
    return type >= 0 && type < kTroopTypeCount;
}

} // namespace

CMilitaryComposition::CMilitaryComposition(bool neutral)
{
    for (float& value : values)
        value = neutral ? 1.0f : 0.0f;
}

CMilitaryComposition::CMilitaryComposition(float heavyCav, float lightCav, float archerCav, float archers,
    float heavyInf, float pikemen, float militia)
{
    const float given[kTroopTypeCount]
        = { heavyCav, lightCav, archerCav, archers, heavyInf, pikemen, militia };
    for (int i = 0; i < kTroopTypeCount; ++i)
        values[kKeyOrder[i]] = given[i];
}

const char* CMilitaryComposition::GetName(int type)
{
    return IsTroopType(type) ? TextStrings.GetString(kTroopTexts[type].nameKey) : "";
}

const char* CMilitaryComposition::GetDesc(int type)
{
    return IsTroopType(type) ? TextStrings.GetString(kTroopTexts[type].descKey) : "";
}

const char* CMilitaryComposition::GetKeyword(int type)
{
    const char* word = IsTroopType(type) ? CLexer::GetString(kTroopTexts[type].keyword) : nullptr;
    return word ? word : "";
}

int CMilitaryComposition::GetTroopType(int token)
{
    int type = 0;
    while (type < kTroopTypeCount && kTroopTexts[type].keyword != token)
        ++type;
    return type;
}

int CMilitaryComposition::Get(int type) const
{
    return static_cast<int>(GetValue(type));
}

float CMilitaryComposition::GetValue(int type) const
{
    return IsTroopType(type) ? values[type] : 0.0f;
}

void CMilitaryComposition::Set(int type, int value)
{
    if (IsTroopType(type))
        values[type] = static_cast<float>(value);
}

float CMilitaryComposition::Add(int type, float amount)
{
    if (!IsTroopType(type))
        return 0.0f;
    values[type] += amount;
    return values[type];
}

void CMilitaryComposition::MemberwiseMultiplicationAndAssignment(const CMilitaryComposition& other)
{
    for (int type = 0; type < kTroopTypeCount; ++type)
        values[type] *= other.values[type];
}

void CMilitaryComposition::GetSpecialInfo(
    const char* label, char* buffer, std::size_t size, bool percent) const
{
    for (int type = 0; type < kTroopTypeCount; ++type) {
        const float value = values[type];
        if (percent && value != 1.0f)
            AppendFormat(buffer, size, "%s %s %+.0f\\%% \n", label, GetName(type), (value - 1.0f) * 100.0f);
        else if (!percent && value != 0.0f)
            AppendFormat(buffer, size, "%s %s %+.0f\n", GetName(type), label, value);
    }
}

void CMilitaryComposition::GetInfo(char* buffer, std::size_t size, bool compact) const
{
    if (size == 0)
        return;
    buffer[0] = '\0';
    bool first = true;
    for (int type = 0; type < kTroopTypeCount; ++type) {
        if (!compact) {
            AppendFormat(buffer, size, "%s: %.0f\n", GetName(type), values[type]);
        } else if (values[type] > 0.0f) {
            AppendFormat(buffer, size, "%s%s: %.0f", first ? "" : ", ", GetName(type), values[type]);
            first = false;
        }
    }
}

CLScript* CMilitaryComposition::GetScript() const
{
    CLSList* list = new CLSList;
    for (const TroopType type : kKeyOrder)
        if (values[type] != 0.0f)
            list->Append(new CLSymbol(kTroopTexts[type].keyword, new CLFloat(values[type])));
    return list;
}

int CMilitaryComposition::ParseFields(CRZParser& parser)
{
    return ReadBlockStatements(parser, [&] {
        const int type = GetTroopType(static_cast<int>(parser.key.type));
        if (type == kTroopTypeCount)
            parser.ParseError("unknown lhs in scenario file (military composition)");
        values[type] = qvx_atof(parser.value.text);
        return kReadOn;
    });
}

bool CMilitaryComposition::operator==(const CMilitaryComposition& other) const
{
    for (int type = 0; type < kTroopTypeCount; ++type)
        if (values[type] != other.values[type])
            return false;
    return true;
}

CMilitaryComposition CMilitaryComposition::operator*(float factor) const
{
    CMilitaryComposition product(*this);
    for (float& value : product.values)
        value *= factor;
    return product;
}

CMilitaryComposition CMilitaryComposition::operator*=(float factor)
{
    *this = *this * factor;
    return *this;
}

CMilitaryComposition& CMilitaryComposition::operator+=(const CMilitaryComposition& other)
{
    for (int type = 0; type < kTroopTypeCount; ++type)
        values[type] += other.values[type];
    return *this;
}

CMilitaryComposition& CMilitaryComposition::operator-=(const CMilitaryComposition& other)
{
    for (int type = 0; type < kTroopTypeCount; ++type)
        values[type] = std::max(values[type] - other.values[type], 0.0f);
    return *this;
}

void CMilitaryComposition::Cap(const CMilitaryComposition& other)
{
    for (int type = 0; type < kTroopTypeCount; ++type)
        values[type] = std::min(values[type], other.values[type]);
}

void CMilitaryComposition::Floor()
{
    for (float& value : values)
        value = std::floor(value);
}

int CMilitaryComposition::GetTotalSize() const
{
    return static_cast<int>(GetTotal());
}

float CMilitaryComposition::GetTotal() const
{
    float total = 0.0f;
    for (float value : values)
        total += value;
    return total;
}
