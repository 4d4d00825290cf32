// CRequest, a diplomatic request a realm has sent and awaits an answer to, as the realm's router pairs
// answers with it. Which events make requests belongs to the diplomatic requests.
#pragma once

#include <cstdint>
#include <string>

#include "events/record_types.h"
#include "foundation/calendar_date.h"
#include "foundation/linked_list.h"
#include "foundation/rz_id.h"

class CRZEvent;

class CRequest {
public:
    CRequest(const CRZID& inId, CRZCountryID inSender)
        : id(inId)
        , sender(inSender)
    {
    }
    virtual ~CRequest() = default;

    const CRZID& GetId() const { return id; }
    CRZCountryID GetSender() const { return sender; }
    // False once the request's subject has gone.
    virtual bool IsValid() const { return valid; }

    // The message type its answer window belongs to (the message handler's numbers).
    virtual int GetMsgType() const { return 1; }
    // False once what the request names can no longer be given.
    virtual bool IsDataValid() const { return true; }
    const CDate& GetExpirationDate() const { return expiration; }
    // The answer (1 accept, 0 decline) to the diplomacy server; what carries it is the diplomatic
    // requests' (_pAnswerToHost), unset: nothing.
    virtual void AnswerToHost(int answer)
    {
        if (_pAnswerToHost)
            _pAnswerToHost(*this, answer);
    }
    // The request's texts for its answer window, by the window's part number; empty parts stay empty.
    virtual void WriteToPopup(std::string (&)[8]) const { }

    // A new request built from the event, owned by the caller; null when the event asks nothing.
    static CRequest* CreateRequest(CRZEvent* event);
    // Installed by the diplomatic requests; unset, no event is a request.
    static CRequest* (*_pRequestMaker)(CRZEvent* event);
    static void (*_pAnswerToHost)(CRequest& request, int answer);

    bool valid = true;
    // Past this day the request takes its default answer.
    CDate expiration;
    // The characters it concerns, by identity.
    CList<CRZID> characters;

private:
    CRZID id;
    CRZCountryID sender;
};
