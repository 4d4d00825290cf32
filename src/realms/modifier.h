// CModifier: the economic and military factors and amounts that an advance, a province improvement or a
// province effect applies, and that a province carries as the sum of all that applies to it.
#pragma once

#include "characters/stands_tuple.h"
#include "realms/score.h"

class CProvince;
class CProvinceImprovementType;

// A value: copied into the definitions that own it and summed into temporaries. Never saved; games rebuild
// modifiers from the definitions, so GetScript writes nothing.
class CModifier : public CLScripter {
public:
    CModifier() = default;
    CModifier(const CModifier&) = default;
    CModifier& operator=(const CModifier&) = default;
    ~CModifier() = default;

    // Reads a "lasting_effects" or "effects" block after its "{" up to its "}": 0 at its end. A key the
    // modifier does not know abandons the load as the parse error "unknown lhs in CModifier".
    virtual int ParseFields(CRZParser& parser);
    // An empty list the caller owns.
    CLScript* GetScript() const override;

    // Factors multiply, amounts add.
    CModifier& operator+=(const CModifier& other);

    // The player's text, a line per field away from its default; empty for a default modifier. One static
    // buffer, overwritten by the next call.
    const char* GetDescription() const;

    // The province's monthly revenue under this modifier (the province's own), by source: the estates'
    // taxes, each estate's share by its loyalty times the income, at the owner's budget rates and under the
    // score factor and the owner's demesne and stewardship, with the periodic score in the buildings' part.
    // A province without an owner yields the periodic score alone.
    CCompositeScore GetProvinceMonthlyScore(const CProvince& province) const;

    // Plunder part only: the gold of the province's income plus the pillage score.
    CCompositeScore GetProvincePlunderScore(const CProvince& province) const;

    // The improvement's cost in the construction part; the modifier does not change it.
    CCompositeScore GetProvinceImprovementCost(const CProvinceImprovementType& type) const;
    // The improvement's construction time times the build-time factor, truncated toward zero; a product
    // that is no number or beyond the int range is held to 0 or that range.
    int GetProvinceImprovementBuildTimeInMonths(const CProvinceImprovementType& type) const;

    // Multipliers around 1: 1.1 is ten percent more.
    CSimpleScore scoreFactor { 1.0f, 1.0f, 1.0f };
    float buildTimeFactor = 1.0f;
    float speedFactor = 1.0f;
    float assassinationFactor = 1.0f;
    float transportationCostFactor = 1.0f;
    // Amounts that add up.
    float demesne = 0.0f;
    float tollsFactor = 1.0f;
    float recruitmentFactor = 1.0f;
    float attrition = 0.0f;
    float supportable = 0.0f;
    CSimpleScore periodicScore;
    CStandsTuple periodicLoyalty;
    CSimpleScore pillageScore;
    CStandsTuple loyalty;
};
