// CScoreBar: a horizontal progress bar drawn straight into the back buffer, with an optional bevelled
// border and the figure it stands for; the loading bar and the host's page of the front end use it.
#pragma once

#include <cstdint>

#include "gfx/drawable.h"

class CImage;

inline constexpr const char* kScoreBarFontFile = "gfx\\fonts\\proformaB12.bmp";

class CScoreBar : public CDrawable {
public:
    // The colour in 8-bit channels; the bar starts at (0, 0), 15 high, with border and number.
    CScoreBar(unsigned int maximum, unsigned int width, int red, int green, int blue);

    int Update(CRZEvent*) override { return 0; }
    // The border (when on), the fill of width × value / maximum columns over rows y to y + height, and
    // the number (when on). Every write stays inside the destination image. 0.
    int Draw(CRZDrawType type) override;
    void MoveTo(int x, int y) override
    {
        mX = x;
        mY = y;
    }
    int GetWidth() override { return static_cast<int>(mWidth); }
    // The bar's rectangle at half intensity, framed by four light and four dark one-pixel lines.
    void DrawBorder();

    // Set by the owner before drawing: the filled share (of the maximum) and the figure printed.
    unsigned int value = 0;
    int number = 0;
    int height = 15;
    int border = 1;
    int showNumber = 1;

    int GetX() const { return mX; }
    int GetY() const { return mY; }
    std::uint16_t GetColour() const { return mColour; }
    std::uint16_t GetDark() const { return mDark; }
    std::uint16_t GetLight() const { return mLight; }
    void SetDestinationImage(CImage* image) { mDest = image; }

private:
    unsigned int mMaximum;
    unsigned int mWidth;
    std::uint16_t mColour;
    std::int32_t mX = 0;
    std::int32_t mY = 0;
    std::uint16_t mDark;
    std::uint16_t mLight;
    CImage* mDest;
};
