// CRequest, a diplomatic request one realm puts to another, and its eight kinds: it travels from the sender
// to the host, which keeps it pending and hands it to the recipient, and its answer travels back the same
// way; on every machine the sender's realm then carries the agreed terms out (Execute).
#pragma once

#include <cstdint>
#include <string>

#include "events/event_types.h"
#include "events/record_types.h"
#include "foundation/calendar_date.h"
#include "foundation/identity.h"
#include "foundation/linked_list.h"
#include "foundation/rz_id.h"
#include "realms/peace.h"

class CCharacter;
class CRZCountry;
class CRZEvent;
class CTitle;

class CMobilizeHostRequest;
class COfferVassalizationRequest;
class CPledgeAllegienceRequest;
class COfferMarrigeRequest;
class CSendFosterlingRequest;
class CSueForPeaceRequest;
class CRevokeTitleRequest;
class COfferAllianceRequest;

// The computer opponent's side of the requests: one decision per kind, each answered through the
// request's AnswerToHost. The computer realm implements it; DispatchToAi picks the overload.
class CRequestAnswerer {
public:
    virtual ~CRequestAnswerer() = default;
    virtual void handleRequest(CMobilizeHostRequest* request) = 0;
    virtual void handleRequest(COfferVassalizationRequest* request) = 0;
    virtual void handleRequest(CPledgeAllegienceRequest* request) = 0;
    virtual void handleRequest(COfferMarrigeRequest* request) = 0;
    virtual void handleRequest(CSendFosterlingRequest* request) = 0;
    virtual void handleRequest(CSueForPeaceRequest* request) = 0;
    virtual void handleRequest(CRevokeTitleRequest* request) = 0;
    virtual void handleRequest(COfferAllianceRequest* request) = 0;
};

// What the requests need of the layers above them; the game's wiring fills them. Unset: no message is
// shown and dates read in their plain YYYYMMDD form.
struct CRequestHooks {
    // A happening of a numbered message type told to the realm, with up to six texts.
    void (*ShowMessage)(int type, CRZCountryID realm, const char* const* texts, int count) = nullptr;
    // The date in the player's locale.
    void (*FormatDate)(char* buffer, std::size_t size, const CDate& date) = nullptr;
};
extern CRequestHooks gRequestHooks;

class CRequest {
public:
    // A request with its identity as the sender drew it, dated today.
    CRequest(const CRZID& inId, CRZCountryID inSender, CRZCountryID inRecipient = 0);
    virtual ~CRequest();
    CRequest(const CRequest&) = delete;
    CRequest& operator=(const CRequest&) = delete;

    const CRZID& GetId() const { return id; }
    CRZCountryID GetSender() const { return sender; }
    CRZCountryID GetRecipient() const { return recipient; }
    // The realms from the country table; null where the slot is empty.
    CRZCountry* GetSenderCountry() const;
    CRZCountry* GetRecipientCountry() const;
    const CDate& GetDate() const { return date; }
    // The host's date replaces the sender's: expiry counts from it.
    void Timestamp(const CDate& hostDate) { date = hostDate; }
    // A realm that changed its number keeps its requests.
    void ChangeTag(CRZCountryID oldId, CRZCountryID newId);

    // Posts the kind's event to the diplomacy server, as a to-host event.
    virtual void SendToHost();
    // The host hands the request on to the recipient realm, on every machine.
    virtual void SendToRecipient();
    // The recipient must consent without being asked.
    virtual bool MustAccept() const { return false; }
    // The answer an unanswered request takes at expiry.
    virtual int GetDefaultAnswer() const { return 0; }
    // Both realms exist and are real countries.
    virtual bool IsValid() const;
    // Runs on every machine from the answer; a kind that needs draws or new objects makes them on the host.
    virtual void Execute(int) { }
    // Tells the local player how the request was answered.
    virtual void ShowMessage(int) { }
    // The request's texts for its answer window, by the window's part number; empty parts stay empty.
    virtual void WriteToPopup(std::string (&)[8]) const { }
    // The message type its answer window belongs to (the message handler's numbers).
    virtual int GetMsgType() const { return 1; }
    // One line for the list of pending requests.
    virtual std::string WriteToBlockInfo() const { return std::string(); }
    // Tells the local player the request went out and until when it waits.
    virtual void ShowRequestSentFeedback();
    // Hands the request to the computer opponent's decision for its kind.
    virtual void DispatchToAi(CRequestAnswerer*) { }
    // IsValid and what the request names can still be given.
    virtual bool IsDataValid() const { return IsValid(); }

    // The request's date plus the recipient's response time towards the sender; the date itself once the
    // recipient has gone.
    CDate GetExpirationDate() const;
    // The answer (1 accept, 0 decline) to the diplomacy server, as a to-host event.
    virtual void AnswerToHost(int answer);
    // The host passes the answer to the sender realm, on every machine.
    void AnswerToSender(int answer);

    // 0 when the sender or the recipient is the local player's realm, 1 when either shares the player's
    // top realm, else 2: marriage and fosterling messages grade their type by it.
    int GetProximity() const;

    // The marriage's prestige for the rulers and the spouses. The ruler gains are the same on every
    // machine; GetOurCharacterPrestigeGain counts the local player's ruler and serves the displays only.
    static float GetOurRulerPrestigeGain(const CCharacter* our, const CCharacter* their);
    static float GetTheirRulerPrestigeGain(const CCharacter* a, const CCharacter* b)
    {
        return GetOurRulerPrestigeGain(b, a);
    }
    static float GetOurCharacterPrestigeGain(const CCharacter* our, const CCharacter* their);
    static float GetTheirCharacterPrestigeGain(const CCharacter* a, const CCharacter* b)
    {
        return GetOurCharacterPrestigeGain(b, a);
    }

    // An independent copy of the same kind, identity, realms, date and terms, owned by the caller; null when
    // the kind carries nothing to copy. What the recipient keeps while its player makes up his mind.
    CRequest* Copy() const;

    // A new request built from the event, owned by the caller; null for an event of no request kind (474
    // included), a record that is too short, or a request that is not IsValid.
    static CRequest* CreateRequest(CRZEvent* event);

    // Live request objects.
    static int total_requests;

    // The characters it concerns, by identity.
    CList<CRZID> characters;

protected:
    // The sender's and the recipient's rulers; null where a realm or its ruler is missing.
    CCharacter* SenderRuler() const;
    CCharacter* RecipientRuler() const;
    // The kind's event addressed to the receiver; null when there is nothing to send.
    virtual CRZEvent* MakeEvent(const CRZID&) const { return nullptr; }
    // The expiry date in the player's locale.
    std::string ExpiryText() const;
    // The outcome told with the recipient's and the sender's rulers' names.
    void TellRulers(int type) const;
    // Sends the kind's message to the sender realm: type, then texts.
    void Tell(int type, std::initializer_list<const char*> texts) const;
    // The header with an empty string, then each numbered line's key filled with its argument.
    void FillPopup(std::string (&parts)[8], const char* stem, int lines,
        std::initializer_list<std::pair<int, std::string>> arguments) const;

    CRZID id;
    CRZCountryID sender;
    CRZCountryID recipient;
    CDate date;
};

// Earlier dates first; the host's list keeps requests of one date in arrival order.
struct DateComparer {
    static bool IsLessThan(const CRequest* a, const CRequest* b) { return b->GetDate() > a->GetDate(); }
};

// The kinds that carry nothing but the two realms.
template <CRZEvtType Type> class CSimpleRequest : public CRequest {
public:
    CSimpleRequest(CRZCountryID from, CRZCountryID to)
        : CRequest(CIdentity::GetRandomID(), from, to)
    {
    }
    CSimpleRequest(const CRZID& identity, CRZCountryID from, CRZCountryID to, const CDate& when)
        : CRequest(identity, from, to)
    {
        date = when;
    }

protected:
    CRZEvent* MakeEvent(const CRZID& receiver) const override;
};

// "Raise your host for me."
class CMobilizeHostRequest : public CSimpleRequest<_CRZEVT_REQUEST_MOBILIZE_HOST_> {
public:
    using CSimpleRequest::CSimpleRequest;
    void Execute(int answer) override;
    void ShowMessage(int answer) override;
    void WriteToPopup(std::string (&parts)[8]) const override;
    int GetMsgType() const override { return 13; }
    std::string WriteToBlockInfo() const override;
    void DispatchToAi(CRequestAnswerer* ai) override { ai->handleRequest(this); }
};

// "Become my vassal."
class COfferVassalizationRequest : public CSimpleRequest<_CRZEVT_REQUEST_OFFER_VASSALIZATION_> {
public:
    using CSimpleRequest::CSimpleRequest;
    void Execute(int answer) override;
    void ShowMessage(int answer) override;
    void WriteToPopup(std::string (&parts)[8]) const override;
    int GetMsgType() const override { return 42; }
    std::string WriteToBlockInfo() const override;
    void DispatchToAi(CRequestAnswerer* ai) override { ai->handleRequest(this); }
};

// "Take my allegiance." It costs its price whatever the answer.
class CPledgeAllegienceRequest : public CSimpleRequest<_CRZEVT_REQUEST_PLEDGE_ALLEGIENCE_> {
public:
    using CSimpleRequest::CSimpleRequest;
    void Execute(int answer) override;
    void ShowMessage(int answer) override;
    void WriteToPopup(std::string (&parts)[8]) const override;
    int GetMsgType() const override { return 49; }
    std::string WriteToBlockInfo() const override;
    void DispatchToAi(CRequestAnswerer* ai) override { ai->handleRequest(this); }
};

// "Let our character marry yours."
class COfferMarrigeRequest : public CRequest {
public:
    COfferMarrigeRequest(
        CRZCountryID from, CRZCountryID to, const CRZID& ourCharacter, const CRZID& theirCharacter);
    COfferMarrigeRequest(const CRZID& identity, CRZCountryID from, CRZCountryID to, const CDate& when,
        const CRZID& ourCharacter, const CRZID& theirCharacter);
    bool IsDataValid() const override;
    void Execute(int answer) override;
    void ShowMessage(int answer) override;
    void WriteToPopup(std::string (&parts)[8]) const override;
    int GetMsgType() const override { return 56; }
    std::string WriteToBlockInfo() const override;
    void DispatchToAi(CRequestAnswerer* ai) override { ai->handleRequest(this); }
    const CRZID& GetOurCharacter() const { return ours; }
    const CRZID& GetTheirCharacter() const { return theirs; }

protected:
    CRZEvent* MakeEvent(const CRZID& receiver) const override;

private:
    CRZID ours;
    CRZID theirs;
};

// "Foster this child at your court."
class CSendFosterlingRequest : public CRequest {
public:
    CSendFosterlingRequest(CRZCountryID from, CRZCountryID to, const CRZID& child);
    CSendFosterlingRequest(
        const CRZID& identity, CRZCountryID from, CRZCountryID to, const CDate& when, const CRZID& child);
    bool IsDataValid() const override;
    void Execute(int answer) override;
    void ShowMessage(int answer) override;
    void WriteToPopup(std::string (&parts)[8]) const override;
    int GetMsgType() const override { return 63; }
    std::string WriteToBlockInfo() const override;
    void DispatchToAi(CRequestAnswerer* ai) override { ai->handleRequest(this); }
    const CRZID& GetChild() const { return child; }

protected:
    CRZEvent* MakeEvent(const CRZID& receiver) const override;

private:
    CRZID child;
};

// "Make this peace." A realm that holds none of its own provinces against a foe who has fought must accept.
class CSueForPeaceRequest : public CRequest {
public:
    // The proposal is copied.
    CSueForPeaceRequest(CRZCountryID from, CRZCountryID to, const CPeaceProposal& terms);
    CSueForPeaceRequest(const CRZID& identity, CRZCountryID from, CRZCountryID to, const CDate& when,
        const CPeaceProposal& terms);
    bool MustAccept() const override;
    bool IsDataValid() const override;
    void Execute(int answer) override;
    void ShowMessage(int answer) override;
    void WriteToPopup(std::string (&parts)[8]) const override;
    int GetMsgType() const override { return 72; }
    std::string WriteToBlockInfo() const override;
    void DispatchToAi(CRequestAnswerer* ai) override { ai->handleRequest(this); }
    const CPeaceProposal& GetProposal() const { return proposal; }

protected:
    CRZEvent* MakeEvent(const CRZID& receiver) const override;

private:
    CPeaceProposal proposal;
};

// The liege asks a holder to give a title back; unanswered, it is given.
class CRevokeTitleRequest : public CRequest {
public:
    CRevokeTitleRequest(CRZCountryID from, CRZCountryID to, const CRZID& title);
    CRevokeTitleRequest(
        const CRZID& identity, CRZCountryID from, CRZCountryID to, const CDate& when, const CRZID& title);
    int GetDefaultAnswer() const override { return 1; }
    bool IsDataValid() const override;
    void Execute(int answer) override;
    void ShowMessage(int answer) override;
    void WriteToPopup(std::string (&parts)[8]) const override;
    int GetMsgType() const override { return 75; }
    std::string WriteToBlockInfo() const override;
    void DispatchToAi(CRequestAnswerer* ai) override { ai->handleRequest(this); }
    const CRZID& GetTitle() const { return title; }

protected:
    CRZEvent* MakeEvent(const CRZID& receiver) const override;

private:
    CRZID title;
};

// "Be my ally."
class COfferAllianceRequest : public CSimpleRequest<_CRZEVT_REQUEST_OFFER_ALLIANCE_> {
public:
    using CSimpleRequest::CSimpleRequest;
    bool IsDataValid() const override;
    void Execute(int answer) override;
    void ShowMessage(int answer) override;
    void WriteToPopup(std::string (&parts)[8]) const override;
    int GetMsgType() const override { return 78; }
    std::string WriteToBlockInfo() const override;
    void DispatchToAi(CRequestAnswerer* ai) override { ai->handleRequest(this); }
};
