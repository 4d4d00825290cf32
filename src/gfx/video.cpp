// The video statics, the game flags the video reads, and the conversion of 8-bit channels into the pixel
// format in use.
#include "gfx/video.h"

#include <algorithm>

#include "gfx/image.h"

#include "foundation/safeguards.h"

int debuggame = 0;
int isActive = 1;
Windows::HWND MainWindowsHwnd = nullptr;
CVideoHooks gVideoHooks;

int CVideo::Initialized = 0;
CDirectDraw* CVideo::pDD = nullptr;
CImage* CVideo::pBackBuffer = nullptr;
CImage* CVideo::pFrontBuffer = nullptr;
CPalette* CVideo::pPalette = nullptr;
std::int32_t CVideo::_RGBFormat = 0;
CRect CVideo::FrontClipper;
CImage* CVideo::Cursor[kMaxCursors] = {};
int CVideo::Cursors = 0;
int CVideo::CurrentCursor = 0;

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

int CVideo::GetBackBufferWidth()
{
    return pBackBuffer ? pBackBuffer->GetWidth() : 0;
}

int CVideo::GetBackBufferHeight()
{
    return pBackBuffer ? pBackBuffer->GetHeight() : 0;
}

int CVideo::GetBackBufferPitch()
{
    return pBackBuffer ? pBackBuffer->GetPitch() : 0;
}
