// The host-side servers of the character subsystem held by the global game state: the character server,
// which is also the list of every character, and the title server.
#pragma once

#include "events/event.h"
#include "foundation/linked_list.h"

class CCharacter;
class CDynasty;

// Every character in one list; the world update walks, locks and prunes it. The server does not delete
// the characters it lists.
class CCharacterServer : public CList<CCharacter*> {
public:
    // Requests addressed to CHARACTER_SERVER on the host, each checked against the host's state and
    // issued to every machine as the global event of its type (character_relay.cpp); nothing on a client.
    // The answer is 0.
    virtual CRZReturnType Update(CRZEvent* event);
    // The day's update of every character, on the day tick; the answer is ignored.
    virtual CRZReturnType UpdateAllCharacters(CRZEvent*) { return 0; }

    // Every dynasty read from the dynasty database, in reading order; nodes only, the game session
    // deletes them when the game ends.
    CList<CDynasty*> dynasties;
    // A name for a child of the culture and gender; the text is not copied, callers copy it.
    static const char* GetRandomCharacterName(int culture, int gender);
};

class CTitleServer {
public:
    virtual ~CTitleServer() = default;
};
