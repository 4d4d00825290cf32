// CMath: the sine table by whole degree and the 2D rotation of map and sprite points built on it.
#pragma once

class CMath {
public:
    // Fills the tables; called once at start-up before anything rotates.
    static void Init();

    // Rotates (x, y), each taken as a signed 16-bit value, by angle degrees about the origin and moves it
    // by the offsets; each result is truncated toward zero and wrapped into signed 16 bits. Any angle is
    // accepted, negative ones included.
    static void Calc2DRotation(int* newX, int* newY, int x, int y, short angle, int xOffset, int yOffset);

    // sin of each whole degree 0 to 449, so that the cosine of a is _SineTable[a + 90].
    static float _SineTable[450];
    // asin((j - 512) / 512) in radians for j from 0 to 1023.
    static float _ASineTable[1024];
};
