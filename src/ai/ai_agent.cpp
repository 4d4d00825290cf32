// Agents taking and letting go of armies.
#include "ai/ai_agent.h"

#include "armies/unit.h"

#include "foundation/safeguards.h"

CAIAgent* CAIAgent::GetAgent(const CRZUnit& army)
{
    return army.agent == NOID ? nullptr : dynamic_cast<CAIAgent*>(CIdentity::GetObjectFromID(army.agent));
}

void CAIAgent::AcceptUnit(CRZUnit& army)
{
    if (CAIAgent* before = GetAgent(army); before != nullptr && before != this)
        before->DetachArmy(army.GetArmy());
    if (GetID() == NOID)
        Create();
    army.SetAgent(GetID());
    if (CList<CRZUnit*>* list = GetArmyList(); list != nullptr && !list->Contains(&army))
        list->Insert(&army);
}

bool CAIKing::AssignArmy(CRZUnit& army)
{
    AcceptUnit(army);
    return true;
}

void CAIKing::DetachArmy(CRZUnit& army)
{
    armies.Remove(&army);
}
