// The estates tuple: arithmetic, clamping, normalising and its block in scenario and definition files.
#include "characters/stands_tuple.h"

#include <algorithm>

#include "datalang/block_keywords.h"
#include "datalang/block_reader.h"
#include "datalang/script_tree.h"
#include "foundation/utilities.h"

#include "foundation/safeguards.h"

namespace {

const CRZTokenType kEstateKeys[CStandsTuple::COUNT] = { KW_PEASANTS, KW_BURGHERS, KW_CLERGY, KW_NOBLES };

} // namespace

CStandsTuple& CStandsTuple::operator+=(const CStandsTuple& other)
{
    for (int which = 0; which < COUNT; ++which)
        values[which] += other.values[which];
    return *this;
}

CStandsTuple CStandsTuple::operator*(float factor) const
{
    CStandsTuple result;
    for (int which = 0; which < COUNT; ++which)
        result.values[which] = values[which] * factor;
    return result;
}

CStandsTuple CStandsTuple::MemberwiseMultiplication(const CStandsTuple& other) const
{
    CStandsTuple result;
    for (int which = 0; which < COUNT; ++which)
        result.values[which] = values[which] * other.values[which];
    return result;
}

void CStandsTuple::Add(int which, float value)
{
    Set(which, Get(which) + value);
    Limit();
}

void CStandsTuple::Limit()
{
    for (float& value : values)
        value = std::clamp(value, 0.0f, 1.0f);
}

void CStandsTuple::Normalize()
{
    float sum = 0.0f;
    for (float value : values)
        sum += value;
    if (sum > 0.999f && sum < 1.001f)
        return;
    for (float& value : values)
        value = sum > -0.001f && sum < 0.001f ? 0.25f : value / sum;
}

CLScript* CStandsTuple::GetScript() const
{
    CLSList* list = new CLSList;
    for (int which = 0; which < COUNT; ++which)
        list->Append(new CLSymbol(kEstateKeys[which], new CLFloat(values[which])));
    return list;
}

int CStandsTuple::ParseFields(CRZParser& parser)
{
    return ReadBlockStatements(parser, [&] {
        const CRZTokenType* key = std::find(
            std::begin(kEstateKeys), std::end(kEstateKeys), static_cast<CRZTokenType>(parser.key.type));
        if (key == std::end(kEstateKeys))
            parser.ParseError("unknown lhs in scenario file (score)");
        values[key - kEstateKeys] = qvx_atof(parser.value.text);
        return kReadOn;
    });
}
