// The computer realm's side of the diplomatic requests.
#include "ai/ai_country.h"

#include "armies/army_allegiance.h"

#include "foundation/safeguards.h"

int CRZAI::handleRequest(CRequest* request)
{
    constexpr int kHandled = 3;
    if (request == nullptr || (gCountryHooks.IsHost != nullptr && !gCountryHooks.IsHost()))
        return kHandled;
    if (request->IsValid() && request->MustAccept())
        request->AnswerToHost(1);
    else
        request->DispatchToAi(this);
    return kHandled;
}

void InstallComputerOpponentHooks()
{
    gArmyAIHooks.AssignArmy = [](CRZCountry& realm, CRZUnit& army) {
        if (auto* computer = dynamic_cast<CRZAI*>(&realm))
            computer->GetKing().AssignArmy(army);
    };
    gArmyAIHooks.DetachArmy = [](CRZUnit& army) {
        if (CAIAgent* agent = CAIAgent::GetAgent(army))
            agent->DetachArmy(army);
    };
}
