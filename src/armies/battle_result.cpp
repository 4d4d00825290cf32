// Battle results: their war-score value, their crusade scores, their event form and their saved block.
#include "armies/battle_result.h"

#include <algorithm>

#include "datalang/block_reader.h"
#include "datalang/parser.h"
#include "datalang/script_tree.h"
#include "foundation/utilities.h"

#include "foundation/safeguards.h"

namespace {

constexpr CRZTokenType KW_BR_PROVINCE = static_cast<CRZTokenType>(388);
constexpr CRZTokenType KW_BR_STARTDATE = static_cast<CRZTokenType>(203);
constexpr CRZTokenType KW_BR_ENDDATE = static_cast<CRZTokenType>(204);
constexpr CRZTokenType KW_ATTACKER_LOSSES = static_cast<CRZTokenType>(1084);
constexpr CRZTokenType KW_DEFENDER_LOSSES = static_cast<CRZTokenType>(1085);
constexpr CRZTokenType KW_ATTACKER_WON = static_cast<CRZTokenType>(1086);
constexpr CRZTokenType KW_NO_OF_ATTACKERS = static_cast<CRZTokenType>(1087);
constexpr CRZTokenType KW_NO_OF_DEFENDERS = static_cast<CRZTokenType>(1088);
constexpr CRZTokenType KW_AGGRESSOR_IS_ATTACKER = static_cast<CRZTokenType>(1090);
constexpr const char* kUnknownKey = "unknown lhs in scenario file (battle result)";

// Losses count in whole men.
float Men(const CMilitaryComposition& losses)
{
    return static_cast<float>(static_cast<int32_t>(losses.GetTotal()));
}

void RequireBlock(CRZParser& parser)
{
    if (parser.value.type != TT_OPEN_BRACE)
        parser.ParseError(kUnknownKey);
}

} // namespace

CMilitaryComposition CompositionFromRecord(const CMilitaryCompositionRecord& record)
{
    CMilitaryComposition composition;
    for (int type = 0; type < kTroopTypeCount; ++type)
        composition.Add(type, record.values[type]);
    return composition;
}

CMilitaryCompositionRecord CompositionToRecord(const CMilitaryComposition& composition)
{
    CMilitaryCompositionRecord record {};
    for (int type = 0; type < kTroopTypeCount; ++type)
        record.values[type] = composition.GetValue(type);
    return record;
}

CBattleResult::CBattleResult(int32_t inProvince, const CDate& start, const CDate& end,
    const CMilitaryComposition& attackerLost, const CMilitaryComposition& defenderLost,
    bool aggressorAttacked, bool won, int32_t attackers, int32_t defenders)
    : province(inProvince)
    , startDate(start)
    , endDate(end)
    , attackerLosses(attackerLost)
    , defenderLosses(defenderLost)
    , aggressorIsAttacker(aggressorAttacked)
    , attackerWon(won)
    , attackerCount(attackers)
    , defenderCount(defenders)
{
}

CBattleResult::CBattleResult(const CBattleResultRecord& record)
    : province(record.province)
    , startDate(record.startDate.date)
    , endDate(record.endDate.date)
    , attackerLosses(CompositionFromRecord(record.attackerLosses))
    , defenderLosses(CompositionFromRecord(record.defenderLosses))
    , aggressorIsAttacker(record.aggressorIsAttacker != 0)
    , attackerWon(record.attackerWon != 0)
    , attackerCount(record.attackers)
    , defenderCount(record.defenders)
{
}

CBattleResultRecord CBattleResult::ToRecord() const
{
    CBattleResultRecord record {};
    record.province = province;
    record.startDate = startDate;
    record.endDate = endDate;
    record.attackerLosses = CompositionToRecord(attackerLosses);
    record.defenderLosses = CompositionToRecord(defenderLosses);
    record.aggressorIsAttacker = aggressorIsAttacker ? 1u : 0u;
    record.attackerWon = attackerWon ? 1u : 0u;
    record.attackers = attackerCount;
    record.defenders = defenderCount;
    return record;
}

float CBattleResult::GetValue() const
{
    const float attackerMen = Men(attackerLosses);
    const float defenderMen = Men(defenderLosses);
    const bool aggressorWon = aggressorIsAttacker == attackerWon;
    if (aggressorWon)
        return std::max((aggressorIsAttacker ? defenderMen : attackerMen) / 500.0f, 1.0f);
    return -std::max((aggressorIsAttacker ? attackerMen : defenderMen) / 500.0f, 1.0f);
}

float CBattleResult::GetCrusadeScoreForAttacker(float areaFactor) const
{
    if (attackerWon)
        return 5.0f * Men(defenderLosses) * areaFactor / 1087.0f;
    return -Men(attackerLosses) * areaFactor / 1087.0f;
}

float CBattleResult::GetCrusadeScoreForDefender(float areaFactor) const
{
    if (!attackerWon)
        return 5.0f * Men(attackerLosses) * areaFactor / 1088.0f;
    return -Men(defenderLosses) * areaFactor / 1087.0f;
}

CLScript* CBattleResult::GetScript() const
{
    CLSList* list = new CLSList;
    list->Append(new CLSymbol(KW_BR_PROVINCE, new CLInteger(province)));
    list->Append(new CLSymbol(KW_BR_STARTDATE, startDate.GetScript()));
    list->Append(new CLSymbol(KW_BR_ENDDATE, endDate.GetScript()));
    list->Append(new CLSymbol(KW_ATTACKER_LOSSES, attackerLosses.GetScript()));
    list->Append(new CLSymbol(KW_DEFENDER_LOSSES, defenderLosses.GetScript()));
    list->Append(new CLSymbol(KW_AGGRESSOR_IS_ATTACKER, new CLBool(aggressorIsAttacker)));
    list->Append(new CLSymbol(KW_ATTACKER_WON, new CLBool(attackerWon)));
    list->Append(new CLSymbol(KW_NO_OF_ATTACKERS, new CLInteger(attackerCount)));
    list->Append(new CLSymbol(KW_NO_OF_DEFENDERS, new CLInteger(defenderCount)));
    return list;
}

int CBattleResult::ParseFields(CRZParser& parser)
{
    return ReadBlockStatements(parser, [&] {
        switch (parser.key.type) {
        case KW_BR_PROVINCE:
            province = TextToInt(parser.value.text);
            break;
        case KW_BR_STARTDATE:
        case KW_BR_ENDDATE: {
            CDate& date = parser.key.type == KW_BR_STARTDATE ? startDate : endDate;
            RequireBlock(parser);
            date.ParseFields(parser);
            break;
        }
        case KW_ATTACKER_LOSSES:
        case KW_DEFENDER_LOSSES: {
            CMilitaryComposition& losses
                = parser.key.type == KW_ATTACKER_LOSSES ? attackerLosses : defenderLosses;
            RequireBlock(parser);
            losses.ParseFields(parser);
            break;
        }
        case KW_AGGRESSOR_IS_ATTACKER:
            aggressorIsAttacker = parser.value.type == KW_YES;
            break;
        case KW_ATTACKER_WON:
            attackerWon = parser.value.type == KW_YES;
            break;
        case KW_NO_OF_ATTACKERS:
            attackerCount = TextToInt(parser.value.text);
            break;
        case KW_NO_OF_DEFENDERS:
            defenderCount = TextToInt(parser.value.text);
            break;
        default:
            parser.ParseError(kUnknownKey);
        }
        return kReadOn;
    });
}
