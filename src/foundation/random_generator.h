// CRandomGenerator: the linear congruential generator of the game. gGameRandom serves every draw that
// reaches game state and is seeded once at start-up; the screen keeps a generator of its own.
#pragma once

#include <cstdint>

class CRandomGenerator {
public:
    explicit CRandomGenerator(std::uint32_t seed = 1)
        : state(seed)
    {
    }
    // 0 to 32767, like the C library's rand.
    int Next()
    {
        state = state * 1103515245u + 12345u;
        return static_cast<int>((state >> 16) & 0x7FFF);
    }
    void Seed(std::uint32_t seed) { state = seed; }

private:
    std::uint32_t state;
};

extern CRandomGenerator gGameRandom;
