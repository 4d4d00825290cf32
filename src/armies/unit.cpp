// Armies found by their dynamic identity.
#include "armies/unit.h"

#include "armies/division.h"

#include "foundation/safeguards.h"

CRZUnit* CRZUnit::GetUnit(const DynamicID& id)
{
    return dynamic_cast<CRZUnit*>(CRZDynamicObject::GetObjectFromID(id));
}

int CRZUnit::GetTotalStrength() const
{
    int men = 0;
    for (auto it = divisions.GetHead(); !it.IsEnd(); it++)
        if (*it)
            men += (*it)->GetTotalMen();
    return men;
}
