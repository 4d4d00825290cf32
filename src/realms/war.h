// CWar, a war between an attacking and a defending character, each leading his realm's side; the global
// game state keeps every war, saves it and drops it once it is no longer valid.
#pragma once

#include <cstdint>

#include "characters/character.h"
#include "foundation/calendar_date.h"
#include "foundation/identity.h"
#include "foundation/ref.h"
#include "foundation/scripter.h"

class CWar : public CIdentity, public CLScripter {
public:
    // An empty war, to be read; its start date is today.
    CWar();
    CWar(CCharacter* attacker, CCharacter* defender);
    ~CWar() override = default;
    CWar(const CWar&) = delete;
    CWar& operator=(const CWar&) = delete;

    // Reads the war's statements up to and including its "}"; an unknown key is a parse error.
    virtual int ParseFields(CRZParser& parser);
    CLScript* GetScript() const override;

    // Both leaders exist, neither belongs to the realm of nobody, they differ and so do their realms.
    virtual bool IsValid() const;

    // Null once the character is no longer registered.
    CCharacter* GetAttacker() const { return attacker.Get(); }
    CCharacter* GetDefender() const { return defender.Get(); }
    const CRZID& GetAttackerID() const { return attacker.GetID(); }
    const CRZID& GetDefenderID() const { return defender.GetID(); }

    int32_t type = 0;
    CDate startDate;

private:
    CRef<CCharacter> attacker;
    CRef<CCharacter> defender;
};
