// CRZSolidFrame: a sprite that paints a filled, framed rectangle, with an optional title set into a gap of
// its top edge; the drop-down box and the small status panels stand on it.
#pragma once

#include <cstdint>

#include "gfx/sprite.h"

inline constexpr const char* kSolidFrameFontFile = "gfx\\fonts\\proforma12.bmp";
// -1 for a colour takes the frame's default.
inline constexpr int kSolidFrameDefaultColour = -1;

class CRZSolidFrame : public CSprite {
public:
    // Colours are 16-bit pixels of the current format, or -1 for the defaults: frame (116, 101, 94),
    // fill (168, 148, 137). A null title gives a plain rectangle; with a title the frame's top lies at
    // y 6 and the title is printed at (5, 0), the top edge leaving out the title's width plus 5 pixels.
    CRZSolidFrame(int width, int height, const char* title = nullptr,
        int frameColour = kSolidFrameDefaultColour, int fillColour = kSolidFrameDefaultColour);

    static std::uint16_t DefaultFrameColour();
    static std::uint16_t DefaultFillColour();
    // The row of the top edge under a title.
    static constexpr int kTitleEdgeRow = 6;
};
