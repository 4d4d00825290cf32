// The sine and arcsine tables and the integer 2D rotation.
#include "foundation/math_tables.h"

#include <cmath>
#include <cstdint>

#include "foundation/safeguards.h"

float CMath::_SineTable[450];
float CMath::_ASineTable[1024];

void CMath::Init()
{
    // The factor uses this ten-digit pi, as the game always has, so rotations land on the same pixels.
    for (int i = 0; i < 450; ++i)
        _SineTable[i] = static_cast<float>(std::sin(i * 3.1415926535 / 180.0));
    for (int j = 0; j < 1024; ++j)
        _ASineTable[j] = std::asin(static_cast<float>(j - 512) / 512.0f);
}

namespace {

int WrapToShort(float value)
{
    // Truncate toward zero, then keep the low 16 bits; going through 64 bits keeps any sum of a 16-bit
    // point and a 32-bit offset in range.
    const auto whole = static_cast<std::int64_t>(std::trunc(value));
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(whole));
}

} // namespace

void CMath::Calc2DRotation(int* newX, int* newY, int x, int y, short angle, int xOffset, int yOffset)
{
    const float px = static_cast<std::int16_t>(x);
    const float py = static_cast<std::int16_t>(y);
    int a = angle % 360;
    if (a < 0)
        a += 360;
    const float s = _SineTable[a];
    const float c = _SineTable[a + 90];
    *newX = WrapToShort(px * c - py * s + static_cast<float>(xOffset));
    *newY = WrapToShort(px * s + py * c + static_cast<float>(yOffset));
}
