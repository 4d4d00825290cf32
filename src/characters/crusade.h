// CCrusade as the global game state sees it: the singleton that reads and writes the "crusade" block of
// a saved game and takes the broadcasts of a started game.
#pragma once

#include <cstdint>

#include "foundation/identity.h"
#include "foundation/scripter.h"

class CCrusade : public CIdentity, public CLScripter {
public:
    // The crusade of the running game, or null while there is none.
    static CCrusade* GetInstance() { return _pInstance; }
    static void SetInstance(CCrusade* crusade) { _pInstance = crusade; }

    // Reads the block up to and including its "}"; 0 on success.
    virtual int ParseFields(CRZParser& parser) = 0;

    // A crusade has been called and not yet ended.
    virtual bool IsActive() const { return active != 0; }
    // The province the crusade is called against, 0 for none.
    int GetTargetProvince() const { return targetProvince; }

    int32_t active = 0;
    int32_t targetProvince = 0;

private:
    static CCrusade* _pInstance;
};
