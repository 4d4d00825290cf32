// The generator for the screen alone.
#include "gfx/screen_random.h"

#include "foundation/random_generator.h"

#include "foundation/safeguards.h"

namespace {
CRandomGenerator gScreenRandom;
}

int ScreenRandom()
{
    return gScreenRandom.Next();
}

void SeedScreenRandom(std::uint32_t seed)
{
    gScreenRandom.Seed(seed);
}
