// Ways between provinces, searched breadth first over the provinces' neighbours.
#include "armies/path.h"

#include <deque>
#include <vector>

#include "realms/province.h"

#include "foundation/safeguards.h"

bool CRZPath::Find(CRZUnit* unit, CProvince& from, CProvince& to)
{
    length = -1;
    const int start = from.GetNumber();
    const int goal = to.GetNumber();
    if (start < 0 || goal < 0 || start >= kMapProvinceCount || goal >= kMapProvinceCount)
        return false;
    std::vector<int> steps(kMapProvinceCount, -1);
    std::deque<int> open { start };
    steps[static_cast<std::size_t>(start)] = 0;
    while (!open.empty()) {
        const int at = open.front();
        open.pop_front();
        if (at == goal) {
            length = steps[static_cast<std::size_t>(at)];
            return true;
        }
        const CProvince* province = CProvince::GetProvince(at);
        if (!province)
            continue;
        for (int i = 0; i < province->GetNeighborCount(); ++i) {
            const int next = province->GetNeighbor(i).number;
            if (next < 0 || next >= kMapProvinceCount || steps[static_cast<std::size_t>(next)] >= 0)
                continue;
            const CProvince* neighbour = CProvince::GetProvince(next);
            if (!neighbour || !MayEnter(unit, *neighbour))
                continue;
            steps[static_cast<std::size_t>(next)] = steps[static_cast<std::size_t>(at)] + 1;
            open.push_back(next);
        }
    }
    return false;
}

bool CRZLandPath::MayEnter(const CRZUnit*, const CProvince& province) const
{
    return province.IsLand();
}
