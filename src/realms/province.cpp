// The province array as reached by province number.
#include "realms/province.h"

#include "foundation/safeguards.h"

CProvince* CProvince::_pProvince[kProvinceArraySize] = {};

CProvince* CProvince::GetProvince(int index)
{
    if (index < 0 || index >= static_cast<int>(kProvinceArraySize))
        return nullptr;
    return _pProvince[index];
}
