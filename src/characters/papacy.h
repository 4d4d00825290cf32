// CPapacy as the global game state sees it: the singleton that reads and writes the "papacy" block of a
// saved game and takes the broadcasts of a started game.
#pragma once

#include <cstdint>

#include "foundation/identity.h"
#include "foundation/scripter.h"

class CCharacter;
class CRZCountry;

// The papal state's realm number.
inline constexpr int32_t kPapalStateCountry = 1323;

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

    // Who heads the church (papacy.cpp). The papal state is the realm in its slot of the country table;
    // the pope its ruler; the controller the lay ruler who holds sway over the papacy. Each null when none.
    static CRZCountry* GetPapalState();
    static CCharacter* GetPope();
    CCharacter* GetPapalController() const;
    CRZID controller = NOID;

private:
    static CPapacy* _pInstance;
};
