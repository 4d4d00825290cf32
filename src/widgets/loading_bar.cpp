// The loading bar of start-up and game loading.
#include "widgets/loading_bar.h"

#include <algorithm>
#include <cstring>

#include "gfx/font.h"
#include "gfx/image.h"
#include "widgets/score_bar.h"

#include "foundation/safeguards.h"

CLoadingBar::CLoadingBar(int steps)
    : mSteps(steps)
{
}

CLoadingBar::~CLoadingBar() = default;

void CLoadingBar::SetText(const char* text)
{
    mText = text ? text : "";
}

int CLoadingBar::BarRow()
{
    const bool wide = GetBackBufferWidth() == 1280 && kWideRow + kBarHeight < GetBackBufferHeight();
    return wide ? kWideRow : kRow;
}

void CLoadingBar::InitUndo()
{
    CImage* back = pBackBuffer;
    mBand.clear();
    mBandWidth = 0;
    mBandRows = 0;
    if (back && back->GetBytesPerPixel() == 2) {
        mBandWidth = back->GetWidth();
        mBandRows = std::clamp(back->GetHeight() - kBandTop, 0, kBandHeight);
        mBand.assign(static_cast<std::size_t>(mBandWidth) * static_cast<std::size_t>(mBandRows), 0);
        if (const unsigned char* pixels = back->Lock()) {
            for (int row = 0; row < mBandRows; ++row)
                std::memcpy(&mBand[static_cast<std::size_t>(row) * mBandWidth],
                    pixels + static_cast<std::ptrdiff_t>(kBandTop + row) * back->GetPitch(),
                    static_cast<std::size_t>(mBandWidth) * 2);
            back->Unlock();
        }
    }
    mBar = std::make_unique<CScoreBar>(100, kBarWidth, 26, 101, 0);
    mBar->height = kBarHeight;
    mBar->border = 0;
    mBar->showNumber = 0;
}

void CLoadingBar::DrawUndo()
{
    CImage* back = pBackBuffer;
    // A back buffer made again since the band was kept (another size) takes none of it.
    if (!back || mBand.empty() || back->GetWidth() != mBandWidth || back->GetHeight() - kBandTop < mBandRows)
        return;
    unsigned char* pixels = back->Lock();
    if (!pixels)
        return;
    for (int row = 0; row < mBandRows; ++row)
        std::memcpy(pixels + static_cast<std::ptrdiff_t>(kBandTop + row) * back->GetPitch(),
            &mBand[static_cast<std::size_t>(row) * mBandWidth], static_cast<std::size_t>(mBandWidth) * 2);
    back->Unlock();
}

int CLoadingBar::Draw(CRZDrawType type)
{
    DrawUndo();
    const int row = BarRow();
    if (mBar) {
        mBar->SetDestinationImage(pBackBuffer);
        mBar->MoveTo(0, row);
        mBar->value = static_cast<unsigned int>(std::clamp(progress, 0, 100));
        mBar->number = progress;
        mBar->Draw(type);
    }
    if (!mText.empty() && captionShown && pBackBuffer) {
        if (CFont* font = gpFontDB ? gpFontDB->GetFont(kLoadingBarFont) : nullptr)
            font->PrintDropCenter(mText.c_str(), kCaptionX, row, pBackBuffer, 0xFFFF);
    }
    CVideo::Update();
    CVideo::Update();
    return 0;
}
