// The computer realm's side of the diplomatic requests.
#include "ai/ai_country.h"

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
