// CVideo: the game's video object; for now only the statics that pixel conversion and palettes read:
// the 16-bit pixel format, the screen palette and the colour-to-pixel conversion.
#pragma once

#include <cstdint>

class CImage;
class CPalette;

class CVideo {
public:
    // 0: RGB565, 1: RGB555. Set from the display when the mode is set.
    static std::int32_t _RGBFormat;
    // The palette every new image takes for its 8-bit pixels; null until the video sets one.
    static CPalette* pPalette;
    // The image every frame is composed in; not owned here. Null until the video is set up.
    static CImage* pBackBuffer;

    // The back buffer's size; 0 without one.
    static int GetBackBufferWidth();
    static int GetBackBufferHeight();

    // A 16-bit pixel of the current format from 8-bit channels; channels above 255 count as 255 and
    // negative ones as 0. A format other than 0 or 1 gives 0.
    static std::uint16_t TrueToHigh(int r, int g, int b);
};
