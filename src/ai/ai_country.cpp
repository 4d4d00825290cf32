// The computer realm's side of the diplomatic requests.
#include "ai/ai_country.h"

#include <algorithm>

#include "armies/army_allegiance.h"
#include "foundation/random_generator.h"

#include "foundation/safeguards.h"

namespace {

constexpr int kHandled = 3;
// A request with fewer days than this left is answered whatever the draw.
constexpr int kDueDays = 3;

bool IsDue(const CRequest& request, const CDate& today)
{
    const CDate expires = request.GetExpirationDate();
    return !(expires > today) || expires.GetDays() - today.GetDays() < kDueDays;
}

} // namespace

int CRZAI::handleRequest(CRequest* request)
{
    if (request == nullptr || (gCountryHooks.IsHost != nullptr && !gCountryHooks.IsHost()))
        return kHandled;
    if (request->IsValid() && request->MustAccept()) {
        request->AnswerToHost(1);
        return kHandled;
    }
    if (CRequest* kept = request->Copy())
        waiting.emplace_back(kept);
    return kHandled;
}

int CRZAI::handleTimerDay(CRZEvent* event)
{
    if (OnHost() && !waiting.empty()) {
        const CDate today = GetGameToday();
        const int diplomacy = ruler != nullptr ? ruler->GetAttributes().GetDiplomacy() : 0;
        // Answering may bring new requests in: only those here now are walked.
        std::vector<std::unique_ptr<CRequest>> walked = std::move(waiting);
        waiting.clear();
        std::vector<std::unique_ptr<CRequest>> kept;
        for (std::unique_ptr<CRequest>& request : walked) {
            if (!request->IsValid() || (gGameRandom.Next() % 100 >= diplomacy && !IsDue(*request, today))) {
                kept.push_back(std::move(request));
                continue;
            }
            request->DispatchToAi(this);
        }
        kept.insert(
            kept.end(), std::make_move_iterator(waiting.begin()), std::make_move_iterator(waiting.end()));
        waiting = std::move(kept);
    }
    return CRZCountry::handleTimerDay(event);
}

void CRZAI::RemoveRequestsFrom(CRZCountryID sender)
{
    std::erase_if(waiting,
        [sender](const std::unique_ptr<CRequest>& request) { return request->GetSender() == sender; });
}

void InstallComputerOpponentHooks()
{
    gArmyAIHooks.AssignArmy = [](CRZCountry& realm, CRZUnit& army) {
        if (auto* computer = dynamic_cast<CRZAI*>(&realm))
            computer->GetKing().AssignArmy(army);
    };
    gCountryHooks.RemoveRequestsFrom = [](CRZCountry& realm, CRZCountryID sender) {
        if (auto* computer = dynamic_cast<CRZAI*>(&realm))
            computer->RemoveRequestsFrom(sender);
    };
    gArmyAIHooks.DetachArmy = [](CRZUnit& army) {
        if (CAIAgent* agent = CAIAgent::GetAgent(army))
            agent->DetachArmy(army);
    };
}
