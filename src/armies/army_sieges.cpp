// Divisions' siege values and morale, and the armies as a besieged province sees them.
#include "armies/army_sieges.h"

#include <algorithm>

#include "armies/division.h"
#include "armies/unit.h"
#include "realms/province.h"

#include "foundation/safeguards.h"

float CDivision::GetSiegeValue() const
{
    float best = 0.5f;
    for (int advance = 0; advance < kAdvanceCount; ++advance)
        if (advances.Exists(advance))
            if (const CAdvanceType* type = CAdvanceType::Get(advance))
                best = std::max(best, type->GetSiege());
    return best;
}

float CDivision::GetSiegeStrength() const
{
    return static_cast<float>(GetTotalMen()) / (siegeTrain ? 100.0f : 250.0f) * GetSiegeValue();
}

void CDivision::RegainMorale()
{
    if (army == nullptr || army->IsInBattle())
        return;
    morale = std::min(morale + (army->movementOrders.empty() ? 0.25f : 0.2f), 1.0f);
}

void InstallArmySiegeHooks()
{
    gProvinceHooks.DescribeArmy = &DescribeSiegeArmy;
    gProvinceHooks.DescribeCommand = &DescribeSiegeCommand;
}

bool DescribeSiegeArmy(const CRZUnit* army, CSiegeArmy& out)
{
    if (army == nullptr)
        return false;
    out = CSiegeArmy();
    out.realm = army->owner;
    out.mayBesiege = !army->moving && !army->blocked;
    out.holdsBack = army->holdsBack;
    for (auto it = army->divisions.GetHead(); !it.IsEnd(); it++) {
        const CDivision* division = *it;
        if (division == nullptr)
            continue;
        if (out.leader == nullptr)
            out.leader = division->GetLeader();
        out.siegeStrength += division->GetSiegeStrength();
        out.strength += division->GetTotalMen();
    }
    return true;
}

bool DescribeSiegeCommand(const CDivision* division, CSiegeArmy& out)
{
    return division != nullptr && DescribeSiegeArmy(division->army, out);
}
