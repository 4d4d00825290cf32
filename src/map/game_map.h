// CGameMap (gpMap): the game map as the interface asks it so far: where a province lies on the map and
// the request to draw the map afresh.
#pragma once

#include <cstdint>

#include "foundation/point_rect.h"

class CRZEvent;

class CGameMap {
public:
    // The map's share of a broadcast: each of the provinces of the province table in turn, the first that
    // takes the event (3) ending the walk, and a new month redraws the map. 3 when a province took it.
    static int Update(CRZEvent* event);
    // The centre of the province's bounding box in map coordinates; false (and the point untouched) for a
    // number the map holds no province of.
    static bool GetCenterPoint(int province, CPoint& centre);
    // The map is drawn afresh at the next frame.
    static void InvalidateMap() { _isInvalid = 1; }
    static bool IsInvalid() { return _isInvalid != 0; }
    static void ClearInvalid() { _isInvalid = 0; }

private:
    static std::int32_t _isInvalid;
};
