// The video statics: the pixel format in use and the conversion of 8-bit channels into it.
#include "gfx/video.h"

#include <algorithm>

#include "gfx/image.h"

#include "foundation/safeguards.h"

std::int32_t CVideo::_RGBFormat = 0;
CPalette* CVideo::pPalette = nullptr;
CImage* CVideo::pBackBuffer = nullptr;

int CVideo::GetBackBufferWidth()
{
    return pBackBuffer ? pBackBuffer->GetWidth() : 0;
}

int CVideo::GetBackBufferHeight()
{
    return pBackBuffer ? pBackBuffer->GetHeight() : 0;
}

std::uint16_t CVideo::TrueToHigh(int r, int g, int b)
{
    r = std::clamp(r, 0, 255);
    g = std::clamp(g, 0, 255);
    b = std::clamp(b, 0, 255);
    switch (_RGBFormat) {
    case 0:
        return static_cast<std::uint16_t>((r >> 3) << 11 | (g >> 2) << 5 | b >> 3);
    case 1:
        return static_cast<std::uint16_t>((r >> 3) << 10 | (g >> 3) << 5 | b >> 3);
    default:
        return 0;
    }
}
