// A linear congruential generator for the screen alone.
#include "gfx/screen_random.h"

#include "foundation/safeguards.h"

namespace {
std::uint32_t gScreenRandomState = 1;
}

int ScreenRandom()
{
    gScreenRandomState = gScreenRandomState * 1103515245u + 12345u;
    return static_cast<int>((gScreenRandomState >> 16) & 0x7FFF);
}

void SeedScreenRandom(std::uint32_t seed)
{
    gScreenRandomState = seed;
}
