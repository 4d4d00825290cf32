// CRZConstruction, an object under construction: a dynamic object that names the realm building it.
#pragma once

#include "events/record_types.h"
#include "foundation/identity.h"

class CRZConstruction : public CRZDynamicObject {
public:
    using CRZDynamicObject::CRZDynamicObject;
    // The number of the realm that builds it.
    CRZCountryID country = 0;
};
