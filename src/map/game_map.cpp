// The game map's province centres and redraw request.
#include "map/game_map.h"

#include "events/event.h"
#include "events/event_types.h"
#include "realms/province.h"

#include "foundation/safeguards.h"

std::int32_t CGameMap::_isInvalid = 0;

bool CGameMap::GetCenterPoint(int province, CPoint& centre)
{
    const CProvince* p = CProvince::GetProvince(province);
    if (!p)
        return false;
    const CRect& box = p->boundingBox;
    centre = CPoint((box.left + box.right) / 2, (box.top + box.bottom) / 2);
    return true;
}

int CGameMap::Update(CRZEvent* event)
{
    for (int number = 0; number <= kLastTableProvince; ++number) {
        CProvince* province = CProvince::GetProvince(number);
        if (province != nullptr && province->Update(event) == 3)
            return 3;
    }
    if (event->GetType() == _CRZEVT_TIMER_MONTH_)
        InvalidateMap();
    return 0;
}
