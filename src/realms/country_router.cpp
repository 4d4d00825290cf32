// The realm's router: every event addressed to a realm reaches its handler here, answers are paired with
// the requests the realm sent, and what is neither goes to the realm's armies.
#include "realms/country_router.h"

#include <array>

#include "events/event.h"
#include "events/records_character.h"
#include "events/records_realm.h"
#include "realms/request.h"

#include "foundation/safeguards.h"

namespace {

constexpr int kHandled = 3;

using Handler = int (CRZCountry::*)(CRZEvent*);

// The table indexed by type, built once.
const std::array<Handler, kEventTypeCount>& Routes()
{
    static const std::array<Handler, kEventTypeCount> routes = [] {
        std::array<Handler, kEventTypeCount> table {};
        for (std::size_t i = 0; i < kCountryRouteCount; ++i)
            table[kCountryRoutes[i].type] = kCountryRoutes[i].handler;
        return table;
    }();
    return routes;
}

} // namespace

int CRZCountry::Update(CRZEvent* event)
{
    const CRZEvtType type = event->GetType();
    if (type < kEventTypeCount) {
        if (Handler handler = Routes()[type])
            return (this->*handler)(event);
    }
    switch (type) {
    case _CRZEVT_ENABLE_GODMODE_:
        return handleGodMode(true);
    case _CRZEVT_DISABLE_GODMODE_:
        return handleGodMode(false);
    case _CRZEVT_ADD_VP_: {
        const auto& record = static_cast<CRZVpEvent*>(event)->Record();
        const auto source = static_cast<int32_t>(record.source);
        if (source >= 0 && source < static_cast<int32_t>(std::size(baseVP)))
            baseVP[source] += record.value;
        return kHandled;
    }
    case _CRZEVT_CRUSADES_LOST_:
        return handleCrusadesLost();
    case _CRZEVT_CRUSADES_WON_:
        return handleCrusadesWon();
    case _CRZEVT_SET_WILLINHERIT_:
        willInherit = true;
        return kHandled;
    case _CRZEVT_REQUEST_CHARACTER_TRANSFER_:
        return handleRequestCharacterTransfer(event);
    case _CRZEVT_RESPONSE_: {
        const auto& record = static_cast<CRZResponseEvent*>(event)->Record();
        // The last request with the identity is the one answered.
        CRequest* found = nullptr;
        for (auto it = pendingRequests.GetHead(); !it.IsEnd(); it++) {
            if ((*it)->GetId() == record.id)
                found = *it;
        }
        if (found == nullptr)
            break;
        pendingRequests.Remove(found);
        const int answer = found->IsValid() ? handleResponse(found, record.answer) : 0;
        delete found;
        return answer;
    }
    default:
        break;
    }

    CRequest* request = CRequest::CreateRequest(event);
    if (request == nullptr) {
        UpdateSubObjects(event);
        return 0;
    }
    CRZCountry* sender = GetCountry(request->GetSender());
    if (sender != nullptr)
        sender->pendingRequests.Append(request);
    else
        delete request;
    CRequest* considered = CRequest::CreateRequest(event);
    const int answer = considered ? handleRequest(considered) : kHandled;
    delete considered;
    return answer;
}

int CRZCountry::UpdateSubObjects(CRZEvent* event)
{
    const CRZEvtType type = event->GetType();
    if (type == _CRZEVT_REFRESHWINDOWS_ || type == _CRZEVT_TIMER_MONTH_ || type == _CRZEVT_TIMER_YEAR_
        || type == _CRZEVT_GAME_STARTED_)
        return static_cast<int>(type);
    int answer = 0;
    if (gCountryHooks.UpdateArmy) {
        for (auto it = armies.GetHead(); !it.IsEnd(); it++)
            answer = gCountryHooks.UpdateArmy(*it, event);
    }
    return answer;
}

// Every other handler of the plain realm answers as handled; the kinds of realm override what they act on.
int CRZCountry::handleAddCulture(CRZEvent*)
{
    return kHandled;
}
int CRZCountry::handleRemoveCulture(CRZEvent*)
{
    return kHandled;
}
int CRZCountry::handleWeDeclareWar(CRZEvent*)
{
    return kHandled;
}
int CRZCountry::handleTheyDeclareWar(CRZEvent*)
{
    return kHandled;
}
int CRZCountry::handleJoinWar(CRZEvent*)
{
    return kHandled;
}
int CRZCountry::handleProvinceChangeOwner(CRZEvent*)
{
    return kHandled;
}
int CRZCountry::handleSiegeWon(CRZEvent*)
{
    return kHandled;
}
int CRZCountry::handleChangeModifier(CRZEvent*)
{
    return kHandled;
}
int CRZCountry::handleSetSendDate(CRZEvent*)
{
    return kHandled;
}
int CRZCountry::handleCheckEcoData(CRZEvent*)
{
    return kHandled;
}
int CRZCountry::handleRebelSpawnRate(CRZEvent*)
{
    return kHandled;
}
int CRZCountry::handlePeace(CRZEvent*)
{
    return kHandled;
}
int CRZCountry::handleRequest(CRequest*)
{
    return kHandled;
}
int CRZCountry::handleRequestCharacterTransfer(CRZEvent*)
{
    return kHandled;
}
