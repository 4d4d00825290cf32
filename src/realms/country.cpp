// The country table and the test for realm numbers that are real countries.
#include "realms/country.h"

#include "foundation/safeguards.h"

CRZCountry* CRZCountry::_pCountry[kCountryTableSlots] = {};

bool CRZCountry::IsRealCountry(int index)
{
    return index > kNoCountry && index < static_cast<int>(kCountryTableSlots) && index != kNobodyCountry
        && index != kRebelCountry;
}

CRZCountry* CRZCountry::GetCountry(int index)
{
    if (index < 0 || index >= static_cast<int>(kCountryTableSlots))
        return nullptr;
    return _pCountry[index];
}
