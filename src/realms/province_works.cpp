// What a realm's executed events do to a province's works: improvements begun and abandoned, and what
// plundering it yields.
#include <algorithm>

#include "app/game.h"
#include "realms/country.h"
#include "realms/modifier.h"
#include "realms/province.h"
#include "realms/province_improvement.h"

#include "foundation/safeguards.h"

void CProvince::StartConstruction(int type)
{
    const CProvinceImprovementType* improvement = CProvinceImprovementType::Get(type);
    if (improvement == nullptr)
        return;
    const CSimpleScore cost = modifier.GetProvinceImprovementCost(*improvement).GetTotal();
    constructionCost = cost;
    construction = type;
    constructionStart = CRZGame::GetCurrentDate();
    constructionDone = constructionStart;
    constructionDone.AddMonths(modifier.GetProvinceImprovementBuildTimeInMonths(*improvement));
    if (CRZCountry* owner = GetOwner())
        owner->AddScore(CCompositeScore(VLST_CONSTRUCTION, -cost));
}

void CProvince::CancelConstruction()
{
    if (construction != kNoImprovement) {
        const int planned = constructionDone.GetDays() - constructionStart.GetDays();
        const int elapsed = CRZGame::GetCurrentDate().GetDays() - constructionStart.GetDays();
        const float left
            = planned > 0 ? 1.0f - static_cast<float>(elapsed) / static_cast<float>(planned) : 1.0f;
        if (CRZCountry* owner = GetOwner())
            owner->AddScore(
                CCompositeScore(VLST_CONSTRUCTION, constructionCost * std::clamp(left, 0.0f, 1.0f)));
    }
    construction = kNoImprovement;
}

CCompositeScore CModifier::GetProvincePlunderScore(const CProvince& province) const
{
    CSimpleScore plunder(province.GetIncome(), 0.0f, 0.0f);
    plunder += pillageScore;
    return CCompositeScore(VLST_PLUNDER, plunder);
}
