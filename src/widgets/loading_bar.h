// CLoadingBar: the progress bar and caption shown while the game starts or loads, drawn straight into
// the back buffer over the loading picture, whose band under the bar it keeps and puts back each draw.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "gfx/drawable.h"

class CScoreBar;

inline constexpr const char* kLoadingBarFont = "gfx\\fonts\\proforma12.bmp";

class CLoadingBar : public CDrawable {
public:
    static constexpr int kBandTop = 518;
    static constexpr int kBandHeight = 250;
    static constexpr int kBarWidth = 1024;
    static constexpr int kBarHeight = 12;
    static constexpr int kWideRow = 810;
    static constexpr int kRow = 621;
    static constexpr int kCaptionX = 512;

    explicit CLoadingBar(int steps);
    ~CLoadingBar() override;

    void SetText(const char* text);
    // Keeps the band of rows 518 to 767 of the back buffer (as far as it reaches) and makes the bar:
    // maximum 100, 1024 wide, 12 high, in (26, 101, 0), without border or number.
    void InitUndo();
    // Puts the kept band back.
    void DrawUndo();
    // The band back, the bar at its row filled to the progress (clamped to 0..100), the caption centred
    // on it, and the frame presented twice. 0.
    int Draw(CRZDrawType type) override;

    // The bar's row: 810 on a back buffer 1280 wide that is tall enough to hold the bar there, else 621.
    static int BarRow();

    // Set by the owner, 0..100 shown (more fills the bar).
    int progress = 0;
    int captionShown = 1;

    int GetSteps() const { return mSteps; }
    const std::string& GetText() const { return mText; }
    CScoreBar* GetBar() const { return mBar.get(); }

private:
    std::vector<std::uint16_t> mBand;
    std::int32_t mBandWidth = 0;
    std::int32_t mBandRows = 0;
    std::string mText;
    std::int32_t mSteps;
    std::unique_ptr<CScoreBar> mBar;
};
