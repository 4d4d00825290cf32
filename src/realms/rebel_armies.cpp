// A revolt's army: the host raises the rebels' force in the province as every army is raised, by a division
// and an army that every machine builds from the host's events.
#include "armies/battle_result.h"
#include "characters/character.h"
#include "events/event_posting.h"
#include "events/records_army.h"
#include "foundation/logs.h"
#include "realms/country.h"
#include "realms/province.h"

#include "foundation/safeguards.h"

void RaiseRebelArmy(CProvince& province, const CMilitaryComposition& force)
{
    CRZCountry* rebels = CRZCountry::GetCountry(kRebelCountry);
    if (rebels == nullptr) {
        history("Revolt in %s: the rebels have no realm to raise an army for\n", province.GetName());
        return;
    }
    const DynamicID division = CRZDynamicObject::GetUniqueDynamicID();
    // The rebels raise no levy: were the division one, its death would hand its men to the province's.
    ProcessLocalEvent(new CRZDivisionEvent(_CRZEVT_CREATE_DIVISION_, INVESTMENT_SERVER, division,
        province.GetNumber(), kAnonymousSoldierID, static_cast<RZCultureType>(province.culture),
        province.GetAdvances().ToRecord(), CompositionToRecord(force), false, false, true, kRebelCountry));
    const DynamicID army = CRZDynamicObject::GetUniqueDynamicID();
    rebels->CreateArmy(army, province.GetNumber());
    rebels->AddDivision(army, division);
}
