// CGameMapBase: the view shared by everything placed on the map: where the view lies in the world, its
// zoom, its rectangle on the screen and the map's own surface, and the conversion of world points to it.
#pragma once

#include <cstdint>

#include "foundation/point_rect.h"

class CImage;

inline constexpr int kWorldWidth = 9472;
inline constexpr int kWorldHeight = 6016;

class CGameMapBase {
public:
    // World position of the view's top-left corner, aligned down to a block of the current level.
    static std::int32_t nWorldX, nWorldY;
    // World position of the view's centre.
    static std::int32_t nFocusX, nFocusY;
    // 0 (closest) to 2.
    static std::int32_t nZoomLevel;
    static CRect ScrollRect;
    // The map view on the screen, each coordinate a multiple of 16.
    static CRect MapWindow;
    static CRect BoolWindow;
    // The rendered map view, the size of MapWindow; not owned here.
    static CImage* MapSurface;

    static void SetZoomLevel(int level) { nZoomLevel = level; }
    static void SetMapWindow(const CRect& rect);
    // Centres the view on the point as far as the scroll range allows. Always true.
    static bool SetFocus(int x, int y);
    // The screen point of a world point, reached the shorter way round the world's width; negative
    // coordinates become 0.
    static CPoint WorldToScreen(CPoint world);
    // The same unclamped; true when the point lies on the back buffer.
    static bool WorldToScreen(CPoint world, CPoint& screen);
};
