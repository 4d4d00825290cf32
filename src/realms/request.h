// CRequest, a diplomatic request a realm has sent and awaits an answer to, as the realm's router pairs
// answers with it. Which events make requests belongs to the diplomatic requests.
#pragma once

#include <cstdint>

#include "events/record_types.h"
#include "foundation/rz_id.h"

class CRZEvent;

class CRequest {
public:
    CRequest(const CRZID& id, CRZCountryID sender)
        : id(id)
        , sender(sender)
    {
    }
    virtual ~CRequest() = default;

    const CRZID& GetId() const { return id; }
    CRZCountryID GetSender() const { return sender; }
    // False once the request's subject has gone.
    virtual bool IsValid() const { return valid; }

    // A new request built from the event, owned by the caller; null when the event asks nothing.
    static CRequest* CreateRequest(CRZEvent* event);
    // Installed by the diplomatic requests; unset, no event is a request.
    static CRequest* (*_pRequestMaker)(CRZEvent* event);

    bool valid = true;

private:
    CRZID id;
    CRZCountryID sender;
};
