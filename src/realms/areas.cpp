// The fixed province groups: region and area lookup by name and the areas' borders.
#include "realms/areas.h"

#include <strings.h>

#include "realms/province.h"
#include "text/new_text.h"

#include "foundation/safeguards.h"

CList<CProvince*> CRZAreaDB::_Region[kRegionCount];
CList<CProvince*> CRZAreaDB::_Areas[kAreaCount];
CList<RZArea> CRZAreaDB::_NeighborAreas[kAreaCount];
CList<CProvince*> CRZAreaDB::_Climate[8];

namespace {

int FindName(const char* name, const char* const* names, int count)
{
    if (!name)
        return 0;
    for (int k = 0; k < count; ++k)
        if (strcasecmp(name, names[k]) == 0)
            return k;
    return 0;
}

} // namespace

int CRZAreaDB::WhichRegion(const char* name)
{
    return FindName(name, szRegion, kRegionCount);
}

int CRZAreaDB::WhichArea(const char* name)
{
    return FindName(name, szArea, kAreaCount);
}

int CRZAreaDB::AddToRegion(const char* name, CProvince* province)
{
    const int region = WhichRegion(name);
    _Region[region].Append(province);
    return region;
}

int CRZAreaDB::AddToArea(const char* name, CProvince* province)
{
    const int area = WhichArea(name);
    _Areas[area].Append(province);
    return area;
}

const char* CRZAreaDB::GetAreaName(RZArea area)
{
    return TextStrings.GetString(szTransArea[area >= 0 && area < kAreaCount ? area : 0]);
}

void CRZAreaDB::Reset()
{
    for (auto& list : _Areas)
        list.RemoveAll();
    for (auto& list : _NeighborAreas)
        list.RemoveAll();
    for (auto& list : _Region)
        list.RemoveAll();
}

void CRZAreaDB::CalculateNeighbors()
{
    for (int number = 1; number <= kLastTableProvince; ++number) {
        const CProvince* province = CProvince::GetProvince(number);
        if (!province || !province->IsLand() || province->area <= 0 || province->area >= kAreaCount)
            continue;
        for (const Adjacent& neighbour : province->neighbours) {
            const CProvince* other = CProvince::GetProvince(neighbour.number);
            if (!other || !other->IsLand() || other->area == province->area || other->area < 0
                || other->area >= kAreaCount)
                continue;
            if (!_NeighborAreas[province->area].Contains(other->area))
                _NeighborAreas[province->area].Append(other->area);
        }
    }
}
