// The named colours that every palette maps to its nearest indices.
#include "gfx/palette.h"

#include "foundation/safeguards.h"

const CNamedColor ColorTableRGB[kNamedColorCount] = {
    { 0, 0, 255, 0, "transparent" },
    { 1, 0, 0, 0, "black" },
    { 2, 255, 255, 255, "white" },
    { 3, 255, 0, 0, "red" },
    { 4, 0, 255, 0, "green" },
    { 5, 0, 0, 255, "blue" },
};
