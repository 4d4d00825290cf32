// The combat server's side of armies arriving and of relations changing. Battles are joined and started
// by the battle code; here an arrival is only checked and answered.
#include "armies/army_servers.h"

#include <vector>

#include "armies/unit.h"
#include "realms/country.h"
#include "realms/province.h"

#include "foundation/safeguards.h"

CRZCombatServer* CRZCombatServer::_pInstance = nullptr;

CRZCombatServer::CRZCombatServer()
{
    CRZStaticObject::Create(StaticID(COMBAT_SERVER));
    _pInstance = this;
}

CRZCombatServer::~CRZCombatServer()
{
    if (_pInstance == this)
        _pInstance = nullptr;
}

int CRZCombatServer::NewUnitArrived(CRZUnit* army, int number)
{
    const CProvince* province = CProvince::GetProvince(number);
    if (army == nullptr || number == 0 || province == nullptr || !province->IsLand())
        return 0;
    return army->IsInBattle() ? 1 : 0;
}

void CRZCombatServer::DiplomaticRelationChanged(CRZCountry* realm)
{
    if (realm == nullptr)
        return;
    // An arrival may change the list (an army that fights is not offered), so the walk takes a copy.
    std::vector<CRZUnit*> standing;
    for (auto it = realm->armies.GetHead(); !it.IsEnd(); it++) {
        if (*it != nullptr && !(*it)->IsInBattle() && !(*it)->retreating && (*it)->exclusion == 0)
            standing.push_back(*it);
    }
    for (CRZUnit* army : standing)
        NewUnitArrived(army, army->GetProvince());
}
