// The map view's shared position, zoom and screen rectangle, and world-to-screen conversion.
#include "map/game_map_base.h"

#include <algorithm>

#include "gfx/video.h"

#include "foundation/safeguards.h"

std::int32_t CGameMapBase::nWorldX = 0;
std::int32_t CGameMapBase::nWorldY = 0;
std::int32_t CGameMapBase::nFocusX = 0;
std::int32_t CGameMapBase::nFocusY = 0;
std::int32_t CGameMapBase::nZoomLevel = 0;
CRect CGameMapBase::ScrollRect(0, 0, kWorldWidth - 1, kWorldHeight - 1);
CRect CGameMapBase::MapWindow;
CRect CGameMapBase::BoolWindow;
CImage* CGameMapBase::MapSurface = nullptr;

void CGameMapBase::SetMapWindow(const CRect& rect)
{
    MapWindow = CRect(rect.left & ~15, rect.top & ~15, rect.right & ~15, rect.bottom & ~15);
    BoolWindow = MapWindow;
}

bool CGameMapBase::SetFocus(int x, int y)
{
    const int zoom = std::clamp(nZoomLevel, 0, 8);
    const int halfW = ((MapWindow.right - MapWindow.left) >> 1) << zoom;
    const int halfH = ((MapWindow.bottom - MapWindow.top) >> 1) << zoom;
    x = std::min(std::max(x, ScrollRect.left + halfW), ScrollRect.right - halfW);
    y = std::min(std::max(y, ScrollRect.top + halfH), ScrollRect.bottom - halfH);
    nFocusX = x;
    nFocusY = y;
    nWorldX = x - halfW;
    nWorldY = y - halfH;
    if (nWorldX < 0)
        nWorldX = 0;
    else if (nWorldX > kWorldWidth - 1)
        nWorldX = kWorldWidth;
    const int block = -32 * (1 << zoom);
    nWorldX &= block;
    nWorldY &= block;
    return true;
}

bool CGameMapBase::WorldToScreen(CPoint world, CPoint& screen)
{
    SetFocus(nFocusX, nFocusY);
    const int zoom = std::clamp(nZoomLevel, 0, 8);
    int dx = (world.x < 0 ? world.x + kWorldWidth : world.x) - nWorldX;
    if (dx < -kWorldWidth / 2)
        dx += kWorldWidth;
    screen.x = (dx >> zoom) + MapWindow.left;
    screen.y = ((world.y - nWorldY) >> zoom) + MapWindow.top;
    return screen.x >= 0 && screen.x < CVideo::GetBackBufferWidth() && screen.y >= 0
        && screen.y < CVideo::GetBackBufferHeight();
}

CPoint CGameMapBase::WorldToScreen(CPoint world)
{
    CPoint screen;
    WorldToScreen(world, screen);
    return { std::max(screen.x, 0), std::max(screen.y, 0) };
}
