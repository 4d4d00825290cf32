// CTitle as the consistency checks of the daily update see a title: its holder now and its liege title.
#pragma once

#include "foundation/identity.h"

class CCharacter;

class CTitle : public CIdentity {
public:
    ~CTitle() override = default;
    // The character holding the title now, or null.
    virtual CCharacter* GetCurrentHolder() const = 0;
    // The liege title, or null.
    virtual CTitle* GetLiege() const = 0;
};
