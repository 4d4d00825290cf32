// CRZServer (gpServer), the host's entry point for requests: it hands each request to the server its
// receiver number names, carries out the basic army requests itself, and ignores everything on a client.
#pragma once

#include "foundation/identity.h"
#include "foundation/rz_obj.h"

class CRZServer : public CRZObj, public CRZStaticObject {
public:
    // Takes the identity BASIC_SERVER.
    CRZServer();
    ~CRZServer() override;

    // On the host only: by the receiver's number, 1 the basic server, 2 combat, 3 units, 6 investment,
    // 9 diplomacy, 10 characters, -1 (ALLSERVER and every broadcast) all of them in that order. Other
    // numbers, and every event on a client, answer 0.
    int Update(CRZEvent* event) override;

    // Merging, disbanding and the cancelling of constructions, on the host.
    int BasicUpdate(CRZEvent* event);

private:
    int Merge(CRZEvent* event);
    void Disband(CRZEvent* event);
    void CancelConstruction(CRZEvent* event);
};

// The server object of the running game, null while there is none.
extern CRZServer* gpServer;
// Replaces the server object (null removes it) and makes it the one the routing and the identity
// lookups find for every server identity.
void SetGameServer(CRZServer* server);
