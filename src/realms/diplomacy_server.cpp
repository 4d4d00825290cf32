// The diplomacy server on the host: pending requests with their expiry, answers passed back to the senders,
// and the war, annexation and title requests that become global events.
#include <vector>

#include "events/event.h"
#include "events/event_posting.h"
#include "events/record_event.h"
#include "events/records_character.h"
#include "events/records_realm.h"
#include "foundation/logs.h"
#include "realms/country.h"
#include "realms/realm_servers.h"

#include "foundation/safeguards.h"

namespace {

bool OnHost()
{
    return gCountryHooks.IsHost == nullptr || gCountryHooks.IsHost();
}

bool Exists(CRZCountryID id)
{
    return CRZCountry::GetCountry(id) != nullptr;
}

void DropShort(const CRZEvent* event)
{
    history("diplomacy server: event %d with a short record dropped\n", static_cast<int>(event->GetType()));
}

} // namespace

CRZDiplomacyServer::CRZDiplomacyServer()
{
    CRZStaticObject::Create(StaticID(DIPLOMACY_SERVER));
}

CRZDiplomacyServer::~CRZDiplomacyServer()
{
    for (auto it = GetHead(); !it.IsEnd(); it++)
        delete *it;
    RemoveAll();
}

void CRZDiplomacyServer::ChangeTag(CRZCountryID oldId, CRZCountryID newId)
{
    for (auto it = GetHead(); !it.IsEnd(); it++)
        (*it)->ChangeTag(oldId, newId);
}

int CRZDiplomacyServer::Update(CRZEvent* event)
{
    if (event == nullptr || !OnHost())
        return 0;
    switch (event->GetType()) {
    case _CRZEVT_TIMER_DAY_:
        ExpireRequests();
        return 0;
    case _CRZEVT_RESPONSE_:
        Answered(event);
        return 0;
    case _CRZEVT_REQ_SET_ANNEXATION_: {
        const auto* r = RecordAs<CRZAnnexationEventData>(event);
        if (r == nullptr) {
            DropShort(event);
            return 0;
        }
        if (IsCountryNumber(r->first, "annexation") && IsCountryNumber(r->second, "annexation")
            && Exists(r->first) && Exists(r->second))
            ProcessGlobalEvent(new CRZAnnexationEvent(
                _CRZEVT_EXEC_SET_ANNEXATION_, CountryIdentity(r->first), r->first, r->second));
        return 0;
    }
    case _CRZEVT_REQ_SETUP_WAR_: {
        const auto* r = RecordAs<CRZWarEventData>(event);
        if (r == nullptr) {
            DropShort(event);
            return 0;
        }
        if (!IsCountryNumber(r->first, "war") || !IsCountryNumber(r->second, "war"))
            return 0;
        CRZCountry* declaring = CRZCountry::GetCountry(r->first);
        if (declaring == nullptr || declaring->atWarWith[r->second] != 0)
            return 0;
        ProcessGlobalEvent(new CRZWarEvent(_CRZEVT_EXEC_SETUP_WAR_, CountryIdentity(r->first),
            CRZDynamicObject::GetUniqueDynamicID(), r->first, r->second, r->firstFlag != 0,
            r->secondFlag != 0));
        return 0;
    }
    case _CRZEVT_GRANTTITLE_:
    case _CRZEVT_GRABTITLE_:
    case _CRZEVT_USURPTITLE_:
    case _CRZEVT_CLAIMTITLE_:
    case _CRZEVT_CREATEBISHOPRY_: {
        const auto* r = RecordAs<CRZCountryTwoIdEventData>(event);
        if (r == nullptr) {
            DropShort(event);
            return 0;
        }
        if (IsCountryNumber(r->country, "title request") && Exists(r->country))
            PostGlobalEvent(new CRZCountryTwoIdEvent(
                event->GetType(), CountryIdentity(r->country), r->country, r->first, r->second));
        return 0;
    }
    case _CRZEVT_REQUEST_CHARACTER_TRANSFER_: {
        const auto* r = RecordAs<CRZPureTwoCountryEventData>(event);
        if (r == nullptr) {
            DropShort(event);
            return 0;
        }
        if (IsCountryNumber(r->first, "character transfer")
            && IsCountryNumber(r->second, "character transfer"))
            PostGlobalEvent(new CRZPureTwoCountryEvent(
                event->GetType(), CountryIdentity(r->second), r->first, r->second));
        return 0;
    }
    default:
        NewRequest(event);
        return 0;
    }
}

void CRZDiplomacyServer::NewRequest(CRZEvent* event)
{
    CRequest* request = CRequest::CreateRequest(event);
    if (request == nullptr)
        return;
    request->Timestamp(GetGameToday());
    if (!request->IsValid()) {
        delete request;
        return;
    }
    Add(request);
    request->SendToRecipient();
}

void CRZDiplomacyServer::Answered(CRZEvent* event)
{
    const auto* r = RecordAs<CRZResponseEventData>(event);
    if (r == nullptr) {
        DropShort(event);
        return;
    }
    if (r->answer != 0 && r->answer != 1) {
        history("diplomacy server: answer %d outside 0..1 dropped\n", static_cast<int>(r->answer));
        return;
    }
    for (auto it = GetHead(); !it.IsEnd(); it++) {
        CRequest* request = *it;
        if (!(request->GetId() == r->id))
            continue;
        Remove(request);
        if (request->GetSenderCountry() != nullptr)
            request->AnswerToSender(r->answer);
        delete request;
        return;
    }
}

void CRZDiplomacyServer::ExpireRequests()
{
    const CDate today = GetGameToday();
    // The walk takes a copy: a request whose sender has gone leaves the list on the way.
    std::vector<CRequest*> pending;
    for (auto it = GetHead(); !it.IsEnd(); it++)
        pending.push_back(*it);
    for (CRequest* request : pending) {
        const bool senderGone = request->GetSenderCountry() == nullptr;
        if (senderGone) {
            Remove(request);
            delete request;
            continue;
        }
        // An answer posted here comes back as a response, which removes the request; until then the
        // next day may post it again, and the second response finds nothing.
        if (request->GetRecipientCountry() == nullptr || !request->IsDataValid()
            || today > request->GetExpirationDate())
            request->AnswerToHost(request->GetDefaultAnswer());
    }
}
