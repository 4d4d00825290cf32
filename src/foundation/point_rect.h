// CPoint and CRect, the integer point and rectangle of the game code; a point also has a data-language block.
#pragma once

#include <cstddef>
#include <cstdint>

class CLScript;
class CRZParser;

// A plain record, as it travels inside input events; CLValueScripter lends it the CLScripter interface.
struct CPoint {
    int32_t x = 0;
    int32_t y = 0;

    constexpr CPoint() = default;
    constexpr CPoint(int32_t inX, int32_t inY)
        : x(inX)
        , y(inY)
    {
    }
    constexpr bool operator==(const CPoint&) const = default;

    // The block { x = N y = N }, read after its "{" and defined by the data language: unknown keys are
    // skipped; 0 after the closing "}".
    int ParseFields(CRZParser& parser);
    // A new statement list { x = N y = N } that the caller owns.
    CLScript* GetScript() const;
    void SetScript(CLScript*) { }
};
static_assert(sizeof(CPoint) == 8 && offsetof(CPoint, y) == 4);

struct CRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    constexpr CRect() = default;
    constexpr CRect(int32_t inLeft, int32_t inTop, int32_t inRight, int32_t inBottom)
        : left(inLeft)
        , top(inTop)
        , right(inRight)
        , bottom(inBottom)
    {
    }
    constexpr bool operator==(const CRect&) const = default;
};
static_assert(sizeof(CRect) == 16 && offsetof(CRect, right) == 8);
