// Armies found by their dynamic identity.
#include "armies/unit.h"

#include "armies/combat.h"
#include "armies/division.h"
#include "realms/country.h"
#include "realms/province.h"

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

CRZUnit::~CRZUnit()
{
    // A battle must never hold an army that is gone.
    if (battle != nullptr)
        battle->RemoveUnit(this);
    if (CProvince* old = CProvince::GetProvince(province))
        old->units.Remove(this);
}

void CRZUnit::SetInProvince(int number)
{
    if (CProvince* old = CProvince::GetProvince(province))
        old->units.Remove(this);
    province = number;
    if (CProvince* now = CProvince::GetProvince(province); now && !now->units.Contains(this))
        now->units.Append(this);
}

bool CRZUnit::HaveAccess(const CProvince* target) const
{
    if (target == nullptr || owner == nullptr)
        return false;
    const CRZCountryID controller = target->GetControllerID();
    return controller == kNoCountry || controller == owner->index || owner->HasAccessWith(controller);
}
