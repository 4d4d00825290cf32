// CNewEventServer, the server of the scripted events in the least form the realms and characters use: it
// knows which events exist, by identity (object type 18), and fires one for a character.
#pragma once

#include <cstdint>
#include <vector>

#include "foundation/identity.h"

class CCharacter;

// The scope a scripted event is fired in: here only the character it is fired for.
class CGameEventExpression {
public:
    CGameEventExpression() = default;
    CGameEventExpression(const CGameEventExpression& parent, CCharacter* inCharacter)
        : character(inCharacter)
    {
        (void)parent;
    }
    CCharacter* GetCharacter() const { return character; }

private:
    CCharacter* character = nullptr;
};

// A scripted event, registered under {18, its number} while it exists.
class CNewGameEvent : public CIdentity {
public:
    explicit CNewGameEvent(uint32_t number) { Create(RZTYPE_NEWEVENT, number); }
};

class CNewEventServer {
public:
    // The one server of a game; null outside a game.
    static CNewEventServer* GetInstance() { return _pInstance; }
    static void Init();
    static void Shutdown();

    // The scripted event of that number, or null where none exists.
    static CNewGameEvent* Find(uint32_t number);
    // Fires the event for the expression's character. The events' conditions and effects are not read
    // yet: a fired event is recorded with its character, in firing order.
    void TriggerEvent(CNewGameEvent* event, CGameEventExpression& expression);

    struct CFired {
        uint32_t event;
        CCharacter* character;
    };
    const std::vector<CFired>& GetFired() const { return fired; }

private:
    std::vector<CFired> fired;
    static CNewEventServer* _pInstance;
};
