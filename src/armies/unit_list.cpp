// Orders given to several armies at once.
#include "armies/unit_list.h"

#include "armies/unit.h"
#include "realms/country.h"

#include "foundation/safeguards.h"

void CRZUnitList::MoveUnitsTo(int province, const CDate&)
{
    for (auto it = GetHead(); !it.IsEnd(); it++)
        if (CRZUnit* unit = *it)
            unit->movementOrders.assign(1, province);
}

void CRZUnitList::AddMovementTo(int province, const CDate&, bool)
{
    for (auto it = GetHead(); !it.IsEnd(); it++)
        if (CRZUnit* unit = *it)
            unit->movementOrders.push_back(province);
}

void CRZUnitList::UpdateExiled()
{
    for (auto it = GetHead(); !it.IsEnd(); it++) {
        CRZUnit* unit = *it;
        if (unit != nullptr && unit->GetProvince() != 0)
            unit->exiled = unit->owner != nullptr && !unit->owner->HaveAccess(unit->GetProvince());
    }
}

CRZSelectedUnitList::CRZSelectedUnitList(const std::vector<DynamicID>& ids)
{
    for (const DynamicID& id : ids)
        if (CRZUnit* unit = CRZUnit::GetUnit(id))
            Append(unit);
}
