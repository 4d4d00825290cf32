// CPapacy as the global game state sees it: the singleton that reads and writes the "papacy" block of a
// saved game and takes the broadcasts of a started game.
#pragma once

#include "foundation/identity.h"
#include "foundation/scripter.h"

class CCharacter;

class CPapacy : public CIdentity, public CLScripter {
public:
    // The papacy of the running game, or null while there is none.
    static CPapacy* GetInstance() { return _pInstance; }
    static void SetInstance(CPapacy* papacy) { _pInstance = papacy; }

    // The pope inherits nothing.
    virtual bool IsPope(const CCharacter*) const { return false; }
    // The churchman the papacy names to a vacant see; null when it names none.
    virtual CCharacter* GetNewBishop() const { return nullptr; }

    // Reads the block up to and including its "}"; 0 on success.
    virtual int ParseFields(CRZParser& parser) = 0;

private:
    static CPapacy* _pInstance;
};
