// Modifiers: reading them from definition blocks, combining them and describing them to the player.
#include "realms/modifier.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>

#include "datalang/block_reader.h"
#include "datalang/script_tree.h"
#include "foundation/utilities.h"
#include "realms/country.h"
#include "realms/province.h"
#include "realms/province_improvement.h"
#include "text/new_text.h"

#include "foundation/safeguards.h"

namespace {

inline constexpr CRZTokenType KW_TOLLS = static_cast<CRZTokenType>(35);
inline constexpr CRZTokenType KW_LOYALTY = static_cast<CRZTokenType>(76);
inline constexpr CRZTokenType KW_SPEED = static_cast<CRZTokenType>(325);
inline constexpr CRZTokenType KW_ATTRITION = static_cast<CRZTokenType>(423);
inline constexpr CRZTokenType KW_DEMESNE = static_cast<CRZTokenType>(602);
inline constexpr CRZTokenType KW_SUPPORTABLE = static_cast<CRZTokenType>(640);
inline constexpr CRZTokenType KW_PERCENTAGE_SCORE = static_cast<CRZTokenType>(746);
inline constexpr CRZTokenType KW_PERCENTAGE_BUILD_TIME = static_cast<CRZTokenType>(747);
inline constexpr CRZTokenType KW_PERCENTAGE_ATTRITION = static_cast<CRZTokenType>(748);
inline constexpr CRZTokenType KW_PERCENTAGE_SPEED = static_cast<CRZTokenType>(749);
inline constexpr CRZTokenType KW_PERCENTAGE_ASSASINATION_SUCCESS = static_cast<CRZTokenType>(751);
inline constexpr CRZTokenType KW_PERCENTAGE_TRANSPORTATION_COST = static_cast<CRZTokenType>(752);
inline constexpr CRZTokenType KW_PERIODIC_LOYALTY = static_cast<CRZTokenType>(753);
inline constexpr CRZTokenType KW_PERIODIC_SCORE = static_cast<CRZTokenType>(754);
inline constexpr CRZTokenType KW_PILLAGE_SCORE = static_cast<CRZTokenType>(755);
inline constexpr CRZTokenType KW_REGIMENT_SKILL_BONUS = static_cast<CRZTokenType>(757);
inline constexpr CRZTokenType KW_RESEARCH_BONUS = static_cast<CRZTokenType>(759);
inline constexpr CRZTokenType KW_CHARACTER_SKILL_BONUS = static_cast<CRZTokenType>(760);

// Appends formatted lines to a fixed buffer; what does not fit is cut.
class CLineWriter {
public:
    CLineWriter(char* inBuffer, std::size_t inSize)
        : buffer(inBuffer)
        , size(inSize)
    {
        buffer[0] = '\0';
    }

    enum Kind { FACTOR_LINE, AMOUNT_LINE, PERIODIC_LOYALTY_LINE };

    // The text database's text only ever goes in as an argument, never as the format.
    void Append(Kind kind, const char* key, float value)
    {
        if (used + 1 >= size)
            return;
        char* const end = buffer + used;
        const std::size_t room = size - used;
        const char* const text = TextStrings.GetString(key);
        int written = 0;
        switch (kind) {
        case FACTOR_LINE:
            written = std::snprintf(end, room, "%s %+.0f\\%%\n", text, value);
            break;
        case AMOUNT_LINE:
            written = std::snprintf(end, room, "%s %+.0f\n", text, value);
            break;
        case PERIODIC_LOYALTY_LINE:
            written = std::snprintf(end, room, "%s %+.1f\n", text, value);
            break;
        }
        if (written > 0)
            used = std::min(size - 1, used + static_cast<std::size_t>(written));
    }

private:
    char* buffer;
    std::size_t size;
    std::size_t used = 0;
};

} // namespace

int CModifier::ParseFields(CRZParser& parser)
{
    return ReadBlockStatements(parser, [&] {
        const char* text = parser.value.text;
        const bool block = parser.value.type == TT_OPEN_BRACE;
        switch (parser.key.type) {
        case KW_PERCENTAGE_SCORE:
        case KW_PERIODIC_SCORE:
        case KW_PILLAGE_SCORE:
        case KW_PERIODIC_LOYALTY:
        case KW_LOYALTY:
            if (!block)
                parser.ParseError("unknown lhs in CModifier");
            break;
        default:
            break;
        }
        switch (parser.key.type) {
        case KW_PERCENTAGE_SCORE:
            scoreFactor.ParseFields(parser);
            break;
        case KW_PERIODIC_SCORE:
            periodicScore.ParseFields(parser);
            break;
        case KW_PILLAGE_SCORE:
            pillageScore.ParseFields(parser);
            break;
        case KW_PERIODIC_LOYALTY:
            periodicLoyalty.ParseFields(parser);
            break;
        case KW_LOYALTY:
            loyalty.ParseFields(parser);
            break;
        case KW_PERCENTAGE_BUILD_TIME:
            buildTimeFactor = qvx_atof(text);
            break;
        case KW_PERCENTAGE_SPEED:
            speedFactor = qvx_atof(text);
            break;
        case KW_PERCENTAGE_ASSASINATION_SUCCESS:
            assassinationFactor = qvx_atof(text);
            break;
        case KW_PERCENTAGE_TRANSPORTATION_COST:
            transportationCostFactor = qvx_atof(text);
            break;
        case KW_DEMESNE:
            demesne = qvx_atof(text);
            break;
        case KW_TOLLS:
            tollsFactor = qvx_atof(text);
            break;
        case KW_SPEED:
            recruitmentFactor = qvx_atof(text);
            break;
        case KW_ATTRITION:
        case KW_PERCENTAGE_ATTRITION:
            attrition = qvx_atof(text);
            break;
        case KW_SUPPORTABLE:
            supportable = qvx_atof(text);
            break;
        case KW_REGIMENT_SKILL_BONUS:
        case KW_RESEARCH_BONUS:
        case KW_CHARACTER_SKILL_BONUS:
            break;
        default:
            parser.ParseError("unknown lhs in CModifier");
        }
        return kReadOn;
    });
}

CLScript* CModifier::GetScript() const
{
    return new CLSList;
}

CModifier& CModifier::operator+=(const CModifier& other)
{
    scoreFactor.MemberwiseMultiplicationAndAssignment(other.scoreFactor);
    buildTimeFactor *= other.buildTimeFactor;
    speedFactor *= other.speedFactor;
    assassinationFactor *= other.assassinationFactor;
    transportationCostFactor *= other.transportationCostFactor;
    demesne += other.demesne;
    tollsFactor *= other.tollsFactor;
    recruitmentFactor *= other.recruitmentFactor;
    attrition += other.attrition;
    supportable += other.supportable;
    periodicScore += other.periodicScore;
    periodicLoyalty += other.periodicLoyalty;
    pillageScore += other.pillageScore;
    loyalty += other.loyalty;
    return *this;
}

const char* CModifier::GetDescription() const
{
    static char text[4096];
    CLineWriter lines(text, sizeof text);
    const std::pair<const char*, float> factors[] = {
        { "GOLD_BONUS", scoreFactor.GetGold() },
        { "PIETY_BONUS", scoreFactor.GetPiety() },
        { "PRESTIGE_BONUS", scoreFactor.GetPrestige() },
        { "BUILDTIME_BONUS", buildTimeFactor },
        { "SPEED_BONUS", speedFactor },
        { "ASSASINATION_BONUS", assassinationFactor },
        { "TOLL_MODIFIER", tollsFactor },
        { "RECRUIT_MODIFIER", recruitmentFactor },
    };
    // Factors read from text land a hair away from 1; only a real change is worth a line.
    for (const auto& [key, factor] : factors)
        if (std::fabs(factor - 1.0f) > 0.001f)
            lines.Append(CLineWriter::FACTOR_LINE, key, (factor - 1.0f) * 100.0f);
    if (attrition != 0.0f)
        lines.Append(CLineWriter::AMOUNT_LINE, "ATTRITION_MODIFIER", attrition * 100.0f);
    if (supportable != 0.0f)
        lines.Append(CLineWriter::AMOUNT_LINE, "SUPPORT_MODIFIER", supportable);
    if (demesne != 0.0f)
        lines.Append(CLineWriter::AMOUNT_LINE, "DEMESNE_MODIFIER", demesne * -100.0f);
    const auto appendScore = [&](const CSimpleScore& score, const char* const(&keys)[3]) {
        const float values[] = { score.GetGold(), score.GetPrestige(), score.GetPiety() };
        for (int part = 0; part < 3; ++part)
            if (values[part] != 0.0f)
                lines.Append(CLineWriter::AMOUNT_LINE, keys[part], values[part]);
    };
    const auto appendEstates = [&](const CStandsTuple& estates, const char* const(&keys)[CStandsTuple::COUNT],
                                   CLineWriter::Kind kind, float scale) {
        for (int estate = 0; estate < CStandsTuple::COUNT; ++estate)
            if (estates.Get(estate) != 0.0f)
                lines.Append(kind, keys[estate], estates.Get(estate) * scale);
    };
    appendScore(periodicScore, { "ABSOLUTE_GOLD_BONUS", "ABSOLUTE_PRESTIGE_BONUS", "ABSOLUTE_PIETY_BONUS" });
    appendEstates(periodicLoyalty,
        { "PEASANTS_PERIODIC_LOYALTY_BONUS", "BURGHERS_PERIODIC_LOYALTY_BONUS",
            "CLERGY_PERIODIC_LOYALTY_BONUS", "NOBLES_PERIODIC_LOYALTY_BONUS" },
        CLineWriter::PERIODIC_LOYALTY_LINE, 100.0f);
    appendScore(pillageScore,
        { "ABSOLUTE_PILLAGE_GOLD_BONUS", "ABSOLUTE_PILLAGE_PRESTIGE_BONUS", "ABSOLUTE_PILLAGE_PIETY_BONUS" });
    appendEstates(loyalty,
        { "PEASANTS_LOYALTY_BONUS", "BURGHERS_LOYALTY_BONUS", "CLERGY_LOYALTY_BONUS",
            "NOBLES_LOYALTY_BONUS" },
        CLineWriter::AMOUNT_LINE, 1.0f);
    return text;
}

CCompositeScore CModifier::GetProvinceImprovementCost(const CProvinceImprovementType& type) const
{
    return CCompositeScore(VLST_CONSTRUCTION, type.GetCost());
}

int CModifier::GetProvinceImprovementBuildTimeInMonths(const CProvinceImprovementType& type) const
{
    const double months = static_cast<double>(type.GetConstructionTime()) * buildTimeFactor;
    // Both numbers come from definition files: a cast of a value out of range would be undefined.
    if (!(months > INT_MIN && months < INT_MAX))
        return months >= INT_MAX ? INT_MAX : months <= INT_MIN ? INT_MIN : 0;
    return static_cast<int>(months);
}

CCompositeScore CModifier::GetProvinceMonthlyScore(const CProvince& province) const
{
    CCompositeScore score;
    const CRZCountry* owner = province.GetOwner();
    if (owner != nullptr) {
        const CStandsTuple shares = CProvince::GetTax();
        const CStandsTuple estateLoyalty = province.GetLoyalty();
        const float income = province.GetIncome();
        auto tax = [&](float share, float level) { return share * level * income; };
        const float* rates = owner->budget;
        score.Add(VLST_TAX_PEASANTS,
            CSimpleScore(
                tax(shares.GetPeasants(), estateLoyalty.GetPeasants()) * rates[SLIDER_CENSUS], 0.0f, 0.0f));
        score.Add(VLST_TAX_BURGHERS,
            CSimpleScore(
                tax(shares.GetBurghers(), estateLoyalty.GetBurghers()) * rates[SLIDER_TOLLS] * tollsFactor,
                0.0f, 0.0f));
        score.Add(
            VLST_TAX_CLERGY, CSimpleScore(tax(shares.GetClergy(), estateLoyalty.GetClergy()), 0.0f, 0.0f));
        score.Add(VLST_TAX_NOBLES,
            CSimpleScore(
                tax(shares.GetNobles(), estateLoyalty.GetNobles()) * rates[SLIDER_CROWN_DUTY], 0.0f, 0.0f));
        score.MemberwiseMultiplicationAndAssignment(scoreFactor);
        const float demesneShare = std::clamp(owner->GetDemesneIncomeModifier(demesne), 0.0f, 1.0f);
        const float stewardship = owner->ruler ? owner->ruler->attributes.GetGoldIncomeModifier() : 1.0f;
        score.MemberwiseMultiplicationAndAssignment(CSimpleScore(demesneShare * stewardship, 1.0f, 1.0f));
    }
    score.Add(VLST_BUILDINGS, periodicScore);
    return score;
}
