// The realm router's table of event types and the handlers they reach.
#pragma once

#include <cstddef>

#include "realms/country.h"

struct CountryRoute {
    CRZEvtType type;
    int (CRZCountry::*handler)(CRZEvent* event);
};

extern const CountryRoute kCountryRoutes[];
extern const std::size_t kCountryRouteCount;
