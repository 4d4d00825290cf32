// CProvince as the monthly update sees a province: its owner realm and its manpower, found by number in
// the province array that the map owns.
#pragma once

#include <cstdint>

#include "foundation/identity.h"

class CRZCountry;

class CProvince : public CIdentity {
public:
    ~CProvince() override = default;

    // The province at index 0..1003, or null outside the array or before the map has made it.
    static CProvince* GetProvince(int index);

    CRZCountry* GetOwner() const { return owner; }

    int32_t number = 0;
    CRZCountry* owner = nullptr;
    // The total size of its manpower composition, kept up to date by the province.
    float manpowerTotal = 0.0f;
    // A culture number; 0 for none.
    int32_t culture = 0;

    // Filled by the map, which owns the provinces.
    static CProvince* _pProvince[kProvinceArraySize];
};
