// The diplomatic requests: the base's travel between sender, host and recipient, the factory that rebuilds a
// request from its event, expiry, proximity and the marriage's prestige, and the texts every kind shares.
#include "realms/request.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "characters/character.h"
#include "events/event.h"
#include "events/event_posting.h"
#include "events/generic_events.h"
#include "events/record_event.h"
#include "events/records_character.h"
#include "events/variable_events.h"
#include "foundation/logs.h"
#include "foundation/ref.h"
#include "foundation/text_format.h"
#include "realms/country.h"
#include "text/new_text.h"

#include "foundation/safeguards.h"

CRequestHooks gRequestHooks;
int CRequest::total_requests = 0;

namespace {

// The local player's realm, or null where no human plays here.
CRZCountry* LocalRealm()
{
    for (int i = 0; i < static_cast<int>(kCountryTableSlots); ++i)
        if (gCountryControl[i] == CONTROL_LOCAL_PLAYER)
            return CRZCountry::GetCountry(i);
    return nullptr;
}

CCharacter* RulerOf(const CRZCountry* realm)
{
    return realm != nullptr ? realm->ruler : nullptr;
}

// Both realm numbers of a request event must name table slots before anything looks them up.
bool RealmsInTable(CRZCountryID from, CRZCountryID to)
{
    return IsCountryNumber(from, "request sender") && IsCountryNumber(to, "request recipient");
}

template <class Kind, class Record, class... Extra> CRequest* Made(const Record& r, Extra&&... extra)
{
    if (!RealmsInTable(r.first, r.second))
        return nullptr;
    return new Kind(r.id, r.first, r.second, CDate(r.date), std::forward<Extra>(extra)...);
}

CRequest* Build(CRZEvent* event)
{
    switch (event->GetType()) {
    case _CRZEVT_REQUEST_MOBILIZE_HOST_:
        if (const auto* r = RecordAs<CRZSimpleRequestEventData>(event))
            return Made<CMobilizeHostRequest>(*r);
        break;
    case _CRZEVT_REQUEST_OFFER_VASSALIZATION_:
        if (const auto* r = RecordAs<CRZSimpleRequestEventData>(event))
            return Made<COfferVassalizationRequest>(*r);
        break;
    case _CRZEVT_REQUEST_PLEDGE_ALLEGIENCE_:
        if (const auto* r = RecordAs<CRZSimpleRequestEventData>(event))
            return Made<CPledgeAllegienceRequest>(*r);
        break;
    case _CRZEVT_REQUEST_OFFER_ALLIANCE_:
        if (const auto* r = RecordAs<CRZSimpleRequestEventData>(event))
            return Made<COfferAllianceRequest>(*r);
        break;
    case _CRZEVT_REQUEST_REVOKE_TITLE_:
        if (const auto* r = RecordAs<CRZOneIdRequestEventData>(event))
            return Made<CRevokeTitleRequest>(*r, r->extra);
        break;
    case _CRZEVT_REQUEST_OFFER_MARRIGE_:
        if (const auto* r = RecordAs<CRZTwoIdRequestEventData>(event))
            return Made<COfferMarrigeRequest>(*r, r->extra, r->extra2);
        break;
    case _CRZEVT_UNNAMED_478_:
        if (const auto* r = RecordAs<CRZTwoIdRequestEventData>(event))
            return Made<CSendFosterlingRequest>(*r, r->extra);
        break;
    case _CRZEVT_REQUEST_SUE_FOR_PEACE_: {
        auto* peace = dynamic_cast<CRZPeaceRequestEvent*>(event);
        const auto* r = RecordAs<CRZPeaceRequestEventData>(event);
        if (peace == nullptr || r == nullptr || !RealmsInTable(r->first, r->second))
            break;
        return new CSueForPeaceRequest(r->id, r->first, r->second, CDate(r->date), CPeaceProposal(*peace));
    }
    default:
        return nullptr;
    }
    history("request event %d: record too short, dropped\n", static_cast<int>(event->GetType()));
    return nullptr;
}

} // namespace

CRequest::CRequest(const CRZID& inId, CRZCountryID inSender, CRZCountryID inRecipient)
    : id(inId)
    , sender(inSender)
    , recipient(inRecipient)
    , date(GetGameToday())
{
    ++total_requests;
}

CRequest::~CRequest()
{
    --total_requests;
}

CRZCountry* CRequest::GetSenderCountry() const
{
    return CRZCountry::GetCountry(sender);
}

CRZCountry* CRequest::GetRecipientCountry() const
{
    return CRZCountry::GetCountry(recipient);
}

CCharacter* CRequest::SenderRuler() const
{
    return RulerOf(GetSenderCountry());
}

CCharacter* CRequest::RecipientRuler() const
{
    return RulerOf(GetRecipientCountry());
}

void CRequest::ChangeTag(CRZCountryID oldId, CRZCountryID newId)
{
    if (sender == oldId)
        sender = newId;
    if (recipient == oldId)
        recipient = newId;
}

bool CRequest::IsValid() const
{
    return GetSenderCountry() != nullptr && GetRecipientCountry() != nullptr
        && CRZCountry::IsRealCountry(sender) && CRZCountry::IsRealCountry(recipient);
}

CDate CRequest::GetExpirationDate() const
{
    CDate expiry = date;
    if (CRZCountry* to = GetRecipientCountry())
        expiry.AddDays(to->GetMaxDiplomaticResponseTime(GetSenderCountry()));
    return expiry;
}

void CRequest::SendToHost()
{
    if (CRZEvent* event = MakeEvent(DIPLOMACY_SERVER))
        PostToHostEvent(event);
}

void CRequest::SendToRecipient()
{
    if (CRZEvent* event = MakeEvent(CountryIdentity(recipient)))
        PostGlobalEvent(event);
}

void CRequest::AnswerToHost(int answer)
{
    PostToHostEvent(new CRZResponseEvent(_CRZEVT_RESPONSE_, DIPLOMACY_SERVER, id, answer));
}

void CRequest::AnswerToSender(int answer)
{
    PostGlobalEvent(new CRZResponseEvent(_CRZEVT_RESPONSE_, CountryIdentity(sender), id, answer));
}

int CRequest::GetProximity() const
{
    CRZCountry* local = LocalRealm();
    CRZCountry* from = GetSenderCountry();
    CRZCountry* to = GetRecipientCountry();
    if (local == nullptr)
        return 2;
    if (from == local || to == local)
        return 0;
    CRZCountry* top = local->GetRealm();
    if ((from != nullptr && from->GetRealm() == top) || (to != nullptr && to->GetRealm() == top))
        return 1;
    return 2;
}

float CRequest::GetOurRulerPrestigeGain(const CCharacter* our, const CCharacter* their)
{
    return CCharacter::GetMarriageRulerPrestigeGain(our, their);
}

float CRequest::GetOurCharacterPrestigeGain(const CCharacter* our, const CCharacter* their)
{
    return CCharacter::GetMarriagePrestigeGain(our, their, RulerOf(LocalRealm()));
}

void CRequest::ShowRequestSentFeedback()
{
    const std::string expiry = ExpiryText();
    CCharacter* ruler = RecipientRuler();
    Tell(97, { "", ruler != nullptr ? ruler->GetLongName() : "", expiry.c_str() });
}

std::string CRequest::ExpiryText() const
{
    char text[64] = {};
    const CDate expiry = GetExpirationDate();
    if (gRequestHooks.FormatDate)
        gRequestHooks.FormatDate(text, sizeof text, expiry);
    else
        expiry.GenerateString(text);
    return text;
}

void CRequest::Tell(int type, std::initializer_list<const char*> texts) const
{
    if (gRequestHooks.ShowMessage == nullptr)
        return;
    // Names come from buffers the next call overwrites: keep copies until the message has them.
    std::string copies[6];
    const char* pointers[6] = {};
    int count = 0;
    for (const char* text : texts) {
        if (count == 6)
            break;
        copies[count] = text != nullptr ? text : "";
        pointers[count] = copies[count].c_str();
        ++count;
    }
    gRequestHooks.ShowMessage(type, sender, pointers, count);
}

void CRequest::FillPopup(std::string (&parts)[8], const char* stem, int lines,
    std::initializer_list<std::pair<int, std::string>> arguments) const
{
    char key[64];
    std::snprintf(key, sizeof key, "%s_HEADER", stem);
    parts[0] = FormatDataText(TextStrings.GetString(key), { "" });
    for (int line = 1; line <= lines && line < 8; ++line) {
        std::snprintf(key, sizeof key, "%s_%d", stem, line);
        const std::string* value = nullptr;
        for (const auto& argument : arguments)
            if (argument.first == line)
                value = &argument.second;
        parts[line] = value != nullptr ? FormatDataText(TextStrings.GetString(key), { *value })
                                       : std::string(TextStrings.GetString(key));
    }
}

CRequest* CRequest::Copy() const
{
    // The kind's own event form carries everything it is; reading it back makes the copy.
    std::unique_ptr<CRZEvent> event(MakeEvent(CountryIdentity(recipient)));
    return event != nullptr ? CreateRequest(event.get()) : nullptr;
}

CRequest* CRequest::CreateRequest(CRZEvent* event)
{
    if (event == nullptr)
        return nullptr;
    CRequest* request = Build(event);
    if (request != nullptr && !request->IsValid()) {
        delete request;
        return nullptr;
    }
    return request;
}

// The sender's side of an answer, on every machine: the local player hears of it first.
int CRZCountry::handleResponse(CRequest* request, int answer)
{
    if (IsLocal())
        request->ShowMessage(answer);
    request->Execute(answer);
    return 3;
}

int CRZCountry::GetMaxDiplomaticResponseTime(const CRZCountry* from) const
{
    if (index < 0 || index >= static_cast<int32_t>(kCountryTableSlots)
        || gCountryControl[index] != CONTROL_COMPUTER)
        return 60;
    const float ours = GetAttributes().GetResponseTimeModifier();
    const float theirs = from != nullptr ? from->GetAttributes().GetResponseTimeModifier() : 1.0f;
    if (!(theirs > 0.0f))
        return 60;
    return static_cast<int>(ours * 30.0f / theirs);
}
