// The generator of what only this machine's screen shows (the start frames of map sprites): it never
// touches the game's seeded generators, so drawing cannot change the game.
#pragma once

#include <cstdint>

// 0 to 32767, like the C library's rand.
int ScreenRandom();
void SeedScreenRandom(std::uint32_t seed);
