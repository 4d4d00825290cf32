// ImageType: how an image keeps its pixels, which also chooses how it is drawn.
#pragma once

#include <cstdint>

enum ImageType : std::int32_t {
    IMAGE_VIDEO = 0, // its own surface, drawn with the colour-keyed fast blit
    IMAGE_SYSTEM = 1, // its own system-memory pixels, drawn by software copies
    IMAGE_SCREEN = 2, // no pixels of its own: the display's surface is attached
    IMAGE_ALPHA = 3,
    IMAGE_TRANSLUCENT = 4,
    IMAGE_MULTIPLY = 5,
    IMAGE_LOCKED_SURFACE = 6,
};
