// CRZAI, a realm the computer plays on the host: it answers the diplomatic requests put to it.
#pragma once

#include <memory>
#include <vector>

#include "ai/ai_agent.h"
#include "realms/country.h"
#include "realms/request.h"

class CRZAI : public CRZCountry, public CRequestAnswerer {
public:
    bool IsAI() const override { return true; }
    // On the host a request that must be accepted is accepted at once; any other waits, as a copy, for the
    // daily turn. Answers 3.
    int handleRequest(CRequest* request) override;
    // The daily turn: each waiting request that is still valid goes to the decision for its kind when the
    // ruler's diplomacy beats a draw of 100, and always once it is due (expired, or fewer than 3 days
    // left); one that is no longer valid waits untouched. Then the realm's own day.
    int handleTimerDay(CRZEvent* event) override;
    // The requests of a realm that is gone are never answered.
    void RemoveRequestsFrom(CRZCountryID sender);
    const std::vector<std::unique_ptr<CRequest>>& GetWaitingRequests() const { return waiting; }

    // The decisions by kind: until the opponents weigh a request, each takes its default answer.
    void handleRequest(CMobilizeHostRequest* request) override { Decide(request); }
    void handleRequest(COfferVassalizationRequest* request) override { Decide(request); }
    void handleRequest(CPledgeAllegienceRequest* request) override { Decide(request); }
    void handleRequest(COfferMarrigeRequest* request) override { Decide(request); }
    void handleRequest(CSendFosterlingRequest* request) override { Decide(request); }
    void handleRequest(CSueForPeaceRequest* request) override { Decide(request); }
    void handleRequest(CRevokeTitleRequest* request) override { Decide(request); }
    void handleRequest(COfferAllianceRequest* request) override { Decide(request); }

    // The root of the realm's agent tree, which takes the armies given to the realm.
    CAIKing& GetKing() { return king; }

private:
    CAIKing king;
    // In order of arrival.
    std::vector<std::unique_ptr<CRequest>> waiting;
    static void Decide(CRequest* request) { request->AnswerToHost(request->GetDefaultAnswer()); }
};

// Puts the computer realms' kings and agents into the armies' hooks (gArmyAIHooks), and their waiting
// requests into the realms' (gCountryHooks.RemoveRequestsFrom).
void InstallComputerOpponentHooks();
