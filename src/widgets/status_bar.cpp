// The status bars' palette indexes and their fill.
#include "widgets/status_bar.h"

#include <algorithm>

#include "gfx/image_descriptor.h"
#include "gfx/palette.h"

#include "foundation/safeguards.h"

CStatusBarHooks gStatusBarHooks;
CPalette* CRZStatusBar::_pPalette = nullptr;
std::uint8_t CRZStatusBar::DefaultColorIndex[kStatusBarColors] = {};
std::uint8_t CRZStatusBar::CountryColorIndex[kCountryTableSlots] = {};

namespace {

constexpr std::uint8_t kStandardColours[kStatusBarColors][3] = {
    { 0, 255, 0 },
    { 128, 255, 0 },
    { 255, 255, 0 },
    { 255, 160, 0 },
    { 255, 0, 0 },
};

CPalette* SharedPalette()
{
    if (!CRZStatusBar::_pPalette)
        CRZStatusBar::_pPalette = CPalette::FindPalette(kStatusBarPalette);
    return CRZStatusBar::_pPalette;
}

} // namespace

void CRZStatusBar::InitColors()
{
    const CPalette* palette = SharedPalette();
    for (int c = 0; c < kStatusBarColors; ++c)
        DefaultColorIndex[c] = palette->FindClosestColor(
            kStandardColours[c][0], kStandardColours[c][1], kStandardColours[c][2]);
    for (std::uint32_t country = 0; country < kCountryTableSlots; ++country) {
        const std::uint32_t packed = gStatusBarHooks.GetCountryColor
            ? gStatusBarHooks.GetCountryColor(static_cast<int>(country))
            : 0;
        CountryColorIndex[country] = palette->FindClosestColor(static_cast<int>(packed >> 24),
            static_cast<int>((packed >> 16) & 0xFF), static_cast<int>((packed >> 8) & 0xFF));
    }
}

CRZStatusBar::CRZStatusBar(int width, int height, int margin)
    : CSpriteWorld(std::max(width, 1), std::max(height, 1), 8)
    , mWidth(std::max(width, 1))
    , mHeight(std::max(height, 1))
    , mMargin(std::max(margin, 0))
{
    CPalette* palette = SharedPalette();
    SetLocalPalette(palette);
    if (_pImage)
        _pImage->Fill8Bit(palette->FindClosestColor(0, 0, 0));
}

void CRZStatusBar::DrawBar(int percent, unsigned char colourIndex)
{
    if (!_pImage)
        return;
    percent = std::clamp(percent, 0, 100);
    const int length = std::max(percent * (mWidth - 4) / 100, 2);
    // The span between the margins; a fill longer than it (large margins, or the least length of 2) is
    // cut there rather than running on into the next row.
    const int span = std::max(mWidth - 2 * mMargin, 0);
    const int filled = std::min(length, span);
    unsigned char* base = _pImage->Lock();
    if (!base)
        return;
    const int pitch = _pImage->GetPitch();
    for (int y = mMargin; y < mHeight - mMargin; ++y) {
        unsigned char* row = base + static_cast<std::ptrdiff_t>(y) * pitch + mMargin;
        std::fill(row, row + filled, colourIndex);
        std::fill(row + filled, row + span, kStatusBarBackground);
    }
    _pImage->Unlock();
}

CRZUnitStatusBar::CRZUnitStatusBar(CRZUnit* unit)
    : CRZStatusBar(kWidth, kHeight, kMargin)
    , mUnit(unit)
{
}
