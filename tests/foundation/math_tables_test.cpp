// CMath: the sine table and the 16-bit integer rotation, negative angles included.
#include <gtest/gtest.h>

#include <cmath>

#include "foundation/math_tables.h"

TEST(MathTables, SineTableByWholeDegree)
{
    CMath::Init();
    EXPECT_EQ(CMath::_SineTable[0], 0.0f);
    EXPECT_EQ(CMath::_SineTable[90], 1.0f);
    EXPECT_EQ(CMath::_SineTable[30], static_cast<float>(std::sin(30 * 3.1415926535 / 180.0)));
    EXPECT_EQ(CMath::_SineTable[449], static_cast<float>(std::sin(449 * 3.1415926535 / 180.0)));
    EXPECT_EQ(CMath::_ASineTable[512], 0.0f);
    EXPECT_EQ(CMath::_ASineTable[0], std::asin(-1.0f));
}

TEST(MathTables, Calc2DRotation)
{
    CMath::Init();
    struct Case {
        int x, y;
        short angle;
        int dx, dy;
        int wantX, wantY;
    } cases[] = {
        { 10, 0, 90, 0, 0, 0, 10 }, { 0, 10, 90, 0, 0, -10, 0 },
        { 10, 0, 30, 0, 0, 8, 5 }, // 8.66 truncated, not rounded
        { 10, 0, 0, 100, 200, 110, 200 }, { 10, 0, 360, 100, 200, 110, 200 },
        { 10, 0, 720, 100, 200, 110, 200 },
        { 10, 0, -90, 0, 0, 0, -10 }, // negative angles turn the other way
        { 10, 0, -450, 0, 0, 0, -10 },
        { 10, 0, -32768, 0, 0, 9, -1 }, // -32768 is -8 degrees after whole turns
        { 30000, 0, 0, 5000, 0, -30536, 0 }, // 35000 wraps into signed 16 bits
        { 65546, -65536, 0, 0, 0, 10, 0 }, // the point is taken as 16-bit values
        { 0, 0, 45, 2000000000, -2000000000, -27648, 27648 }, // offsets wrap too, without overflow
    };
    for (const Case& c : cases) {
        int x = 0, y = 0;
        CMath::Calc2DRotation(&x, &y, c.x, c.y, c.angle, c.dx, c.dy);
        EXPECT_EQ(x, c.wantX) << c.x << "," << c.y << " by " << c.angle;
        EXPECT_EQ(y, c.wantY) << c.x << "," << c.y << " by " << c.angle;
    }
}
