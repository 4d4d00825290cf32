// Armies found by their dynamic identity.
#include "armies/unit.h"

#include "foundation/safeguards.h"

CRZUnit* CRZUnit::GetUnit(const DynamicID& id)
{
    return dynamic_cast<CRZUnit*>(CRZDynamicObject::GetObjectFromID(id));
}
