// The score bar: its border, fill and number, each written only where it lands inside the image.
#include "widgets/score_bar.h"

#include <algorithm>
#include <cstdio>

#include "gfx/font.h"
#include "gfx/image.h"

#include "foundation/safeguards.h"

namespace {

// The box between the corners (both included) in the colour; a line when it is one pixel thick. Pixels
// outside the image are left out, so a bar near the edge never writes past it.
void FillBox(CImage* image, int x0, int y0, int x1, int y1, std::uint16_t colour)
{
    if (!image || image->GetBytesPerPixel() != 2)
        return;
    const int w = image->GetWidth();
    const int h = image->GetHeight();
    const int left = std::max(std::min(x0, x1), 0);
    const int right = std::min(std::max(x0, x1), w - 1);
    const int top = std::max(std::min(y0, y1), 0);
    const int bottom = std::min(std::max(y0, y1), h - 1);
    if (left > right || top > bottom)
        return;
    unsigned char* base = image->Lock();
    if (!base)
        return;
    for (int y = top; y <= bottom; ++y) {
        auto* row
            = reinterpret_cast<std::uint16_t*>(base + static_cast<std::ptrdiff_t>(y) * image->GetPitch());
        for (int x = left; x <= right; ++x)
            row[x] = colour;
    }
    image->Unlock();
}

} // namespace

CScoreBar::CScoreBar(unsigned int maximum, unsigned int width, int red, int green, int blue)
    : mMaximum(maximum)
    , mWidth(width)
    , mColour(TrueToHigh(red, green, blue))
    , mDark(TrueToHigh(65, 65, 65))
    , mLight(TrueToHigh(172, 172, 172))
    , mDest(pBackBuffer)
{
}

void CScoreBar::DrawBorder()
{
    CImage* image = mDest;
    if (!image)
        return;
    const int x = mX;
    const int y = mY;
    const int w = static_cast<int>(mWidth);
    const int h = height;
    // Half intensity only where the bar overlaps the image: the rectangle operations would otherwise
    // darken a sliver at the edge for a bar wholly outside.
    if (x < image->GetWidth() && y < image->GetHeight() && x + w > 0 && y + h > 0) {
        const CRect rect(x, y, x + w, y + h);
        image->HalfIntensity(&rect);
    }
    FillBox(image, x - 2, y - 2, x + w + 1, y - 2, mLight);
    FillBox(image, x - 1, y - 1, x + w, y - 1, mDark);
    FillBox(image, x + w + 1, y - 2, x + w + 1, y + h + 1, mLight);
    FillBox(image, x + w + 2, y - 2, x + w + 2, y + h + 2, mDark);
    FillBox(image, x, y + h + 1, x + w + 1, y + h + 1, mLight);
    FillBox(image, x - 1, y + h + 2, x + w + 2, y + h + 2, mDark);
    FillBox(image, x - 2, y - 2, x - 2, y + h + 2, mLight);
    FillBox(image, x - 1, y - 1, x - 1, y + h + 2, mDark);
}

int CScoreBar::Draw(CRZDrawType)
{
    if (!mDest)
        return 0;
    if (border)
        DrawBorder();
    if (number > 0 && mMaximum != 0 && value != 0) {
        const double share
            = static_cast<double>(mWidth) * static_cast<double>(value) / static_cast<double>(mMaximum);
        const int columns = static_cast<int>(share);
        if (columns > 0)
            FillBox(mDest, mX, mY, mX + columns - 1, mY + height, mColour);
    }
    if (showNumber && gpFontDB) {
        if (CFont* font = gpFontDB->GetFont(kScoreBarFontFile)) {
            char text[16];
            std::snprintf(text, sizeof text, "%d", number);
            font->PrintDropCenter(text, mX + static_cast<int>(mWidth) / 2, mY + 1, mDest, 0xFFFF);
        }
    }
    return 0;
}
