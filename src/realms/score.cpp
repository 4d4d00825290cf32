// Scores: their arithmetic, their text for the player and their blocks in scenario and saved-game files.
#include "realms/score.h"

#include <algorithm>
#include <cstdio>

#include "datalang/block_keywords.h"
#include "datalang/block_reader.h"
#include "datalang/script_tree.h"
#include "foundation/utilities.h"
#include "text/new_text.h"

#include "foundation/safeguards.h"

namespace {

const char* const kUnknownScoreKey = "unknown lhs in scenario file (score)";

const CRZTokenType kSourceKeys[VLST_SAVED_COUNT] = { KW_INCOME_TAX_PEASANTS, KW_INCOME_TAX_BURGERS,
    KW_INCOME_TAX_CLERGY, KW_INCOME_TAX_NOBLES, KW_INCOME_NEGOTIATIONS, KW_INCOME_BUILDINGS };

bool IsPart(VLScoreType type)
{
    return type >= 0 && type < VLST_COUNT;
}

} // namespace

CSimpleScore& CSimpleScore::operator+=(const CSimpleScore& other)
{
    gold += other.gold;
    prestige += other.prestige;
    piety += other.piety;
    return *this;
}

CSimpleScore& CSimpleScore::MemberwiseMultiplicationAndAssignment(const CScore& other)
{
    gold *= other.GetGold();
    prestige *= other.GetPrestige();
    piety *= other.GetPiety();
    return *this;
}

void CSimpleScore::GetDesc(char* out, std::size_t size) const
{
    if (size == 0)
        return;
    out[0] = '\0';
    const std::pair<float, const char*> parts[]
        = { { gold, "SCOREGOLD" }, { prestige, "PRESTIGE" }, { piety, "PIETY" } };
    std::size_t used = 0;
    for (const auto& [value, key] : parts) {
        if (value == 0.0f || used >= size - 1)
            continue;
        const int written
            = std::snprintf(out + used, size - used, "%.2f %s ", value, TextStrings.GetString(key));
        if (written > 0)
            used = std::min(size - 1, used + static_cast<std::size_t>(written));
    }
}

CLScript* CSimpleScore::GetScript() const
{
    CLSList* list = new CLSList;
    const std::pair<CRZTokenType, float> parts[]
        = { { KW_GOLD, gold }, { KW_PRESTIGE, prestige }, { KW_PIETY, piety } };
    for (const auto& [key, value] : parts)
        if (value != 0.0f)
            list->Append(new CLSymbol(key, new CLFloat(value)));
    return list;
}

int CSimpleScore::ParseFields(CRZParser& parser)
{
    return ReadBlockStatements(parser, [&] {
        const float value = qvx_atof(parser.value.text);
        switch (parser.key.type) {
        case KW_GOLD:
            gold = value;
            break;
        case KW_PRESTIGE:
            prestige = value;
            break;
        case KW_PIETY:
            piety = value;
            break;
        default:
            parser.ParseError(kUnknownScoreKey);
        }
        return kReadOn;
    });
}

CCompositeScore::CCompositeScore(VLScoreType type, const CSimpleScore& score)
{
    Add(type, score);
}

CSimpleScore CCompositeScore::Get(VLScoreType type) const
{
    return IsPart(type) ? parts[type] : CSimpleScore();
}

void CCompositeScore::Add(VLScoreType type, const CSimpleScore& score)
{
    if (IsPart(type))
        parts[type] += score;
}

CSimpleScore CCompositeScore::GetTotal() const
{
    CSimpleScore total;
    for (const CSimpleScore& part : parts)
        total += part;
    return total;
}

CCompositeScore CCompositeScore::operator-() const
{
    CCompositeScore result;
    for (int type = 0; type < VLST_COUNT; ++type)
        result.parts[type] = -parts[type];
    return result;
}

CCompositeScore& CCompositeScore::MemberwiseMultiplicationAndAssignment(const CScore& other)
{
    for (CSimpleScore& part : parts)
        part.MemberwiseMultiplicationAndAssignment(other);
    return *this;
}

CLScript* CCompositeScore::GetScript() const
{
    CLSList* list = new CLSList;
    for (int type = 0; type < VLST_SAVED_COUNT; ++type)
        if (!parts[type].IsZero())
            list->Append(new CLSymbol(kSourceKeys[type], parts[type].GetScript()));
    return list;
}

int CCompositeScore::ParseFields(CRZParser& parser)
{
    return ReadBlockStatements(parser, [&] {
        const CRZTokenType* key = std::find(
            std::begin(kSourceKeys), std::end(kSourceKeys), static_cast<CRZTokenType>(parser.key.type));
        if (key == std::end(kSourceKeys) || parser.value.type != TT_OPEN_BRACE)
            parser.ParseError(kUnknownScoreKey);
        parts[key - kSourceKeys].ParseFields(parser);
        return kReadOn;
    });
}
